# Sourced by ./run and ./test: installs the Debian packages the build needs
# when they are missing, then configures and builds one CMake preset.

teskadat_packages="cmake g++ ninja-build qt6-base-dev qt6-base-dev-tools libgtest-dev libgmock-dev libpng-dev fonts-dejavu-core"
# The fuzz targets (clang with libFuzzer) and the real-window test under Xvfb.
teskadat_packages="$teskadat_packages clang libclang-rt-14-dev xvfb xauth x11-utils xdotool imagemagick"

teskadat_install_missing() {
    local missing=""
    for package in $teskadat_packages "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing:$missing"
    $sudo apt-get update -qq || return 1
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null || return 1
}

teskadat_build() {
    local preset="$1"
    cmake --preset "$preset" >/dev/null || return 1
    cmake --build --preset "$preset" || return 1
}
