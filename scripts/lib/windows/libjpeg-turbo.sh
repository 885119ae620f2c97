# libjpeg-turbo static, the libjpeg API the cover decoder uses (no SIMD: no nasm).
unpack "libjpeg-turbo_*.orig.tar.gz"
cmake -S "$SOURCE" -B "$WORK" -G Ninja "${CROSS_CMAKE[@]}" -DENABLE_SHARED=OFF \
    -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF >/dev/null
cmake --build "$WORK" -j "$JOBS" >/dev/null
cmake --install "$WORK" >/dev/null
