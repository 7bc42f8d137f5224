#!/usr/bin/env bash
# Starts the application on the demo workspace of the build tree.
set -euo pipefail
build="${1:-build}"
app="$build/src/app/zuzududada"
workspace="$build/workspace"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "No display is available: run it under a virtual display with 'xvfb-run -a make run'."
  exit 1
fi
exec "$app" --app-dir "$workspace"
