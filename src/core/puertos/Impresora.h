// The printer object all printed output goes through. Positions are twips from
// the top-left corner of the printable area; colours 0x00BBGGRR; a text's
// position is the top-left corner of its cell. The document and its first
// page open with the first output after the last end or abort. Failures are
// thrown as Falla.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

struct FuenteImpresion {
    QString nombre = QStringLiteral("Arial");
    double puntos = 10;
    bool negrita = false;
    bool cursiva = false;
    bool subrayado = false;
    bool tachado = false;
};

// What the device reports about the paper, in device units, with the
// resolution in device units per inch. Sizes are as oriented.
struct GeometriaDispositivo {
    double puntosPorPulgadaX = 1440;
    double puntosPorPulgadaY = 1440;
    double desplazamientoX = 0; // printable area's left edge on the paper
    double desplazamientoY = 0; // printable area's top edge
    double anchoFisico = 0;
    double altoFisico = 0;
    double anchoImprimible = 0;
    double altoImprimible = 0;
};

class Impresora {
public:
    virtual ~Impresora() = default;

    virtual QString nombreDispositivo() const = 0;
    // 1 portrait, 2 landscape.
    virtual int orientacion() const = 0;
    virtual void fijarOrientacion(int orientacion) = 0;
    virtual GeometriaDispositivo geometria() const = 0;
    // Page size as oriented, twips.
    qint32 anchoPagina() const;
    qint32 altoPagina() const;

    virtual qint32 colorFrente() const = 0;
    virtual void fijarColor(qint32 color) = 0;
    virtual void fijarFuente(const FuenteImpresion& fuente) = 0;
    virtual void fijarPosicion(double x, double y) = 0;

    // Prints the text at the current position, then moves to the next line.
    virtual void imprimirTexto(const QString& texto) = 0;
    // Opens the document and page when needed; leaves no mark.
    virtual void imprimirLineaVacia() = 0;
    // The text rotated counter-clockwise by `grados` around its cell's
    // top-left corner, which lands on (x, y). Transparent background.
    virtual void imprimirTextoRotado(const QString& texto, int grados, double x, double y) = 0;
    virtual void dibujarLinea(double x1, double y1, double x2, double y2) = 0;

    // Measures in the current font, twips.
    virtual double anchoTexto(const QString& texto) const = 0;
    virtual double altoCelda() const = 0;

    virtual bool documentoAbierto() const = 0;
    virtual void nuevaPagina() = 0;
    // Sends the document to the printer.
    virtual void terminarDocumento() = 0;
    // Nothing of the open document is printed.
    virtual void abortarDocumento() = 0;
};

// The printers installed on the system, and printer objects for them.
class CatalogoImpresoras {
public:
    virtual ~CatalogoImpresoras() = default;
    virtual QStringList impresoras() const = 0;
    // The system's default printer (or, when none is marked, the first
    // installed); empty when there is no printer at all.
    virtual QString predeterminada() const = 0;
    // A printer object for the named queue; nullptr when there is none.
    virtual std::unique_ptr<Impresora> crear(const QString& nombre) = 0;
    // A printer object writing a PDF file whose pages are the sheet, `ancho` x
    // `alto` twips, with no unprintable margin.
    virtual std::unique_ptr<Impresora> crearPdf(const QString& ruta, qint32 ancho, qint32 alto) = 0;
};
