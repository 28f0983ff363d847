#include "ArchivoTrabajo.h"

#include "job/Cp1252.h"
#include "job/TablaPapeles.h"
#include "job/Valores.h"
#include "shell/Fallas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <cfloat>
#include <cmath>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads lines ended by LF, CR LF or a lone CR, never holding more than one
// bounded line in memory.
class LectorLineas {
public:
    explicit LectorLineas(QFile& f) : m_f(f) {}

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
                    return m_error ? Estado::Error
                                   : (linea.isEmpty() && !m_pendiente ? Estado::Fin
                                                                      : terminar(larga));
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
        return n > 0;
    }

    QFile& m_f;
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
            return {53, QStringLiteral("No se encuentra el archivo %1").arg(nombre)};
        return {54, QStringLiteral("No se puede abrir el archivo %1 (%2)")
                        .arg(nombre, f.errorString())};
    }
    if (!info.absoluteDir().exists())
        return {76, QStringLiteral("La carpeta de %1 no existe").arg(nombre)};
    if (f.error() == QFileDevice::PermissionsError ||
        (info.exists() && !info.isWritable()) || !QFileInfo(info.absolutePath()).isWritable())
        return {75, QStringLiteral("No se puede escribir %1").arg(nombre)};
    if (info.isDir())
        return {64, QStringLiteral("%1 es una carpeta").arg(nombre)};
    return {64, QStringLiteral("No se puede crear %1 (%2)").arg(nombre, f.errorString())};
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
    return {13, QStringLiteral("El archivo es demasiado grande para ser un trabajo de Velquira "
                               "(más de 128 MB).")};
}

QString Donde(qint64 linea) {
    return QStringLiteral("la línea %1 del archivo").arg(linea);
}

} // namespace

void AsignarCampo(Cuadro& c, int linea, QStringView t) {
    const QString donde = QStringLiteral("un campo del cuadro");
    const auto e16 = [&] {
        return static_cast<qint16>(ConvertirEntero(t, std::numeric_limits<qint16>::min(),
                                                   std::numeric_limits<qint16>::max(), donde));
    };
    const auto e32 = [&] {
        return static_cast<qint32>(ConvertirEntero(t, std::numeric_limits<qint32>::min(),
                                                   std::numeric_limits<qint32>::max(), donde));
    };
    switch (linea) {
    case 1: c.FontBold = LeerBooleano(t); break;
    case 2: c.FontItalic = LeerBooleano(t); break;
    case 3: c.FontName = t.toString(); break;
    case 4: {
        const double v = ConvertirReal(t, donde);
        // Fonts past this size are not fonts any printer or screen can make.
        if (!(v > 0 && v <= 1638))
            throw Falla{6, QStringLiteral("Desbordamiento: tamaño de letra fuera de límites "
                                          "(«%1»).")
                               .arg(t.left(40).toString())};
        c.FontSize = static_cast<float>(v);
        break;
    }
    case 5: c.FontStrikethru = LeerBooleano(t); break;
    case 6: c.FontUnderline = LeerBooleano(t); break;
    case 7: c.LineasGuia = LeerBooleano(t); break;
    case 8: c.Cifras = e16(); break;
    case 9:
    case 10: {
        const double v = ConvertirReal(t, donde);
        if (std::fabs(v) > 2147483647.0)
            throw Falla{6, QStringLiteral("Desbordamiento: número fuera de límites («%1»).")
                               .arg(t.left(40).toString())};
        (linea == 9 ? c.Fin : c.Inicio) = v;
        break;
    }
    case 11: c.Salto = e16(); break;
    case 12: c.EnUso = LeerBooleano(t); break;
    case 13: c.PosX = e32(); break;
    case 14: c.TextoDer = t.toString(); break;
    case 15: c.TextoIzq = t.toString(); break;
    case 16: c.PosY = e32(); break;
    case 17: c.Color = e32(); break;
    case 18: c.Bloqueado = LeerBooleano(t); break;
    case 19: c.Rotacion = e16(); break;
    case 20: c.ColorFondo = e32(); break;
    default: break;
    }
}

LecturaTrabajo LeerArchivoTrabajo(const QString& ruta, const ::Trabajo& previo,
                                  const Cuadro& defectos, PoliticaFallas& politica) {
    using R = LecturaTrabajo::Resultado;
    SinTerminar sinTerminar(politica);
    LecturaTrabajo r;
    QFile f(ruta);
    // A missing file is not retried: it will not appear by itself.
    const auto apertura = politica.ejecutar(
        [&] {
            if (QFileInfo(ruta).isDir() || !f.open(QIODevice::ReadOnly))
                throw FallaDeApertura(f, ruta, false);
        },
        0);
    if (apertura != PoliticaFallas::Resultado::Hecho)
        return r;

    LectorLineas lector(f);
    QByteArray bytes;
    const auto primera = lector.siguiente(bytes);
    QString marca = primera == LectorLineas::Estado::Linea ? DecodificarLinea(bytes) : QString();
    if (marca.startsWith(QChar(0xFEFF)))
        marca.remove(0, 1);
    if (marca.trimmed() != kMarcaTrabajo) {
        r.resultado = R::NoEsTrabajo;
        return r;
    }
    if (f.size() > kMaxArchivo) {
        politica.ejecutar([] { throw FallaGrande(); });
        return r;
    }

    // Gets the next line for a value; a missing or unreadable one is a failure
    // the operator may skip (the value stays as it was).
    bool abandonado = false;
    const auto leerValor = [&](const std::function<void(QStringView)>& asignar) {
        const auto res = politica.ejecutar([&] {
            const auto e = lector.siguiente(bytes);
            if (e == LectorLineas::Estado::Fin)
                throw Falla{62, QStringLiteral("Fin de archivo")};
            if (e == LectorLineas::Estado::Error)
                throw Falla{57, f.errorString()};
            if (e == LectorLineas::Estado::Grande)
                throw FallaGrande();
            if (e == LectorLineas::Estado::Larga)
                throw Falla{13, QStringLiteral("No coinciden los tipos: %1 es demasiado larga.")
                                    .arg(Donde(lector.numero()))};
            asignar(DecodificarLinea(bytes));
        });
        if (res == PoliticaFallas::Resultado::Abandonado)
            abandonado = true;
    };
    const auto sustituir = [](QStringView t, const char* viejo, const char* nuevo) {
        return t.trimmed() == QLatin1StringView(viejo) ? QString::fromLatin1(nuevo)
                                                       : t.toString();
    };
    const auto entero = [&](QStringView t, qint64 min, qint64 max) {
        return ConvertirEntero(t, min, max, Donde(lector.numero()));
    };
    constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
    constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();

    ::Trabajo h = previo;
    leerValor([&](QStringView t) {
        h.AltoCuadro = static_cast<qint32>(entero(sustituir(t, "200", "310"), kMin32, kMax32));
    });
    if (!abandonado)
        leerValor([&](QStringView t) {
            h.AnchoCuadro =
                static_cast<qint32>(entero(sustituir(t, "1000", "500"), kMin32, kMax32));
        });
    if (!abandonado)
        leerValor([&](QStringView t) {
            h.TamTip = static_cast<qint16>(entero(sustituir(t, "8", "10"), -32768, 32767));
        });
    const auto lado = [&](QStringView t) {
        const qint64 v = entero(t, kMin32, kMax32);
        if (v <= 0 || v > kMaxLadoHoja)
            throw Falla{6, QStringLiteral("Desbordamiento: el tamaño de la hoja en %1 no es "
                                          "válido («%2»).")
                               .arg(Donde(lector.numero()), t.trimmed().left(40).toString())};
        return static_cast<qint32>(v);
    };
    if (!abandonado)
        leerValor([&](QStringView t) { h.HAlto = lado(t); });
    if (!abandonado)
        leerValor([&](QStringView t) { h.HAncho = lado(t); });
    if (!abandonado)
        leerValor([&](QStringView t) {
            const double z = ConvertirReal(t, Donde(lector.numero()));
            // A zoom the zoom field would refuse is shown at the start-up zoom.
            h.Zoom = z >= 0.05 && z <= 10 ? static_cast<float>(z) : 0.5f;
        });
    if (abandonado)
        return r;
    IdentificarPapel(h);

    // Boxes go into a scratch table, slot by slot as AgregarCuadro fills it.
    Estado borrador;
    borrador.Trabajo = h;
    int actual = -1;
    int contador = 0;
    for (;;) {
        LectorLineas::Estado e{};
        const auto res = politica.ejecutar([&] {
            e = lector.siguiente(bytes);
            if (e == LectorLineas::Estado::Error)
                throw Falla{57, f.errorString()};
            if (e == LectorLineas::Estado::Grande)
                throw FallaGrande();
            if (e == LectorLineas::Estado::Larga && contador >= 1 && contador <= 20)
                throw Falla{13, QStringLiteral("No coinciden los tipos: %1 es demasiado larga.")
                                    .arg(Donde(lector.numero()))};
        });
        if (res == PoliticaFallas::Resultado::Abandonado)
            return r;
        if (res == PoliticaFallas::Resultado::Omitido && e != LectorLineas::Estado::Linea) {
            if (e == LectorLineas::Estado::Error || e == LectorLineas::Estado::Grande)
                return r;
            ++contador;
            continue;
        }
        if (e == LectorLineas::Estado::Fin)
            break;
        if (e == LectorLineas::Estado::Linea && bytes == kSeparadorCuadro) {
            contador = 0;
            continue;
        }
        if (contador == 0) {
            actual = borrador.AgregarCuadro(defectos);
            if (actual < 0) {
                politica.ejecutar([&] {
                    throw Falla{6, QStringLiteral("Desbordamiento: el archivo tiene más de "
                                                  "32.767 cuadros.")};
                });
                return r;
            }
        } else if (contador <= 20 && e == LectorLineas::Estado::Linea) {
            const QString texto = DecodificarLinea(bytes);
            const auto campo = politica.ejecutar(
                [&] { AsignarCampo(borrador.Cuadros[actual], contador, texto); });
            if (campo == PoliticaFallas::Resultado::Abandonado)
                return r;
            if (!borrador.Cuadros[actual].EnUso)
                borrador.NotarRanuraLibre(actual);
        }
        if (contador <= 20)
            ++contador;
    }
    r.hoja = borrador.Trabajo;
    r.cuadros = std::move(borrador.Cuadros);
    r.resultado = R::Leido;
    return r;
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
    return {b(c.FontBold),      b(c.FontItalic),     c.FontName,      x(c.FontSize, false),
            b(c.FontStrikethru), b(c.FontUnderline), b(c.LineasGuia), n(c.Cifras),
            x(c.Fin, true),     x(c.Inicio, true),   n(c.Salto),      b(c.EnUso),
            n(c.PosX),          c.TextoDer,          c.TextoIzq,      n(c.PosY),
            n(c.Color),         b(c.Bloqueado),      n(c.Rotacion),   n(c.ColorFondo)};
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

bool EscribirArchivoAtomico(const QString& ruta, const QByteArray& datos, PoliticaFallas& politica) {
    SinTerminar sinTerminar(politica);
    const auto res = politica.ejecutar([&] {
        QSaveFile f(ruta);
        if (SoloLectura(QFileInfo(ruta)))
            throw Falla{75, QStringLiteral("%1 es de solo lectura")
                                .arg(QDir::toNativeSeparators(ruta))};
        if (QFileInfo(ruta).isDir() || !f.open(QIODevice::WriteOnly))
            throw FallaDeApertura(f, ruta, true);
        if (f.write(datos) != datos.size() || !f.flush()) {
            const QStorageInfo disco(QFileInfo(ruta).absolutePath());
            f.cancelWriting();
            if (disco.isValid() && disco.bytesAvailable() < datos.size() + 4096)
                throw Falla{61, QStringLiteral("Disco lleno")};
            throw Falla{57, f.errorString()};
        }
        ConservarModo(f, ruta);
        if (!f.commit()) {
            const QStorageInfo disco(QFileInfo(ruta).absolutePath());
            if (disco.isValid() && disco.bytesAvailable() < datos.size() + 4096)
                throw Falla{61, QStringLiteral("Disco lleno")};
            throw Falla{75, f.errorString()};
        }
    });
    return res == PoliticaFallas::Resultado::Hecho;
}
