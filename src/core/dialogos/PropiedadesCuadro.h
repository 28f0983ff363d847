// What the box properties dialog does, without widgets: it fills its fields
// from one box (or, for a group, from the new-box defaults after two
// questions), recomputes the copy count while the operator types, writes the
// font and colour at once, and writes everything else on OK. All of it is
// one step of the job's history. A group programmed as one series shares
// its numbers out in the order chosen (OrdenGrupo), its boxes taken in
// reading order.
#pragma once

#include "core/puertos/Impresora.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/OrdenGrupo.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

struct Cuadro;
class Mensajes;
class Preferencias;

class PropiedadesCuadro {
public:
    PropiedadesCuadro(Documento& documento, Preferencias& preferencias, Mensajes& mensajes);

    // Numbering fields 0..5 and 7 (6 does not exist): Inicio, Fin, Salto,
    // TextoIzq, TextoDer, Cifras, -, copy count. For a group programmed as
    // one series, Salto is the series' step and the copy count the sheets
    // the chosen order takes.
    std::array<QString, 8> campo;
    std::array<bool, 8> habilitado{true, true, true, true, true, true, true, true};
    bool saltoSoloLectura = false;
    OrdenGrupo orden = OrdenGrupo::Consecutivos; // a group programmed as one series
    QString posX, posY;
    bool posicionHabilitada = true;
    int rotacion = 0; // list position: 0, 90, 180, 270
    FuenteImpresion fuente;
    qint32 color = 0;
    QString titulo;

    bool grupo() const { return m_grupo; }
    bool programarSerie() const { return m_serie; }
    int cuadro() const { return m_cuadro; }

    // Decides the mode and fills the fields. False when the operator declined
    // the group warning: the dialog is not shown.
    bool Abrir(int i);

    // A numbering field's text changed: the copy count follows. Returns false
    // (after the step-zero message) when the step is 0.
    bool CambioNumeracion();
    // "(descendente)" while the series counts down (Inicio above Fin), shown
    // beside the copy count; empty otherwise.
    QString sentido() const;
    // A numbering field lost the focus.
    void SalidaNumeracion();
    // Another group order was chosen: the copy count follows.
    void CambioOrden();
    // A position field lost the focus: the text is rewritten "0.00"; false
    // (after its message) when it lies beyond the sheet.
    bool SalidaPosicion(bool horizontal);

    // The font chooser closed (with the chosen values, or the initial ones on
    // cancel): written at once to the box or the group.
    void FijarFuente(const FuenteImpresion& f, qint32 colorElegido);
    // The colour chooser closed.
    void FijarColor(qint32 colorElegido);

    // OK: which field is wrong (-1 when none; 8 and 9 are the positions), after
    // its message; otherwise everything is written.
    int Aceptar();

private:
    // Which field is wrong (-1 when none; 8 and 9 are the positions), after
    // its message.
    int CampoErroneo();
    void escribirComun(Cuadro& c);
    std::optional<QString> copias(bool ceroSiNoEsNumero) const;
    // The boxes the dialog writes to: the group's, or its one box.
    QList<int> cuadros() const;
    // The series the fields give a group (nothing while one is not a number).
    std::optional<SerieGrupo> serieGrupo(bool ceroSiNoEsNumero) const;
    // What is wrong with the group's series as its boxes would get it
    // (-1 when nothing), after its message.
    int SerieGrupoErronea();
    // The group's boxes in reading order, as their series are shared out.
    QList<int> ordenDeLectura() const;

    Documento& m_doc;
    Preferencias& m_pref;
    Mensajes& m_mensajes;
    QString m_posXMostrada, m_posYMostrada; // as filled: untouched, the exact twips stay
    bool m_grupo = false;
    bool m_serie = false;
    int m_cuadro = 0;
    // Everything the dialog writes, at once or on OK, is one step, ended
    // when the dialog is gone.
    std::optional<Documento::Paso> m_paso;
};
