#!/usr/bin/env bash
# Takes the README's pictures from the real program on a virtual screen:
# the three faces, the menu, the Setup sheet and the notification icon's
# menu. Uses a prefix of its own, so it never disturbs a test run.
. "$(dirname "$0")/setup.sh"
setup
export WINEPREFIX=$BUILD/wineprefix-shots
prepare_prefix
install_standins
stop_wine

OUT=$ROOT/docs
mkdir -p "$OUT"
RUN="$ROOT/scripts/wine-run.sh"
CTL="$BUILD/bin/tympctl.exe"
KEY='HKCU\Software\Marvik\Tymp Studio\TympController\Settings'
TITLE="Tymp Studio 3.0"

XVFB_PID=
trap 'stop_wine; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT
start_xvfb

# start_bar STATE: the bar, docked per STATE (4 bytes, little-endian), with no modules.
start_bar() {
    "$RUN" reg add "$KEY" /v State /t REG_BINARY /d "$1" /f >/dev/null 2>&1
    "$RUN" reg add "$KEY" /v InsertIconToTaskbarWhenQuit /t REG_BINARY /d 00000000 /f >/dev/null 2>&1
    "$RUN" reg add "$KEY" /v ModuleSequence /t REG_BINARY /d 0000000000000000000000000000000000000000 /f >/dev/null 2>&1
    "$RUN" "$BUILD/bin/TympController.exe" &
    "$RUN" "$CTL" wait "$TITLE" 60
    sleep 6     # past the progress window, which carries the same title
}
close_bar() {
    "$RUN" "$CTL" close "$TITLE" 30
}
shot() {
    import -window root -crop "$2" +repage "$OUT/$1.png"
    say "$OUT/$1.png"
}

start_bar FEFFFFFF
shot bar-floating 424x61+300+208
xdotool mousemove 700 240 click 3
sleep 1
shot bar-menu 560x420+300+208
xdotool key Escape
sleep 0.5
xdotool mousemove 386 239 click 1       # the Setup button
sleep 2
shot setup-sheet 520x520+252+120
xdotool key Escape
sleep 1
close_bar

start_bar 01000000
shot bar-docked-top 1024x32+0+0
close_bar
start_bar 00000000
shot bar-docked-left 32x400+0+0
close_bar

"$RUN" "$BUILD/bin/TympController.exe" " AddIconToTaskbarWhenQuit" &
sleep 3
xdotool mousemove 600 300
"$RUN" "$CTL" post "$TITLE" 0x720 128 0x204     # the icon's right-button press
sleep 1
shot tray-menu 260x260+590+290
xdotool key Escape
