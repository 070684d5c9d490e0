# SPDX-License-Identifier: GPL-3.0-or-later
# Varko 2000 — the benchmark releases and their rip script, sourced by pipeline.sh and window.sh.
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

# make_real_release FOLDER MEGABYTES: files already on the machine, as a release of software would
# hold them: a few large shared libraries, then smaller ones, headers and documentation, each
# about a quarter, copied until the release has its size.
make_real_release() {
  local rel=$1 quarter=$(($2 * 1024 * 1024 / 4))
  mkdir -p "$rel"
  copy_until "$rel/large" "$quarter" < <(find /usr/lib /usr/libexec -type f -size +8M 2>/dev/null | sort)
  copy_until "$rel/lib" "$quarter" < <(find /usr/lib -type f -name '*.so*' -size -8M 2>/dev/null | sort)
  copy_until "$rel/include" "$quarter" < <(find /usr/include -type f 2>/dev/null | sort)
  copy_until "$rel/doc" "$quarter" < <(find /usr/share/doc /usr/share/man -type f 2>/dev/null | sort)
  printf '%25sxx/xx\r\nA benchmark release\r\n' '' >"$rel/file_id.diz"
  printf 'Benchmark release\r\n' >"$rel/bench.nfo"
}

# copy_until FOLDER BYTES < PATHS: copies the listed files, keeping their paths, until BYTES are copied.
copy_until() {
  local folder=$1 budget=$2 copied=0 path size
  mkdir -p "$folder"
  while read -r path && [ "$copied" -lt "$budget" ]; do
    size=$(stat -c %s "$path" 2>/dev/null) && [ -r "$path" ] || continue
    mkdir -p "$folder$(dirname "$path")" && cp "$path" "$folder$path" && copied=$((copied + size))
  done
}

# release_rows REL: the release's rows for the archive (everything but the diz and the nfo), sorted.
release_rows() {
  (cd "$1" && ls | grep -vx -e file_id.diz -e bench.nfo)
}

# write_script FILE ZIPCOMP RIPTO REL
write_script() {
  local rel=$4 row
  {
    printf 'tdrive= %s\r\nrarace= 1\r\nsavepaths= 1\r\nsize= 3\r\nracomp= 0\r\nzip= 1\r\nnfo1st= 1\r\n' "$work/tmp"
    printf 'zipcomp= %s\r\nriptodir= %s/\r\nzcomment= 0\r\ncomment= \r\ndnumber= 1\r\nextra= \r\nextra= \r\n' "$2" "$3"
    for row in $(release_rows "$rel"); do printf '%s\r\n' "$rel/$row"; done
    printf '%s\r\n' "$rel/file_id.diz" "$rel/bench.nfo"
  } >"$1"
}
