#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Varko 2000 — makes the two short sounds of the program (start, completion).
import math
import struct
import wave


def tone(name, notes, rate=22050):
    frames = b''
    for freq, dur in notes:
        n = int(rate * dur)
        for i in range(n):
            env = min(1, i / 200, (n - i) / 400)
            frames += struct.pack('<h', int(9000 * env * math.sin(2 * math.pi * freq * i / rate)))
    with wave.open(name, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames)


tone('start.wav', [(523, 0.09), (659, 0.09), (784, 0.16)])
tone('done.wav', [(784, 0.09), (659, 0.09), (1046, 0.2)])
