#!/usr/bin/env bash
# Every clock whole on a small screen: 12 and 30 clocks on 640x480 and 800x600, stacked
# and side by side, and 30 at a 72-point time on 800x600. Read as a screen reader finds
# them, every caption, time, offset and date lies whole on the screen and in the window,
# none over another. Prints the window's size and its columns or rows for each case.
if [[ -z ${E2E_SCREEN:-} ]]; then
    E2E_SCREEN=640x480x24 bash "$0" "$@" || exit
    E2E_SCREEN=800x600x24 exec bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

all=(Asia/Kolkata America/New_York Europe/London Asia/Tokyo Australia/Sydney
    America/Los_Angeles Europe/Berlin Africa/Nairobi America/Sao_Paulo Pacific/Auckland
    Asia/Dubai America/Argentina/Buenos_Aires Europe/Paris Asia/Shanghai Asia/Singapore
    Europe/Moscow America/Chicago America/Denver Africa/Cairo Africa/Lagos Asia/Karachi
    Asia/Dhaka Asia/Bangkok Asia/Seoul Europe/Madrid Europe/Rome America/Mexico_City
    America/Toronto Pacific/Honolulu Atlantic/Reykjavik)

# Starts the program with $1 clocks, stacked ($2 true) or not, and the time font size $3,
# and checks that every label of every clock lies whole on the screen and in the window.
check() {
    local count=$1 vertical=$2 size=$3 wid x y w h
    rm -rf "$XDG_CONFIG_HOME"
    settings "TimeZones=\"$(IFS=';'; echo "${all[*]:0:count}")\"" "VerticalLayout=$vertical" \
        "TimeFontWidth=$size"
    start_vantor
    wid=$(main_window)
    labels_whole "$wid" "$count" "$screen_w" "$screen_h" ||
        fail "$count clocks, VerticalLayout=$vertical, ${size} pt: $(head -3 "$E2E_TMP/bad")"
    read -r x y w h < <(geometry "$wid")
    # The clocks' columns (stacked) or rows (side by side): where their panels start.
    local lines
    lines=$(atspi extents "$VANTOR_PID" | awk -F'\t' -v v="$vertical" '
        $1 == "panel" { split($3, b, " "); seen[v == "true" ? b[1] : b[2]] = 1 }
        END { print length(seen) }')
    local shown
    shown=$(grep -o "they are shown at [0-9]* pt" "$E2E_TMP/vantor.out" | tail -1 || true)
    echo "# $E2E_SCREEN, $count clocks, VerticalLayout=$vertical, ${size} pt:" \
        "window ${w}x${h} at $x,$y, $lines $( [[ $vertical == true ]] && echo columns || echo rows)" \
        "${shown:+($shown)}"
    grep -q "the window is cut" "$E2E_TMP/vantor.out" && fail "the window was cut"
    stop_vantor
}

for count in 12 30; do
    for vertical in true false; do
        check "$count" "$vertical" 18
    done
done
if [[ $E2E_SCREEN == 800x600* ]]; then
    check 30 true 72
    check 30 false 72
fi
echo "PASS"
