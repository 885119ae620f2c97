# The Windows build's cache, outside the clone: the source packages, each library built
# once for x86_64-w64-mingw32 into one prefix, and a stamp per library naming the recipe
# it was built by. Sourced by scripts/windows and scripts/windows-test.

WINDOWS_CACHE="${VELMORA_WINDOWS_CACHE:-/var/cache/velmora-windows}"
PREFIX="$WINDOWS_CACHE/prefix"
RECIPES="$ROOT/scripts/lib/windows"
TOOLCHAIN="$WINDOWS_CACHE/toolchain.cmake"
# In build order: a library comes after those it uses.
LIBRARIES=(qt6-base 7zip icu opencc libxml2 libarchive taglib qrencode nettle libmicrohttpd googletest
    libjpeg-turbo libexif)
# Debian source packages by name; OpenCC comes from the npm registry instead, since
# Debian's own source is no longer on the mirror.
SOURCE_PACKAGES=(qt6-base 7zip icu libxml2 libarchive taglib qrencode nettle libmicrohttpd googletest
    libjpeg-turbo libexif)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
    libz-mingw-w64-dev ninja-build nsis wine wine64 dpkg-dev xvfb fonts-wqy-microhei
    libopencc-data m4 autoconf automake libtool autopoint gettext)
CROSS_CMAKE=(-DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX="$PREFIX")
export PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig"
export PKG_CONFIG_SYSROOT_DIR=/

# A recipe's key covers its own file and the toolchain, so editing one recipe rebuilds
# only that library.
recipe_key() {
    cat "$RECIPES/toolchain.cmake.in" "$RECIPES/$1.sh" | sha256sum | cut -c1-16
}

stamp_of() {
    echo "$WINDOWS_CACHE/stamps/$1.$(recipe_key "$1")"
}

cache_is_current() {
    local library
    for library in "${LIBRARIES[@]}"; do
        [ -e "$(stamp_of "$library")" ] || return 1
    done
}

# unpack GLOB: the source tarball matching GLOB in the download folder, into $SOURCE.
unpack() {
    local tarballs=("$WINDOWS_CACHE"/downloads/$1)
    rm -rf "$SOURCE"
    mkdir -p "$SOURCE"
    tar -xf "${tarballs[0]}" -C "$SOURCE" --strip-components=1
}

write_toolchain() {
    mkdir -p "$WINDOWS_CACHE/stamps" "$PREFIX"
    sed "s|@PREFIX@|$PREFIX|g" "$RECIPES/toolchain.cmake.in" > "$TOOLCHAIN"
}

# Debian's orig tarball is all a recipe needs: where the mirror no longer has the
# Debian diff, apt-get fails after the tarball is in, and that is enough.
fetch_sources() {
    local downloads="$WINDOWS_CACHE/downloads" package
    mkdir -p "$downloads"
    if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            > /etc/apt/sources.list.d/velmora-src.sources
        apt-get update -q
    fi
    for package in "${SOURCE_PACKAGES[@]}"; do
        if ! ls "$downloads/${package}_"*.orig.tar.* >/dev/null 2>&1; then
            (cd "$downloads" && apt-get source --download-only "$package" >/dev/null 2>&1) || true
            ls "$downloads/${package}_"*.orig.tar.* >/dev/null
        fi
    done
    if ! ls "$downloads"/opencc-*.tgz >/dev/null 2>&1; then
        # A Node.js of the machine's own brings npm; Debian's would conflict with it.
        command -v npm >/dev/null || as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q npm
        (cd "$downloads" && npm pack --silent opencc@1.1.8 >/dev/null)
    fi
}

# build_library NAME: runs NAME's recipe once; a later call with the same recipe does
# nothing.
build_library() {
    local stamp started
    stamp="$(stamp_of "$1")"
    [ -e "$stamp" ] && return 0
    echo "== Windows: building $1 (once)"
    started="$(date +%s)"
    (
        set -euo pipefail
        SOURCE="$WINDOWS_CACHE/source/$1"
        WORK="$WINDOWS_CACHE/work/$1"
        rm -rf "$WORK"
        mkdir -p "$WORK"
        source "$RECIPES/$1.sh"
    ) || { echo "Windows: the recipe of $1 failed" >&2; return 1; }
    rm -f "$WINDOWS_CACHE/stamps/$1".*
    echo "$(($(date +%s) - started)) s" > "$stamp"
}
