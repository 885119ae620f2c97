#!/usr/bin/env bash
# Usage: bench/compare.sh [N] [RUNS]
# Builds a book of N generated songs (30 lines each) with Velmora and with pandoc, RUNS
# times each, alternating, and prints both medians and their ratio, the ratio to the floor
# (7za over the same tree plus one write per file), and the phases of each. Run scripts/test
# first.
#
# Both work in a RAM-backed folder (/dev/shm, or VELMORA_BENCH_DIR): creating a new file on
# the virtual disks of the project's machines takes anywhere from 0.05 to 0.9 ms, which
# would time the disk, not the programs.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SONGS="${1:-1000}"
RUNS="${2:-5}"
BENCH="$ROOT/build/release/bench/velmora_bench"
[ -x "$BENCH" ] || { echo "no $BENCH: run scripts/test first" >&2; exit 1; }
command -v pandoc >/dev/null || { echo "no pandoc: run scripts/test first" >&2; exit 1; }

BASE="${VELMORA_BENCH_DIR:-/dev/shm}"
[ -d "$BASE" ] && [ -w "$BASE" ] || BASE="${TMPDIR:-/tmp}"
WORK="$(mktemp -d "$BASE/velmora-compare-XXXXXX")"
trap 'rm -rf "$WORK"' EXIT

field() { sed -n "s/.*\"$1\": \([0-9.]*\).*/\1/p" "$2"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

"$BENCH" --songs "$SONGS" --markdown "$WORK/book.md"
for run in $(seq 1 "$RUNS"); do
    TMPDIR="$WORK" "$BENCH" --songs "$SONGS" --baseline > "$WORK/velmora-$run.json"
    start=$(now_ms)
    pandoc -f markdown -t epub2 --epub-chapter-level=1 -o "$WORK/pandoc.epub" "$WORK/book.md"
    echo $(( $(now_ms) - start )) > "$WORK/pandoc-$run.ms"
done

velmora=$(for f in "$WORK"/velmora-*.json; do field total_ms "$f"; done | median)
baseline=$(for f in "$WORK"/velmora-*.json; do field baseline_ms "$f"; done | median)
p99=$(for f in "$WORK"/velmora-*.json; do field add_us_p99 "$f"; done | median)
rss=$(for f in "$WORK"/velmora-*.json; do field peak_rss_kib "$f"; done | median)
phases=""
for phase in adds_ms build_ms archiver_ms floor_writes_ms floor_archiver_ms; do
    phases="$phases $(for f in "$WORK"/velmora-*.json; do field "$phase" "$f"; done | median)"
done
pandoc=$(cat "$WORK"/pandoc-*.ms | median)

echo "songs: $SONGS, runs: $RUNS each, in $BASE ($(nproc) cores)"
echo "last Velmora run: $(cat "$WORK/velmora-$RUNS.json")"
awk -v v="$velmora" -v p="$pandoc" -v b="$baseline" -v q="$p99" -v r="$rss" -v n="$SONGS" \
    -v phases="$phases" 'BEGIN {
    split(phases, t, " ")
    printf "velmora median total:  %8.1f ms  (%.1f us per song)\n", v, 1000 * v / n
    printf "pandoc median total:   %8.1f ms\n", p
    printf "pandoc / velmora:      %8.1f x\n", p / v
    printf "7za + one write each:  %8.1f ms  (velmora / baseline: %.2f x)\n", b, v / b
    printf "velmora phases:        adds %.1f, documents and start %.1f, archiver %.1f ms\n", t[1], t[2], t[3]
    printf "baseline phases:       writes %.1f, 7za %.1f ms\n", t[4], t[5]
    printf "add p99 (median):      %8.1f us\n", q
    printf "peak RSS (median):     %8.0f KiB\n", r
}'
