#include "ImpresoraPrograma.h"

#include "core/fallas/Fallas.h"
#include "core/trabajo/Preferencias.h"

QString ImpresoraPrograma::actual() const {
    return m_actual.isEmpty() ? m_catalogo.predeterminada() : m_actual;
}

void ImpresoraPrograma::FijarImpresoraPredeterminada(const QString& nombre) {
    if (!nombre.isEmpty())
        m_actual = nombre;
}

Impresora* ImpresoraPrograma::objeto() {
    const QString nombre = actual();
    if (m_objeto && m_objeto->nombreDispositivo() != nombre && !m_objeto->documentoAbierto())
        m_objeto.reset();
    if (!m_objeto && !nombre.isEmpty())
        m_objeto = m_catalogo.crear(nombre);
    return m_objeto.get();
}

void ImpresoraPrograma::TerminarDocumento() {
    if (!m_objeto)
        return;
    if (m_objeto->documentoAbierto())
        m_objeto->terminarDocumento();
    // A printer chosen in a dialog is the current one now: keep the object
    // (and what the operator set in the dialog) when it already addresses it.
    if (m_objeto->nombreDispositivo() != actual())
        m_objeto.reset();
}

void ImpresoraPrograma::AbortarDocumento() {
    if (m_objeto && m_objeto->documentoAbierto())
        m_objeto->abortarDocumento();
}

ConImpresora::ConImpresora(ImpresoraPrograma& imp, PoliticaFallas& politica,
                           const QString& programa)
    : m_imp(imp), m_politica(politica) {
    using R = PoliticaFallas::Resultado;
    if (politica.ejecutar([&] { m_imp.TerminarDocumento(); }) == R::Abandonado)
        return;
    m_inicial = m_imp.actual();
    m_anterior = m_imp.elegida();
    m_imp.FijarImpresoraPredeterminada(programa);
    if (politica.ejecutar([&] { m_imp.TerminarDocumento(); }) == R::Abandonado)
        return;
    m_objeto = m_imp.objeto();
    if (!m_objeto)
        politica.ejecutar([] {
            throw Falla{CodigoFalla::DispositivoNoDisponible,
                        QStringLiteral("No hay ninguna impresora instalada.")};
        });
}

ConImpresora::~ConImpresora() {
    if (!m_anterior)
        return;
    m_imp.Restaurar(*m_anterior);
    m_politica.ejecutar([&] { m_imp.TerminarDocumento(); });
}

QString ImpresoraDelPrograma(const Preferencias& preferencias, const ImpresoraPrograma& impresora) {
    return preferencias.impresora().value_or(impresora.actual());
}
