# Nettle static (SHA-1 for the book's identifier), without GMP.
unpack "nettle_*.orig.tar.gz"
(cd "$WORK" && "$SOURCE/configure" --host=x86_64-w64-mingw32 --prefix="$PREFIX" \
    --disable-shared --enable-static --disable-public-key --disable-documentation \
    --disable-openssl CC=x86_64-w64-mingw32-gcc-posix >/dev/null \
    && make -j "$JOBS" >/dev/null && make install >/dev/null)
