#!/usr/bin/env bash
# Installs the build in BUILD_DIR into a scratch prefix and checks that a
# desktop finds the program there: the binary, a valid desktop entry, the
# icon at every size of the icon theme, and valid AppStream metadata.
# Exits 77 (skipped) where the validators are not installed.
set -euo pipefail

readonly APP_ID=org.example.Tarnelby
readonly ICON_SIZES=(16 22 24 32 48 64 128 256)
build=$1

for tool in desktop-file-validate appstreamcli file; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -x "$prefix/bin/tarnelby" ] || fail "bin/tarnelby is not installed"
desktop=$prefix/share/applications/$APP_ID.desktop
desktop-file-validate "$desktop" || fail "$desktop is not a valid desktop entry"
grep -qx "Exec=tarnelby" "$desktop" || fail "the desktop entry does not start tarnelby"
grep -qx "Icon=$APP_ID" "$desktop" || fail "the desktop entry does not name the icon $APP_ID"
for size in "${ICON_SIZES[@]}"; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "no $size px icon: $(file "$icon")"
done
metainfo=$prefix/share/metainfo/$APP_ID.metainfo.xml
# Two notes are allowed: the id's capital letter (desktops already know the
# id), and the developer tag that AppStream 1.0 asks for, which AppStream
# before 1.0 (Debian 12) does not know.
notes=$(appstreamcli validate --no-net --pedantic "$metainfo") \
    || fail "$metainfo is not valid AppStream metadata: $notes"
notes=$(grep -E '^[EWIP]: ' <<<"$notes" \
    | grep -v -e ': cid-contains-uppercase-letter ' -e ': unknown-tag developer$' || true)
[ -z "$notes" ] || fail "appstreamcli notes on $metainfo: $notes"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" \
    || fail "the metadata does not launch $APP_ID.desktop"
