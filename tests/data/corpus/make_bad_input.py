#!/usr/bin/env python3
"""Writes bad_input.json, the bad-input corpus: [name, lyric] pairs that the end-to-end
test builds into one book. The first three are plain songs that pandoc must read back. Lone surrogates and controls are kept as \\u escapes; the rest is UTF-8."""
import json
import pathlib

BLANKS = "   \r\n" * 200
LONG_LINE = "床前明月光疑是地上霜举头望明月低头思故乡"
# About 1 MiB of UTF-8: 20 characters of 3 bytes and CR LF a line.
LONG_LYRIC = "\r\n".join([LONG_LINE] * (1024 * 1024 // 62))

SONGS = [
    ["月光", "床前明月光\r\n疑是地上霜"],
    ["Tom & Jerry 😀", "a < b\r\nc > d & e"],
    ["春天 <live>", "第一行\r\n第二行\r\n第三行"],
    ["<&>\"' XML", "a & b < c > d \"q\" 'a' ]]> &amp; <br/> <!-- x --> <![CDATA[y]]> &#65;"],
    ["ctl\u0001\u0007name", "\u0000\u0001\u0008\u000b\u000c\u001f\ttab\u007f\u0085\r\nnext"],
    ["lone\ud800name", "\udc00start\r\nmid\ud83d\r\nend\udbff"],
    ["bom\ufeffinside", "\ufefffirst\r\nin\ufeffside"],
    ["שלום عربي", "مرحبا بالعالم\r\nשלום עולם\r\n\u202eevil\u202c"],
    ["😀🎵𝄞", "𠀀𠀁\r\n😀😀\r\n𝄞 music"],
    ["nonchar\ufffe", "\uffff\r\n\ufffd"],
    ["长歌", LONG_LYRIC],
    ["  ", BLANKS],
    [" ", "\r\n"],
]

text = json.dumps(SONGS, ensure_ascii=False, indent=1)
# UTF-8 cannot hold a lone surrogate: those stay escapes.
text = "".join("\\u%04x" % ord(c) if 0xD800 <= ord(c) <= 0xDFFF else c for c in text)
pathlib.Path(__file__).with_name("bad_input.json").write_text(text, encoding="utf-8")
