#include "FrmDrag.h"

#include "shell/Principal.h"

#include <QPainter>
#include <cmath>

namespace {
// Twips at zoom 1 -> screen pixels.
int Pixeles(double twips, double zoom, double dpi) {
    return static_cast<int>(std::lround(twips * zoom * dpi / 1440.0));
}
constexpr int kBorde = 12; // desk around the sheet, pixels
} // namespace

VistaHoja::VistaHoja(Principal& principal, QWidget* padre) : QWidget(padre), m_p(principal) {
    setObjectName(QStringLiteral("Hoja"));
    ajustar();
}

QSize VistaHoja::tamanoHoja() const {
    const ::Trabajo& t = m_p.estado.Trabajo;
    const double zoom = t.Zoom > 0 ? t.Zoom : 0.5;
    return {Pixeles(t.HAncho, zoom, logicalDpiX()), Pixeles(t.HAlto, zoom, logicalDpiY())};
}

void VistaHoja::ajustar() {
    setFixedSize(tamanoHoja() + QSize(2 * kBorde, 2 * kBorde));
    update();
}

void VistaHoja::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    const QRect hoja(QPoint(kBorde, kBorde), tamanoHoja());
    p.fillRect(hoja.translated(3, 3), QColor(0x50, 0x50, 0x50));
    p.fillRect(hoja, Qt::white);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawRect(hoja.adjusted(0, 0, -1, -1));
}

FrmDrag::FrmDrag(Principal& principal, QWidget* padre) : QScrollArea(padre) {
    setObjectName(QStringLiteral("FrmDrag"));
    m_hoja = new VistaHoja(principal, this);
    setWidget(m_hoja);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    connect(&principal, &Principal::ajustarHoja, m_hoja, &VistaHoja::ajustar);
    connect(&principal, &Principal::redibujarHoja, m_hoja, qOverload<>(&QWidget::update));
    connect(&principal, &Principal::refrescarVista, m_hoja, qOverload<>(&QWidget::update));
}
