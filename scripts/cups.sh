#!/usr/bin/env bash
# Starts a CUPS server with a virtual PDF printer of the tests' own:
#   queue VelquiraPrueba -> PDF files in /var/spool/velquira-pdf
# Its paper has an unprintable margin (0.25 in left and right, 0.5 in top and
# bottom) so the printable-area offset is exercised. Idempotent.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cups cups-client cups-bsd printer-driver-cups-pdf ghostscript poppler-utils

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
COLA=VelquiraPrueba
SALIDA=/var/spool/velquira-pdf

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  $SUDO cupsd
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.2
  done
fi
lpstat -r | grep -q "is running" || { echo "CUPS no arranca" >&2; exit 1; }

# One cups-pdf instance of our own: its output folder, plain file names.
conf=/etc/cups/cups-pdf-velquira.conf
if [ ! -f "$conf" ]; then
  printf 'Out %s\nAnonDirName %s\nLabel 1\nTitlePref 0\n' "$SALIDA" "$SALIDA" | $SUDO tee "$conf" >/dev/null
fi
$SUDO mkdir -p "$SALIDA"
$SUDO chmod 1777 "$SALIDA"

if ! lpstat -p "$COLA" >/dev/null 2>&1; then
  ppd="$(mktemp --suffix=.ppd)"
  sed -e 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "18 36 577 806"|' \
      -e 's|^\*ImageableArea Letter/US Letter: .*|*ImageableArea Letter/US Letter: "18 36 594 756"|' \
      -e 's|^\*NickName: .*|*NickName: "Velquira prueba PDF"|' \
      /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd > "$ppd"
  $SUDO lpadmin -p "$COLA" -E -v cups-pdf:/velquira -P "$ppd" -o PageSize=A4
  rm -f "$ppd"
fi
echo "Impresora de prueba: $COLA -> $SALIDA"
