#!/usr/bin/env bash
# Installs what is missing, builds, and starts the bar under Wine: on
# $DISPLAY when there is one, otherwise on a virtual screen, of which it
# saves a screenshot before it closes the bar again.
. "$(dirname "$0")/scripts/setup.sh"
setup

BAR="$BUILD/bin/TympController.exe"
RUN="$ROOT/scripts/wine-run.sh"
TITLE="Tymp Studio 3.0"

if [ -n "${DISPLAY:-}" ]; then
    say "Starting the bar on $DISPLAY (close it with its Exit button)"
    exec "$RUN" "$BAR"
fi

XVFB_PID=
trap 'stop_wine; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT
start_xvfb
say "No display: starting the bar on the virtual screen $DISPLAY"
"$RUN" "$BAR" &
"$RUN" "$BUILD/bin/tympctl.exe" wait "$TITLE" 60
sleep 3     # the start-up waits and the first paint
SHOT="$BUILD/screenshot.png"
import -window root "$SHOT"
say "Screenshot of the bar: $SHOT"
"$RUN" "$BUILD/bin/tympctl.exe" close "$TITLE" 30
say "The bar has ended"
