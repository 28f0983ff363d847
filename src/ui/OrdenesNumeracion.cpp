#include "OrdenesNumeracion.h"

#include "core/programa/Herramientas.h"
#include "core/programa/Programa.h"
#include "ui/FrmContinuar.h"
#include "ui/FrmRepetir.h"

void RegistrarOrdenesNumeracion(Programa& programa, QWidget* ventana) {
    Programa* p = &programa;
    p->despachador.registrar(herramienta::BtnRepetir, [p, ventana] {
        Principal& pr = p->principal;
        RepetirCuadros repetir(pr.documento, p->editor.seleccion(), pr.preferencias, pr.mensajes());
        if (!repetir.Abrir())
            return;
        FrmRepetir dialogo(repetir, pr.documento, ventana);
        dialogo.exec();
    });
    p->despachador.registrar(herramienta::BtnContinuarNumeracion, [p, ventana] {
        Principal& pr = p->principal;
        ContinuarNumeracion continuar(pr.documento, pr.preferencias, pr.mensajes());
        if (!continuar.Abrir())
            return;
        FrmContinuar dialogo(continuar, ventana);
        dialogo.exec();
    });
}
