#!/usr/bin/env bash
# Usage: bench/print_compare.sh [N]
# The songbook of N generated songs (30 lines each, three artists) as an A5 PDF, by Velmora
# and by calibre's ebook-convert from the book Velmora made of the same songs; prints both
# times, their ratio and Velmora's peak memory. Run scripts/test first.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SONGS="${1:-1000}"
BENCH="$ROOT/build/release/bench/velmora_print_bench"
[ -x "$BENCH" ] || { echo "no $BENCH: run scripts/test first" >&2; exit 1; }
command -v ebook-convert >/dev/null || { echo "no ebook-convert: apt-get install calibre" >&2; exit 1; }

WORK="$(mktemp -d "${TMPDIR:-/tmp}/velmora-print-XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
field() { sed -n "s/.*\"$1\": \([0-9.]*\).*/\1/p" "$2"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

"$BENCH" -platform offscreen --songs "$SONGS" --epub "$WORK/book.epub" --pdf "$WORK/velmora.pdf" \
    > "$WORK/velmora.json"
start=$(now_ms)
# calibre runs Chromium, which refuses root without its sandbox off.
QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=offscreen ebook-convert "$WORK/book.epub" "$WORK/calibre.pdf" --paper-size a5 \
    > "$WORK/calibre.log" 2>&1
calibre=$(( $(now_ms) - start ))
velmora=$(field total_ms "$WORK/velmora.json")
echo "songs: $SONGS"
echo "velmora: ${velmora} ms, $(field pages "$WORK/velmora.json") pages," \
     "peak $(( $(field peak_rss_kib "$WORK/velmora.json") / 1024 )) MiB"
echo "calibre ebook-convert: ${calibre} ms"
awk -v v="$velmora" -v c="$calibre" 'BEGIN { printf "ratio: %.1fx\n", c / v }'
