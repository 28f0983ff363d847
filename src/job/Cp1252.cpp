#include "Cp1252.h"

#include <QStringDecoder>
#include <array>

namespace {
// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (read as
// the same-valued control character, like Windows does).
constexpr std::array<char16_t, 32> kAlto = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QString DecodificarCp1252(QByteArrayView bytes) {
    QString s;
    s.resize(bytes.size());
    QChar* d = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char16_t c = b;
        if (b >= 0x80 && b <= 0x9F && kAlto[b - 0x80] != 0)
            c = kAlto[b - 0x80];
        d[i] = QChar(c);
    }
    return s;
}

bool CodificarCp1252(QStringView texto, QByteArray& salida) {
    bool completo = true;
    salida.reserve(salida.size() + texto.size());
    for (const QChar ch : texto) {
        const char16_t c = ch.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            salida.append(static_cast<char>(c));
            continue;
        }
        int encontrado = -1;
        for (int j = 0; j < 32; ++j) {
            if (kAlto[j] == c || (kAlto[j] == 0 && c == 0x80 + j)) {
                encontrado = j;
                break;
            }
        }
        if (encontrado >= 0) {
            salida.append(static_cast<char>(0x80 + encontrado));
        } else {
            salida.append('?');
            completo = false;
        }
    }
    return completo;
}

QString DecodificarLinea(QByteArrayView bytes) {
    bool ascii = true;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError())
        return s;
    return DecodificarCp1252(bytes);
}
