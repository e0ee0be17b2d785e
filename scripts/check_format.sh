#!/usr/bin/env bash
# Fails, listing every C and C++ source file that clang-format (with the repository's
# .clang-format) would change. Format them with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."

command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 1; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path './build*' -prune -o -type f \
        \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
fi

if report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
    echo "clang-format: ${#files[@]} files formatted"
    exit 0
fi
# Each deviation is reported as "FILE:LINE:COLUMN: error: ..."; keep the file names.
names=$(grep -E '^[^:]+:[0-9]+:[0-9]+: error: .*-Wclang-format-violations' <<<"$report" |
    cut -d: -f1 | sort -u || true)
if [ -z "$names" ]; then
    # Not a formatting deviation (an unreadable file, a broken .clang-format): show it as it came.
    echo "$report" >&2
    exit 1
fi
echo "Not formatted with clang-format (clang-format -i FILE...):" >&2
sed 's/^/  /' <<<"$names" >&2
exit 1
