#include "ComandosCli.h"

#include "boxes/Numeracion.h"
#include "job/ArchivoTrabajo.h"
#include "job/TablaPapeles.h"
#include "job/Valores.h"
#include "platform/Ajustes.h"
#include "platform/MensajesConsola.h"
#include "shell/Fallas.h"
#include "shell/Principal.h"

#include <QLocale>
#include <optional>

namespace cli {
namespace {

void Escribir(std::FILE* f, const QString& texto) {
    const QByteArray b = texto.toUtf8();
    std::fwrite(b.constData(), 1, b.size(), f);
}

// The stored sheet, as the desktop program would start with it (without
// storing the default sheet: the batch tool writes no settings).
::Trabajo HojaGuardada(const Ajustes& a) {
    ::Trabajo h;
    h.HName = a.texto(Aplicacion::Titulo, QStringLiteral("HName"), {});
    const auto lado = [&](const char* clave) {
        const qint64 v = a.entero(Aplicacion::Titulo, QString::fromLatin1(clave), 0);
        return static_cast<qint32>(v > 0 && v <= kMaxLadoHoja ? v : 0);
    };
    h.HAlto = lado("HAlto");
    h.HAncho = lado("HAncho");
    h.HOrienta = LeerBooleano(a.texto(Aplicacion::Titulo, QStringLiteral("HOrienta"), "True"));
    if (h.HName.isEmpty() || h.HAlto == 0 || h.HAncho == 0)
        FijarCarta(h);
    return h;
}

struct Opciones {
    QString comando;
    QString archivo;
    std::optional<qint64> desde;
    std::optional<qint64> hasta;
};

std::optional<Opciones> Analizar(const QStringList& args, QString& error) {
    if (args.isEmpty()) {
        error = QStringLiteral("Falta la orden.");
        return std::nullopt;
    }
    Opciones o;
    o.comando = args.first();
    if (o.comando != u"info" && o.comando != u"textos") {
        error = QStringLiteral("Orden desconocida: %1").arg(o.comando);
        return std::nullopt;
    }
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (o.comando == u"textos" && (a == u"--desde" || a == u"--hasta")) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("Falta el número después de %1.").arg(a);
                return std::nullopt;
            }
            bool ok = false;
            const qint64 v = args[++i].toLongLong(&ok);
            if (!ok || v < 1) {
                error = QStringLiteral("%1 necesita un número de hoja a partir de 1.").arg(a);
                return std::nullopt;
            }
            (a == u"--desde" ? o.desde : o.hasta) = v;
        } else if (a.startsWith(u"--") || !o.archivo.isEmpty()) {
            error = QStringLiteral("Argumento no válido: %1").arg(a);
            return std::nullopt;
        } else {
            o.archivo = a;
        }
    }
    if (o.archivo.isEmpty()) {
        error = QStringLiteral("Falta el archivo del trabajo.");
        return std::nullopt;
    }
    if (o.desde && o.hasta && *o.desde > *o.hasta) {
        error = QStringLiteral("--desde no puede ser mayor que --hasta.");
        return std::nullopt;
    }
    return o;
}

} // namespace

QString TextoUso() {
    return QStringLiteral(
        "Uso:\n"
        "  velquira-cli info TRABAJO.zul\n"
        "  velquira-cli textos TRABAJO.zul [--desde K] [--hasta M]\n"
        "\n"
        "info    muestra la hoja, la orientación, los cuadros y las hojas de la tirada.\n"
        "textos  escribe una línea por hoja: el número de hoja y, por cada cuadro,\n"
        "        un tabulador y el texto que imprime en esa hoja.\n");
}

int Ejecutar(const QStringList& argumentos, Ajustes& ajustes, std::FILE* salida,
             std::FILE* errores) {
    QString error;
    const auto o = Analizar(argumentos, error);
    if (!o) {
        Escribir(errores, error + u'\n' + TextoUso());
        return Uso;
    }
    MensajesConsola mensajes;
    PoliticaFallas politica(mensajes, {});
    politica.permitirTerminar(false);
    const QLocale idioma;

    const LecturaTrabajo l = LeerArchivoTrabajo(o->archivo, HojaGuardada(ajustes),
                                                Estado::DefectosCuadro(ajustes), politica);
    if (l.resultado == LecturaTrabajo::Resultado::NoEsTrabajo) {
        Escribir(errores, QStringLiteral("El archivo no es un archivo de Velquira válido\n"));
        return NoLeido;
    }
    if (l.resultado != LecturaTrabajo::Resultado::Leido)
        return NoLeido;

    std::vector<const Cuadro*> vivos;
    for (const Cuadro& c : l.cuadros)
        if (c.EnUso)
            vivos.push_back(&c);

    qint32 hojas = 0;
    if (politica.ejecutar([&] { hojas = LongitudTirada(l.cuadros); }) !=
        PoliticaFallas::Resultado::Hecho)
        return Fallo;

    if (o->comando == u"info") {
        Escribir(salida, QStringLiteral("Hoja: %1\nOrientación: %2\nCuadros: %3\nHojas: %4\n")
                             .arg(Principal::TextoHoja(l.hoja, idioma),
                                  l.hoja.HOrienta ? QStringLiteral("Vertical")
                                                  : QStringLiteral("Horizontal"))
                             .arg(vivos.size())
                             .arg(hojas));
        return std::fflush(salida) == 0 ? Exito : Fallo;
    }

    const qint64 desde = o->desde.value_or(1);
    const qint64 hasta = std::min<qint64>(o->hasta.value_or(hojas), hojas);
    QString linea;
    QByteArray bloque;
    for (qint64 hoja = desde; hoja <= hasta; ++hoja) {
        linea = QString::number(hoja);
        const auto r = politica.ejecutar([&] {
            for (const Cuadro* c : vivos) {
                linea.append(u'\t');
                linea.append(TextoCuadroHoja(*c, static_cast<qint32>(hoja - 1)));
            }
        });
        if (r != PoliticaFallas::Resultado::Hecho)
            return Fallo;
        linea.append(u'\n');
        bloque.append(linea.toUtf8());
        if (bloque.size() >= 64 * 1024) {
            if (std::fwrite(bloque.constData(), 1, bloque.size(), salida) !=
                static_cast<size_t>(bloque.size()))
                return Fallo;
            bloque.clear();
        }
    }
    if (std::fwrite(bloque.constData(), 1, bloque.size(), salida) !=
        static_cast<size_t>(bloque.size()))
        return Fallo;
    return std::fflush(salida) == 0 ? Exito : Fallo;
}

} // namespace cli
