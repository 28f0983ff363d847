// "Continuar numeración" without widgets: a table of the job's boxes with the
// first and last numbers of this run and of the next one, and on OK every
// box's series moved on so the next run starts right after this one (see
// Continuacion). One step of the job's history.
#pragma once

#include "core/trabajo/Continuacion.h"

#include <QList>
#include <QString>
#include <QStringList>

class Documento;
class Mensajes;
class Preferencias;

class ContinuarNumeracion {
public:
    ContinuarNumeracion(Documento& documento, Preferencias& preferencias, Mensajes& mensajes);

    // Works the next run out. False, after its message, when the numbering
    // cannot be continued (nothing is then shown or changed).
    bool Abrir();

    static QStringList encabezados();
    // One row a live box, as the table shows it: the box's number, then the
    // four numbers with the box's digits.
    QList<QStringList> filas() const;
    // What OK does, in a sentence.
    QString explicacion() const;

    // OK: every box moved on, as one step.
    void Aceptar();

    const Continuacion& continuacion() const { return m_k; }

private:
    Documento& m_doc;
    Preferencias& m_pref;
    Mensajes& m_mensajes;
    Continuacion m_k;
};
