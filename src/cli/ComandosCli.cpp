#include "ComandosCli.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/ComprobacionPapel.h"
#include "core/impresion/Correccion.h"
#include "core/impresion/Impresion.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/MensajesConsola.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/Hoja.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/Preferencias.h"
#include "core/trabajo/TablaPapeles.h"
#include "core/trabajo/Valores.h"

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
::Trabajo HojaGuardada(const Preferencias& preferencias) {
    ::Trabajo h = preferencias.hojaGuardada();
    if (h.HName.isEmpty() || h.HAlto == 0 || h.HAncho == 0) // none, or past the limits
        FijarCarta(h);
    return h;
}

struct Opciones {
    QString comando;
    QString archivo;
    QString salida;    // pdf
    QString impresora; // imprimir
    bool prueba = false;
    bool forzar = false; // pdf and imprimir: a job that is not whole too
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
    static const QStringList kOrdenes = {"info", "textos", "pdf", "imprimir", "impresoras"};
    if (!kOrdenes.contains(o.comando)) {
        error = QStringLiteral("Orden desconocida: %1").arg(o.comando);
        return std::nullopt;
    }
    const bool conRango = o.comando != u"info" && o.comando != u"impresoras";
    const bool imprime = o.comando == u"pdf" || o.comando == u"imprimir";
    QStringList posicionales;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (conRango && (a == u"--desde" || a == u"--hasta")) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("Falta el número después de %1.").arg(a);
                return std::nullopt;
            }
            bool ok = false;
            const qint64 v = args[++i].toLongLong(&ok);
            if (!ok || v < 1 || v > 2147483647) {
                error = QStringLiteral("%1 necesita un número de hoja a partir de 1.").arg(a);
                return std::nullopt;
            }
            (a == u"--desde" ? o.desde : o.hasta) = v;
        } else if (imprime && a == u"--prueba") {
            o.prueba = true;
        } else if (imprime && a == u"--forzar") {
            o.forzar = true;
        } else if (o.comando == u"imprimir" && a == u"--impresora") {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                error = QStringLiteral("Falta el nombre de la impresora.");
                return std::nullopt;
            }
            o.impresora = args[++i];
        } else if (a.startsWith(u"--")) {
            error = QStringLiteral("Argumento no válido: %1").arg(a);
            return std::nullopt;
        } else {
            posicionales.append(a);
        }
    }
    const int esperados = o.comando == u"impresoras" ? 0 : (o.comando == u"pdf" ? 2 : 1);
    if (posicionales.size() != esperados) {
        error = posicionales.size() < esperados ? QStringLiteral("Faltan argumentos.")
                                                : QStringLiteral("Sobran argumentos.");
        return std::nullopt;
    }
    if (esperados >= 1)
        o.archivo = posicionales[0];
    if (esperados == 2)
        o.salida = posicionales[1];
    if (o.desde && o.hasta && *o.desde > *o.hasta) {
        error = QStringLiteral("--desde no puede ser mayor que --hasta.");
        return std::nullopt;
    }
    return o;
}

// A run's progress in the batch tool: no window; a stop request from the
// environment cancels without a question.
class ProgresoConsola : public VentanaProgreso {
public:
    explicit ProgresoConsola(std::function<bool()> interrumpido)
        : m_interrumpido(std::move(interrumpido)) {}
    void mostrar(qint32) override {}
    void actualizar(qint32, const QString&) override {}
    void procesarEventos() override {}
    bool tomarCancelacion() override { return m_interrumpido && m_interrumpido(); }
    bool confirmarCancelacion() const override { return false; }
    void cerrar() override {}

private:
    std::function<bool()> m_interrumpido;
};

int Impresoras(Entorno& e, std::FILE* salida) {
    const QString defecto = e.impresoras.predeterminada();
    for (const QString& n : e.impresoras.impresoras())
        Escribir(salida,
                 n + (n == defecto ? QStringLiteral(" (predeterminada)\n") : QStringLiteral("\n")));
    return std::fflush(salida) == 0 ? Exito : Fallo;
}

} // namespace

QString TextoUso() {
    return QStringLiteral(
        "Uso:\n"
        "  velquira-cli info TRABAJO.zul\n"
        "  velquira-cli textos TRABAJO.zul [--desde K] [--hasta M]\n"
        "  velquira-cli pdf TRABAJO.zul SALIDA.pdf [--prueba] [--desde K] [--hasta M] [--forzar]\n"
        "  velquira-cli imprimir TRABAJO.zul [--impresora NOMBRE] [--prueba] [--desde K] "
        "[--hasta M] [--forzar]\n"
        "  velquira-cli impresoras\n"
        "\n"
        "info    muestra la hoja, la orientación, los cuadros y las hojas de la tirada.\n"
        "textos  escribe una línea por hoja: el número de hoja y, por cada cuadro,\n"
        "        un tabulador y el texto que imprime en esa hoja.\n"
        "pdf     escribe la tirada (o su primera hoja, o las hojas K a M) en un PDF\n"
        "        cuyas páginas son la hoja del trabajo, sin corrección de impresora.\n"
        "imprimir imprime como el programa: en la impresora del programa (o la\n"
        "        indicada), con su corrección y su margen no imprimible.\n"
        "impresoras lista las impresoras instaladas.\n"
        "--forzar imprime también un trabajo incompleto (un archivo cortado o dañado).\n");
}

int Ejecutar(const QStringList& argumentos, Entorno& entorno, std::FILE* salida,
             std::FILE* errores) {
    QString error;
    const auto o = Analizar(argumentos, error);
    if (!o) {
        Escribir(errores, error + u'\n' + TextoUso());
        return Uso;
    }
    if (o->comando == u"impresoras")
        return Impresoras(entorno, salida);
    if (o->comando == u"pdf") {
        // Never write the PDF over the job itself (also through a link).
        if (MismoArchivo(o->salida, o->archivo)) {
            Escribir(errores, TextoSobreElTrabajo(o->archivo) + u'\n');
            return Uso;
        }
    }
    Ajustes& ajustes = entorno.ajustes;
    MensajesConsola mensajes;
    PoliticaFallas politica(mensajes, {});
    politica.permitirTerminar(false);
    const QLocale idioma;

    const Preferencias preferencias(ajustes, idioma);
    const LecturaTrabajo l = LeerArchivoTrabajo(o->archivo, HojaGuardada(preferencias),
                                                preferencias.defectosCuadro(), politica);
    if (l.resultado == LecturaTrabajo::Resultado::NoEsTrabajo) {
        Escribir(errores, QStringLiteral("El archivo no es un archivo de Velquira válido\n"));
        return NoLeido;
    }
    if (l.resultado != LecturaTrabajo::Resultado::Leido)
        return NoLeido;
    // A job cut short is never printed as if whole, unless the operator says so.
    const QStringList incompleto = AvisoIncompleto(l);
    for (const QString& aviso : incompleto)
        Escribir(errores, aviso + u'\n');
    if (!incompleto.isEmpty() && !o->forzar &&
        (o->comando == u"pdf" || o->comando == u"imprimir")) {
        Escribir(errores, QStringLiteral("No se imprime un trabajo incompleto; con --forzar se "
                                         "imprime de todos modos.\n"));
        return NoLeido;
    }

    std::vector<const Cuadro*> vivos;
    for (const Cuadro& c : l.cuadros)
        if (c.EnUso)
            vivos.push_back(&c);

    qint32 hojas = 0;
    if (politica.ejecutar([&] { hojas = LongitudTirada(l.cuadros); }) !=
        PoliticaFallas::Resultado::Hecho)
        return Fallo;

    if (o->comando == u"info") {
        Escribir(salida,
                 QStringLiteral("Hoja: %1\nOrientación: %2\nCuadros: %3\nHojas: %4\n")
                     .arg(TextoHoja(l.hoja, idioma), l.hoja.HOrienta ? QStringLiteral("Vertical")
                                                                     : QStringLiteral("Horizontal"))
                     .arg(vivos.size())
                     .arg(hojas));
        return std::fflush(salida) == 0 ? Exito : Fallo;
    }

    // A printed range past the run is refused, never cut (the listing of
    // `textos` simply stops at the run's end).
    if ((o->comando == u"pdf" || o->comando == u"imprimir") && (o->desde || o->hasta)) {
        const RangoHojas r{static_cast<qint32>(o->desde.value_or(1)),
                           static_cast<qint32>(o->hasta.value_or(0))};
        if (const auto error = ErrorRango(r, hojas)) {
            Escribir(errores, *error + u'\n');
            return Uso;
        }
    }

    if (o->comando == u"pdf" || o->comando == u"imprimir") {
        Tirada t;
        t.unaHoja = o->prueba;
        t.rango.desde = static_cast<qint32>(o->desde.value_or(1));
        t.rango.hasta = static_cast<qint32>(o->hasta.value_or(0));
        std::unique_ptr<Impresora> imp;
        if (o->comando == u"pdf") {
            if (const auto error = ErrorDestinoPdf(o->salida)) {
                Escribir(errores, *error + u'\n');
                return Fallo;
            }
            imp = entorno.impresoras.crearPdf(o->salida, l.hoja.HAncho, l.hoja.HAlto);
        } else {
            QString nombre = o->impresora;
            if (nombre.isEmpty())
                nombre = preferencias.impresora().value_or(QString());
            if (nombre.isEmpty() || !entorno.impresoras.impresoras().contains(nombre))
                nombre = o->impresora.isEmpty() ? entorno.impresoras.predeterminada() : nombre;
            imp = entorno.impresoras.crear(nombre);
            if (!imp) {
                Escribir(errores, nombre.isEmpty()
                                      ? QStringLiteral("No hay impresora\n")
                                      : QStringLiteral("La impresora %1 no existe\n").arg(nombre));
                return Fallo;
            }
            imp->fijarOrientacion(l.hoja.HOrienta ? 1 : 2);
            int papel = 0;
            politica.ejecutar([&] { papel = VerificarPapel(l.hoja, *imp); });
            if (papel != 0)
                Escribir(errores, QStringLiteral("Aviso: el papel de %1 no coincide con la hoja "
                                                 "del trabajo.\n")
                                      .arg(imp->nombreDispositivo()));
            MigrarAjusteAntiguo(ajustes, imp->nombreDispositivo(), entorno.carpetasAjusteAntiguo,
                                politica, idioma);
            if (politica.ejecutar([&] { CalcularAjuste(*imp, ajustes, t); }) !=
                PoliticaFallas::Resultado::Hecho)
                return Fallo;
        }
        for (const QString& aviso :
             CuadrosFuera(l.cuadros, l.hoja, *imp, t, o->comando == u"imprimir"))
            Escribir(errores, QStringLiteral("Aviso: %1.\n").arg(aviso));
        Escribir(errores,
                 o->comando == u"imprimir"
                     ? QStringLiteral("Imprimiendo en %1...\n").arg(imp->nombreDispositivo())
                     : QStringLiteral("Exportando a %1...\n").arg(o->salida));
        ProgresoConsola progreso(entorno.interrumpido);
        const FinTirada fin = ImprimirHojas(l.cuadros, *imp, t, &progreso, politica);
        imp.reset();
        switch (fin) {
        case FinTirada::Terminada:
            return Exito;
        case FinTirada::SinHojas:
            Escribir(errores, QStringLiteral("No hay hojas que imprimir.\n"));
            return Fallo;
        case FinTirada::Cancelada:
            Escribir(errores, TextoCancelada(o->comando == u"pdf") + u'\n');
            return Fallo;
        case FinTirada::Abandonada:
            return Fallo;
        }
        return Fallo;
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
