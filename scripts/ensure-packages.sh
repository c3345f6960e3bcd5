# Installs the Debian packages that are not there yet. Sourced by the project's commands.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-svg-dev
  libqcustomplot-dev qt6-tools-dev qt6-l10n-tools libgl-dev librsvg2-bin)
# The window tests measure texts: their fonts are part of what they compare.
# poppler-utils: the report tests read the PDF back as a reader does.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils appstream
  fonts-noto-cjk clang-format git poppler-utils)
DEB_PACKAGES=(dpkg-dev file)
RUN_PACKAGES=(xvfb xauth fonts-noto-cjk qt6-translations-l10n)
BENCH_PACKAGES=(python3 xdotool libx11-dev)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The core cross-built for Windows and tested under Wine; GoogleTest is built from its sources.
WINDOWS_CORE_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 googletest)
# The whole program for Windows: Qt built from Debian's sources, a zip and an NSIS installer.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix nsis zip dpkg-dev xz-utils)
# Trying that build under Wine; fonts-wine gives the prefix Tahoma, as Windows has it.
WINE_TRY_PACKAGES=(wine64 fonts-wine g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 xvfb
  xdotool imagemagick python3 unzip)

EnsurePackages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
