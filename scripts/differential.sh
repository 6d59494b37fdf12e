#!/usr/bin/env bash
# A longer differential run than the test command's: COUNT requests drawn
# from SEED (by default one from the clock, printed with the results) through
# every front the machine runs. ZORVA_DIFF_FRONTS narrows the fronts.
#   scripts/differential.sh COUNT [SEED]      e.g. scripts/differential.sh 200000
set -euo pipefail
if ! [[ ${1:-} =~ ^[1-9][0-9]*$ && ${2:-0} =~ ^[0-9]+$ ]]; then
  echo "usage: $0 COUNT [SEED]" >&2
  exit 2
fi
ZORVA_DIFF_COUNT=$1 ZORVA_DIFF_SEED=${2:-$(date +%s)} exec bash "$(dirname "$0")/suites/80-differential.sh"
