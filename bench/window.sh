#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Varko 2000 — window benchmark: drops on the main window, and Pack It from it against --pack.
#
# Runs bench/windowbench on the offscreen platform: 10,000 files and then a
# folder of 50,000 small files dropped on the real main window (time to the
# finished totals, longest gap between the window's paints; goal under 100 ms),
# then Pack It from the window on the pipeline benchmark's release against
# `varko2000 --pack` on the same release and script, in turn, RUNS times each;
# the best of each counts (goal: the window within 10%).
#
#   bench/window.sh [BUILD_DIR]         (default: build; RELEASE_MB=100 RUNS=3)
set -euo pipefail

build=$(realpath "${1:-build}")
release_mb=${RELEASE_MB:-100}
runs=${RUNS:-3}
bin="$build/bin"
for tool in "$bin/windowbench" "$bin/varko2000" "$bin/wrar" /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "window.sh: $tool is missing (build first)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/varko-window.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p -m 700 "$work/run"
mkdir -p "$work/tmp" "$work/home-drop" "$work/home-window" "$work/home-pack"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp"
. "$(dirname "$0")/release.sh"

"$bin/windowbench" drop "$work/home-drop" "$work/drop" | tee "$work/drops"
longest=$(grep -o 'without a paint [0-9]*' "$work/drops" | grep -o '[0-9]*$' | sort -n | tail -1)
printf 'drops: longest without a paint %s ms, goal < 100 ms: %s\n' "$longest" \
  "$([ "$longest" -lt 100 ] && echo met || echo 'NOT met')"
rm -rf "$work/drop"

echo "building a ${release_mb} MB release in $work ..." >&2
make_release "$work/rel" "$release_mb"
write_script "$work/bench.v2k" 3 "$work/out" "$work/rel"

# window|pack -> prints seconds; the zips are counted, then removed
pack_once() {
  rm -rf "$work/out" && mkdir -p "$work/out"
  if [ "$1" = window ]; then
    VARKO_HOME="$work/home-window" "$bin/windowbench" pack "$work/home-window" "$work/bench.v2k" bench \
      2>"$work/window.log" || { cat "$work/window.log" >&2; exit 1; }
  else
    VARKO_HOME="$work/home-pack" /usr/bin/time -f '%e' -o "$work/time" \
      "$bin/varko2000" --pack "$work/bench.v2k" --name bench >/dev/null 2>"$work/pack.log" ||
      { cat "$work/pack.log" >&2; exit 1; }
    cat "$work/time"
  fi
  ls "$work/out" | wc -l >"$work/zips-$1"
}

window_s=() pack_s=()
for _ in $(seq 1 "$runs"); do
  sync; window_s+=("$(pack_once window)")
  sync; pack_s+=("$(pack_once pack)")
done
least() { printf '%s\n' "$@" | sort -g | head -1; }
window_best=$(least "${window_s[@]}") pack_best=$(least "${pack_s[@]}")
ratio=$(echo "scale=3; $window_best / $pack_best" | bc)
printf 'Pack It: window %.2f s (%s zips), --pack %.2f s (%s zips), best of %s; ratio %.3f, goal <= 1.10: %s\n' \
  "$window_best" "$(cat "$work/zips-window")" "$pack_best" "$(cat "$work/zips-pack")" "$runs" "$ratio" \
  "$([ "$(echo "$ratio <= 1.10" | bc)" = 1 ] && echo met || echo 'NOT met')"
printf '         all runs: window %s; --pack %s\n' "${window_s[*]}" "${pack_s[*]}"
