# Wine test bench: a private Xvfb display, the project's own Wine prefix and a warm wineserver.
# Source this file; call bench_up, then bench_down when done (bench_up installs an EXIT trap).

ZELKO_ROOT=${ZELKO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ZELKO_WINE_DIR=${ZELKO_WINE_DIR:-$ZELKO_ROOT/build/wine}
BENCH_STAMP_VERSION=4

bench_env() {
    # The locale the tests assume, whatever the shell has (a fresh Debian root shell has none):
    # Wine takes its code pages and keyboard layout from it. A test that runs as on a Japanese
    # Windows names its own in ZELKO_WINE_LOCALE (ja_JP.UTF-8: ANSI code page 932).
    export LANG=C.UTF-8 LC_ALL=${ZELKO_WINE_LOCALE:-C.UTF-8}
    export WINEPREFIX=$ZELKO_WINE_DIR/prefix
    export WINEARCH=win64
    export WINEDEBUG=${WINEDEBUG:--all}
    # winedbg off: a program that crashes ends at once instead of waiting in the debugger.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
    export XDG_CONFIG_HOME=$ZELKO_WINE_DIR/xdg/config
    export XDG_DATA_HOME=$ZELKO_WINE_DIR/xdg/data
    export XDG_CACHE_HOME=$ZELKO_WINE_DIR/xdg/cache
    export XDG_RUNTIME_DIR=$ZELKO_WINE_DIR/xdg/runtime
    export ZELKO_WINE=$(command -v wine || echo /usr/lib/wine/wine64)
    # The reference web service's port: the Windows build's server addresses point at it.
    export ZELKO_SERVICE_PORT=${ZELKO_SERVICE_PORT:-47080}
    # WinINet under Wine honours these; the tests talk to loopback only.
    unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# Settings the bench needs: no window manager tricks, no sound device, Japanese fonts.
bench_write_registry() {
    local reg=$ZELKO_WINE_DIR/bench.reg
    {
        printf '\xef\xbb\xbf'
        cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
REG
    } | iconv -f UTF-8 -t UTF-16LE >"$reg"
    "$ZELKO_WINE" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1 || true
}

winepath_of() { echo "Z:${1//\//\\}"; }

bench_make_prefix() {
    local stamp=$WINEPREFIX/.zelko-bench
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$BENCH_STAMP_VERSION" ]; then
        return 0
    fi
    echo "bench: creating the Wine prefix in $WINEPREFIX (about 15 s)"
    rm -rf "$WINEPREFIX"
    "$ZELKO_WINE" wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
    bench_write_registry
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w || true
    "$ZELKO_WINE" reg export 'HKCR\http\shell\open\command' \
        "$(winepath_of "$ZELKO_WINE_DIR/http-command.reg")" /y >/dev/null 2>&1 || true
    wineserver -w || true
    echo "$BENCH_STAMP_VERSION" >"$stamp"
}

# Puts back what the tests change in the prefix, in case a test run was cut short: the default
# browser registration, the simulator's published pens and the resident program's per-user
# settings (which every start would read before the file beside the program).
bench_reset_test_state() {
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/Orvandale
    if [ -f "$ZELKO_WINE_DIR/http-command.reg" ]; then
        "$ZELKO_WINE" reg import "$(winepath_of "$ZELKO_WINE_DIR/http-command.reg")" \
            </dev/null >/dev/null 2>&1 || true
    fi
    "$ZELKO_WINE" reg delete 'HKCU\Software\ZelkoPenSimulator' /f </dev/null >/dev/null 2>&1 || true
    return 0
}

# The virtual pen drivers (testtools/virtualpen), installed into the prefix from their INF by
# ZelkoVirtualPenSetup.exe once per build of them: a stamp keeps the digest of the installed files.
# Changed drivers are first removed and the session restarted, so that no old driver stays loaded
# while the new files are copied. Nothing is installed before the Windows build has made them.
BENCH_VIRTUAL_PEN_STAMP=.zelko-virtualpen

bench_virtual_pen_files() {
    BENCH_VIRTUAL_PEN_FOLDER=$ZELKO_ROOT/build/windows/bin/virtualpen
    BENCH_VIRTUAL_PEN_SETUP=$ZELKO_ROOT/build/windows/bin/ZelkoVirtualPenSetup.exe
    [ -f "$BENCH_VIRTUAL_PEN_SETUP" ] && [ -f "$BENCH_VIRTUAL_PEN_FOLDER/ZelkoVirtualPen.inf" ]
}

bench_restart_session() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    wineserver -p </dev/null >/dev/null 2>&1 || true
    "$ZELKO_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

bench_install_virtual_pen() {
    bench_virtual_pen_files || return 0
    local stamp=$WINEPREFIX/$BENCH_VIRTUAL_PEN_STAMP digest
    digest=$(cat "$BENCH_VIRTUAL_PEN_FOLDER"/* | sha256sum | cut -c1-64)
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$digest" ]; then
        return 0
    fi
    echo "bench: installing the virtual pen drivers"
    : >"$ZELKO_WINE_DIR/virtualpen-setup.log"
    bench_remove_virtual_pen
    bench_restart_session
    if ! "$ZELKO_WINE" "$BENCH_VIRTUAL_PEN_SETUP" install "$(winepath_of "$BENCH_VIRTUAL_PEN_FOLDER")" \
        </dev/null >>"$ZELKO_WINE_DIR/virtualpen-setup.log" 2>&1; then
        echo "bench: the virtual pen drivers did not install (the VirtualPen tests will fail):" >&2
        cat "$ZELKO_WINE_DIR/virtualpen-setup.log" >&2
        return 0
    fi
    echo "$digest" >"$stamp"
}

# Takes the virtual pen drivers out of the prefix (the bus device, its OEM INF and the services).
bench_remove_virtual_pen() {
    bench_virtual_pen_files || return 0
    "$ZELKO_WINE" "$BENCH_VIRTUAL_PEN_SETUP" remove "$(winepath_of "$BENCH_VIRTUAL_PEN_FOLDER")" \
        </dev/null >>"$ZELKO_WINE_DIR/virtualpen-setup.log" 2>&1 || true
    rm -f "$WINEPREFIX/$BENCH_VIRTUAL_PEN_STAMP"
}

# Xvfb chooses a free display itself and writes its number to descriptor 3 once it is ready (a
# guess from the lock files in /tmp collides with an X server that another file-system view runs).
bench_start_xvfb() {
    local numberFile=$ZELKO_WINE_DIR/xvfb.display n i
    rm -f "$numberFile"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp </dev/null \
        >"$ZELKO_WINE_DIR/xvfb.log" 2>&1 3>"$numberFile" &
    BENCH_XVFB_PID=$!
    for i in $(seq 1 100); do
        # Complete once the line has its end: read fails on a line still being written.
        if read -r n <"$numberFile" 2>/dev/null && [[ $n =~ ^[0-9]+$ ]]; then
            export DISPLAY=":$n"
            return 0
        fi
        kill -0 "$BENCH_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "bench: Xvfb did not come up:" >&2
    cat "$ZELKO_WINE_DIR/xvfb.log" >&2
    return 1
}

# The loopback addresses the reference service answers on: the update server and the auto-login
# service (127.0.0.1 and "localhost"), the service's numeric origins and ordinary site hosts.
BENCH_SERVICE_ADDRESSES="127.0.0.2 127.0.0.3 127.0.0.4 127.0.0.5 127.0.0.6 127.0.0.7"

bench_start_service() {
    local arguments=(--port "$ZELKO_SERVICE_PORT" --pid-file "$ZELKO_WINE_DIR/service.pid")
    local address
    for address in $BENCH_SERVICE_ADDRESSES; do
        arguments+=(--address "$address")
    done
    /usr/bin/python3 "$ZELKO_ROOT/testtools/webservice/reference_service.py" "${arguments[@]}" \
        </dev/null >"$ZELKO_WINE_DIR/service.log" 2>&1 &
    BENCH_SERVICE_PID=$!
    local i
    for i in $(seq 1 100); do
        if /usr/bin/python3 - "$ZELKO_SERVICE_PORT" <<'PY' 2>/dev/null; then
import sys, urllib.request
urllib.request.urlopen("http://127.0.0.1:%s/__zelko/ping" % sys.argv[1], timeout=1).read()
PY
            return 0
        fi
        kill -0 "$BENCH_SERVICE_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "bench: the reference service did not come up on port $ZELKO_SERVICE_PORT:" >&2
    cat "$ZELKO_WINE_DIR/service.log" >&2
    return 1
}

bench_up() {
    mkdir -p "$ZELKO_WINE_DIR"
    bench_env
    trap bench_down EXIT
    BENCH_XVFB_PID=
    if [ -z "${DISPLAY:-}" ]; then
        bench_start_xvfb || return 1
    fi
    bench_make_prefix
    # Keep the wineserver warm for the whole run.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    # Start the session's background programs now, with no pipe of ours inherited: a caller that
    # reads a program's output through a pipe would otherwise wait for them to end.
    "$ZELKO_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
    bench_install_virtual_pen
    bench_reset_test_state
    BENCH_SERVICE_PID=
    # A bench that needs no web service (the soak) sets ZELKO_BENCH_SERVICE=off, and so never
    # competes with a test bench for the port.
    if [ "${ZELKO_BENCH_SERVICE:-on}" != off ]; then
        bench_start_service || return 1
    fi
    BENCH_UP=1
}

bench_down() {
    [ -n "${BENCH_UP:-}" ] || [ -n "${BENCH_XVFB_PID:-}" ] || [ -n "${BENCH_SERVICE_PID:-}" ] ||
        return 0
    if [ -n "${BENCH_SERVICE_PID:-}" ]; then
        kill "$BENCH_SERVICE_PID" 2>/dev/null || true
        wait "$BENCH_SERVICE_PID" 2>/dev/null || true
        BENCH_SERVICE_PID=
    fi
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
    fi
    if [ -n "${BENCH_XVFB_PID:-}" ]; then
        kill "$BENCH_XVFB_PID" 2>/dev/null || true
        wait "$BENCH_XVFB_PID" 2>/dev/null || true
        BENCH_XVFB_PID=
    fi
    BENCH_UP=
}
