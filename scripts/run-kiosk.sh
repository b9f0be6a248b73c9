#!/bin/sh
# The main job: sets up a fresh Debian machine, builds Vallora for Windows and
# shows the bundled sample definition. Under Wine on a private virtual display
# when no display is set; leaves a screenshot in build/windows/screenshots/.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
sh scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"

. "$root/scripts/wine-env.sh"
[ -n "${DISPLAY:-}" ] && VALLORA_OWN_DISPLAY=0
wine_env_up "$root/build/windows/wineprefix-kiosk"
install="$root/build/windows/Vallora"
shots="$root/build/windows/screenshots"
mkdir -p "$shots"
wine "$install/vallora-tool.exe" show "$(winepath -w "$install/Desktops/Kiosk.vla")"
import -window root "$shots/kiosk.png"
echo "Screenshot: $shots/kiosk.png"
