#include "CopiaCuadros.h"

#include "core/fallas/Falla.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/Estado.h"

QString TextoCopiaCuadros(const QList<int>& cuadros, const Estado& e, const QLocale& idioma) {
    QString t = QStringLiteral("ZUL");
    for (int i : cuadros) {
        const QStringList campos = CamposCuadro(e.Cuadros[i], idioma, false);
        t += campos.mid(0, 19).join(u'\t') + u'\t' + campos[19] + u'\r';
    }
    return t;
}

CopiaCuadros LeerCopiaCuadros(const QString& texto, const Cuadro& defectos) {
    CopiaCuadros r;
    r.esCopia = texto.startsWith(QStringLiteral("ZUL"));
    if (!r.esCopia)
        return r;
    const QString danada = QStringLiteral("El portapapeles no tiene una copia válida de cuadros de "
                                          "Velquira; no se ha pegado nada.");
    QList<Cuadro> leidos;
    for (const QStringView bloque : QStringView(texto).sliced(3).split(u'\r', Qt::SkipEmptyParts)) {
        const QList<QStringView> campos = bloque.split(u'\t');
        if (campos.size() < 19 || campos.size() > 20) {
            r.error = danada;
            return r;
        }
        Cuadro c = defectos;
        try {
            for (int k = 0; k < 19; ++k) // field 20, the background colour, is not taken
                AsignarCampo(c, k + 1, campos[k]);
        } catch (const Falla&) {
            r.error = danada;
            return r;
        }
        if (const QString motivo = CuadroNoGuardable(c); !motivo.isEmpty()) {
            r.error = QStringLiteral("Un cuadro copiado tiene %1, que el archivo del trabajo no "
                                     "podría guardar; no se ha pegado nada.")
                          .arg(motivo);
            return r;
        }
        leidos.append(c);
        if (leidos.size() > Estado::kMaxCuadros) {
            r.error = QStringLiteral("La copia tiene más de 32.767 cuadros, más de los que caben "
                                     "en un trabajo; no se ha pegado nada.");
            return r;
        }
    }
    r.cuadros = std::move(leidos);
    return r;
}
