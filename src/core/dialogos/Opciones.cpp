#include "Opciones.h"

#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Preferencias.h"

Opciones::Opciones(Documento& documento, Preferencias& preferencias, CatalogoImpresoras& impresoras,
                   Mensajes& mensajes)
    : hoja(preferencias.idioma()), m_doc(documento), m_pref(preferencias), m_impresoras(impresoras),
      m_mensajes(mensajes) {}

void Opciones::Cargar() {
    impresoras = m_impresoras.impresoras();
    impresora = -1;
    siempreEstaImpresora = m_pref.impresoraFija();
    if (siempreEstaImpresora && !impresoras.isEmpty()) {
        const qsizetype i = impresoras.indexOf(m_pref.impresora().value_or(QString()));
        impresora = static_cast<int>(i >= 0 ? i : impresoras.size() - 1);
    }
    static_cast<OpcionesGuardadas&>(*this) = m_pref.opciones();
    const ::Trabajo h = m_pref.hojaParaOpciones(m_doc.Trabajo());
    vertical = h.HOrienta;
    hoja.Cargar(h.HName, h.HAncho, h.HAlto, vertical);
    cambiado = false;
    impresoraElegida = false;
}

void Opciones::ElegirImpresora(int i) {
    impresora = i;
    siempreEstaImpresora = true;
    impresoraElegida = cambiado = true;
}

void Opciones::SiempreEstaImpresora(bool si) {
    siempreEstaImpresora = si;
    if (si && impresora < 0 && !impresoras.isEmpty())
        impresora = 0;
    if (!si)
        impresora = -1;
    impresoraElegida = cambiado = true;
}

void Opciones::AplicarImpresora() {
    m_pref.fijarImpresoraFija(siempreEstaImpresora);
    if (!siempreEstaImpresora)
        return;
    m_pref.fijarImpresora(impresora >= 0 && impresora < impresoras.size() ? impresoras[impresora]
                                                                          : QString());
}

void Opciones::AplicarHoja() {
    // Stored as page setup's "&Predeterminar" stores a sheet. The open job
    // keeps its own: page setup is where that changes.
    ::Trabajo nueva = m_doc.Trabajo();
    if (hoja.Aplicar(nueva, vertical))
        m_pref.guardarHoja(nueva);
    // Without a job the model holds the stored sheet.
    if (!m_doc.abierto())
        m_doc.fijarHoja(m_pref.conHojaGuardada(m_doc.Trabajo()));
}

void Opciones::Aplicar() {
    // Only a choice made on the printer tab changes the program's printer.
    if (impresoraElegida)
        AplicarImpresora();
    m_pref.guardarOpciones(*this);
    AplicarHoja();
    m_mensajes.mostrar(QStringLiteral("Algunas de las opciones cambiadas \rtendrán efecto al "
                                      "comenzar un nuevo trabajo"),
                       QStringLiteral("Cambio de opciones"), Icono::Informacion, Botones::Aceptar);
    cambiado = impresoraElegida = false;
}

void Opciones::Aceptar() {
    if (cambiado)
        Aplicar();
}

bool Opciones::SalirCampoHoja(bool esAncho) {
    return hoja.SalirCampo(esAncho, m_mensajes);
}
