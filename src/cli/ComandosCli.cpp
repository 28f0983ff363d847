#include "ComandosCli.h"

#include "cli/Continuar.h"

#include "core/fallas/Fallas.h"
#include "core/impresion/Impresion.h"
#include "core/impresion/RegistroTiradas.h"
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

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
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
    bool forzar = false;    // pdf and imprimir: a job that is not whole too
    bool inverso = false;   // pdf and imprimir: the last sheet first
    bool continuar = false; // imprimir: the job's last run, from where it stopped
    QString trabajo;        // historial: that job's runs only
    bool json = false;      // historial
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
    static const QStringList kOrdenes = {"info",       "textos",    "pdf",      "imprimir",
                                         "impresoras", "continuar", "historial"};
    if (!kOrdenes.contains(o.comando)) {
        error = QStringLiteral("Orden desconocida: %1").arg(o.comando);
        return std::nullopt;
    }
    const bool conRango = o.comando != u"info" && o.comando != u"impresoras" &&
                          o.comando != u"continuar" && o.comando != u"historial";
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
        } else if (imprime && a == u"--orden-inverso") {
            o.inverso = true;
        } else if (o.comando == u"imprimir" && a == u"--continuar") {
            o.continuar = true;
        } else if (o.comando == u"historial" && a == u"--json") {
            o.json = true;
        } else if (o.comando == u"historial" && a == u"--trabajo") {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                error = QStringLiteral("Falta el trabajo después de --trabajo.");
                return std::nullopt;
            }
            o.trabajo = args[++i];
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
    const int esperados =
        o.comando == u"impresoras" || o.comando == u"historial" ? 0 : (o.comando == u"pdf" ? 2 : 1);
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
    if (o.continuar && (o.desde || o.hasta || o.prueba || o.inverso)) {
        error = QStringLiteral("--continuar sigue la última tirada del trabajo, con sus hojas y su "
                               "orden: no admite --desde, --hasta, --prueba ni --orden-inverso.");
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
    t.inverso = o.inverso && !o.prueba;
    if (o.desde || o.hasta) {
        if (const auto error = ErrorRango(t.rango, hojas)) {
            Escribir(errores, *error + u'\n');
            return std::nullopt;
        }
    }
    return p;
}

void Avisar(std::FILE* errores, const QStringList& avisos) {
    for (const QString& aviso : avisos)
        Escribir(errores, QStringLiteral("Aviso: %1\n").arg(aviso));
}

// What a run that stopped had sent, and how to go on with it.
void DecirEnviadas(std::FILE* errores, FinTirada fin, const RegistroTirada& r) {
    const auto ultima = r.ultimaEnviada();
    if (fin == FinTirada::Cancelada) {
        Escribir(errores, (ultima ? TextoCanceladaConEnviadas(r.hojaFin, r.primera(), *ultima)
                                  : TextoCancelada(r.pdf)) +
                              u'\n');
    } else if (ultima) {
        Escribir(errores, QStringLiteral("La impresión se detuvo en la hoja %1. Se enviaron a la "
                                         "impresora las hojas %2; las siguientes no se enviaron.\n")
                              .arg(r.hojaFin)
                              .arg(TextoHojas(r.primera(), *ultima)));
    }
    if (ultima && r.restantes())
        Escribir(errores,
                 QStringLiteral("Con --continuar se sigue desde la hoja %1.\n").arg(r.siguiente()));
}

// Prepares the run on `imp`, warns of its verdicts, notes it in the run
// log, says `destino` and prints the sheets.
int Tirar(const Opciones& o, const TrabajoLeido& t, std::unique_ptr<Impresora> imp,
          const PedidoTirada& pedido, const QString& destino, Entorno& e, PoliticaFallas& politica,
          std::FILE* errores, const QString& continuaDe = {}) {
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
    const bool pdf = pedido.destino == DestinoTirada::Pdf;
    RegistroTiradas registro(e.carpetaTiradas);
    RegistroTirada tirada =
        NuevaTirada(t.l.hoja, t.l.cuadros, o.archivo,
                    pdf ? QFileInfo(o.salida).absoluteFilePath() : impresora.nombreDispositivo(),
                    pdf, p.tirada);
    tirada.continuaDe = continuaDe;
    AnotacionTirada nota(registro, std::move(tirada), t.l.cuadros);
    const auto sinRegistro = nota.iniciar();
    if (sinRegistro)
        Avisar(errores, {*sinRegistro});
    Escribir(errores, destino);
    ProgresoConsola progreso(e.interrumpido);
    const FinTirada fin =
        ImprimirHojas(t.l.cuadros, impresora, p.tirada, &progreso, politica, nullptr, &nota);
    imp.reset();
    if (nota.error() && !sinRegistro)
        Avisar(errores, {*nota.error()});
    switch (fin) {
    case FinTirada::Terminada:
        return Exito;
    case FinTirada::SinHojas:
        Escribir(errores, QStringLiteral("No hay hojas que imprimir.\n"));
        return Fallo;
    case FinTirada::Cancelada:
    case FinTirada::Abandonada:
        DecirEnviadas(errores, fin, nota.tirada());
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
    return Tirar(o, t, e.impresoras.crearPdf(o.salida, t.l.hoja.HAncho, t.l.hoja.HAlto), *pedido,
                 QStringLiteral("Exportando a %1...\n").arg(o.salida), e, politica, errores);
}

// --continuar: the job's last run, when it did not complete and the job
// prints what it printed then (else said on `errores`; nothing then).
std::optional<RegistroTirada> TiradaAContinuar(const Opciones& o, const TrabajoLeido& t, Entorno& e,
                                               std::FILE* errores) {
    const RegistroTiradas::Lectura l = RegistroTiradas(e.carpetaTiradas).leer();
    Avisar(errores, l.avisos);
    const auto r = UltimaTiradaDe(l, o.archivo);
    QString error;
    if (!r)
        error = QStringLiteral("No hay tiradas de este trabajo en el historial.");
    else if (r->completa() || !r->restantes())
        error = QStringLiteral("La última tirada de este trabajo está completa: no hay nada que "
                               "continuar.");
    else if (r->pdf)
        error = QStringLiteral("La última tirada de este trabajo fue una exportación a PDF, que "
                               "se escribe entera o no se escribe: no se continúa.");
    else if (const QStringList cambios = CambiosDesde(*r, t.l.hoja, t.l.cuadros);
             !cambios.isEmpty())
        error = QStringLiteral("El trabajo cambió desde su última tirada: %1. No se continúa: "
                               "las hojas que siguen no llevarían los números de esa tirada.")
                    .arg(cambios.join(QStringLiteral(", ")));
    if (!error.isEmpty()) {
        Escribir(errores, error + u'\n');
        return std::nullopt;
    }
    return r;
}

// The run on a printer as the desktop program prints it: the one named, else
// (going on with a run) that run's, else the program's ("Printer"), else the
// system's default.
int Imprimir(const Opciones& o, const TrabajoLeido& t, Entorno& e, PoliticaFallas& politica,
             std::FILE* errores) {
    auto pedido = Pedido(o, t.hojas, errores);
    if (!pedido)
        return Uso;
    std::optional<RegistroTirada> anterior;
    if (o.continuar) {
        anterior = TiradaAContinuar(o, t, e, errores);
        if (!anterior)
            return Fallo;
        pedido->tirada.rango = *anterior->restantes();
        pedido->tirada.inverso = anterior->inverso;
    } else if (!o.prueba) {
        const auto r = UltimaTiradaDe(RegistroTiradas(e.carpetaTiradas).leer(), o.archivo);
        if (r && !r->completa() && !r->pdf && r->ultimaEnviada() && r->restantes())
            Escribir(errores, QStringLiteral("Aviso: la última tirada de este trabajo se detuvo "
                                             "en la hoja %1; con --continuar se sigue desde la "
                                             "hoja %2.\n")
                                  .arg(*r->ultimaEnviada())
                                  .arg(r->siguiente()));
    }
    QString nombre = o.impresora;
    if (nombre.isEmpty() && anterior) {
        if (e.impresoras.impresoras().contains(anterior->destino))
            nombre = anterior->destino;
        else
            Escribir(errores, QStringLiteral("Aviso: la impresora de esa tirada (%1) no existe.\n")
                                  .arg(anterior->destino));
    }
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
    pedido->tirada.hojasPorEntrega = kHojasPorEntrega;
    const QString destino = QStringLiteral("Imprimiendo en %1...\n").arg(imp->nombreDispositivo());
    return Tirar(o, t, std::move(imp), *pedido, destino, e, politica, errores,
                 anterior ? anterior->id : QString());
}

// The run log, newest first: a line of tab-separated columns per run, or
// (--json) an array of the records.
int Historial(const Opciones& o, Entorno& e, std::FILE* salida, std::FILE* errores) {
    const RegistroTiradas registro(e.carpetaTiradas);
    const RegistroTiradas::Lectura l = registro.leer();
    Avisar(errores, l.avisos);
    std::vector<RegistroTirada> tiradas;
    for (const RegistroTirada& r : l.tiradas)
        if (o.trabajo.isEmpty() || DelTrabajo(r, o.trabajo))
            tiradas.push_back(r);
    if (o.json) {
        QJsonArray lista;
        for (const RegistroTirada& r : tiradas)
            lista.append(AJson(r));
        Escribir(salida, QString::fromUtf8(QJsonDocument(lista).toJson(QJsonDocument::Indented)));
        return std::fflush(salida) == 0 ? Exito : Fallo;
    }
    if (tiradas.empty()) {
        Escribir(salida, QStringLiteral("No hay tiradas en el historial (%1).\n")
                             .arg(QDir::toNativeSeparators(registro.ruta())));
        return std::fflush(salida) == 0 ? Exito : Fallo;
    }
    Escribir(salida, QStringLiteral("Fecha\tTrabajo\tImpresora\tHojas\tEnviadas\tResultado\n"));
    for (const RegistroTirada& r : tiradas)
        Escribir(salida, QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                             .arg(r.inicio.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                  QDir::toNativeSeparators(r.trabajo),
                                  r.pdf ? QStringLiteral("PDF %1").arg(r.destino) : r.destino,
                                  TextoHojas(r.primera(), r.inverso ? r.desde : r.hasta),
                                  TextoEnviadas(r), TextoResultado(r)));
    return std::fflush(salida) == 0 ? Exito : Fallo;
}

} // namespace

QString TextoUso() {
    return QStringLiteral(
        "Uso:\n"
        "  velquira-cli info TRABAJO.zul\n"
        "  velquira-cli textos TRABAJO.zul [--desde K] [--hasta M]\n"
        "  velquira-cli pdf TRABAJO.zul SALIDA.pdf [--prueba] [--desde K] [--hasta M] "
        "[--orden-inverso] [--forzar]\n"
        "  velquira-cli imprimir TRABAJO.zul [--impresora NOMBRE] [--prueba] [--desde K] "
        "[--hasta M] [--orden-inverso] [--forzar]\n"
        "  velquira-cli imprimir TRABAJO.zul --continuar [--impresora NOMBRE] [--forzar]\n"
        "  velquira-cli impresoras\n"
        "  velquira-cli continuar TRABAJO.zul [--salida OTRO.zul]\n"
        "  velquira-cli historial [--trabajo TRABAJO.zul] [--json]\n"
        "\n"
        "info    muestra la hoja, la orientación, los cuadros y las hojas de la tirada.\n"
        "textos  escribe una línea por hoja: el número de hoja y, por cada cuadro,\n"
        "        un tabulador y el texto que imprime en esa hoja.\n"
        "pdf     escribe la tirada (o su primera hoja, o las hojas K a M) en un PDF\n"
        "        cuyas páginas son la hoja del trabajo, sin corrección de impresora.\n"
        "imprimir imprime como el programa: en la impresora del programa (o la\n"
        "        indicada), con su corrección y su margen no imprimible. Termina con\n"
        "        un código distinto de 0 si la tirada no se completó.\n"
        "impresoras lista las impresoras instaladas.\n"
        "continuar prepara la tirada siguiente: cada serie sigue donde termina esta\n"
        "        (escribe el trabajo, u OTRO.zul con --salida).\n"
        "historial lista las tiradas anotadas, la más reciente primero (con --trabajo,\n"
        "        sólo las de ese trabajo; con --json, como objetos JSON).\n"
        "--orden-inverso imprime la última hoja primero; cada hoja lleva sus números.\n"
        "--continuar sigue la última tirada del trabajo que no se completó, desde la\n"
        "        hoja siguiente a la última enviada, en su orden y su impresora.\n"
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
    if (o->comando == u"historial")
        return Historial(*o, entorno, salida, errores);
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
