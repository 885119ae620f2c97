# libarchive static, for reading books (zip with deflate, through MinGW's zlib).
unpack "libarchive_*.orig.tar.xz"
cmake -S "$SOURCE" -B "$WORK" -G Ninja "${CROSS_CMAKE[@]}" -DBUILD_SHARED_LIBS=OFF \
    -DENABLE_TEST=OFF -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_NETTLE=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
    -DENABLE_BZip2=OFF -DENABLE_LZ4=OFF -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF \
    -DENABLE_ICONV=OFF -DENABLE_LIBB2=OFF -DENABLE_CNG=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF \
    -DZLIB_USE_STATIC_LIBS=ON >/dev/null
cmake --build "$WORK" -j "$JOBS" >/dev/null
cmake --install "$WORK" >/dev/null
