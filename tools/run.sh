#!/usr/bin/env bash
# Builds one of the programs and runs it on this desktop.
#
#   tools/run.sh [kbs18r|kbs62d|kbs18t] [--xvfb]
#
# When the default print server has no queue for a printer model of the program, a private
# spooler is started for the run with one simulated printer per model, and the program is
# pointed at it; the jobs it receives stay on disk after the run. --xvfb runs the program in
# a virtual display (nothing is shown) where there is no desktop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

program=kbs18r
use_xvfb=false
for arg in "$@"; do
    case $arg in
    kbs18r | kbs62d | kbs18t) program=$arg ;;
    --xvfb) use_xvfb=true ;;
    *)
        sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$0" >&2
        exit 2
        ;;
    esac
done

# The printer models each program accepts, as its printer selection matches them.
case $program in
kbs18r) models=("ZAV Ferrostrike Q18RW" "ZAV Ferrostrike Q18RV") ;;
kbs62d) models=("ZAV Ferrostrike P62DW" "ZAV Ferrostrike P62DV") ;;
kbs18t) models=("ZAV Ferrostrike Q18TS") ;;
esac

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]] && ! $use_xvfb; then
    echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "run: start it from a desktop session, or add --xvfb to run it in a virtual display." >&2
    exit 1
fi

"$root/tools/install-deps.sh"

build="$root/build-run"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "$program" printer-simulator

# True when the current print server has a queue whose make and model is one of ours.
served_queue_exists() {
    local queue options model
    while read -r queue; do
        [[ -n $queue ]] || continue
        options=$(lpoptions -p "$queue" 2>/dev/null) || continue
        for model in "${models[@]}"; do
            [[ $options == *"printer-make-and-model='$model'"* ]] && return 0
        done
    done < <(lpstat -e 2>/dev/null || true)
    return 1
}

spooler_state=""
stop_spooler() {
    [[ -n $spooler_state ]] && "$root/tools/print-server.sh" stop "$spooler_state" || true
}

if served_queue_exists; then
    echo "run: using the print server's own queues for ${models[*]}."
else
    spooler_state=$(mktemp -d /tmp/knobstation-run.XXXXXX)
    trap stop_spooler EXIT
    spooler_output=$("$root/tools/print-server.sh" start "$spooler_state" --owner $$ \
        --simulator "$build/tools/printer-simulator" "${models[@]}")
    echo "$spooler_output"
    eval "$(grep '^export ' <<<"$spooler_output")"
    echo "run: private print server $CUPS_SERVER with one simulated printer per model."
    echo "run: jobs the simulated printers receive are stored in:"
    for model in "${models[@]}"; do
        echo "       $spooler_state/simulators/${model// /_}/jobs/"
    done
fi

status=0
if $use_xvfb; then
    xvfb-run -a "$build/bin/$program" || status=$?
else
    "$build/bin/$program" || status=$?
fi

if [[ -n $spooler_state ]]; then
    jobs=$(find "$spooler_state/simulators" -name 'job-*.bin' -printf '       %p (%s bytes)\n' 2>/dev/null | sort)
    echo "run: $program ended with status $status; jobs received:"
    echo "${jobs:-       none}"
fi
exit "$status"
