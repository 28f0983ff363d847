#include "Splash.h"

#include "core/programa/Version.h"

#include <QPainter>

QPixmap Splash::Imagen() {
    QPixmap px(460, 260);
    px.fill(QColor(0x1f, 0x3a, 0x5f));
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPointSize(28);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 50, px.width(), 60), Qt::AlignCenter, QStringLiteral("ZUL Velquira®"));
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 115, px.width(), 30), Qt::AlignCenter,
               QStringLiteral("Numeración de impresos"));
    // A strip of numbered stubs.
    f.setFamily(QStringLiteral("Liberation Mono"));
    f.setPointSize(10);
    p.setFont(f);
    for (int i = 0; i < 5; ++i) {
        const QRect r(30 + i * 82, 165, 72, 34);
        p.setPen(QColor(0xc8, 0xd6, 0xe5));
        p.setBrush(QColor(0xf5, 0xf1, 0xe6));
        p.drawRoundedRect(r, 4, 4);
        p.setPen(QColor(0xb0, 0x20, 0x20));
        p.drawText(r, Qt::AlignCenter, QStringLiteral("%1").arg(1001 + i, 5, 10, QChar(u'0')));
    }
    p.setPen(QColor(0xc8, 0xd6, 0xe5));
    f.setFamily(QString());
    f.setPointSize(8);
    p.setFont(f);
    p.drawText(QRect(0, 225, px.width() - 12, 24), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Versión %1").arg(QStringLiteral(VELQUIRA_VERSION)));
    return px;
}

Splash::Splash() : QSplashScreen(Imagen()) {
    setObjectName(QStringLiteral("Splash"));
}
