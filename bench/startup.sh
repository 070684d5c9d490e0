#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Varko 2000 — start-up benchmark: the main window against a bare Qt window.
#
# Starts bench/startupbench under a virtual X display (or DISPLAY when set):
# once cold (a fresh data folder, so options.ini and varko2k.ini are written)
# and RUNS times warm, for the main window and for an empty QWidget. Prints
# the time to the first paint, the shutdown time and the peak resident memory,
# and the main window's over the bare window's. Goals on this machine: painted
# within 500 ms, under 80 MB resident.
#
#   bench/startup.sh [BUILD_DIR]        (default: build; RUNS=5)
set -euo pipefail

build=$(realpath "${1:-build}")
runs=${RUNS:-5}
bench="$build/bin/startupbench"
[ -x "$bench" ] || { echo "startup.sh: $bench is missing (build first)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/varko-startup.XXXXXX")
xvfb=""
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || { echo "startup.sh: Xvfb is missing (package xvfb)" >&2; exit 2; }
  export DISPLAY=:$((100 + RANDOM % 100))
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 & xvfb=$!
  sleep 1
fi
export XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" TMPDIR="$work"

# median of "paint close rss" lines, column by column
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
measure() { # MODE HOME RUNS -> lines
  for _ in $(seq "$3"); do VARKO_HOME="$2" "$bench" "$1"; done
}

mkdir -p "$work/cold" "$work/warm"
cold=$(measure window "$work/cold" 1)
measure window "$work/warm" 1 >/dev/null # writes the files the warm runs read
warm=$(measure window "$work/warm" "$runs")
bare=$(measure bare "$work/warm" "$runs")

col() { echo "$1" | awk -v c="$2" '{ print $c }' | median; }
printf '%-22s %9s %9s %9s\n' "" "paint ms" "close ms" "peak MB"
for row in "window, cold:$cold" "window, warm:$warm" "bare Qt window:$bare"; do
  name=${row%%:*}; data=${row#*:}
  printf '%-22s %9s %9s %9.1f\n' "$name" "$(col "$data" 1)" "$(col "$data" 2)" "$(echo "$(col "$data" 3) / 1024" | bc -l)"
done
awk -v w="$(col "$warm" 1)" -v b="$(col "$bare" 1)" -v wm="$(col "$warm" 3)" -v bm="$(col "$bare" 3)" 'BEGIN {
  printf "ratio window/bare: paint %.2f, memory %.2f\n", w / (b > 0 ? b : 1), wm / bm
  printf "goals: painted within 500 ms: %s; under 80 MB: %s\n", (w <= 500 ? "yes" : "NO"), (wm < 80 * 1024 ? "yes" : "NO") }'
