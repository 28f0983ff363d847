#include "ComandosCli.h"

#include "cli/Continuar.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/Impresion.h"
#include "core/impresion/Tirada.h"
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
#include <algorithm>
#include <memory>
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
    QString salida;    // pdf; continuar's --salida
    QString impresora; // imprimir
    bool prueba = false;
    bool forzar = false; // pdf and imprimir: a job that is not whole too
    std::optional<qint64> desde;
    std::optional<qint64> hasta;
};

// pdf and imprimir: the commands that print a run.
bool Imprime(const Opciones& o) {
    return o.comando == u"pdf" || o.comando == u"imprimir";
}

std::optional<Opciones> Analizar(const QStringList& args, QString& error) {
    if (args.isEmpty()) {
        error = QStringLiteral("Falta la orden.");
        return std::nullopt;
    }
    Opciones o;
    o.comando = args.first();
    static const QStringList kOrdenes = {"info",     "textos",     "pdf",
                                         "imprimir", "impresoras", "continuar"};
    if (!kOrdenes.contains(o.comando)) {
        error = QStringLiteral("Orden desconocida: %1").arg(o.comando);
        return std::nullopt;
    }
    const bool conRango =
        o.comando != u"info" && o.comando != u"impresoras" && o.comando != u"continuar";
    const bool imprime = Imprime(o);
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
        } else if (o.comando == u"continuar" && a == u"--salida") {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                error = QStringLiteral("Falta el archivo después de --salida.");
                return std::nullopt;
            }
            o.salida = args[++i];
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

// The job of a command, read under its failure policy, and its run's length.
struct TrabajoLeido {
    LecturaTrabajo l;
    qint32 hojas = 0;
    qsizetype vivos = 0; // live boxes
};

// Reads the job of `o` and measures its run, saying on `errores` what keeps
// the command from going on; nothing then, with the exit code in `salida`.
std::optional<TrabajoLeido> Leer(const Opciones& o, Ajustes& ajustes, PoliticaFallas& politica,
                                 std::FILE* errores, int& salida) {
    TrabajoLeido t;
    const Preferencias preferencias(ajustes);
    t.l = LeerArchivoTrabajo(o.archivo, HojaGuardada(preferencias), preferencias.defectosCuadro(),
                             politica);
    salida = NoLeido;
    if (t.l.resultado == LecturaTrabajo::Resultado::NoEsTrabajo) {
        Escribir(errores, QStringLiteral("El archivo no es un archivo de Velquira válido\n"));
        return std::nullopt;
    }
    if (t.l.resultado != LecturaTrabajo::Resultado::Leido)
        return std::nullopt;
    // A job cut short is never printed as if whole, unless the operator says so.
    const QStringList incompleto = AvisoIncompleto(t.l);
    for (const QString& aviso : incompleto)
        Escribir(errores, aviso + u'\n');
    if (!incompleto.isEmpty() && o.comando == u"continuar") {
        Escribir(errores,
                 QStringLiteral("No se continúa la numeración de un trabajo incompleto.\n"));
        return std::nullopt;
    }
    if (!incompleto.isEmpty() && !o.forzar && Imprime(o)) {
        Escribir(errores, QStringLiteral("No se imprime un trabajo incompleto; con --forzar se "
                                         "imprime de todos modos.\n"));
        return std::nullopt;
    }
    t.vivos = std::count_if(t.l.cuadros.begin(), t.l.cuadros.end(),
                            [](const Cuadro& c) { return c.EnUso; });
    salida = Fallo;
    const auto hojas = MedirTirada(t.l.cuadros, politica);
    if (!hojas)
        return std::nullopt;
    t.hojas = *hojas;
    return t;
}

int Info(const TrabajoLeido& t, std::FILE* salida) {
    Escribir(salida,
             QStringLiteral("Hoja: %1\nOrientación: %2\nCuadros: %3\nHojas: %4\n")
                 .arg(TextoHoja(t.l.hoja, QLocale()),
                      t.l.hoja.HOrienta ? QStringLiteral("Vertical") : QStringLiteral("Horizontal"))
                 .arg(t.vivos)
                 .arg(t.hojas));
    return std::fflush(salida) == 0 ? Exito : Fallo;
}

bool EscribirBloque(std::FILE* salida, const QByteArray& bloque) {
    return std::fwrite(bloque.constData(), 1, bloque.size(), salida) ==
           static_cast<size_t>(bloque.size());
}

// One line per sheet, streamed in blocks: the listing stops at the run's end.
int Textos(const Opciones& o, const TrabajoLeido& t, PoliticaFallas& politica, std::FILE* salida) {
    std::vector<const Cuadro*> vivos;
    for (const Cuadro& c : t.l.cuadros)
        if (c.EnUso)
            vivos.push_back(&c);
    const qint64 desde = o.desde.value_or(1);
    const qint64 hasta = std::min<qint64>(o.hasta.value_or(t.hojas), t.hojas);
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
            if (!EscribirBloque(salida, bloque))
                return Fallo;
            bloque.clear();
        }
    }
    if (!EscribirBloque(salida, bloque))
        return Fallo;
    return std::fflush(salida) == 0 ? Exito : Fallo;
}

// The run a pdf or imprimir command asks for. A range past the run is
// refused, never cut (said on `errores`; nothing then).
std::optional<PedidoTirada> Pedido(const Opciones& o, qint32 hojas, std::FILE* errores) {
    PedidoTirada p;
    Tirada& t = p.tirada;
    t.unaHoja = o.prueba;
    t.rango.desde = static_cast<qint32>(o.desde.value_or(1));
    t.rango.hasta = static_cast<qint32>(o.hasta.value_or(0));
    t.hojas = hojas;
    if (o.desde || o.hasta) {
        if (const auto error = ErrorRango(t.rango, hojas)) {
            Escribir(errores, *error + u'\n');
            return std::nullopt;
        }
    }
    return p;
}

// Prepares the run on `imp`, warns of its verdicts, says `destino` and
// prints the sheets.
int Tirar(const TrabajoLeido& t, std::unique_ptr<Impresora> imp, const PedidoTirada& pedido,
          const QString& destino, Entorno& e, PoliticaFallas& politica, std::FILE* errores) {
    Impresora& impresora = *imp;
    Veredictos veredictos;
    veredictos.papel = [&](int) {
        Escribir(errores, QStringLiteral("Aviso: el papel de %1 no coincide con la hoja "
                                         "del trabajo.\n")
                              .arg(impresora.nombreDispositivo()));
        return true;
    };
    veredictos.fuera = [&](const QStringList& fuera) {
        for (const QString& aviso : fuera)
            Escribir(errores, QStringLiteral("Aviso: %1.\n").arg(aviso));
        return true;
    };
    const PreparacionTirada p =
        PrepararTirada(t.l.hoja, t.l.cuadros, impresora, pedido,
                       {e.ajustes, e.carpetasAjusteAntiguo, QLocale(), politica}, veredictos);
    if (!p.lista)
        return Fallo;
    Escribir(errores, destino);
    ProgresoConsola progreso(e.interrumpido);
    const FinTirada fin = ImprimirHojas(t.l.cuadros, impresora, p.tirada, &progreso, politica);
    imp.reset();
    switch (fin) {
    case FinTirada::Terminada:
        return Exito;
    case FinTirada::SinHojas:
        Escribir(errores, QStringLiteral("No hay hojas que imprimir.\n"));
        return Fallo;
    case FinTirada::Cancelada:
        Escribir(errores, TextoCancelada(pedido.destino == DestinoTirada::Pdf) + u'\n');
        return Fallo;
    case FinTirada::Abandonada:
        return Fallo;
    }
    return Fallo;
}

// The run into a PDF whose pages are the sheet, without correction.
int Pdf(const Opciones& o, const TrabajoLeido& t, Entorno& e, PoliticaFallas& politica,
        std::FILE* errores) {
    auto pedido = Pedido(o, t.hojas, errores);
    if (!pedido)
        return Uso;
    if (const auto error = ErrorDestinoPdf(o.salida)) {
        Escribir(errores, *error + u'\n');
        return Fallo;
    }
    pedido->destino = DestinoTirada::Pdf;
    return Tirar(t, e.impresoras.crearPdf(o.salida, t.l.hoja.HAncho, t.l.hoja.HAlto), *pedido,
                 QStringLiteral("Exportando a %1...\n").arg(o.salida), e, politica, errores);
}

// The run on a printer as the desktop program prints it: the one named, else
// the program's ("Printer"), else the system's default.
int Imprimir(const Opciones& o, const TrabajoLeido& t, Entorno& e, PoliticaFallas& politica,
             std::FILE* errores) {
    auto pedido = Pedido(o, t.hojas, errores);
    if (!pedido)
        return Uso;
    QString nombre = o.impresora;
    if (nombre.isEmpty())
        nombre = Preferencias(e.ajustes).impresora().value_or(QString());
    if (nombre.isEmpty() || !e.impresoras.impresoras().contains(nombre))
        nombre = o.impresora.isEmpty() ? e.impresoras.predeterminada() : nombre;
    std::unique_ptr<Impresora> imp = e.impresoras.crear(nombre);
    if (!imp) {
        Escribir(errores, nombre.isEmpty()
                              ? QStringLiteral("No hay impresora\n")
                              : QStringLiteral("La impresora %1 no existe\n").arg(nombre));
        return Fallo;
    }
    pedido->destino = DestinoTirada::Impresora;
    pedido->orientar = true;
    const QString destino = QStringLiteral("Imprimiendo en %1...\n").arg(imp->nombreDispositivo());
    return Tirar(t, std::move(imp), *pedido, destino, e, politica, errores);
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
        "  velquira-cli continuar TRABAJO.zul [--salida OTRO.zul]\n"
        "\n"
        "info    muestra la hoja, la orientación, los cuadros y las hojas de la tirada.\n"
        "textos  escribe una línea por hoja: el número de hoja y, por cada cuadro,\n"
        "        un tabulador y el texto que imprime en esa hoja.\n"
        "pdf     escribe la tirada (o su primera hoja, o las hojas K a M) en un PDF\n"
        "        cuyas páginas son la hoja del trabajo, sin corrección de impresora.\n"
        "imprimir imprime como el programa: en la impresora del programa (o la\n"
        "        indicada), con su corrección y su margen no imprimible.\n"
        "impresoras lista las impresoras instaladas.\n"
        "continuar prepara la tirada siguiente: cada serie sigue donde termina esta\n"
        "        (escribe el trabajo, u OTRO.zul con --salida).\n"
        "--forzar imprime también un trabajo incompleto (un archivo cortado o dañado).\n");
}

int Ejecutar(const QStringList& argumentos, Entorno& entorno, std::FILE* salida,
             std::FILE* errores) {
    // Asked for, the usage text goes to standard output (the manual page is made from it).
    if (argumentos.size() == 1 && (argumentos[0] == u"--help" || argumentos[0] == u"-h")) {
        Escribir(salida, TextoUso());
        return Exito;
    }
    QString error;
    const auto o = Analizar(argumentos, error);
    if (!o) {
        Escribir(errores, error + u'\n' + TextoUso());
        return Uso;
    }
    if (o->comando == u"impresoras")
        return Impresoras(entorno, salida);
    // Never write the PDF over the job itself (also through a link), nor read it first.
    if (o->comando == u"pdf" && MismoArchivo(o->salida, o->archivo)) {
        Escribir(errores, TextoSobreElTrabajo(o->archivo) + u'\n');
        return Uso;
    }
    MensajesConsola mensajes;
    PoliticaFallas politica(mensajes, {});
    politica.permitirTerminar(false);
    int codigo = Fallo;
    const auto t = Leer(*o, entorno.ajustes, politica, errores, codigo);
    if (!t)
        return codigo;
    if (o->comando == u"info")
        return Info(*t, salida);
    if (o->comando == u"textos")
        return Textos(*o, *t, politica, salida);
    if (o->comando == u"pdf")
        return Pdf(*o, *t, entorno, politica, errores);
    if (o->comando == u"continuar")
        return ContinuarTrabajo(t->l, o->salida.isEmpty() ? o->archivo : o->salida, QLocale(),
                                politica, salida, errores);
    return Imprimir(*o, *t, entorno, politica, errores);
}

} // namespace cli
