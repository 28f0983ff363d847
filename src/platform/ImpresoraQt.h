// The printer object on a CUPS queue through QPrinter, and the installed
// printers through QPrinterInfo.
#pragma once

#include "platform/Impresora.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <memory>

class ImpresoraQt : public Impresora {
public:
    // An empty name means the system's default printer.
    explicit ImpresoraQt(const QString& nombre = {});
    ~ImpresoraQt() override;

    QString nombreDispositivo() const override;
    int orientacion() const override;
    void fijarOrientacion(int orientacion) override;
    qint32 anchoPagina() const override;
    qint32 altoPagina() const override;
    qint32 desplazamientoX() const override;
    qint32 desplazamientoY() const override;

    void fijarFuente(const FuenteImpresion& fuente) override;
    void fijarColor(qint32 color) override;
    void fijarPosicion(qint32 x, qint32 y) override;
    void imprimirTexto(const QString& texto) override;
    void dibujarLinea(qint32 x1, qint32 y1, qint32 x2, qint32 y2) override;
    void nuevaPagina() override;
    void terminarDocumento() override;
    void abortarDocumento() override;

    QPrinter& qprinter() { return *m_printer; }

private:
    // Opens the document and its first page with the first output.
    QPainter& pintor();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_pintor;
    QFont m_fuente;
    QColor m_color = Qt::black;
    double m_x = 0; // twips from the printable area's corner
    double m_y = 0;
};

class CatalogoImpresorasQt : public CatalogoImpresoras {
public:
    QStringList impresoras() const override;
    QString predeterminada() const override;
};
