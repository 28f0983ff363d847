// What a job file held when the program last read or wrote it: its size and a
// hash of its bytes, so that a save can tell whether another program (or
// another copy of this one) changed the file meanwhile.
#pragma once

#include <QByteArray>
#include <QString>

class HuellaArchivo {
public:
    HuellaArchivo() = default;

    // The file at `ruta` as it is now; none when it cannot be read.
    static HuellaArchivo DeArchivo(const QString& ruta);
    // The file at `ruta` just written with `datos`.
    static HuellaArchivo DeDatos(const QString& ruta, const QByteArray& datos);

    bool valida() const { return m_tamano >= 0; }
    QString ruta() const { return m_ruta; }
    // The file at `ruta()` now holds other bytes. A file that is gone or
    // cannot be read counts as unchanged: nothing of it would be lost.
    bool CambiadoEnDisco() const;

private:
    QString m_ruta;
    qint64 m_tamano = -1;
    QByteArray m_resumen;
};
