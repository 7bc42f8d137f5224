# Shared by the firmware benchmarks (sourced): where their files go, their removal, and the
# timing of one command.

# The files go on the disk of the build tree, where projects live, and once more into memory
# (/dev/shm) when there is one: there the figures leave out the disk's share of every write.
places=("$build")
[ -d /dev/shm ] && [ -w /dev/shm ] && places+=(/dev/shm)
cleanup=()
trap 'rm -rf "${cleanup[@]}"' EXIT

# Wall-clock milliseconds of one command, the best of N runs (used without hyperfine).
best_ms() {
  local runs="$1"; shift
  local best=""
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    local ms=$(( (end - start) / 1000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.3f", us / 1000 }'
}

# Processor milliseconds (user + system) of one command, the best of N runs: on a busy machine
# this shows the work itself, without the time spent waiting for a processor.
best_cpu_ms() {
  local runs="$1"; shift
  python3 - "$runs" "$@" <<'PY'
import resource, subprocess, sys
runs, command = int(sys.argv[1]), sys.argv[2:]
best = None
for _ in range(runs):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    used = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    best = used if best is None else min(best, used)
print("%.3f" % (best * 1000))
PY
}
