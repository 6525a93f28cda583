#!/usr/bin/env bash
# Soak run: the clock with 100 zones and a time pattern with seconds, so every clock
# changes every second, on a private X desktop (Xvfb, openbox and a tray, as the
# end-to-end tests use). Its memory and open file descriptors are sampled after a minute
# of warm-up and then every minute to the end. Fails when the private dirty memory grows
# by more than the margin from the first sample to the last, when the descriptors grow
# at all, or when the program ends on its own.
#
# Usage: bench/soak.sh path/to/vantor
# Environment: SOAK_MINUTES (whole run, warm-up included; default 10),
# SOAK_WARMUP_SECONDS (default 60), SOAK_MARGIN_KIB (allowed growth, default 512).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
minutes=${SOAK_MINUTES:-10}
warmup=${SOAK_WARMUP_SECONDS:-60}
margin=${SOAK_MARGIN_KIB:-512}
((minutes * 60 > warmup)) || { echo "soak: SOAK_MINUTES must be longer than the warm-up" >&2; exit 2; }

# shellcheck source=../tests/e2e/lib.sh
source "$here/../tests/e2e/lib.sh" "${1:?usage: $0 path/to/vantor}"
start_desktop

# 100 zones spread over the time zone table (every third of its 300-odd zones).
mapfile -t zones < <(awk '!/^#/ {print $3}' /usr/share/zoneinfo/zone1970.tab | sort -u | awk 'NR % 3 == 1' | head -100)
((${#zones[@]} == 100)) || fail "only ${#zones[@]} zones in /usr/share/zoneinfo/zone1970.tab"
settings "TimeZones=\"$(IFS=';'; echo "${zones[*]}")\"" "TimePattern=HH:mm:ss"
start_vantor
main_window >/dev/null

# "private-dirty heap rss fds cpu" of the program: KiB from smaps_rollup and the [heap]
# mapping, descriptor count, CPU seconds.
sample() {
    [[ -r /proc/$VANTOR_PID/smaps_rollup ]] || fail "the program ended during the soak"
    local dirty rss heap fds cpu
    dirty=$(awk '/^Private_Dirty:/ {print $2}' "/proc/$VANTOR_PID/smaps_rollup")
    rss=$(awk '/^Rss:/ {print $2}' "/proc/$VANTOR_PID/smaps_rollup")
    heap=$(awk '/\[heap\]/ {h = 1; next} /^[0-9a-f]+-/ {h = 0} h && /^Private_Dirty:/ {kb += $2} END {print kb + 0}' \
        "/proc/$VANTOR_PID/smaps")
    fds=$(find "/proc/$VANTOR_PID/fd" -mindepth 1 -maxdepth 1 | wc -l)
    cpu=$(sed 's/^.*) //' "/proc/$VANTOR_PID/stat" | awk -v hz="$(getconf CLK_TCK)" '{printf "%.1f", ($12 + $13) / hz}')
    echo "$dirty $heap $rss $fds $cpu"
}

started=$SECONDS
echo "soak: $VANTOR_BIN, 100 clocks, HH:mm:ss, $minutes min ($warmup s warm-up), load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%8s %18s %12s %10s %6s %8s\n' "time, s" "private dirty, KiB" "heap, KiB" "RSS, KiB" "fds" "CPU, s"
sleep "$warmup"
read -r dirty0 heap0 rss0 fds0 cpu0 < <(sample)
printf '%8d %18d %12d %10d %6d %8s\n' $((SECONDS - started)) "$dirty0" "$heap0" "$rss0" "$fds0" "$cpu0"
end=$((started + minutes * 60))
while ((SECONDS < end)); do
    sleep $((end - SECONDS < 60 ? end - SECONDS : 60))
    read -r dirty heap rss fds cpu < <(sample)
    printf '%8d %18d %12d %10d %6d %8s\n' $((SECONDS - started)) "$dirty" "$heap" "$rss" "$fds" "$cpu"
done

grep -si "unknown\|ignoring\|could not" "$E2E_TMP/vantor.out" && fail "the program complained (above)"
echo "growth from $warmup s to the end: private dirty $((dirty - dirty0)) KiB (margin $margin)," \
    "heap $((heap - heap0)) KiB, RSS $((rss - rss0)) KiB, descriptors $((fds - fds0))," \
    "CPU $(awk -v a="$cpu0" -v b="$cpu" -v s=$((SECONDS - started - warmup)) 'BEGIN {printf "%.1f s in %d s", b - a, s}')"
((dirty - dirty0 <= margin)) || fail "private dirty memory grew by $((dirty - dirty0)) KiB"
((fds <= fds0)) || fail "open file descriptors grew from $fds0 to $fds: $(ls -l "/proc/$VANTOR_PID/fd")"
echo "PASS"
