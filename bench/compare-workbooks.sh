#!/usr/bin/env bash
# Reads the benchmark's 20,000-row workbooks (.xls and .xlsx) with read_workbook and, where they
# are installed, with two independent reference readers of the Python world, and prints the
# processor time of the best of five whole runs of each and how many times faster read_workbook was.
set -euo pipefail
build="${1:-build}"
tools="$build/bench"
[ -x "$tools/read_workbook" ] && [ -x "$tools/write_sample_workbooks" ] || { echo "compare-workbooks: build first"; exit 0; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tools/write_sample_workbooks" "$dir"

# The least processor time (user and system) of five runs of a command, in milliseconds:
# unlike the wall time, it does not grow with what else the machine runs meanwhile.
best() {
  local best= TIMEFORMAT='%3U %3S' spent
  for _ in 1 2 3 4 5; do
    spent=$( { time "$@" >/dev/null 2>&1; } 2>&1 )
    local ms
    ms=$(awk -v t="$spent" 'BEGIN { split(t, p, " "); printf "%d", (p[1] + p[2]) * 1000 }')
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

# The first Python that has the module (the system's own may differ from one first on PATH).
python_with() {
  for py in python3 /usr/bin/python3; do
    if command -v "$py" >/dev/null && "$py" -c "import $1" 2>/dev/null; then echo "$py"; return 0; fi
  done
  return 1
}

reference() { # FORMAT: a script reading every cell of every sheet, or nothing
  case "$1" in
    xls) python_with xlrd >/dev/null &&
         echo 'import sys, xlrd
b = xlrd.open_workbook(sys.argv[1])
print(sum(len(s.row_values(r)) for s in b.sheets() for r in range(s.nrows)))' ;;
    xlsx) python_with openpyxl >/dev/null &&
          echo 'import sys, openpyxl
b = openpyxl.load_workbook(sys.argv[1], read_only=True, data_only=True)
print(sum(len(r) for s in b.worksheets for r in s.iter_rows(values_only=True)))' ;;
  esac
}

for format in xls xlsx; do
  file="$dir/sample.$format"
  ours=$(best "$tools/read_workbook" "$file")
  line="workbook $format, 20000 rows: read_workbook ${ours} ms"
  if script=$(reference "$format") && [ -n "$script" ]; then
    echo "$script" > "$dir/reference.py"
    py=$(python_with "$([ "$format" = xls ] && echo xlrd || echo openpyxl)")
    theirs=$(best "$py" "$dir/reference.py" "$file")
    line="$line, reference reader ${theirs} ms, $(awk -v a="$theirs" -v b="$ours" 'BEGIN { printf "%.1f", a / (b > 0 ? b : 1) }') times as fast"
  else
    line="$line (no reference reader installed)"
  fi
  echo "$line"
done
