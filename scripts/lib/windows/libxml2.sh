# libxml2 static, UTF-8 and UTF-16 only (books are UTF-8): no iconv, ICU, zlib or Python.
unpack "libxml2_*.orig.tar.xz"
cmake -S "$SOURCE" -B "$WORK" -G Ninja "${CROSS_CMAKE[@]}" -DBUILD_SHARED_LIBS=OFF \
    -DLIBXML2_WITH_ICONV=OFF -DLIBXML2_WITH_ICU=OFF -DLIBXML2_WITH_LZMA=OFF \
    -DLIBXML2_WITH_ZLIB=OFF -DLIBXML2_WITH_PYTHON=OFF -DLIBXML2_WITH_TESTS=OFF \
    -DLIBXML2_WITH_PROGRAMS=OFF -DLIBXML2_WITH_HTTP=OFF -DLIBXML2_WITH_FTP=OFF >/dev/null
cmake --build "$WORK" -j "$JOBS" >/dev/null
cmake --install "$WORK" >/dev/null
