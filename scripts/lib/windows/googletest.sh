# GoogleTest and GoogleMock static, for the tests built for Windows.
unpack "googletest_*.orig.tar.gz"
cmake -S "$SOURCE" -B "$WORK" -G Ninja "${CROSS_CMAKE[@]}" -DBUILD_SHARED_LIBS=OFF \
    -Dgtest_disable_pthreads=OFF >/dev/null
cmake --build "$WORK" -j "$JOBS" >/dev/null
cmake --install "$WORK" >/dev/null
