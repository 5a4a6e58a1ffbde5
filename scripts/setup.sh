# Sourced by ./run and ./test: installs the Debian packages the build needs
# when they are missing, then configures and builds one CMake preset.

teskadat_packages="cmake g++ ninja-build qt6-base-dev qt6-base-dev-tools libgtest-dev libgmock-dev libpng-dev fonts-dejavu-core"
# SVG and PDF pictures (Qt Svg) and the tests that read the PDF text back.
teskadat_packages="$teskadat_packages qt6-svg-dev poppler-utils"
# The fuzz targets (clang with libFuzzer) and the real-window test under Xvfb,
# which also runs the window under a window manager (openbox).
teskadat_packages="$teskadat_packages clang libclang-rt-14-dev xvfb xauth x11-utils xdotool imagemagick"
# Checks of the installed desktop entry and file type.
teskadat_packages="$teskadat_packages desktop-file-utils libxml2-utils"
# strace: a test watches that a save syncs the folder after its rename.
teskadat_packages="$teskadat_packages strace"
# A window manager for the real-window test of activation.
teskadat_packages="$teskadat_packages openbox"
# Coordinate systems (PROJ) and GIS grids and vector files (GDAL), with
# their command-line tools that the tests check the results with.
teskadat_packages="$teskadat_packages libproj-dev proj-data proj-bin libgdal-dev gdal-bin"
# The benchmarks (Google Benchmark), which CI compiles.
teskadat_packages="$teskadat_packages libbenchmark-dev"

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

# teskadat_build PRESET [TARGET...]: configures and builds the preset (only
# the named targets and what they need, when given). TESKADAT_WERROR=1 in the
# environment makes every warning an error (as CI builds do).
teskadat_build() {
    local preset="$1"
    shift
    cmake --preset "$preset" -DTESKADAT_WERROR="${TESKADAT_WERROR:-0}" >/dev/null || return 1
    if [ $# -gt 0 ]; then
        cmake --build --preset "$preset" --target "$@" || return 1
    else
        cmake --build --preset "$preset" || return 1
    fi
}
