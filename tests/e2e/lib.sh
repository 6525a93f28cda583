# Shared set-up of the end-to-end tests: a private X server with a window manager and
# (unless E2E_NO_TRAY is set) a tray, the program under test with its own settings
# directory, and helpers to look at its window. Everything started here is stopped on exit.
set -euo pipefail

VANTOR_BIN=${1:?usage: $0 path/to/vantor}
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_TMP=$(mktemp -d /tmp/vantor-e2e.XXXXXX)
export XDG_CONFIG_HOME=$E2E_TMP/config
export QT_QPA_PLATFORM=xcb
export TZ=${TZ:-Europe/London}
unset WAYLAND_DISPLAY
E2E_PIDS=()
VANTOR_PID=

fail() {
    echo "FAIL: $*" >&2
    if [[ -n "${DISPLAY:-}" ]]; then
        import -window root "$E2E_TMP/failure.png" 2>/dev/null && echo "screenshot: $E2E_TMP/failure.png" >&2
    fi
    [[ -f $E2E_TMP/vantor.out ]] && { echo "--- program output:" >&2; cat "$E2E_TMP/vantor.out" >&2; }
    [[ -s $E2E_TMP/openbox.log ]] && { echo "--- openbox:" >&2; tail -5 "$E2E_TMP/openbox.log" >&2; }
    exit 1
}

cleanup() {
    local pid status=$?
    [[ -n "$VANTOR_PID" ]] && kill "$VANTOR_PID" 2>/dev/null || true
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    # What the sanitizers found in any run of the program fails the test, also where the
    # test itself did not notice.
    local found
    found=$(grep -l -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$E2E_TMP"/*.out 2>/dev/null || true)
    if [[ -n $found ]]; then
        echo "FAIL: the sanitizers reported:" >&2
        grep -h -A40 -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' $found >&2
        status=1
    fi
    [[ -z "${E2E_KEEP:-}" ]] && rm -rf "$E2E_TMP"
    exit $status
}
trap cleanup EXIT

# Waits up to $1 tenths of a second for the command in the remaining arguments to succeed.
wait_for() {
    local tries=$1
    shift
    while ((tries-- > 0)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# E2E_SCREEN sets the screen's width x height x depth (default 1280x800x24).
start_desktop() {
    # The server picks a free display itself, so parallel runs never collide.
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x800x24}" -nolisten tcp 3>"$E2E_TMP/display" \
        >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 100 test -s "$E2E_TMP/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -1 "$E2E_TMP/display")
    wait_for 100 xdpyinfo || fail "Xvfb does not answer"
    # A window manager that did not come up (seen now and then on a busy machine) is
    # started again; the log tells what happened.
    local attempt wm
    for attempt in 1 2 3; do
        openbox --sm-disable >>"$E2E_TMP/openbox.log" 2>&1 &
        wm=$!
        E2E_PIDS+=($wm)
        if wait_for 200 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
            break
        fi
        echo "openbox not ready (attempt $attempt): $(tail -3 "$E2E_TMP/openbox.log")" >&2
        kill "$wm" 2>/dev/null || true
        ((attempt < 3)) || fail "openbox did not start"
    done
    if [[ -z "${E2E_NO_TRAY:-}" ]]; then
        trayer --edge bottom --align right --widthtype request --height 24 \
            >"$E2E_TMP/trayer.log" 2>&1 &
        E2E_PIDS+=($!)
        wait_for 300 xdotool search --class trayer || fail "trayer did not start"
    fi
}

# A private session bus (and runtime directory) for the program and the test alone.
start_session_bus() {
    export XDG_RUNTIME_DIR=$E2E_TMP/runtime
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$E2E_TMP/bus" \
        >"$E2E_TMP/dbus.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 100 test -s "$E2E_TMP/bus" || fail "no session bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -1 "$E2E_TMP/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# A private session bus with the accessibility bus on it, so the program's widgets can be
# read as a screen reader reads them (tests/e2e/atspi.py) without touching the user's buses.
start_accessibility() {
    start_session_bus
    # Started here rather than by bus activation so that cleanup can stop it; it takes its
    # own bus daemon and the registry down with it.
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_TMP/atspi.log" 2>&1 &
    E2E_PIDS+=($!)
    # Asking the launcher itself would have the bus start a second one.
    wait_for 100 bash -c 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q "boolean true"' ||
        fail "no accessibility bus: $(cat "$E2E_TMP/atspi.log")"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# Writes settings before the program starts: settings KEY=VALUE ...
settings() {
    local file=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
    mkdir -p "$(dirname "$file")"
    [[ -f $file ]] || echo "[General]" >"$file"
    local pair
    for pair in "$@"; do echo "$pair" >>"$file"; done
}

start_vantor() {
    "$VANTOR_BIN" >"$E2E_TMP/vantor.out" 2>&1 &
    VANTOR_PID=$!
}

# Writes into file $1 the offset that puts the faked clock at local time $2 ("2026-12-10
# 19:00:00") now. libfaketime's own absolute form ("@...") parses the date on every read
# of the file, inside the sanitizer's allocator, and can deadlock the program at start.
fake_time_at() {
    local offset=$(($(date -d "$2" +%s) - $(date +%s)))
    if ((offset >= 0)); then echo "+$offset" >"$1"; else echo "$offset" >"$1"; fi
}

# Starts the program with its clock off the real one by the offset in file $1 ("+0",
# "-3600", "+1d": libfaketime's relative form); rewriting the file steps the clock while it
# runs. Timers run on the monotonic clock, which stays real, and so do file times.
start_vantor_faked() {
    local lib
    lib=$(echo /usr/lib/*/faketime/libfaketime.so.1)
    [[ -f $lib ]] || fail "libfaketime not installed"
    # A sanitizer build wants its runtime loaded before any other library.
    local asan
    asan=$(ldd "$VANTOR_BIN" | awk '/libasan/ {print $3}')
    LD_PRELOAD=${asan:+$asan:}$lib FAKETIME_TIMESTAMP_FILE=$1 FAKETIME_NO_CACHE=1 \
        FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 "$VANTOR_BIN" >"$E2E_TMP/vantor.out" 2>&1 &
    VANTOR_PID=$!
}

# The program's widgets as a screen reader sees them: atspi labels|tree "$VANTOR_PID".
atspi() {
    local out
    out=$(/usr/bin/python3 "$E2E_DIR/atspi.py" "$@") || return
    # Handed on in one write: a reader that stops at its first match (grep -q) would
    # otherwise break the walk's pipe and, with pipefail, turn a match into a failure.
    printf '%s\n' "$out"
}

# Prints the id of the program's main window once it is mapped: its largest visible
# top-level window. The tray icon is another, small one: 22 pixels high, 33 x 22 at a
# scale of 1.5, and it may be mapped before a main window that is still fitting its clocks.
main_window() {
    local id best area max
    for _ in $(seq 100); do
        best= max=0
        for id in $(xdotool search --onlyvisible --pid "$VANTOR_PID" --name '^Vantor$' 2>/dev/null); do
            area=$(xwininfo -id "$id" 2>/dev/null | awk '/^  Width/{w=$NF} /^  Height/{h=$NF} END{print w*h}') || continue
            ((area > max)) && { max=$area; best=$id; }
        done
        ((max > 48 * 48)) && { echo "$best"; return 0; }
        sleep 0.1
    done
    fail "the main window did not appear"
}

# "x y width height" of a window, in root coordinates.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
        /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}

# Visible windows of the program other than the ones given: menus, dialogs, boxes. Windows
# of 22 x 22 pixels or less (a tray icon) are not counted.
other_windows() {
    local id ow oh
    for id in $(xdotool search --onlyvisible --pid "$VANTOR_PID" 2>/dev/null); do
        [[ " $* " == *" $id "* ]] && continue
        read -r _ _ ow oh < <(geometry "$id")
        ((ow * oh > 22 * 22)) && echo "$id"
    done
    return 0
}

stop_vantor() {
    kill "$VANTOR_PID" 2>/dev/null || true
    wait "$VANTOR_PID" 2>/dev/null || true
    VANTOR_PID=
}

# Waits up to 5 s for the program to end by itself and fails unless its status is 0.
expect_clean_exit() {
    local status=0
    for _ in $(seq 50); do kill -0 "$VANTOR_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$VANTOR_PID" 2>/dev/null && fail "still running after $1"
    wait "$VANTOR_PID" || status=$?
    VANTOR_PID=
    ((status == 0)) || fail "$1 ended with status $status"
}

# Opens the main window's menu from the keyboard (Shift+F10), which selects its first
# entry, and picks entry $1: 1 Time Zones, 2 Settings, 3 About, 4 Reset View, 5 Exit.
menu_entry() {
    local wid
    wid=$(main_window)
    xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    wait_for 50 window_is_active "$wid" || fail "the main window did not get the focus"
    # Right after a rebuild the window may be active before it takes keys: ask again.
    local attempt
    for attempt in 1 2 3 4; do
        xdotool key shift+F10
        wait_for 30 menu_is_up "$wid" && break
        ((attempt < 4)) || fail "no menu after Shift+F10"
    done
    local i
    for ((i = 1; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
}
menu_is_up() { [[ -n $(other_windows "$1") ]]; }
window_is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }

# Waits for a window of the program titled $1 and prints its id.
window_titled() {
    wait_for 100 xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$1\$" ||
        fail "no window '$1'"
    xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$1\$" | head -1
}

# The program's dialogs as a screen reader reads a form: form controls|focused|focus.
form() { /usr/bin/python3 "$E2E_DIR/form.py" "$@" "$VANTOR_PID" 2>/dev/null; }
focused_is_not() { [[ $(form focused) != "$1" ]]; }

# Tabs (at most twenty times) until the push button $1 has the focus, then presses Return.
press() {
    local now tabs=0
    wait_for 100 form focused || fail "nothing has the focus"
    now=$(form focused)
    while [[ $now != "push button"$'\t'"$1" ]]; do
        ((tabs++ < 20)) || fail "Tab did not reach the button $1 (focus: $now)"
        xdotool key Tab
        wait_for 50 focused_is_not "$now" || fail "Tab did not move the focus from $now"
        now=$(form focused)
    done
    xdotool key Return
}

# CPU time the program has used so far, in milliseconds (user and system).
cpu_ms() {
    local fields
    # The fields after the command's name, which is in parentheses.
    fields=$(sed 's/^.*) //' "/proc/$VANTOR_PID/stat")
    awk -v hz="$(getconf CLK_TCK)" '{ print int(($12 + $13) * 1000 / hz) }' <<<"$fields"
}

# Fails unless the program, in the state named $1, uses at most 150 ms of CPU over 10 s:
# at rest it costs a few, a timer that spins costs seconds.
expect_idle() {
    local before after
    kill -0 "$VANTOR_PID" 2>/dev/null || fail "the program is gone before '$1'"
    before=$(cpu_ms)
    sleep 10
    after=$(cpu_ms)
    echo "$1: $((after - before)) ms of CPU in 10 s"
    ((after - before <= 150)) || fail "'$1' costs $((after - before)) ms of CPU in 10 s"
}

# The states the window can rest in, each reached as a person does, in order: idle;
# shifted by the wheel; shifted and back to zero; shifted by a key; shifted by a typed
# time; after N (the next common working time); after Time Zones,
# Settings and the About box closed; with the About box open; after Reset View. Calls
# "$1 STATE" in each. With the accessibility bus on, the badge is read to check the shift.
rest_states() {
    local measure=$1 wid x y w h
    wid=$(main_window)
    read -r x y w h < <(geometry "$wid")
    "$measure" "idle"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 4
    expect_badge "+15m"
    "$measure" "shifted by the wheel"
    xdotool click 5
    expect_badge ""
    "$measure" "shifted and back to zero"
    xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    wait_for 50 window_is_active "$wid" || fail "the window did not get the focus"
    xdotool key Right
    expect_badge "+15m"
    "$measure" "shifted by a key"
    xdotool key Escape
    expect_badge ""
    # A time typed on the first clock (Tab, F2), then the next common working time (N).
    xdotool key Tab F2
    xdotool type --delay 40 "9:00"
    xdotool key Return
    wait_for 50 badge_shown || fail "a typed time did not shift the clocks"
    "$measure" "shifted by a typed time"
    xdotool key Escape n
    "$measure" "after N"
    xdotool key Escape
    expect_badge ""
    local entry title
    for entry in 1 2; do
        title=$( ((entry == 1)) && echo "Time Zone Configuration" || echo Settings)
        menu_entry "$entry"
        window_titled "$title" >/dev/null
        xdotool key Escape
        wait_for 100 only_main_window "$wid" || fail "$title did not close on Escape"
        "$measure" "after $title closed"
    done
    menu_entry 3
    local box
    box=$(window_titled "About")
    "$measure" "with the About box open"
    xdotool windowactivate "$box" 2>/dev/null || true
    wait_for 50 window_is_active "$box" || fail "the About box did not get the focus"
    xdotool key Escape
    wait_for 100 only_main_window "$wid" || fail "the About box did not close on Escape"
    "$measure" "after the About box closed"
    menu_entry 4
    wid=$(main_window)
    wait_for 100 only_main_window "$wid" || fail "something stays open after Reset View"
    "$measure" "after Reset View"
}
only_main_window() { [[ -z $(other_windows "$1") ]]; }
# The look-ahead badge's text, read over the accessibility bus ("" when it is gone).
badge() { atspi labels "$VANTOR_PID" | cut -f2 | grep -E '^[+-][0-9]' || true; }
badge_is() { [[ $(badge) == "$1" ]]; }
badge_shown() { [[ -z ${QT_LINUX_ACCESSIBILITY_ALWAYS_ON:-} || -n $(badge) ]]; }
expect_badge() {
    [[ -n ${QT_LINUX_ACCESSIBILITY_ALWAYS_ON:-} ]] || return 0
    wait_for 50 badge_is "$1" || fail "badge '$(badge)', not '$1'"
}

# The shown labels of the program's windows through AT-SPI: "x y width height" each (a
# hidden one, the look-ahead badge, has no size).
label_boxes() { atspi extents "$VANTOR_PID" | awk -F'\t' '$1 == "label" && $3 != "0 0 0 0" { print $3 }'; }
enough_labels() { (($(label_boxes | wc -l) >= $1)); }

# The caption, time, offset and date of each of the $2 clocks in window $1 lie whole on
# the screen of $3 x $4 pixels and in the window, none over another; what is wrong goes
# to $E2E_TMP/bad. Needs start_accessibility.
labels_whole() {
    local x y w h
    wait_for 200 enough_labels $((4 * $2)) ||
        { echo "$(label_boxes | wc -l) labels on the accessibility bus" >"$E2E_TMP/bad"; return 1; }
    read -r x y w h < <(geometry "$1")
    label_boxes | awk -v sw="$3" -v sh="$4" -v X="$x" -v Y="$y" -v W="$w" -v H="$h" '
        { bx[NR] = $1; by[NR] = $2; bw[NR] = $3; bh[NR] = $4
          if ($1 < 0 || $2 < 0 || $1 + $3 > sw || $2 + $4 > sh ||
              $1 < X || $2 < Y || $1 + $3 > X + W || $2 + $4 > Y + H) {
              print "label at " $0 " is not whole on the screen and in the window " X, Y, W, H
              bad = 1 } }
        END { for (i = 1; i <= NR; i++) for (j = i + 1; j <= NR; j++)
                  if (bx[i] < bx[j] + bw[j] && bx[j] < bx[i] + bw[i] &&
                      by[i] < by[j] + bh[j] && by[j] < by[i] + bh[i]) {
                      print "labels overlap: " bx[i], by[i], bw[i], bh[i] " and " bx[j], by[j], bw[j], bh[j]
                      bad = 1 }
              exit bad }' >"$E2E_TMP/bad"
}
