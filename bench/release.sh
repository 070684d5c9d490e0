# SPDX-License-Identifier: GPL-3.0-or-later
# Varko 2000 — the benchmark release and its rip script, sourced by pipeline.sh and window.sh.
# The caller sets $work, the folder the scripts' temporary folder lives in.

# make_release FOLDER MEGABYTES: 80% in one random file, the rest text and small files.
make_release() {
  local rel=$1 mb=$2
  mkdir -p "$rel/docs"
  head -c $((mb * 1024 * 1024 * 8 / 10)) /dev/urandom >"$rel/movie.bin"
  # Text that compresses like prose: lines of short words, about 15% of the release,
  # cut into chapters spread over seven folders.
  local text_bytes=$((mb * 1024 * 1024 * 15 / 100))
  head -c $((text_bytes * 3 / 4)) /dev/urandom | base64 -w 76 | tr '0-9+/' '          ' >"$rel/corpus"
  (cd "$rel/docs" && split -b $((text_bytes / (mb / 2 + 1) + 1)) -a 4 ../corpus chapter)
  rm "$rel/corpus"
  local i=0
  for chapter in "$rel"/docs/chapter*; do
    mkdir -p "$rel/docs/part$((i % 7))" && mv "$chapter" "$rel/docs/part$((i % 7))/" && i=$((i + 1))
  done
  mkdir -p "$rel/small"
  for i in $(seq 1 500); do head -c $((100 + i * 7)) /dev/urandom >"$rel/small/s$i.dat"; done
  printf '%25sxx/xx\r\nA benchmark release\r\n' '' >"$rel/file_id.diz"
  printf 'Benchmark release\r\n' >"$rel/bench.nfo"
}

# write_script FILE ZIPCOMP RIPTO REL
write_script() {
  local rel=$4
  {
    printf 'tdrive= %s\r\nrarace= 1\r\nsavepaths= 1\r\nsize= 3\r\nracomp= 0\r\nzip= 1\r\nnfo1st= 1\r\n' "$work/tmp"
    printf 'zipcomp= %s\r\nriptodir= %s/\r\nzcomment= 0\r\ncomment= \r\ndnumber= 1\r\nextra= \r\nextra= \r\n' "$2" "$3"
    printf '%s\r\n' "$rel/movie.bin" "$rel/docs" "$rel/small" "$rel/file_id.diz" "$rel/bench.nfo"
  } >"$1"
}
