# Sourced by the test and run scripts: starts a private Xvfb display and makes
# a Wine prefix on it, and tears both down (with every Wine process of the
# prefix) when the calling script exits.
#   wine_env_up <prefix-dir>   fresh prefix unless VALLORA_KEEP_PREFIX=1 and it exists

wine_env_down() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${VALLORA_XVFB_PID:-}" ]; then
        kill "$VALLORA_XVFB_PID" 2>/dev/null || true
        wait "$VALLORA_XVFB_PID" 2>/dev/null || true
        VALLORA_XVFB_PID=""
    fi
}

wine_env_up() {
    prefix="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    if [ -z "${DISPLAY:-}" ] || [ "${VALLORA_OWN_DISPLAY:-1}" = 1 ]; then
        # Pick a display number that no other run uses.
        n=$(( 90 + $$ % 500 ))
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        VALLORA_XVFB_PID=$!
        export DISPLAY=":$n"
        i=0
        while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    fi
    trap wine_env_down EXIT INT TERM
    if [ "${VALLORA_KEEP_PREFIX:-0}" != 1 ] || [ ! -f "$prefix/system.reg" ]; then
        rm -rf "$prefix"
        mkdir -p "$(dirname "$prefix")"
        export WINEPREFIX="$prefix"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    export WINEPREFIX="$prefix"
}
