#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: the
# exact tree, both validators, the names the entry and the metadata point at, and that
# the installed program starts with nothing but its own binary and groups with its entry.
source "$(dirname "$0")/lib.sh"

src=${VANTOR_SOURCE_DIR:?}
build=$(dirname "$VANTOR_BIN")
prefix=$E2E_TMP/prefix
id=com.quorvane.Vantor
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml

cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    { cat "$E2E_TMP/install.log" >&2; fail "cmake --install failed"; }

# Exactly these files: a stray test program, library or header in the package would be a fault.
expected=(bin/vantor "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$id.svg"
    share/doc/vantor/copyright share/doc/vantor/LICENSES.md share/doc/vantor/README.md)
for size in 16 32 48 64 128 256; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f -printf '%P\n' | sort) ||
    fail "the installed tree differs (< expected, > installed)"
[[ -x $prefix/bin/vantor ]] || fail "bin/vantor is not executable"

# Each icon has the size its folder promises; a desktop scales a wrong one or shows none.
for size in 16 32 48 64 128 256; do
    got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")
    [[ $got == "${size}x${size}" ]] || fail "the ${size}x${size} icon is $got"
done

out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate reports: $out"
echo "desktop-file-validate: no findings"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate failed"
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree failed"

entry() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(entry Exec) == vantor ]] || fail "Exec is '$(entry Exec)'"
[[ $(entry Icon) == "$id" ]] || fail "Icon is '$(entry Icon)'"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
grep -q '<binary>vantor</binary>' "$metainfo" || fail "the metadata does not provide the binary"
# The release in the metadata is the one the build declares.
version=$(sed -n 's/^project(Vantor VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
grep -q "<release version=\"$version\" date=\"2020-07-29\"" "$metainfo" ||
    fail "no release $version in the metadata"
python3 "$src/tools/desktop_names.py" check || fail "translated names are out of date"
grep -q '^Name\[ru\]=Вантор$' "$desktop" || fail "no Russian name in the desktop entry"

# The installed copy runs on its own and its window's class is the one the entry names.
start_desktop
VANTOR_BIN=$prefix/bin/vantor
settings 'TimeZones="Asia/Tokyo"'
(cd / && exec env -u LD_LIBRARY_PATH "$VANTOR_BIN" >"$E2E_TMP/vantor.out" 2>&1) &
VANTOR_PID=$!
wclass=$(xprop -id "$(main_window)" WM_CLASS | sed -n 's/.*= "\(.*\)", "\(.*\)"$/\2/p')
[[ $wclass == "$(entry StartupWMClass)" ]] ||
    fail "window class '$wclass' but StartupWMClass '$(entry StartupWMClass)'"
stop_vantor
echo "PASS"
