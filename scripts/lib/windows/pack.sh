# The Windows program folder and what it is shipped in. Sourced after cache.sh.

VERSION="$(sed -n 's/^project(velmora VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
WINDOWS_OUT="$ROOT/build/windows"
PROGRAM_FOLDER="$WINDOWS_OUT/Velmora"
# Where the DLLs a program imports are found: the cache's, then MinGW's own runtime.
DLL_FOLDERS=("$PREFIX/bin" "$PREFIX/lib" /usr/lib/gcc/x86_64-w64-mingw32/12-posix
    /usr/x86_64-w64-mingw32/lib)
QT_PLUGINS=(platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll)

# build_windows_tree DIR [cmake options...]
build_windows_tree() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja "${CROSS_CMAKE[@]}" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "$@" >/dev/null
    cmake --build "$ROOT/$dir" -j "$JOBS"
}

# The DLLs a program or DLL imports, by name, and theirs in turn, copied beside it; the
# system's own are not found in DLL_FOLDERS and stay out.
copy_imported_dlls() {
    local binary="$1" folder="$2" name place
    for name in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        [ -e "$folder/$name" ] && continue
        for place in "${DLL_FOLDERS[@]}"; do
            if [ -e "$place/$name" ]; then
                cp "$place/$name" "$folder/$name"
                copy_imported_dlls "$folder/$name" "$folder"
                break
            fi
        done
    done
}

# OpenCC's two conversions and the dictionaries they name, as Debian's data has them.
copy_conversion_data_to() {
    local data=/usr/share/opencc folder="$1" config
    mkdir -p "$folder"
    for config in t2s.json s2twp.json tw2sp.json s2hk.json s2t.json; do
        cp "$data/$config" "$folder/"
        grep -o '"[A-Za-z]*\.ocd2"' "$data/$config" | tr -d '"' | while read -r dictionary; do
            cp "$data/$dictionary" "$folder/"
        done
    done
}

# lay_out_windows_folder [TREE]: the program folder from a build tree (build/windows/tree).
lay_out_windows_folder() {
    local plugin tree="${1:-build/windows/tree}"
    rm -rf "$PROGRAM_FOLDER"
    cmake --install "$ROOT/$tree" --prefix "$PROGRAM_FOLDER" >/dev/null
    cp "$PREFIX/bin/7za.exe" "$PROGRAM_FOLDER/"
    for plugin in "${QT_PLUGINS[@]}"; do
        install -D "$PREFIX/plugins/$plugin" "$PROGRAM_FOLDER/$plugin"
        copy_imported_dlls "$PROGRAM_FOLDER/$plugin" "$PROGRAM_FOLDER"
    done
    copy_imported_dlls "$PROGRAM_FOLDER/velmora.exe" "$PROGRAM_FOLDER"
    copy_conversion_data_to "$PROGRAM_FOLDER/opencc"
    mkdir -p "$PROGRAM_FOLDER/translations"
    cp /usr/share/qt6/translations/qtbase_{zh_CN,zh_TW,en}.qm "$PROGRAM_FOLDER/translations/" \
        2>/dev/null || true
    # Qt finds its plugins and translations beside the program, wherever it is unpacked.
    printf '[Paths]\nPrefix=.\nPlugins=.\nTranslations=translations\n' > "$PROGRAM_FOLDER/qt.conf"
    find "$PROGRAM_FOLDER" -name '*.dll' -o -name '*.exe' | xargs x86_64-w64-mingw32-strip
    echo "Windows program folder: $PROGRAM_FOLDER"
}

pack_portable_zip() {
    local zip="$WINDOWS_OUT/Velmora-$VERSION-portable.zip"
    rm -f "$zip"
    (cd "$WINDOWS_OUT" && 7za a -tzip -mx9 "$zip" Velmora >/dev/null)
    echo "Portable: $zip ($(du -h "$zip" | cut -f1))"
}

pack_installer() {
    local setup="$WINDOWS_OUT/Velmora-$VERSION-setup.exe" icon="$ROOT/src/ui/resources/velmora.ico"
    makensis -V2 -DVERSION="$VERSION" -DSOURCE="$PROGRAM_FOLDER" -DICON="$icon" -DOUTFILE="$setup" \
        "$ROOT/packaging/windows/velmora.nsi"
    echo "Installer: $setup ($(du -h "$setup" | cut -f1))"
}
