#!/usr/bin/env python3
"""Gives a JPEG file an EXIF block holding only the orientation tag.

Usage: exif-orientation.py FILE.jpg ORIENTATION [TYPE [ORDER]]
    ORIENTATION  6: turn 90 degrees clockwise to show
    TYPE         SHORT (the default), LONG or SLONG: how the tag stores its value
    ORDER        MM (big-endian, the default) or II (little-endian)
"""
import struct
import sys


TYPES = {"SHORT": (3, "H", 2), "LONG": (4, "I", 0), "SLONG": (9, "i", 0)}


def exif_block(orientation, kind="SHORT", order="MM"):
    # TIFF header, one IFD with one entry (0x0112 Orientation), no next IFD. The value sits
    # left-aligned in the entry's four bytes.
    e = ">" if order == "MM" else "<"
    code, fmt, pad = TYPES[kind]
    value = struct.pack(e + fmt, orientation) + b"\x00" * pad
    ifd = struct.pack(e + "H", 1) + struct.pack(e + "HHI", 0x0112, code, 1) + value
    magic = b"MM\x00\x2a" if order == "MM" else b"II\x2a\x00"
    tiff = magic + struct.pack(e + "I", 8) + ifd + struct.pack(e + "I", 0)
    body = b"Exif\x00\x00" + tiff
    return b"\xFF\xE1" + struct.pack(">H", len(body) + 2) + body


def main(path, orientation, kind="SHORT", order="MM"):
    data = open(path, "rb").read()
    if data[:2] != b"\xFF\xD8":
        sys.exit(f"{path}: not a JPEG file")
    rest = data[2:]
    # Drop an APP0 (JFIF) or APP1 block already there, so the EXIF block comes first.
    while rest[:2] in (b"\xFF\xE0", b"\xFF\xE1"):
        length = struct.unpack(">H", rest[2:4])[0]
        rest = rest[2 + length:]
    with open(path, "wb") as f:
        f.write(b"\xFF\xD8" + exif_block(orientation, kind, order) + rest)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]), *sys.argv[3:5])
