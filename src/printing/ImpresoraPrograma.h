// The program's own current printer. The program never changes the desktop's
// default printer: a command makes its printer current here for its duration
// and puts the previous one back. The printer object always addresses the
// current printer; ending its document lets it follow a change.
#pragma once

#include "platform/Impresora.h"

#include <memory>

class ImpresoraPrograma {
public:
    explicit ImpresoraPrograma(CatalogoImpresoras& catalogo) : m_catalogo(catalogo) {}

    // The current printer's name: the one made current, else the system's default.
    QString actual() const;
    // An empty name leaves the current printer as it is.
    void FijarImpresoraPredeterminada(const QString& nombre);

    // The printer object on the current printer; nullptr when there is no
    // printer at all.
    Impresora* objeto();
    // Ends any open document and lets the object follow the current printer.
    void TerminarDocumento();
    // Abandons any open document.
    void AbortarDocumento();

    CatalogoImpresoras& catalogo() { return m_catalogo; }

private:
    CatalogoImpresoras& m_catalogo;
    QString m_actual;
    std::unique_ptr<Impresora> m_objeto;
};
