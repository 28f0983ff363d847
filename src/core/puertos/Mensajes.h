// Modal message boxes. The core states text, title, icon and buttons; the
// platform shows them (or, in the batch tool, prints them) and returns the
// button pressed.
#pragma once

#include <QString>

enum class Icono { Ninguno, Critico, Pregunta, Exclamacion, Informacion };
enum class Botones {
    Aceptar,
    AceptarCancelar,
    AnularReintentarOmitir,
    SiNoCancelar,
    SiNo,
    ReintentarCancelar,
    ContinuarCancelar // "&Continuar" answers Aceptar
};
enum class Respuesta { Aceptar, Cancelar, Anular, Reintentar, Omitir, Si, No, Ninguna };

class Mensajes {
public:
    virtual ~Mensajes() = default;
    // `texto` may hold carriage returns as line breaks.
    virtual Respuesta mostrar(const QString& texto, const QString& titulo, Icono icono,
                              Botones botones) = 0;
};
