// The settings store on disk: one INI file per application name in a folder
// of the user's configuration ("~/.config/ZUL Velquira" unless the
// environment variable VELQUIRA_AJUSTES names another folder).
#pragma once

#include "platform/Ajustes.h"

#include <QSettings>
#include <memory>

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

private:
    QSettings& archivo(Aplicacion app) const;
    // The stored spelling of a group or key that matches without regard to case.
    static QString Buscar(const QStringList& existentes, const QString& nombre);

    QString m_carpeta;
    std::unique_ptr<QSettings> m_titulo;
    std::unique_ptr<QSettings> m_producto;
};
