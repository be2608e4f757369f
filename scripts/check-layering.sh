#!/usr/bin/env bash
# Fails when a layer reaches up or sideways: no Qt header in platform/core, model/ or link/, and no
# window layer in model/ or link/.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=$(git grep -nE '#include *[<"](Q[A-Za-z]*|qt[a-z]*/)' -- platform/core model link 2>/dev/null || true)
bad+=$(git grep -nE '#include *"(platform/ui|controls|shell|pages|presets|grid|res)/' -- platform/core platform/io model link 2>/dev/null || true)
if [ -n "$bad" ]; then
  echo "Layering broken:"; echo "$bad"; exit 1
fi
