// Stepping through the run's sheets on screen: a job of 2,000 boxes (groups
// of four in cut-and-stack order with a short last pile, groups numbered
// consecutively on each sheet, and short series that go blank early) is
// opened, and Av Pág is pressed on the sheet 200 times; each step is the
// sheet changed and the whole sheet painted again. Offscreen; prints the
// average and the worst step in milliseconds.
#include "Banco.h"
#include "core/programa/Programa.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/DialogosArchivo.h"
#include "core/puertos/DialogosImpresion.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/puertos/Portapapeles.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/Preferencias.h"
#include "ui/FrmDrag.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {
// This process's CPU time, nanoseconds: what a step costs whatever else the
// machine is running.
qint64 TiempoCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// 500 groups of four boxes on an A3 sheet at 75 %: every third group
// consecutive on each sheet (box k prints S + k, step 4) over 1,000
// numbers; the others cut and stacked, 990 numbers in piles of 248 (the
// last pile is 246, so its box goes blank for the last two sheets); and one
// box in seven of the stacked groups a short series of 20 to 180 numbers.
void EscribirTrabajo(const QString& ruta) {
    Estado e;
    e.Trabajo.HAncho = 16839;
    e.Trabajo.HAlto = 23814;
    e.Trabajo.Zoom = 0.75f;
    AjustesMemoria a;
    const Cuadro defectos = Preferencias(a).defectosCuadro();
    for (int i = 0; i < 2000; ++i) {
        const int x = 300 + (i % 40) * 400;
        const int y = 300 + (i / 40) * 450;
        const int j = e.AgregarCuadro(
            defectos, QPoint(static_cast<int>(x / 0.75), static_cast<int>(y / 0.75)));
        Cuadro& c = e.Cuadros[j];
        const int grupo = i / 4, k = i % 4;
        const double base = grupo * 1000.0 + 1;
        if (grupo % 3 == 0) {
            c.Inicio = base + k;
            c.Salto = 4;
            c.Fin = base + 999;
        } else if (i % 7 == 0) {
            c.Inicio = base;
            c.Salto = 1;
            c.Fin = base + 20 + (i % 161);
        } else {
            constexpr int kPila = 248;
            c.Inicio = base + k * kPila;
            c.Salto = 1;
            c.Fin = std::min(base + (k + 1) * kPila - 1, base + 989);
        }
        c.Cifras = 6;
    }
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(SerializarTrabajo(e, QLocale::c()));
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ruta = dir.filePath("hojas.zul");
    EscribirTrabajo(ruta);
    EditorDePrueba editor(ruta);
    Programa& programa = editor.programa;
    editor.abrir();
    VistaHoja* hoja = editor.hoja();
    QImage lienzo(hoja->size(), QImage::Format_RGB32);
    hoja->render(&lienzo);
    std::printf("a job of %d boxes, a run of %d sheets, the sheet %d x %d pixels\n",
                programa.documento().cuadrosVivos(), programa.editor.hojasTirada(), hoja->width(),
                hoja->height());

    // A step paints the whole sheet, or (`pantalla`) the part a 1280 x 800
    // window shows of it.
    const auto pasos = [&](int veces, Qt::Key tecla, const char* que, bool pantalla = false) {
        qint64 peor = 0, peorCpu = 0;
        QElapsedTimer reloj, uno;
        reloj.start();
        const qint64 cpu = TiempoCpu();
        for (int k = 0; k < veces; ++k) {
            uno.start();
            const qint64 cpuUno = TiempoCpu();
            QKeyEvent pulsada(QEvent::KeyPress, tecla, Qt::NoModifier);
            QApplication::sendEvent(hoja, &pulsada);
            if (pantalla)
                hoja->render(&lienzo, QPoint(), QRegion(0, 0, 1280, 800));
            else
                hoja->render(&lienzo);
            peor = std::max(peor, uno.nsecsElapsed());
            peorCpu = std::max(peorCpu, TiempoCpu() - cpuUno);
        }
        std::printf("%s (sheet %d shown): %.2f ms a step on average, %.2f ms at worst; "
                    "CPU %.2f ms on average, %.2f ms at worst\n",
                    que, programa.editor.hojaMostrada(), reloj.nsecsElapsed() / 1e6 / veces,
                    peor / 1e6, (TiempoCpu() - cpu) / 1e6 / veces, peorCpu / 1e6);
    };
    // The two parts of a step apart: the boxes placed for another sheet, and
    // the sheet painted with nothing changed.
    QElapsedTimer reloj;
    reloj.start();
    for (int k = 2; k < 100; ++k)
        programa.editor.MostrarHoja(k);
    std::printf("the sheet changed only: %.2f ms a step\n", reloj.nsecsElapsed() / 1e6 / 98);
    reloj.restart();
    for (int k = 0; k < 50; ++k)
        hoja->render(&lienzo);
    std::printf("the sheet painted again, unchanged: %.2f ms\n", reloj.nsecsElapsed() / 1e6 / 50);
    programa.editor.MostrarHoja(1);
    hoja->render(&lienzo);
    pasos(200, Qt::Key_PageDown, "Av Pag 200 times from sheet 1");
    pasos(200, Qt::Key_PageUp, "Re Pag 200 times back");
    pasos(1, Qt::Key_End, "Fin (the last sheet, short piles blank)");
    pasos(1, Qt::Key_Home, "Inicio (back to sheet 1)");
    pasos(200, Qt::Key_PageDown, "Av Pag 200 times, a 1280 x 800 screenful painted", true);
    return 0;
}
