#!/bin/sh
# The desktop entries as a desktop reads them. Skipped (77) where the validator is missing.
# Usage: desktop_entries_test.sh <entry>...
if ! command -v desktop-file-validate >/dev/null; then
    echo "desktop-file-validate is missing (package desktop-file-utils)"
    exit 77
fi
desktop-file-validate "$@"
