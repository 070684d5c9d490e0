#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Varko 2000 — pipeline benchmark: headless packing against the peer pipeline.
#
# Builds a release of about RELEASE_MB megabytes from files already on the
# machine (large and small shared libraries, headers, documentation, a diz and
# an nfo; RELEASE=synthetic: one large file that does not compress, folders of
# text and small files), packs it headless into 1.44M zips at zipcomp 0 and 3,
# and packs the same data the peer way:
# 7-Zip splitting it into 1.44M stored volumes, then Info-ZIP zipping each
# volume with the same diz (and the nfo into the first zip, as we do). Each
# contender runs RUNS times, ours, the peers' and our archiver alone in turn so
# that a load on the machine falls on all; the best time of each counts. Prints
# the times, our time over the peers' and over the archiver alone against the
# goals (store: at most 1.2x the archiver alone; zipcomp 3: at most 0.25x the
# peers), the size of our zips against the peers', and our peak memory for this
# release and for one a tenth of its size. Last, the
# set test (varko2000 --test) of the zipcomp 3 set against unzip -tqq over the
# same zips, in megabytes of zips a second.
#
#   bench/pipeline.sh [BUILD_DIR]       (default: build; RELEASE_MB=300 RUNS=3 RELEASE=real)
#
# Not a test: it takes a minute and needs a few times RELEASE_MB of disk.
set -euo pipefail

build=$(realpath "${1:-build}")
release_mb=${RELEASE_MB:-300}
runs=${RUNS:-3}
release_kind=${RELEASE:-real}
bin="$build/bin"
for tool in "$bin/varko2000" "$bin/wrar" 7z zip unzip /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "pipeline.sh: $tool is missing (build first)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/varko-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

. "$(dirname "$0")/release.sh"

# timed COMMAND... -> prints "seconds peakKB", the seconds to the millisecond (time(1) counts hundredths,
# too coarse for a run of a quarter of a second); the command's own output is dropped
timed() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$work/rss" "$@" >/dev/null || return
  end=$(date +%s%N)
  printf '%d.%03d %s\n' $(((end - start) / 1000000000)) $(((end - start) / 1000000 % 1000)) "$(cat "$work/rss")"
}

# ours ZIPCOMP REL -> prints "seconds peakKB"
ours() {
  local out="$work/ours-$1" script="$work/s$1.v2k"
  rm -rf "$out" && mkdir -p "$out" "$work/tmp"
  write_script "$script" "$1" "$out" "$2"
  VARKO_HOME="$work/home" timed "$bin/varko2000" --pack "$script" --name bench 2>"$work/ours.log" ||
    { cat "$work/ours.log" >&2; exit 1; }
}

# peers LEVEL REL -> prints seconds: 7z store volumes, then one zip process per volume
peers() {
  local out="$work/peers-$1"
  rm -rf "$out" && mkdir -p "$out/vol" "$out/zips"
  local start end
  start=$(date +%s.%N)
  (cd "$2" && 7z a -bd -mx0 -v1440000b "$out/vol/bench.7z" $(release_rows .) >/dev/null)
  local n=0 first=("$2/bench.nfo")
  for volume in "$out"/vol/bench.7z.*; do
    n=$((n + 1))
    zip -q -j "-$1" "$out/zips/bench$(printf %03d $n).zip" "$volume" "$2/file_id.diz" "${first[@]}"
    first=()
  done
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

# archiver REL -> prints seconds: our archiver alone, as the run calls it
archiver() {
  rm -rf "$work/tmp/alone" && mkdir -p "$work/tmp/alone"
  local took
  took=$(timed "$bin/wrar" a -r0 -v1440000b -m0 -y "$work/tmp/alone/bench.rar" "@$work/home/ripfiles.txt")
  rm -rf "$work/tmp/alone"
  echo "${took%% *}"
}

least() { printf '%s\n' "$@" | sort -g | head -1; }
middle() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }
most() { printf '%s\n' "$@" | sort -g | tail -1; }

mkdir -p "$work/home"
echo "building a ${release_mb} MB release in $work ..." >&2
make=$([ "$release_kind" = synthetic ] && echo make_release || echo make_real_release)
$make "$work/rel" "$release_mb"
$make "$work/small-rel" $((release_mb / 10))
du -sh "$work/rel" >&2

for zipcomp in 0 3; do
  level=$([ "$zipcomp" = 0 ] && echo 0 || echo 6)
  goal=$([ "$zipcomp" = 0 ] && echo 0.2 || echo 0.25)
  ours_s=() ours_kb=() peers_s=() alone_s=()
  for _ in $(seq 1 "$runs"); do
    sync
    read -r s kb < <(ours "$zipcomp" "$work/rel")
    ours_s+=("$s") ours_kb+=("$kb")
    zips=$(ls "$work/ours-$zipcomp" | wc -l)
    ours_mb=$(du -sm --apparent-size "$work/ours-$zipcomp" | cut -f1)
    rm -rf "$work/ours-$zipcomp"
    sync
    peers_s+=("$(peers "$level" "$work/rel")")
    peers_mb=$(du -sm --apparent-size "$work/peers-$level/zips" | cut -f1)
    rm -rf "$work/peers-$level"
    sync
    alone_s+=("$(archiver)")
  done
  read -r _ small_kb < <(ours "$zipcomp" "$work/small-rel")
  our_best=$(least "${ours_s[@]}") peer_best=$(least "${peers_s[@]}") alone_best=$(least "${alone_s[@]}")
  ratio=$(echo "scale=3; $our_best / $peer_best" | bc)
  verdict=$([ "$(echo "$ratio <= $goal" | bc)" = 1 ] && echo met || echo "NOT met")
  printf 'zipcomp %s: ours %5.3f s  peers %5.2f s  (best of %s)  ratio %.3f  goal <= %s: %s\n' \
    "$zipcomp" "$our_best" "$peer_best" "$runs" "$ratio" "$goal" "$verdict"
  alone_ratio=$(echo "scale=3; $our_best / $alone_best" | bc)
  alone_verdict=$([ "$(echo "$alone_ratio <= 1.2" | bc)" = 1 ] && echo met || echo "NOT met")
  printf '           the archiver alone %.3f s: ours %.3fx of it%s\n' "$alone_best" "$alone_ratio" \
    "$([ "$zipcomp" = 0 ] && echo ", goal <= 1.2: $alone_verdict")"
  # One lucky run of either side moves the best; the middle runs say how far that is from the rule.
  printf '           middle runs: ours %.3f s, the archiver alone %.3f s: %.3fx\n' "$(middle "${ours_s[@]}")" \
    "$(middle "${alone_s[@]}")" "$(echo "scale=3; $(middle "${ours_s[@]}") / $(middle "${alone_s[@]}")" | bc)"
  printf '           %s zips, %s MB against the peers %s MB; peak %s KB (%s KB for a tenth of the release)\n' \
    "$zips" "$ours_mb" "$peers_mb" "$(most "${ours_kb[@]}")" "$small_kb"
  printf '           all runs: ours %s; peers %s; the archiver alone %s\n' "${ours_s[*]}" "${peers_s[*]}" "${alone_s[*]}"
done

# seconds COMMAND... -> prints the seconds it took; a failure ends the benchmark
seconds() {
  /usr/bin/time -f '%e' -o "$work/time" "$@" >/dev/null || { echo "pipeline.sh: $* failed" >&2; exit 1; }
  cat "$work/time"
}

ours 3 "$work/rel" >/dev/null
set_mb=$(du -sm --apparent-size "$work/ours-3" | cut -f1)
test_s=() unzip_s=()
for _ in $(seq 1 "$runs"); do
  test_s+=("$(seconds "$bin/varko2000" --test "$work/ours-3/bench")")
  unzip_s+=("$(seconds unzip -tqq "$work/ours-3/*.zip")")
done
test_best=$(least "${test_s[@]}") unzip_best=$(least "${unzip_s[@]}")
test_rate=$(echo "$set_mb / $test_best" | bc) unzip_rate=$(echo "$set_mb / $unzip_best" | bc)
verdict=$([ "$test_rate" -ge 1000 ] && echo met || echo "NOT met")
printf 'set test: %s MB of zips in %.2f s = %s MB/s, goal >= 1000 MB/s: %s; unzip -tqq %.2f s = %s MB/s\n' \
  "$set_mb" "$test_best" "$test_rate" "$verdict" "$unzip_best" "$unzip_rate"
