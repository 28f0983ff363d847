// Every tool and menu entry reaches one dispatcher by its tool id. A tool is
// usable only once a command is wired to it, so nothing on screen ever does
// nothing. Clicks that arrive while the program itself updates the tools are
// ignored.
#pragma once

#include <QHash>
#include <QObject>
#include <functional>

class Principal;

class Despachador : public QObject {
    Q_OBJECT
public:
    explicit Despachador(Principal& principal, QObject* padre = nullptr);

    // Wires a command to a tool id (any case).
    void registrar(const QString& id, std::function<void()> accion);
    bool registrada(const QString& id) const;
    // The ids wired so far (case-folded).
    QStringList registradas() const { return m_acciones.keys(); }

    // Runs the command of a tool as if it had been clicked.
    void ejecutar(const QString& id);

private:
    Principal& m_p;
    QHash<QString, std::function<void()>> m_acciones;
};

struct HerramientasCuadro;

// The tools' states, all set here. Whether a job is open decides the job's
// tools; the selection's steps decide the box tools; the clipboard decides
// "Pegar".
void ActualizarHerramientas(Principal& p);
void ReflejarHerramientasCuadro(Principal& p, const HerramientasCuadro& h);
void ActualizarPegar(Principal& p);
// Undo and redo: enabled while there is a step to take, named after it
// ("&Deshacer mover 3 cuadros").
void ActualizarHistoria(Principal& p);
