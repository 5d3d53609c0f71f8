#!/usr/bin/env bash
# Builds the Debian package from BUILD_DIR into a scratch directory and checks
# what it declares: the Qt libraries and fonts it needs, the files a desktop
# looks for, and that lintian finds nothing to say, not even for information.
# Exits 77 (skipped) where dpkg's tools or lintian are not installed, except
# in CI, whose setup installs them.
set -euo pipefail

readonly APP_ID=org.example.Tarnelby
build=$1

for tool in cpack dpkg-deb dpkg-shlibdeps file lintian; do
    if ! command -v "$tool" >/dev/null; then
        [ -n "${CI:-}" ] && { echo "FAIL: $tool is not installed" >&2; exit 1; }
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >/dev/null
debs=("$out"/tarnelby_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no tarnelby_*.deb was made" >&2; exit 1; }

fail() { echo "FAIL: $*" >&2; exit 1; }

depends=$(dpkg-deb -f "${debs[0]}" Depends)
for needed in libqt6widgets6 libqt6printsupport6 libqt6gui6 libcups2 qt6-qpa-plugins fonts-liberation; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "${debs[0]}")
for path in ./usr/bin/tarnelby ./usr/share/applications/$APP_ID.desktop \
    ./usr/share/metainfo/$APP_ID.metainfo.xml ./usr/share/icons/hicolor/256x256/apps/$APP_ID.png; do
    grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

# As root lintian warns on stderr that it should not run as root; only that goes.
lintian --display-info --fail-on error,warning,info "${debs[0]}" \
    2> >(grep -v 'running with root privileges' >&2) \
    || fail "lintian has objections to the package (above)"
