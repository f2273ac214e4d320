#!/bin/sh
# Installs the Debian package for real with apt (as root, as on a user's machine), starts the
# installed program, checks its menu entry and icon, then removes the package again.
# usage: tests/install/install-package.sh BUILD_DIR
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "install-package: $*" >&2; exit 1; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$(ls "$out"/itarnvale_*.deb)
# apt reads the file as its own sandbox user: the folder must be readable by everyone.
chmod 755 "$out"
$sudo apt-get install -y --no-install-recommends "$deb" >"$out/apt.log" 2>&1 ||
  { cat "$out/apt.log"; fail "apt-get could not install $(basename "$deb")"; }
status=0
{
  version=$(env -u DISPLAY itarnvale --version) || fail "the installed program did not start"
  echo "install-package: installed $(basename "$deb"); itarnvale --version says: $version"
  desktop-file-validate /usr/share/applications/org.itarnvale.iTarnvale.desktop || fail "desktop entry not valid"
  test -f /usr/share/icons/hicolor/scalable/apps/org.itarnvale.iTarnvale.svg || fail "no scalable icon"
} || status=$?
$sudo apt-get purge -y itarnvale >/dev/null 2>&1 || fail "apt-get could not remove the package"
[ ! -e /usr/bin/itarnvale ] || fail "the program is still there after removal"
exit $status
