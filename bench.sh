#!/usr/bin/env bash
# Installs what is missing, builds, and prints the bar's figures beside their
# baselines, measured side by side in one run on the same Wine, as one table.
# Not part of ./test.sh: the idle figure alone takes a minute.
#
#   ./bench.sh [idle-seconds [start-up-runs]]      (default 60 and 7)
#
# TYMP_BENCH_PREFIX names another Wine prefix to measure in (a copy of
# build/wineprefix), so that the bench can run beside tests in the shared one.
BENCH_PREFIX=${TYMP_BENCH_PREFIX:-}
. "$(dirname "$0")/scripts/setup.sh"
setup
if [ -n "$BENCH_PREFIX" ]; then
    export WINEPREFIX=$BENCH_PREFIX
    install_standins
    install_fonts
fi

XVFB_PID=
OUT=$(mktemp -d)
trap 'stop_wine; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; rm -rf "$OUT"; true' EXIT
start_xvfb
RUN="$ROOT/scripts/wine-run.sh"
BIN="$BUILD/bin"

say "Measuring the bar against its baselines on $DISPLAY (a few minutes)"
"$RUN" "$BIN/TympBench.exe" "$@" | tr -d '\r' | tee "$OUT/bench.txt" | grep -v '^ROW'
status=${PIPESTATUS[0]}

say "Slides of the auto-hide bar"
"$RUN" "$BIN/SlideBench.exe" 10 | tr -d '\r' | tee "$OUT/slide.txt"

# "  moves      min 25  median 25  max 26": the first is with full-window dragging.
read -r slide_min slide_median < <(awk '/^  moves/ { print $3, $5; exit }' "$OUT/slide.txt")
size() { stat -c %s "$1" 2>/dev/null || echo 0; }
bar_kb=$(( $(size "$BIN/TympController.exe") / 1024 ))
pane_kb=$(( $(size "$BIN/PaneKit.dll") / 1024 ))
base_kb=$(( $(size "$BIN/MinimalDialog.exe") / 1024 ))
{
    grep '^ROW' "$OUT/bench.txt" | cut -f2-
    if [ -n "${slide_median:-}" ]; then
        met=NO; [ "$slide_min" -ge 24 ] && met=yes
        printf 'Moves per 400 ms slide (min / median of 10)\t%s / %s\t-\t>= 24\t%s\n' "$slide_min" "$slide_median" "$met"
    else
        printf 'Moves per 400 ms slide\tnot measured\t-\t>= 24\tNO\n'
    fi
    printf 'Size of TympController.exe (KB)\t%s\t%s (MinimalDialog.exe)\t-\t-\n' "$bar_kb" "$base_kb"
    printf 'Size of PaneKit.dll (KB)\t%s\t-\t-\t-\n' "$pane_kb"
} > "$OUT/rows.tsv"

say "Figures ($(date -u '+%Y-%m-%d'), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores, $("$TYMP_WINE" --version))"
printf '| figure | the bar | baseline | target | met |\n|---|---|---|---|---|\n'
awk -F'\t' '{ printf "| %s | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5 }' "$OUT/rows.tsv"
if [ "$status" != 0 ] || [ "$(grep -c '^ROW' "$OUT/bench.txt")" = 0 ]; then
    echo "TympBench failed (exit $status)" >&2
    exit 1
fi
