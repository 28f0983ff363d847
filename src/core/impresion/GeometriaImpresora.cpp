#include "GeometriaImpresora.h"

#include "core/fallas/Falla.h"
#include "core/puertos/Impresora.h"
#include "core/trabajo/Colores.h"
#include "core/trabajo/Unidades.h"
#include "core/trabajo/Valores.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {
double Cm(double unidades, double porPulgada) {
    if (porPulgada == 0)
        throw Falla{CodigoFalla::DivisionPorCero,
                    QStringLiteral("División por cero: la impresora no informa su resolución.")};
    return unidades / porPulgada * kCmPorPulgada;
}
} // namespace

double TwipsDeDispositivo(double unidades, double porPulgada) {
    // Through centimetres, as the margins are measured.
    return Cm(unidades, porPulgada) / kCmPorPulgada * kTwipsPorPulgada;
}

float MargenIzquierdo(const Impresora& imp) {
    const auto g = imp.geometria();
    return static_cast<float>(Cm(g.desplazamientoX, g.puntosPorPulgadaX));
}

float MargenSuperior(const Impresora& imp) {
    const auto g = imp.geometria();
    return static_cast<float>(Cm(g.desplazamientoY, g.puntosPorPulgadaY));
}

float AnchoFisico(const Impresora& imp) {
    const auto g = imp.geometria();
    return static_cast<float>(Cm(g.anchoFisico, g.puntosPorPulgadaX));
}

float AltoFisico(const Impresora& imp) {
    const auto g = imp.geometria();
    return static_cast<float>(Cm(g.altoFisico, g.puntosPorPulgadaY));
}

float MargenDerecho(const Impresora& imp) {
    const auto g = imp.geometria();
    return static_cast<float>(AnchoFisico(imp) - MargenIzquierdo(imp) -
                              Cm(g.anchoImprimible, g.puntosPorPulgadaX));
}

float MargenInferior(const Impresora& imp) {
    const auto g = imp.geometria();
    return static_cast<float>(AltoFisico(imp) - MargenSuperior(imp) -
                              Cm(g.altoImprimible, g.puntosPorPulgadaY));
}

qint32 Impresora::anchoPagina() const {
    const auto g = geometria();
    return static_cast<qint32>(std::lround(TwipsDeDispositivo(g.anchoFisico, g.puntosPorPulgadaX)));
}

qint32 Impresora::altoPagina() const {
    const auto g = geometria();
    return static_cast<qint32>(std::lround(TwipsDeDispositivo(g.altoFisico, g.puntosPorPulgadaY)));
}

TextoRotado CalcularTextoRotado(int grados, double ancho, double alto, double extra180) {
    switch (grados) {
    case 90: // running upwards: the cell lies right of the start, the text above it
        return {{alto, ancho}, {0, ancho}};
    case 180:
        return {{ancho, alto}, {ancho + extra180, alto}};
    case 270: // running downwards: the cell lies left of the start
        return {{alto, ancho}, {alto, 0}};
    default:
        return {{ancho, alto}, {0, 0}};
    }
}

QFont FuenteCuadro(const Cuadro& c, double puntos) {
    FuenteImpresion f = FuenteDeCuadro(c);
    f.puntos = puntos;
    return QFontDe(f);
}

FuenteImpresion FuenteDeCuadro(const Cuadro& c) {
    FuenteImpresion f;
    f.nombre = c.FontName;
    f.puntos = c.FontSize;
    f.negrita = c.FontBold;
    f.cursiva = c.FontItalic;
    f.subrayado = c.FontUnderline;
    f.tachado = c.FontStrikethru;
    return f;
}

void EscribirFuente(Cuadro& c, const FuenteImpresion& f) {
    c.FontName = f.nombre;
    c.FontSize = static_cast<float>(f.puntos);
    c.FontBold = f.negrita;
    c.FontItalic = f.cursiva;
    c.FontUnderline = f.subrayado;
    c.FontStrikethru = f.tachado;
}

QFont QFontDe(const FuenteImpresion& a) {
    QFont f(a.nombre);
    f.setPointSizeF(a.puntos > 0 ? a.puntos : 10);
    f.setBold(a.negrita);
    f.setItalic(a.cursiva);
    f.setUnderline(a.subrayado);
    f.setStrikeOut(a.tachado);
    return f;
}

FuenteImpresion FuenteDe(const QFont& f) {
    return {f.family(), f.pointSizeF(), f.bold(), f.italic(), f.underline(), f.strikeOut()};
}

void ImprimirTextoRotado(Impresora& imp, const Cuadro& c, const QString& texto, double x,
                         double y) {
    if (std::abs(static_cast<int>(c.Rotacion)) * 10 > 32767)
        throw Falla{
            CodigoFalla::Desbordamiento,
            QStringLiteral("Desbordamiento: rotación fuera de límites (%1).").arg(c.Rotacion)};
    imp.fijarFuente(FuenteDeCuadro(c));
    const TextoRotado t = CalcularTextoRotado(c.Rotacion, imp.anchoTexto(texto), imp.altoCelda());
    imp.imprimirTextoRotado(texto, c.Rotacion, x + t.inicio.x(), y + t.inicio.y());
}

void PintarTexto(QPainter& p, const QString& texto, QPointF esquina, int grados, double ascenso) {
    if (grados == 0) {
        p.drawText(esquina + QPointF(0, ascenso), texto);
        return;
    }
    p.save();
    p.translate(esquina);
    p.rotate(-grados); // Qt turns clockwise; the box turns counter-clockwise
    p.drawText(QPointF(0, ascenso), texto);
    p.restore();
}

QSizeF DibujarTextoRotado(QPainter& p, const Cuadro& c, const QString& texto, double zoom,
                          double ancho, double alto, double unidadesPorTwip) {
    const double escala = zoom * unidadesPorTwip;
    QFont f = FuenteCuadro(c, c.FontSize);
    // The painter's device may not be the screen the sizes were measured on:
    // size the font in the painter's units.
    f.setPixelSize(std::max(1, static_cast<int>(RedondearPar(c.FontSize * 20.0 * escala))));
    p.setFont(f);
    p.setPen(ColorDeBgr(c.Color));
    const TextoRotado t = CalcularTextoRotado(c.Rotacion, ancho * escala, alto * escala);
    const QFontMetricsF m(f, p.device());
    PintarTexto(p, texto, t.inicio, c.Rotacion, m.ascent());
    return t.tamano;
}
