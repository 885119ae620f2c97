# 7za.exe, the archiver the program calls, from Debian's 7-Zip source; it needs only
# the system's DLLs.
unpack "7zip_*.orig.tar.xz"
make -C "$SOURCE/CPP/7zip/Bundles/Alone" -f makefile.gcc -j "$JOBS" \
    IS_MINGW=1 MSYSTEM=1 IS_X64=1 CC=x86_64-w64-mingw32-gcc-posix \
    CXX=x86_64-w64-mingw32-g++-posix RC=x86_64-w64-mingw32-windres >/dev/null
install -D "$SOURCE/CPP/7zip/Bundles/Alone/_o/7za.exe" "$PREFIX/bin/7za.exe"
x86_64-w64-mingw32-strip "$PREFIX/bin/7za.exe"
