#!/usr/bin/env bash
# Builds the Debian package "knobstation" in one command: installs what is needed, makes an
# optimised build with Debian's hardening flags, packs it with CPack and checks it with lintian.
#
#   tools/package.sh            leaves build-package/knobstation_<version>_<arch>.deb
#   tools/package.sh --install  and installs it with apt-get
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

install=no
case ${1:-} in
"") ;;
--install) install=yes ;;
*)
    echo "usage: tools/package.sh [--install]" >&2
    exit 2
    ;;
esac

"$root/tools/install-deps.sh"

# Debian's compiler and linker flags; CMake reads no CPPFLAGS, so they go with the C++ flags.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"

dir="$root/build-package"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF
cmake --build "$dir" -j "$(nproc)"
rm -f "$dir"/knobstation_*.deb
(cd "$dir" && cpack)
deb=$(ls "$dir"/knobstation_*.deb)

# Warnings and errors fail the build; the informational tags are shown for the record.
lintian --fail-on error,warning --info --display-info "$deb"
echo "package: $deb"

if [[ $install == yes ]]; then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "$deb"
fi
