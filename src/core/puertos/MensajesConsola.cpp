#include "MensajesConsola.h"

#include <cstdio>

Respuesta MensajesConsola::mostrar(const QString& texto, const QString& titulo, Icono, Botones) {
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QByteArray salida = (titulo + QStringLiteral(": ") + t + u'\n').toUtf8();
    std::fwrite(salida.constData(), 1, salida.size(), stderr);
    std::fflush(stderr);
    return Respuesta::Ninguna;
}
