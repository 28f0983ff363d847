// Every setting the program keeps, by name, with its type and its default,
// over the per-user store. A key is spelt here and nowhere else; the typed
// readers at the end are for the few keys built at run time (the corrections
// of each printer) and for the tests.
#pragma once

#include "core/puertos/Ajustes.h"
#include "core/puertos/Impresora.h"
#include "core/trabajo/Cuadro.h"
#include "core/trabajo/Trabajo.h"

#include <QLocale>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <optional>

// What the options dialog shows and stores, besides the printer and the sheet.
struct OpcionesGuardadas {
    int verRegla = 0, verMargen = 2, verEjes = 2; // 0 as last time, 1 always, 2 never
    FuenteImpresion fuente{QStringLiteral("Tahoma")};
    qint32 color = 0;
    bool lineasGuia = true;
    int cifras = 5;   // 1..30
    int rotacion = 0; // 0, 90, 180, 270
};

// The main window as it was left: where the top-left corner of its frame
// was and its size inside the frame, in screen pixels, as when not
// maximized; and whether it was maximized.
struct VentanaGuardada {
    QRect marco;
    bool maximizada = false;
};

// Rulers, margins and axes when a job opens; nothing where the setting says
// to leave the tool as it is.
struct VistaInicial {
    std::optional<bool> reglas, margenes, ejes;
};

class Preferencias : public QObject {
    Q_OBJECT
public:
    explicit Preferencias(Ajustes& ajustes, const QLocale& idioma = QLocale(),
                          QObject* padre = nullptr);

    Ajustes& ajustes() { return m_a; }
    const Ajustes& ajustes() const { return m_a; }
    // The operator's locale (from the environment): decimal separator and
    // the words for true and false.
    const QLocale& idioma() const { return m_idioma; }

    // A new box: the options dialog's defaults, 5 digits when none is stored.
    Cuadro defectosCuadro() const;
    // The group dialog's defaults: the same keys, but 7 digits when none is
    // stored (a group is usually a series that needs more of them).
    struct DefectosGrupo {
        QString cifras;
        int rotacion = 0;
        FuenteImpresion fuente;
        qint32 color = 0;
    };
    DefectosGrupo defectosGrupo() const;

    OpcionesGuardadas opciones() const;
    void guardarOpciones(const OpcionesGuardadas& o);

    // The sheet of new jobs; an empty one (no name, no size) when none is
    // stored or its size is past what a job file holds.
    ::Trabajo hojaGuardada() const;
    // `actual` with the stored sheet's name, size and orientation.
    ::Trabajo conHojaGuardada(const ::Trabajo& actual) const;
    void guardarHoja(const ::Trabajo& hoja);
    // The stored sheet as the options dialog shows it: each value missing
    // from the store is taken from `actual`.
    ::Trabajo hojaParaOpciones(const ::Trabajo& actual) const;

    VistaInicial vistaInicial() const;
    // The aids as the editor window closed.
    void guardarVistas(bool reglas, bool margenes, bool ejes);

    // The program's printer ("Printer"), nothing when none is stored.
    std::optional<QString> impresora() const;
    void fijarImpresora(const QString& nombre);
    // "PrinterDefault": the program prints on its own printer, not the
    // system's current one.
    bool impresoraFija() const;
    void fijarImpresoraFija(bool si);
    // "OrdenInverso": runs print the last sheet first (printers that stack
    // face up), as the print dialog offers it.
    bool ordenInverso() const;
    void fijarOrdenInverso(bool si);

    // The folder the open and save dialogs start in.
    QString carpetaInicial() const;
    void fijarCarpetaInicial(const QString& ruta);

    // Where the properties dialog was last left; nothing before the first time.
    std::optional<QPoint> lugarVentana() const;
    void guardarLugarVentana(QPoint lugar);

    // The main window's place and size; nothing before the first time, or
    // when a value is missing or not a sensible number of pixels.
    std::optional<VentanaGuardada> ventanaPrincipal() const;
    void guardarVentanaPrincipal(const VentanaGuardada& v);

    // The job files opened or saved last, the most recent first: at most
    // kMaxTrabajosRecientes, empty entries left out.
    static constexpr int kMaxTrabajosRecientes = 8;
    QStringList trabajosRecientes() const;
    void fijarTrabajosRecientes(const QStringList& rutas);

    // The background picture of the job saved at `rutaTrabajo` (its full
    // path, compared as the absolute path); empty when it has none. The last
    // kMaxImagenesFondo jobs given one are remembered, the most recent
    // first; the job file itself never names it.
    static constexpr int kMaxImagenesFondo = 20;
    QString imagenFondo(const QString& rutaTrabajo) const;
    // An empty `imagen` forgets the job's picture.
    void fijarImagenFondo(const QString& rutaTrabajo, const QString& imagen);

    // Typed readers and writers of a key in the "Settings" section: a missing
    // key, or a number that does not convert, gives the default.
    QString texto(Aplicacion app, const QString& clave, const QString& defecto) const {
        return m_a.texto(app, clave, defecto);
    }
    qint64 entero(Aplicacion app, const QString& clave, qint64 defecto) const;
    double real(Aplicacion app, const QString& clave, double defecto) const;
    bool booleano(Aplicacion app, const QString& clave, bool defecto) const;
    void escribirTexto(Aplicacion app, const QString& clave, const QString& valor) {
        m_a.escribirTexto(app, clave, valor);
    }
    void escribirEntero(Aplicacion app, const QString& clave, qint64 valor);
    void escribirBooleano(Aplicacion app, const QString& clave, bool valor);

signals:
    // The program's printer was stored anew.
    void impresoraCambiada();

private:
    Ajustes& m_a;
    QLocale m_idioma;
};
