// The settings store on disk: one INI file per application name in a folder
// of the user's configuration ("~/.config/ZUL Velquira" unless the
// environment variable VELQUIRA_AJUSTES names another folder), in the form
// of ArchivoIni.
//
// Each file is read once, when the store is made; reads then come from
// memory, and a write changes its key's line in the file as it is then. A
// file larger than kMaxArchivoAjustes, or one that is not a plain file, is
// not read and never written: the store works with the defaults and
// avisos() says why, for the program to tell the operator.
#pragma once

#include "core/puertos/Ajustes.h"

#include "platform/ArchivoIni.h"

#include <QStringList>

// A settings file holds a few dozen keys and one section per printer.
inline constexpr qint64 kMaxArchivoAjustes = 256 * 1024;

class AjustesQt : public Ajustes {
public:
    explicit AjustesQt(const QString& carpeta = CarpetaPorDefecto());
    ~AjustesQt() override;

    std::optional<QString> leer(Aplicacion app, const QString& seccion,
                                const QString& clave) const override;
    bool escribir(Aplicacion app, const QString& seccion, const QString& clave,
                  const QString& valor) override;
    QString errorEscritura() const override { return m_error; }

    QString carpeta() const { return m_carpeta; }
    static QString CarpetaPorDefecto();

    // Spanish warnings about settings files left unread (empty: none).
    QStringList avisos() const { return m_avisos; }

private:
    struct Archivo {
        QString ruta;
        bool rechazado = false; // never written
        ArchivoIni::Claves claves;
    };

    void Cargar(Archivo& archivo, const QString& ruta);
    // The file's bytes; none (and a warning) when it must not be read.
    std::optional<QByteArray> LeerArchivo(const QString& ruta, QString* aviso) const;
    // Writes the key into the file as it is now; why it could not, in Spanish.
    QString Guardar(Archivo& archivo, const QString& seccion, const QString& clave,
                    const QString& valor);
    Archivo& archivo(Aplicacion app);
    const Archivo& archivo(Aplicacion app) const;
    static QString Llave(const QString& seccion, const QString& clave);

    QString m_carpeta;
    Archivo m_titulo;
    Archivo m_producto;
    QStringList m_avisos;
    QString m_error;
};
