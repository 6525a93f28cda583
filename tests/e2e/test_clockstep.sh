#!/usr/bin/env bash
# The system clock stepped while the program runs, back and forward: within a second of
# each step every clock shows the new time and date, read as a screen reader reads them,
# and from there goes on one second at a time.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

zones=(Europe/London Asia/Tokyo)
offset=0
offset_file=$E2E_TMP/faketime
echo "+0" >"$offset_file"
settings 'TimeZones="Europe/London;Asia/Tokyo"' 'TimePattern="HH:mm:ss"' 'DatePattern="yyyy-MM-dd"'
start_vantor_faked "$offset_file"
main_window >/dev/null

# An instant as a clock in zone $1 shows it with the patterns above.
shown_as() { TZ=$1 date -d "@$2" '+%Y-%m-%d %H:%M:%S'; }
now_ms() { date +%s%3N; }

# Reads every clock once and holds each to the program's clock around the read: a shown
# second may lag one second behind the clock before the read (one more as tolerance) but
# never runs ahead of it after the read, so a display from before a step back does not
# pass. Sets SHOWN to the instant London shows; on a mismatch sets WHY and fails.
read_clocks() {
    local from to labels i e
    local -a times dates instants
    from=$(($(now_ms) / 1000 + offset - 2))
    labels=$(atspi labels "$VANTOR_PID") || { WHY="window not readable"; return 1; }
    # A timer may fire a few milliseconds early and show its second then.
    to=$((($(now_ms) + 200) / 1000 + offset))
    mapfile -t times < <(sed -n 's/^[a-z ]*\t\([0-9][0-9]:[0-9][0-9]:[0-9][0-9]\)$/\1/p' <<<"$labels")
    mapfile -t dates < <(sed -n 's/^[a-z ]*\t\([0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\)$/\1/p' <<<"$labels")
    ((${#times[@]} == 2 && ${#dates[@]} == 2)) || { WHY="not two clocks: $labels"; return 1; }
    for i in 0 1; do
        instants[i]=
        for ((e = from; e <= to; e++)); do
            [[ "${dates[i]} ${times[i]}" == "$(shown_as "${zones[i]}" "$e")" ]] && instants[i]=$e
        done
        [[ -n ${instants[i]} ]] || {
            WHY="${zones[i]} shows ${dates[i]} ${times[i]}, the clock $(shown_as "${zones[i]}" "$to")"
            return 1
        }
    done
    # One instant on both: Tokyo 9 h ahead of London's winter time.
    ((instants[1] - instants[0] <= 1 && instants[0] - instants[1] <= 1)) ||
        { WHY="London and Tokyo apart: ${dates[*]} ${times[*]}"; return 1; }
    SHOWN=${instants[0]}
}

# Steps the program's clock to offset $2 (seconds) and checks it as above; $1 names the step.
step() {
    local name=$1 stepped last changes end
    offset=$2
    # Renamed into place, so the program never reads a half-written file.
    printf '%+d\n' "$offset" >"$offset_file.new"
    mv "$offset_file.new" "$offset_file"
    stepped=$(now_ms)
    echo "# $name: the clocks follow within a second"
    # Reads begun within the first second may still find the old time, and rightly so.
    until (($(now_ms) - stepped >= 1000)) && read_clocks; do
        (($(now_ms) - stepped < 3000)) || fail "$name: $WHY"
        sleep 0.05
    done
    echo "# $name: then one second after another"
    last=$SHOWN changes=0
    end=$(($(now_ms) + 3000))
    while (($(now_ms) < end)); do
        read_clocks || fail "$name, later: $WHY"
        ((SHOWN >= last)) || fail "$name: went back from $(shown_as UTC "$last") to $(shown_as UTC "$SHOWN") UTC"
        ((SHOWN > last)) && changes=$((changes + 1))
        last=$SHOWN
        sleep 0.2
    done
    ((changes >= 2)) || fail "$name: only $changes changes in 3 s"
}

echo "# the clocks show the program's time before any step"
deadline=$(($(now_ms) + 5000))
until read_clocks; do (($(now_ms) < deadline)) || fail "at start: $WHY"; done

step "back 1 h" -3600
step "back 2 s" -3602
step "forward 1 h" -2
step "forward 1 day" 86398
echo "PASS"
