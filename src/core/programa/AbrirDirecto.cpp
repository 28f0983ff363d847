#include "AbrirDirecto.h"

#include "core/programa/CicloTrabajo.h"
#include "core/programa/Principal.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/ArchivoTrabajo.h"

#include <QDir>
#include <QFileInfo>

bool AbrirTrabajoDirecto(Principal& p, CicloTrabajo& ciclo, const QString& ruta) {
    // A file that cannot be read goes on: opening says why, as for Abrir.
    if (EsArchivoTrabajo(ruta) == false) {
        CicloTrabajo::AvisarNoEsTrabajo(p.mensajes());
        return false;
    }
    return ciclo.AbrirRuta(ruta);
}

bool AbrirReciente(Principal& p, CicloTrabajo& ciclo, const QString& ruta) {
    if (!QFileInfo::exists(ruta)) {
        p.mensajes().mostrar(QStringLiteral("El trabajo %1 ya no existe; se quita de la lista de "
                                            "trabajos recientes.")
                                 .arg(QDir::toNativeSeparators(ruta)),
                             QStringLiteral("Trabajos recientes"), Icono::Exclamacion,
                             Botones::Aceptar);
        p.recientes.Quitar(ruta);
        return false;
    }
    return AbrirTrabajoDirecto(p, ciclo, ruta);
}

QString TrabajoSoltado(const QStringList& rutas) {
    for (const QString& ruta : rutas)
        if (QFileInfo(ruta).suffix().compare(QStringLiteral("zul"), Qt::CaseInsensitive) == 0)
            return ruta;
    return {};
}
