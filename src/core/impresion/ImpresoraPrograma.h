// The program's own current printer. The program never changes the desktop's
// default printer: a command makes its printer current here for its duration
// and puts the previous one back. The printer object always addresses the
// current printer; ending its document lets it follow a change.
#pragma once

#include "core/puertos/Impresora.h"

#include <memory>
#include <optional>

class Preferencias;

class ImpresoraPrograma {
public:
    explicit ImpresoraPrograma(CatalogoImpresoras& catalogo) : m_catalogo(catalogo) {}

    // The current printer's name: the one made current, else the system's default.
    QString actual() const;
    // An empty name leaves the current printer as it is.
    void FijarImpresoraPredeterminada(const QString& nombre);
    // What the current printer was set to (empty: the system's default), to
    // put it back exactly.
    QString elegida() const { return m_actual; }
    void Restaurar(const QString& elegida) { m_actual = elegida; }

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

class PoliticaFallas;

// For the duration of a command: the program's printer (`programa`, or the
// current one when empty) becomes the current printer, with any open document
// ended before and after; the previous current printer comes back at the end.
class ConImpresora {
public:
    ConImpresora(ImpresoraPrograma& impresora, PoliticaFallas& politica, const QString& programa);
    ~ConImpresora();
    ConImpresora(const ConImpresora&) = delete;
    ConImpresora& operator=(const ConImpresora&) = delete;

    // The printer object; nullptr when a failure abandoned the switch or
    // there is no printer (reported through the policy).
    Impresora* objeto() const { return m_objeto; }
    const QString& inicial() const { return m_inicial; }

private:
    ImpresoraPrograma& m_imp;
    PoliticaFallas& m_politica;
    QString m_inicial;
    std::optional<QString> m_anterior; // set once the switch was made
    Impresora* m_objeto = nullptr;
};

// The program's printer: the setting "Printer", else the current one.
QString ImpresoraDelPrograma(const Preferencias& preferencias, const ImpresoraPrograma& impresora);
