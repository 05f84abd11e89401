#!/usr/bin/env bash
# Fills a private cupsd with 500 queues, 5 of them of models kbs18r serves, and times the
# selection dialog's printer list against `lpstat -v` on that server.
#   bench/run-printer-list-bench.sh BUILD_DIR [ROUNDS]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [ROUNDS]}" && pwd)
rounds=${2:-21}
spooler="$root/tests/support/test-spooler.sh"

state=$(mktemp -d)
trap '"$spooler" stop "$state"; rm -rf "$state"' EXIT
eval "$("$spooler" start "$state")"

served=("ZAV Ferrostrike Q18RW" "ZAV Ferrostrike Q18RW" "ZAV Ferrostrike Q18RW"
        "ZAV Ferrostrike Q18RV" "ZAV Ferrostrike Q18RV")
others=("ZAV Ferrostrike P62DW" "ZAV Ferrostrike P62DV" "ZAV Ferrostrike Q18TS"
        "Office Laser 4000" "zav ferrostrike q18rw")

echo "creating 500 queues..."
for i in $(seq 0 499); do
    if ((i % 100 == 50)); then
        model=${served[i / 100]}
    else
        model=${others[i % ${#others[@]}]}
    fi
    "$spooler" add-queue "$state" "$(printf 'queue%03d' "$i")" "$model" "socket://127.0.0.1:$((20000 + i))"
done

"$build/bench/printer-list-bench" "$rounds" "${#served[@]}"
