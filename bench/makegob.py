#!/usr/bin/env python3
"""Writes a synthetic GOB file of picture-like bytes for the package benchmark.

usage: makegob.py OUT MIB SEED

Rows of slowly changing pixel values with some noise, as 8-bit game pictures are; a 4 MiB base
is drawn once and every MiB of the file is that base turned by a random amount, so that the
deflate window (32 KiB) never sees a repeat.
"""
import random
import sys

out, mib, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(seed)
base = bytearray()
while len(base) < 4 * 1024 * 1024:
    start = rng.randrange(256)
    for y in range(64):
        noise = bytes(rng.randrange(4) if rng.random() < 0.3 else 0 for _ in range(256))
        base += bytes((start + x // 4 + y // 8 + noise[x]) & 0xFF for x in range(256))
    base += rng.randbytes(1024)  # a palette
base = bytes(base[: 4 * 1024 * 1024])
with open(out, "wb") as f:
    for _ in range(mib):
        turn = rng.randrange(len(base))
        block = base[turn:] + base[:turn]
        f.write(block[: 1024 * 1024])
