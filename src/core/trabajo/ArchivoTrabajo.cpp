#include "ArchivoTrabajo.h"

#include "core/fallas/Fallas.h"
#include "core/trabajo/Cp1252.h"
#include "core/trabajo/LectorLineas.h"
#include "core/trabajo/TablaPapeles.h"
#include "core/trabajo/Valores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using C = CodigoFalla;
using E = LectorLineas::Estado;
using R = PoliticaFallas::Resultado;

Falla FallaDeApertura(const QFileDevice& f, const QString& ruta, bool escribir) {
    const QFileInfo info(ruta);
    const QString nombre = QDir::toNativeSeparators(ruta);
    if (!escribir) {
        if (!info.exists())
            return {C::NoSeEncuentra, QStringLiteral("No se encuentra el archivo %1").arg(nombre)};
        return {
            C::ModoDeAccesoNoValido,
            QStringLiteral("No se puede abrir el archivo %1 (%2)").arg(nombre, f.errorString())};
    }
    if (!info.absoluteDir().exists())
        return {C::RutaNoExiste, QStringLiteral("La carpeta de %1 no existe").arg(nombre)};
    if (f.error() == QFileDevice::PermissionsError || (info.exists() && !info.isWritable()) ||
        !QFileInfo(info.absolutePath()).isWritable())
        return {C::Protegido, QStringLiteral("No se puede escribir %1").arg(nombre)};
    if (info.isDir())
        return {C::NombreNoValido, QStringLiteral("%1 es una carpeta").arg(nombre)};
    return {C::NombreNoValido,
            QStringLiteral("No se puede crear %1 (%2)").arg(nombre, f.errorString())};
}

// A file whose mode forbids writing is read-only for the program too, even
// when the operator may override the mode (root, or the file's owner).
bool SoloLectura(const QFileInfo& info) {
    return info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner));
}

// The replacement takes the old file's mode and, where the system allows it,
// its owner and group: a save changes the job's contents, nothing else.
void ConservarModo(QSaveFile& f, const QString& ruta) {
    struct stat antes {};
    if (::stat(QFile::encodeName(ruta).constData(), &antes) != 0)
        return;
    if (::fchown(f.handle(), antes.st_uid, antes.st_gid) != 0)
        (void)::fchown(f.handle(), static_cast<uid_t>(-1), antes.st_gid);
    (void)::fchmod(f.handle(), antes.st_mode & 07777);
}

Falla FallaGrande() {
    return {C::TiposNoCoinciden,
            QStringLiteral("El archivo es demasiado grande para ser un trabajo de Velquira "
                           "(más de 128 MB).")};
}

// The step helper of both readers: the failure of a line the line reader
// could not give whole. A line too long is a failure only where it holds a
// value (`largaEsFalla`); a line or the end of the file is none.
void ExigirLinea(E e, const QIODevice& f, bool largaEsFalla) {
    switch (e) {
    case E::Error:
        throw Falla{C::ErrorDeEntradaSalida, f.errorString()};
    case E::Grande:
        throw FallaGrande();
    case E::Larga:
        if (largaEsFalla)
            throw Falla{C::TiposNoCoinciden,
                        QStringLiteral("No coinciden los tipos: la línea es demasiado larga.")};
        return;
    case E::Linea:
    case E::Fin:
        return;
    }
}

// How a value is named in a failure's description; the line and the field
// follow in the failure's place.
const QString kValor = QStringLiteral("el valor");

// The file format's names of the header's lines 2 to 7 and of a block's
// lines 0 to 20.
const char* const kCamposCabecera[] = {"AltoCuadro", "AnchoCuadro", "TamTip",
                                       "HAlto",      "HAncho",      "Zoom"};
const char* const kCamposCuadro[] = {
    "índice",        "FontBold",   "FontItalic", "FontName", "FontSize", "FontStrikethru",
    "FontUnderline", "LineasGuia", "Cifras",     "Fin",      "Inicio",   "Salto",
    "EnUso",         "PosX",       "TextoDer",   "TextoIzq", "PosY",     "Color",
    "Bloqueado",     "Rotacion",   "ColorFondo"};
constexpr int kUltimoCampo = 20;

// Lines whose text is kept as it is (every other field is a number or a word
// in plain ASCII, the same in either encoding).
bool EsTexto(int linea) {
    return linea == 3 || linea == 14 || linea == 15;
}

bool EsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Runs `paso`, naming the place `lugar()` gives in a failure it throws (made
// only then: a job of thousands of boxes reads hundreds of thousands of lines).
template <typename L, typename F> void EnLugar(L&& lugar, F&& paso) {
    try {
        paso();
    } catch (Falla& f) {
        if (f.lugar.isEmpty())
            f.lugar = lugar();
        throw;
    }
}

// The open job file both readers take their lines from, under one policy.
class ArchivoEnLectura {
public:
    ArchivoEnLectura(const QString& ruta, PoliticaFallas& politica)
        : m_ruta(ruta), m_nombre(QFileInfo(ruta).fileName()), m_politica(politica), m_f(ruta),
          m_lector(m_f, m_utf8) {}

    // False (the failure shown) when the file does not open.
    bool abrir();
    // Whether the first line is the job marker.
    bool marca();
    qint64 tamano() const { return m_f.size(); }

    // The number the next line will have, for naming it in a failure.
    qint64 proxima() const { return m_lector.numero() + 1; }
    E siguiente() { return m_lector.siguiente(m_bytes); }
    void exigir(E e, bool largaEsFalla) const { ExigirLinea(e, m_f, largaEsFalla); }
    const QByteArray& bytes() const { return m_bytes; }
    const DetectorUtf8& utf8() const { return m_utf8; }

    // "Línea n de t.zul, campo X del cuadro Nº k".
    QString lugar(qint64 linea, const char* campo, int cuadro = -1) const;

    // Runs one step of the read under the policy; its failure names the
    // place `donde()` gives.
    template <typename L, typename F> R paso(L&& donde, F&& cuerpo) {
        return m_politica.ejecutar([&] { EnLugar(donde, cuerpo); });
    }
    PoliticaFallas& politica() { return m_politica; }

private:
    QString m_ruta;
    QString m_nombre;
    PoliticaFallas& m_politica;
    QFile m_f;
    DetectorUtf8 m_utf8;
    LectorLineas m_lector;
    QByteArray m_bytes;
};

QString ArchivoEnLectura::lugar(qint64 linea, const char* campo, int cuadro) const {
    QString t = QStringLiteral("Línea %1 de %2").arg(linea).arg(m_nombre);
    if (campo)
        t += QStringLiteral(", campo ") + QString::fromUtf8(campo);
    if (cuadro >= 0)
        t += QStringLiteral(" del cuadro Nº %1").arg(cuadro + 1);
    return t;
}

bool ArchivoEnLectura::abrir() {
    // A missing file is not retried: it will not appear by itself.
    return m_politica.ejecutar(
               [&] {
                   if (QFileInfo(m_ruta).isDir() || !m_f.open(QIODevice::ReadOnly))
                       throw FallaDeApertura(m_f, m_ruta, false);
               },
               0) == R::Hecho;
}

// Whether `linea`, the file's first, is the job marker.
bool EsMarca(QByteArrayView linea) {
    if (linea.startsWith("\xEF\xBB\xBF"))
        linea = linea.sliced(3);
    return DecodificarCp1252(linea).trimmed() == kMarcaTrabajo;
}

bool ArchivoEnLectura::marca() {
    return m_lector.siguiente(m_bytes) == E::Linea && EsMarca(m_bytes);
}

// --- the header reader ---

using Asignacion = std::function<void(QStringView)>;

// How the header's lines 2 to 7 go into the sheet `h`.
std::array<Asignacion, 6> AsignacionesCabecera(::Trabajo& h) {
    const auto sustituir = [](QStringView t, const char* viejo, const char* nuevo) {
        return t.trimmed() == QLatin1StringView(viejo) ? QString::fromLatin1(nuevo) : t.toString();
    };
    constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
    constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();
    const auto entero32 = [](QStringView t) {
        return static_cast<qint32>(ConvertirEntero(t, kMin32, kMax32, kValor));
    };
    const auto lado = [=](QStringView t) {
        const qint32 v = entero32(t);
        if (!LadoHojaValido(v))
            throw Falla{C::Desbordamiento,
                        QStringLiteral("Desbordamiento: el tamaño de la hoja no es válido («%1»).")
                            .arg(t.trimmed().left(40).toString())};
        return v;
    };
    return {[=, &h](QStringView t) { h.AltoCuadro = entero32(sustituir(t, "200", "310")); },
            [=, &h](QStringView t) { h.AnchoCuadro = entero32(sustituir(t, "1000", "500")); },
            [=, &h](QStringView t) {
                h.TamTip = static_cast<qint16>(
                    ConvertirEntero(sustituir(t, "8", "10"), -32768, 32767, kValor));
            },
            [=, &h](QStringView t) { h.HAlto = lado(t); },
            [=, &h](QStringView t) { h.HAncho = lado(t); },
            [&h](QStringView t) {
                const double z = ConvertirReal(t, kValor);
                // A zoom the zoom field would refuse is shown at the start-up zoom.
                h.Zoom = z >= 0.05 && z <= 10 ? static_cast<float>(z) : 0.5f;
            }};
}

// The header's next line for a value; a missing or unreadable one is a
// failure the operator may skip (the value stays as it was). False when the
// read is abandoned.
bool ValorCabecera(ArchivoEnLectura& a, int campo, const Asignacion& asignar) {
    const qint64 numero = a.proxima();
    const auto donde = [&] { return a.lugar(numero, kCamposCabecera[campo]); };
    return a.paso(donde, [&] {
        const E e = a.siguiente();
        if (e == E::Fin)
            throw Falla{C::FinDeArchivo, QStringLiteral("Fin de archivo")};
        a.exigir(e, true);
        asignar(DecodificarCp1252(a.bytes()));
    }) != R::Abandonado;
}

// The six lines after the marker into `h`, which holds the values to keep
// where a line is skipped. False when the read is abandoned.
bool LeerCabecera(ArchivoEnLectura& a, ::Trabajo& h) {
    const auto asignaciones = AsignacionesCabecera(h);
    for (int i = 0; i < static_cast<int>(asignaciones.size()); ++i)
        if (!ValorCabecera(a, i, asignaciones[i]))
            return false;
    IdentificarPapel(h);
    return true;
}

// --- the block reader ---

// The box blocks after the header, into a scratch table filled slot by slot
// as AgregarCuadro fills it.
class LectorCuadros {
public:
    LectorCuadros(ArchivoEnLectura& archivo, const Cuadro& defectos)
        : m_a(archivo), m_defectos(defectos) {}

    // Every line to the end of the file. False when the read is abandoned.
    bool leer();
    std::vector<Cuadro> tomarCuadros() { return std::move(m_borrador.Cuadros); }
    const QList<int>& incompletos() const { return m_incompletos; }

private:
    bool linea(E e, qint64 numero);
    bool abrirCuadro(qint64 numero);
    bool campo(qint64 numero);
    void cerrarBloque();
    void cerrar();
    void textosUtf8();

    ArchivoEnLectura& m_a;
    const Cuadro& m_defectos;
    Estado m_borrador;
    int m_actual = -1;        // slot of the block being read; -1 before its index line
    int m_contador = 0;       // the block's next line (0 = its index)
    bool m_separador = false; // a separator whose block has not begun
    QList<int> m_incompletos;
    // Non-ASCII texts by slot, line and bytes: decoded again once the whole
    // file has shown its encoding.
    QHash<int, QList<QPair<int, QByteArray>>> m_textos;
};

bool LectorCuadros::leer() {
    for (;;) {
        E e{};
        const qint64 numero = m_a.proxima();
        const char* campo = m_contador <= kUltimoCampo ? kCamposCuadro[m_contador] : nullptr;
        // An index line, or one past the last field, is not read for a value.
        const bool conValor = m_contador >= 1 && m_contador <= kUltimoCampo;
        const auto res = m_a.paso([&] { return m_a.lugar(numero, campo, m_actual); },
                                  [&] {
                                      e = m_a.siguiente();
                                      m_a.exigir(e, conValor);
                                  });
        if (res == R::Abandonado)
            return false;
        if (res == R::Omitido && e != E::Linea) {
            if (e == E::Error || e == E::Grande)
                return false;
            ++m_contador;
            continue;
        }
        if (e == E::Fin)
            break;
        if (!linea(e, numero))
            return false;
    }
    cerrar();
    textosUtf8();
    return true;
}

// One line after the header. False when the read is abandoned.
bool LectorCuadros::linea(E e, qint64 numero) {
    if (e == E::Linea && m_a.bytes() == kSeparadorCuadro) {
        cerrarBloque();
        m_separador = true;
        m_contador = 0;
        return true;
    }
    m_separador = false;
    if (m_contador == 0) {
        if (!abrirCuadro(numero))
            return false;
    } else if (m_contador <= kUltimoCampo && e == E::Linea) {
        if (!campo(numero))
            return false;
    }
    if (m_contador <= kUltimoCampo)
        ++m_contador;
    return true;
}

// The index line: the block takes the next free slot.
bool LectorCuadros::abrirCuadro(qint64 numero) {
    m_actual = m_borrador.AgregarCuadro(m_defectos);
    if (m_actual < 0) {
        m_a.politica().ejecutar([&] {
            throw Falla{C::Desbordamiento,
                        QStringLiteral("Desbordamiento: el archivo tiene más de 32.767 cuadros."),
                        m_a.lugar(numero, kCamposCuadro[0])};
        });
        return false;
    }
    m_textos.remove(m_actual);
    return true;
}

// A field line of the current block.
bool LectorCuadros::campo(qint64 numero) {
    Cuadro& c = m_borrador.Cuadros[m_actual];
    const int campo = m_contador;
    const QByteArray& bytes = m_a.bytes();
    const auto res = m_a.paso([&] { return m_a.lugar(numero, kCamposCuadro[campo], m_actual); },
                              [&] { AsignarCampo(c, campo, DecodificarCp1252(bytes)); });
    if (res == R::Abandonado)
        return false;
    if (EsTexto(campo) && !m_a.utf8().descartado() && !EsAscii(bytes))
        m_textos[m_actual].append({campo, bytes});
    if (!c.EnUso)
        m_borrador.NotarRanuraLibre(m_actual);
    return true;
}

// A block that ends before its last field leaves its box with defaults the
// file never held: the job is not whole.
void LectorCuadros::cerrarBloque() {
    if (m_actual >= 0 && m_contador <= kUltimoCampo)
        m_incompletos.append(m_actual);
    m_actual = -1;
}

void LectorCuadros::cerrar() {
    cerrarBloque();
    if (m_separador) {
        // Cut right after a separator: the box it began is missing whole.
        const auto libre = std::find_if(m_borrador.Cuadros.begin(), m_borrador.Cuadros.end(),
                                        [](const Cuadro& c) { return !c.EnUso; });
        m_incompletos.append(static_cast<int>(libre - m_borrador.Cuadros.begin()));
    }
}

void LectorCuadros::textosUtf8() {
    if (!m_a.utf8().esUtf8())
        return;
    for (auto it = m_textos.cbegin(); it != m_textos.cend(); ++it)
        for (const auto& [campo, bytes] : it.value())
            AsignarCampo(m_borrador.Cuadros[it.key()], campo, QString::fromUtf8(bytes));
}

// --- a box block's fields ---

bool* CampoBooleano(Cuadro& c, int linea) {
    switch (linea) {
    case 1:
        return &c.FontBold;
    case 2:
        return &c.FontItalic;
    case 5:
        return &c.FontStrikethru;
    case 6:
        return &c.FontUnderline;
    case 7:
        return &c.LineasGuia;
    case 12:
        return &c.EnUso;
    case 18:
        return &c.Bloqueado;
    default:
        return nullptr;
    }
}

QString* CampoTexto(Cuadro& c, int linea) {
    switch (linea) {
    case 3:
        return &c.FontName;
    case 14:
        return &c.TextoDer;
    case 15:
        return &c.TextoIzq;
    default:
        return nullptr;
    }
}

template <typename T> T Entero(QStringView t) {
    return static_cast<T>(
        ConvertirEntero(t, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), kValor));
}

float TamLetra(QStringView t) {
    const double v = ConvertirReal(t, kValor);
    if (!TamLetraValido(v))
        throw Falla{C::Desbordamiento,
                    QStringLiteral("Desbordamiento: tamaño de letra fuera de límites («%1»).")
                        .arg(t.left(40).toString())};
    return static_cast<float>(v);
}

double NumeroSerie(QStringView t) {
    const double v = ConvertirReal(t, kValor);
    if (std::fabs(v) > kMaxNumeroSerie)
        throw Falla{C::Desbordamiento,
                    QStringLiteral("Desbordamiento: número fuera de límites («%1»).")
                        .arg(t.left(40).toString())};
    return v;
}

void AsignarNumero(Cuadro& c, int linea, QStringView t) {
    switch (linea) {
    case 4:
        c.FontSize = TamLetra(t);
        break;
    case 8:
        c.Cifras = Entero<qint16>(t);
        break;
    case 9:
        c.Fin = NumeroSerie(t);
        break;
    case 10:
        c.Inicio = NumeroSerie(t);
        break;
    case 11:
        c.Salto = Entero<qint16>(t);
        break;
    case 13:
        c.PosX = Entero<qint32>(t);
        break;
    case 16:
        c.PosY = Entero<qint32>(t);
        break;
    case 17:
        c.Color = Entero<qint32>(t);
        break;
    case 19:
        c.Rotacion = Entero<qint16>(t);
        break;
    case 20:
        c.ColorFondo = Entero<qint32>(t);
        break;
    default:
        break;
    }
}

} // namespace

void AsignarCampo(Cuadro& c, int linea, QStringView t) {
    if (bool* b = CampoBooleano(c, linea))
        *b = LeerBooleano(t);
    else if (QString* s = CampoTexto(c, linea))
        *s = t.toString();
    else
        AsignarNumero(c, linea, t);
}

std::optional<bool> EsArchivoTrabajo(const QString& ruta) {
    const QFileInfo info(ruta);
    if (!info.exists())
        return std::nullopt;
    // A folder, a FIFO or a device is no job (and a FIFO would stall the read).
    if (!info.isFile())
        return false;
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    DetectorUtf8 utf8;
    LectorLineas lector(f, utf8);
    QByteArray linea;
    return lector.siguiente(linea) == E::Linea && EsMarca(linea);
}

LecturaTrabajo LeerArchivoTrabajo(const QString& ruta, const ::Trabajo& previo,
                                  const Cuadro& defectos, PoliticaFallas& politica) {
    SinTerminar sinTerminar(politica);
    LecturaTrabajo r;
    ArchivoEnLectura archivo(ruta, politica);
    if (!archivo.abrir())
        return r;
    if (!archivo.marca()) {
        r.resultado = LecturaTrabajo::Resultado::NoEsTrabajo;
        return r;
    }
    if (archivo.tamano() > kMaxArchivo) {
        politica.ejecutar([] { throw FallaGrande(); });
        return r;
    }
    // Scratch copies: the open job is replaced only by a whole read.
    ::Trabajo hoja = previo;
    LectorCuadros cuadros(archivo, defectos);
    if (!LeerCabecera(archivo, hoja) || !cuadros.leer())
        return r;
    r.hoja = hoja;
    r.cuadros = cuadros.tomarCuadros();
    r.incompletos = cuadros.incompletos();
    r.resultado = LecturaTrabajo::Resultado::Leido;
    return r;
}

QString CuadroNoGuardable(const Cuadro& c) {
    const auto largo = [](const QString& t) { return t.size() > kMaxLinea; };
    if (largo(c.TextoIzq) || largo(c.TextoDer) || largo(c.FontName))
        return QStringLiteral("un texto de más de 65.536 caracteres");
    if (!TamLetraValido(c.FontSize))
        return QStringLiteral("un tamaño de letra fuera de límites");
    const auto numero = [](double v) {
        return std::isfinite(v) && std::fabs(v) <= kMaxNumeroSerie;
    };
    if (!numero(c.Inicio) || !numero(c.Fin))
        return QStringLiteral("un número de inicio o de fin fuera de límites");
    return {};
}

QString TrabajoNoGuardable(const Estado& e) {
    if (!LadoHojaValido(e.Trabajo.HAlto) || !LadoHojaValido(e.Trabajo.HAncho))
        return QStringLiteral("La hoja mide más de 500 Cmts o nada.");
    for (int i = 0; i <= e.limiteSuperior(); ++i) {
        if (!e.Cuadros[i].EnUso)
            continue;
        if (const QString motivo = CuadroNoGuardable(e.Cuadros[i]); !motivo.isEmpty())
            return QStringLiteral("El cuadro Nº %1 tiene %2.").arg(i + 1).arg(motivo);
    }
    return {};
}

QStringList AvisoIncompleto(const LecturaTrabajo& l) {
    constexpr int kMostrados = 10;
    QStringList lineas;
    for (int i : l.incompletos.first(std::min<qsizetype>(l.incompletos.size(), kMostrados)))
        lineas.append(QStringLiteral("El archivo está incompleto: al cuadro Nº %1 le faltan datos")
                          .arg(i + 1));
    if (l.incompletos.size() > kMostrados)
        lineas.append(QStringLiteral("(y otros %1 cuadros incompletos)")
                          .arg(l.incompletos.size() - kMostrados));
    return lineas;
}

QStringList CamposCuadro(const Cuadro& c, const QLocale& idioma, bool archivo) {
    const auto b = [&](bool v) {
        return archivo ? (v ? QStringLiteral("True") : QStringLiteral("False"))
                       : PalabraBooleana(v, idioma);
    };
    const auto n = [&](qint64 v) { return archivo ? EscribirEntero(v) : QString::number(v); };
    const auto x = [&](double v, bool entero) {
        return archivo ? EscribirReal(v, idioma, entero) : FormatoGeneral(v, idioma, entero);
    };
    return {b(c.FontBold),       b(c.FontItalic),    c.FontName,      x(c.FontSize, false),
            b(c.FontStrikethru), b(c.FontUnderline), b(c.LineasGuia), n(c.Cifras),
            x(c.Fin, true),      x(c.Inicio, true),  n(c.Salto),      b(c.EnUso),
            n(c.PosX),           c.TextoDer,         c.TextoIzq,      n(c.PosY),
            n(c.Color),          b(c.Bloqueado),     n(c.Rotacion),   n(c.ColorFondo)};
}

QByteArray SerializarTrabajo(const Estado& estado, const QLocale& idioma, QList<int>* conPerdida) {
    QByteArray out;
    out.reserve(128 + estado.cuadrosVivos() * 200);
    bool completo = true;
    const auto linea = [&](const QString& s) {
        // A line break inside a value would split the file's lines, and a
        // value that reads as the separator would start a new box.
        if (s.contains(u'\r') || s.contains(u'\n') || s == QLatin1StringView(kSeparadorCuadro)) {
            QString limpio = s;
            limpio.replace(u'\r', u' ').replace(u'\n', u' ');
            if (limpio == QLatin1StringView(kSeparadorCuadro))
                limpio.append(u' ');
            CodificarCp1252(limpio, out);
            completo = false;
        } else if (!CodificarCp1252(s, out)) {
            completo = false;
        }
        out.append("\r\n");
    };
    const ::Trabajo& h = estado.Trabajo;
    linea(kMarcaTrabajo);
    linea(EscribirEntero(h.AltoCuadro));
    linea(EscribirEntero(h.AnchoCuadro));
    linea(EscribirEntero(h.TamTip));
    linea(EscribirEntero(h.HAlto));
    linea(EscribirEntero(h.HAncho));
    linea(EscribirReal(h.Zoom, idioma));
    for (int i = 0; i <= estado.limiteSuperior(); ++i) {
        const Cuadro& c = estado.Cuadros[i];
        if (!c.EnUso)
            continue;
        completo = true;
        out.append(kSeparadorCuadro).append("\r\n");
        linea(EscribirEntero(i));
        for (const QString& campo : CamposCuadro(c, idioma, true))
            linea(campo);
        if (!completo && conPerdida)
            conPerdida->append(i);
    }
    return out;
}

bool EscribirArchivoAtomico(const QString& ruta, const QByteArray& datos,
                            PoliticaFallas& politica) {
    SinTerminar sinTerminar(politica);
    const auto res = politica.ejecutar([&] {
        QSaveFile f(ruta);
        if (SoloLectura(QFileInfo(ruta)))
            throw Falla{
                C::Protegido,
                QStringLiteral("%1 es de solo lectura").arg(QDir::toNativeSeparators(ruta))};
        if (QFileInfo(ruta).isDir() || !f.open(QIODevice::WriteOnly))
            throw FallaDeApertura(f, ruta, true);
        if (f.write(datos) != datos.size() || !f.flush()) {
            const QStorageInfo disco(QFileInfo(ruta).absolutePath());
            f.cancelWriting();
            if (disco.isValid() && disco.bytesAvailable() < datos.size() + 4096)
                throw Falla{C::DiscoLleno, QStringLiteral("Disco lleno")};
            throw Falla{C::ErrorDeEntradaSalida, f.errorString()};
        }
        ConservarModo(f, ruta);
        if (!f.commit()) {
            const QStorageInfo disco(QFileInfo(ruta).absolutePath());
            if (disco.isValid() && disco.bytesAvailable() < datos.size() + 4096)
                throw Falla{C::DiscoLleno, QStringLiteral("Disco lleno")};
            throw Falla{C::Protegido, f.errorString()};
        }
    });
    return res == PoliticaFallas::Resultado::Hecho;
}
