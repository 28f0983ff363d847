#!/usr/bin/env bash
# Installs the build the way the Debian package does and checks what a
# desktop reads of it: the files and nothing else, the menu entry and the
# metainfo as their validators see them, the job type as the desktop's MIME
# lookup finds it (also for a renamed job), the manual page against
# `velquira-cli --help`, and the .deb's contents and computed dependencies.
#   test_instalacion.sh BUILD_DIR CMAKE CPACK VERSION SOURCE_DIR
# The tools come from Debian packages test.sh installs.
set -euo pipefail
build=$1 cmake=$2 cpack=$3 version=$4 fuente=$5

falla() {
    echo "FALLA: $*" >&2
    exit 1
}
for h in desktop-file-validate appstreamcli update-mime-database update-desktop-database gio man \
    dpkg-deb dpkg-shlibdeps; do
    command -v "$h" >/dev/null || falla "falta $h (bash scripts/deps.sh, véase test.sh)"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export VELQUIRA_AJUSTES=$tmp/ajustes LC_ALL=C.UTF-8

# --- cmake --install into a scratch root, as a package installs under /usr.
raiz=$tmp/raiz
DESTDIR=$raiz "$cmake" --install "$build" --prefix /usr >"$tmp/instalar.log" ||
    { cat "$tmp/instalar.log" >&2; falla "cmake --install"; }
esperados=(
    usr/bin/velquira
    usr/bin/velquira-cli
    usr/share/applications/velquira.desktop
    usr/share/icons/hicolor/scalable/apps/velquira.svg
    usr/share/man/man1/velquira-cli.1.gz
    usr/share/metainfo/com.zul.velquira.metainfo.xml
    usr/share/mime/packages/velquira.xml
)
lados=(16 22 24 32 48 64 128 256)
for l in "${lados[@]}"; do
    esperados+=("usr/share/icons/hicolor/${l}x${l}/apps/velquira.png")
done
printf '%s\n' "${esperados[@]}" | sort >"$tmp/esperados"
(cd "$raiz" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$tmp/instalados"
diff -u "$tmp/esperados" "$tmp/instalados" || falla "cmake --install no instala lo esperado"
for b in velquira velquira-cli; do
    [ -x "$raiz/usr/bin/$b" ] || falla "$b no es ejecutable"
done

# Each PNG is drawn at its folder's size (width and height from its IHDR).
for l in "${lados[@]}"; do
    png=$raiz/usr/share/icons/hicolor/${l}x${l}/apps/velquira.png
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || falla "$png no es PNG"
    read -r a0 a1 a2 a3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
    ancho=$(((a0 << 24) | (a1 << 16) | (a2 << 8) | a3))
    alto=$(((h0 << 24) | (h1 << 16) | (h2 << 8) | h3))
    [ "$ancho x $alto" = "$l x $l" ] || falla "$png mide $ancho x $alto"
done

# --- The menu entry: valid (not even a hint), opens jobs with velquira %f.
escritorio=$raiz/usr/share/applications/velquira.desktop
salida=$(desktop-file-validate "$escritorio" 2>&1) || falla "desktop-file-validate: $salida"
[ -z "$salida" ] || falla "desktop-file-validate: $salida"
grep -qx 'Exec=velquira %f' "$escritorio" || falla "Exec no es 'velquira %f'"
grep -qx 'MimeType=application/x-velquira-trabajo;' "$escritorio" || falla "MimeType"
grep -qx 'Icon=velquira' "$escritorio" || falla "Icon"

# --- The metainfo: valid, alone and with the desktop entry and icon it names;
# its last release is the version the program and the package carry.
metainfo=$raiz/usr/share/metainfo/com.zul.velquira.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" >"$tmp/as.log" 2>&1 ||
    { cat "$tmp/as.log" >&2; falla "appstreamcli validate"; }
appstreamcli validate-tree --no-net "$raiz" >"$tmp/as.log" 2>&1 ||
    { cat "$tmp/as.log" >&2; falla "appstreamcli validate-tree"; }
ultima=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$ultima" = "$version" ] || falla "la última versión del metainfo es $ultima, el proyecto $version"
grep -q "#define VELQUIRA_VERSION \"$version\"" "$fuente/src/core/programa/Version.h" ||
    falla "src/core/programa/Version.h no dice $version"

# --- The job type, as the desktop looks it up: the installed XML in a data
# folder of its own (XDG_DATA_DIRS), the system's types after it.
# The desktop lists an entry only when its program is on the PATH.
datos=("XDG_DATA_DIRS=$raiz/usr/share:/usr/share" "XDG_DATA_HOME=$tmp/datos"
    "XDG_CONFIG_HOME=$tmp/config" "XDG_CONFIG_DIRS=$tmp/config" "GIO_USE_VFS=local"
    "PATH=$raiz/usr/bin:$PATH")
env "${datos[@]}" update-mime-database "$raiz/usr/share/mime"
update-desktop-database "$raiz/usr/share/applications"
tipo() {
    env "${datos[@]}" gio info -a standard::content-type "$1" 2>/dev/null |
        sed -n 's/^ *standard::content-type: //p'
}
archivos=$tmp/archivos
mkdir -p "$archivos"
cp "$fuente/tests/fixtures/serie_coma.zul" "$archivos/trabajo.zul"
cp "$fuente/tests/fixtures/serie_coma.zul" "$archivos/COPIA.ZUL"
cp "$fuente/tests/fixtures/serie_coma.zul" "$archivos/pedido de marzo"
cp "$fuente/tests/fixtures/serie_punto_lf.zul" "$archivos/pedido-lf"
cp "$fuente/tests/fixtures/no_trabajo.zul" "$archivos/otro texto"
for caso in "trabajo.zul" "COPIA.ZUL" "pedido de marzo" "pedido-lf"; do
    t=$(tipo "$archivos/$caso")
    [ "$t" = application/x-velquira-trabajo ] || falla "'$caso' es '$t' para el escritorio"
done
t=$(tipo "$archivos/otro texto")
if [ -z "$t" ] || [ "$t" = application/x-velquira-trabajo ]; then
    falla "un texto que no es trabajo es '$t' para el escritorio"
fi
# A double click on a job opens it with the program.
mime=$(env "${datos[@]}" gio mime application/x-velquira-trabajo 2>/dev/null)
grep -q '^Default application for .*: velquira\.desktop$' <<<"$mime" ||
    falla "velquira.desktop no es quien abre application/x-velquira-trabajo: $mime"

# --- The manual page says what --help says (the installed tool's).
"$raiz/usr/bin/velquira-cli" --help >"$tmp/ayuda.txt" || falla "velquira-cli --help"
env -u MAN_KEEP_FORMATTING MANWIDTH=200 man -l "$raiz/usr/share/man/man1/velquira-cli.1.gz" \
    2>"$tmp/man.err" | col -b >"$tmp/man.txt"
[ ! -s "$tmp/man.err" ] || { cat "$tmp/man.err" >&2; falla "man avisa"; }
grep -q '^NOMBRE' "$tmp/man.txt" || falla "al manual le falta NOMBRE"
grep -q 'velquira-cli - ' "$tmp/man.txt" || falla "al manual le falta el nombre de la orden"
# The body: the indented lines after SINOPSIS; the help without "Uso:".
cuerpo() { sed 's/^[[:space:]]*//; s/[[:space:]]*$//' | grep -v '^$' || true; }
awk '/^SINOPSIS/ { d = 1; next } d && /^[[:space:]]/' "$tmp/man.txt" | cuerpo >"$tmp/man.cuerpo"
tail -n +2 "$tmp/ayuda.txt" | cuerpo >"$tmp/ayuda.cuerpo"
[ -s "$tmp/ayuda.cuerpo" ] || falla "velquira-cli --help no dice nada"
diff -u "$tmp/ayuda.cuerpo" "$tmp/man.cuerpo" || falla "el manual no dice lo que --help"

# --- The Debian package: the same files; the dependencies read off the
# binaries, and the SVG plugin no binary links.
(cd "$tmp" && "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/paquete") \
    >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log" >&2; falla "cpack -G DEB"; }
deb=$(ls "$tmp"/paquete/velquira_"$version"_*.deb)
dpkg-deb -c "$deb" >"$tmp/contenido"
awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' "$tmp/contenido" | sort >"$tmp/empaquetados"
diff -u "$tmp/esperados" "$tmp/empaquetados" || falla "el .deb no tiene lo que instala cmake"
awk '$2 != "root/root" { exit 1 }' "$tmp/contenido" || falla "archivos del .deb sin dueño root"
[ "$(dpkg-deb -f "$deb" Package)" = velquira ] || falla "Package"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || falla "Version"
depende=$(dpkg-deb -f "$deb" Depends)
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
    libqt6pdf6 libcups2; do
    [[ ", $depende," == *", $p "* || ", $depende," == *", $p,"* ]] ||
        falla "Depends no nombra $p: $depende"
done
echo "velquira_${version}: $(stat -c %s "$deb") bytes; Depends: $depende"
