#!/usr/bin/env bash
# Times the XML text parser against xmllint --noout on the same generated document of about
# 10 MB, in the same run, and prints the ratio of the mean times (below 1: ours is faster).
# Usage: bench/xml_parse.sh BUILD_DIR
set -euo pipefail
build="${1:?usage: bench/xml_parse.sh BUILD_DIR}"
ours="$build/src/xmltools/xml-parse-only"
[ -x "$ours" ] || { echo "xml_parse: $ours is not built"; exit 1; }
command -v xmllint > /dev/null || { echo "xml_parse: xmllint is not installed (libxml2-utils)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
doc="$work/generated.xml"

# Rows with attributes, references, text, CDATA, comments, instructions and some nesting.
awk 'BEGIN {
  printf "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?generator bench?>\n<!-- generated -->\n<project>\n"
  size = 0
  for (i = 0; size < 10 * 1024 * 1024; i++) {
    note = substr("nnnnnnn", 1, i % 7); word = substr("wwwwwwwwwww", 1, i % 11)
    row = sprintf("  <row id=\"%d\" code=\"0x%04X\" name=\"node &amp; %d\" note=\047%s\047>\n" \
                  "    <value unit=\"ms\">%d</value>\n" \
                  "    <text>Line %d &lt;%s&gt; &#65;&#x42;</text>\n" \
                  "    <!-- row %d -->\n" \
                  "    <data><![CDATA[raw <%d> & more]]></data>\n" \
                  "    <group a=\"1\" b=\"2\"><item k=\"x\"/><item k=\"y\">t</item></group>\n" \
                  "  </row>\n", i, i % 65536, i, note, (i * 7919) % 100000, i, word, i, i)
    printf "%s", row
    size += length(row)
  }
  printf "</project>\n"
}' > "$doc"
bytes=$(stat -c %s "$doc")
"$ours" "$doc" || { echo "xml_parse: the generated document was refused"; exit 1; }
xmllint --noout "$doc"
echo "== xml_parse: $bytes bytes"

if command -v hyperfine > /dev/null; then
  hyperfine --warmup 2 --runs 15 --style basic --export-csv "$work/times.csv" \
    -n xml-parse-only "$ours $doc" -n "xmllint --noout" "xmllint --noout $doc"
  # CSV: command,mean,stddev,... in seconds, ours first.
  awk -F, 'NR == 2 { o = $2 } NR == 3 { x = $2 }
    END { printf "xml_parse: ours %.1f ms, xmllint %.1f ms, ratio ours/xmllint = %.2f\n", o * 1000, x * 1000, o / x }' \
    "$work/times.csv"
else
  mean_ms() {
    local runs=10 start end
    start=$(date +%s%N)
    for _ in $(seq $runs); do "$@" > /dev/null; done
    end=$(date +%s%N)
    echo $(( (end - start) / runs / 1000000 ))
  }
  o=$(mean_ms "$ours" "$doc")
  x=$(mean_ms xmllint --noout "$doc")
  echo "xml_parse: ours ${o} ms, xmllint ${x} ms, ratio ours/xmllint = $(awk -v a="$o" -v b="$x" 'BEGIN{printf "%.2f", a/b}')"
fi
