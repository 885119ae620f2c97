# Qt's base modules, cross-built with Debian's own Qt 6 host tools (moc, rcc, uic).
# Debian's tarball lacks src/3rdparty/wintab, hence no tablet events; D-Bus, SQL and
# OpenGL are not used on Windows.
unpack "qt6-base_*.orig.tar.xz"
cmake -S "$SOURCE" -B "$WORK" -G Ninja "${CROSS_CMAKE[@]}" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DINPUT_opengl=no \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
cmake --build "$WORK" -j "$JOBS"
cmake --install "$WORK"
