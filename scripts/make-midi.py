#!/usr/bin/env python3
"""Writes a short piano piece as a standard MIDI file (format 0), for the demo folder.

Usage: make-midi.py OUT.mid
"""
import struct
import sys

TICKS = 240  # per quarter note


def var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def piece():
    # A waltz-like tune in C major: melody on channel 0, a bass note per bar on channel 1.
    melody = [
        (72, 2), (74, 1), (76, 2), (77, 1), (79, 3), (76, 3),
        (77, 2), (76, 1), (74, 2), (72, 1), (74, 3), (67, 3),
        (72, 2), (74, 1), (76, 2), (79, 1), (81, 3), (79, 3),
        (77, 2), (76, 1), (74, 2), (71, 1), (72, 6),
    ]
    bass = [48, 43, 41, 43, 48, 45, 41, 43, 48, 48]
    events = []  # (time, bytes)
    t = 0
    for note, beats in melody * 2:
        length = beats * TICKS
        events.append((t, bytes([0x90, note, 88])))
        events.append((t + length - 20, bytes([0x80, note, 0])))
        t += length
    bar = 3 * TICKS
    for i in range(t // bar):
        note = bass[i % len(bass)]
        events.append((i * bar, bytes([0x91, note, 70])))
        events.append((i * bar + bar - 20, bytes([0x81, note, 0])))
    events.sort(key=lambda e: (e[0], e[1][0] & 0xF0 == 0x90))
    track = bytearray()
    track += b"\x00\xFF\x51\x03" + (500000).to_bytes(3, "big")  # 120 beats a minute
    track += b"\x00\xC0\x00\x00\xC1\x20"  # piano, acoustic bass
    now = 0
    for time, data in events:
        track += var_len(time - now) + data
        now = time
    track += b"\x00\xFF\x2F\x00"
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS)
    return header + b"MTrk" + struct.pack(">I", len(track)) + bytes(track)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(piece())
