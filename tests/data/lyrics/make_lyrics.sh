#!/usr/bin/env bash
# Writes the lyric files in legacy encodings the import tests read, with iconv: the same
# song in GBK, Big5 (traditional), Shift_JIS, EUC-KR and UTF-16 without a byte-order mark.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
simplified='[ti:晴天]
[ar:周杰伦]
[00:01.00]故事的小黄花
[00:05.00]从出生那年就飘着
[00:09.00]童年的荡秋千
[00:13.00]随记忆一直晃到现在'
traditional='[ti:晴天]
[ar:周杰倫]
[00:01.00]故事的小黃花
[00:05.00]從出生那年就飄著
[00:09.00]童年的盪鞦韆
[00:13.00]隨記憶一直晃到現在'
japanese='[ti:さくら]
[00:01.00]さくら さくら 今、咲き誇る
[00:05.00]刹那に散りゆく運命と知って'
korean='[ti:아리랑]
[00:01.00]아리랑 아리랑 아라리요
[00:05.00]아리랑 고개로 넘어간다'
printf '%s\n' "$simplified" | iconv -f UTF-8 -t GBK > gbk.lrc
printf '%s\n' "$traditional" | iconv -f UTF-8 -t BIG5 > big5.lrc
printf '%s\n' "$japanese" | iconv -f UTF-8 -t SHIFT_JIS > sjis.lrc
printf '%s\n' "$korean" | iconv -f UTF-8 -t EUC-KR > euckr.lrc
printf '%s\n' "$simplified" | iconv -f UTF-8 -t UTF-16LE > utf16le.lrc
