# libqrencode static, the library only.
unpack "qrencode_*.orig.tar.bz2"
cmake -S "$SOURCE" -B "$WORK" -G Ninja "${CROSS_CMAKE[@]}" -DBUILD_SHARED_LIBS=OFF \
    -DWITH_TOOLS=OFF -DWITH_TESTS=OFF >/dev/null
cmake --build "$WORK" -j "$JOBS" >/dev/null
cmake --install "$WORK" >/dev/null
