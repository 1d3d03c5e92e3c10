# Sourced by the scripts in scripts/, with $root the repository's root.

# require PACKAGE CHECK... : each CHECK is "cmd:NAME" (a command on PATH) or
# "file:PATH" (a file that must exist). Missing packages are collected in
# $missing_packages; call install_missing afterwards.
missing_packages=()
fail() { echo "error: $*" >&2; exit 1; }
require() {
    local package=$1 check
    shift
    for check in "$@"; do
        case $check in
            cmd:*) command -v "${check#cmd:}" >/dev/null 2>&1 && return 0 ;;
            file:*) [ -e "${check#file:}" ] && return 0 ;;
        esac
    done
    missing_packages+=("$package")
}

# Installs what require() found missing (apt-get, as root) or names it.
install_missing() {
    [ ${#missing_packages[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
        echo "Installing: ${missing_packages[*]}" >&2
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq >&2 && apt-get install -y -qq --no-install-recommends \
            "${missing_packages[@]}" >&2 || fail "could not install them"
        missing_packages=()
    else
        echo "error: missing packages: ${missing_packages[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing_packages[*]}" >&2
        exit 1
    fi
}

# The compiler and build tools every build needs (CMakePresets.json names
# the oldest CMake that reads it).
require_build_tools() {
    require cmake cmd:cmake
    require g++ cmd:g++ cmd:c++
    require ninja-build cmd:ninja
    install_missing
}

# What every run of the tests needs: GoogleTest, python3 (the records'
# checks), sqlite3 (the SQL join) and Debian's ieee-data (hexalune-batch
# --registry).
require_test_tools() {
    require libgtest-dev file:/usr/include/gtest/gtest.h
    require python3 cmd:python3
    require sqlite3 cmd:sqlite3
    require ieee-data file:/usr/share/ieee-data/oui.csv
}

# What the checks of the installation and packages use (tests/package).
require_package_tools() {
    require groff-base cmd:groff
    require man-db cmd:man
    require dpkg-dev cmd:dpkg-shlibdeps
    require file cmd:file
    require lintian cmd:lintian
}

# build NAME [CMAKE_ARGS...]: configures and builds build/NAME (from the preset
# NAME if there is one), its chatter in build/NAME/build.log unless it fails.
build() {
    local dir=$root/build/$1 name=$1
    shift
    mkdir -p "$dir"
    if grep -q "\"name\": \"$name\"" "$root/CMakePresets.json"; then
        set -- --preset "$name" "$@"
    else
        set -- -B "$dir" -G Ninja "$@"
    fi
    { (cd "$root" && cmake "$@") && cmake --build "$dir"; } >"$dir/build.log" 2>&1 ||
        { cat "$dir/build.log" >&2; fail "the build in $dir failed"; }
}
