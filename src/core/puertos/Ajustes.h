// The per-user settings store: text values addressed by application name,
// section and key. Keys and sections match without regard to case.
#pragma once

#include <QHash>
#include <QString>
#include <optional>

enum class Aplicacion {
    Titulo,  // "ZUL Velquira®": stored sheet, InitDir, window place, printer corrections
    Producto // "ZUL Velquira": every other key
};

inline const QString kTituloAplicacion = QStringLiteral("ZUL Velquira®");
inline const QString kNombreProducto = QStringLiteral("ZUL Velquira");
inline const QString kSeccionAjustes = QStringLiteral("Settings");

class Ajustes {
public:
    virtual ~Ajustes() = default;
    virtual std::optional<QString> leer(Aplicacion app, const QString& seccion,
                                        const QString& clave) const = 0;
    // Stores the value; false when it could not be kept for the next start
    // (the value still holds until the program closes), with the reason in
    // errorEscritura().
    virtual bool escribir(Aplicacion app, const QString& seccion, const QString& clave,
                          const QString& valor) = 0;
    // Why the last write that failed could not be stored, in Spanish.
    virtual QString errorEscritura() const { return {}; }

    // A text of the "Settings" section; a missing key gives the default.
    // Numbers and truth values are read through Preferencias, which knows
    // how the program writes them.
    QString texto(Aplicacion app, const QString& clave, const QString& defecto) const;
    bool escribirTexto(Aplicacion app, const QString& clave, const QString& valor);
};

// A store held in memory, for tests and for a program that must not touch the
// user's files.
class AjustesMemoria : public Ajustes {
public:
    std::optional<QString> leer(Aplicacion app, const QString& seccion,
                                const QString& clave) const override;
    bool escribir(Aplicacion app, const QString& seccion, const QString& clave,
                  const QString& valor) override;
    QString errorEscritura() const override { return m_error; }
    // Set, writes are kept in memory but reported as not stored, with this reason.
    QString fallarEscrituras;
    // Everything stored, to compare two states of the store.
    const QHash<QString, QString>& valores() const { return m_valores; }

private:
    static QString llave(Aplicacion app, const QString& seccion, const QString& clave);
    QHash<QString, QString> m_valores;
    QString m_error;
};
