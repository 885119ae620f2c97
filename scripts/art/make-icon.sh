#!/usr/bin/env bash
# Draws src/ui/resources/velmora.png, the program icon: 128 x 128, 32-bit RGBA.
# Needs Debian's imagemagick and fonts-wqy-microhei; the result is committed.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

/usr/bin/convert -size 128x128 xc:none \
    -fill '#1d2b4c' -stroke '#c9a45c' -strokewidth 4 -draw 'roundrectangle 4,4 123,123 22,22' \
    -stroke none -font "$FONT" -fill '#f4ecd8' -pointsize 72 -gravity center -annotate -8+4 '词' \
    -fill '#c9a45c' -draw 'ellipse 96,98 9,7 0,360' -draw 'rectangle 103,50 107,98' \
    -draw 'polygon 107,50 120,58 120,66 107,58' \
    "PNG32:$ROOT/src/ui/resources/velmora.png"
