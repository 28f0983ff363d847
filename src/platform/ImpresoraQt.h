// Printer objects on Qt's paged devices: a CUPS queue through QPrinter (the
// painter's origin is the printable area's corner, as the program addresses
// printers) and a PDF file through QPdfWriter (the page is the job's sheet,
// no unprintable margin). Both draw vector text with QPainter in device units.
#pragma once

#include "platform/Impresora.h"

#include <QFont>
#include <QFontMetricsF>
#include <optional>
#include <QPainter>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QPdfWriter;

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

protected:
    virtual QPagedPaintDevice& dispositivo() const = 0;
    virtual double resolucion() const = 0;
    // Called after a document was abandoned.
    virtual void descartar() {}

private:
    QPainter& pintor();
    double px(double twips) const { return twips * resolucion() / 1440.0; }
    double twips(double px) const { return px * 1440.0 / resolucion(); }
    // The current font and its metrics, built once per font change: a run
    // sets the same font for every box of every sheet.
    const QFont& fuenteDispositivo() const;
    const QFontMetricsF& metricas() const;
    // Ascent and cell height of the current font, device units. Kept as
    // numbers: every QFontMetricsF call looks the font engine up again.
    double ascenso() const;
    double alto() const;
    void ponerFuente(QPainter& p);

    std::unique_ptr<QPainter> m_pintor;
    FuenteImpresion m_fuente;
    mutable std::optional<QFont> m_qfont;
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

protected:
    QPagedPaintDevice& dispositivo() const override;
    double resolucion() const override;

private:
    std::unique_ptr<QPrinter> m_printer;
};

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
    void descartar() override;

private:
    static constexpr int kResolucion = 1200;
    QString m_ruta;
    std::unique_ptr<QPdfWriter> m_writer;
};

class CatalogoImpresorasQt : public CatalogoImpresoras {
public:
    QStringList impresoras() const override;
    QString predeterminada() const override;
    std::unique_ptr<Impresora> crear(const QString& nombre) override;
    std::unique_ptr<Impresora> crearPdf(const QString& ruta, qint32 ancho, qint32 alto) override;
};
