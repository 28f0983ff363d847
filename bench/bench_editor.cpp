// The editor's speed at 100, 2,000, 8,000 and 32,767 boxes: a job opened
// and the screenful a window shows drawn, drawn again, a 200-box group
// dragged (each pointer move handled and what it changed painted), the box
// under the pointer found, and at 2,000 boxes undo and redo of a drag and of
// a paste of every box; and its memory: a job of one 1,638-point box at
// 1000 % opened and its screenful drawn. Offscreen; prints milliseconds and
// the peak resident memory.
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
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {
double PicoMiB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0;
}

// One box of 1,638 points at 1000 %: the size of its picture is what a
// naive editor would allocate.
void CuadroEnorme(const QString& ruta) {
    {
        Estado e;
        e.Trabajo.HAncho = 12242;
        e.Trabajo.HAlto = 15842;
        e.Trabajo.Zoom = 10;
        AjustesMemoria a;
        const int j = e.AgregarCuadro(Preferencias(a).defectosCuadro());
        e.Cuadros[j].FontSize = 1638;
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(SerializarTrabajo(e, QLocale::c()));
    }
    const double antes = PicoMiB();
    EditorDePrueba editor(ruta);
    Programa& programa = editor.programa;
    QElapsedTimer reloj;
    reloj.start();
    editor.abrir();
    VistaHoja* hoja = editor.hoja();
    QImage pantalla(1280, 800, QImage::Format_RGB32);
    hoja->render(&pantalla, QPoint(), QRegion(0, 0, 1280, 800));
    const QRectF caja = programa.editor.elementos().elementos()[0].rect;
    std::printf("open a job of one 1,638-point box at 1000 %% (%.0f x %.0f pixels) and draw a "
                "1280 x 800 screenful: %lld ms, peak RSS %.1f MiB (%.1f MiB before)\n",
                hoja->pixeles(caja.width()), hoja->pixeles(caja.height()),
                static_cast<long long>(reloj.elapsed()), PicoMiB(), antes);
}
// A job of `n` boxes in a grid (400 by 450 twips apart at 75 %), on a sheet
// just large enough for it.
void EscribirRejilla(const QString& ruta, int n) {
    Estado e;
    const int columnas = static_cast<int>(std::ceil(std::sqrt(n * 450.0 / 400.0)));
    const int filas = (n + columnas - 1) / columnas;
    e.Trabajo.HAncho = static_cast<qint32>((600 + columnas * 400) / 0.75);
    e.Trabajo.HAlto = static_cast<qint32>((600 + filas * 450) / 0.75);
    e.Trabajo.Zoom = 0.75f;
    AjustesMemoria a;
    const Cuadro defectos = Preferencias(a).defectosCuadro();
    for (int i = 0; i < n; ++i) {
        const int x = 300 + (i % columnas) * 400;
        const int y = 300 + (i / columnas) * 450;
        const int j = e.AgregarCuadro(
            defectos, QPoint(static_cast<int>(x / 0.75), static_cast<int>(y / 0.75)));
        e.Cuadros[j].Inicio = i * 10 + 1;
        e.Cuadros[j].Fin = i * 10 + 10;
        e.Cuadros[j].Rotacion = static_cast<qint16>((i % 4) * 90);
    }
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(SerializarTrabajo(e, QLocale::c()));
}

// Opens a job of `n` boxes and draws the screenful a 1280 x 800 window shows,
// then drags a block of 200 boxes (20 rows of 10; half the job when smaller).
// With `historia`, also undo and redo of the drag and of a paste of every box.
void Editor(const QString& ruta, int n, bool historia) {
    EscribirRejilla(ruta, n);
    EditorDePrueba editor(ruta);
    Programa& programa = editor.programa;
    const QRegion pantalla(0, 0, 1280, 800);
    QElapsedTimer reloj;
    reloj.start();
    editor.abrir();
    VistaHoja* hoja = editor.hoja();
    QImage lienzo(hoja->size().boundedTo(QSize(1280, 800)), QImage::Format_RGB32);
    hoja->render(&lienzo, QPoint(), pantalla);
    std::printf("%6d boxes: open and draw a screenful: %lld ms\n", n,
                static_cast<long long>(reloj.elapsed()));
    // A box's picture is made at its second paint and used from the third.
    reloj.restart();
    hoja->render(&lienzo, QPoint(), pantalla);
    std::printf("%6d boxes: draw the screenful again (pictures made): %.2f ms\n", n,
                reloj.nsecsElapsed() / 1e6);
    reloj.restart();
    hoja->render(&lienzo, QPoint(), pantalla);
    std::printf("%6d boxes: and a third time (from the pictures): %.2f ms\n", n,
                reloj.nsecsElapsed() / 1e6);

    SeleccionHoja& s = programa.editor.seleccion();
    const auto& el = programa.editor.elementos().elementos();
    const int columnas = static_cast<int>(std::ceil(std::sqrt(n * 450.0 / 400.0)));
    const int grupo = std::min(200, n / 2);
    QList<int> bloque;
    for (int f = 0; bloque.size() < grupo; ++f)
        for (int c = 0; c < std::min(10, columnas) && bloque.size() < grupo; ++c)
            bloque.append(f * columnas + c);
    for (int i : bloque)
        s.PulsarCuadro(i, Boton::Izquierdo, true, {1, 1});
    s.PulsarCuadro(bloque[0], Boton::Izquierdo, false, {1, 1});
    const QPointF inicio = el[bloque[0]].rect.topLeft();
    QImage vista(1280, 800, QImage::Format_RGB32);
    const MedidaArrastre arrastre = MedirArrastre(editor, vista, inicio, {7, 5}, 200);
    std::printf("%6d boxes: drag a %d-box group: %.2f ms a pointer move on average, %.2f ms at "
                "worst (move handled and what it changed painted)\n",
                n, grupo, arrastre.media, arrastre.peor);
    reloj.restart();
    for (int k = 0; k < 200; ++k)
        programa.editor.elementos().CuadroEn(el[(k * 7919) % n].rect.center());
    std::printf("%6d boxes: find the box under the pointer: %.1f us\n", n,
                reloj.nsecsElapsed() / 1e3 / 200);
    if (historia) {
        // Undo and redo of that drag, and of a paste of every box of the
        // job, each drawn again.
        const auto medir = [&](const char* que, const std::function<void()>& paso) {
            reloj.restart();
            paso();
            hoja->render(&lienzo, QPoint(), pantalla);
            std::printf("%6d boxes: %s: %lld ms\n", n, que,
                        static_cast<long long>(reloj.elapsed()));
        };
        medir("undo the group drag and draw", [&] { programa.documento().deshacer(); });
        medir("redo it and draw", [&] { programa.documento().rehacer(); });
        programa.editor.SeleccionarTodo();
        programa.comandos.CopiarCuadros(0, false);
        medir("paste every box and draw", [&] { programa.comandos.PegarCuadros(false); });
        medir("undo the paste and draw", [&] { programa.documento().deshacer(); });
        medir("redo it and draw", [&] { programa.documento().rehacer(); });
    }
}
} // namespace

// bench_editor [N ...]: the editor at N boxes (by default 100, 2,000, 8,000
// and 32,767). bench_editor --escribir N JOB.zul writes the job of N boxes
// it measures, to look at in the program.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--escribir") {
        EscribirRejilla(QString::fromLocal8Bit(argv[3]), QByteArray(argv[2]).toInt());
        return 0;
    }
    QTemporaryDir dir;
    // First, while the peak memory is still the program's own.
    CuadroEnorme(dir.filePath("enorme.zul"));
    QList<int> cuantos;
    for (int i = 1; i < argc; ++i)
        cuantos.append(QString::fromLocal8Bit(argv[i]).toInt());
    if (cuantos.isEmpty())
        cuantos = {100, 2000, 8000, 32767};
    for (int n : cuantos)
        if (n > 1 && n <= 32767)
            Editor(dir.filePath(QStringLiteral("rejilla%1.zul").arg(n)), n, n == 2000);
    return 0;
}
