// The commands that change boxes as a whole: new, delete, copy, cut, paste
// through the system clipboard (text "ZUL" and tab-separated fields), align,
// lock and guide lines. They work on CuadroActual, or on the selection while
// ModoGrupo is set.
#pragma once

#include <QLocale>
#include <QString>
#include <functional>

class Documento;
class EditorHoja;
class Mensajes;
class Portapapeles;
class Preferencias;

class ComandosCuadro {
public:
    ComandosCuadro(Documento& documento, EditorHoja& editor, Preferencias& preferencias,
                   Mensajes& mensajes, Portapapeles& portapapeles);

    // Opens the properties dialog for a box (wired by the window layer).
    std::function<void(int)> mostrarPropiedades;

    void NuevoCuadro();
    void BorrarCuadros(int i);
    void CopiarCuadros(int i, bool cortar);
    // `desdeHoja`: the paste was chosen from the sheet's pop-up menu, so the
    // box goes where the sheet was clicked.
    void PegarCuadros(bool desdeHoja);
    void AlinearHorizontal();
    void AlinearVertical();
    // The lock toggle's new state.
    void Bloquear(bool bloquear);
    void LineasGuiaCuadros(bool activar);

private:
    void alinear(bool horizontal);
    // Where a new box goes: the point the sheet's menu was opened at (then
    // forgotten), else the sheet's corner. Model twips.
    QPoint lugarNuevo();

    Documento& m_doc;
    EditorHoja& m_editor;
    Preferencias& m_pref;
    Mensajes& m_mensajes;
    Portapapeles& m_portapapeles;
};
