// velquira-cli: batch work on job files. It never opens a window, so it runs
// on the offscreen platform unless told otherwise.
#include "app/Asignador.h"
#include "cli/ComandosCli.h"
#include "core/impresion/RegistroTiradas.h"
#include "core/puertos/MensajesConsola.h"
#include "platform/AjustesQt.h"
#include "platform/Fuentes.h"
#include "platform/ImpresoraQt.h"

#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <signal.h>

namespace {
// Standard error is for the operator's Spanish messages; Qt's own notices
// (a missing runtime folder, font fallbacks) are not.
void SoloGraves(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(texto));
}
volatile std::sig_atomic_t g_interrumpido = 0;

void AlInterrumpir(int) {
    g_interrumpido = 1;
}

// A print or export stops at the next sheet and throws its document away,
// instead of dying with a half-written spool file or PDF behind it.
void VigilarInterrupcion() {
    struct sigaction accion {};
    accion.sa_handler = AlInterrumpir;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    sigaction(SIGINT, &accion, nullptr);
    sigaction(SIGTERM, &accion, nullptr);
}
} // namespace

int main(int argc, char** argv) {
    AjustarAsignador();
    qInstallMessageHandler(SoloGraves);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RegistrarFuentes();
    AjustesQt ajustes;
    // A settings file left unread is said, and the command goes on with the defaults.
    for (const QString& aviso : ajustes.avisos())
        MensajesConsola().mostrar(aviso, QStringLiteral("Ajustes"), Icono::Exclamacion,
                                  Botones::Aceptar);
    CatalogoImpresorasQt impresoras;
    const QStringList argumentos = app.arguments().mid(1);
    cli::Entorno entorno{ajustes,
                         impresoras,
                         {QCoreApplication::applicationDirPath(), ajustes.carpeta()},
                         [] { return g_interrumpido != 0; },
                         RegistroTiradas::CarpetaPorDefecto()};
    if (argumentos.value(0) == u"pdf" || argumentos.value(0) == u"imprimir")
        VigilarInterrupcion();
    return cli::Ejecutar(argumentos, entorno, stdout, stderr);
}
