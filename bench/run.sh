#!/usr/bin/env bash
# Measures kbs18r against small reference programs of our own, in alternating rounds, on a
# private cupsd with simulated printers and a private Xvfb, and prints one table:
# metric, ours, reference, ratio median (p10-p90), rounds.
#
#   bench/run.sh BUILD_DIR [--rounds N] [--list-sizes "50 500 2000"] [--crowd 500] [--no-build]
#
# BUILD_DIR is a configured build tree (a Release one for numbers worth keeping); the
# programs are built in it first unless --no-build. One queue of a served model (with a
# simulator behind it) is always there; queues of other models are added up to each list
# size in turn. Start-up is timed with that queue alone and with it among --crowd queues.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [--rounds N] [--list-sizes SIZES] [--crowd N] [--no-build]}" && pwd)
shift
rounds=21 list_sizes="50 500 2000" crowd=500 do_build=1
while [[ $# -gt 0 ]]; do
    case $1 in
    --rounds) rounds=$2; shift 2 ;;
    --list-sizes) list_sizes=$2; shift 2 ;;
    --crowd) crowd=$2; shift 2 ;;
    --no-build) do_build=0; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
((rounds >= 1)) || { echo "--rounds must be at least 1" >&2; exit 2; }

if ((do_build)); then
    cmake --build "$build" --target bench-programs -j2 >/dev/null
fi
bench="$build/bench"
ours="$build/bin/kbs18r"
spooler="$root/tools/print-server.sh"
served_model="ZAV Ferrostrike Q18RW"
served_queue=${served_model// /_}
other_models=("ZAV Ferrostrike P62DW" "ZAV Ferrostrike P62DV" "ZAV Ferrostrike Q18TS")

work=$(mktemp -d)
chmod 0755 "$work" # cupsd's backends (user lp) read the simulator's folder when run as root
xvfb_pid=""
first_pids=()
cleanup() {
    for pid in "${first_pids[@]}" $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    "$spooler" stop "$work/spooler" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; -noreset keeps it up between the programs' connections.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 10 -u "$display_fd" display || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

eval "$("$spooler" start "$work/spooler" --owner $$ --simulator "$build/tools/printer-simulator" "$served_model" |
    grep '^export')"
jobs_dir="$work/spooler/simulators/$served_queue/jobs"
queues=1
add_queues_up_to() {
    while ((queues < $1)); do
        "$spooler" add-queue "$work/spooler" "$(printf 'other%04d' "$queues")" \
            "${other_models[queues % ${#other_models[@]}]}" "socket://127.0.0.1:9" 2>/dev/null
        queues=$((queues + 1))
    done
}

# The block sent: the lead-in of a settings command and 269 more bytes.
block="$work/block.bin"
{ printf '\x1co0,'; head -c 269 /dev/zero | tr '\0' '5'; } >"$block"

samples="$work/samples"
mkdir "$samples"
# pair NAME FIELD ROUND 'OURS COMMAND' 'REFERENCE COMMAND': one round, the two in alternating
# order; the FIELD'th output field of each goes into the samples of NAME.
pair() {
    local name=$1 field=$2 round=$3 a=$4 b=$5 ours_line ref_line
    if ((round % 2 == 0)); then
        ours_line=$(eval "$a") || exit 1
        ref_line=$(eval "$b") || exit 1
    else
        ref_line=$(eval "$b") || exit 1
        ours_line=$(eval "$a") || exit 1
    fi
    echo "$(awk -v f="$field" '{ print $f }' <<<"$ours_line") $(awk -v f="$field" '{ print $f }' <<<"$ref_line")" \
        >>"$samples/$name"
}
# startup_round LABEL ROUND: ours and the plain dialog until their windows are mapped.
startup_round() {
    local label=$1 round=$2 ours_line ref_line
    if ((round % 2 == 0)); then
        ours_line=$("$bench/process-timer" map -- "$ours") || exit 1
        ref_line=$("$bench/process-timer" map -- "$bench/reference-dialog") || exit 1
    else
        ref_line=$("$bench/process-timer" map -- "$bench/reference-dialog") || exit 1
        ours_line=$("$bench/process-timer" map -- "$ours") || exit 1
    fi
    read -r ours_ms ours_kib <<<"$ours_line"
    read -r ref_ms ref_kib <<<"$ref_line"
    echo "$ours_ms $ref_ms" >>"$samples/startup-$label"
    echo "$ours_kib $ref_kib" | awk '{ print $1 / 1024, $2 / 1024 }' >>"$samples/memory-$label"
}

echo "start-up and peak memory, 1 queue..." >&2
for ((r = 0; r < rounds; r++)); do startup_round 1 "$r"; done

echo "second start..." >&2
first=$("$bench/process-timer" map --leave-running -- "$ours")
first_pids+=("$(awk '{ print $3 }' <<<"$first")")
"$bench/reference-handover" "$XDG_RUNTIME_DIR" &
first_pids+=($!)
for _ in $(seq 100); do [[ -S $XDG_RUNTIME_DIR/reference.socket ]] && break; sleep 0.05; done
for ((r = 0; r < rounds; r++)); do
    pair second-start 1 "$r" '"$bench/process-timer" exit -- "$ours"' \
        '"$bench/process-timer" exit -- "$bench/reference-handover" "$XDG_RUNTIME_DIR"'
done
kill "${first_pids[@]}"
wait "${first_pids[@]}" 2>/dev/null || true
first_pids=()

echo "send..." >&2
send_ours='"$bench/process-timer" exit --job-dir "$jobs_dir" --job-file "$block" -- "$bench/send-ours" "$served_queue" "$block"'
send_lp='"$bench/process-timer" exit --job-dir "$jobs_dir" --job-file "$block" -- lp -d "$served_queue" -o raw "$block"'
send_libcups='"$bench/process-timer" exit --job-dir "$jobs_dir" --job-file "$block" -- "$bench/reference-send" "$served_queue" "$block"'
for ((r = 0; r < rounds; r++)); do
    pair send-lp 1 "$r" "$send_ours" "$send_lp"
    pair send-libcups 1 "$r" "$send_ours" "$send_libcups"
    pair send-at-printer 3 "$r" "$send_ours" "$send_lp"
done

crowd_done=0
for size in $(tr ' ' '\n' <<<"$list_sizes $crowd" | sort -nu); do
    echo "$size queues..." >&2
    add_queues_up_to "$size"
    if [[ " $list_sizes " == *" $size "* ]]; then
        "$bench/printer-list-bench" "$rounds" "$size" 1 >"$samples/list-$size"
    fi
    if ((size == crowd)); then
        for ((r = 0; r < rounds; r++)); do startup_round "$crowd" "$r"; done
        crowd_done=1
    fi
done
((crowd_done))

# row METRIC UNIT FILE: medians of both columns, and the median, p10 and p90 of the
# per-round ratios (nearest rank).
row() {
    local metric=$1 unit=$2 file=$3
    awk -v metric="$metric" -v unit="$unit" '
        { ours[NR] = $1; ref[NR] = $2; ratio[NR] = ($2 > 0 ? $1 / $2 : 0) }
        function sorted_at(a, n, q,   i, j, t, b) {
            for (i = 1; i <= n; i++) b[i] = a[i]
            for (i = 2; i <= n; i++) for (j = i; j > 1 && b[j - 1] > b[j]; j--) { t = b[j]; b[j] = b[j - 1]; b[j - 1] = t }
            return b[int(q * (n - 1)) + 1]
        }
        END {
            ratios = sprintf("%.2f (%.2f–%.2f)", sorted_at(ratio, NR, 0.5), sorted_at(ratio, NR, 0.1),
                             sorted_at(ratio, NR, 0.9))
            printf "| %-42s | %9.1f %-3s | %9.1f %-3s | %-24s | %6d |\n", metric,
                sorted_at(ours, NR, 0.5), unit, sorted_at(ref, NR, 0.5), unit, ratios, NR
        }' "$file"
}

echo "| metric                                     | ours          | reference     | ratio median (p10–p90) | rounds |"
echo "|--------------------------------------------|---------------|---------------|------------------------|--------|"
row "start-up, 1 queue (vs plain dialog)" ms "$samples/startup-1"
row "start-up, 1 among $crowd (vs plain dialog)" ms "$samples/startup-$crowd"
row "second start (vs flock+socket)" ms "$samples/second-start"
for size in $list_sizes; do
    row "printer list, $size queues (vs 1 request)" ms "$samples/list-$size"
done
row "send, job accepted (vs lp -o raw)" ms "$samples/send-lp"
row "send, job accepted (vs libcups sender)" ms "$samples/send-libcups"
row "send, bytes at printer (vs lp -o raw)" ms "$samples/send-at-printer"
row "peak memory, 1 queue (vs plain dialog)" MiB "$samples/memory-1"
row "peak memory, 1 among $crowd" MiB "$samples/memory-$crowd"
