#!/usr/bin/env bash
# Takes the README's pictures from the real program on a virtual screen: the
# bar floating, docked and auto-hidden, its menu, the Setup sheet's pages, the
# About box, the Launch Applications dialog and the notification icon's menu.
# Each picture is cropped to the rectangles of the windows it shows. Uses a
# prefix of its own, so it never disturbs a test run.
. "$(dirname "$0")/setup.sh"
set -o pipefail     # a tympctl that fails stops the script
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
SETUP="Tymp Studio Setup"
MENU="#32768"
WM_COMMAND=0x111

XVFB_PID=
trap 'stop_wine; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT
start_xvfb

ctl() { "$RUN" "$CTL" "$@" | tr -d '\r'; }
# rect TITLE: where that window shows, once it shows and has painted, as WxH+X+Y.
rect() {
    local r
    r=$(ctl rect "$1" 30) || { echo "no window \"$1\"" >&2; exit 1; }
    echo "$r"
}
# grow WxH+X+Y N [N_BELOW]: the rectangle grown by N pixels on each side (N_BELOW below), within the screen.
grow() {
    local w h x y n=$2 below=${3:-$2}
    IFS='x+' read -r w h x y <<< "$1"
    local l=$((x - n)) t=$((y - n)) r=$((x + w + n)) b=$((y + h + below))
    ((l < 0)) && l=0; ((t < 0)) && t=0; ((r > 1024)) && r=1024; ((b > 768)) && b=768
    echo "$((r - l))x$((b - t))+$l+$t"
}
# union WxH+X+Y WxH+X+Y: the smallest rectangle that holds both.
union() {
    local w1 h1 x1 y1 w2 h2 x2 y2
    IFS='x+' read -r w1 h1 x1 y1 <<< "$1"
    IFS='x+' read -r w2 h2 x2 y2 <<< "$2"
    local l=$((x1 < x2 ? x1 : x2)) t=$((y1 < y2 ? y1 : y2))
    local r=$((x1 + w1 > x2 + w2 ? x1 + w1 : x2 + w2)) b=$((y1 + h1 > y2 + h2 ? y1 + h1 : y2 + h2))
    echo "$((r - l))x$((b - t))+$l+$t"
}
# until_rect TITLE HEIGHT: waits (up to 10 s) until the window shows HEIGHT pixels on the screen.
until_rect() {
    local r
    for _ in $(seq 40); do
        r=$(rect "$1")
        IFS='x+' read -r _ h _ _ <<< "$r"
        [ "$h" = "$2" ] && return
        sleep 0.25
    done
    echo "\"$1\" never showed $2 pixels high (last $r)" >&2
    exit 1
}
shot() {
    [ -n "$2" ] || exit 1
    import -window root -crop "$2" +repage -colors 256 "PNG8:$OUT/$1.png"
    say "$OUT/$1.png ($2)"
}
# start_bar STATE [AUTOHIDE]: the bar, docked per STATE (4 bytes, little-endian), with no modules.
start_bar() {
    "$RUN" reg add "$KEY" /v State /t REG_BINARY /d "$1" /f >/dev/null 2>&1
    "$RUN" reg add "$KEY" /v AutoHide /t REG_BINARY /d "${2:-00000000}" /f >/dev/null 2>&1
    "$RUN" reg add "$KEY" /v InsertIconToTaskbarWhenQuit /t REG_BINARY /d 00000000 /f >/dev/null 2>&1
    "$RUN" reg add "$KEY" /v ModuleSequence /t REG_BINARY /d 0000000000000000000000000000000000000000 /f >/dev/null 2>&1
    xdotool mousemove 512 384
    "$RUN" "$BUILD/bin/TympController.exe" &
    ctl wait "$TITLE" 60 || exit 1      # past the progress window, which carries the same title
}
close_bar() {
    ctl close "$TITLE" 30
}
# dialog COMMAND TITLE NAME: opens a dialog with a command to the bar, takes it, and cancels it.
dialog() {
    ctl post "$TITLE" $WM_COMMAND "$1" 0
    shot "$3" "$(rect "$2")"
    ctl post "$2" $WM_COMMAND 2 0       # IDCANCEL
    ctl gone "$2" 30
}

start_bar FEFFFFFF
bar=$(rect "$TITLE")
shot bar-floating "$(grow "$bar" 0 8)"     # with its feet, just below it
IFS='x+' read -r w h x y <<< "$bar"
ctl post "$TITLE" 0x7B 0 $(( (y + h) << 16 | (x + w / 2) ))     # WM_CONTEXTMENU below its middle, clear of the feet
shot bar-menu "$(union "$(grow "$bar" 0 8)" "$(rect "$MENU")")"
ctl post "$TITLE" 0x1F 0 0                  # WM_CANCELMODE ends the menu
ctl gone "$MENU" 30

ctl post "$TITLE" $WM_COMMAND 105 0         # Setup
rect "$SETUP" >/dev/null
for page in 0 1 2; do
    ctl send "$SETUP" 0x465 $page 0         # PSM_SETCURSEL
    shot "setup-page$((page + 1))" "$(rect "$SETUP")"
done
ctl post "$SETUP" $WM_COMMAND 2 0
ctl gone "$SETUP" 30
dialog 32774 "About $TITLE" about
dialog 106 "Launch Applications" launch-apps
close_bar

start_bar 01000000
shot bar-docked-top "$(rect "$TITLE")"
close_bar
start_bar 00000000
shot bar-docked-left "$(rect "$TITLE")"
close_bar

# Auto-hidden at the bottom edge: a 2-pixel strip until the pointer touches it.
start_bar 03000000 01000000
until_rect "$TITLE" 2
IFS='x+' read -r w h x y <<< "$(rect "$TITLE")"
shot bar-autohide-strip "${w}x$((h + 14))+$x+$((y - 14))"     # with the screen's edge above it
xdotool mousemove 512 767
until_rect "$TITLE" 32
shot bar-autohide-shown "$(rect "$TITLE")"
xdotool mousemove 512 384
close_bar

"$RUN" "$BUILD/bin/TympController.exe" " AddIconToTaskbarWhenQuit" &
xdotool mousemove 600 300
for _ in $(seq 60); do      # its window is never shown: wait until the icon's right-button press arrives
    ctl post "$TITLE" 0x720 128 0x204 && break
    sleep 0.5
done
shot tray-menu "$(rect "$MENU")"
