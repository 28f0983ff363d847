#include "ConfiguracionPagina.h"

#include "job/TablaPapeles.h"
#include "job/Valores.h"
#include "platform/Ajustes.h"
#include "platform/Mensajes.h"
#include "shell/Principal.h"

ConfiguracionPagina::ConfiguracionPagina(Principal& principal)
    : campos(principal.idioma), m_p(principal) {}

void ConfiguracionPagina::Cargar() {
    const ::Trabajo& h = m_p.estado.Trabajo;
    m_p.estado.DialogoCancelado = true;
    int fila = -1;
    for (int i = 0; i < CamposTamano::kPersonal; ++i)
        if (TablaPapeles()[i].nombre == h.HName)
            fila = i;
    if (fila < 0) {
        const double a = (h.HOrienta ? h.HAncho : h.HAlto) / 567.0;
        const double b = (h.HOrienta ? h.HAlto : h.HAncho) / 567.0;
        campos.FijarTamano(a, b);
    } else {
        campos.Seleccionar(fila);
    }
    vertical = h.HOrienta;
    m_anchoCargado = campos.ancho;
    m_altoCargado = campos.alto;
    m_verticalCargado = vertical;
    m_anchoTwips = h.HAncho;
    m_altoTwips = h.HAlto;
}

bool ConfiguracionPagina::aplicar() {
    const auto a = LeerNumero(campos.ancho), b = LeerNumero(campos.alto);
    if (!a || !b)
        return false;
    const auto twips = [](double cm) {
        return static_cast<qint32>(std::clamp(RedondearPar(cm * 567), 1.0, 2147483647.0));
    };
    ::Trabajo& h = m_p.estado.Trabajo;
    const ::Trabajo antes = h;
    h.HName = campos.nombre();
    h.HOrienta = vertical;
    h.HAlto = twips(vertical ? *b : *a);
    h.HAncho = twips(vertical ? *a : *b);
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
    if (!aplicar())
        return;
    const ::Trabajo& h = m_p.estado.Trabajo;
    Ajustes& a = m_p.ajustes();
    a.escribirBooleano(Aplicacion::Titulo, QStringLiteral("HOrienta"), h.HOrienta, m_p.idioma);
    a.escribirTexto(Aplicacion::Titulo, QStringLiteral("HName"), h.HName);
    a.escribirEntero(Aplicacion::Titulo, QStringLiteral("HAlto"), h.HAlto);
    a.escribirEntero(Aplicacion::Titulo, QStringLiteral("HAncho"), h.HAncho);
}

bool ConfiguracionPagina::SalirCampo(bool esAncho) {
    return campos.SalirCampo(esAncho, m_p.mensajes());
}
