# Shared by scripts/run and scripts/test: the packages, the build, the Wine
# prefix and the virtual display. Source it; it sets ROOT, BUILD and the Wine
# environment.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${VIDMORA_BUILD:-$ROOT/build}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

log() { printf '%s\n' "$*" >&2; }

# Debian packages by the command that tells whether each is there.
need_packages() {
    local missing=() pair cmd pkg
    for pair in "$@"; do
        cmd=${pair%%:*}
        pkg=${pair#*:}
        if [ "${cmd#/}" != "$cmd" ]; then [ -e "$cmd" ] || missing+=("$pkg")
        else command -v "$cmd" >/dev/null 2>&1 || missing+=("$pkg"); fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "Installing ${missing[*]} ..."
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

BUILD_PACKAGES=(
    cmake:cmake ninja:ninja-build
    x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix
    i686-w64-mingw32-g++-posix:g++-mingw-w64-i686-posix
    /usr/src/googletest/CMakeLists.txt:googletest
)
RUN_PACKAGES=(
    $WINE:wine64 Xvfb:xvfb xdotool:xdotool
    /usr/bin/convert:imagemagick /usr/bin/ffprobe:ffmpeg
)

# Configures and builds one target: x86_64 or i686.
build_target() {
    local arch=$1 dir=$BUILD/$1
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" >/dev/null || return 1
    fi
    cmake --build "$dir" -- -j"$(nproc)" >"$BUILD/build-$arch.log" 2>&1 || {
        cat "$BUILD/build-$arch.log" >&2
        return 1
    }
}

# A Wine prefix of our own: DirectX 5 registered, Wine drawing its own window
# frames (no window manager on the virtual display), no debugger, Wine's
# fonts in place.
prepare_prefix() {
    [ -f "$WINEPREFIX/.vidmora-ready" ] && return 0
    log "Preparing the Wine prefix in $WINEPREFIX ..."
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINE" reg add 'HKLM\SOFTWARE\Microsoft\DirectX' /v Version /t REG_SZ /d 4.05.00.0155 /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crash ends the program instead of waiting in the debugger.
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d false /f >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    "$WINESERVER" -w
    touch "$WINEPREFIX/.vidmora-ready"
}

# A wineserver kept running, so that each program starts in a fraction of a
# second, and Wine's own services started here, with no inherited output:
# started by a test instead, they would hold its output pipe open.
start_wine() {
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null || true    # one may already run
    "$WINE" wineboot >/dev/null 2>&1 </dev/null
}

stop_wine() {
    "$WINESERVER" -k >/dev/null 2>&1
    "$WINESERVER" -w >/dev/null 2>&1
}

XVFB_PID=
# Uses the display there is, or starts a virtual one of 1024 x 768 x 24.
start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
}

stop_display() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}
