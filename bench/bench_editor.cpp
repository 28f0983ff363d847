// The editor's speed: a job of 2,000 boxes opened and drawn, and a 200-box
// group dragged (each pointer move handled and the sheet painted again); and
// its memory: a job of one 1,638-point box at 1000 % opened and its screenful
// drawn. Offscreen; prints milliseconds and the peak resident memory.
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
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {
struct Nada : Mensajes, DialogosArchivo, Portapapeles, CatalogoImpresoras, DialogosImpresion {
    Respuesta mostrar(const QString&, const QString&, Icono, Botones) override {
        return Respuesta::No;
    }
    std::optional<QString> ruta;
    std::optional<QString> abrir(const QString&, const QString&) override { return ruta; }
    std::optional<QString> guardar(const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> exportarPdf(const QString&) override { return {}; }
    void limpiar() override {}
    void fijarTexto(const QString& t) override { copia = t; }
    std::optional<QString> texto() const override { return copia; }
    std::optional<QString> copia;
    QStringList impresoras() const override { return {}; }
    QString predeterminada() const override { return {}; }
    std::unique_ptr<Impresora> crear(const QString&) override { return {}; }
    std::unique_ptr<Impresora> crearPdf(const QString&, qint32, qint32) override { return {}; }
    bool imprimir(Impresora&, int, qint32, RangoHojas&, bool, bool*) override { return false; }
    bool rangoExportacion(qint32, RangoHojas&) override { return false; }
    bool configurar(Impresora&, int) override { return false; }
    bool rangoVistaPreliminar(qint32, RangoHojas&) override { return false; }
    void vistaPreliminar(Impresora&, const RangoHojas&, qint32,
                         const std::function<void(Impresora&)>&) override {}
};
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
    AjustesMemoria ajustes;
    Nada nada;
    nada.ruta = ruta;
    Programa programa({ajustes, nada, nada, nada, nada, nada});
    FrmDrag ventana(programa.documento(), programa.editor);
    QElapsedTimer reloj;
    reloj.start();
    programa.despachador.ejecutar("BtnAbrir");
    VistaHoja* hoja = ventana.hoja();
    QImage pantalla(1280, 800, QImage::Format_RGB32);
    hoja->render(&pantalla, QPoint(), QRegion(0, 0, 1280, 800));
    const QRectF caja = programa.editor.elementos().elementos()[0].rect;
    std::printf("open a job of one 1,638-point box at 1000 %% (%.0f x %.0f pixels) and draw a "
                "1280 x 800 screenful: %lld ms, peak RSS %.1f MiB (%.1f MiB before)\n",
                hoja->pixeles(caja.width()), hoja->pixeles(caja.height()),
                static_cast<long long>(reloj.elapsed()), PicoMiB(), antes);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    // First, while the peak memory is still the program's own.
    CuadroEnorme(dir.filePath("enorme.zul"));
    const QString ruta = dir.filePath("dosmil.zul");
    {
        Estado e;
        e.Trabajo.HAncho = 16839;
        e.Trabajo.HAlto = 23814; // A3
        e.Trabajo.Zoom = 0.75f;
        AjustesMemoria a;
        const Cuadro defectos = Preferencias(a).defectosCuadro();
        for (int i = 0; i < 2000; ++i) {
            const int x = 300 + (i % 40) * 400;
            const int y = 300 + (i / 40) * 450;
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
    AjustesMemoria ajustes;
    Nada nada;
    nada.ruta = ruta;
    Programa programa({ajustes, nada, nada, nada, nada, nada});
    FrmDrag* ventana = nullptr;
    QObject::connect(&programa.documento(), &Documento::abiertoCambiado, [&](bool abierto) {
        if (abierto && !ventana)
            ventana = new FrmDrag(programa.documento(), programa.editor);
    });
    QElapsedTimer reloj;
    reloj.start();
    programa.despachador.ejecutar("BtnAbrir");
    VistaHoja* hoja = ventana->hoja();
    QImage lienzo(hoja->size(), QImage::Format_RGB32);
    hoja->render(&lienzo);
    std::printf("open and draw a job of %d boxes: %lld ms\n", programa.documento().cuadrosVivos(),
                static_cast<long long>(reloj.elapsed()));
    reloj.restart();
    hoja->render(&lienzo);
    std::printf("draw it again: %lld ms\n", static_cast<long long>(reloj.elapsed()));

    SeleccionHoja& s = programa.editor.seleccion();
    for (int i = 0; i < 200; ++i)
        s.PulsarCuadro(i, Boton::Izquierdo, true, {1, 1});
    s.PulsarCuadro(0, Boton::Izquierdo, false, {1, 1});
    const QPointF inicio = programa.editor.elementos().elementos()[0].rect.topLeft();
    const int movimientos = 200;
    qint64 peor = 0;
    reloj.restart();
    QElapsedTimer uno;
    for (int k = 1; k <= movimientos; ++k) {
        uno.start();
        QRegion sucio = hoja->zonaArrastre();
        s.Arrastrar(inicio + QPointF(k * 7, k * 5), EstadoArrastre::Sobre);
        sucio += hoja->zonaArrastre();
        // What the widget repaints for that move.
        hoja->render(&lienzo, sucio.boundingRect().topLeft(), sucio);
        peor = std::max(peor, uno.nsecsElapsed());
    }
    const double media = reloj.nsecsElapsed() / 1e6 / movimientos;
    s.Soltar(inicio + QPointF(movimientos * 7, movimientos * 5), DondeSuelta::Hoja);
    std::printf("drag a 200-box group: %.2f ms a pointer move on average, %.2f ms at worst "
                "(move handled and what it changed painted)\n",
                media, peor / 1e6);

    // Undo and redo of that drag, and of a paste of every box of the job,
    // each drawn again.
    const auto medir = [&](const char* que, const std::function<void()>& paso) {
        reloj.restart();
        paso();
        hoja->render(&lienzo);
        std::printf("%s: %lld ms\n", que, static_cast<long long>(reloj.elapsed()));
    };
    medir("undo the group drag and draw", [&] { programa.documento().deshacer(); });
    medir("redo it and draw", [&] { programa.documento().rehacer(); });
    programa.editor.SeleccionarTodo();
    programa.comandos.CopiarCuadros(0, false);
    medir("paste the 2,000 boxes and draw", [&] { programa.comandos.PegarCuadros(false); });
    medir("undo the paste and draw", [&] { programa.documento().deshacer(); });
    medir("redo it and draw", [&] { programa.documento().rehacer(); });
    delete ventana;
    return 0;
}
