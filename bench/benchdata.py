#!/usr/bin/env python3
"""Data and independent checks for bench/run.

usage:
  benchdata.py gob OUT MIB SEED        a GOB file of picture-like bytes, for packages
  benchdata.py record GOB SIZE START BMP EXPECTED
                                       a GOB file of SIZE bytes (sparse unless it exists)
                                       with a 2048 x 2048 record header at START, an 8-bit
                                       bitmap of that size, and the record's bytes from byte
                                       112 on as an import must write them
  benchdata.py catalogue SAMPLE OUT LINES
                                       a catalogue of LINES lines from the sample catalogue
  benchdata.py preview GOB START PNGRGB
                                       checks the raw RGB of a preview against the record
  benchdata.py regions GOB DATA ITEMS  checks a package's file.data against the GOB regions
  benchdata.py pictures GOB CATALOGUE BMPDIR COUNT
                                       a GOB file of COUNT image records of 256 x 256, their
                                       catalogue (one entry each) and each record's bitmap,
                                       as an extraction writes it, in BMPDIR/texN.bmp
"""
import random
import struct
import sys

MIB = 1024 * 1024


def gob(out, mib, seed):
    # Rows of slowly changing pixel values with some noise, as 8-bit game pictures are; a 4 MiB
    # base is drawn once and every MiB of the file is that base turned by a random amount, so
    # that the deflate window (32 KiB) never sees a repeat.
    rng = random.Random(seed)
    base = bytearray()
    while len(base) < 4 * MIB:
        start = rng.randrange(256)
        for y in range(64):
            noise = bytes(rng.randrange(4) if rng.random() < 0.3 else 0 for _ in range(256))
            base += bytes((start + x // 4 + y // 8 + noise[x]) & 0xFF for x in range(256))
        base += rng.randbytes(1024)  # a palette
    base = bytes(base[: 4 * MIB])
    with open(out, "wb") as f:
        for _ in range(mib):
            turn = rng.randrange(len(base))
            block = base[turn:] + base[:turn]
            f.write(block[:MIB])


def record(path, size, start, bmp, expected):
    side = 2048
    pixels = bytes(((i * 7) >> 4) & 0xFF for i in range(side)) * side
    pixels = bytes(b ^ (i & 0xFF) for i, b in enumerate(pixels[: side * 4])) + pixels[side * 4 :]
    table = b"".join(bytes((k, 255 - k, k // 2, k)) for k in range(256))  # blue, green, red, alpha
    try:
        f = open(path, "r+b")
    except FileNotFoundError:
        f = open(path, "w+b")
    with f:
        f.truncate(size)
        f.seek(start + 96)
        f.write(struct.pack("<ii", side, side))
    header = b"BM" + struct.pack("<IHHI", 1078 + len(pixels), 0, 0, 1078)
    header += struct.pack("<IiiHHIIiiII", 40, side, side, 1, 8, 0, len(pixels), 2835, 2835, 0, 0)
    with open(bmp, "wb") as f:
        f.write(header + table + pixels)
    # The record keeps red, green, blue and an opaque alpha.
    palette = b"".join(bytes((table[4 * k + 2], table[4 * k + 1], table[4 * k], 255)) for k in range(256))
    with open(expected, "wb") as f:
        f.write(pixels + palette)


def catalogue(sample, out, count):
    lines = open(sample, newline="", encoding="utf-8").read().split("\r\n")
    entries = [line for line in lines[2:] if line]
    result = lines[:2]
    k = 0
    while len(result) < count:
        fields = entries[k % len(entries)].split(",")
        d = 1 if fields[0].startswith("$") else 0
        fields[d] = "%s %d" % (fields[d], k)
        result.append(",".join(fields))
        k += 1
    with open(out, "w", newline="", encoding="utf-8") as f:
        f.write("\r\n".join(result) + "\r\n")


def preview(gobpath, start, rgb):
    # The preview shows the record's first row at the top; each pixel is an index into the RGBA
    # palette after the pixels.
    with open(gobpath, "rb") as f:
        f.seek(start + 96)
        w, h = struct.unpack("<ii", f.read(8))
        f.seek(start + 112)
        pix = f.read(w * h)
        pal = f.read(1024)
    colours = [pal[4 * k : 4 * k + 3] for k in range(256)]
    want = bytearray()
    for y in range(h):
        row = pix[y * w : (y + 1) * w]
        want += b"".join(colours[p] for p in row)
    got = open(rgb, "rb").read()
    if got != want:
        sys.exit("preview differs from the record's pixels (%d x %d)" % (w, h))


def regions(gobpath, data, items):
    with open(gobpath, "rb") as g, open(data, "rb") as d:
        for line in open(items):
            _, pos, size = line.strip().split("|")
            g.seek(int(pos) - 1)
            if g.read(int(size)) != d.read(int(size)):
                sys.exit("file.data differs from the GOB region at %s" % pos)
        if d.read(1):
            sys.exit("file.data is longer than its regions")


def pictures(gobpath, cataloguepath, bmpdir, count):
    # Sixteen picture-like 256 x 256 textures; record k is texture k % 16 with its values moved
    # by k, and a palette of its own with alpha.
    side = 256
    rng = random.Random(16)
    textures = []
    for _ in range(16):
        start = rng.randrange(256)
        rows = []
        for y in range(side):
            noise = bytes(rng.randrange(4) if rng.random() < 0.3 else 0 for _ in range(side))
            rows.append(bytes((start + x // 4 + y // 8 + noise[x]) & 0xFF for x in range(side)))
        textures.append(b"".join(rows))
    header = b"BM" + struct.pack("<IHHI", 1078 + side * side, 0, 0, 1078)
    header += struct.pack("<IiiHHIIiiII", 40, side, side, 1, 8, 0, side * side, 0, 0, 0, 0)
    lines = ["//bench pictures", ""]
    with open(gobpath, "wb") as g:
        g.write(bytes(4096))
        for k in range(count):
            pixels = textures[k % 16].translate(bytes((v + k) & 0xFF for v in range(256)))
            palette = b"".join(bytes(((i * 3 + k) & 0xFF, (255 - i) & 0xFF, (i ^ k) & 0xFF,
                                      255 if i % 5 else (i * 7) & 0xFF)) for i in range(256))
            lines.append("Texture %d,1,%d,Sub" % (k, g.tell() + 1))
            g.write(bytes(96) + struct.pack("<ii", side, side) + bytes(8) + pixels + palette)
            table = b"".join(bytes((palette[4 * i + 2], palette[4 * i + 1], palette[4 * i],
                                    palette[4 * i + 3])) for i in range(256))
            with open("%s/tex%d.bmp" % (bmpdir, k), "wb") as b:
                b.write(header + table + pixels)
        g.write(bytes(4096))
    with open(cataloguepath, "w", newline="", encoding="utf-8") as f:
        f.write("\r\n".join(lines) + "\r\n")


if __name__ == "__main__":
    verb, a = sys.argv[1], sys.argv[2:]
    if verb == "gob":
        gob(a[0], int(a[1]), int(a[2]))
    elif verb == "record":
        record(a[0], int(a[1]), int(a[2]), a[3], a[4])
    elif verb == "catalogue":
        catalogue(a[0], a[1], int(a[2]))
    elif verb == "preview":
        preview(a[0], int(a[1]), a[2])
    elif verb == "regions":
        regions(a[0], a[1], a[2])
    elif verb == "pictures":
        pictures(a[0], a[1], a[2], int(a[3]))
    else:
        sys.exit(__doc__)
