#!/usr/bin/env bash
# Packs a built tree and checks the package without installing it, then runs its programs from
# the unpacked tree in a virtual display against a private print server with one Q18RW:
#   check-package.sh BUILD_DIR VERSION PRINTER_SIMULATOR
set -euo pipefail
build=$1 version=$2 simulator=$3
server=$(cd "$(dirname "$0")/../../tools" && pwd)/print-server.sh
out=$(mktemp -d)
chmod 755 "$out" # cupsd's backends run as lp
display=
cleanup() {
    bash "$server" stop "$out/cups" >/dev/null 2>&1 || true
    [[ -z $display ]] || kill "$display"
    rm -rf "$out"
}
trap cleanup EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; exit 1; }
deb=$(echo "$out"/knobstation_*.deb)
[[ -f $deb ]] || fail "no package"
[[ $(dpkg-deb -f "$deb" Version) == "$version"-* ]] || fail "version is not $version"
# Loaded at run time, so no link brings them in.
for dependency in fonts-ipafont-gothic qt6-translations-l10n libcups2; do
    grep -qE "(^|, )$dependency( |,|$)" <<<"$(dpkg-deb -f "$deb" Depends)" || fail "no dependency on $dependency"
done

# Everything root's, under /usr, readable and not writable by others; the programs executable.
contents=$(dpkg-deb --contents "$deb" | awk '{print $1, $2, $6}')
grep -vE '^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x) root/root \./(usr/.*)?$' <<<"$contents" && fail "entries above are wrong"
for path in usr/share/man/man1/knobctl.1.gz usr/share/doc/knobstation/copyright \
    usr/share/icons/hicolor/256x256/apps/knobstation.png usr/share/{kbs18r/kbs18r,kbs62d/kbs62d,kbs18t/kbs18t}.html \
    usr/share/applications/{kbs18r,kbs62d,kbs18t}.desktop usr/share/man/man1/{kbs18r,kbs62d,kbs18t}.1.gz; do
    grep -q "^-rw-r--r-- root/root \./$path$" <<<"$contents" || fail "$path is not in the package"
done
for program in knobctl kbs18r kbs62d kbs18t; do
    grep -q "^-rwxr-xr-x root/root \./usr/bin/$program$" <<<"$contents" || fail "no program $program"
done
[[ $(grep -c '\./usr/share/ppd/knobstation/zav-ferrostrike-.*\.ppd$' <<<"$contents") == 5 ]] || fail "not five PPDs"

root=$out/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
cupstestppd -q "$root"/usr/share/ppd/knobstation/*.ppd
lintian --fail-on error,warning "$deb"

eval "$(bash "$server" start "$out/cups" --owner $$ --simulator "$simulator" "ZAV Ferrostrike Q18RW" | grep '^export')"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$out/display" &
display=$!
for _ in $(seq 100); do [[ -s $out/display ]] && break; sleep 0.1; done
mkdir -m 700 "$out/run"
export DISPLAY=:$(cat "$out/display") QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$out/run PATH=$root/usr/bin:$PATH
windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }
wait_for() { # TITLE COUNT
    for _ in $(seq 100); do [[ $(windows "$1" | wc -l) == "$2" ]] && return; sleep 0.2; done
    fail "not $2 windows named $1"
}
title="ZAV Ferrostrike Q18RW/Q18RV"

# A program whose printer is not served tells so and ends with status 1 without its window.
kbs62d & program=$!
wait_for Knobstation 1
xdotool windowfocus --sync "$(windows Knobstation)" key --clearmodifiers Return # no window manager
status=0; wait $program || status=$?
[[ $status == 1 && -z $(windows P62DW) ]] || fail "kbs62d without its printer ended with $status"

# Started as its menu entry says, with its one printer: the window at once, no question; a
# second start hands over to the first and ends; a killed one's lock keeps nobody out.
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/kbs18r.desktop" | sed 's/ *%[a-zA-Z]//g')
$command & program=$!
wait_for "$title" 1
[[ -z $(windows Knobstation) && -z $(windows プリンタの選択) ]] || fail "kbs18r asked something"
timeout 20 $command || fail "the second kbs18r did not hand over"
wait_for "$title" 1
kill -9 $program
wait_for "$title" 0
$command & program=$!
wait_for "$title" 1
kill $program
