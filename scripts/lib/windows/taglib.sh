# TagLib static, with MinGW's zlib for compressed frames.
unpack "taglib_*.orig.tar.gz"
cmake -S "$SOURCE" -B "$WORK" -G Ninja "${CROSS_CMAKE[@]}" -DBUILD_SHARED_LIBS=OFF \
    -DBUILD_TESTING=OFF -DBUILD_EXAMPLES=OFF -DBUILD_BINDINGS=OFF -DWITH_ZLIB=ON >/dev/null
cmake --build "$WORK" -j "$JOBS" >/dev/null
cmake --install "$WORK" >/dev/null
