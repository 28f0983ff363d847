// Colours of the job are 0x00BBGGRR values; Qt's are QColor.
#pragma once

#include <QColor>
#include <algorithm>
#include <cmath>

inline QColor ColorDeBgr(qint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline qint32 BgrDeColor(const QColor& c) {
    return c.red() | c.green() << 8 | c.blue() << 16;
}

// How light a colour looks (0 black .. 1 white), as the WCAG contrast rules
// measure it.
inline double Luminancia(qint32 bgr) {
    const auto canal = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal(bgr & 0xFF) + 0.7152 * canal((bgr >> 8) & 0xFF) +
           0.0722 * canal((bgr >> 16) & 0xFF);
}

// 1 (the same) .. 21 (black on white).
inline double Contraste(qint32 a, qint32 b) {
    const double la = Luminancia(a), lb = Luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour a box's text is shown in on screen over the box's background:
// its own when it reads (3:1 or more), else black or white, whichever reads
// better. Only the picture on screen: the job keeps its colour.
inline qint32 ColorLegible(qint32 texto, qint32 fondo) {
    constexpr qint32 kNegro = 0, kBlanco = 0xFFFFFF;
    if (Contraste(texto, fondo) >= 3)
        return texto;
    return Contraste(kNegro, fondo) >= Contraste(kBlanco, fondo) ? kNegro : kBlanco;
}
