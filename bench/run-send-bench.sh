#!/usr/bin/env bash
# Sends one settings file to 100 queues of a private cupsd: `knobctl send` against a shell loop
# of `lp -o raw` over the same queues. Target: knobctl takes at most a fifth of the loop's time.
# Two settings: printers stopped (cupsdisable), where the queues take and hold the jobs, so the
# time is the sending alone; and printers running, where cupsd also starts every job's backend,
# one after another, which costs both sides the same.
#   bench/run-send-bench.sh BUILD_DIR [ROUNDS]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [ROUNDS]}" && pwd)
rounds=${2:-3}
spooler="$root/tools/print-server.sh"
knobctl="$build/src/cli/knobctl"
export KBS_PRINTER_SIMULATOR="$build/tools/printer-simulator"

state=$(mktemp -d)
trap '"$spooler" stop "$state"; rm -rf "$state"' EXIT
eval "$("$spooler" start "$state")"

echo "creating 100 queues on 4 simulated printers..."
uris=()
for s in 0 1 2 3; do
    uris+=("$("$spooler" add-simulator "$state" "printer$s")")
done
queues=()
for i in $(seq 0 99); do
    queue=$(printf 'office%03d' "$i")
    "$spooler" add-queue "$state" "$queue" "ZAV Ferrostrike Q18RW" "${uris[i % 4]}"
    queues+=("$queue")
done

file="$state/office.dat"
"$knobctl" new kbs18r -o "$file"
# The block alone, as the loop sends it: the file without its identifier (24 characters and NUL).
tail -c +26 "$file" >"$state/block.bin"

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

lp_loop() {
    for queue in "${queues[@]}"; do
        lp -d "$queue" -o raw -t "Knobstation Status Write" "$state/block.bin"
    done
}

compare() {
    printf '%-18s %-6s %12s %12s %8s\n' printers round knobctl "lp loop" ratio
    for round in $(seq "$rounds"); do
        ours=$(seconds "$knobctl" send "$file" "${queues[@]}")
        loop=$(seconds lp_loop)
        printf '%-18s %-6s %11.3fs %11.3fs %8.3f\n' "$1" "$round" "$ours" "$loop" "$(awk -v a="$ours" -v b="$loop" 'BEGIN { printf "%.3f", a / b }')"
        cancel -a >/dev/null 2>&1 || true
    done
}

cupsdisable "${queues[@]}"
compare "stopped (held)"
cupsenable "${queues[@]}"
compare "running"
