#!/usr/bin/env bash
# Reading a DBC file of 1,000 frames and 10,000 signals: read_dbc, a whole run of the reader
# (start of the process included), against canmatrix (Debian's python3-canmatrix) loading the
# same file, once as a whole run and once the load alone, timed inside Python.
# Usage: bench/compare-dbc.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
read_dbc="$build/bench/read_dbc"
[ -x "$read_dbc" ] || { echo "compare-dbc: $read_dbc is missing; build the target read_dbc" >&2; exit 1; }
python=""
for candidate in python3 /usr/bin/python3; do
  if command -v "$candidate" >/dev/null && "$candidate" -c "import canmatrix.formats" 2>/dev/null; then
    python="$candidate"
    break
  fi
done
if [ -z "$python" ]; then
  echo "compare-dbc: canmatrix is not installed (Debian package python3-canmatrix); skipped" >&2
  exit 0
fi

source "$(dirname "$0")/timing.sh"
work="$(mktemp -d "$build/zz-bench-dbc-XXXXXX")"
cleanup+=("$work")
sample="$work/sample.dbc"
"$read_dbc" --sample "$sample"
"$read_dbc" "$sample" | grep -q '^1000 frames, 10000 signals$' || { echo "compare-dbc: the sample does not read" >&2; exit 1; }

ours=$(best_ms 5 "$read_dbc" "$sample")
whole=$(best_ms 3 "$python" -c "import canmatrix.formats, sys; canmatrix.formats.loadp(sys.argv[1])" "$sample")
load=$("$python" - "$sample" <<'PY' 2>/dev/null
import sys, time
import canmatrix.formats
best = None
for _ in range(3):
    start = time.perf_counter()
    canmatrix.formats.loadp(sys.argv[1])
    used = time.perf_counter() - start
    best = used if best is None else min(best, used)
print("%.3f" % (best * 1000))
PY
)
printf '%12s %16s %16s %14s\n' read_dbc_ms canmatrix_run_ms canmatrix_load_ms load/read_dbc
awk -v o="$ours" -v w="$whole" -v l="$load" 'BEGIN { printf "%12.2f %16.2f %16.2f %13.1fx\n", o, w, l, l / o }'
echo "target: load/read_dbc at least 1x (read_dbc's whole run no slower than canmatrix's load alone)"
awk -v o="$ours" -v l="$load" 'BEGIN { exit !(o <= l) }' || { echo "compare-dbc: read_dbc is slower than canmatrix" >&2; exit 1; }
