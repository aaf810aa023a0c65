#!/bin/sh
# The games' AppStream metadata as a software centre reads it: valid with nothing to remark,
# the project's homepage, screenshots that are pictures of docs/ as the homepage serves
# them, and a desktop entry that exists. Skipped (77) where the validator is missing.
# Usage: metainfo_test.sh <homepage> <docs folder> <packaging folder>
HOMEPAGE=$1
DOCS=$2
PACKAGING=$3
if ! command -v appstreamcli >/dev/null; then
    echo "appstreamcli is missing (package appstream)"
    exit 77
fi

failures=0
fail() {
    echo "FAIL [$(basename "$file")]: $*" >&2
    failures=$((failures + 1))
}

set -- "$PACKAGING"/*.metainfo.xml
[ -f "$1" ] || { echo "no metainfo files in $PACKAGING" >&2; exit 1; }
"$PACKAGING/../scripts/validate-metainfo" validate "$@" || failures=$((failures + 1))

for file in "$@"; do
    grep -qF "<url type=\"homepage\">$HOMEPAGE</url>" "$file" || fail "the homepage is not $HOMEPAGE"
    images=$(sed -n 's|.*<image[^>]*>\(.*\)</image>.*|\1|p' "$file")
    [ -n "$images" ] || fail "no screenshots"
    for image in $images; do
        case $image in
        "${HOMEPAGE}docs/"*) [ -f "$DOCS/${image#"${HOMEPAGE}docs/"}" ] || fail "no picture for $image" ;;
        *) fail "the screenshot $image is not under ${HOMEPAGE}docs/" ;;
        esac
    done
    entry=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$file")
    [ -f "$PACKAGING/$entry" ] || fail "it launches '$entry', which is no desktop entry of ours"
done
[ "$failures" -eq 0 ] || exit 1
echo "metainfo checks passed"
