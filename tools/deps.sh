#!/usr/bin/env bash
# Installs the Debian packages the build needs, with "test" also those of the test
# suite, with "package" those that make the Debian package.
# Only missing packages are installed; nothing happens when all are present. Root
# installs them directly, anyone else through sudo (which asks for the password); without
# sudo the script prints the su line to run and stops.
set -euo pipefail

# libxcb1-dev: the program watches for an XEmbed tray itself.
build_pkgs=(cmake ninja-build g++ qt6-base-dev libgl-dev libxcb1-dev libicu-dev tzdata
            fonts-dejavu-core)
test_pkgs=(xvfb openbox trayer xdotool x11-utils x11-apps imagemagick desktop-file-utils appstream
           python3 xclip
           # A private session bus with the accessibility bus, read as a screen reader does;
           # libfaketime steps the clock of the program under test.
           dbus-daemon at-spi2-core python3-pyatspi faketime
           # The screen reader whose speech the tests read.
           orca
           # Fake trays that refuse the icon: an XEmbed one on X, a watcher on the bus.
           python3-xlib python3-gi
           # The trays of real desktops: Xfce's panel (it reads its layout through
           # xfconf's daemon) and LXQt's.
           xfce4-panel xfconf lxqt-panel
           # xrandr adds and removes monitors; gio launches the login entry as a session does.
           x11-xserver-utils libglib2.0-bin
           # Japanese, Chinese, Korean, Hindi, Amharic and Thai texts drawn as their
           # readers see them, not as boxes; the test machine has none of these scripts.
           fonts-noto-cjk fonts-lohit-deva fonts-sil-abyssinica fonts-tlwg-loma)
# dpkg-shlibdeps (dpkg-dev) and file work out the package's dependencies.
package_pkgs=(dpkg-dev file)

pkgs=("${build_pkgs[@]}")
case "${1:-}" in
test) pkgs+=("${test_pkgs[@]}") ;;
package) pkgs+=("${package_pkgs[@]}") ;;
esac

missing=()
for p in "${pkgs[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

# Debian's own lists name the packages; no suggested extras.
install=(apt-get install -y --no-install-recommends "${missing[@]}")
echo "Missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${install[@]}" -qq
    exit 0
fi

su_line="su -c 'apt-get update && ${install[*]}'"
if ! command -v sudo >/dev/null; then
    echo "Installing them needs root, and there is no sudo here. Run this (it asks for" >&2
    echo "root's password), then start make again:" >&2
    echo "  $su_line" >&2
    exit 1
fi

# sudo asks for the password on the terminal when it needs one.
echo "Installing them with sudo."
# No DEBIAN_FRONTEND here: sudoers that allow only apt-get refuse to set it.
if ! sudo apt-get update -qq || ! sudo "${install[@]}" -qq; then
    echo "Installing with sudo did not work. Without sudo rights, run this (it asks for" >&2
    echo "root's password), then start make again:" >&2
    echo "  $su_line" >&2
    exit 1
fi
