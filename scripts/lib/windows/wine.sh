# Running the Windows build under Wine: the tests on Qt's offscreen platform, the program in
# a real window under Xvfb. Sourced after pack.sh.

WINE_DISPLAY=:78

# A Wine of our own, its server kept running between the tests (a cold start costs seconds
# a test), finding the cache's DLLs and 7za.exe on its PATH.
start_wine() {
    export WINEPREFIX="$WINDOWS_OUT/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    local folder paths=()
    for folder in "$PREFIX/bin" "$PREFIX/lib" /usr/lib/gcc/x86_64-w64-mingw32/12-posix \
        /usr/x86_64-w64-mingw32/lib; do
        paths+=("Z:${folder//\//\\}")
    done
    export WINEPATH="$(IFS=';'; echo "${paths[*]}")"
    export QT_PLUGIN_PATH="Z:${PREFIX//\//\\}\\plugins"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || { echo "Windows: Wine would not start in $WINEPREFIX" >&2; return 1; }
    wineserver -p 2>/dev/null || true
    trap 'wineserver -k 2>/dev/null || true' EXIT
}

# Wine reads the names on its command line in the locale it runs in, and takes its Windows
# language from it: a Chinese one, as the program's users have.
use_chinese_locale() {
    if ! locale -a | grep -qi '^zh_CN.utf8$'; then
        sed -i 's/^# *zh_CN.UTF-8/zh_CN.UTF-8/' /etc/locale.gen
        locale-gen >/dev/null
    fi
    export LANG=zh_CN.UTF-8
}

# Songs both builds are given, with Chinese in their names.
write_lyric_files() {
    local folder="$1"
    mkdir -p "$folder"
    printf '[ti:月亮代表我的心]\n[ar:邓丽君]\n[00:01.00]你问我爱你有多深\n[00:05.00]我爱你有几分\n' \
        > "$folder/月亮代表我的心.lrc"
    printf '小城故事\r\n\r\n小城故事多\r\n充满喜和乐\r\n' > "$folder/小城故事.txt"
}

# make_book DISPLAY BOOK PROGRAM ARGUMENTS...: starts the program on the display, presses
# Ctrl+B in its window once it shows, and waits for the book.
make_book() {
    local display="$1" book="$2" window="" app
    shift 2
    DISPLAY="$display" "$@" >/dev/null 2>&1 &
    app=$!
    # Up to a minute: on a loaded 2-core machine a first start once took over 30 s.
    for _ in $(seq 1 300); do
        window="$(DISPLAY="$display" xdotool search --onlyvisible --name "^Velmora" 2>/dev/null |
            head -1 || true)"
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { echo "no window for $*" >&2; kill "$app"; return 1; }
    sleep 2
    DISPLAY="$display" xdotool windowactivate --sync "$window"
    DISPLAY="$display" xdotool key ctrl+b
    for _ in $(seq 1 150); do
        [ -s "$book" ] && break
        sleep 0.2
    done
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    [ -s "$book" ] || { echo "no book from $*" >&2; return 1; }
}

# A book's files, its stamps (the time it was made, its identifier) taken out.
book_without_stamps() {
    local book="$1" folder="$2"
    rm -rf "$folder"
    mkdir -p "$folder"
    unzip -q "$book" -d "$folder"
    find "$folder" -type f \( -name '*.opf' -o -name '*.ncx' -o -name '*.html' \) -exec sed -i -E \
        -e 's/[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}Z/STAMP/g' -e 's|<dc:date>[0-9]+</dc:date>|<dc:date>STAMP</dc:date>|' \
        -e 's/[0-9]{4}年[0-9]{1,2}月[0-9]{1,2}日/DAY/g' \
        -e 's/[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}/UUID/g' {} +
}

compare_books_made_by_both() {
    local trial="$WINDOWS_OUT/trial" windows_book debian_book
    rm -rf "$trial"
    mkdir -p "$trial"
    write_lyric_files "$trial/songs"
    unzip -q "$WINDOWS_OUT/Velmora-$VERSION-portable.zip" -d "$trial/portable"
    # A program folder of its own: build/app may hold runs that would ask to be restored.
    cmake --install "$ROOT/build/release" --prefix "$trial/debian" >/dev/null
    windows_book="$trial/portable/Velmora/finished/我的歌词本.epub"
    debian_book="$trial/debian/finished/我的歌词本.epub"
    use_chinese_locale
    Xvfb "$WINE_DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
    local xvfb=$!
    trap 'kill '"$xvfb"' 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
    sleep 2
    # A window manager, for the keyboard's focus.
    DISPLAY="$WINE_DISPLAY" openbox >/dev/null 2>&1 &
    sleep 2
    make_book "$WINE_DISPLAY" "$windows_book" wine "$trial/portable/Velmora/velmora.exe" \
        "$trial/songs/月亮代表我的心.lrc" "$trial/songs/小城故事.txt"
    make_book "$WINE_DISPLAY" "$debian_book" "$trial/debian/velmora" \
        "$trial/songs/月亮代表我的心.lrc" "$trial/songs/小城故事.txt"
    book_without_stamps "$windows_book" "$trial/windows-book"
    book_without_stamps "$debian_book" "$trial/debian-book"
    diff -r "$trial/debian-book" "$trial/windows-book"
    echo "The book made under Wine is the Debian build's, stamps aside: $windows_book"
}
