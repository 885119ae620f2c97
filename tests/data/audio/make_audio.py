#!/usr/bin/env python3
"""Writes the untagged audio files the import tests tag with TagLib: the least of each kind
that TagLib takes for one (a silent frame, or the headers before any), a few hundred bytes.
Run from anywhere; the files land beside this script."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def ogg_crc(data):
    crc = 0
    for byte in data:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7 if crc & 0x80000000 else crc << 1) & 0xFFFFFFFF
    return crc


def ogg_page(sequence, flags, packets):
    lacing = b""
    for packet in packets:
        lacing += b"\xff" * (len(packet) // 255) + bytes([len(packet) % 255])
    header = struct.pack("<4sBBqIIIB", b"OggS", 0, flags, 0, 1, sequence, 0, len(lacing))
    page = header + lacing + b"".join(packets)
    return page[:22] + struct.pack("<I", ogg_crc(page)) + page[26:]


def atom(name, body):
    return struct.pack(">I4s", 8 + len(body), name) + body


def comments(vendor):
    return struct.pack("<I", len(vendor)) + vendor + struct.pack("<I", 0)


# MPEG-1 layer III, 128 kbit/s, 44.1 kHz, mono: two frames of silence.
mp3 = (b"\xff\xfb\x90\xc4" + bytes(413)) * 2
streaminfo = struct.pack(">HH", 4096, 4096) + bytes(6) + struct.pack(">Q", 44100 << 44 | 15 << 36)
flac = b"fLaC" + b"\x80" + struct.pack(">I", len(streaminfo) + 16)[1:] + streaminfo + bytes(16)
vorbis_id = b"\x01vorbis" + struct.pack("<IBIiiiBB", 0, 1, 44100, 0, 64000, 0, 0xB8, 1)
ogg = ogg_page(0, 2, [vorbis_id]) + ogg_page(
    1, 0, [b"\x03vorbis" + comments(b"velmora") + b"\x01", b"\x05vorbis" + bytes(8)])
opus_head = b"OpusHead" + struct.pack("<BBHIhB", 1, 1, 312, 48000, 0, 0)
opus = ogg_page(0, 2, [opus_head]) + ogg_page(1, 0, [b"OpusTags" + comments(b"velmora")])
mvhd = struct.pack(">I", 0) + bytes(8) + struct.pack(">II", 1000, 0) + bytes(80)
m4a = atom(b"ftyp", b"M4A " + bytes(4) + b"M4A isom") + atom(b"moov", atom(b"mvhd", mvhd)) + \
    atom(b"mdat", bytes(16))
ape = b"MAC " + struct.pack("<H", 3990) + bytes(58)
wv = b"wvpk" + struct.pack("<IHBBIIII", 24, 0x410, 0, 0, 0, 0, 0, 0)

for name, data in [("silent.mp3", mp3), ("silent.flac", flac), ("silent.ogg", ogg),
                   ("silent.opus", opus), ("silent.m4a", m4a), ("silent.ape", ape),
                   ("silent.wv", wv)]:
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)
