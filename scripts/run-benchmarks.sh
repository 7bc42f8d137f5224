#!/usr/bin/env bash
# Runs every benchmark of the build: the Google Benchmark programs, then the comparison
# scripts against peer tools.
set -euo pipefail
build="$1"
shopt -s nullglob
for b in "$build"/bench/bench_*; do
  if [ -f "$b" ] && [ -x "$b" ]; then "$b"; fi
done
for s in bench/*.sh; do
  bash "$s" "$build"
done
