// What the editor benchmarks share: a whole program whose ports answer
// nothing, its editor window, and the timing of a drag.
#pragma once

#include "core/programa/Programa.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/DialogosArchivo.h"
#include "core/puertos/DialogosImpresion.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/puertos/Portapapeles.h"
#include "core/trabajo/Documento.h"
#include "ui/FrmDrag.h"

#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

// The ports answered by nothing: no dialog is shown (a message goes to
// standard error), the file to open is `ruta`, the clipboard is a string, and
// there are no printers.
struct Nada : Mensajes, DialogosArchivo, Portapapeles, CatalogoImpresoras, DialogosImpresion {
    Respuesta mostrar(const QString& texto, const QString&, Icono, Botones) override {
        std::fprintf(stderr, "mensaje: %s\n", qPrintable(texto));
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

// A whole program on `Nada`, opening `ruta`, with its editor window made when
// the job opens (as the main window makes it, the form's picture under it);
// `lector` reads that picture.
struct EditorDePrueba {
    AjustesMemoria ajustes;
    Nada nada;
    Programa programa;
    FrmDrag* ventana = nullptr;

    explicit EditorDePrueba(const QString& ruta, const LectorImagenes* lector = nullptr)
        : programa(servicios(ajustes, nada, lector)) {
        nada.ruta = ruta;
        QObject::connect(&programa.documento(), &Documento::abiertoCambiado, [this](bool abierto) {
            if (abierto && !ventana) {
                ventana = new FrmDrag(programa.documento(), programa.editor);
                ventana->hoja()->fijarFondo(&programa.fondo);
            }
        });
    }
    ~EditorDePrueba() { delete ventana; }
    void abrir() { programa.despachador.ejecutar("BtnAbrir"); }
    VistaHoja* hoja() const { return ventana->hoja(); }

private:
    static Servicios servicios(AjustesMemoria& a, Nada& n, const LectorImagenes* lector) {
        Servicios s{a, n, n, n, n, n};
        s.lectorImagenes = lector;
        return s;
    }
};

// Milliseconds a pointer move of a drag costs.
struct MedidaArrastre {
    double media = 0, peor = 0;
};

// The drag under way moved `movimientos` times, by `paso` each from
// `inicio`, each move handled and what it changed painted into `lienzo` as
// the widget repaints it; then dropped where the last move left it.
inline MedidaArrastre MedirArrastre(EditorDePrueba& e, QImage& lienzo, QPointF inicio, QPointF paso,
                                    int movimientos) {
    SeleccionHoja& s = e.programa.editor.seleccion();
    VistaHoja* hoja = e.hoja();
    qint64 peor = 0;
    QElapsedTimer reloj, uno;
    reloj.start();
    for (int k = 1; k <= movimientos; ++k) {
        uno.start();
        QRegion sucio = hoja->zonaArrastre();
        s.Arrastrar(inicio + paso * k, EstadoArrastre::Sobre);
        sucio += hoja->zonaArrastre();
        hoja->render(&lienzo, sucio.boundingRect().topLeft(), sucio);
        peor = std::max(peor, uno.nsecsElapsed());
    }
    const double media = reloj.nsecsElapsed() / 1e6 / movimientos;
    s.Soltar(inicio + paso * movimientos, DondeSuelta::Hoja);
    return {media, peor / 1e6};
}
