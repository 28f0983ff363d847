// The picture of the pre-printed form laid under the boxes of the open job.
// It is read once, reduced to at most kMaxLado pixels a side and faded toward
// white, so the editor only scales and draws it. It is remembered per job in
// the settings, by the job file's full path, and never written into the job
// file nor printed. A job not saved yet keeps its picture for the session and
// stores it when it is first saved; "Guardar como" takes it to the new file.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>

class Documento;
class Preferencias;
class Mensajes;
class DialogosArchivo;
class LectorImagenes;

class FondoHoja : public QObject {
    Q_OBJECT
public:
    // A 300 dpi A4 scan (2480 x 3508) is kept whole; a larger picture is
    // reduced (at most 52 MB of pixels).
    static constexpr int kMaxLado = 3600;
    // The share of the picture's darkness that is left: the form shows as a
    // faint guide and black numbers stand out on it.
    static constexpr double kTinte = 0.3;

    FondoHoja(Documento& documento, Preferencias& preferencias, Mensajes& mensajes,
              DialogosArchivo& dialogos, const LectorImagenes* lector, QObject* padre = nullptr);

    // Ver > "Imagen de fondo...": a file chosen by the operator. One that
    // cannot be read is refused with a message and the picture stays as it was.
    void Elegir();
    // The same without the dialog. False (after the message) when refused.
    bool Fijar(const QString& ruta);
    // Ver > "Quitar imagen de fondo": the job's picture is forgotten.
    void Quitar();
    // The job was just written to its path: its picture is stored under it
    // (or, when it has none, whatever another job of that path had is dropped).
    void Guardado();

    // The picture's file; empty when the job has none. Set also while the
    // file cannot be read (the setting stays, so that a form on a drive that
    // comes back shows again, and "Quitar" can forget it).
    const QString& ruta() const { return m_ruta; }
    // The faded picture; null when there is none or it could not be read.
    const QImage& imagen() const { return m_imagen; }
    // Changes each time the picture does: the key of the views' caches.
    quint64 version() const { return m_version; }

    // `origen` faded toward white, as the editor shows it (RGB32).
    static QImage Atenuar(const QImage& origen);

signals:
    void cambiado();

private:
    void TrabajoAbierto(bool abierto);
    // Reads and fades `ruta`; a message says why when it cannot.
    bool Leer(const QString& ruta, QImage& imagen);
    void Poner(const QString& ruta, const QImage& imagen);

    Documento& m_doc;
    Preferencias& m_pref;
    Mensajes& m_mensajes;
    DialogosArchivo& m_dialogos;
    const LectorImagenes* m_lector;
    QString m_ruta;
    QImage m_imagen;
    quint64 m_version = 0;
};
