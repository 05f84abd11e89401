#!/usr/bin/env bash
# A private CUPS print server for the demo, the tests and the benchmark: a cupsd of its own under
# a state directory, listening only on a Unix socket there, with queues made from the PPDs in
# packaging/ppd and printer simulators behind them. The system's CUPS is not touched.
#
#   print-server.sh start STATEDIR [--owner PID] [--simulator BINARY] [MODEL...]
#       Starts the cupsd, or starts it again after stop-cupsd (queues are kept). For every
#       MODEL, e.g. "ZAV Ferrostrike Q18RW", starts a simulator and a queue on it named after
#       the model, spaces as underscores. Prints "export CUPS_SERVER=..." for eval.
#       With --owner, everything is stopped as soon as process PID has ended. A start that
#       fails stops everything under STATEDIR before it ends.
#   print-server.sh add-simulator STATEDIR NAME [--simulator BINARY]
#       Starts a printer simulator and prints its device URI; its jobs are stored as
#       STATEDIR/simulators/NAME/jobs/job-NNNN.bin, its log is STATEDIR/simulators/NAME/log.
#   print-server.sh add-queue STATEDIR QUEUE MAKE-AND-MODEL DEVICE-URI
#       Creates an enabled queue that accepts jobs. Its PPD is the shipped one whose
#       *NickName is MAKE-AND-MODEL; for any other text, a copy of a shipped PPD renamed to it.
#   print-server.sh stop-cupsd STATEDIR
#       Stops only the cupsd, as if the spooler had gone away.
#   print-server.sh stop STATEDIR
#       Stops the cupsd, every simulator and the owner watch started under STATEDIR.
#   print-server.sh end-processes-under STATEDIR
#       Ends every process whose command line names a path under STATEDIR, which need
#       not exist any more.
#
# The simulator binary comes from --simulator or from KBS_PRINTER_SIMULATOR.
# Runs as root (cupsd then runs its backends as lp) and as a normal user.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
self="$here/$(basename "${BASH_SOURCE[0]}")"
ppd_dir=$(cd "$here/../packaging/ppd" && pwd)

die() {
    echo "print-server: $*" >&2
    exit 1
}

usage() {
    sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$self" >&2
    exit 2
}

absolute_dir() {
    mkdir -p "$1"
    (cd "$1" && pwd)
}

# An ended process may stay a zombie for a while when its parent is a slow init; it counts as gone.
alive() {
    local pid=$1 stat
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [[ ${stat%% *} != Z ]]
}

running() {
    local pidfile=$1
    [[ -s $pidfile ]] && alive "$(<"$pidfile")"
}

# Sends TERM (and CONT, should a test have frozen it), then KILL if the process is still
# there after five seconds.
end_pid() {
    local pid=$1
    if alive "$pid" && kill -TERM "$pid" 2>/dev/null; then
        kill -CONT "$pid" 2>/dev/null || true
        for _ in $(seq 100); do
            alive "$pid" || break
            sleep 0.05
        done
        alive "$pid" && kill -KILL "$pid" 2>/dev/null
    fi
    return 0
}

end_process() {
    local pidfile=$1
    [[ -s $pidfile ]] || return 0
    end_pid "$(<"$pidfile")"
    rm -f "$pidfile"
}

# Every process whose command line names a path under STATEDIR: the cupsd and the
# simulators, found without the pid files, which may be gone with the directory.
end_processes_under() {
    local state=$1 cmdline pid
    for dir in /proc/[0-9]*; do
        pid=${dir#/proc/}
        [[ $pid != "$$" && $pid != "$BASHPID" ]] || continue
        cmdline=$(tr '\0' ' ' <"$dir/cmdline" 2>/dev/null) || continue
        [[ $cmdline == *"$state/"* ]] && end_pid "$pid"
    done
    return 0
}

# Started by root, cupsd runs its backends as lp, and they read the jobs from the spool
# directory; that one therefore lives outside the private state directory, in /tmp.
spool_dir() {
    local state=$1 spool
    if [[ $(id -u) -ne 0 ]]; then
        echo "$state/spool"
        return
    fi
    spool=$(mktemp -d /tmp/kbs-spool.XXXXXX)
    chmod 0755 "$spool"
    echo "$spool" >"$state/run/spool-elsewhere"
    echo "$spool"
}

write_config() {
    local state=$1 spool
    # Whoever reaches the socket may administer this cupsd: only the owner does.
    chmod 0700 "$state"
    mkdir -p "$state/conf" "$state/cache" "$state/log" "$state/run" "$state/ppd"
    spool=$(spool_dir "$state")
    mkdir -p "$spool/tmp"
    cat >"$state/conf/cupsd.conf" <<CONF
# Only the Unix socket: no network listener, no sharing, no browsing, no web interface.
Listen $state/cups.sock
Browsing No
BrowseLocalProtocols none
WebInterface No
LogLevel warn
DefaultAuthType None
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
    cat >"$state/conf/cups-files.conf" <<CONF
ServerRoot $state/conf
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
RequestRoot $spool
TempDir $spool/tmp
CacheDir $state/cache
StateDir $state/run
AccessLog $state/log/access_log
ErrorLog $state/log/error_log
PageLog $state/log/page_log
Printcap $state/run/printcap
FileDevice Yes
CONF
    # A community without a name turns off the network backends' SNMP queries, which
    # would otherwise wait seconds for an answer from the simulators on every job.
    echo "Community" >"$state/conf/snmp.conf"
}

start_cupsd() {
    local state=$1
    running "$state/run/cupsd.pid" && return 0
    [[ -f $state/conf/cupsd.conf ]] || write_config "$state"
    rm -f "$state/cups.sock"
    setsid cupsd -f -c "$state/conf/cupsd.conf" -s "$state/conf/cups-files.conf" \
        </dev/null >>"$state/log/cupsd.out" 2>&1 &
    echo $! >"$state/run/cupsd.pid"
    for _ in $(seq 100); do
        if CUPS_SERVER="$state/cups.sock" lpstat -r 2>/dev/null | grep -q 'is running'; then
            return 0
        fi
        running "$state/run/cupsd.pid" || break
        sleep 0.1
    done
    cat "$state/log/cupsd.out" "$state/log/error_log" >&2 2>/dev/null || true
    end_process "$state/run/cupsd.pid"
    die "cupsd did not start"
}

# Stops everything under STATEDIR once the owner has ended, also when the owner has removed
# STATEDIR itself on its way out. An explicit stop ends the watch.
watch_owner() {
    local state=$1 owner=$2
    running "$state/run/watch.pid" && return 0
    touch "$state/run/watching"
    setsid bash -c '
        spool=""
        while [[ -d /proc/$1 && -f $2/run/watching ]]; do
            [[ -n $spool || ! -s $2/run/spool-elsewhere ]] || spool=$(<"$2/run/spool-elsewhere")
            sleep 0.5
        done
        [[ -f $2/run/watching || ! -d $2 ]] || exit 0
        [[ ! -d $2 ]] || "$3" stop "$2"
        "$3" end-processes-under "$2"
        [[ $spool != /tmp/kbs-spool.* ]] || rm -rf "$spool"
    ' watch "$owner" "$state" "$self" </dev/null >/dev/null 2>&1 &
    echo $! >"$state/run/watch.pid"
}

simulator_binary() {
    local binary=${1:-${KBS_PRINTER_SIMULATOR:-}}
    [[ -n $binary && -x $binary ]] || die "no printer simulator: pass --simulator or set KBS_PRINTER_SIMULATOR"
    echo "$binary"
}

add_simulator() {
    local state=$1 name=$2 binary=$3 dir port
    dir="$state/simulators/$name"
    mkdir -p "$dir/jobs"
    if ! running "$dir/pid"; then
        rm -f "$dir/port"
        setsid "$binary" --jobs "$dir/jobs" --port 0 --port-file "$dir/port" \
            </dev/null >>"$dir/log" 2>&1 &
        echo $! >"$dir/pid"
        for _ in $(seq 100); do
            [[ -s $dir/port ]] && break
            running "$dir/pid" || break
            sleep 0.05
        done
        if [[ ! -s $dir/port ]]; then
            end_process "$dir/pid"
            die "simulator $name did not start: $(cat "$dir/log")"
        fi
    fi
    port=$(<"$dir/port")
    echo "socket://127.0.0.1:$port"
}

ppd_for() {
    local state=$1 model=$2 shipped copy
    shipped=$(grep -lxF "*NickName: \"$model\"" "$ppd_dir"/*.ppd | head -n 1 || true)
    if [[ -n $shipped ]]; then
        echo "$shipped"
        return
    fi
    copy="$state/ppd/$(printf '%s' "$model" | md5sum | cut -c1-16).ppd"
    awk -v model="$model" '
        /^\*(ModelName|NickName):/ { sub(/".*"/, "\"" model "\"") }
        /^\*ShortNickName:/ { sub(/".*"/, "\"" substr(model, 1, 31) "\"") }
        { print }
    ' "$(ls "$ppd_dir"/*.ppd | head -n 1)" >"$copy"
    echo "$copy"
}

add_queue() {
    local state=$1 queue=$2 model=$3 uri=$4 ppd output
    ppd=$(ppd_for "$state" "$model")
    # lpadmin warns that drivers are deprecated; anything else it says is worth seeing.
    if ! output=$(CUPS_SERVER="$state/cups.sock" lpadmin -p "$queue" -E -v "$uri" -P "$ppd" 2>&1); then
        die "lpadmin $queue: $output"
    fi
    grep -v 'drivers are deprecated' <<<"$output" >&2 || true
}

cmd=${1:-}
[[ $# -ge 2 ]] || usage
shift
case $cmd in
stop | stop-cupsd) [[ -d $1 ]] || exit 0 ;;
end-processes-under)
    end_processes_under "$1"
    exit 0
    ;;
esac
state=$(absolute_dir "$1")
shift

case $cmd in
start)
    owner="" binary="" models=()
    while [[ $# -gt 0 ]]; do
        case $1 in
        --owner) owner=$2; shift 2 ;;
        --simulator) binary=$2; shift 2 ;;
        --*) usage ;;
        *) models+=("$1"); shift ;;
        esac
    done
    # The owner watch comes first and a failed set-up stops all it started: nothing of a
    # fixture outlives a test that could not use it.
    mkdir -p "$state/run"
    [[ -z $owner ]] || watch_owner "$state" "$owner"
    trap '"$self" stop "$state" >/dev/null 2>&1; end_processes_under "$state"' EXIT
    start_cupsd "$state"
    if ((${#models[@]})); then
        binary=$(simulator_binary "$binary")
        for model in "${models[@]}"; do
            queue=${model// /_}
            uri=$(add_simulator "$state" "$queue" "$binary")
            add_queue "$state" "$queue" "$model" "$uri"
            echo "# $queue: $model on $uri, jobs in $state/simulators/$queue/jobs"
        done
    fi
    trap - EXIT
    echo "export CUPS_SERVER=$state/cups.sock"
    ;;
add-simulator)
    [[ $# -ge 1 ]] || usage
    name=$1 binary=""
    [[ ${2:-} != --simulator ]] || binary=${3:-}
    add_simulator "$state" "$name" "$(simulator_binary "$binary")"
    ;;
add-queue)
    [[ $# -eq 3 ]] || usage
    add_queue "$state" "$1" "$2" "$3"
    ;;
stop-cupsd)
    end_process "$state/run/cupsd.pid"
    ;;
stop)
    end_process "$state/run/cupsd.pid"
    for pidfile in "$state"/simulators/*/pid; do
        [[ -e $pidfile ]] && end_process "$pidfile"
    done
    if [[ -s $state/run/spool-elsewhere ]]; then
        spool=$(<"$state/run/spool-elsewhere")
        [[ $spool == /tmp/kbs-spool.* ]] && rm -rf "$spool"
        rm -f "$state/run/spool-elsewhere"
    fi
    # The watch ends by itself without this file; it may be the caller, so it is not killed.
    rm -f "$state/run/watching" "$state/run/watch.pid"
    ;;
*)
    usage
    ;;
esac
