#!/usr/bin/env bash
# Draws template/cover.jpeg, the book's cover: a plain typographic cover with the title.
# Needs Debian's imagemagick and fonts-wqy-microhei; the result is committed.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

/usr/bin/convert -size 600x800 gradient:'#1d2b4c-#0e1526' \
    -fill none -stroke '#c9a45c' -strokewidth 3 -draw 'rectangle 40,40 560,760' \
    -strokewidth 1 -draw 'rectangle 52,52 548,748' \
    -stroke none -fill '#c9a45c' -draw 'circle 300,230 300,218' \
    -draw 'rectangle 150,470 450,472' \
    -font "$FONT" -fill '#f4ecd8' -pointsize 76 -gravity center -annotate +0-30 '我的歌词本' \
    -fill '#c9a45c' -pointsize 26 -annotate +0+110 'LYRIC BOOK' \
    -fill '#9aa6c0' -pointsize 22 -gravity south -annotate +0+90 'Velmora' \
    -strip -quality 88 "$ROOT/template/cover.jpeg"
