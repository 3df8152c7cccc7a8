#!/usr/bin/env bash
# The man page renders without a single warning.
set -euo pipefail
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$1" 2>&1 >/dev/null)
if [[ -n $warnings ]]; then
  echo "$warnings"
  exit 1
fi
echo "man page renders cleanly"
