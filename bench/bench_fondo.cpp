// The form's picture under the boxes: a 300 dpi A4 scan (2480 x 3508) as the
// background of an A4 job of 200 boxes, the whole group dragged (each
// pointer move handled and what it changed painted), with and without the
// picture, at a zoom that reduces it and at one that enlarges it; the time
// to read it and the memory it takes. Offscreen; prints milliseconds and MiB.
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
#include "platform/LectorImagenesQt.h"
#include "ui/FrmDrag.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

double PicoMiB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0;
}

double ActualMiB() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> campos = f.readAll().split(' ');
    return campos.size() > 1 ? campos[1].toDouble() * 4096 / (1024 * 1024) : 0;
}

// A scanned form: grey paper noise, ruled lines, boxes and a coloured header.
void Escaneo(const QString& ruta) {
    QImage i(2480, 3508, QImage::Format_RGB32);
    QRandomGenerator azar(17);
    for (int y = 0; y < i.height(); ++y) {
        auto* linea = reinterpret_cast<QRgb*>(i.scanLine(y));
        for (int x = 0; x < i.width(); ++x) {
            const int g = 235 + static_cast<int>(azar.bounded(20));
            linea[x] = qRgb(g, g, g - 3);
        }
    }
    QPainter p(&i);
    p.fillRect(QRect(120, 120, 2240, 300), QColor(0x2f, 0x74, 0xc0));
    p.setPen(QPen(Qt::black, 4));
    for (int k = 0; k < 4; ++k) {
        const int y = 600 + k * 720;
        p.drawRect(150, y, 2180, 620);
        for (int r = 1; r < 6; ++r)
            p.drawLine(200, y + r * 100, 1700, y + r * 100);
    }
    p.end();
    i.save(ruta, "PNG");
}

void Trabajo200(const QString& ruta) {
    Estado e;
    e.Trabajo.HAncho = 11907; // A4
    e.Trabajo.HAlto = 16840;
    e.Trabajo.Zoom = 1;
    AjustesMemoria a;
    const Cuadro defectos = Preferencias(a).defectosCuadro();
    for (int i = 0; i < 200; ++i) {
        const int j = e.AgregarCuadro(defectos, QPoint(300 + (i % 10) * 900, 300 + (i / 10) * 700));
        e.Cuadros[j].Inicio = i * 10 + 1;
        e.Cuadros[j].Fin = i * 10 + 10;
    }
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(SerializarTrabajo(e, QLocale::c()));
}

// The whole group dragged by 200 pointer moves, dropped, and put back.
MedidaArrastre Arrastrar(EditorDePrueba& editor, QImage& lienzo) {
    Programa& programa = editor.programa;
    programa.editor.SeleccionarTodo();
    programa.editor.seleccion().PulsarCuadro(0, Boton::Izquierdo, false, {1, 1});
    const QPointF inicio = programa.editor.elementos().elementos()[0].rect.topLeft();
    const MedidaArrastre m = MedirArrastre(editor, lienzo, inicio, {3, 2}, 200);
    programa.documento().deshacer();
    return m;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString imagen = dir.filePath("escaneo.png");
    const QString trabajo = dir.filePath("doscientos.zul");
    Escaneo(imagen);
    Trabajo200(trabajo);

    LectorImagenesQt lector;
    EditorDePrueba editor(trabajo, &lector);
    Programa& programa = editor.programa;
    programa.preferencias().fijarImagenFondo(trabajo, imagen);
    const double antes = ActualMiB();
    QElapsedTimer reloj;
    reloj.start();
    editor.abrir();
    const qint64 abrir = reloj.elapsed();
    const double conImagen = ActualMiB();
    VistaHoja* hoja = editor.hoja();
    QImage lienzo(hoja->size(), QImage::Format_RGB32);
    reloj.restart();
    hoja->render(&lienzo);
    std::printf("open the job with its %d x %d background (read and faded) : %lld ms, "
                "+%.1f MiB resident\n",
                programa.fondo.imagen().width(), programa.fondo.imagen().height(),
                static_cast<long long>(abrir), conImagen - antes);
    std::printf("first draw at 100 %% (picture reduced to %lld pixels): %lld ms\n",
                static_cast<long long>(hoja->pixelesFondo()),
                static_cast<long long>(reloj.elapsed()));

    for (const float zoom : {1.0f, 3.0f}) {
        programa.documento().fijarZoom(zoom);
        hoja->ajustar();
        lienzo = QImage(hoja->size(), QImage::Format_RGB32);
        reloj.restart();
        hoja->render(&lienzo);
        const qint64 dibujo = reloj.elapsed();
        const MedidaArrastre con = Arrastrar(editor, lienzo);
        const QString ruta = programa.fondo.ruta();
        programa.fondo.Quitar();
        hoja->render(&lienzo);
        const MedidaArrastre sin = Arrastrar(editor, lienzo);
        programa.fondo.Fijar(ruta);
        std::printf("at %.0f %% (sheet %d x %d pixels, drawn in %lld ms): drag of 200 boxes "
                    "%.2f ms a move on average, %.2f ms at worst; without the background "
                    "%.2f / %.2f ms\n",
                    zoom * 100, hoja->tamanoHoja().width(), hoja->tamanoHoja().height(),
                    static_cast<long long>(dibujo), con.media, con.peor, sin.media, sin.peor);
    }
    std::printf("peak RSS %.1f MiB\n", PicoMiB());
    return 0;
}
