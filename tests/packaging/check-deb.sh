#!/usr/bin/env bash
# Builds the source and binary Debian packages into OUT_DIR, as `make package`
# does, and checks what they hold: the Qt libraries and fonts the program
# needs, the Wayland support it recommends, the files a desktop looks for,
# and that lintian finds no error and no warning in the .changes, source and
# binary alike.
#
#   check-deb.sh OUT_DIR
#
# The package's own tests are not run here (nocheck): they are this build
# tree's tests, which CTest runs beside this one. Exits 77 (skipped) where
# the packaging tools are not installed, except in CI, whose setup installs
# them.
set -euo pipefail

readonly APP_ID=org.example.Tarnelby
out=$1
source=$(cd "$(dirname "$0")/../.." && pwd)

for tool in dpkg-buildpackage dh lintian; do
    if ! command -v "$tool" >/dev/null; then
        [ -n "${CI:-}" ] && { echo "FAIL: $tool is not installed" >&2; exit 1; }
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done

fail() { echo "FAIL: $*" >&2; exit 1; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" "$source/tools/build-debian-package" "$out" >"$log" 2>&1 \
    || { tail -n 50 "$log" >&2; fail "dpkg-buildpackage failed (its last lines above)"; }

arch=$(dpkg --print-architecture)
changes=("$out"/tarnelby_*_"$arch".changes)
debs=("$out"/tarnelby_*_"$arch".deb)
[ -f "${changes[0]}" ] || fail "no tarnelby_*_$arch.changes was made"
for suffix in .dsc .tar.xz "_$arch.deb"; do
    grep -q " tarnelby_[^ ]*$suffix\$" "${changes[0]}" || fail "the .changes lists no tarnelby_*$suffix"
done

deb=${debs[0]}
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 libqt6gui6 libcups2 qt6-qpa-plugins fonts-liberation; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
# A Wayland session without X needs Qt's Wayland support.
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ "$recommends" == *qt6-wayland* ]] || fail "Recommends lacks qt6-wayland: $recommends"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tarnelby ./usr/share/applications/$APP_ID.desktop \
    ./usr/share/metainfo/$APP_ID.metainfo.xml ./usr/share/icons/hicolor/256x256/apps/$APP_ID.png \
    ./usr/share/man/man6/tarnelby.6.gz ./usr/share/doc/tarnelby/copyright ./usr/share/doc/tarnelby/changelog.gz; do
    grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

# As root lintian warns on stderr that it should not run as root; only that goes.
lintian --display-info --fail-on error,warning "${changes[0]}" \
    2> >(grep -v 'running with root privileges' >&2) \
    || fail "lintian has objections to the package (above)"
