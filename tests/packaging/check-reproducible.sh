#!/usr/bin/env bash
# Builds the Debian packages a second time from the same tree, in another
# folder, at another time, under another time zone and umask, and checks that
# the source package and every binary package have the same bytes as the
# first build's. Only the build's own record (.buildinfo, .changes) differs.
#
#   check-reproducible.sh FIRST_DIR SECOND_DIR
#
# FIRST_DIR holds the packages `make test` or `make package` built (they are
# built there first if it holds none). The second build runs the package's
# own tests, which must not change a byte either.
set -euo pipefail

first=$1
second=$2
build=$(cd "$(dirname "$0")/../.." && pwd)/tools/build-debian-package
log=$(mktemp)
trap 'rm -f "$log"' EXIT

quietly() {
    "$@" >"$log" 2>&1 || { tail -n 50 "$log" >&2; echo "FAIL: the package build failed (its last lines above)" >&2; exit 1; }
}

if ! compgen -G "$first/tarnelby_*.changes" >/dev/null; then
    quietly "$build" "$first"
fi
(umask 002 && TZ=Pacific/Kiritimati quietly "$build" "$second")

for dir in "$first" "$second"; do
    buildinfo=("$dir"/tarnelby_*.buildinfo)
    echo "built in $(cd "$dir" && pwd) on $(sed -n 's/^Build-Date: //p' "${buildinfo[0]}")"
done

differ=0
for file in "$first"/tarnelby_*.dsc "$first"/tarnelby_*.tar.xz "$first"/tarnelby*.deb; do
    name=$(basename "$file")
    sums=$(sha256sum "$file" "$second/$name") || { echo "FAIL: the second build made no $name"; exit 1; }
    echo "$sums"
    if [ "$(awk '{print $1}' <<<"$sums" | uniq | wc -l)" != 1 ]; then
        echo "FAIL: the two builds' $name differ; diffoscope $file $second/$name shows where"
        differ=1
    fi
done
exit "$differ"
