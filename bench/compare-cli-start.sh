#!/usr/bin/env bash
# The start of the command line: "zuzududada-cli --help" beside a C++ program that prints one
# line (hello_line), timed alike in the same run, and the shared libraries the command line
# loads. Target: --help within 2 ms of hello_line. Usage: bench/compare-cli-start.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
cli="$build/src/app/zuzududada-cli"
hello="$build/bench/hello_line"
for tool in "$cli" "$hello"; do
  [ -x "$tool" ] || { echo "compare-cli-start: $tool is missing; build the targets zuzududada-cli and hello_line" >&2; exit 1; }
done
source "$(dirname "$0")/timing.sh"

printf '%-5s %10s %10s %12s\n' time hello_ms help_ms help-hello
for measure in best_ms best_cpu_ms; do
  h=$($measure 40 "$hello")
  c=$($measure 40 "$cli" --help)
  if [ "$measure" = best_ms ]; then kind=wall; else kind=cpu; fi
  awk -v k="$kind" -v h="$h" -v c="$c" 'BEGIN { printf "%-5s %10.2f %10.2f %+11.2f\n", k, h, c, c - h }'
done
if command -v readelf >/dev/null; then
  echo "shared libraries the command line names: $(readelf -d "$cli" | grep -c '(NEEDED)')" \
       "($(readelf -d "$cli" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' '))"
fi
echo "target: help-hello at most 2 ms"
