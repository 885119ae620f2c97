# ICU as DLLs: its own tools are built natively first, then used by the cross build.
unpack "icu_*.orig.tar.gz"
mkdir -p "$WORK/native" "$WORK/cross"
(cd "$WORK/native" && "$SOURCE/source/configure" --disable-tests --disable-samples \
    --disable-extras >/dev/null && make -j "$JOBS" >/dev/null)
(cd "$WORK/cross" && "$SOURCE/source/configure" --host=x86_64-w64-mingw32 \
    --with-cross-build="$WORK/native" --prefix="$PREFIX" --disable-tests --disable-samples \
    --disable-extras CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix \
    >/dev/null && make -j "$JOBS" >/dev/null && make install >/dev/null)
