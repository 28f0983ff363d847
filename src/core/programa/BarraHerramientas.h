// The main window's commands as data: every tool with its caption, tooltip,
// enabled flag and pressed state, the menus and the toolbar band they stand
// in, the zoom field and the Hoja field. Tool ids match without regard to case. The widgets
// show this model and report clicks back to it; the dispatcher acts on them.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

struct Herramienta {
    QString id;
    QString titulo;  // menu text, "&" before the access letter
    QString consejo; // tooltip
    bool conmutable = false;
    bool habilitada = false; // the state the program asked for
    bool pulsada = false;
    bool implementada = false;  // a command is wired to it
    QList<QKeySequence> atajos; // the keys that run it, the first one shown
};

struct Menu {
    QString id;
    QString titulo;
    QStringList entradas; // tool ids; "-" is a separator
};

class BarraHerramientas : public QObject {
    Q_OBJECT
public:
    // Marks a scope in which the program itself changes tool states, list
    // entries or field texts: the clicks and entries this causes do nothing.
    class Actualizar {
    public:
        explicit Actualizar(BarraHerramientas& b) : m_b(b), m_antes(b.m_actualizando) {
            b.m_actualizando = true;
        }
        ~Actualizar() { m_b.m_actualizando = m_antes; }
        Actualizar(const Actualizar&) = delete;
        Actualizar& operator=(const Actualizar&) = delete;

    private:
        BarraHerramientas& m_b;
        bool m_antes;
    };

    explicit BarraHerramientas(QObject* padre = nullptr);

    bool actualizando() const { return m_actualizando; }

    // Nullptr for an unknown id.
    const Herramienta* herramienta(const QString& id) const;
    bool existe(const QString& id) const { return herramienta(id) != nullptr; }
    QString idCanonico(const QString& id) const;

    bool habilitada(const QString& id) const;
    // Enabled and wired to a command: what the operator can press.
    bool utilizable(const QString& id) const;
    void habilitar(const QString& id, bool si);
    void marcarImplementada(const QString& id);
    // A tool whose caption says what it will do ("&Deshacer mover 3 cuadros").
    void fijarTitulo(const QString& id, const QString& titulo, const QString& consejo);

    bool pulsada(const QString& id) const;
    // Sets a toggle's state; like the operator's toggle, this raises the click
    // notification (start-up relies on it to show or hide the rulers and aids).
    void fijarPulsada(const QString& id, bool si);

    // The operator's click on a menu entry, button or pop-up entry. A toggle
    // changes state first.
    void pulsar(const QString& id);

    const std::vector<Menu>& menus() const { return m_menus; }
    const std::vector<Menu>& menusEmergentes() const { return m_emergentes; }
    const QStringList& banda() const { return m_banda; }
    QString tituloBanda() const { return QStringLiteral("Estandard"); }
    const std::vector<Herramienta>& herramientas() const { return m_herramientas; }

    // The zoom field.
    QStringList entradasZoom() const { return m_entradasZoom; }
    void agregarEntradaZoom(const QString& texto);
    QString textoZoom() const { return m_textoZoom; }
    void fijarTextoZoom(const QString& texto);
    // The operator chose an entry of the list, or pressed Enter in the text.
    void elegirZoom(const QString& texto);
    void introducirZoom(const QString& texto);

    // The Hoja field: the sheet of the run shown, and "de R" after it.
    QString textoHoja() const { return m_textoHoja; }
    QString totalHojas() const { return m_totalHojas; }
    void fijarHoja(const QString& texto, const QString& total);
    // The operator pressed Enter in it.
    void introducirHoja(const QString& texto);

signals:
    void cambiada(const QString& id); // enabled or pressed state changed
    void clic(const QString& id);     // dispatched by the dispatcher
    void textoZoomCambiado(const QString& texto);
    void zoomElegido(const QString& texto);
    void zoomIntroducido(const QString& texto);
    void entradasZoomCambiadas();
    void hojaCambiada(); // the Hoja field's text or its "de R"
    void hojaIntroducida(const QString& texto);

private:
    Herramienta* buscar(const QString& id);
    std::vector<Herramienta> m_herramientas;
    QHash<QString, int> m_indice; // case-folded id -> position
    std::vector<Menu> m_menus;
    std::vector<Menu> m_emergentes;
    QStringList m_banda;
    QStringList m_entradasZoom;
    QString m_textoZoom;
    QString m_textoHoja;
    QString m_totalHojas;
    bool m_actualizando = false;
};
