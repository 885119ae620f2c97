#!/usr/bin/env python3
"""Writes the EPUB files the import tests refuse: foreign books (one not made by Velmora,
one whose source or contributor is another's), a zip bomb whose content.opf declares 1 GiB but holds a few bytes,
a liar whose content.opf inflates past the size it declares, and books whose spines name
one page 10,000 times and, the most a book may hold, 9,999 times; and a book of ours whose
first page holds its credits beside another block, its second two blocks of credits."""
import pathlib
import struct
import zipfile
import zlib

here = pathlib.Path(__file__).parent
PACKAGE = ('<?xml version="1.0"?><package xmlns="http://www.idpf.org/2007/opf" '
           'xmlns:dc="http://purl.org/dc/elements/1.1/"><metadata><dc:title>{title}</dc:title>'
           '<dc:source>{source}</dc:source><dc:contributor>{contributor}</dc:contributor>'
           '</metadata><manifest>'
           '<item id="p" href="text/p.html" media-type="application/xhtml+xml"/></manifest>'
           '<spine>{spine}</spine></package>')
PAGE = ('<?xml version="1.0"?><html xmlns="http://www.w3.org/1999/xhtml"><body><h2>歌</h2>'
        '<p>词</p></body></html>')


def book(name, source, contributor, pages=1):
    with zipfile.ZipFile(here / name, "w", zipfile.ZIP_DEFLATED) as epub:
        epub.writestr("mimetype", "application/epub+zip", zipfile.ZIP_STORED)
        epub.writestr("content.opf", PACKAGE.format(title="Any title", source=source,
                                                    contributor=contributor,
                                                    spine='<itemref idref="p"/>' * pages))
        epub.writestr("text/p.html", PAGE)


def credits_book(name):
    credits = '<div class="credits">词：甲</div>'
    pages = {"text/a.html": PAGE.replace("<p>", '<div class="note">x</div>' + credits + "<p>"),
             "text/b.html": PAGE.replace("<p>", credits * 2 + "<p>")}
    items = "".join('<item id="%s" href="%s" media-type="application/xhtml+xml"/>' % (href, href)
                    for href in pages)
    package = PACKAGE.replace('<item id="p" href="text/p.html" media-type="application/xhtml+xml"/>',
                              items)
    with zipfile.ZipFile(here / name, "w", zipfile.ZIP_DEFLATED) as epub:
        epub.writestr("mimetype", "application/epub+zip", zipfile.ZIP_STORED)
        epub.writestr("content.opf", package.format(
            title="Any title", source="Velmora", contributor="Velmora",
            spine="".join('<itemref idref="%s"/>' % href for href in pages)))
        for href, page in pages.items():
            epub.writestr(href, page)


def raw(name, declared, inflated):
    """One entry, content.opf, whose header declares `declared` bytes."""
    entry = b"content.opf"
    data = zlib.compress(inflated)[2:-4]  # raw deflate
    crc = zlib.crc32(inflated)
    local = struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0, crc, len(data), declared,
                        len(entry), 0)
    central = struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0, crc, len(data),
                          declared, len(entry), 0, 0, 0, 0, 0, 0)
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 1, 1, len(central) + len(entry),
                      len(local) + len(entry) + len(data), 0)
    (here / name).write_bytes(local + entry + data + central + entry + end)


book("foreign.epub", "Other", "Other")
book("foreign-source.epub", "Other", "Velmora")
book("foreign-contributor.epub", "Velmora", "Other")
book("spine.epub", "Velmora", "Velmora", pages=10000)
book("spine-full.epub", "Velmora", "Velmora", pages=9999)
credits_book("credits.epub")
raw("bomb.epub", 1 << 30, b"\0" * 4096)
raw("liar.epub", 10, b"\0" * (1 << 20))
