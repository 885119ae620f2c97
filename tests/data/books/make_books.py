#!/usr/bin/env python3
"""Writes the EPUB files the import tests refuse: a foreign book, and a zip bomb whose
content.opf declares 1 GiB but holds a few bytes."""
import pathlib
import struct
import zipfile
import zlib

here = pathlib.Path(__file__).parent

with zipfile.ZipFile(here / "foreign.epub", "w") as book:
    book.writestr("mimetype", "application/epub+zip", zipfile.ZIP_STORED)
    book.writestr("content.opf", '<?xml version="1.0"?><package xmlns="http://www.idpf.org/2007/opf" '
                  'xmlns:dc="http://purl.org/dc/elements/1.1/"><metadata><dc:title>Other</dc:title>'
                  "</metadata></package>")

name = b"content.opf"
data = zlib.compress(b"\0" * 4096)[2:-4]  # raw deflate
crc = zlib.crc32(b"\0" * 4096)
size = 1 << 30  # declared, not held
local = struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0, crc, len(data), size, len(name), 0)
central = struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0, crc, len(data), size,
                      len(name), 0, 0, 0, 0, 0, 0)
end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 1, 1, len(central) + len(name),
                  len(local) + len(name) + len(data), 0)
(here / "bomb.epub").write_bytes(local + name + data + central + name + end)
