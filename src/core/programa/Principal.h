// The main window as the program sees it, without widgets: the shared state,
// the platform services, the caption, the three status panels, the tools, and
// whether the editor window is open. The widgets follow its signals.
#pragma once

#include "core/fallas/Fallas.h"
#include "core/programa/BarraHerramientas.h"
#include "core/trabajo/Estado.h"

#include <QLocale>
#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class Ajustes;
class Mensajes;
class DialogosArchivo;
class Portapapeles;
class CatalogoImpresoras;
class DialogosImpresion;
class VentanaProgreso;

struct Servicios {
    Ajustes& ajustes;
    Mensajes& mensajes;
    DialogosArchivo& dialogos;
    Portapapeles& portapapeles;
    CatalogoImpresoras& impresoras;
    DialogosImpresion& dialogosImpresion;
    // The progress window of a print run; none when empty.
    std::function<std::unique_ptr<VentanaProgreso>()> crearVentanaProgreso = {};
    // Where older per-printer correction files may lie.
    QStringList carpetasAjusteAntiguo = {};
    // Where the settings live (shown by About).
    QString carpetaAjustes = {};
};

class Principal : public QObject {
    Q_OBJECT
public:
    explicit Principal(const Servicios& servicios, QObject* padre = nullptr);

    Estado estado;
    BarraHerramientas barra;
    PoliticaFallas politica;
    QLocale idioma; // the user's, from the environment

    Ajustes& ajustes() { return m_s.ajustes; }
    Mensajes& mensajes() { return m_s.mensajes; }
    DialogosArchivo& dialogos() { return m_s.dialogos; }
    Portapapeles& portapapeles() { return m_s.portapapeles; }
    CatalogoImpresoras& impresoras() { return m_s.impresoras; }
    DialogosImpresion& dialogosImpresion() { return m_s.dialogosImpresion; }
    const Servicios& servicios() const { return m_s; }

    // Building the main window: caption, box table, zoom list, stored sheet and
    // printer in the status bar.
    void Construir();

    QString titulo() const { return m_titulo; }
    void fijarTitulo(const QString& t);
    QString panel(int n) const { return m_paneles.at(n - 1); }
    void fijarPanel(int n, const QString& texto);
    bool hojaVertical() const { return m_vertical; }

    // Stored sheet -> Trabajo; Trabajo -> status panel 2.
    void LeerHoja();
    // The stored sheet's name, size and orientation; no name and no size when
    // none is stored or its size is past what a job file holds.
    static ::Trabajo HojaGuardada(const Ajustes& ajustes);
    void MostrarHoja();
    // Fills the sheet with "Carta" and stores it.
    void PapelPorDefecto();
    // Stores the job's sheet as the sheet of new jobs.
    void GuardarHoja();
    static void GuardarHoja(Ajustes& ajustes, const ::Trabajo& hoja, const QLocale& idioma);
    static QString TextoHoja(const ::Trabajo& hoja, const QLocale& idioma);

    // Ruler, margins and axes toggles from the start-up view settings.
    void AplicarVistaInicial();
    // Their states, stored when the editor window closes.
    void GuardarVistas();

    bool editorAbierto() const { return m_editor; }
    void marcarEditor(bool abierto);

    // Asks the editor to lay out and redraw the sheet.
    void AjustarHoja() { emit ajustarHoja(); }
    void RedibujarHoja() { emit redibujarHoja(); }
    void RefrescarVista() { emit refrescarVista(); }

    // The program ends now, without questions.
    void Terminar(int codigo) { emit terminar(codigo); }

signals:
    void tituloCambiado(const QString& titulo);
    void panelCambiado(int n);
    void editorAbiertoCambiado(bool abierto);
    void ajustarHoja();
    void redibujarHoja();
    void refrescarVista();
    void terminar(int codigo);

private:
    Servicios m_s;
    QString m_titulo;
    std::array<QString, 3> m_paneles;
    bool m_vertical = true;
    bool m_editor = false;
};
