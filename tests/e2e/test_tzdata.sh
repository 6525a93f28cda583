#!/usr/bin/env bash
# The tz data updated under a running program (a package upgrade with new rules): the
# clocks follow it within seconds, no restart, read as a screen reader reads them. The
# program sees a copy of the zone files in a mount namespace of its own, so the test
# changes nothing outside; without the right to make one the test is skipped.
source "$(dirname "$0")/lib.sh"

zoneinfo=$E2E_TMP/zoneinfo
cp -a /usr/share/zoneinfo "$zoneinfo"
# Runs a command with the copy mounted over /usr/share/zoneinfo. Only root of a user
# namespace may mount, so the command itself runs in a nested one under the caller's own
# ids: a normal user's D-Bus daemon refuses a client that claims another uid. Every step
# execs the next, so the command keeps the pid started in the background.
# shellcheck disable=SC2016
with_zone_copy=(unshare -rm sh -c 'zoneinfo=$1 uid=$2 gid=$3
    shift 3
    mount --bind "$zoneinfo" /usr/share/zoneinfo &&
        exec unshare --map-user="$uid" --map-group="$gid" "$@"' \
    with-zone-copy "$zoneinfo" "$(id -u)" "$(id -g)")
if ! "${with_zone_copy[@]}" true 2>/dev/null; then
    echo "SKIP: no private mount namespace here (unshare -rm is not permitted); tz data updates untested"
    exit 0
fi

start_desktop
start_accessibility
# With seconds shown the program refreshes every second and looks at the zone files every
# ten; without, once a minute.
settings 'TimeZones="Europe/London;Asia/Kolkata"' 'TimePattern="HH:mm:ss"' 'DatePattern="yyyy-MM-dd"'
# The local zone comes from /etc/localtime, which the copy serves too.
env -u TZ LANG=en_US.UTF-8 LC_ALL= "${with_zone_copy[@]}" "$VANTOR_BIN" >"$E2E_TMP/vantor.out" 2>&1 &
VANTOR_PID=$!
main_window >/dev/null

# Prints Kolkata's time and offset as the window shows them: the two labels after its
# caption.
kolkata() {
    atspi labels "$VANTOR_PID" | cut -f2 | grep -A2 -x Kolkata | tail -2 | paste -sd' ' |
        sed 's/^\([0-9][0-9]:[0-9][0-9]\):[0-9][0-9]/\1/'
}
expect() {
    local want
    for _ in $(seq 60); do
        want="$(TZ=$1 date +%H:%M) $2"
        [[ $(kolkata) == "$want" ]] && return 0
        sleep 0.5
    done
    fail "Kolkata shows '$(kolkata)', not '$want'"
}

echo "# before the update"
expect Asia/Kolkata UTC+05:30

echo "# an upgrade renames new rules over Kolkata's file: the clock follows"
cp "$zoneinfo/Asia/Tokyo" "$zoneinfo/Asia/Kolkata.new"
mv "$zoneinfo/Asia/Kolkata.new" "$zoneinfo/Asia/Kolkata"
expect Asia/Tokyo UTC+09:00
grep -q "The time zone data or the local zone changed" "$E2E_TMP/vantor.out" ||
    fail "the change was not logged"

# The local zone: the file /etc/localtime names, served from the copy as well.
local_file=$(readlink -f /etc/localtime)
if [[ $local_file == /usr/share/zoneinfo/* ]]; then
    echo "# travel: the local zone becomes Tokyo's, and London's clock is behind it"
    cp "$zoneinfo/Asia/Tokyo" "$zoneinfo/local.new"
    mv "$zoneinfo/local.new" "$zoneinfo/${local_file#/usr/share/zoneinfo/}"
    london_tip() { atspi described "$VANTOR_PID" | grep -P '^label\tLondon\t' | cut -f3; }
    for _ in $(seq 60); do
        [[ $(london_tip) == *"9 hr behind you"* ]] && break
        sleep 0.5
    done
    [[ $(london_tip) == *"9 hr behind you"* ]] || fail "London's tooltip says: $(london_tip)"
else
    echo "# /etc/localtime is not a zone file link here: the travel step is left out"
fi
stop_vantor
echo "PASS"
