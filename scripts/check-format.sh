#!/usr/bin/env bash
# Fails when a project source is not clang-formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.h' '*.cpp' '*.c' 2>/dev/null || true)
[ -z "$files" ] && exit 0
bad=$(echo "$files" | xargs clang-format --dry-run 2>&1 | grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error)' | cut -d: -f1 | sort -u || true)
if [ -n "$bad" ]; then
  echo "Not clang-formatted:"; echo "$bad"; exit 1
fi
