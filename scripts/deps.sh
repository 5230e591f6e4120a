# Sourced by run.sh, test.sh and .ci/run: installs the Debian 12 packages a step needs.

# qt6-charts-dev does not pull in libqt6opengl6-dev, which its CMake package needs.
# poppler-utils (pdftotext, pdfinfo) reads the viewer's PDFs in the tests.
# qt6-svg-dev: the build draws the desktop icon's PNGs from its SVG.
# xvfb, openbox and the X libraries: the window-manager tests run the windows under a real one;
# xdotool types into the window on an X server of the test's own.
# qt6-translations-l10n: Qt's Czech texts for its own dialogs (a test reads a button's).
# qt6-l10n-tools: lrelease compiles the English translation, lupdate checks that it is complete.
TROVA_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
                      libbenchmark-dev nlohmann-json3-dev fonts-dejavu-core poppler-utils
                      xvfb openbox x11-utils libx11-dev libxcb1-dev xdotool qt6-translations-l10n qt6-l10n-tools)
# scripts/package.sh: CPack's DEB generator reads the dependencies with dpkg-shlibdeps (dpkg-dev)
# and builds under fakeroot; the package and its desktop files are checked with lintian,
# desktop-file-validate (desktop-file-utils) and appstreamcli (appstream).
TROVA_PACKAGE_PACKAGES=(dpkg-dev fakeroot lintian desktop-file-utils appstream)
# scripts/build-windows.sh: the MinGW-w64 cross compiler with POSIX threads (std::thread and
# friends), wine64 to run the tests, and the header-only JSON library the planner uses.
TROVA_WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix wine64 nlohmann-json3-dev)

# Installs the named packages that are missing (as root), or says the one line to run.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run once as root:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        return 1
    fi
    echo "Installing ${missing[*]} ..."
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
