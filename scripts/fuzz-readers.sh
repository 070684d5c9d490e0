#!/usr/bin/env bash
# Varko 2000 — a long fuzz of everything the three programs read, run by hand.
#
# Feeds headless packing broken scripts and options.ini files, and wrar and
# wace broken list files, each program under a time and memory limit. Any
# run that hangs (timeout), aborts or is killed (a status above 2), or packs
# a set from a script whose rip-to folder does not exist, is kept under the
# work folder and reported. Ends with the count of runs and of failures.
#
#   scripts/fuzz-readers.sh [BUILD_DIR] [ROUNDS]     (default: build 2000)
#
# Not a test: a few thousand runs take minutes. SEED=n repeats a run.
set -uo pipefail

build=$(realpath "${1:-build}")
rounds=${2:-2000}
RANDOM=${SEED:-2000}
bin="$build/bin"
for tool in varko2000 wrar wace; do
  [ -x "$bin/$tool" ] || { echo "fuzz-readers.sh: $bin/$tool is missing (build first)" >&2; exit 2; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/varko-fuzz.XXXXXX")
mkdir -p "$work/bin" "$work/home" "$work/tmp" "$work/rips" "$work/rel" "$work/kept"
cp "$bin/varko2000" "$bin/wrar" "$bin/wace" "$work/bin/"
printf 'xx/xx\r\n' >"$work/rel/file_id.diz"
head -c 20000 /dev/urandom >"$work/rel/data.bin"
mkfifo "$work/fifo"
failures=0

# One line of a script or list as a hostile user might leave it.
hostile_line() {
  case $((RANDOM % 12)) in
    0) head -c $((RANDOM % 200)) /dev/urandom | tr -d '\n\0' ;;
    1) printf '%s' "$work/fifo" ;;
    2) printf '/dev/zero' ;;
    3) printf '%s' "$work" ;;
    4) printf '%s/*' "$work/rel" ;;
    5) printf 'riptodir= %s' "$work/gone/" ;;
    6) printf 'size= %d' $((RANDOM - 16384)) ;;
    7) printf '%*s' $((RANDOM % 5000)) x ;;
    8) printf '\\\\server\\share\\*.*' ;;
    9) printf '%s' "$work/rel/data.bin" ;;
    10) printf 'tdrive= /proc' ;;
    *) printf '' ;;
  esac
}

# A valid script with some of its lines replaced.
script_file() {
  local lines=("tdrive= $work/tmp" "rarace= 1" "savepaths= 1" "size= 3" "racomp= 0" "zip= 1" "nfo1st= 0"
    "zipcomp= 0" "riptodir= $work/rips/" "zcomment= $((RANDOM % 2))" "comment= $work/fifo" "dnumber= 1"
    "extra= " "extra= " "$work/rel/file_id.diz" "$work/rel/data.bin")
  for _ in $(seq $((RANDOM % 4 + 1))); do lines[$((RANDOM % ${#lines[@]}))]=$(hostile_line); done
  printf '%s\r\n' "${lines[@]}"
}

# Runs one program under the limits; a hang or a crash is kept.
check() {
  local what=$1; shift
  (ulimit -v 2000000; cd "$work" && timeout 30 "$@" >/dev/null 2>"$work/said")
  local status=$?
  if [ "$status" -gt 2 ]; then
    failures=$((failures + 1))
    local keep="$work/kept/$failures"
    mkdir -p "$keep" && cp "$work"/case.* "$work/said" "$keep/" 2>/dev/null
    echo "$what: status $status (kept in $keep)"
  fi
}

for round in $(seq "$rounds"); do
  rm -rf "$work/rips"/* "$work/tmp"/* "$work/home"/*
  script_file >"$work/case.v2k"
  [ $((round % 3)) -eq 0 ] && script_file >"$work/home/options.ini"
  cp "$work/case.v2k" "$work/last.v2k"
  check "script $round" env VARKO_HOME="$work/home" "$work/bin/varko2000" --pack case.v2k --name fz
  if grep -q "riptodir= $work/gone/" "$work/case.v2k" && ls "$work/home" | grep -q zip; then
    failures=$((failures + 1)); echo "script $round: packed into the home folder"
  fi
  for _ in $(seq $((RANDOM % 6 + 1))); do hostile_line; printf '\n'; done >"$work/case.list"
  check "wrar $round" "$work/bin/wrar" a -r0 -v1440000b -m0 -y "$work/tmp/fz.rar" @case.list
  check "wace $round" "$work/bin/wace" a -r -y -v1440 -m0 "$work/tmp/fz.ace" @case.list
done
echo "fuzz-readers.sh: $((rounds * 3)) runs, $failures failures (work folder $work)"
[ "$failures" -eq 0 ] && [ -z "${KEEP:-}" ] && rm -rf "$work"
exit $((failures > 0))
