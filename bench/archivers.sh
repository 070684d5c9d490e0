#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Archiver benchmark, run by hand: wrar and wace writing 1.44M volumes against
# 7-Zip's store split and against cat of the same files, in the same run.
#
#   bash bench/archivers.sh [BUILD_DIR]     (default: build; run `make build` first)
#
# Makes about 300 MB of data under a temporary folder (one large incompressible
# file, folders of text files, many small files), runs every tool ROUNDS times
# (default 3) and keeps each one's best time, then prints MB/s, peak memory
# and the ratios the archivers are held to: at least 1.5 times 7-Zip's
# throughput, at most 2 times the time of cat, under 32 MB of memory.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
bin=$build/bin
rounds=${ROUNDS:-3}
for tool in "$bin/wrar" "$bin/wace"; do
  [ -x "$tool" ] || { echo "archivers.sh: $tool not built; run make build" >&2; exit 2; }
done
command -v 7z >/dev/null || { echo "archivers.sh: 7z (p7zip-full) is missing" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "archivers.sh: /usr/bin/time (package time) is missing" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/varko-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
data=$work/data

# calc EXPRESSION: floating-point arithmetic (awk is always there, bc is not).
calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }

make_data() {
  mkdir -p "$data/large" "$data/text" "$data/small"
  head -c 200000000 /dev/urandom > "$data/large/video.bin"
  # 40 folders of 50 text files of about 40 KB: 80 MB of text.
  head -c 60000 /dev/urandom | base64 -w 76 > "$work/words.txt"
  for d in $(seq -w 1 40); do
    mkdir -p "$data/text/chapter $d"
    for f in $(seq -w 1 50); do
      head -c $((30000 + 10#$f * 400)) "$work/words.txt" > "$data/text/chapter $d/page $f.txt"
    done
  done
  # 4000 small files of 0.5 to 6 KB: about 13 MB.
  for d in $(seq 1 20); do
    mkdir -p "$data/small/set$d"
    for f in $(seq 1 200); do
      head -c $(( (d * 200 + f) % 5600 + 512 )) "$data/large/video.bin" > "$data/small/set$d/f$f.nfo"
    done
  done
}

echo "Making the data set in $work ..."
make_data
total=$(du -sb "$data" | cut -f1)
files=$(find "$data" -type f | wc -l)
printf 'data: %d files, %.1f MB\n' "$files" "$(calc "$total / 1000000")"
printf '%s\n' "$data/large/video.bin" "$data/text/*" "$data/small/*" > "$work/ripfiles.txt"
find "$data" -type f -print0 | xargs -0 cat > /dev/null # the page cache holds the input for every tool

# run NAME COMMAND...: best wall time of the rounds in seconds, peak memory in KiB.
declare -A seconds memory
run() {
  local name=$1; shift
  local best="" peak=0
  for _ in $(seq 1 "$rounds"); do
    rm -rf "$work/out"; mkdir -p "$work/out"; sync
    local start end kib
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/rss" "$@" > /dev/null 2> "$work/err" || { cat "$work/err" >&2; exit 1; }
    end=$(date +%s%N)
    kib=$(tail -n 1 "$work/rss")
    local t; t=$(calc "($end - $start) / 1000000000")
    if [ -z "$best" ] || [ "$(calc "$t < $best")" != 0.000000 ]; then best=$t; fi
    [ "$kib" -gt "$peak" ] && peak=$kib
  done
  seconds[$name]=$best
  memory[$name]=$peak
  printf '%-30s %7.3f s %8.1f MB/s %7.1f MB peak\n' "$name" "$best" \
    "$(calc "$total / 1000000 / $best")" "$(calc "$peak / 1024")"
}

cd "$data"
run "cat (one file)" sh -c "find '$data' -type f -print0 | xargs -0 cat > '$work/out/all.bin'"
run "7z a -v1440k -mx0" 7z a -v1440k -mx0 "$work/out/set.7z" large text small
run "wrar a -r0 -v1440000b -m3" "$bin/wrar" a -r0 -v1440000b -m3 -y "$work/out/set.rar" "@$work/ripfiles.txt"
run "wace a -r -y -v1440 -m3" "$bin/wace" a -r -y -v1440 -m3 "$work/out/set.ace" "@$work/ripfiles.txt"

ratio() { calc "$1 / $2"; }
echo
printf 'wrar throughput / 7-Zip:  %.2f  (goal >= 1.5)\n' "$(ratio "${seconds[7z a -v1440k -mx0]}" "${seconds[wrar a -r0 -v1440000b -m3]}")"
printf 'wace throughput / 7-Zip:  %.2f  (goal >= 1.5)\n' "$(ratio "${seconds[7z a -v1440k -mx0]}" "${seconds[wace a -r -y -v1440 -m3]}")"
printf 'wrar time / cat time:     %.2f  (goal <= 2)\n' "$(ratio "${seconds[wrar a -r0 -v1440000b -m3]}" "${seconds[cat (one file)]}")"
printf 'wace time / cat time:     %.2f  (goal <= 2)\n' "$(ratio "${seconds[wace a -r -y -v1440 -m3]}" "${seconds[cat (one file)]}")"
printf 'peak memory wrar / wace:  %.1f / %.1f MB  (goal < 32)\n' \
  "$(calc "${memory[wrar a -r0 -v1440000b -m3]} / 1024")" "$(calc "${memory[wace a -r -y -v1440 -m3]} / 1024")"
if [ -x "$bin/crcbench" ]; then echo; "$bin/crcbench"; fi
