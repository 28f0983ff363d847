// velquira-cli: batch work on job files. It never opens a window, so it runs
// on the offscreen platform unless told otherwise.
#include "platform/AjustesQt.h"
#include "platform/Fuentes.h"
#include "platform/ImpresoraQt.h"
#include "platform/MensajesConsola.h"
#include "shell/ComandosCli.h"

#include <QGuiApplication>
#include <cstdio>

namespace {
// Standard error is for the operator's Spanish messages; Qt's own notices
// (a missing runtime folder, font fallbacks) are not.
void SoloGraves(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(texto));
}
} // namespace

int main(int argc, char** argv) {
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
    cli::Entorno entorno{ajustes, impresoras,
                         {QCoreApplication::applicationDirPath(), ajustes.carpeta()}};
    return cli::Ejecutar(app.arguments().mid(1), entorno, stdout, stderr);
}
