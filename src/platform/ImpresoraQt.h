// Printer objects on Qt's paged devices. Every document is drawn with QPainter
// into a PDF (QPdfWriter on a file the object owns), so that nothing leaves
// the program until the whole document was written without a fault:
// - a CUPS queue (QPrinter holds the queue, the operator's settings and the
//   paper; the painter's origin is the printable area's corner, as the
//   program addresses printers). The finished PDF is submitted to CUPS as one
//   job; an abandoned document is thrown away and the queue never sees it.
// - a PDF file (the page is the job's sheet, no unprintable margin), written
//   beside its path and renamed into place only when complete.
// A printer object may also be turned to a print preview: its documents are
// then drawn on the preview's device, page for page as they would print,
// and no file is written or delivered.
// Write and submission failures are thrown as Falla with the code
// CodigoFalla::SalidaFallida and a Spanish description.
#pragma once

#include "core/puertos/Impresora.h"
#include "core/trabajo/Unidades.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <memory>
#include <optional>

class QFileDevice;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QTemporaryFile;

class ImpresoraPintor : public Impresora {
public:
    ~ImpresoraPintor() override;

    qint32 colorFrente() const override { return m_color; }
    void fijarColor(qint32 color) override { m_color = color; }
    void fijarFuente(const FuenteImpresion& fuente) override;
    void fijarPosicion(double x, double y) override;
    void imprimirTexto(const QString& texto) override;
    void imprimirLineaVacia() override;
    void imprimirTextoRotado(const QString& texto, int grados, double x, double y) override;
    void dibujarLinea(double x1, double y1, double x2, double y2) override;
    double anchoTexto(const QString& texto) const override;
    double altoCelda() const override;
    bool documentoAbierto() const override { return m_pintor && m_pintor->isActive(); }
    void nuevaPagina() override;
    void terminarDocumento() override;
    void abortarDocumento() override;

    // From now on documents are drawn on `vista` (the printer a print preview
    // hands out, which records pages), with this object's layout, resolution
    // and fonts; ending one only ends its drawing. Null goes back to real
    // output. Any open document is abandoned first: a preview never mixes
    // with a document meant for the printer.
    void fijarVista(QPagedPaintDevice* vista);
    bool enVista() const { return m_vista != nullptr; }
    // While drawn on a preview, every page starts with `imagen` stretched
    // over `twips` (this object's coordinates); a null image draws none.
    // Printed and exported documents never draw it: turning the object back
    // to real output forgets it.
    void fijarFondoVista(const QImage& imagen, const QRectF& twips);

    // "No se pudo escribir <destino>: el disco está lleno ...".
    static QString TextoEscrituraFallida(const QString& destino);

protected:
    // The device that gives the page layout, the resolution and the font
    // metrics; the document itself is drawn on a PDF writer of the same layout.
    virtual QPagedPaintDevice& dispositivo() const = 0;
    virtual double resolucion() const = 0;
    // The file the document's PDF is written into. Throws Falla.
    virtual QFileDevice& abrirArchivo() = 0;
    // The PDF in the file is complete and was written without error: deliver
    // it (rename into place, submit to the queue). Throws Falla.
    virtual void entregarArchivo() = 0;
    // Nothing of the document reaches its destination.
    virtual void descartarArchivo() = 0;
    // Where the document goes, for messages ("el archivo x.pdf").
    virtual QString destino() const = 0;
    virtual QString tituloDocumento() const { return QStringLiteral("ZUL Velquira"); }

    // Ends the painter; discards the output when the document did not end well.
    void cerrarPintor();

private:
    QPainter& pintor();
    // Throws once the file has refused a write (full disk, device error).
    void comprobarArchivo();
    [[noreturn]] void fallar(const QString& descripcion);
    // Drops the writer and what it wrote: nothing reaches the destination.
    void soltarArchivo();
    double px(double twips) const { return UnidadesDeTwips(twips, resolucion()); }
    double twips(double px) const { return TwipsDeUnidades(px, resolucion()); }
    // The current font and its metrics, built once per font change: a run
    // sets the same font for every box of every sheet.
    const QFont& fuenteDispositivo() const;
    const QFontMetricsF& metricas() const;
    // Ascent and cell height of the current font, device units. Kept as
    // numbers: every QFontMetricsF call looks the font engine up again.
    double ascenso() const;
    double alto() const;
    void ponerFuente(QPainter& p);
    // The scale the current font is drawn at (1 but for huge fonts).
    double escala() const {
        fuenteDispositivo();
        return m_escala;
    }
    // Text with its cell's top-left corner at `esquina` (device units).
    void pintar(QPainter& p, const QString& texto, QPointF esquina, int grados);
    static constexpr double kMaxPixelesFuente = 8000;

    // What the open document is drawn on: m_lienzo, or the preview's device.
    QPagedPaintDevice& hoja() const;
    // The preview's background at the start of a page.
    void dibujarFondoVista(QPainter& p);

    std::unique_ptr<QPainter> m_pintor;
    std::unique_ptr<QPdfWriter> m_lienzo;
    QPagedPaintDevice* m_vista = nullptr;
    QImage m_fondoVista;
    QRectF m_rectFondoVista;
    QFileDevice* m_archivo = nullptr;
    // A document whose output failed stays failed until it is abandoned, so a
    // retried step can never pass for a delivered document.
    std::optional<QString> m_falla;
    FuenteImpresion m_fuente;
    mutable std::optional<QFont> m_qfont;
    mutable double m_escala = 1; // the painter's scale for m_qfont
    mutable std::optional<QFontMetricsF> m_metricas;
    mutable double m_ascenso = -1;
    mutable double m_alto = -1;
    bool m_fuentePuesta = false; // the painter holds m_qfont
    qint32 m_color = 0;
    double m_x = 0; // twips
    double m_y = 0;
};

class ImpresoraQt : public ImpresoraPintor {
public:
    explicit ImpresoraQt(const QString& nombre);
    ~ImpresoraQt() override;

    QString nombreDispositivo() const override;
    int orientacion() const override;
    void fijarOrientacion(int orientacion) override;
    GeometriaDispositivo geometria() const override;

    QPrinter& qprinter() { return *m_printer; }
    // The CUPS job of the last delivered document; 0 when none was sent.
    int trabajoCups() const { return m_trabajoCups; }

protected:
    QPagedPaintDevice& dispositivo() const override;
    double resolucion() const override;
    QFileDevice& abrirArchivo() override;
    void entregarArchivo() override;
    void descartarArchivo() override;
    QString destino() const override;
    QString tituloDocumento() const override;

private:
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QTemporaryFile> m_archivo;
    int m_trabajoCups = 0;
};

// The page of a PDF export: `ancho` x `alto` twips exactly, as oriented, no margins.
QPageLayout PaginaPdfExacta(qint32 ancho, qint32 alto);

class ImpresoraPdf : public ImpresoraPintor {
public:
    // The sheet in twips, as oriented.
    ImpresoraPdf(const QString& ruta, qint32 ancho, qint32 alto);
    ~ImpresoraPdf() override;

    QString nombreDispositivo() const override { return QStringLiteral("PDF"); }
    int orientacion() const override;
    void fijarOrientacion(int orientacion) override;
    GeometriaDispositivo geometria() const override;

protected:
    QPagedPaintDevice& dispositivo() const override;
    double resolucion() const override { return kResolucion; }
    QFileDevice& abrirArchivo() override;
    void entregarArchivo() override;
    void descartarArchivo() override;
    QString destino() const override;

private:
    static constexpr int kResolucion = 1200;
    QString m_ruta;
    std::unique_ptr<QPdfWriter> m_plantilla; // layout and metrics only; never drawn on
    std::unique_ptr<QFileDevice> m_archivo;
};

class CatalogoImpresorasQt : public CatalogoImpresoras {
public:
    QStringList impresoras() const override;
    QString predeterminada() const override;
    std::unique_ptr<Impresora> crear(const QString& nombre) override;
    std::unique_ptr<Impresora> crearPdf(const QString& ruta, qint32 ancho, qint32 alto) override;
};
