#include "ConfiguracionPagina.h"

#include "job/Valores.h"
#include "platform/Ajustes.h"
#include "platform/Mensajes.h"
#include "shell/Principal.h"

ConfiguracionPagina::ConfiguracionPagina(Principal& principal)
    : campos(principal.idioma), m_p(principal) {}

void ConfiguracionPagina::Cargar() {
    const ::Trabajo& h = m_p.estado.Trabajo;
    m_p.estado.DialogoCancelado = true;
    campos.Cargar(h.HName, h.HAncho, h.HAlto, h.HOrienta);
    vertical = h.HOrienta;
    m_anchoCargado = campos.ancho;
    m_altoCargado = campos.alto;
    m_verticalCargado = vertical;
    m_anchoTwips = h.HAncho;
    m_altoTwips = h.HAlto;
}

bool ConfiguracionPagina::comprobar() {
    const QString error = campos.ErrorTamano();
    if (!error.isEmpty())
        m_p.mensajes().mostrar(error, QStringLiteral("Error"), Icono::Exclamacion,
                               Botones::Aceptar);
    return error.isEmpty();
}

bool ConfiguracionPagina::aplicar() {
    ::Trabajo& h = m_p.estado.Trabajo;
    const ::Trabajo antes = h;
    if (!comprobar() || !campos.Aplicar(h, vertical))
        return false;
    if (vertical == m_verticalCargado && campos.ancho == m_anchoCargado &&
        campos.alto == m_altoCargado) {
        h.HAncho = m_anchoTwips;
        h.HAlto = m_altoTwips;
    }
    // The sheet is part of the job file: a changed sheet is a change to save.
    if (m_p.editorAbierto() && !(h == antes))
        m_p.estado.Modificado = true;
    return true;
}

bool ConfiguracionPagina::Aceptar() {
    if (!aplicar())
        return false;
    m_p.MostrarHoja();
    m_p.estado.DialogoCancelado = false;
    return true;
}

void ConfiguracionPagina::Predeterminar() {
    if (!comprobar())
        return;
    QString lista = campos.entradas().at(campos.indice);
    if (campos.indice == CamposTamano::kPersonal)
        lista += QStringLiteral(" (%1 x %2 Cmts)")
                     .arg(vertical ? campos.ancho : campos.alto, vertical ? campos.alto : campos.ancho);
    const QString texto =
        QStringLiteral("Se cambiarán los valores predeterminados a :\r%1\r%2\r\r¿Desea continuar?")
            .arg(lista, vertical ? QStringLiteral("Orientación  VERTICAL")
                                 : QStringLiteral("Orientación  HORIZONTAL"));
    if (m_p.mensajes().mostrar(texto, QStringLiteral("Atención"), Icono::Pregunta,
                               Botones::AceptarCancelar) != Respuesta::Aceptar)
        return;
    if (aplicar())
        m_p.GuardarHoja();
}

bool ConfiguracionPagina::SalirCampo(bool esAncho) {
    return campos.SalirCampo(esAncho, m_p.mensajes());
}
