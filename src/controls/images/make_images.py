#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Varko 2000 — draws the progress bar's two pictures (run once; the PNGs are committed).
import struct
import zlib
from pathlib import Path

WIDTH, HEIGHT = 64, 20


def png(path, rows):
    # Plain 8-bit RGB, no filter: the pictures are tiny and need no library.
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                           + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def background():
    # A light, quiet field so black text reads on it: a soft top-to-bottom
    # fade under a faint shade along the top edge. Even along its length, so
    # it stretches to any width without streaks.
    rows = []
    for y in range(HEIGHT):
        base = mix((240, 243, 248), (208, 216, 228), y / (HEIGHT - 1))
        if y < 2:
            base = mix(base, (150, 160, 175), 0.35 if y == 0 else 0.15)
        rows.append([base] * WIDTH)
    return rows


def bar():
    # A dark glossy band so white text reads on it: a bright upper half over
    # a deep teal lower half, with a thin light line near the top.
    rows = []
    for y in range(HEIGHT):
        t = y / (HEIGHT - 1)
        if t < 0.45:
            base = mix((84, 160, 186), (34, 108, 136), t / 0.45)
        else:
            base = mix((18, 84, 112), (10, 52, 74), (t - 0.45) / 0.55)
        if y == 1:
            base = mix(base, (255, 255, 255), 0.3)
        rows.append([base] * WIDTH)
    return rows


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    png(here / "progress-back.png", background())
    png(here / "progress-bar.png", bar())
