#!/usr/bin/env bash
# Times `qrn show` against settings files of growing size: the program's own
# few keys, then 100,000 and 1,000,000 junk keys beside them. The settings
# are parsed once per process, so 100,000 keys cost one parse (well under a
# second); a file of 1,000,000 keys is beyond the size the program reads and
# is refused at once with a message. Prints the median of each; nothing fails
# on a slow result.
#
#   bench/settings.sh [QRN] [RUNS]
#
# QRN defaults to build/bin/qrn, RUNS to 10.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
qrn="${1:-$root/build/bin/qrn}"
runs="${2:-10}"
sheet="$root/examples/nikai.qrn"
[ -x "$qrn" ] || { echo "no qrn at $qrn: build first (scripts/setup)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Quiren" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
ini="$XDG_CONFIG_HOME/Quiren/Quiren.ini"

median() {   # seconds of RUNS runs of qrn show, the middle one
  local times=()
  for _ in $(seq 1 "$runs"); do
    local start end
    start=$(date +%s.%N)
    "$qrn" show "$sheet" >/dev/null 2>&1
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc)")
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}

for keys in 0 100000 1000000; do
  { printf '[Settings]\nPafKind=False\nMod=1\n[Junk]\n'; [ "$keys" -gt 0 ] && seq 1 "$keys" | sed 's/.*/key&=junk value &/'; } >"$ini" || true
  printf '%-10s keys  %8s bytes  qrn show median %ss\n' "$keys" "$(stat -c %s "$ini")" "$(median)"
done
