#include "ImpresoraPrograma.h"

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
