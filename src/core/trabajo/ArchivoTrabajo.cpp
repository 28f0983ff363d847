#include "ArchivoTrabajo.h"

#include "core/fallas/Fallas.h"
#include "core/trabajo/Cp1252.h"
#include "core/trabajo/TablaPapeles.h"
#include "core/trabajo/Valores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads lines ended by LF, CR LF or a lone CR, never holding more than one
// bounded line in memory.
class LectorLineas {
public:
    // Every byte read also goes to `utf8`, which decides the file's encoding.
    LectorLineas(QFile& f, DetectorUtf8& utf8) : m_f(f), m_utf8(utf8) {}

    enum class Estado { Linea, Fin, Larga, Error, Grande };

    Estado siguiente(QByteArray& linea) {
        linea.clear();
        bool larga = false;
        for (;;) {
            if (m_pos >= m_buf.size()) {
                // A pipe or a device has no size to check beforehand.
                if (m_total > kMaxArchivo)
                    return Estado::Grande;
                if (!rellenar())
                    return m_error
                               ? Estado::Error
                               : (linea.isEmpty() && !m_pendiente ? Estado::Fin : terminar(larga));
            }
            const char* p = m_buf.constData() + m_pos;
            const qsizetype n = m_buf.size() - m_pos;
            if (m_saltarLf) {
                m_saltarLf = false;
                if (*p == '\n') {
                    ++m_pos;
                    continue;
                }
            }
            qsizetype j = 0;
            while (j < n && p[j] != '\n' && p[j] != '\r')
                ++j;
            if (!larga) {
                if (linea.size() + j > kMaxLinea) {
                    larga = true;
                    linea.clear();
                } else {
                    linea.append(p, j);
                }
            }
            m_pendiente = true;
            m_pos += j;
            if (j < n) {
                m_saltarLf = p[j] == '\r';
                ++m_pos;
                return terminar(larga);
            }
        }
    }

    qint64 numero() const { return m_numero; }

private:
    Estado terminar(bool larga) {
        m_pendiente = false;
        ++m_numero;
        return larga ? Estado::Larga : Estado::Linea;
    }

    bool rellenar() {
        m_buf.resize(64 * 1024);
        const qint64 n = m_f.read(m_buf.data(), m_buf.size());
        if (n < 0) {
            m_error = true;
            m_buf.clear();
            m_pos = 0;
            return false;
        }
        m_buf.resize(n);
        m_pos = 0;
        m_total += n;
        m_utf8.agregar(m_buf);
        return n > 0;
    }

    QFile& m_f;
    DetectorUtf8& m_utf8;
    QByteArray m_buf;
    qsizetype m_pos = 0;
    bool m_saltarLf = false;
    bool m_pendiente = false;
    bool m_error = false;
    qint64 m_numero = 0;
    qint64 m_total = 0;
};

Falla FallaDeApertura(const QFileDevice& f, const QString& ruta, bool escribir) {
    const QFileInfo info(ruta);
    const QString nombre = QDir::toNativeSeparators(ruta);
    if (!escribir) {
        if (!info.exists())
            return {CodigoFalla::NoSeEncuentra,
                    QStringLiteral("No se encuentra el archivo %1").arg(nombre)};
        return {
            CodigoFalla::ModoDeAccesoNoValido,
            QStringLiteral("No se puede abrir el archivo %1 (%2)").arg(nombre, f.errorString())};
    }
    if (!info.absoluteDir().exists())
        return {CodigoFalla::RutaNoExiste,
                QStringLiteral("La carpeta de %1 no existe").arg(nombre)};
    if (f.error() == QFileDevice::PermissionsError || (info.exists() && !info.isWritable()) ||
        !QFileInfo(info.absolutePath()).isWritable())
        return {CodigoFalla::Protegido, QStringLiteral("No se puede escribir %1").arg(nombre)};
    if (info.isDir())
        return {CodigoFalla::NombreNoValido, QStringLiteral("%1 es una carpeta").arg(nombre)};
    return {CodigoFalla::NombreNoValido,
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
    return {CodigoFalla::TiposNoCoinciden,
            QStringLiteral("El archivo es demasiado grande para ser un trabajo de Velquira "
                           "(más de 128 MB).")};
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

// One read of a job file into a scratch model.
class LectorTrabajo {
public:
    LectorTrabajo(const QString& ruta, const Cuadro& defectos, PoliticaFallas& politica)
        : m_ruta(ruta), m_nombre(QFileInfo(ruta).fileName()), m_defectos(defectos),
          m_politica(politica), m_f(ruta), m_lector(m_f, m_utf8) {}

    LecturaTrabajo leer(const ::Trabajo& previo);

private:
    using R = PoliticaFallas::Resultado;

    bool abrir();
    bool marca();
    bool cabecera(::Trabajo& h);
    bool cuadros();
    bool linea(const QByteArray& bytes, LectorLineas::Estado e, qint64 numero);
    bool valor(int campo, const std::function<void(QStringView)>& asignar);
    void cerrarBloque();
    void textosUtf8();
    QString lugar(qint64 linea, const char* campo, int cuadro = -1) const;

    QString m_ruta;
    QString m_nombre;
    const Cuadro& m_defectos;
    PoliticaFallas& m_politica;
    QFile m_f;
    DetectorUtf8 m_utf8;
    LectorLineas m_lector;
    QByteArray m_bytes;
    Estado m_borrador;
    int m_actual = -1;        // slot of the block being read; -1 before its index line
    int m_contador = 0;       // the block's next line (0 = its index)
    bool m_separador = false; // a separator whose block has not begun
    QList<int> m_incompletos;
    // Non-ASCII texts by slot, line and bytes: decoded again once the whole
    // file has shown its encoding.
    QHash<int, QList<QPair<int, QByteArray>>> m_textos;
};

QString LectorTrabajo::lugar(qint64 linea, const char* campo, int cuadro) const {
    QString t = QStringLiteral("Línea %1 de %2").arg(linea).arg(m_nombre);
    if (campo)
        t += QStringLiteral(", campo ") + QString::fromUtf8(campo);
    if (cuadro >= 0)
        t += QStringLiteral(" del cuadro Nº %1").arg(cuadro + 1);
    return t;
}

bool LectorTrabajo::abrir() {
    // A missing file is not retried: it will not appear by itself.
    return m_politica.ejecutar(
               [&] {
                   if (QFileInfo(m_ruta).isDir() || !m_f.open(QIODevice::ReadOnly))
                       throw FallaDeApertura(m_f, m_ruta, false);
               },
               0) == R::Hecho;
}

bool LectorTrabajo::marca() {
    if (m_lector.siguiente(m_bytes) != LectorLineas::Estado::Linea)
        return false;
    QByteArrayView b(m_bytes);
    if (b.startsWith("\xEF\xBB\xBF"))
        b = b.sliced(3);
    return DecodificarCp1252(b).trimmed() == kMarcaTrabajo;
}

// Gets the header's next line for a value; a missing or unreadable one is a
// failure the operator may skip (the value stays as it was). False when the
// read is abandoned.
bool LectorTrabajo::valor(int campo, const std::function<void(QStringView)>& asignar) {
    using E = LectorLineas::Estado;
    const qint64 numero = m_lector.numero() + 1;
    const auto donde = [&] { return lugar(numero, kCamposCabecera[campo]); };
    return m_politica.ejecutar([&] {
        EnLugar(donde, [&] {
            const auto e = m_lector.siguiente(m_bytes);
            if (e == E::Fin)
                throw Falla{CodigoFalla::FinDeArchivo, QStringLiteral("Fin de archivo")};
            if (e == E::Error)
                throw Falla{CodigoFalla::ErrorDeEntradaSalida, m_f.errorString()};
            if (e == E::Grande)
                throw FallaGrande();
            if (e == E::Larga)
                throw Falla{CodigoFalla::TiposNoCoinciden,
                            QStringLiteral("No coinciden los tipos: la línea es demasiado "
                                           "larga.")};
            asignar(DecodificarCp1252(m_bytes));
        });
    }) != R::Abandonado;
}

bool LectorTrabajo::cabecera(::Trabajo& h) {
    const auto sustituir = [](QStringView t, const char* viejo, const char* nuevo) {
        return t.trimmed() == QLatin1StringView(viejo) ? QString::fromLatin1(nuevo) : t.toString();
    };
    constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
    constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();
    const auto entero32 = [](QStringView t) {
        return static_cast<qint32>(ConvertirEntero(t, kMin32, kMax32, kValor));
    };
    const auto lado = [&](QStringView t) {
        const qint32 v = entero32(t);
        if (!LadoHojaValido(v))
            throw Falla{CodigoFalla::Desbordamiento,
                        QStringLiteral("Desbordamiento: el tamaño de la hoja no es válido "
                                       "(«%1»).")
                            .arg(t.trimmed().left(40).toString())};
        return v;
    };
    const std::function<void(QStringView)> pasos[] = {
        [&](QStringView t) { h.AltoCuadro = entero32(sustituir(t, "200", "310")); },
        [&](QStringView t) { h.AnchoCuadro = entero32(sustituir(t, "1000", "500")); },
        [&](QStringView t) {
            h.TamTip = static_cast<qint16>(
                ConvertirEntero(sustituir(t, "8", "10"), -32768, 32767, kValor));
        },
        [&](QStringView t) { h.HAlto = lado(t); },
        [&](QStringView t) { h.HAncho = lado(t); },
        [&](QStringView t) {
            const double z = ConvertirReal(t, kValor);
            // A zoom the zoom field would refuse is shown at the start-up zoom.
            h.Zoom = z >= 0.05 && z <= 10 ? static_cast<float>(z) : 0.5f;
        }};
    for (int i = 0; i < 6; ++i)
        if (!valor(i, pasos[i]))
            return false;
    IdentificarPapel(h);
    return true;
}

// A block that ends before its last field leaves its box with defaults the
// file never held: the job is not whole.
void LectorTrabajo::cerrarBloque() {
    if (m_actual >= 0 && m_contador <= 20)
        m_incompletos.append(m_actual);
    m_actual = -1;
}

// Boxes go into the scratch table, slot by slot as AgregarCuadro fills it.
bool LectorTrabajo::cuadros() {
    using E = LectorLineas::Estado;
    for (;;) {
        E e{};
        const qint64 numero = m_lector.numero() + 1;
        const char* campo = m_contador <= 20 ? kCamposCuadro[m_contador] : nullptr;
        const auto donde = [&] { return lugar(numero, campo, m_actual); };
        const auto res = m_politica.ejecutar([&] {
            EnLugar(donde, [&] {
                e = m_lector.siguiente(m_bytes);
                if (e == E::Error)
                    throw Falla{CodigoFalla::ErrorDeEntradaSalida, m_f.errorString()};
                if (e == E::Grande)
                    throw FallaGrande();
                if (e == E::Larga && m_contador >= 1 && m_contador <= 20)
                    throw Falla{CodigoFalla::TiposNoCoinciden,
                                QStringLiteral("No coinciden los tipos: la línea es "
                                               "demasiado larga.")};
            });
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
        if (!linea(m_bytes, e, numero))
            return false;
    }
    cerrarBloque();
    if (m_separador) {
        // Cut right after a separator: the box it began is missing whole.
        const auto libre = std::find_if(m_borrador.Cuadros.begin(), m_borrador.Cuadros.end(),
                                        [](const Cuadro& c) { return !c.EnUso; });
        m_incompletos.append(static_cast<int>(libre - m_borrador.Cuadros.begin()));
    }
    return true;
}

// One line after the header. False when the read is abandoned.
bool LectorTrabajo::linea(const QByteArray& bytes, LectorLineas::Estado e, qint64 numero) {
    if (e == LectorLineas::Estado::Linea && bytes == kSeparadorCuadro) {
        cerrarBloque();
        m_separador = true;
        m_contador = 0;
        return true;
    }
    m_separador = false;
    if (m_contador == 0) {
        m_actual = m_borrador.AgregarCuadro(m_defectos);
        if (m_actual < 0) {
            m_politica.ejecutar([&] {
                throw Falla{CodigoFalla::Desbordamiento,
                            QStringLiteral("Desbordamiento: el archivo tiene más de 32.767 "
                                           "cuadros."),
                            lugar(numero, kCamposCuadro[0])};
            });
            return false;
        }
        m_textos.remove(m_actual);
    } else if (m_contador <= 20 && e == LectorLineas::Estado::Linea) {
        Cuadro& c = m_borrador.Cuadros[m_actual];
        const int campo = m_contador;
        const auto donde = [&] { return lugar(numero, kCamposCuadro[campo], m_actual); };
        const auto res = m_politica.ejecutar(
            [&] { EnLugar(donde, [&] { AsignarCampo(c, campo, DecodificarCp1252(bytes)); }); });
        if (res == PoliticaFallas::Resultado::Abandonado)
            return false;
        if (EsTexto(campo) && !m_utf8.descartado() && !EsAscii(bytes))
            m_textos[m_actual].append({campo, bytes});
        if (!c.EnUso)
            m_borrador.NotarRanuraLibre(m_actual);
    }
    if (m_contador <= 20)
        ++m_contador;
    return true;
}

void LectorTrabajo::textosUtf8() {
    if (!m_utf8.esUtf8())
        return;
    for (auto it = m_textos.cbegin(); it != m_textos.cend(); ++it)
        for (const auto& [campo, bytes] : it.value())
            AsignarCampo(m_borrador.Cuadros[it.key()], campo, QString::fromUtf8(bytes));
}

LecturaTrabajo LectorTrabajo::leer(const ::Trabajo& previo) {
    LecturaTrabajo r;
    if (!abrir())
        return r;
    if (!marca()) {
        r.resultado = LecturaTrabajo::Resultado::NoEsTrabajo;
        return r;
    }
    if (m_f.size() > kMaxArchivo) {
        m_politica.ejecutar([] { throw FallaGrande(); });
        return r;
    }
    m_borrador.Trabajo = previo;
    if (!cabecera(m_borrador.Trabajo) || !cuadros())
        return r;
    textosUtf8();
    r.hoja = m_borrador.Trabajo;
    r.cuadros = std::move(m_borrador.Cuadros);
    r.incompletos = m_incompletos;
    r.resultado = LecturaTrabajo::Resultado::Leido;
    return r;
}

} // namespace

void AsignarCampo(Cuadro& c, int linea, QStringView t) {
    const QString& donde = kValor;
    const auto e16 = [&] {
        return static_cast<qint16>(ConvertirEntero(t, std::numeric_limits<qint16>::min(),
                                                   std::numeric_limits<qint16>::max(), donde));
    };
    const auto e32 = [&] {
        return static_cast<qint32>(ConvertirEntero(t, std::numeric_limits<qint32>::min(),
                                                   std::numeric_limits<qint32>::max(), donde));
    };
    switch (linea) {
    case 1:
        c.FontBold = LeerBooleano(t);
        break;
    case 2:
        c.FontItalic = LeerBooleano(t);
        break;
    case 3:
        c.FontName = t.toString();
        break;
    case 4: {
        const double v = ConvertirReal(t, donde);
        if (!TamLetraValido(v))
            throw Falla{CodigoFalla::Desbordamiento,
                        QStringLiteral("Desbordamiento: tamaño de letra fuera de límites "
                                       "(«%1»).")
                            .arg(t.left(40).toString())};
        c.FontSize = static_cast<float>(v);
        break;
    }
    case 5:
        c.FontStrikethru = LeerBooleano(t);
        break;
    case 6:
        c.FontUnderline = LeerBooleano(t);
        break;
    case 7:
        c.LineasGuia = LeerBooleano(t);
        break;
    case 8:
        c.Cifras = e16();
        break;
    case 9:
    case 10: {
        const double v = ConvertirReal(t, donde);
        if (std::fabs(v) > kMaxNumeroSerie)
            throw Falla{CodigoFalla::Desbordamiento,
                        QStringLiteral("Desbordamiento: número fuera de límites («%1»).")
                            .arg(t.left(40).toString())};
        (linea == 9 ? c.Fin : c.Inicio) = v;
        break;
    }
    case 11:
        c.Salto = e16();
        break;
    case 12:
        c.EnUso = LeerBooleano(t);
        break;
    case 13:
        c.PosX = e32();
        break;
    case 14:
        c.TextoDer = t.toString();
        break;
    case 15:
        c.TextoIzq = t.toString();
        break;
    case 16:
        c.PosY = e32();
        break;
    case 17:
        c.Color = e32();
        break;
    case 18:
        c.Bloqueado = LeerBooleano(t);
        break;
    case 19:
        c.Rotacion = e16();
        break;
    case 20:
        c.ColorFondo = e32();
        break;
    default:
        break;
    }
}

LecturaTrabajo LeerArchivoTrabajo(const QString& ruta, const ::Trabajo& previo,
                                  const Cuadro& defectos, PoliticaFallas& politica) {
    SinTerminar sinTerminar(politica);
    return LectorTrabajo(ruta, defectos, politica).leer(previo);
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
                CodigoFalla::Protegido,
                QStringLiteral("%1 es de solo lectura").arg(QDir::toNativeSeparators(ruta))};
        if (QFileInfo(ruta).isDir() || !f.open(QIODevice::WriteOnly))
            throw FallaDeApertura(f, ruta, true);
        if (f.write(datos) != datos.size() || !f.flush()) {
            const QStorageInfo disco(QFileInfo(ruta).absolutePath());
            f.cancelWriting();
            if (disco.isValid() && disco.bytesAvailable() < datos.size() + 4096)
                throw Falla{CodigoFalla::DiscoLleno, QStringLiteral("Disco lleno")};
            throw Falla{CodigoFalla::ErrorDeEntradaSalida, f.errorString()};
        }
        ConservarModo(f, ruta);
        if (!f.commit()) {
            const QStorageInfo disco(QFileInfo(ruta).absolutePath());
            if (disco.isValid() && disco.bytesAvailable() < datos.size() + 4096)
                throw Falla{CodigoFalla::DiscoLleno, QStringLiteral("Disco lleno")};
            throw Falla{CodigoFalla::Protegido, f.errorString()};
        }
    });
    return res == PoliticaFallas::Resultado::Hecho;
}
