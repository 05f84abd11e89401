#!/usr/bin/env bash
# The Ansible module as an administrator runs it: ansible-playbook on the local connection
# against a private print server with three queues.
#   run.sh SOURCE_DIR KNOBCTL PRINTER_SIMULATOR
set -euo pipefail
source_dir=$1 knobctl=$2 simulator=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
server="$source_dir/tools/print-server.sh"
work=$(mktemp -d)
trap 'bash "$server" stop "$work/cups" >/dev/null 2>&1; rm -rf "$work"' EXIT
eval "$(bash "$server" start "$work/cups" --owner $$ --simulator "$simulator" | grep '^export')"
for queue in front back side; do
    uri=$(bash "$server" add-simulator "$work/cups" "$queue" --simulator "$simulator")
    bash "$server" add-queue "$work/cups" "$queue" "ZAV Ferrostrike Q18RW" "$uri"
done
mkdir "$work/bin"
ln -s "$knobctl" "$work/bin/knobctl"
export PATH="$work/bin:$PATH" XDG_STATE_HOME="$work/state" HOME="$work" ANSIBLE_NOCOLOR=1 \
    ANSIBLE_LIBRARY="$source_dir/contrib/ansible/library" \
    ANSIBLE_ACTION_PLUGINS="$source_dir/contrib/ansible/action_plugins" \
    ANSIBLE_LOCALHOST_WARNING=false ANSIBLE_INVENTORY_UNPARSED_WARNING=false

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Runs the playbook; the recap line must match $1.
play() {
    local recap=$1 output
    shift
    output=$(ansible-playbook -i localhost, "$here/settings.yml" "$@" 2>&1) || true
    grep -qE "localhost +: .*$recap" <<<"$output" || fail "expected $recap from $*:"$'\n'"$output"
    printf '%s\n' "$output"
}
# The jobs a simulator has, once it has $2 of them or 15 s have passed.
jobs_of() {
    for _ in $(seq 150); do
        [[ $(ls "$work/cups/simulators/$1/jobs" | wc -l) -ge $2 ]] && break
        sleep 0.1
    done
    ls "$work/cups/simulators/$1/jobs" | wc -l
}

knobctl new kbs18r -o "$work/a.dat"
knobctl export "$work/a.dat" | sed 's/^centerCutSheet = 40$/centerCutSheet = 50/' >"$work/b.txt"

play 'changed=1 +unreachable=0 +failed=0' -e src="$work/a.dat" >/dev/null
play 'changed=0 +unreachable=0 +failed=0' -e src="$work/a.dat" >/dev/null
output=$(play 'changed=1 +unreachable=0 +failed=0' -e src="$work/b.txt" --check --diff)
grep -q 'centerCutSheet): 40 -> 50' <<<"$output" || fail "no diff in check mode: $output"
for queue in front back side; do
    [[ $(jobs_of "$queue" 1) == 1 ]] || fail "$queue did not get exactly one job"
    knobctl diff --sent "$queue" "$work/a.dat" >/dev/null || fail "check mode changed the record of $queue"
done

# A queue that rejects jobs fails the task with its name; the others still get the file.
cupsreject side
output=$(play 'failed=1' -e src="$work/b.txt")
grep -q '"msg": "side@[^"]*: not accepting jobs' <<<"$output" || fail "the failure does not name the queue: $output"
[[ $(jobs_of front 2)$(jobs_of back 2)$(jobs_of side 1) == 221 ]] || fail "the other queues did not get the file"
knobctl diff --sent side "$work/a.dat" >/dev/null || fail "the rejecting queue's record changed"
echo "ansible module: all checks passed"
