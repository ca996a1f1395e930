# The controller simulator for the scripts: started in the background, waited for, stopped
# on exit. Sourced (bash), not run:
#
#   source scripts/lib/simulator.sh
#   start_simulator SIMULATOR [OPTION]…   e.g. start_simulator build/sim/trv5200-sim --quiet
#   … use "$SIM_PORT" …
#   stop_simulator                        optional: the script's exit stops it as well
#
# start_simulator runs SIMULATOR with the options, waits (at most SIM_START_SECONDS, 10 by
# default) for the first line it prints, the device to open, and, when the options hold
# --link PATH, for that link. Then it sets
#   SIM_PID     the simulator's process id
#   SIM_DEVICE  the device it printed, e.g. /dev/pts/7
#   SIM_PORT    the link when --link was given, otherwise the device
# and returns 0. When the simulator ends or stays silent before that, it shows what the
# simulator wrote on stderr, stops it and returns 1. Its stdout and stderr go to files of
# a temporary folder; with --quiet nothing but errors lands there.
#
# One simulator at a time: start_simulator stops the previous one first. The first call
# sets an EXIT trap that stops the simulator and removes the folder; an EXIT trap the
# script had set before is run after that.

# shellcheck disable=SC2034 # SIM_DEVICE and SIM_PORT are for the sourcing script

SIM_PID=
SIM_DEVICE=
SIM_PORT=
_sim_dir=
_sim_trap_set=
_sim_previous_exit_trap=

stop_simulator() {
    if [ -n "$SIM_PID" ]; then
        kill "$SIM_PID" 2>/dev/null || true
        wait "$SIM_PID" 2>/dev/null || true
    fi
    SIM_PID=
    SIM_DEVICE=
    SIM_PORT=
}

_sim_on_exit() {
    local status=$?
    stop_simulator
    [ -n "$_sim_dir" ] && rm -rf "$_sim_dir"
    if [ -n "$_sim_previous_exit_trap" ]; then
        # "trap -- 'COMMAND' EXIT" as printed by trap -p.
        eval "set -- ${_sim_previous_exit_trap#trap -- }"
        eval "$1"
    fi
    return "$status"
}

start_simulator() {
    local simulator=$1
    shift
    stop_simulator
    if [ -z "$_sim_trap_set" ]; then
        _sim_previous_exit_trap=$(trap -p EXIT)
        trap _sim_on_exit EXIT
        _sim_trap_set=1
    fi
    [ -n "$_sim_dir" ] || _sim_dir=$(mktemp -d "${TMPDIR:-/tmp}/trv5200-sim.XXXXXX")

    local link='' previous='' option
    for option in "$@"; do
        [ "$previous" = --link ] && link=$option
        case "$option" in --link=*) link=${option#--link=} ;; esac
        previous=$option
    done

    local out="$_sim_dir/stdout" err="$_sim_dir/stderr"
    : >"$out"
    : >"$err"
    "$simulator" "$@" >"$out" 2>"$err" &
    SIM_PID=$!

    local device='' tries=$((${SIM_START_SECONDS:-10} * 10))
    while [ "$tries" -gt 0 ]; do
        device=$(head -n 1 "$out")
        if [ -n "$device" ] && { [ -z "$link" ] || [ -L "$link" ]; }; then
            SIM_DEVICE=$device
            SIM_PORT=${link:-$device}
            return 0
        fi
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.1
        tries=$((tries - 1))
    done

    if kill -0 "$SIM_PID" 2>/dev/null; then
        echo "The simulator did not start within ${SIM_START_SECONDS:-10} s: $simulator $*" >&2
    else
        echo "The simulator ended at once: $simulator $*" >&2
    fi
    cat "$err" >&2
    stop_simulator
    return 1
}
