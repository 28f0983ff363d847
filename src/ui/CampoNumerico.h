// Numeric text fields: a typed key is let through only when the field's text
// stays a number (see TextoSigueSiendoNumero).
#pragma once

#include <QString>

class QLineEdit;

bool TeclaDejaNumero(const QLineEdit& campo, const QString& tecla);
