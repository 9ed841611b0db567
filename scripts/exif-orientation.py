#!/usr/bin/env python3
"""Gives a JPEG file an EXIF block holding only the orientation tag.

Usage: exif-orientation.py FILE.jpg ORIENTATION   (6: turn 90 degrees clockwise to show)
"""
import struct
import sys


def exif_block(orientation):
    # Big-endian TIFF header, one IFD with one SHORT entry (0x0112 Orientation), no next IFD.
    ifd = struct.pack(">H", 1) + struct.pack(">HHIHH", 0x0112, 3, 1, orientation, 0)
    tiff = b"MM\x00\x2a" + struct.pack(">I", 8) + ifd + struct.pack(">I", 0)
    body = b"Exif\x00\x00" + tiff
    return b"\xFF\xE1" + struct.pack(">H", len(body) + 2) + body


def main(path, orientation):
    data = open(path, "rb").read()
    if data[:2] != b"\xFF\xD8":
        sys.exit(f"{path}: not a JPEG file")
    rest = data[2:]
    # Drop an APP0 (JFIF) or APP1 block already there, so the EXIF block comes first.
    while rest[:2] in (b"\xFF\xE0", b"\xFF\xE1"):
        length = struct.unpack(">H", rest[2:4])[0]
        rest = rest[2 + length:]
    with open(path, "wb") as f:
        f.write(b"\xFF\xD8" + exif_block(orientation) + rest)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
