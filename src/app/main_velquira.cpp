// The desktop program.
#include "app/Asignador.h"
#include "core/programa/Programa.h"
#include "platform/AjustesQt.h"
#include "platform/DialogosArchivoQt.h"
#include "platform/DialogosImpresionQt.h"
#include "platform/Fuentes.h"
#include "platform/ImpresoraQt.h"
#include "platform/LectorImagenesQt.h"
#include "platform/MensajesQt.h"
#include "platform/PortapapelesQt.h"
#include "ui/FrmBar.h"
#include "ui/FrmDrag.h"
#include "ui/Iconos.h"
#include "ui/PpalMdi.h"
#include "ui/Splash.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    AjustarAsignador();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kNombreProducto);
    QApplication::setApplicationDisplayName(QString());
    // The desktop's menu entry (velquira.desktop): its icon and name on the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("velquira"));
    // Every window and dialog, the splash and the message boxes included.
    QApplication::setWindowIcon(IconoPrograma());
    RegistrarFuentes();
    // The interface is Spanish whatever the desktop's language: Qt's own
    // dialogs (print, files, colours) too.
    QTranslator traduccionQt;
    if (traduccionQt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduccionQt);

    const QStringList args = app.arguments().mid(1);
    const QString lineaComandos = args.join(u' ');

    AjustesQt ajustes;
    MensajesQt mensajes;
    DialogosArchivoQt dialogos;
    PortapapelesQt portapapeles;
    CatalogoImpresorasQt impresoras;
    DialogosImpresionQt dialogosImpresion;
    LectorImagenesQt lectorImagenes;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int espera = lineaComandos.trimmed().isEmpty() ? 2000 : 1000;
    Splash splash;
    splash.show();
    QElapsedTimer reloj;
    reloj.start();

    PpalMdi* principal = nullptr;
    Servicios servicios{ajustes, mensajes, dialogos, portapapeles, impresoras, dialogosImpresion};
    servicios.crearVentanaProgreso = [&principal]() -> std::unique_ptr<VentanaProgreso> {
        return std::make_unique<FrmBar>(principal);
    };
    // Older correction files lie beside the program, or where a read-only
    // program folder made the operator put them: beside the settings.
    servicios.carpetasAjusteAntiguo = {QCoreApplication::applicationDirPath(), ajustes.carpeta()};
    servicios.carpetaAjustes = ajustes.carpeta();
    servicios.carpetaTiradas = RegistroTiradas::CarpetaPorDefecto();
    servicios.lectorImagenes = &lectorImagenes;
    Programa programa(servicios);
    PpalMdi ventana(programa);
    principal = &ventana;
    mensajes.fijarPadre(&ventana);
    dialogos.fijarPadre(&ventana);
    dialogosImpresion.fijarPadre(&ventana);
    ventana.show();
    splash.raise();

    // The main window is drawn and already answers while the splash stays.
    while (reloj.elapsed() < espera)
        app.processEvents(QEventLoop::AllEvents, 50);

    splash.close();
    QApplication::restoreOverrideCursor();
    for (const QString& aviso : ajustes.avisos())
        mensajes.mostrar(aviso, QStringLiteral("Ajustes"), Icono::Exclamacion, Botones::Aceptar);
    programa.ciclo.AbrirLineaComandos(lineaComandos);
    return app.exec();
}
