#!/usr/bin/env bash
# PDF export throughput and memory: velquira-cli pdf on a run of N sheets with
# four boxes (one interleaved series), against the same document written by
# bench/tirada_reportlab.py; and velquira-cli's peak memory at 1,000 and
# 32,767 sheets. Prints a table; writes nothing outside a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh time python3-reportlab fonts-liberation2
bash scripts/build.sh >/dev/null

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
export VELQUIRA_AJUSTES="$tmp/ajustes"

# A4 portrait, four boxes programmed as one series: 1 2 3 4 / 5 6 7 8 / ...
trabajo() {
  local hojas=$1 fin=$(($1 * 4))
  {
    printf '%s\r\n' '<{ZUL54-091-560202}>' ' 310 ' ' 500 ' ' 10 ' ' 16840 ' ' 11907 ' ' 0,5 '
    local j=0
    for xy in "567 567" "5670 567" "567 5670" "5670 5670"; do
      set -- $xy
      printf '%s\r\n' '***&&&***' " $j " False False Arial ' 12 ' False False True ' 6 ' \
        " $fin " " $((1 + j)) " ' 4 ' True " $1 " ' ' ' ' " $2 " ' 0 ' False ' 0 ' ' 0 '
      j=$((j + 1))
    done
  } > "$tmp/tirada_$hojas.zul"
}

medir() { # label, command... -> "seconds peakMiB"
  /usr/bin/time -f '%e %M' -o "$tmp/t" "$@" >/dev/null 2>"$tmp/err" || { cat "$tmp/err" >&2; exit 1; }
  awk '{ printf "%s %.1f", $1, $2 / 1024 }' "$tmp/t"
}

printf '%-34s %8s %10s\n' "" "seconds" "peak MiB"
for hojas in 10000; do
  trabajo $hojas
  read -r sv mv <<<"$(medir build/bin/velquira-cli pdf "$tmp/tirada_$hojas.zul" "$tmp/v.pdf")"
  read -r sr mr <<<"$(medir /usr/bin/python3 bench/tirada_reportlab.py $hojas "$tmp/r.pdf")"
  printf '%-34s %8s %10s\n' "velquira-cli pdf, $hojas sheets" "$sv" "$mv"
  printf '%-34s %8s %10s\n' "reportlab script, $hojas sheets" "$sr" "$mr"
  printf '%-34s %8s\n' "ratio velquira / reportlab" "$(awk -v a="$sv" -v b="$sr" 'BEGIN { printf "%.2f", a / b }')"
  printf '%-34s %8s %10s\n' "file sizes (KiB)" "$(( $(stat -c %s "$tmp/v.pdf") / 1024 ))" "$(( $(stat -c %s "$tmp/r.pdf") / 1024 ))"
done
for hojas in 1000 32767; do
  trabajo $hojas
  read -r s m <<<"$(medir build/bin/velquira-cli pdf "$tmp/tirada_$hojas.zul" "$tmp/v.pdf")"
  printf '%-34s %8s %10s\n' "velquira-cli pdf, $hojas sheets" "$s" "$m"
done
