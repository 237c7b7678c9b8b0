#!/usr/bin/env bash
# Times the calculation sheet as whole processes: `qrn pdf` (one A4 page) and
# `qrn jw` (the JW-CAD coordinate file) on the three-storey example, with
# hyperfine, and prints the median of each.
#
#   bench/sheet.sh [QRN] [RUNS]
#
# QRN defaults to build/bin/qrn (run scripts/setup first), RUNS to 30.
# The aim is a full sheet to PDF in under 0.25 s per process.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
qrn="${1:-$root/build/bin/qrn}"
runs="${2:-30}"
sheet="$root/examples/sankai-kyofu.qrn"

command -v hyperfine >/dev/null || { echo "hyperfine is not installed (Debian package hyperfine)" >&2; exit 2; }
[ -x "$qrn" ] || { echo "no qrn at $qrn: build first (scripts/setup)" >&2; exit 2; }
[ -f "$sheet" ] || { echo "missing example $sheet" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Settings of its own, with the office block printed, so the full sheet is drawn.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Quiren" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cat > "$XDG_CONFIG_HOME/Quiren/Quiren.ini" <<'INI'
[OfficeData]
Type=True
Name=設計 太郎
RegstNumber=123456
OfficeName=見本設計事務所
OfficeRegst=東京都知事登録 第12345
Address=東京都千代田区丸の内一丁目1番1号
Tel=03-1234-5678
Fax=03-1234-5679
Print=1
INI

hyperfine --style basic --warmup 3 --runs "$runs" --export-json "$work/times.json" \
    -n "qrn pdf" "'$qrn' pdf '$sheet' -o '$work/sheet.pdf'" \
    -n "qrn jw" "'$qrn' jw '$sheet' -o '$work/Qrn_JW.txt'"

python3 - "$work/times.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
print()
for r in results:
    verdict = ""
    if r["command"] == "qrn pdf":
        verdict = "  (aim: under 0.25 s: %s)" % ("met" if r["median"] < 0.25 else "NOT met")
    print("median %-8s %.3f s%s" % (r["command"], r["median"], verdict))
PY
