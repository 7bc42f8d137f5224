#!/usr/bin/env bash
# Remakes the spreadsheet fixtures of the CANopen import tests from their flat OpenDocument
# sources: every tests/editors/canopen/fixtures/NAME.fods gives NAME.xls, NAME.xlsx, NAME.ods and
# NAME-xlsx.ods (NAME.xlsx converted to .ods).
# Needs LibreOffice Calc (only for this script; the tests use the committed workbooks).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=tests/editors/canopen/fixtures
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
for source in "$dir"/*.fods; do
  for target in 'xls:MS Excel 97' 'xlsx:Calc MS Excel 2007 XML' 'ods:calc8'; do
    soffice -env:UserInstallation="file://$profile" --headless \
      --convert-to "$target" --outdir "$dir" "$source" >/dev/null
  done
  # The .xlsx converted once more, as engineers turn their workbooks into .ods.
  xlsx="${source%.fods}.xlsx"
  soffice -env:UserInstallation="file://$profile" --headless --convert-to ods --outdir "$profile/out" "$xlsx" >/dev/null
  mv "$profile/out/$(basename "${xlsx%.xlsx}").ods" "${source%.fods}-xlsx.ods"
  echo "remade $(basename "${source%.fods}").xls, .xlsx, .ods and -xlsx.ods"
done
