#!/usr/bin/env bash
# Composes banks 1 and 2 into generated base firmwares of about 1 MB and 8 MB, and sets the
# time against srec_cat doing the same merge and against a plain copy of the base firmware,
# in the same run: the composition alone (compose_firmware), and the command line's whole
# build of the demo project on that base firmware (zuzududada-cli build: the documents read,
# the bank files written, the base firmware checked, the merge, the read-back and its
# verification). Usage: bench/compare-compose.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
compose="$build/bench/compose_firmware"
generate="$build/src/firmware/demo/make_demo_firmware"
cli="$build/src/app/zuzududada-cli"
for tool in "$compose" "$generate" "$cli"; do
  [ -x "$tool" ] || { echo "compare-compose: $tool is missing; build the targets compose_firmware, make_demo_firmware and zuzududada-cli" >&2; exit 1; }
done
if ! command -v srec_cat >/dev/null; then
  echo "compare-compose: srec_cat is not installed (Debian package srecord); skipped" >&2
  exit 0
fi

source "$(dirname "$0")/timing.sh"

# Median wall-clock milliseconds of each command with hyperfine, in the order given, then the
# mean processor milliseconds (user + system) of each: on a busy machine the second set shows
# the work itself, without the time spent waiting for a processor.
hyperfine_ms() {
  local json="$work/hyperfine.json"
  hyperfine -N --warmup 3 --min-runs 30 --style none --export-json "$json" "$@" >/dev/null 2>&1
  python3 -c 'import json,sys
r = json.load(open(sys.argv[1]))["results"]
print(" ".join("%.3f" % (x["median"] * 1000) for x in r), " ".join("%.3f" % ((x["user"] + x["system"]) * 1000) for x in r))' "$json"
}

printf '%-8s %-9s %-5s %11s %9s %12s %9s %13s %11s %9s %8s\n' base place time compose_ms build_ms srec_cat_ms cp_ms srec/compose compose/cp srec/build build/cp
for place in "${places[@]}"; do
  work="$(mktemp -d "$place/zz-bench-compose-XXXXXX")"
  cleanup+=("$work")
  mkdir -p "$work/bin" "$work/out"
  head -c 16384 /dev/urandom > "$work/bin/bank1.bin"
  head -c 16384 /dev/urandom > "$work/bin/bank2.bin"
  if [ "$place" = /dev/shm ]; then where=memory; else where=disk; fi
  for size in 1 8; do
    if [ "$size" = 1 ]; then end=$((0x380000 + 0x68000)); else end=$((0x380000 + 0x348000)); fi
    base="$work/sx${size}mb.sx"
    "$generate" "$base" 0x380000 "$end"
    app="$work/app$size"
    mkdir -p "$app/MASTER" "$app/PROJECTS"
    cp "$base" "$app/MASTER/sx48802.sx"
    cp -r "$source_dir/demo/workspace/PROJECTS/Demo" "$app/PROJECTS/P"
    "$cli" build --app-dir "$app" "$app/PROJECTS/P" >/dev/null 2>&1 || { echo "compare-compose: the build of the demo project failed" >&2; exit 1; }
    b_cmd=("$cli" build --app-dir "$app" "$app/PROJECTS/P")
    c_cmd=("$compose" "$base" "$work/bin" "$work/out")
    s_cmd=(srec_cat "$base" -exclude 0x388000 0x38C000 -exclude 0x398000 0x39C000
           "$work/bin/bank1.bin" -binary -offset 0x388000 "$work/bin/bank2.bin" -binary -offset 0x398000
           -o "$work/out/srec_cat.sx")
    p_cmd=(cp "$base" "$work/out/copy.sx")
    if command -v hyperfine >/dev/null && command -v python3 >/dev/null; then
      read -r c d s p cc dc sc pc < <(hyperfine_ms "${c_cmd[*]}" "${b_cmd[*]}" "${s_cmd[*]}" "${p_cmd[*]}")
    else
      c=$(best_ms 15 "${c_cmd[@]}"); d=$(best_ms 15 "${b_cmd[@]}"); s=$(best_ms 5 "${s_cmd[@]}"); p=$(best_ms 15 "${p_cmd[@]}")
      cc=$(best_cpu_ms 15 "${c_cmd[@]}"); dc=$(best_cpu_ms 15 "${b_cmd[@]}"); sc=$(best_cpu_ms 5 "${s_cmd[@]}")
      pc=$(best_cpu_ms 15 "${p_cmd[@]}")
    fi
    kb="$(( $(stat -c %s "$base") / 1024 ))KB"
    row='{ printf "%-8s %-9s %-5s %11.2f %9.2f %12.2f %9.2f %12.1fx %10.2fx %8.1fx %7.2fx\n", b, w, t, c, d, s, p, s / c, c / p, s / d, d / p }'
    awk -v b="$kb" -v w="$where" -v t=wall -v c="$c" -v d="$d" -v s="$s" -v p="$p" "BEGIN $row"
    awk -v b="$kb" -v w="$where" -v t=cpu -v c="$cc" -v d="$dc" -v s="$sc" -v p="$pc" "BEGIN $row"
  done
done
echo "targets: srec/build at least 8x, build/cp at most 4x"
