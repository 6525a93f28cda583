#!/usr/bin/env bash
# The settings file under faults. The program is killed (SIGKILL) the moment a Save in
# either dialog reaches the file: the file must still hold every key, each with its old
# value but the one just saved. Then the settings directory sits on a full, a nearly full
# and a read-only file system: the program must run, say on standard output what it
# could not store, and leave the file byte for byte as it was.
source "$(dirname "$0")/lib.sh"
start_desktop
# The keys wait for the focus and the change they make, read as a screen reader reads
# them: on a loaded machine keys sent blind can land before the dialog has its focus.
start_accessibility

dir=$XDG_CONFIG_HOME/com/quorvane/vantor
conf=$dir/Vantor.conf
zones=(Asia/Kolkata Europe/London America/New_York)
# Every key the dialogs write, with a value each would write back unchanged, and keys
# the program only carries along (one it does not know at all).
settings "TimeZones=\"$(IFS=';'; echo "${zones[*]}")\"" DatePattern=yyyy-MM-dd TimePattern=HH:mm \
    TimeFontWidth=18 VerticalLayout=true RoundFlags=true OnTaskBar=false AlwaysOnTop=true \
    DarkMode=false WorkStart=09:00 WorkEnd=17:00 ShowWorkingHours=true MainWindowPosX=200 \
    MainWindowPosY=150 FontVariableWidthSize=12 LastUserDir=/home/somebody

# Prints the file as sorted KEY=VALUE lines (surrounding quotes dropped); fails unless it
# is a complete INI file with the one [General] section.
conf_values() {
    python3 - "$1" <<'EOF'
import configparser, sys
parser = configparser.ConfigParser(interpolation=None, strict=True)
parser.optionxform = str
with open(sys.argv[1], encoding="utf-8") as f:
    text = f.read()
if not text.endswith("\n"):
    sys.exit("no line end at the end of the file")
parser.read_string(text)
if parser.sections() != ["General"]:
    sys.exit(f"sections {parser.sections()}")
for key, value in sorted(parser["General"].items()):
    if len(value) >= 2 and value[0] == value[-1] == '"':
        value = value[1:-1]
    print(f"{key}={value}")
EOF
}

# Opens the right-click menu entry that is $1 places down and waits for the dialog titled $2.
open_dialog() {
    local x y w h
    read -r x y w h < <(geometry "$wid")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
    wait_for 50 menu_is_up "$wid" || fail "no menu after a right click"
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
    wait_for 50 xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$2\$" ||
        fail "the dialog $2 did not open"
    dialog=$(xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$2\$" | head -1)
    # openbox activates a new dialog by itself; asking again only when it has not.
    wait_for 20 window_is_active "$dialog" || xdotool windowactivate "$dialog" 2>/dev/null || true
    wait_for 50 window_is_active "$dialog" || fail "the dialog $2 ($dialog) did not get the focus"
}

# Kills the program with SIGKILL as soon as the settings file differs from $1 (its
# previous content); fails after 20 s without a change. Only shell built-ins in the loop,
# so the kill follows the change closely.
kill_on_change() {
    local now deadline=$((SECONDS + 20))
    while ((SECONDS < deadline)); do
        now=
        IFS= read -r -d '' now <"$conf" || true
        if [[ $now != "$1" ]]; then
            kill -9 "$VANTOR_PID"
            wait "$VANTOR_PID" 2>/dev/null || true
            VANTOR_PID=
            return 0
        fi
        read -r -t 0.005 <> <(:) || true
    done
    fail "the settings file did not change after Save"
}

# Starts the program, changes one thing in a dialog, saves and kills it; then the file
# must hold every key with its old value, but the changed one with its new value.
# Arguments: the dialog's menu place, its title, the command that makes the change, the
# key changed and its new value.
save_and_kill() {
    local place=$1 title=$2 change=$3 key=$4 value=$5
    local before expected
    start_vantor
    wid=$(main_window)
    expected=$(conf_values "$conf" | sed "s|^$key=.*|$key=$value|") || fail "bad file before the save"
    IFS= read -r -d '' before <"$conf" || true
    open_dialog "$place" "$title"
    wait_for 100 form focused || fail "nothing has the focus in $title"
    $change
    # Nothing is stored before Save.
    [[ $(<"$conf") == "${before%$'\n'}" ]] || fail "$title stored something before Save"
    press Save
    kill_on_change "$before"
    local after
    after=$(conf_values "$conf") || fail "after Save in $title and kill -9 the file does not parse: $(cat "$conf")"
    [[ $after == "$expected" ]] ||
        fail "after Save in $title and kill -9:"$'\n'"$(diff <(echo "$expected") <(echo "$after"))"
    stored=$after
}

# Moves the first zone down (Move Up is off on the first row).
move_first_zone_down() { press "Move Down"; }

# Down on the date pattern, which has the focus first, picks the next pattern.
controls_differ() { [[ $(form controls) != "$1" ]]; }
next_date_pattern() {
    local shown
    [[ $(form focused) == "combo box"* ]] || fail "the date pattern does not have the focus: $(form focused)"
    shown=$(form controls)
    xdotool key Down
    wait_for 50 controls_differ "$shown" || fail "Down did not change the date pattern"
}

echo "# kill -9 right after Save in the Time Zones dialog, three times"
for round in 1 2 3; do
    zones=("${zones[1]}" "${zones[0]}" "${zones[2]}")
    save_and_kill 1 "Time Zone Configuration" move_first_zone_down \
        TimeZones "$(IFS=';'; echo "${zones[*]}")"
done

echo "# kill -9 right after Save in the Settings dialog, three times"
patterns=(yyyy-MM-dd yy-MM-dd yy-M-d MM-dd)
for round in 1 2 3; do
    save_and_kill 2 Settings next_date_pattern DatePattern "${patterns[round]}"
done

echo "# the program starts on the file the kills left, and Exit writes it again"
# A kill within a write leaves the write's lock file behind; it must not block the next.
start_vantor
wid=$(main_window)
read -r x y w h < <(geometry "$wid")
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
wait_for 50 menu_is_up "$wid" || fail "no menu after a right click"
xdotool key Up Return
expect_clean_exit "Exit"
grep -i "damaged\|cannot\|could not" "$E2E_TMP/vantor.out" && fail "complaints about the file"
[[ $(conf_values "$conf") == "$stored" ]] || fail "Exit changed the stored values: $(cat "$conf")"
[[ -e $conf.lock ]] && fail "the lock file is still there after Exit"

# Starts the program with the settings directory on a small file system of its own in a
# private mount namespace (no root needed): "full", "full-but-a-page" (room for the lock
# file, not for the new file) or "read-only", holding a copy of $E2E_TMP/kept.conf. When
# the program ends, the namespace's copy of the file is left in $E2E_TMP/after.conf and
# a listing of its directory in $E2E_TMP/after.ls.
start_vantor_on() {
    rm -f "$E2E_TMP/vantor.pid" "$E2E_TMP/after.conf" "$E2E_TMP/after.ls"
    # shellcheck disable=SC2016
    unshare -rm bash -c '
        set -eu
        fs=$1 config=$2 out=$3 bin=$4
        mount -t tmpfs -o size=256k,mode=0755 vantor-test "$config"
        mkdir -p "$config/com/quorvane/vantor"
        conf=$config/com/quorvane/vantor/Vantor.conf
        cp -p "$out/kept.conf" "$conf"
        case $fs in
        full*)
            [[ $fs == full-but-a-page ]] && head -c "$(getconf PAGESIZE)" /dev/zero >"$config/spare"
            head -c 1M /dev/zero >"$config/filler" 2>/dev/null || true
            rm -f "$config/spare"
            ;;
        read-only) mount -o remount,bind,ro "$config" ;;
        esac
        "$bin" &
        echo $! >"$out/vantor.pid"
        status=0
        wait $! || status=$?
        cp -p "$conf" "$out/after.conf"
        ls -A "$(dirname "$conf")" >"$out/after.ls"
        exit $status' vantor-on "$1" "$XDG_CONFIG_HOME" "$E2E_TMP" "$VANTOR_BIN" \
        >"$E2E_TMP/vantor.out" 2>&1 &
    wrapper=$!
    E2E_PIDS+=("$wrapper")
    wait_for 100 test -s "$E2E_TMP/vantor.pid" || fail "the program did not start on the $1 file system"
    VANTOR_PID=$(<"$E2E_TMP/vantor.pid")
}

echo "# on a full and on a read-only file system the program runs, says what it could not"
echo "# store, and leaves the file byte for byte as it was"
if ! unshare -rm true 2>/dev/null; then
    echo "SKIP: no private mount namespace here (unshare -rm is not permitted); full and read-only file systems untested"
else
    cp -p "$conf" "$E2E_TMP/kept.conf"
    for fs in full full-but-a-page read-only; do
        start_vantor_on "$fs"
        wid=$(main_window)
        read -r x y w h < <(geometry "$wid")
        # A drag stores the new position when the button is let go.
        xdotool mousemove $((x + 20)) $((y + 20)) mousedown 1
        for step in 1 2 3 4 5; do
            xdotool mousemove $((x + 20 + step * 10)) $((y + 20 + step * 6))
        done
        xdotool mouseup 1
        wait_for 100 grep -q "Could not store MainWindowPosX in $conf" "$E2E_TMP/vantor.out" ||
            fail "$fs: no word of the failed write"
        # The close request stores the position once more and ends the program.
        xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid"
        wait_for 50 window_is_active "$wid" || fail "$fs: the window did not get the focus"
        xdotool key alt+F4
        wait_for 100 test -e "$E2E_TMP/after.ls" || fail "$fs: still running after the close request"
        status=0
        wait "$wrapper" || status=$?
        VANTOR_PID=
        ((status == 0)) || fail "$fs: the close request ended with status $status"
        cmp "$E2E_TMP/kept.conf" "$E2E_TMP/after.conf" ||
            fail "$fs: the file changed: $(cat "$E2E_TMP/after.conf")"
        [[ $(<"$E2E_TMP/after.ls") == Vantor.conf ]] ||
            fail "$fs: left behind: $(<"$E2E_TMP/after.ls")"
    done
fi
echo "PASS"
