#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Keeps the manual page in step with the command line: every long option that
# `quadrix --help` lists has its entry in the page's OPTIONS section, and the
# page mentions no option that --help does not list.
# Usage: packaging/check-manpage.sh QUADRIX_BINARY MAN_PAGE. Exits 77
# (skipped) when the binary has not been built.
set -euo pipefail
binary=${1:?usage: check-manpage.sh QUADRIX_BINARY MAN_PAGE}
page=${2:?usage: check-manpage.sh QUADRIX_BINARY MAN_PAGE}
skipped=77

if [ ! -x "$binary" ]; then
    echo "SKIPPED: $binary is not built; build the quadrix target first."
    exit $skipped
fi

# The options column of --help: "  -h, --help", "  --output <FILE>".
help=$("$binary" --help) || { echo "FAILED: $binary --help ended with an error"; exit 1; }
help_options=$(echo "$help" | { grep -oE '^  (-[[:alnum:]], )?--[[:alnum:]-]+' || true; } |
    grep -oE -- '--[[:alnum:]-]+' | sort -u || true)
[ -n "$help_options" ] || { echo "FAILED: $binary --help lists no option"; exit 1; }

# troff writes a hyphen as \- and switches fonts with \fB, \fI, \fR, \fP.
plain() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\f([A-Z][A-Z]//g' "$page"; }
long_options() { { grep -oE -- '--[[:alnum:]][[:alnum:]-]*' || true; } | sort -u; }
documented=$(plain | sed -n '/^\.SH OPTIONS/,/^\.SH/p' | long_options)
mentioned=$(plain | long_options)

status=0
for option in $(comm -23 <(echo "$help_options") <(echo "$documented")); do
    echo "FAILED: $option is listed by --help but has no entry in the OPTIONS of $page"
    status=1
done
for option in $(comm -13 <(echo "$help_options") <(echo "$mentioned")); do
    echo "FAILED: $page mentions $option, which --help does not list"
    status=1
done
[ $status -eq 0 ] && echo "the manual page covers all $(echo "$help_options" | wc -l) options"
exit $status
