# libmicrohttpd static, plain HTTP over Winsock (no TLS).
unpack "libmicrohttpd_*.orig.tar.xz"
(cd "$WORK" && "$SOURCE/configure" --host=x86_64-w64-mingw32 --prefix="$PREFIX" \
    --disable-shared --enable-static --disable-https --disable-doc --disable-examples \
    --disable-curl --without-gnutls CC=x86_64-w64-mingw32-gcc-posix >/dev/null \
    && make -j "$JOBS" >/dev/null && make install >/dev/null)
