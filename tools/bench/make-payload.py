#!/usr/bin/env python3
"""Writes the benchmark payload: 24 files, 64 MiB together, the same bytes for the same seed.

Every third file is random bytes (incompressible), every third a repeated printer raster
pattern (very compressible), the rest random words (text-like).
Usage: make-payload.py OUT_DIR [SEED]
"""
import os
import random
import sys

FILE_COUNT = 24
TOTAL_BYTES = 64 * 1024 * 1024
FILE_BYTES = TOTAL_BYTES // FILE_COUNT

WORDS = ("printer paper roll label receipt cutter driver port serial baud width density "
         "darkness speed feed gap mark black white thermal direct transfer ribbon head "
         "dots inch barcode font code page status ready error cover open").split()


def random_bytes(rng, size):
    return rng.randbytes(size)


def raster_pattern(rng, size):
    # ESC/POS "GS v 0" raster rows of a 576-dot head: a header, then bands of stripes.
    row = bytes([0x1D, 0x76, 0x30, 0x00, 72, 0, 24, 0])
    band = b"".join(bytes([0xFF if (x // 6 + y) % 4 == 0 else 0x00 for x in range(72)]) for y in range(24))
    unit = row + band + bytes([rng.randrange(256)])
    return (unit * (size // len(unit) + 1))[:size]


def random_words(rng, size):
    parts, length = [], 0
    while length < size:
        line = " ".join(rng.choice(WORDS) for _ in range(rng.randrange(6, 14))) + "\r\n"
        parts.append(line)
        length += len(line)
    return "".join(parts).encode("ascii")[:size]


def make_file(index, rng):
    # The last file takes the remainder, so that the total is exact.
    size = FILE_BYTES + (TOTAL_BYTES % FILE_COUNT if index == FILE_COUNT - 1 else 0)
    kind = index % 3
    if kind == 0:
        return f"random{index:02d}.bin", random_bytes(rng, size)
    if kind == 1:
        return f"raster{index:02d}.prn", raster_pattern(rng, size)
    return f"words{index:02d}.txt", random_words(rng, size)


def main():
    out_dir = sys.argv[1]
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 12)
    os.makedirs(out_dir, exist_ok=True)
    for index in range(FILE_COUNT):
        name, data = make_file(index, rng)
        with open(os.path.join(out_dir, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
