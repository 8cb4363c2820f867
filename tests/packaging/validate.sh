#!/usr/bin/env bash
# Checks the desktop entry and the AppStream data with the desktop's own
# validators; skipped (77) when they are not installed.
set -euo pipefail
resources=$1
id=io.github.staffelplan.Staffelplan
for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool not installed: skipped"
    exit 77
  fi
done
# desktop-file-validate exits 0 on hints too; treat any output as a failure.
out=$(desktop-file-validate "$resources/$id.desktop" 2>&1) || { echo "$out"; exit 1; }
if [[ -n $out ]]; then
  echo "$out"
  exit 1
fi
appstreamcli validate --no-net "$resources/$id.metainfo.xml"
