#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Varko 2000 — PAR 2.0 benchmark: our writer against the par2 client on one set.
#
# Makes a set of ZIPS files of ZIP_BYTES random bytes each (by default 210 zips
# of 1,457,664 bytes: about 306 MB, a set of floppy zips that does not
# compress), then creates 10 % recovery over it RUNS times with our writer
# (par2bench) and with `par2 create`, in turn so that a load on the machine
# falls on both, with the slice size a pack would choose (set size / 1000, a
# multiple of 4) and as many volume files as ours. The best time of each
# counts. Prints both times, ours over par2's against the goal, and our peak
# memory against its bound; par2 verifies our files. Then the repair of two lost
# zips of a real packed set, ours against par2's, on the same PAR2 files.
#
#   bench/par2.sh [BUILD_DIR]       (default: build; ZIPS=210 ZIP_BYTES=1457664 RUNS=3)
#
# Not a test: it takes a minute and needs three times the set's size of disk.
set -euo pipefail

build=$(realpath "${1:-build}")
zips=${ZIPS:-210}
zip_bytes=${ZIP_BYTES:-1457664}
runs=${RUNS:-3}
percent=10
bench="$build/bin/par2bench"
for tool in "$bench" par2 /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "par2.sh: $tool is missing (build first)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/varko-par2.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/set" "$work/ours" "$work/theirs"
echo "making $zips zips of $zip_bytes bytes in $work ..." >&2
for i in $(seq -f '%03g' 1 "$zips"); do
  head -c "$zip_bytes" /dev/urandom >"$work/set/bench$i.zip"
done
files=("$work"/set/*.zip)
total=$((zips * zip_bytes))
slice=$(((total / 1000 > 4096 ? total / 1000 : 4096) + 3))
slice=$((slice / 4 * 4))

# ours -> prints "seconds peakKB"
ours() {
  rm -f "$work"/ours/*
  "$bench" create "$work/ours/bench" "$percent" "$slice" "${files[@]}"
}

# theirs VOLUMES -> prints seconds
theirs() {
  rm -f "$work"/theirs/*
  /usr/bin/time -f '%e %M' -o "$work/time" \
    par2 create -q -q "-B$work/set" "-r$percent" "-s$slice" "-n$1" "$work/theirs/bench.par2" "${files[@]}" >/dev/null
  cut -d' ' -f1 "$work/time"
}

least() { printf '%s\n' "$@" | sort -g | head -1; }
most() { printf '%s\n' "$@" | sort -g | tail -1; }

ours_s=() ours_kb=() theirs_s=()
for _ in $(seq 1 "$runs"); do
  sync
  read -r s kb < <(ours)
  ours_s+=("$s") ours_kb+=("$kb")
  volumes=$(find "$work/ours" -name '*.vol*.par2' | wc -l)
  sync
  theirs_s+=("$(theirs "$volumes")")
done

# The files of the last run of ours, read by par2 beside the set.
ln -s "$work"/ours/* "$work/set/"
(cd "$work/set" && par2 verify -q -q bench.par2) || { echo "par2.sh: par2 does not verify our files" >&2; exit 1; }
rm -f "$work"/set/*.par2

our_best=$(least "${ours_s[@]}") their_best=$(least "${theirs_s[@]}")
peak_mb=$(($(most "${ours_kb[@]}") / 1024))
ratio=$(echo "scale=3; $our_best / $their_best" | bc)
verdict=$([ "$(echo "$ratio <= 0.25" | bc)" = 1 ] && echo met || echo "NOT met")
memory=$([ "$peak_mb" -lt 256 ] && echo met || echo "NOT met")
printf 'create %s%% of %s MB, slice %s, %s volumes: ours %.2f s  par2 %.2f s  (best of %s)  ratio %.3f  goal <= 0.25: %s\n' \
  "$percent" $((total / 1000000)) "$slice" "$volumes" "$our_best" "$their_best" "$runs" "$ratio" "$verdict"
printf '           our peak %s MB, goal < 256 MB: %s; all runs: ours %s; par2 %s\n' \
  "$peak_mb" "$memory" "${ours_s[*]}" "${theirs_s[*]}"

# Repair: a real set packed with --par2 10 from the pipeline benchmark's release, two of its zips
# deleted, rebuilt by `varko2000 --repair` (which then tests the whole set) and by `par2 repair`
# from the same files, each on a fresh copy.
release_mb=$((total / 1048576))
. "$(dirname "$0")/release.sh"
make_release "$work/rel" "$release_mb"
mkdir -p "$work/packed" "$work/tmp"
write_script "$work/r.v2k" 0 "$work/packed" "$work/rel"
VARKO_HOME="$work/home" "$build/bin/varko2000" --pack "$work/r.v2k" --name bench --par2 "$percent" --quiet ||
  { echo "par2.sh: packing the repair set failed" >&2; exit 1; }
lost=("$(ls "$work"/packed/bench*.zip | sed -n 5p)" "$(ls "$work"/packed/bench*.zip | sed -n 50p)")

# damaged_copy -> a fresh copy of the packed set without the two lost zips, in $work/copy
damaged_copy() {
  rm -rf "$work/copy" && cp -r "$work/packed" "$work/copy"
  for zip in "${lost[@]}"; do rm "$work/copy/$(basename "$zip")"; done
}

repair_ours=() repair_kb=() repair_theirs=()
for _ in $(seq 1 "$runs"); do
  damaged_copy && sync
  /usr/bin/time -f '%e %M' -o "$work/time" "$build/bin/varko2000" --repair "$work/copy/bench.par2" >/dev/null ||
    { echo "par2.sh: varko2000 --repair did not make the set whole" >&2; exit 1; }
  read -r s kb <"$work/time"
  repair_ours+=("$s") repair_kb+=("$kb")
  damaged_copy && sync
  /usr/bin/time -f '%e' -o "$work/time" par2 repair -q -q "$work/copy/bench.par2" >/dev/null ||
    { echo "par2.sh: par2 repair failed" >&2; exit 1; }
  repair_theirs+=("$(cat "$work/time")")
done
our_best=$(least "${repair_ours[@]}") their_best=$(least "${repair_theirs[@]}")
ratio=$(echo "scale=3; $our_best / $their_best" | bc)
verdict=$([ "$(echo "$ratio <= 0.5" | bc)" = 1 ] && echo met || echo "NOT met")
peak_mb=$(($(most "${repair_kb[@]}") / 1024))
printf 'repair 2 lost zips of %s: ours %.2f s (the set test included)  par2 %.2f s  (best of %s)  ratio %.3f  goal <= 0.5: %s\n' \
  "$(ls "$work/packed" | grep -c 'zip$') zips" "$our_best" "$their_best" "$runs" "$ratio" "$verdict"
printf '           our peak %s MB, goal < 256 MB: %s; all runs: ours %s; par2 %s\n' \
  "$peak_mb" "$([ "$peak_mb" -lt 256 ] && echo met || echo "NOT met")" "${repair_ours[*]}" "${repair_theirs[*]}"
