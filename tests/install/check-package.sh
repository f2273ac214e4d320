#!/bin/sh
# Makes the Debian package with CPack and checks it: its dependencies were computed from the
# program's libraries (and name those loaded at run time), apt can satisfy every one of them
# from Debian's archive, it asks for the very Qt release it was built with (the window's
# zoom uses Qt's private interface), and the program unpacked from it starts.
# usage: check-package.sh BUILD_DIR VERSION QT_VERSION
set -eu
build=$1 version=$2 qt=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/itarnvale_*.deb)
echo "check-package: $(basename "$deb"), $(du -h "$deb" | cut -f1)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "check-package: Depends: $depends"
for library in libqt6webenginewidgets6 libqt6widgets6 libqt6keychain1 libcurl4 libicu72 libqt6webenginecore6-bin libsecret-1-0; do
  printf '%s' "$depends" | grep -q "$library" || fail "Depends lacks $library"
done
printf '%s' "$depends" | grep -qF "qt6-base-abi (= $qt)" || fail "Depends does not pin Qt $qt"
# Every dependency resolves against the archive (a simulated installation).
apt-get install --simulate --no-install-recommends "$deb" >"$out/apt.log" 2>&1 || { cat "$out/apt.log"; fail "apt cannot install it"; }

dpkg -x "$deb" "$out/root"
test -f "$out/root/usr/share/applications/org.itarnvale.iTarnvale.desktop" || fail "no desktop entry in the package"
env -u DISPLAY "$out/root/usr/bin/itarnvale" --version | grep -qx "iTarnvale $version" || fail "the packaged program did not start"
echo "check-package: all good"
