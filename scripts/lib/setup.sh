# Shared by scripts/run and scripts/test: installs what is missing, builds the Release
# and lays out the program folder build/app. Sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
JOBS="$(nproc)"

# Debian packages the build, the program and its tests need.
PACKAGES=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libjpeg62-turbo-dev libexif-dev
    p7zip-full xdg-utils fonts-wqy-microhei
    libarchive-dev libxml2-dev nettle-dev libicu-dev libmicrohttpd-dev libqrencode-dev libopencc-dev libtag1-dev

    googletest libgtest-dev clang-format
    epubcheck default-jre-headless pandoc zbar-tools curl poppler-utils

    clang libclang-rt-14-dev
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
            "${missing[@]}"
    fi
}

# build_tree DIR [cmake options...]
build_tree() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$ROOT/$dir" "$@" >/dev/null
    cmake --build "$ROOT/$dir" -j "$JOBS"
}

build_release() {
    build_tree build/release -DCMAKE_BUILD_TYPE=Release
}

# The portable program folder: velmora, template/, temp/, finished/ and the 7za link.
lay_out_app() {
    # Templates are laid out afresh; runs in temp/ and books in finished/ stay.
    rm -rf "$ROOT/build/app/template"
    cmake --install "$ROOT/build/release" --prefix "$ROOT/build/app" >/dev/null
    echo "Program folder: $ROOT/build/app"
}
