#!/bin/sh
# The Windows Installer package under Wine, in a fresh prefix on a display of
# its own: silent install, the files, rights, file type and Start menu entry
# in place, desktop sessions started from the installed programs (a path with
# blanks), a newer package that replaces it, silent uninstall that removes
# the package's files and keeps a definition the administrator saved in the
# install folder.
#   msi_install_test.sh PACKAGE RELEASE_FOLDER WORK_FOLDER NEWER_PACKAGE COMMAND...
# COMMAND builds NEWER_PACKAGE, a package of a higher version.
set -eu
package=$1
release=$2
work=$3
newer=$4
shift 4
root=$(cd "$(dirname "$0")/../.." && pwd)

fail() {
    echo "FAIL: $*"
    exit 1
}
[ -f "$package" ] || fail "no $package: build it with cmake --build --preset windows --target msi"
[ -d "$release" ] || fail "no release folder $release"
mkdir -p "$work"
"$@" >/dev/null || fail "could not build the newer package $newer"

export VALLORA_KEEP_PREFIX=0 VALLORA_OWN_DISPLAY=1
. "$root/scripts/wine-env.sh"
wine_env_up "$work/prefix"

folder='C:\Program Files\Vallora'
installed="$WINEPREFIX/drive_c/Program Files/Vallora"
sample="$folder\\Desktops\\Kiosk.vla"
msi=$(winepath -w "$package")

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

# The default value of a registry key, empty when the key is missing.
default_value() {
    wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
}
record_value() {
    wine reg query 'HKLM\Software\Brenmark\Vallora' /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_SZ *//p"
}
# The installed products named Vallora, one "DisplayVersion" line each.
installed_versions() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | awk '
            /^HKEY/ { name = ""; version = "" }
            /^ *DisplayName *REG_SZ/ { name = $3 }
            /^ *DisplayVersion *REG_SZ/ { version = $3 }
            name == "Vallora" && version != "" { print version; name = "" }'
}
start_menu_entries() {
    find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Vallora.lnk' 2>/dev/null
}
# Whether a process of this prefix runs the named program.
runs_in_prefix() {
    for pid in $(pgrep -f "$1" 2>/dev/null); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}
end_prefix_processes() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# A session started by the given command reaches its task bar: the session
# record names the definition and the bar's window, written once the bar is
# shown; the watchdog runs from the install folder. A session that does not
# is reported, and the steps after it still run.
failed_sessions=""
failures=0
expect_session() {
    description=$1
    shift
    wine reg delete 'HKLM\Software\Brenmark\Vallora' /f >/dev/null 2>&1 || true
    "$@" >/dev/null 2>&1 &
    deadline=$(($(date +%s) + 60))
    until [ "$(record_value CurrentFile)" = "$sample" ] && [ "$(record_value Hwnd)" -gt 0 ] 2>/dev/null; do
        [ "$(date +%s)" -lt "$deadline" ] || break
        sleep 0.5
    done
    if [ "$(date +%s)" -ge "$deadline" ]; then
        failures=$((failures + 1))
        screen="$work/session-failed-$failures.png"
        import -display "$DISPLAY" -window root "$screen" 2>/dev/null || true
        echo "FAIL: $description: no task bar within 60 s (session record: CurrentFile='$(record_value CurrentFile)' Hwnd='$(record_value Hwnd)'); screen in $screen"
        failed_sessions="$failed_sessions
$description"
    else
        deadline=$(($(date +%s) + 20))
        until runs_in_prefix 'ValloraRun.exe'; do
            [ "$(date +%s)" -lt "$deadline" ] || fail "$description: the watchdog ValloraRun.exe did not start"
            sleep 0.5
        done
        echo "ok: $description reached its task bar (window $(record_value Hwnd))"
    fi
    end_prefix_processes
}

started=$(now)
wine msiexec /i "$msi" /qn || fail "msiexec /i /qn exited with $?"
echo "install: $(seconds "$started" "$(now)") s"

diff -r "$release" "$installed" || fail "the installed folder differs from the release folder"
writable=$(find "$installed/Desktops" -type f -perm /222)
[ -z "$writable" ] || fail "sample desktops not read-only: $writable"
# Saving over a sample, as the editor's Save would, is refused.
if wine "$folder\\vallora-tool.exe" resave "$sample" "$sample" >/dev/null 2>&1; then
    fail "saving over the read-only sample $sample succeeded"
fi
cmp -s "$release/Desktops/Kiosk.vla" "$installed/Desktops/Kiosk.vla" || fail "the sample $sample was changed"

while IFS='|' read -r key expected; do
    actual=$(default_value "HKLM\\Software\\Classes\\$key")
    [ "$actual" = "$expected" ] || fail "HKLM\\Software\\Classes\\$key is '$actual', expected '$expected'"
done <<EOF
.vla|Vallora.file
Vallora.file\\DefaultIcon|$folder\\Icons\\IconBlue.ICO,0
Vallora.file\\Shell\\Open\\Command|"$folder\\Vallora.exe" %1
EOF

shortcut=$(start_menu_entries)
[ -n "$shortcut" ] || fail "no Start menu entry Vallora.lnk"
grep -aq 'Vallora\.exe' "$shortcut" || fail "the Start menu entry does not name Vallora.exe"

# Opened as a double click opens it, through the registered command.
expect_session "the sample opened through its file type" wine start "$sample"
# Started as an administrator's script or shortcut starts it.
expect_session "\"$folder\\Vallora.exe\" \"$sample\"" wine "$folder\\Vallora.exe" "$sample"

# A definition the administrator saved beside the samples.
wine "$folder\\vallora-tool.exe" resave "$sample" "$folder\\Desktops\\Lobby.vla" ||
    fail "the installed vallora-tool.exe could not save a definition"
cp "$installed/Desktops/Lobby.vla" "$work/Lobby.vla"
end_prefix_processes

versions=$(installed_versions)
[ -n "$versions" ] && [ "$(echo "$versions" | wc -l)" -eq 1 ] ||
    fail "installed Vallora products after the install: '$versions'"
started=$(now)
wine msiexec /i "$(winepath -w "$newer")" /qn || fail "msiexec /i of the newer package exited with $?"
echo "upgrade: $(seconds "$started" "$(now)") s"
newer_versions=$(installed_versions)
[ "$(echo "$newer_versions" | wc -l)" -eq 1 ] && [ "$newer_versions" != "$versions" ] ||
    fail "installed Vallora products after the upgrade from $versions: '$newer_versions'"
cmp -s "$release/Vallora.exe" "$installed/Vallora.exe" || fail "no Vallora.exe after the upgrade"
echo "ok: version $newer_versions replaced $versions"
if wine msiexec /i "$msi" /qn; then
    fail "the older package $versions installed over $newer_versions"
fi
[ "$(installed_versions)" = "$newer_versions" ] || fail "installed after the refused downgrade: '$(installed_versions)'"
cmp -s "$work/Lobby.vla" "$installed/Desktops/Lobby.vla" ||
    fail "the administrator's Desktops\\Lobby.vla did not survive the upgrade"

started=$(now)
wine msiexec /x "$(winepath -w "$newer")" /qn || fail "msiexec /x /qn exited with $?"
echo "uninstall: $(seconds "$started" "$(now)") s"

left=$(cd "$release" && find . -type f | while read -r file; do
    if [ -e "$installed/$file" ]; then echo "$file"; fi
done)
[ -z "$left" ] || fail "left behind by the uninstall: $left"
cmp -s "$work/Lobby.vla" "$installed/Desktops/Lobby.vla" ||
    fail "the administrator's Desktops\\Lobby.vla did not survive the uninstall"
for key in .vla Vallora.file; do
    if wine reg query "HKLM\\Software\\Classes\\$key" >/dev/null 2>&1; then
        fail "HKLM\\Software\\Classes\\$key is still there"
    fi
done
[ -z "$(start_menu_entries)" ] || fail "the Start menu entry is still there"
echo "ok: $(wc -c <"$package") bytes installed and removed"
[ -z "$failed_sessions" ] || fail "sessions that did not start:$failed_sessions"
