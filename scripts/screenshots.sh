#!/usr/bin/env bash
# Takes the README's pictures of the bar: one per face, from the real
# program on a virtual screen. Run ./run.sh once first (it builds).
. "$(dirname "$0")/setup.sh"

OUT=$ROOT/docs
mkdir -p "$OUT"
RUN="$ROOT/scripts/wine-run.sh"
CTL="$BUILD/bin/tympctl.exe"
KEY='HKCU\Software\Marvik\Tymp Studio\TympController\Settings'

XVFB_PID=
trap 'stop_wine; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT
start_xvfb

# shot NAME STATE CROP: docks the bar per STATE (4 bytes, little-endian) and crops the screen.
shot() {
    "$RUN" reg add "$KEY" /v State /t REG_BINARY /d "$2" /f >/dev/null 2>&1
    "$RUN" reg add "$KEY" /v InsertIconToTaskbarWhenQuit /t REG_BINARY /d 00000000 /f >/dev/null 2>&1
    "$RUN" "$BUILD/bin/TympController.exe" &
    "$RUN" "$CTL" wait "Tymp Studio 3.0" 60
    sleep 3
    import -window root -crop "$3" +repage "$OUT/$1.png"
    "$RUN" "$CTL" close "Tymp Studio 3.0" 30
    say "$OUT/$1.png"
}

shot bar-floating FEFFFFFF 424x61+300+208
shot bar-docked-top 01000000 1024x32+0+0
shot bar-docked-left 00000000 32x400+0+0
