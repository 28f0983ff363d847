// Herramientas > "Historial de tiradas...": the runs of the run log, newest
// first, and what the operator does with one: print again sheets of it (for
// the sheets a jam spoiled), or go on with a run that did not complete. Both
// work on the run's job: the open one when it is that file, else it is
// opened first, with the usual save prompt for the job that was open.
#pragma once

#include "core/impresion/RegistroTiradas.h"

#include <QStringList>

class CicloTrabajo;
class Documento;
class Impresion;
class Mensajes;

class HistorialTiradas {
public:
    HistorialTiradas(CicloTrabajo& ciclo, Documento& documento, Impresion& impresion,
                     Mensajes& mensajes);

    // The log as last read: the runs and the warnings of damaged lines.
    const RegistroTiradas::Lectura& lectura() const { return m_lectura; }
    void Releer();
    QString rutaRegistro() const;

    // A run's row: date, job, printer, sheets asked for, sheets sent, outcome.
    static QStringList Columnas(const RegistroTirada& r);
    static QStringList Encabezados();
    // "Continuar" is for a printer run that did not complete.
    static bool Continuable(const RegistroTirada& r);

    void Reimprimir(const RegistroTirada& r);
    void Continuar(const RegistroTirada& r);

private:
    // The run's job is the open one, or was opened now.
    bool AbrirTrabajoDe(const RegistroTirada& r, const QString& titulo);

    CicloTrabajo& m_ciclo;
    Documento& m_doc;
    Impresion& m_impresion;
    Mensajes& m_mensajes;
    RegistroTiradas::Lectura m_lectura;
};
