#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, then checks that every
# program and file the tests and the run command use is really there. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake clang-format clang libclang-rt-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl1-mesa-dev
  libcups2-dev cups cups-daemon cups-client cups-bsd cups-filters
  fonts-ipafont-gothic
  xvfb xauth x11-utils xdotool imagemagick
  dpkg-dev desktop-file-utils lintian
  ansible-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# What the tests and tools/run.sh call, and the package that brings it. cupsd and lpadmin live in
# /usr/sbin, which a normal user's PATH may lack.
required=(
  "/usr/sbin/cupsd cups-daemon"
  "/usr/sbin/lpadmin cups-client"
  "/usr/bin/lpstat cups-client"
  "/usr/sbin/lpinfo cups-client"
  "/usr/bin/lpoptions cups-client"
  "/usr/bin/cupstestppd cups-client"
  "/usr/lib/cups/backend/socket cups"
  "/usr/bin/Xvfb xvfb"
  "/usr/bin/xauth xauth"
  "/usr/bin/xwininfo x11-utils"
  "/usr/bin/xprop x11-utils"
  "/usr/bin/xdotool xdotool"
  "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf fonts-ipafont-gothic"
  "/usr/share/qt6/translations/qtbase_ja.qm qt6-translations-l10n"
  "/usr/bin/dpkg-shlibdeps dpkg-dev"
  "/usr/bin/dpkg-buildflags dpkg-dev"
  "/usr/bin/desktop-file-validate desktop-file-utils"
  "/usr/bin/lintian lintian"
  "/usr/bin/clang++ clang"
  "/usr/bin/ansible-playbook ansible-core"
)
absent=()
for entry in "${required[@]}"; do
  read -r path package <<<"$entry"
  [[ -e $path ]] || absent+=("$path (package $package)")
done
# The fuzz targets link libFuzzer and the sanitizer runtimes of clang.
if [[ -x /usr/bin/clang++ ]] && ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
  clang++ -x c++ -fsanitize=fuzzer,address,undefined -o /dev/null - 2>/dev/null; then
  absent+=("libFuzzer and the sanitizer runtimes for clang (package libclang-rt-dev)")
fi
if ((${#absent[@]})); then
  printf 'install-deps: still missing after installing:\n' >&2
  printf '  %s\n' "${absent[@]}" >&2
  exit 1
fi
