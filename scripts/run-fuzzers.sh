#!/usr/bin/env bash
# Runs every fuzzer of the fuzz build for a bounded time, each on its own corpus directory.
set -euo pipefail
build="$1"
seconds="${2:-60}"
shopt -s nullglob
found=0
for fuzzer in "$build"/fuzz/fuzz_*; do
  [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
  found=1
  name=$(basename "$fuzzer")
  corpus="$build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name#fuzz_}"
  echo "== $name for ${seconds}s"
  if [ -d "$seeds" ]; then
    "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$corpus" "$seeds"
  else
    "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$corpus"
  fi
done
[ "$found" -eq 1 ] || { echo "no fuzzers were built"; exit 1; }
