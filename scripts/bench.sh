#!/usr/bin/env bash
# Speed and memory of job files and of velquira-cli: builds, then prints the
# figures. Goals: saving and opening a 32,767-box job each under one second;
# `velquira-cli textos` streams, so its peak memory does not grow with the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh time
bash scripts/build.sh

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

echo "== Job file at the box limit"
build/bin/bench_archivo

# Seconds from GNU time's "h:mm:ss" or "m:ss.cc".
segundos() {
  awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; printf "%.2f", s }' <<<"$1"
}

echo
echo "== velquira-cli textos (output to /dev/null)"
printf '%-10s %10s %12s\n' sheets "wall (s)" "peak RSS (MiB)"
for hojas in 10000 100000; do
  trabajo="$tmp/tirada_$hojas.zul"
  build/bin/bench_archivo --tirada "$hojas" "$trabajo"
  # Settings in a scratch folder: the stored sheet must not come from the user's.
  if ! VELQUIRA_AJUSTES="$tmp/ajustes" /usr/bin/time -v -o "$tmp/time_$hojas" \
    build/bin/velquira-cli textos "$trabajo" >/dev/null 2>"$tmp/errores"; then
    cat "$tmp/errores" >&2
    exit 1
  fi
  reloj="$(sed -n 's/.*Elapsed (wall clock) time.*: //p' "$tmp/time_$hojas")"
  rss="$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$tmp/time_$hojas")"
  printf '%-10s %10s %12.1f\n' "$hojas" "$(segundos "$reloj")" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
done
# The line count proves the long run printed every sheet.
lineas="$(VELQUIRA_AJUSTES="$tmp/ajustes" build/bin/velquira-cli textos "$tmp/tirada_100000.zul" 2>/dev/null | wc -l)"
echo "lines printed for 100000 sheets: $lineas"
[ "$lineas" -eq 100000 ]

echo
echo "== velquira-cli info with a large settings file"
printf '%-22s %10s %12s\n' "settings file" "wall (s)" "peak RSS (MiB)"
# Sections of a printer correction each, as many as fill the size.
ajustes_de() {
  mkdir -p "$2"
  awk -v tam="$1" 'BEGIN { print "[Settings]"; print "Cifras=7"; n = 20;
    for (i = 0; n < tam; i++) { s = sprintf("[Impresora%d]\nXx=1\nYx=2", i); print s; n += length(s) + 1 } }' \
    >"$2/ZUL Velquira.ini"
  cp "$2/ZUL Velquira.ini" "$2/ZUL Velquira®.ini"
}
for tam in 260000 44000000; do
  ajustes_de "$tam" "$tmp/ajustes_$tam"
  VELQUIRA_AJUSTES="$tmp/ajustes_$tam" /usr/bin/time -v -o "$tmp/time_aj_$tam" \
    build/bin/velquira-cli info "$tmp/tirada_10000.zul" >/dev/null 2>&1
  reloj="$(sed -n 's/.*Elapsed (wall clock) time.*: //p' "$tmp/time_aj_$tam")"
  rss="$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$tmp/time_aj_$tam")"
  printf '%-22s %10s %12.1f\n' "$tam bytes (x2)" "$(segundos "$reloj")" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
done
