#include "HuellaArchivo.h"

#include "core/trabajo/ArchivoTrabajo.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

// The size alone misses a rewrite of the same length, and the modification
// time misses one within the file system's clock step or copied with its
// time: the bytes decide.
HuellaArchivo HuellaArchivo::DeArchivo(const QString& ruta) {
    HuellaArchivo h;
    h.m_ruta = ruta;
    QFile f(ruta);
    if (!QFileInfo(ruta).isFile() || !f.open(QIODevice::ReadOnly))
        return h;
    QCryptographicHash resumen(QCryptographicHash::Sha256);
    // Past the largest job file the size already tells the change.
    if (f.size() <= kMaxArchivo && !resumen.addData(&f))
        return h;
    h.m_tamano = f.size();
    h.m_resumen = resumen.result();
    return h;
}

HuellaArchivo HuellaArchivo::DeDatos(const QString& ruta, const QByteArray& datos) {
    HuellaArchivo h;
    h.m_ruta = ruta;
    h.m_tamano = datos.size();
    h.m_resumen = QCryptographicHash::hash(datos, QCryptographicHash::Sha256);
    return h;
}

bool HuellaArchivo::CambiadoEnDisco() const {
    if (!valida())
        return false;
    const HuellaArchivo ahora = DeArchivo(m_ruta);
    return ahora.valida() && (ahora.m_tamano != m_tamano || ahora.m_resumen != m_resumen);
}
