// A printer object that prints nothing and keeps every call with its values,
// for tests and for measuring the print run without a device. Text is
// measured with fixed proportions of the point size, so results do not
// depend on the fonts installed.
#pragma once

#include "core/puertos/Impresora.h"

#include <QList>
#include <functional>

struct LlamadaImpresora {
    QString operacion; // "texto", "rotado", "linea", "pagina", "fin", "abortar", "vacia"
    QString texto;
    double x = 0;
    double y = 0;
    double x2 = 0;
    double y2 = 0;
    int grados = 0;
    qint32 color = 0;
    FuenteImpresion fuente;
};

class ImpresoraGrabadora : public Impresora {
public:
    explicit ImpresoraGrabadora(const QString& nombre = QStringLiteral("Grabadora"));

    QList<LlamadaImpresora> llamadas;
    GeometriaDispositivo geo; // 600 dpi US Letter portrait with no margin, unless changed
    int orient = 1;
    bool fallarAlTerminar = false;
    // Called before each text is recorded (a test can cancel a run there).
    std::function<void(const LlamadaImpresora&)> alImprimir;

    QList<LlamadaImpresora> de(const QString& operacion) const;
    int paginas() const; // pages of the documents ended

    QString nombreDispositivo() const override { return m_nombre; }
    // As a print dialog switches its printer to another queue.
    void renombrar(const QString& nombre) { m_nombre = nombre; }
    int orientacion() const override { return orient; }
    void fijarOrientacion(int o) override;
    GeometriaDispositivo geometria() const override { return geo; }
    qint32 colorFrente() const override { return m_color; }
    void fijarColor(qint32 c) override { m_color = c; }
    void fijarFuente(const FuenteImpresion& f) override { m_fuente = f; }
    void fijarPosicion(double x, double y) override;
    void imprimirTexto(const QString& texto) override;
    void imprimirLineaVacia() override;
    void imprimirTextoRotado(const QString& texto, int grados, double x, double y) override;
    void dibujarLinea(double x1, double y1, double x2, double y2) override;
    double anchoTexto(const QString& texto) const override;
    double altoCelda() const override;
    bool documentoAbierto() const override { return m_abierto; }
    void nuevaPagina() override;
    void terminarDocumento() override;
    void abortarDocumento() override;

private:
    void grabar(LlamadaImpresora l);
    QString m_nombre;
    qint32 m_color = 0;
    FuenteImpresion m_fuente;
    double m_x = 0;
    double m_y = 0;
    bool m_abierto = false;
    int m_paginasDocumento = 0;
    int m_paginasTerminadas = 0;
};
