#!/usr/bin/env bash
# Measures the clock beside an empty Qt window on a private X desktop (Xvfb, openbox and a
# tray, as the end-to-end tests use): start-up time to a viewable window, private memory,
# CPU while idle, and (offscreen) the cost of one tick per clock, the heap over many
# ticks and the cost of the working hours. Prints a table. Exits non-zero only when a figure cannot be taken; a missed
# target is shown in the table, not in the exit status.
#
# Usage: bench/run.sh BUILD_DIR
# Environment: BENCH_RUNS (start-ups of each program, default 15), BENCH_IDLE_SECONDS
# (length of the idle CPU window, default 60), BENCH_STATE_SECONDS (each resting state,
# default 20), BENCH_QUICK=1 (fewer tick rounds).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
runs=${BENCH_RUNS:-15}
idle_seconds=${BENCH_IDLE_SECONDS:-60}

vantor=$build/vantor
bare=$build/bench/bench_bare_window
tick=$build/bench/bench_tick
launch=$build/bench/bench_launch
working_hours=$build/bench/bench_workinghours
for program in "$vantor" "$bare" "$tick" "$launch" "$working_hours"; do
    if [[ ! -x $program ]]; then
        echo "bench: $program is missing (bench_launch needs libxcb1-dev at build time)" >&2
        exit 1
    fi
done

# The private desktop, its settings directory and the clean-up on exit.
# shellcheck source=../tests/e2e/lib.sh
source "$here/../tests/e2e/lib.sh" "$vantor"
load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)
start_desktop
xvfb_pid=
for pid in "${E2E_PIDS[@]}"; do
    [[ $(cat "/proc/$pid/comm" 2>/dev/null) == Xvfb ]] && xvfb_pid=$pid
done
[[ -n $xvfb_pid ]] || fail "the X server of the desktop is not among its processes"
settings 'TimeZones="Asia/Kolkata;America/New_York;Europe/London;Australia/Sydney"' \
    "TimePattern=HH:mm:ss"

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
minmax() { sort -g | awk 'NR == 1 {lo = $1} {hi = $1} END {print lo "-" hi}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}'; }

# Starts a program through the launcher; prints "ms pid window". Extra launcher options
# come first, then "--", then the program.
launched() {
    local name=$1
    shift
    local line
    line=$("$launch" --output "$E2E_TMP/$name.out" "$@") ||
        fail "$name: no window (see $E2E_TMP/$name.out)"
    echo "$line"
}

check_tray() {
    # Without a tray the clock shows an error box first, which is not the window meant.
    if grep -q -i "not supported\|could not be added" "$E2E_TMP/vantor.out" 2>/dev/null; then
        fail "vantor found no system tray; its start-up figures would be of an error box"
    fi
}

# 1. Start-up: process start (fork in the launcher) until the window is viewable. One
# start of each is not counted: it fills the font and file caches. The order alternates
# so a slow phase of the machine weighs on both alike.
launched vantor -- "$vantor" >/dev/null
launched bare -- "$bare" >/dev/null
check_tray
vantor_ms=()
bare_ms=()
for ((i = 0; i < runs; i++)); do
    if ((i % 2 == 0)); then order=(vantor bare); else order=(bare vantor); fi
    for name in "${order[@]}"; do
        if [[ $name == vantor ]]; then
            line=$(launched vantor -- "$vantor")
            vantor_ms+=("${line%% *}")
        else
            line=$(launched bare -- "$bare")
            bare_ms+=("${line%% *}")
        fi
        sleep 0.2
    done
done
check_tray
vantor_start=$(printf '%s\n' "${vantor_ms[@]}" | median)
bare_start=$(printf '%s\n' "${bare_ms[@]}" | median)
vantor_range=$(printf '%s\n' "${vantor_ms[@]}" | minmax)
bare_range=$(printf '%s\n' "${bare_ms[@]}" | minmax)

# 2. and 3. Both programs stay up: memory once start-up has settled, then CPU over the
# idle window, read from the kernel's accounting of every thread.
line=$(launched vantor --keep -- "$vantor")
read -r _ vantor_pid _ <<<"$line"
E2E_PIDS+=("$vantor_pid")
line=$(launched bare --keep -- "$bare")
read -r _ bare_pid _ <<<"$line"
E2E_PIDS+=("$bare_pid")
# A third: the clock with the default patterns (no seconds), its own settings.
default_config=$E2E_TMP/config-default
mkdir -p "$default_config/com/quorvane/vantor"
printf '[General]\nTimeZones="Asia/Kolkata;America/New_York;Europe/London;Australia/Sydney"\n' \
    >"$default_config/com/quorvane/vantor/Vantor.conf"
line=$(XDG_CONFIG_HOME=$default_config launched minutes --keep -- "$vantor")
read -r _ minutes_pid _ <<<"$line"
E2E_PIDS+=("$minutes_pid")
sleep 2

alive() { [[ -r /proc/$1/stat ]] || fail "process $1 ended during the measurement"; }
# Private_Clean + Private_Dirty, and Pss, in MiB.
private_mib() {
    alive "$1"
    awk '/^Private_(Clean|Dirty):/ {kb += $2} END {printf "%.1f", kb / 1024}' "/proc/$1/smaps_rollup"
}
pss_mib() { awk '/^Pss:/ {printf "%.1f", $2 / 1024}' "/proc/$1/smaps_rollup"; }
# utime + stime in clock ticks (after the command name, which may hold blanks).
cpu_ticks() {
    alive "$1"
    sed 's/^.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'
}
# Times the process was woken: the voluntary context switches of all its threads (each
# is one sleep, ended by one wake-up). Involuntary ones are other programs taking the
# CPU from it, which a loaded machine adds without the program waking.
wakeups() {
    alive "$1"
    cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches:/ {n += $2} END {print n}'
}
# Time on the CPU in nanoseconds, summed over the process's threads.
cpu_ns() {
    alive "$1"
    cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%.0f", ns}'
}

vantor_private=$(private_mib "$vantor_pid")
minutes_private=$(private_mib "$minutes_pid")
bare_private=$(private_mib "$bare_pid")
vantor_pss=$(pss_mib "$vantor_pid")
bare_pss=$(pss_mib "$bare_pid")

hz=$(getconf CLK_TCK)
v_ticks0=$(cpu_ticks "$vantor_pid") b_ticks0=$(cpu_ticks "$bare_pid")
v_ns0=$(cpu_ns "$vantor_pid") b_ns0=$(cpu_ns "$bare_pid") x_ns0=$(cpu_ns "$xvfb_pid")
m_ns0=$(cpu_ns "$minutes_pid")
v_w0=$(wakeups "$vantor_pid") b_w0=$(wakeups "$bare_pid") m_w0=$(wakeups "$minutes_pid")
t0=$(date +%s%N)
sleep "$idle_seconds"
v_ticks1=$(cpu_ticks "$vantor_pid") b_ticks1=$(cpu_ticks "$bare_pid")
v_ns1=$(cpu_ns "$vantor_pid") b_ns1=$(cpu_ns "$bare_pid") x_ns1=$(cpu_ns "$xvfb_pid")
m_ns1=$(cpu_ns "$minutes_pid")
v_w1=$(wakeups "$vantor_pid") b_w1=$(wakeups "$bare_pid") m_w1=$(wakeups "$minutes_pid")
t1=$(date +%s%N)
elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN {print (b - a) / 1e9}')
per_minute_ticks() { awk -v d="$(($2 - $1))" -v hz="$hz" -v s="$elapsed" 'BEGIN {printf "%.0f", d * 1000 / hz * 60 / s}'; }
per_minute_ns() { awk -v a="$1" -v b="$2" -v s="$elapsed" 'BEGIN {printf "%.1f", (b - a) / 1e6 * 60 / s}'; }
vantor_cpu=$(per_minute_ticks "$v_ticks0" "$v_ticks1")
bare_cpu=$(per_minute_ticks "$b_ticks0" "$b_ticks1")
xvfb_cpu=$(per_minute_ns "$x_ns0" "$x_ns1")
vantor_cpu_ns=$(per_minute_ns "$v_ns0" "$v_ns1")
bare_cpu_ns=$(per_minute_ns "$b_ns0" "$b_ns1")
minutes_cpu_ns=$(per_minute_ns "$m_ns0" "$m_ns1")
per_minute_count() { awk -v d="$(($2 - $1))" -v s="$elapsed" 'BEGIN {printf "%.1f", d * 60 / s}'; }
vantor_wakeups=$(per_minute_count "$v_w0" "$v_w1")
bare_wakeups=$(per_minute_count "$b_w0" "$b_w1")
minutes_wakeups=$(per_minute_count "$m_w0" "$m_w1")
kill "$vantor_pid" "$bare_pid" "$minutes_pid" 2>/dev/null || true

# 4. One tick per clock, offscreen.
tick_args=()
[[ -n ${BENCH_QUICK:-} ]] && tick_args=(--quick)
QT_QPA_PLATFORM=offscreen "$tick" "${tick_args[@]}" >"$E2E_TMP/tick.out" 2>"$E2E_TMP/tick.err" ||
    { cat "$E2E_TMP/tick.err" >&2; fail "bench_tick failed"; }
# The value of key in the result lines of kind for n clocks.
tick_value() {
    awk -v kind="$1" -v n="clocks=$2" -v key="$3" '$1 == "result" && $2 == kind && $3 == n {
        for (i = 4; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) print kv[2] } }' \
        "$E2E_TMP/tick.out" | head -1
}
declare -A tick
for kind in replica main-vertical main-horizontal; do
    for n in 4 100; do
        keys=(update_us update_repaint_us time_label_paints_per_tick)
        [[ $kind == main-vertical ]] && keys+=(heap_after_1000 heap_after_10000)
        for key in "${keys[@]}"; do
            value=$(tick_value "$kind" "$n" "$key")
            [[ -n $value ]] ||
                fail "bench_tick printed no $key for $kind, $n clocks: $(cat "$E2E_TMP/tick.out")"
            tick[$kind.$key.$n]=$value
        done
    done
done

# 4b. The working hours: the state of each clock, and the search for a common time.
"$working_hours" "${tick_args[@]}" >"$E2E_TMP/workinghours.out" 2>"$E2E_TMP/workinghours.err" ||
    { cat "$E2E_TMP/workinghours.err" >&2; fail "bench_workinghours failed"; }
working_value() {
    awk -v kind="$1" -v key="$2" '$1 == "result" && $2 == kind {
        for (i = 3; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) print kv[2] } }' \
        "$E2E_TMP/workinghours.out" | head -1
}
state_us=$(working_value state per_clock_us)
slot_median=$(working_value common-slot-overlapping median_ms)
slot_max=$(working_value common-slot-overlapping max_ms)
[[ -n $state_us && -n $slot_median && -n $slot_max ]] ||
    fail "bench_workinghours printed no figures: $(cat "$E2E_TMP/workinghours.out")"

# 5. Each state the window can rest in, reached by the keyboard and mouse as in the
# end-to-end tests, with the default patterns, beside the bare window idle meanwhile.
state_seconds=${BENCH_STATE_SECONDS:-20}
XDG_CONFIG_HOME=$default_config start_vantor
line=$(launched bare-states --keep -- "$bare")
read -r _ bare_pid _ <<<"$line"
E2E_PIDS+=("$bare_pid")
main_window >/dev/null
sleep 2
declare -a state_rows
# From the process's own accounting (utime + stime), which keeps the time of threads that
# ended meanwhile; the per-thread figures would lose it.
measure_state() {
    local v0 b0 v1 b1 s0 s1 seconds
    v0=$(cpu_ticks "$VANTOR_PID") b0=$(cpu_ticks "$bare_pid") s0=$(date +%s%N)
    sleep "$state_seconds"
    v1=$(cpu_ticks "$VANTOR_PID") b1=$(cpu_ticks "$bare_pid") s1=$(date +%s%N)
    seconds=$(awk -v a="$s0" -v b="$s1" 'BEGIN {print (b - a) / 1e9}')
    per_minute() { awk -v d="$(($2 - $1))" -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.0f", d * 1000 / hz * 60 / s}'; }
    state_rows+=("$(printf '%-44s %14s %14s' "  $1" "$(per_minute "$v0" "$v1")" "$(per_minute "$b0" "$b1")")")
}
rest_states measure_state
stop_vantor
kill "$bare_pid" 2>/dev/null || true

verdict() { awk -v v="$1" -v t="$2" 'BEGIN {print (v <= t) ? "met" : "MISSED"}'; }
start_ratio=$(ratio "$vantor_start" "$bare_start")

echo
echo "Vantor benchmarks: $build, $runs start-ups each, idle window ${idle_seconds} s, load average at start $load_at_start"
printf '%-44s %14s %14s %8s  %s\n' "" "vantor HH:mm:ss" "bare window" "ratio" "target"
printf '%-44s %14s %14s %8s  %s\n' "start-up to viewable window, median ms" \
    "$vantor_start" "$bare_start" "$start_ratio" "<= 1.15x: $(verdict "$start_ratio" 1.15)"
printf '%-44s %14s %14s\n' "  range, ms" "$vantor_range" "$bare_range"
printf '%-44s %14s %14s %8s  %s\n' "private memory after 2 s, MiB" \
    "$vantor_private" "$bare_private" "$(ratio "$vantor_private" "$bare_private")" \
    "<= 4 MiB: $(verdict "$vantor_private" 4)"
printf '%-44s %14s %14s %8s\n' "Pss after 2 s, MiB" "$vantor_pss" "$bare_pss" "$(ratio "$vantor_pss" "$bare_pss")"
printf '%-44s %14s %14s\n' "CPU per idle minute, ms (utime+stime)" "$vantor_cpu" "$bare_cpu"
half_bare=$(awk -v b="$bare_cpu_ns" 'BEGIN {printf "%.1f", b / 2}')
printf '%-44s %14s %14s %8s  %s\n' "CPU per idle minute, ms (scheduler, exact)" "$vantor_cpu_ns" \
    "$bare_cpu_ns" "$(ratio "$vantor_cpu_ns" "$bare_cpu_ns")" \
    "<= half the bare window: $(verdict "$vantor_cpu_ns" "$half_bare")"
printf '%-44s %14s %14s\n' "wake-ups per idle minute (voluntary switches)" "$vantor_wakeups" \
    "$bare_wakeups"
echo "the clock with the default patterns (h:mm a, no seconds), 4 clocks:"
printf '%-44s %14s %14s  %s\n' "  CPU per idle minute, ms (scheduler, exact)" "$minutes_cpu_ns" "" \
    "<= 10 ms: $(verdict "$minutes_cpu_ns" 10)"
printf '%-44s %14s %14s  %s\n' "  wake-ups per idle minute" "$minutes_wakeups" "" \
    "<= 2: $(verdict "$minutes_wakeups" 2)"
printf '%-44s %14s\n' "  private memory after 2 s, MiB" "$minutes_private"
printf '%-44s %14s\n' "X server CPU per idle minute, both up, ms" "$xvfb_cpu"
echo
printf '%-44s %14s %14s  %s\n' "one tick, CPU per clock (offscreen), us" "4 clocks" "100 clocks" "< 30 us"
for kind in main-vertical main-horizontal replica; do
    case $kind in
    main-vertical) echo "main window, vertical layout (the default)" ;;
    main-horizontal) echo "main window, horizontal layout (cards)" ;;
    replica) echo "clocks built by hand in cards, as the horizontal layout does" ;;
    esac
    printf '%-44s %14s %14s  %s\n' "  refresh only" "${tick[$kind.update_us.4]}" "${tick[$kind.update_us.100]}" \
        "$(verdict "${tick[$kind.update_us.4]}" 30) / $(verdict "${tick[$kind.update_us.100]}" 30)"
    printf '%-44s %14s %14s\n' "  refresh + layout + repaint" "${tick[$kind.update_repaint_us.4]}" \
        "${tick[$kind.update_repaint_us.100]}"
    printf '%-44s %14s %14s\n' "  time labels repainted per tick" "${tick[$kind.time_label_paints_per_tick.4]}" \
        "${tick[$kind.time_label_paints_per_tick.100]}"
done
echo
echo "heap in use (mallinfo2 uordblks), main window, vertical layout;"
echo "4 clocks repainted on every tick, 100 clocks refresh only"
printf '%-44s %14s %14s\n' "  after 1,000 ticks, bytes" "${tick[main-vertical.heap_after_1000.4]}" \
    "${tick[main-vertical.heap_after_1000.100]}"
printf '%-44s %14s %14s\n' "  after 10,000 ticks, bytes" "${tick[main-vertical.heap_after_10000.4]}" \
    "${tick[main-vertical.heap_after_10000.100]}"
printf '%-44s %14s %14s\n' "  growth, bytes" \
    "$((${tick[main-vertical.heap_after_10000.4]} - ${tick[main-vertical.heap_after_1000.4]}))" \
    "$((${tick[main-vertical.heap_after_10000.100]} - ${tick[main-vertical.heap_after_1000.100]}))"
echo
printf '%-44s %14s\n' "working-hours state, per clock, us" "$state_us"
printf '%-44s %14s %14s  %s\n' "common working time, 14 days, 10 clocks, ms" "median $slot_median" \
    "max $slot_max" "< 5 ms: $(verdict "$slot_max" 5)"
echo
echo "CPU per minute in each resting state (utime+stime, ms, in steps of $((1000 / hz)) ms a window),"
echo "default patterns, 4 clocks,"
echo "each state measured over ${state_seconds} s"
printf '%-44s %14s %14s\n' "" "vantor" "bare window"
printf '%s\n' "${state_rows[@]}"
