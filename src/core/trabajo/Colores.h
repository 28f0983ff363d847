// Colours of the job are 0x00BBGGRR values; Qt's are QColor.
#pragma once

#include <QColor>

inline QColor ColorDeBgr(qint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline qint32 BgrDeColor(const QColor& c) {
    return c.red() | c.green() << 8 | c.blue() << 16;
}
