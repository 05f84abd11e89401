#!/usr/bin/env bash
# Packs a built tree once for the package tests:
#   build-package.sh BUILD_DIR OUT_DIR
# leaves OUT_DIR/knobstation_<version>_<arch>.deb and nothing else.
set -euo pipefail
build=$1 out=$2

rm -rf "$out"
mkdir -p "$out"
if ! cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log" >&2
    exit 1
fi
rm -rf "$out/_CPack_Packages"
shopt -s nullglob
debs=("$out"/knobstation_*.deb)
if ((${#debs[@]} != 1)); then
    echo "build-package: expected one knobstation package in $out, found ${#debs[@]}" >&2
    exit 1
fi
