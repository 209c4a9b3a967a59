# Shared by run.sh and test.sh: installs what is missing, builds for both word
# sizes, and prepares a Wine prefix and a home with a null sound device for each.
set -eu

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TYMP_BUILD_DIR:-$ROOT/build}
export TYMP_BUILD_DIR=$BUILD
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export TYMP_WINE=${TYMP_WINE:-wine}

say() { printf '\n== %s\n' "$*"; }

install_packages() {
    local missing=0
    for cmd in i686-w64-mingw32-g++-posix i686-w64-mingw32-windres g++ wine Xvfb xdotool xwininfo cmake clang-format; do
        command -v "$cmd" >/dev/null 2>&1 || missing=1
    done
    [ -x /usr/bin/import ] || missing=1
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing=1
    dpkg -s wine32:i386 >/dev/null 2>&1 || missing=1
    dpkg -s fonts-wine >/dev/null 2>&1 || missing=1
    if [ "$missing" = 0 ]; then
        say "Packages: all present"
        return
    fi
    say "Installing packages (Wine and its fonts, mingw-w64, Xvfb, xdotool, ImageMagick, GoogleTest, clang-format)"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
        wine wine32:i386 wine64 fonts-wine mingw-w64 xvfb xdotool imagemagick x11-utils \
        cmake make g++ googletest clang-format >/dev/null
}

# The program ships for 32-bit Windows, built in build/, and for 64-bit Windows,
# built in build64/. Wine runs 32-bit code natively where the kernel runs 32-bit
# x86 programs: there build/ is the one the tests run (BUILD), and the areas
# where the word size matters run again from build64/ (OTHER). On a kernel
# without 32-bit support the two swap places, and 32-bit code does not run.
choose_builds() {
    if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        OTHER=${BUILD}64
        OTHER_WINE=/usr/lib/wine/wine64
    else
        say "This kernel runs no 32-bit x86 code (IA-32 emulation is off): testing the 64-bit build"
        BUILD=${BUILD}64
        OTHER=
        OTHER_WINE=
        TYMP_WINE=/usr/lib/wine/wine64
    fi
    export TYMP_BUILD_DIR=$BUILD WINEPREFIX=$BUILD/wineprefix TYMP_WINE
}

# Runs a command with the other build's tree, prefix and loader.
with_other() {
    TYMP_BUILD_DIR=$OTHER WINEPREFIX=$OTHER/wineprefix TYMP_WINE=$OTHER_WINE BUILD=$OTHER "$@"
}

prepare_prefix() {
    mkdir -p "$BUILD/home"
    # Wine reports a mixer and a wave output only with a sound device; a null one will do.
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$BUILD/home/.asoundrc"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        say "Creating the Wine prefix $WINEPREFIX"
        HOME=$BUILD/home "$TYMP_WINE" wineboot -i >/dev/null 2>&1 || true
    fi
    # A crash must fail a test, not wait on a dialog. Without a window manager
    # on the virtual screen, managed windows make Wine wait for one on every hide.
    HOME=$BUILD/home "$TYMP_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    HOME=$BUILD/home "$TYMP_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    install_fonts
}

# Without Wine's own TrueType fonts the caption buttons are drawn as letters
# (no Marlett) and captions, menus and tooltips in a bitmap font (no Tahoma).
# Wine finds the files in the Windows font folder by itself.
install_fonts() {
    local fonts=$WINEPREFIX/drive_c/windows/Fonts font
    mkdir -p "$fonts"
    for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
        cmp -s "/usr/share/wine/fonts/$font" "$fonts/$font" || cp "/usr/share/wine/fonts/$font" "$fonts/$font"
    done
}

# build DIR mingw32|mingw64: the program and its tests for 32-bit Windows, or for 64-bit.
build() {
    say "Building in $1"
    cmake -S "$ROOT" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$2.cmake" >/dev/null
    cmake --build "$1" -j"$(nproc)"
}

# Starts a private X server unless one is given; sets DISPLAY.
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && return; sleep 0.1; done
    echo "Xvfb did not start" >&2
    return 1
}

stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# The stand-in Volume Control goes where the bar looks for the real one.
install_standins() {
    cp "$BUILD/bin/Sndvol32.exe" "$WINEPREFIX/drive_c/windows/Sndvol32.exe"
}

# Every C++ file of the tree as the tree's .clang-format writes it; names the ones that are not.
check_format() {
    local bad
    bad=$(cd "$ROOT" && git ls-files -- '*.cpp' '*.h' '*.c' | while read -r f; do
        clang-format --dry-run --Werror --style=file "$f" >/dev/null 2>&1 || echo "    $f"
    done)
    [ -z "$bad" ] && return
    printf 'Not formatted with .clang-format (run clang-format -i on them):\n%s\n' "$bad" >&2
    return 1
}

# setup [check-format]: with check-format, refuses an unformatted tree before building.
setup() {
    install_packages
    [ "${1:-}" != check-format ] || check_format
    build "$BUILD" mingw32
    build "${BUILD}64" mingw64
    choose_builds
    prepare_prefix
    install_standins
    if [ -n "$OTHER" ]; then
        with_other prepare_prefix
        with_other install_standins
        # The other word size's package, which the package test unpacks beside this one's.
        cmake --build "$OTHER" --target package >/dev/null
        TYMP_OTHER_ZIP=$(ls "$OTHER"/TympStudioController-*.zip)
        export TYMP_OTHER_ZIP
    fi
    # The Wine server started above has no display; programs started later
    # must get one of their own, with the display they are given.
    stop_wine
}
