#include "ConfiguracionPagina.h"

#include "core/editor/ElementosHoja.h"
#include "core/programa/Principal.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Valores.h"

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
    if (m_p.editorAbierto() && !(h == antes)) {
        m_p.estado.Modificado = true;
        AvisarCuadrosFuera(antes);
    }
    return true;
}

void ConfiguracionPagina::AvisarCuadrosFuera(const ::Trabajo& antes) {
    const Estado& e = m_p.estado;
    const QList<int> ahora = ElementosHoja::FueraDeHoja(e.Cuadros, e.Trabajo);
    const QList<int> yaFuera = ElementosHoja::FueraDeHoja(e.Cuadros, antes);
    QStringList nuevos;
    for (int i : ahora)
        if (!yaFuera.contains(i))
            nuevos.append(QString::number(i + 1));
    if (nuevos.isEmpty())
        return;
    m_p.mensajes().mostrar(
        (nuevos.size() == 1
             ? QStringLiteral("Con esta hoja, el cuadro Nº %1 queda fuera de ella.")
             : QStringLiteral("Con esta hoja, los cuadros Nº %1 quedan fuera de ella."))
                .arg(nuevos.join(QStringLiteral(", "))) +
            QStringLiteral(
                "\rSe muestran marcados en el borde de la hoja: arrástrelos a su sitio."),
        QStringLiteral("Configurar página"), Icono::Exclamacion, Botones::Aceptar);
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
        lista +=
            QStringLiteral(" (%1 x %2 Cmts)")
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
