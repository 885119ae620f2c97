# libexif static, for the cover's orientation.
unpack "libexif_*.orig.tar.gz"
(cd "$SOURCE" && autoreconf -fi >/dev/null 2>&1)
(cd "$WORK" && "$SOURCE/configure" --host=x86_64-w64-mingw32 --prefix="$PREFIX" \
    --disable-shared --enable-static --disable-docs --disable-nls \
    CC=x86_64-w64-mingw32-gcc-posix >/dev/null \
    && make -j "$JOBS" >/dev/null && make install >/dev/null)
