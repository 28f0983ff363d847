#include "Hoja.h"

#include "core/trabajo/Valores.h"

QString TextoHoja(const Trabajo& h, const QLocale& idioma) {
    const auto cm = [&](qint32 twips) {
        return FormatoFijo(static_cast<double>(twips) / kTwipsPorCm, idioma, 1);
    };
    return QStringLiteral("%1 (%2 x %3 Cmts)").arg(h.HName, cm(h.HAncho), cm(h.HAlto));
}
