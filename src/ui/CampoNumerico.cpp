#include "CampoNumerico.h"

#include "core/trabajo/Valores.h"

#include <QLineEdit>

bool TeclaDejaNumero(const QLineEdit& campo, const QString& tecla) {
    // The key replaces the selection, or goes in at the cursor.
    const int desde = campo.hasSelectedText() ? campo.selectionStart() : campo.cursorPosition();
    const int largo = campo.hasSelectedText() ? static_cast<int>(campo.selectedText().size()) : 0;
    return TextoSigueSiendoNumero(campo.text(), desde, largo, tecla);
}
