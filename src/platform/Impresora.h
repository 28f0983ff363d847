// The printer object all printed output goes through. Positions are twips from
// the top-left corner of the printable area; colours 0x00BBGGRR. The document
// and its first page open with the first output after the last end or abort.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

struct FuenteImpresion {
    QString nombre;
    double puntos = 10;
    bool negrita = false;
    bool cursiva = false;
    bool subrayado = false;
    bool tachado = false;
};

class Impresora {
public:
    virtual ~Impresora() = default;

    virtual QString nombreDispositivo() const = 0;
    // 1 portrait, 2 landscape.
    virtual int orientacion() const = 0;
    virtual void fijarOrientacion(int orientacion) = 0;
    // Page size as oriented, twips.
    virtual qint32 anchoPagina() const = 0;
    virtual qint32 altoPagina() const = 0;
    // Offset of the printable area from the paper's corner, twips.
    virtual qint32 desplazamientoX() const = 0;
    virtual qint32 desplazamientoY() const = 0;

    virtual void fijarFuente(const FuenteImpresion& fuente) = 0;
    virtual void fijarColor(qint32 color) = 0;
    virtual void fijarPosicion(qint32 x, qint32 y) = 0;
    // Prints the text with its top-left corner at the current position and
    // moves the position to the start of the next line.
    virtual void imprimirTexto(const QString& texto) = 0;
    virtual void dibujarLinea(qint32 x1, qint32 y1, qint32 x2, qint32 y2) = 0;
    virtual void nuevaPagina() = 0;
    // Sends the document to the printer; failures are thrown as Falla.
    virtual void terminarDocumento() = 0;
    // Nothing of the open document is printed.
    virtual void abortarDocumento() = 0;
};

// The printers installed on the system.
class CatalogoImpresoras {
public:
    virtual ~CatalogoImpresoras() = default;
    virtual QStringList impresoras() const = 0;
    // Empty when the system has no default printer.
    virtual QString predeterminada() const = 0;
};
