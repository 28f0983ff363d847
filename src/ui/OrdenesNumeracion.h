// The commands whose work is a dialog of the numbering tools: "Repetir..."
// and "Continuar numeración...", wired to their tools.
#pragma once

class Programa;
class QWidget;

void RegistrarOrdenesNumeracion(Programa& programa, QWidget* ventana);
