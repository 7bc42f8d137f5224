#!/usr/bin/env bash
# The workbook readers against independent reference readers of the Python world, where they
# are installed, and the command line on a large CSV file, all in this one run:
#  - 20,000-row .xls and .xlsx: the processor time of the best of five whole runs of
#    read_workbook and of the reference reader, and how many times faster read_workbook was;
#  - a 60,000-row .xlsx sheet: the best time of three runs and the peak memory (the largest
#    resident set of the whole process) of read_workbook and of openpyxl's read-only mode;
#  - a 64 MB CSV file of 985,000 rows: time and peak memory of "zuzududada-cli import" (into
#    the SDO table) and of "sheets --all", in text and in JSON.
set -euo pipefail
build="${1:-build}"
tools="$build/bench"
cli="$build/src/app/zuzududada-cli"
[ -x "$tools/read_workbook" ] && [ -x "$tools/write_sample_workbooks" ] || { echo "compare-workbooks: build first"; exit 0; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/small" "$dir/large" "$dir/project"
"$tools/write_sample_workbooks" "$dir/small"
"$tools/write_sample_workbooks" "$dir/large" 60000 985000

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

# "MS MB": the least processor time of three runs of a command and the largest peak resident
# set of them, in megabytes, as /usr/bin/time measures the whole process.
measure() {
  local best= peak=0 user sys kb ms
  for _ in 1 2 3; do
    /usr/bin/time -f '%U %S %M' -o "$dir/time.out" "$@" >/dev/null 2>&1 || true
    read -r user sys kb < <(tail -n 1 "$dir/time.out")
    ms=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%d", (u + s) * 1000 }')
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    if [ "$kb" -gt "$peak" ]; then peak=$kb; fi
  done
  echo "$best $(( (peak + 1023) / 1024 ))"
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

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / (b > 0 ? b : 1) }'; }

for format in xls xlsx; do
  file="$dir/small/sample.$format"
  ours=$(best "$tools/read_workbook" "$file")
  line="workbook $format, 20000 rows: read_workbook ${ours} ms"
  if script=$(reference "$format") && [ -n "$script" ]; then
    echo "$script" > "$dir/reference.py"
    py=$(python_with "$([ "$format" = xls ] && echo xlrd || echo openpyxl)")
    theirs=$(best "$py" "$dir/reference.py" "$file")
    line="$line, reference reader ${theirs} ms, $(ratio "$theirs" "$ours") times as fast"
  else
    line="$line (no reference reader installed)"
  fi
  echo "$line"
done

if [ ! -x /usr/bin/time ]; then
  echo "workbook xlsx, 60000 rows, and CSV, 64 MB: not measured (no /usr/bin/time)"
  exit 0
fi

read -r ours oursMb < <(measure "$tools/read_workbook" "$dir/large/sample.xlsx")
line="workbook xlsx, 60000 rows: read_workbook ${ours} ms, ${oursMb} MB"
if script=$(reference xlsx) && [ -n "$script" ]; then
  echo "$script" > "$dir/reference.py"
  read -r theirs theirsMb < <(measure "$(python_with openpyxl)" "$dir/reference.py" "$dir/large/sample.xlsx")
  line="$line; openpyxl read-only ${theirs} ms, ${theirsMb} MB; $(ratio "$theirs" "$ours") times as fast in $(ratio "$oursMb" "$theirsMb") of the memory"
else
  line="$line (openpyxl not installed)"
fi
echo "$line"

if [ -x "$cli" ]; then
  csv="$dir/large/sdo.csv"
  read -r importMs importMb < <(measure "$cli" import "$dir/project" sdo "$csv")
  read -r textMs textMb < <(measure "$cli" sheets --all "$csv")
  read -r jsonMs jsonMb < <(measure "$cli" sheets --json --all "$csv")
  echo "CSV, $(( $(stat -c %s "$csv") / 1000000 )) MB: import ${importMs} ms, ${importMb} MB; sheets ${textMs} ms, ${textMb} MB; sheets --json ${jsonMs} ms, ${jsonMb} MB"
else
  echo "CSV, 64 MB: not measured (no zuzududada-cli in $build)"
fi
