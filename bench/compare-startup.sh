#!/usr/bin/env bash
# The application's start-up against a bare Qt window with one label, in one run: the time from
# the program's start to its first mapped top-level window, the best of several starts, on a
# virtual display of its own.
# Usage: bench/compare-startup.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
probe="$build/bench/first_mapped_window"
bare="$build/bench/bare_qt_window"
app="$build/src/app/zuzududada"
for tool in "$probe" "$bare" "$app"; do
  [ -x "$tool" ] || { echo "compare-startup: $tool is missing; build first_mapped_window, bare_qt_window and zuzududada" >&2; exit 1; }
done
if [ -z "${DISPLAY:-}" ]; then
  command -v xvfb-run > /dev/null || { echo "compare-startup: no display and no xvfb-run (Debian package xvfb); skipped" >&2; exit 0; }
  exec xvfb-run -a -s "-screen 0 1366x768x24" bash "$0" "$@"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
runs="${STARTUP_RUNS:-15}"
# A workspace of its own, made by a first start, so that the timed starts find it in place.
"$probe" "$app" --app-dir "$work/app" > /dev/null

best() {
  local best=""
  for _ in $(seq "$runs"); do
    local ms
    ms="$(QT_QPA_PLATFORM=xcb "$probe" "$@")"
    if [ -z "$best" ] || awk -v a="$ms" -v b="$best" 'BEGIN { exit !(a < b) }'; then best="$ms"; fi
  done
  echo "$best"
}
bare_ms="$(best "$bare")"
app_ms="$(best "$app" --app-dir "$work/app")"
printf '%-22s %12s\n' program first_window_ms
printf '%-22s %12s\n' bare_qt_window "$bare_ms" zuzududada "$app_ms"
awk -v a="$app_ms" -v b="$bare_ms" 'BEGIN { printf "zuzududada / bare Qt window: %.2fx (goal: at most 1.5x)\n", a / b }'
