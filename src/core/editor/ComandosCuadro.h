// The commands that change boxes as a whole: new, delete, copy, cut, paste
// through the system clipboard (text "ZUL" and tab-separated fields), align,
// lock and guide lines. They work on CuadroActual, or on the selection while
// ModoGrupo is set.
#pragma once

#include <QString>
#include <functional>

class EditorHoja;
class Principal;

class ComandosCuadro {
public:
    ComandosCuadro(Principal& principal, EditorHoja& editor);

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
    void Bloquear();
    void LineasGuiaCuadros(bool activar);

private:
    void alinear(bool horizontal);
    Principal& m_p;
    EditorHoja& m_editor;
};
