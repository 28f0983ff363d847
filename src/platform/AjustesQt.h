// The settings store on disk: one INI file per application name in a folder
// of the user's configuration ("~/.config/ZUL Velquira" unless the
// environment variable VELQUIRA_AJUSTES names another folder).
//
// Each file is read once, when the store is made; reads then come from
// memory. A file larger than kMaxArchivoAjustes, or one that is not a plain
// file, is not read and never written: the store works with the defaults and
// avisos() says why, for the program to tell the operator.
#pragma once

#include "platform/Ajustes.h"

#include <QHash>
#include <QSettings>
#include <QStringList>
#include <memory>

// A settings file holds a few dozen keys and one section per printer.
inline constexpr qint64 kMaxArchivoAjustes = 1024 * 1024;

class AjustesQt : public Ajustes {
public:
    explicit AjustesQt(const QString& carpeta = CarpetaPorDefecto());
    ~AjustesQt() override;

    std::optional<QString> leer(Aplicacion app, const QString& seccion,
                                const QString& clave) const override;
    void escribir(Aplicacion app, const QString& seccion, const QString& clave,
                  const QString& valor) override;

    QString carpeta() const { return m_carpeta; }
    static QString CarpetaPorDefecto();

    // Spanish warnings about settings files left unread (empty: none).
    QStringList avisos() const { return m_avisos; }

private:
    struct Archivo {
        std::unique_ptr<QSettings> settings; // null: the file was refused
        // Case-folded "section/key" -> the key as stored, and its value.
        QHash<QString, std::pair<QString, QString>> claves;
    };

    void Cargar(Archivo& archivo, const QString& ruta);
    Archivo& archivo(Aplicacion app);
    const Archivo& archivo(Aplicacion app) const;
    static QString Llave(const QString& seccion, const QString& clave);

    QString m_carpeta;
    Archivo m_titulo;
    Archivo m_producto;
    QStringList m_avisos;
};
