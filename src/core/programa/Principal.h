// The main window as the program sees it, without widgets: the open job, the
// settings, the platform services, the caption, the three status panels and
// the tools. The widgets follow its signals. Only the program's own commands
// (core/programa) and the windows see it; the editor, the dialogs and the
// print run are given the pieces they need.
#pragma once

#include "core/fallas/Fallas.h"
#include "core/programa/BarraHerramientas.h"
#include "core/programa/TrabajosRecientes.h"
#include "core/trabajo/Documento.h"
#include "core/trabajo/Preferencias.h"

#include <QLocale>
#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class Ajustes;
class Mensajes;
class DialogosArchivo;
class Portapapeles;
class CatalogoImpresoras;
class DialogosImpresion;
class VentanaProgreso;
class LectorImagenes;

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
    // The run log's folder; empty keeps no log.
    QString carpetaTiradas = {};
    // Reads the background picture under the sheet; none reads nothing.
    const LectorImagenes* lectorImagenes = nullptr;
};

class Principal : public QObject {
    Q_OBJECT
public:
    explicit Principal(const Servicios& servicios, QObject* padre = nullptr);

    Preferencias preferencias;
    TrabajosRecientes recientes{preferencias};
    Documento documento;
    BarraHerramientas barra;
    PoliticaFallas politica;

    // The user's locale, from the environment.
    const QLocale& idioma() const { return preferencias.idioma(); }

    Ajustes& ajustes() { return m_s.ajustes; }
    Mensajes& mensajes() { return m_s.mensajes; }
    DialogosArchivo& dialogos() { return m_s.dialogos; }
    Portapapeles& portapapeles() { return m_s.portapapeles; }
    CatalogoImpresoras& impresoras() { return m_s.impresoras; }
    DialogosImpresion& dialogosImpresion() { return m_s.dialogosImpresion; }
    const Servicios& servicios() const { return m_s; }

    // Building the main window: caption, zoom list, stored sheet and printer
    // in the status bar.
    void Construir();

    QString titulo() const { return m_titulo; }
    void fijarTitulo(const QString& t);
    // Status panels: 1 the pointer's place, 2 the sheet, 3 the printer, 4 the
    // sheet of the run the editor shows ("Hoja 3 de 250"). Panels 2 and 3
    // follow the job and the settings.
    QString panel(int n) const { return m_paneles.at(n - 1); }
    void fijarPanel(int n, const QString& texto);
    bool hojaVertical() const { return m_vertical; }

    // The stored sheet into the job (no job is open).
    void LeerHoja();
    // A sheet without a name becomes "Carta", stored; then status panel 2.
    void MostrarHoja();
    // Fills the sheet with "Carta" and stores it.
    void PapelPorDefecto();

    // Ruler, margins and axes toggles from the start-up view settings.
    void AplicarVistaInicial();
    // Their states, stored when the editor window closes.
    void GuardarVistas();
    // With no job open the three view toggles stand up, keeping what they
    // were for the next job.
    void SoltarVistas();
    void RecuperarVistas();

    // The program ends now, without questions.
    void Terminar(int codigo) { emit terminar(codigo); }

signals:
    void tituloCambiado(const QString& titulo);
    void panelCambiado(int n);
    void terminar(int codigo);

private:
    void MostrarImpresora();
    void MostrarPanelHoja();

    Servicios m_s;
    QString m_titulo;
    std::array<QString, 4> m_paneles;
    bool m_vertical = true;
    // Ruler, margins and axes while no job is open.
    std::optional<std::array<bool, 3>> m_vistasSinTrabajo;
};
