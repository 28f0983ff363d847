#include "GeometriaHoja.h"

#include "core/trabajo/Unidades.h"
#include "core/trabajo/Valores.h"

#include <algorithm>
#include <climits>
#include <cmath>

EntradaZoom CambiarZoom(const QString& texto, OrigenZoom origen) {
    EntradaZoom e;
    const auto v = LeerNumero(texto);
    if (origen == OrigenZoom::Lista) {
        if (!v || *v <= 0) {
            e.mensaje = QStringLiteral("El valor ingresado debe ser un número, mayor que cero");
            return e;
        }
        e.zoom = static_cast<float>(*v / 100);
        e.textoCampo = texto;
        return e;
    }
    e.textoCampo = texto;
    e.exclamacion = true;
    if (!v) {
        e.mensaje = QStringLiteral("El valor ingresado debe ser un número");
        e.textoCampo = QStringLiteral("50");
    } else if (*v < 5 || *v > 1000) {
        e.mensaje = QStringLiteral("El valor ingresado debe ser un número, mayor o igual que 5\r"
                                   "y menor o igual que 1000");
        e.textoCampo = QStringLiteral("50");
    }
    e.zoom = static_cast<float>(LeerNumero(e.textoCampo).value_or(50) / 100);
    return e;
}

QList<Marca> MarcasRegla(double inicio, double largo, float zoom, double desde, double hasta) {
    // A millimetre's pitch, unrounded: each tick is rounded at its own place,
    // so the ruler never drifts from the sheet however long it is.
    const double paso = kTwipsPorCm * static_cast<double>(zoom) / 10.0;
    if (!(paso > 0))
        return {};
    const double cm = kGrosorRegla - 283.5;
    const double medio = kGrosorRegla - 189;
    const double mm = kGrosorRegla - 141.75;
    const bool milimetros = static_cast<float>(zoom * 100.0f) > 100.0f;
    const double x0 = std::ceil(inicio);
    const double fin = std::min({largo, hasta, static_cast<double>(INT_MAX)});
    QList<Marca> marcas;
    if (fin < x0)
        return marcas;
    // Tick n stands at x0 + n x paso.
    const qint64 primera = std::max<qint64>(0, static_cast<qint64>(std::ceil((desde - x0) / paso)));
    const qint64 ultima = static_cast<qint64>(std::floor((fin - x0) / paso));
    for (qint64 n = primera; n <= ultima; ++n) {
        Marca m;
        m.posicion = static_cast<int>(RedondearPar(x0 + static_cast<double>(n) * paso));
        if (n % 10 == 0) {
            m.desde = cm;
            m.numero = QString::number(n / 10);
        } else if (n % 5 == 0) {
            m.desde = medio;
        } else if (milimetros) {
            m.desde = mm;
        } else {
            continue;
        }
        marcas.append(m);
    }
    return marcas;
}

QString TextoPosicion(double x, double y, float zoom, const QLocale& idioma) {
    return QStringLiteral("X=%1 Y=%2 Cms")
        .arg(FormatoFijo(CmDeTwips(x) / zoom, idioma, 2),
             FormatoFijo(CmDeTwips(y) / zoom, idioma, 2));
}

double TamanoEtiqueta(int tamTip, float zoom) {
    const double t = tamTip * zoom;
    return t <= 14 ? t : 14;
}
