#include "ConfiguracionPagina.h"

#include "core/editor/ElementosHoja.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Preferencias.h"

ConfiguracionPagina::ConfiguracionPagina(Documento& documento, Preferencias& preferencias,
                                         Mensajes& mensajes)
    : campos(preferencias.idioma()), m_doc(documento), m_pref(preferencias), m_mensajes(mensajes) {}

void ConfiguracionPagina::Cargar() {
    const ::Trabajo& h = m_doc.Trabajo();
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
        m_mensajes.mostrar(error, QStringLiteral("Error"), Icono::Exclamacion, Botones::Aceptar);
    return error.isEmpty();
}

bool ConfiguracionPagina::aplicar() {
    const ::Trabajo antes = m_doc.Trabajo();
    ::Trabajo h = antes;
    if (!comprobar() || !campos.Aplicar(h, vertical))
        return false;
    if (vertical == m_verticalCargado && campos.ancho == m_anchoCargado &&
        campos.alto == m_altoCargado) {
        h.HAncho = m_anchoTwips;
        h.HAlto = m_altoTwips;
    }
    // The sheet is part of the job file: a changed sheet is a change to save,
    // and a step the operator can take back.
    m_doc.fijarHoja(h);
    if (m_doc.abierto() && !(h == antes))
        AvisarCuadrosFuera(antes);
    return true;
}

void ConfiguracionPagina::AvisarCuadrosFuera(const ::Trabajo& antes) {
    const QList<int> ahora = ElementosHoja::FueraDeHoja(m_doc.Cuadros(), m_doc.Trabajo());
    const QList<int> yaFuera = ElementosHoja::FueraDeHoja(m_doc.Cuadros(), antes);
    QStringList nuevos;
    for (int i : ahora)
        if (!yaFuera.contains(i))
            nuevos.append(QString::number(i + 1));
    if (nuevos.isEmpty())
        return;
    m_mensajes.mostrar(
        (nuevos.size() == 1
             ? QStringLiteral("Con esta hoja, el cuadro Nº %1 queda fuera de ella.")
             : QStringLiteral("Con esta hoja, los cuadros Nº %1 quedan fuera de ella."))
                .arg(nuevos.join(QStringLiteral(", "))) +
            QStringLiteral(
                "\rSe muestran marcados en el borde de la hoja: arrástrelos a su sitio."),
        QStringLiteral("Configurar página"), Icono::Exclamacion, Botones::Aceptar);
}

bool ConfiguracionPagina::Aceptar() {
    return aplicar();
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
    if (m_mensajes.mostrar(texto, QStringLiteral("Atención"), Icono::Pregunta,
                           Botones::AceptarCancelar) != Respuesta::Aceptar)
        return;
    if (aplicar())
        m_pref.guardarHoja(m_doc.Trabajo());
}

bool ConfiguracionPagina::SalirCampo(bool esAncho) {
    return campos.SalirCampo(esAncho, m_mensajes);
}
