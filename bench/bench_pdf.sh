#!/usr/bin/env bash
# PDF export throughput, memory and size: velquira-cli pdf on a run of N
# sheets with four boxes (one interleaved series, the fourth box turned 90
# degrees), written by the program's own writer and by Qt's painter
# (VELQUIRA_PDF=qt), against the same document written by
# bench/tirada_reportlab.py; at 1,000, 10,000 and 32,767 sheets. Each figure
# is the best of three runs (peak memory: the largest). Prints a table;
# writes nothing outside a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh time python3-reportlab fonts-liberation2 poppler-utils
bash scripts/build.sh >/dev/null

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
export VELQUIRA_AJUSTES="$tmp/ajustes"
rondas=${RONDAS:-3}

# A4 portrait, four boxes programmed as one series: 1 2 3 4 / 5 6 7 8 / ...
trabajo() {
  local hojas=$1 fin=$(($1 * 4))
  {
    printf '%s\r\n' '<{ZUL54-091-560202}>' ' 310 ' ' 500 ' ' 10 ' ' 16840 ' ' 11907 ' ' 0,5 '
    local j=0
    for xyr in "567 567 0" "5670 567 0" "567 5670 0" "5670 5670 90"; do
      set -- $xyr
      printf '%s\r\n' '***&&&***' " $j " False False Arial ' 12 ' False False True ' 6 ' \
        " $fin " " $((1 + j)) " ' 4 ' True " $1 " ' ' ' ' " $2 " ' 0 ' False " $3 " ' 0 '
      j=$((j + 1))
    done
  } > "$tmp/tirada_$hojas.zul"
}

# Best seconds and largest peak MiB of $rondas runs of the command.
medir() {
  local mejor="" pico=0
  for _ in $(seq "$rondas"); do
    /usr/bin/time -f '%e %M' -o "$tmp/t" "$@" >/dev/null 2>"$tmp/err" || { cat "$tmp/err" >&2; exit 1; }
    read -r s m <"$tmp/t"
    mejor=$(awk -v a="$mejor" -v b="$s" 'BEGIN { print (a == "" || b < a) ? b : a }')
    pico=$(( m > pico ? m : pico ))
  done
  awk -v s="$mejor" -v m="$pico" 'BEGIN { printf "%s %.1f", s, m / 1024 }'
}

kib() { echo $(( $(stat -c %s "$1") / 1024 )); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

printf '%-8s %-26s %8s %9s %10s\n' "sheets" "writer" "seconds" "peak MiB" "file KiB"
for hojas in 1000 10000 32767; do
  trabajo "$hojas"
  z="$tmp/tirada_$hojas.zul"
  read -r sp mp <<<"$(medir build/bin/velquira-cli pdf "$z" "$tmp/p.pdf")"
  if grep -q "motor de Qt" "$tmp/err"; then cat "$tmp/err" >&2; exit 1; fi
  read -r sq mq <<<"$(medir env VELQUIRA_PDF=qt build/bin/velquira-cli pdf "$z" "$tmp/q.pdf")"
  read -r sr mr <<<"$(medir /usr/bin/python3 bench/tirada_reportlab.py "$hojas" "$tmp/r.pdf")"
  # The two exports carry the same text.
  cmp -s <(pdftotext "$tmp/p.pdf" -) <(pdftotext "$tmp/q.pdf" -) ||
    { echo "the two exports of $hojas sheets differ in their text" >&2; exit 1; }
  printf '%-8s %-26s %8s %9s %10s\n' "$hojas" "velquira-cli pdf (own)" "$sp" "$mp" "$(kib "$tmp/p.pdf")"
  printf '%-8s %-26s %8s %9s %10s\n' "$hojas" "velquira-cli pdf (Qt)" "$sq" "$mq" "$(kib "$tmp/q.pdf")"
  printf '%-8s %-26s %8s %9s %10s\n' "$hojas" "reportlab script" "$sr" "$mr" "$(kib "$tmp/r.pdf")"
  printf '%-8s %-26s %8s\n' "$hojas" "ratio own / reportlab" "$(ratio "$sp" "$sr")"
  printf '%-8s %-26s %8s\n' "$hojas" "ratio Qt / reportlab" "$(ratio "$sq" "$sr")"
  printf '%-8s %-26s %8s\n' "$hojas" "ratio own / Qt" "$(ratio "$sp" "$sq")"
done
