// The page setup dialog's logic: the job's sheet into the paper list, the
// size fields and the orientation; OK writes it back; "&Predeterminar" also
// stores it as the sheet of new jobs.
#pragma once

#include "core/dialogos/CamposTamano.h"

class Documento;
class Mensajes;
class Preferencias;

class ConfiguracionPagina {
public:
    ConfiguracionPagina(Documento& documento, Preferencias& preferencias, Mensajes& mensajes);

    CamposTamano campos;
    bool vertical = true;

    // Loading: from the current sheet.
    void Cargar();
    // OK: the sheet of the job (marked modified when a job is open and the
    // sheet changed). False, after its message, when the fields make no sheet
    // a job file can hold.
    bool Aceptar();
    // "&Predeterminar": the question, then the job's sheet and the settings.
    void Predeterminar();
    // A size field loses the focus (its message through the program's).
    bool SalirCampo(bool esAncho);

private:
    bool comprobar();
    // After the job's sheet changed from `antes`: names the boxes it left off.
    void AvisarCuadrosFuera(const struct Trabajo& antes);
    bool aplicar();
    Documento& m_doc;
    Preferencias& m_pref;
    Mensajes& m_mensajes;
    // As loaded: sizes left as they were keep the sheet's exact twips (the
    // fields show hundredths of a centimetre).
    QString m_anchoCargado, m_altoCargado;
    bool m_verticalCargado = true;
    qint32 m_anchoTwips = 0, m_altoTwips = 0;
};
