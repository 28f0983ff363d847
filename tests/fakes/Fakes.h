// Scripted stand-ins for the platform services: a message box that answers
// from a queue and remembers what it showed, file dialogs that return given
// paths, an in-memory clipboard and printer list.
#pragma once

#include "core/programa/Programa.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/DialogosArchivo.h"
#include "core/puertos/DialogosImpresion.h"
#include "core/puertos/Impresora.h"
#include "core/puertos/Mensajes.h"
#include "core/puertos/Portapapeles.h"
#include "core/trabajo/TablaPapeles.h"
#include "fakes/ImpresoraGrabadora.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>

// Changes the open job's sheet through the model, as page setup does.
inline void CambiarHoja(Documento& d, const std::function<void(Trabajo&)>& cambio) {
    Trabajo h = d.Trabajo();
    cambio(h);
    d.fijarHoja(h);
}

struct MensajeMostrado {
    QString texto;
    QString titulo;
    Icono icono;
    Botones botones;
};

class MensajesGuion : public Mensajes {
public:
    QList<Respuesta> respuestas; // empty: the first button
    QList<MensajeMostrado> mostrados;

    Respuesta mostrar(const QString& texto, const QString& titulo, Icono icono,
                      Botones botones) override {
        mostrados.append({texto, titulo, icono, botones});
        if (!respuestas.isEmpty())
            return respuestas.takeFirst();
        switch (botones) {
        case Botones::AnularReintentarOmitir:
            return Respuesta::Anular;
        case Botones::SiNo:
        case Botones::SiNoCancelar:
            return Respuesta::Si;
        case Botones::ReintentarCancelar:
            return Respuesta::Reintentar;
        default:
            return Respuesta::Aceptar;
        }
    }
    QStringList titulos() const {
        QStringList t;
        for (const auto& m : mostrados)
            t.append(m.titulo);
        return t;
    }
};

class DialogosGuion : public DialogosArchivo {
public:
    QList<std::optional<QString>> rutas; // nullopt = Cancel
    QStringList titulos;
    QStringList inicios;

    std::optional<QString> abrir(const QString& titulo, const QString& carpeta) override {
        titulos.append(titulo);
        inicios.append(carpeta);
        return rutas.isEmpty() ? std::nullopt : rutas.takeFirst();
    }
    std::optional<QString> guardar(const QString& titulo, const QString& nombre,
                                   const QString& carpeta) override {
        titulos.append(titulo);
        inicios.append(nombre);
        Q_UNUSED(carpeta);
        return rutas.isEmpty() ? std::nullopt : rutas.takeFirst();
    }
    std::optional<QString> exportarPdf(const QString& nombre) override {
        titulos.append(QStringLiteral("Exportar a PDF"));
        inicios.append(nombre);
        return rutas.isEmpty() ? std::nullopt : rutas.takeFirst();
    }
    std::optional<QString> imagenFondo(const QString& inicial) override {
        titulos.append(QStringLiteral("Imagen de fondo"));
        inicios.append(inicial);
        return rutas.isEmpty() ? std::nullopt : rutas.takeFirst();
    }
};

// A printer object handed to the program that records into a recorder the
// test keeps, so what was printed can be read after the program dropped it.
class ImpresoraDelegada : public Impresora {
public:
    explicit ImpresoraDelegada(ImpresoraGrabadora& g) : m_g(g) {}
    ImpresoraGrabadora& grabadora() { return m_g; }
    QString nombreDispositivo() const override { return m_g.nombreDispositivo(); }
    int orientacion() const override { return m_g.orientacion(); }
    void fijarOrientacion(int o) override { m_g.fijarOrientacion(o); }
    GeometriaDispositivo geometria() const override { return m_g.geometria(); }
    qint32 colorFrente() const override { return m_g.colorFrente(); }
    void fijarColor(qint32 c) override { m_g.fijarColor(c); }
    void fijarFuente(const FuenteImpresion& f) override { m_g.fijarFuente(f); }
    void fijarPosicion(double x, double y) override { m_g.fijarPosicion(x, y); }
    void imprimirTexto(const QString& t) override { m_g.imprimirTexto(t); }
    void imprimirLineaVacia() override { m_g.imprimirLineaVacia(); }
    void imprimirTextoRotado(const QString& t, int g, double x, double y) override {
        m_g.imprimirTextoRotado(t, g, x, y);
    }
    void dibujarLinea(double a, double b, double c, double d) override {
        m_g.dibujarLinea(a, b, c, d);
    }
    double anchoTexto(const QString& t) const override { return m_g.anchoTexto(t); }
    double altoCelda() const override { return m_g.altoCelda(); }
    bool documentoAbierto() const override { return m_g.documentoAbierto(); }
    void nuevaPagina() override { m_g.nuevaPagina(); }
    void terminarDocumento() override { m_g.terminarDocumento(); }
    void abortarDocumento() override { m_g.abortarDocumento(); }

private:
    ImpresoraGrabadora& m_g;
};

// The print dialogs: answer OK (or Cancel), optionally switching the printer
// object to another queue as the operator would in the dialog.
class DialogosImpresionFalsos : public DialogosImpresion {
public:
    bool aceptar = true;
    QString elegir;   // a printer to switch to, by name; empty keeps the current one
    RangoHojas rango; // what the operator typed as range
    int orientacionPedida = 0;
    qint32 hojasOfrecidas = -1;
    QStringList vistas;                               // printer names the dialogs were shown on
    std::function<void(ImpresoraGrabadora&)> cambiar; // switches the object's queue

    bool prueba = false; // the last print dialog was the test sheet's
    bool aceptarRangoPdf = true;
    std::optional<RangoHojas> rangoPdf; // the export's range answer; nullopt = the whole run
    qint32 hojasPdf = -1;

    // The preset range and order the print dialog was opened with; with
    // `tomarPropuesta` the operator accepts them as they stand.
    RangoHojas rangoPresentado;
    std::optional<bool> inversoPresentado;
    bool tomarPropuesta = false;
    std::optional<bool> inversoElegido; // what the operator ticks; nullopt leaves it

    bool imprimir(Impresora& imp, int orientacion, qint32 hojas, RangoHojas& r, bool esPrueba,
                  bool* inverso = nullptr) override {
        prueba = esPrueba;
        vistas.append(imp.nombreDispositivo());
        orientacionPedida = orientacion;
        hojasOfrecidas = hojas;
        rangoPresentado = r;
        inversoPresentado = inverso ? std::optional(*inverso) : std::nullopt;
        imp.fijarOrientacion(orientacion);
        if (!aceptar)
            return false;
        if (!tomarPropuesta)
            r = rango;
        if (inverso && inversoElegido)
            *inverso = *inversoElegido;
        elegirEn(imp);
        return true;
    }
    bool rangoExportacion(qint32 hojas, RangoHojas& r) override {
        hojasPdf = hojas;
        if (!aceptarRangoPdf)
            return false;
        r = rangoPdf.value_or(RangoHojas{1, hojas});
        return true;
    }
    bool configurar(Impresora& imp, int orientacion) override {
        vistas.append(imp.nombreDispositivo());
        orientacionPedida = orientacion;
        if (!aceptar)
            return false;
        elegirEn(imp);
        return true;
    }

    // The print preview: the range answer, and what the preview drew.
    bool aceptarRangoVista = true;
    std::optional<RangoHojas> rangoVista; // nullopt = the preset range
    qint32 hojasVista = -1;
    RangoHojas rangoPropuesto;        // the preset the range dialog got
    QStringList preliminares;         // printers a preview was shown on
    RangoHojas hojasMostradas;        // the sheets it was told it shows
    QList<LlamadaImpresora> dibujado; // what it drew on the printer object
    int documentosAbiertos = 0;       // documents left open after drawing

    bool rangoVistaPreliminar(qint32 hojas, RangoHojas& r) override {
        hojasVista = hojas;
        rangoPropuesto = r;
        if (!aceptarRangoVista)
            return false;
        if (rangoVista)
            r = *rangoVista;
        return true;
    }
    void vistaPreliminar(Impresora& imp, const RangoHojas& hojas, qint32,
                         const std::function<void(Impresora&)>& dibujar) override {
        preliminares.append(imp.nombreDispositivo());
        hojasMostradas = hojas;
        ImpresoraGrabadora& g = static_cast<ImpresoraDelegada&>(imp).grabadora();
        const qsizetype antes = g.llamadas.size();
        dibujar(imp);
        dibujado = g.llamadas.mid(antes);
        documentosAbiertos += imp.documentoAbierto() ? 1 : 0;
    }

private:
    void elegirEn(Impresora& imp) {
        if (!elegir.isEmpty())
            static_cast<ImpresoraDelegada&>(imp).grabadora().renombrar(elegir);
    }
};

// A progress window that records what it showed into `registro` and asks to
// cancel at a given sheet, as often as told.
struct RegistroProgreso {
    QStringList textos;
    qint32 maximo = -1;
    qint32 valor = -1;
    bool cerrada = false;
    int cancelarEnHoja = -1; // 0-based sheet index
    int veces = 1;           // presses of the cancel button there
};

class VentanaProgresoFalsa : public VentanaProgreso {
public:
    explicit VentanaProgresoFalsa(RegistroProgreso& r) : m_r(r) {}
    void mostrar(qint32 m) override {
        m_r.maximo = m;
        m_r.cerrada = false;
    }
    void actualizar(qint32 v, const QString& t) override {
        m_r.valor = v;
        m_r.textos.append(t);
    }
    void procesarEventos() override {}
    bool tomarCancelacion() override {
        if (m_r.valor == m_r.cancelarEnHoja && m_r.veces > 0) {
            --m_r.veces;
            return true;
        }
        return false;
    }
    void cerrar() override { m_r.cerrada = true; }

private:
    RegistroProgreso& m_r;
};

class PortapapelesMemoria : public Portapapeles {
public:
    std::optional<QString> contenido;
    void limpiar() override { contenido.reset(); }
    void fijarTexto(const QString& t) override { contenido = t; }
    std::optional<QString> texto() const override { return contenido; }
};

// Printers that record what they are told. `creadas` lists the recorder of
// every printer object created, in order; they outlive the objects.
class CatalogoFalso : public CatalogoImpresoras {
public:
    QStringList lista;
    QString defecto;
    QList<ImpresoraGrabadora*> creadas;
    QStringList pdfs;
    std::function<void(ImpresoraGrabadora&)> preparar; // geometry of a new printer

    QStringList impresoras() const override { return lista; }
    QString predeterminada() const override { return defecto; }
    std::unique_ptr<Impresora> crear(const QString& nombre) override {
        if (!lista.contains(nombre))
            return {};
        return nueva(nombre);
    }
    std::unique_ptr<Impresora> crearPdf(const QString& ruta, qint32, qint32) override {
        pdfs.append(ruta);
        return nueva(QStringLiteral("PDF"));
    }

private:
    std::unique_ptr<Impresora> nueva(const QString& nombre) {
        m_todas.push_back(std::make_unique<ImpresoraGrabadora>(nombre));
        ImpresoraGrabadora& g = *m_todas.back();
        if (preparar)
            preparar(g);
        creadas.append(&g);
        return std::make_unique<ImpresoraDelegada>(g);
    }
    std::vector<std::unique_ptr<ImpresoraGrabadora>> m_todas;
};

// The editor, the box commands and the dialogs' logic over a bare open job:
// no program, no tools, no print run. For the logic that needs only the
// model, the settings and the ports. The job is new: the default sheet
// ("Carta", portrait) at 50 %, no box, nothing stored in the settings; the
// properties dialog hook is left unset.
#ifdef VELQUIRA_FIXTURES_DIR
// A fresh copy of fixture `nombre` (a path under the fixtures folder), with
// the same file name, for a test to open as a job. The program locks the job
// it opens beside the file: test programs running side by side must not see
// each other's locks, nor leave them in the source tree.
inline QString CopiaFixture(const QString& nombre) {
    static QTemporaryDir dir;
    const QString ruta = dir.filePath(QFileInfo(nombre).fileName());
    QFile::remove(ruta);
    QFile::copy(QStringLiteral(VELQUIRA_FIXTURES_DIR) + u'/' + nombre, ruta);
    return ruta;
}
#endif

// A job of one live box numbering 1..`fin` in 20-point Arial, 2 cm from the
// sheet's corner: the smallest run for the printing tests.
inline std::vector<Cuadro> UnaSerie(double fin, qint16 cifras = 0) {
    std::vector<Cuadro> cuadros(1);
    Cuadro& c = cuadros[0];
    c.EnUso = true;
    c.Inicio = 1;
    c.Fin = fin;
    c.Salto = 1;
    c.Cifras = cifras;
    c.FontName = QStringLiteral("Arial");
    c.FontSize = 20;
    c.PosX = c.PosY = 1134;
    return cuadros;
}

struct Mesa {
    AjustesMemoria ajustes;
    MensajesGuion mensajes;
    PortapapelesMemoria portapapeles;
    CatalogoFalso impresoras;
    Documento documento;
    Preferencias preferencias{ajustes};
    EditorHoja editor{documento, mensajes, preferencias.idioma()};
    ComandosCuadro comandos{documento, editor, preferencias, mensajes, portapapeles};
    // What the selection asked of the box tools, in order.
    QList<HerramientasCuadro> pedidas;

    Mesa() {
        CambiarHoja(documento, FijarCarta);
        documento.fijarAbierto(true);
        editor.seleccion().alCambiarHerramientas = [this](const HerramientasCuadro& h) {
            pedidas.append(h);
        };
    }

    // The box tools as a toolbar following those requests shows them: each
    // field as last asked, unset while never asked.
    HerramientasCuadro herramientas() const {
        HerramientasCuadro t;
        for (const HerramientasCuadro& h : pedidas) {
            for (auto campo : {&HerramientasCuadro::cuadro, &HerramientasCuadro::alinear,
                               &HerramientasCuadro::lineasGuia, &HerramientasCuadro::bloqueado})
                if (h.*campo)
                    t.*campo = h.*campo;
        }
        return t;
    }

    // Boxes with the new-box defaults at the given model positions (in a job
    // without boxes, the k-th in slot k), the sheet drawn at `zoom`, the job
    // as if just opened.
    void conCuadros(const QList<QPoint>& posiciones, float zoom = 1) {
        documento.fijarZoom(zoom);
        for (const QPoint& p : posiciones)
            documento.agregarCuadro(preferencias.defectosCuadro(), p);
        documento.olvidarHistoria();
        editor.RedibujarHoja();
    }
    // Shift+click on each box in turn, as the operator builds a group.
    void agrupar(std::initializer_list<int> cuadros) {
        for (int i : cuadros)
            editor.seleccion().PulsarCuadro(i, Boton::Izquierdo, true, {1, 1});
    }
    // Box i as shown, screen twips.
    QRectF rect(int i) const { return editor.elementos().elementos()[i].rect; }
};

// A whole program without windows, on fakes.
struct Banco {
    AjustesMemoria ajustes;
    MensajesGuion mensajes;
    DialogosGuion dialogos;
    PortapapelesMemoria portapapeles;
    CatalogoFalso impresoras;
    DialogosImpresionFalsos dialogosImpresion;
    RegistroProgreso progreso;
    QStringList carpetasAntiguas;
    std::unique_ptr<Programa> programa;

    Programa& crear() {
        Servicios s{ajustes, mensajes, dialogos, portapapeles, impresoras, dialogosImpresion};
        s.crearVentanaProgreso = [this]() -> std::unique_ptr<VentanaProgreso> {
            return std::make_unique<VentanaProgresoFalsa>(progreso);
        };
        s.carpetasAjusteAntiguo = carpetasAntiguas;
        programa = std::make_unique<Programa>(s);
        return *programa;
    }
};
