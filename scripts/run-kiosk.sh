#!/bin/sh
# The main job: sets up a fresh Debian machine, builds Vallora for Windows and
# runs the bundled sample definition (data/Desktops/Kiosk.vla) as a real
# desktop session under Wine: the desktop page (drawn by Vallora's own page
# program, as the sample asks), the task bar, the restrictions and the
# watchdog. Leaves a screenshot of the whole screen in
# build/windows/screenshots/kiosk.png (and one with the password prompt in
# kiosk-password.png), then ends the session the way an
# administrator does (task bar menu, "Close Vallora", the password).
#
# The session runs in a temporary copy of the install tree. Runs on a private
# virtual display unless DISPLAY is set.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
sh scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" \
    --target Vallora ValloraRun ValloraPage vallora-tool vallora_data

. "$root/scripts/wine-env.sh"
[ -n "${DISPLAY:-}" ] && VALLORA_OWN_DISPLAY=0
wine_env_up "$root/build/windows/wineprefix-kiosk"

build="$root/build/windows"
shots="$build/screenshots"
mkdir -p "$shots"
run=$(mktemp -d "$build/kiosk-run.XXXXXX")
trap 'wine_env_down; rm -rf "$run"' EXIT INT TERM
cp -r "$build/Vallora/." "$run/"

vla=$(winepath -w "$run/Desktops/Kiosk.vla")
hta=$(winepath -w "$run/Desktops/Kiosk.hta")
record='HKLM\Software\Brenmark\Vallora'

# The page (and its icons) as the editor writes it when it saves the definition.
wine "$run/vallora-tool.exe" page "$vla" "$hta"
encoded=$(sed -n 's/^AdminPassword=//p' "$run/Desktops/Kiosk.vla" | tr -d '\r')
password=$(wine "$run/vallora-tool.exe" password decode "$encoded" | tr -d '\r')

wine reg delete "$record" /v Hwnd /f >/dev/null 2>&1 || true
wine "$run/Vallora.exe" "$vla" >/dev/null 2>&1 &

# The session record is written once the bar and the page are up.
i=0
until wine reg query "$record" /v Hwnd >/dev/null 2>&1; do
    i=$((i + 1))
    if [ $i -gt 120 ]; then
        echo "run-kiosk: the desktop session did not start" >&2
        exit 1
    fi
    sleep 0.5
done
sleep 3

running() { xwininfo -root -tree | grep -q '("vallora.exe"'; }

size=$(xwininfo -root | sed -n 's/.*geometry \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
width=${size% *}
height=${size#* }
# Opens the bar's menu with a right-click on the bar's free middle and
# prints the menu's place and height ("X Y HEIGHT"); it opens upwards.
bar_menu() {
    xdotool mousemove $((width / 2)) $((height - 8)) click 3
    sleep 1
    xdotool search --onlyvisible --class vallora.exe 2>/dev/null | while read -r id; do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$HEIGHT" -gt 40 ] && [ "$HEIGHT" -lt 200 ] && echo "$X $Y $HEIGHT" && break
    done
}

# The sample's start-up program (Notepad) may come up late in a new prefix:
# wait for its window (bounded), so that the click below minimises it.
i=0
until xdotool search --onlyvisible --name Notepad >/dev/null 2>&1 || [ $i -gt 40 ]; do
    i=$((i + 1))
    sleep 0.5
done
sleep 1
# A click on the bar's logo minimises every program (the start-up one), so
# that the screenshot shows the whole page.
xdotool mousemove $((width - 96)) $((height - 15)) click 1
sleep 1.5
import -window root "$shots/kiosk.png"
echo "Screenshot: $shots/kiosk.png"

# End the session as the administrator does: "Close Vallora" (the menu's
# first item), then the password.
set -- $(bar_menu)
xdotool mousemove $(($1 + 30)) $(($2 + 10)) click 1
sleep 1.5
prompt=$(xdotool search --onlyvisible --name "Closing in" 2>/dev/null | head -1)
eval "$(xdotool getwindowgeometry --shell "$prompt")"
# A click into the entry field gives it the keyboard.
xdotool mousemove $((X + 190)) $((Y + 100)) click 1
sleep 0.5
import -window root "$shots/kiosk-password.png"
xdotool type --delay 50 "$password"
xdotool key Return
i=0
while running; do
    i=$((i + 1))
    if [ $i -gt 60 ]; then
        echo "run-kiosk: the session did not end through its Close action" >&2
        exit 1
    fi
    sleep 0.5
done
echo "The desktop session ended through its password-guarded Close action."
