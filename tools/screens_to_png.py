#!/usr/bin/env python3
"""Turns the screen pictures that tests leave as 24-bit BMP files into PNG files.

    screens_to_png.py FOLDER

A test program under Wine cannot easily write PNG, so it writes FILE.bmp;
this writes FILE.png beside it and removes the BMP. Other files are left alone.
"""
import os
import struct
import sys

from make_icons import png_file


def bmp_rows(data):
    """The rows of an uncompressed 24-bit BMP, top first, as RGB byte lists."""
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        raise ValueError("not an uncompressed 24-bit BMP")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        line = data[start:start + width * 3]
        rgb = bytearray(len(line))
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::3], line[1::3], line[0::3]
        rows.append(rgb)
    if height > 0:  # stored bottom-up
        rows.reverse()
    return width, abs(height), rows


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = argv[1]
    if not os.path.isdir(folder):
        return 0
    for name in sorted(os.listdir(folder)):
        if not name.lower().endswith(".bmp"):
            continue
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            width, height, rows = bmp_rows(f.read())
        with open(path[:-4] + ".png", "wb") as f:
            f.write(png_file(width, height, rows))
        os.remove(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
