#!/usr/bin/env bash
# Replays a 1,000,000-frame candump -l log through the demo project and sets the time against
# can-utils' log2asc converting the same log, in the same run; then the peak memory of the
# replay for logs of 100,000 and 1,000,000 frames, which must not grow with the length.
# Usage: bench/compare-replay.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
cli="$build/src/app/zuzududada-cli"
demo="$(cd "$(dirname "$0")/.." && pwd)/demo/workspace/PROJECTS/Demo"
[ -x "$cli" ] || { echo "compare-replay: $cli is missing; build the target zuzududada-cli" >&2; exit 1; }
if ! command -v log2asc >/dev/null; then
  echo "compare-replay: log2asc is not installed (Debian package can-utils); skipped" >&2
  exit 0
fi

source "$(dirname "$0")/timing.sh"

# A log of the demo's receive frames among foreign ones, remote and FD frames, 0.5 ms apart.
write_log() {
  awk -v n="$1" 'BEGIN {
    srand(7); split("181 281 381 48A 50A 123 7FF", ids, " ")
    for (i = 0; i < n; i++) {
      t = 1700000000 + i * 0.0005; id = ids[int(rand() * 7) + 1]; k = int(rand() * 9); data = ""
      for (b = 0; b < k; b++) data = data sprintf("%02X", int(rand() * 256))
      if (i % 97 == 0) printf "(%.6f) can0 %s#R\n", t, id
      else if (i % 89 == 0) printf "(%.6f) can0 %s##1%s\n", t, id, data
      else printf "(%.6f) can0 %s#%s\n", t, id, data
    }
  }'
}

peak_kb() {
  python3 - "$@" <<'PY'
import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
PY
}

work="$(mktemp -d "${places[0]}/zz-bench-replay-XXXXXX")"
cleanup+=("$work")
write_log 1000000 > "$work/big.log"
write_log 100000 > "$work/small.log"
r_cmd=("$cli" replay "$demo" "$work/big.log")
l_cmd=(log2asc -I "$work/big.log" -O /dev/null can0)
r=$(best_ms 5 "${r_cmd[@]}"); l=$(best_ms 5 "${l_cmd[@]}")
rc=$(best_cpu_ms 5 "${r_cmd[@]}"); lc=$(best_cpu_ms 5 "${l_cmd[@]}")
small=$(peak_kb "$cli" replay "$demo" "$work/small.log"); big=$(peak_kb "${r_cmd[@]}")
printf '%-8s %12s %12s %12s\n' time replay_ms log2asc_ms log2asc/replay
awk -v r="$r" -v l="$l" 'BEGIN { printf "%-8s %12.1f %12.1f %13.1fx\n", "wall", r, l, l / r }'
awk -v r="$rc" -v l="$lc" 'BEGIN { printf "%-8s %12.1f %12.1f %13.1fx\n", "cpu", r, l, l / r }'
printf 'replay peak memory: %s KB for 100,000 frames, %s KB for 1,000,000 frames\n' "$small" "$big"
awk -v r="$rc" -v l="$lc" -v s="$small" -v b="$big" 'BEGIN {
  if (r > l) { print "compare-replay: the replay took longer than log2asc"; exit 1 }
  if (b > s * 1.5 + 4096) { print "compare-replay: the replay'"'"'s memory grows with the log"; exit 1 }
}'
