#!/usr/bin/env bash
# The check of a composed firmware on a generated base firmware of about 8 MB, in one run with
# its references: srec_cat doing the merge, and a plain copy of the base firmware.
#   compose+verify  the composition of banks 1 and 2 as the device update makes it: the base
#                   firmware read and checked once, the merge, and the check of what it wrote
#   verify          the check alone (verify_firmware), and the command line's verify, which
#                   also rebuilds the configuration from the project's documents
# Usage: bench/compare-verify.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
verify="$build/bench/verify_firmware"
generate="$build/src/firmware/demo/make_demo_firmware"
cli="$build/src/app/zuzududada-cli"
for tool in "$verify" "$generate" "$cli"; do
  [ -x "$tool" ] || { echo "compare-verify: $tool is missing; build the targets verify_firmware, make_demo_firmware and zuzududada-cli" >&2; exit 1; }
done
if ! command -v srec_cat >/dev/null; then
  echo "compare-verify: srec_cat is not installed (Debian package srecord); skipped" >&2
  exit 0
fi

source "$(dirname "$0")/timing.sh"

printf '%-13s %10s %10s %10s %10s %10s %16s %16s %12s %12s\n' place cp_ms srec_ms c+v_ms verify_ms cli_ms 'srec/(c+v)' '(c+v)/cp' verify/cp cli/cp
for place in "${places[@]}"; do
  work="$(mktemp -d "$place/zz-bench-verify-XXXXXX")"
  cleanup+=("$work")
  mkdir -p "$work/MASTER" "$work/PROJECTS" "$work/out"
  cp -r "$source_dir/demo/workspace/PROJECTS/Demo" "$work/PROJECTS/P"
  mkdir -p "$work/PROJECTS/P/bin"
  base="$work/MASTER/sx48802.sx"
  "$generate" "$base" 0x380000 $((0x380000 + 0x348000))
  "$cli" build --app-dir "$work" "$work/PROJECTS/P" >/dev/null 2>&1
  bin="$work/PROJECTS/P/bin"
  firmware="$work/PROJECTS/P/New_sx48802.sx"
  "$verify" "$base" "$bin" "$firmware" || { echo "compare-verify: the built firmware does not verify" >&2; exit 1; }
  if [ "$place" = /dev/shm ]; then where=memory; else where=disk; fi
  srec=(srec_cat "$base" -exclude 0x388000 0x38C000 -exclude 0x398000 0x39C000
        "$bin/bank1.bin" -binary -offset 0x388000 "$bin/bank2.bin" -binary -offset 0x398000 -o "$work/out/srec_cat.sx")
  for measure in best_ms best_cpu_ms; do
    p=$($measure 15 cp "$base" "$work/out/copy.sx")
    s=$($measure 5 "${srec[@]}")
    cv=$($measure 15 "$verify" --compose "$base" "$bin" "$work/out")
    v=$($measure 15 "$verify" "$base" "$bin" "$firmware")
    c=$($measure 15 "$cli" verify --app-dir "$work" "$work/PROJECTS/P")
    if [ "$measure" = best_ms ]; then kind=wall; else kind=cpu; fi
    awk -v w="$where $kind" -v p="$p" -v s="$s" -v cv="$cv" -v v="$v" -v c="$c" \
      'BEGIN { printf "%-13s %10.2f %10.2f %10.2f %10.2f %10.2f %15.1fx %15.2fx %11.2fx %11.2fx\n", w, p, s, cv, v, c, s / cv, cv / p, v / p, c / p }'
  done
done
echo "targets: srec/(c+v) at least 8x, (c+v)/cp at most 4x, verify/cp and cli/cp at most 2x"
