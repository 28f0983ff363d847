#include "Programa.h"
#include "core/programa/Herramientas.h"

#include "core/fallas/Fallas.h"
#include "core/puertos/DialogosArchivo.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/Numeracion.h"

#include <QDir>

Programa::Programa(const Servicios& servicios)
    : principal(servicios), despachador(principal), ciclo(principal),
      impresora(servicios.impresoras),
      impresion(principal.documento, principal.preferencias, principal.politica, servicios.mensajes,
                impresora, servicios.dialogosImpresion, servicios.crearVentanaProgreso,
                servicios.carpetasAjusteAntiguo, servicios.carpetaTiradas),
      editor(principal.documento, servicios.mensajes, principal.preferencias.idioma()),
      comandos(principal.documento, editor, principal.preferencias, servicios.mensajes,
               servicios.portapapeles),
      fondo(principal.documento, principal.preferencias, servicios.mensajes, servicios.dialogos,
            servicios.lectorImagenes) {
    Documento& d = principal.documento;
    editor.comprobarMargenes = [this] { return impresion.ComprobarMargenes(); };
    editor.seleccion().alCambiarHerramientas = [this](const HerramientasCuadro& h) {
        ReflejarHerramientasCuadro(principal, h);
    };
    QObject::connect(&editor, &EditorHoja::posicionCambiada, &principal,
                     [this](const QString& t) { principal.fijarPanel(1, t); });
    QObject::connect(&editor, &EditorHoja::hojaMostradaCambiada, &principal,
                     [this] { MostrarHojaTirada(); });
    // A job opens or closes: its tools follow, and the editor's aids take the
    // toggles' states.
    QObject::connect(&d, &Documento::abiertoCambiado, &principal, [this](bool abierto) {
        ActualizarHerramientas(principal);
        if (abierto)
            SincronizarVista();
        else
            principal.fijarPanel(1, {}); // no sheet under the pointer
    });
    principal.Construir();
    // Before any job: the state after closing one.
    ActualizarHerramientas(principal);
    MostrarHojaTirada();
    OrdenesTrabajo();
    OrdenesVista();
    OrdenesCuadro();
    OrdenesHistoria();
    OrdenesFondo();
}

void Programa::OrdenesFondo() {
    despachador.registrar(herramienta::BtnImagenFondo, [this] { fondo.Elegir(); });
    despachador.registrar(herramienta::BtnQuitarFondo, [this] { fondo.Quitar(); });
    ciclo.alGuardar = [this] { fondo.Guardado(); };
    const auto actualizar = [this] {
        BarraHerramientas::Actualizar actualizando(barra());
        const bool abierto = documento().abierto();
        barra().habilitar(herramienta::BtnImagenFondo, abierto);
        barra().habilitar(herramienta::BtnQuitarFondo, abierto && !fondo.ruta().isEmpty());
    };
    QObject::connect(&documento(), &Documento::abiertoCambiado, &principal, actualizar);
    QObject::connect(&fondo, &FondoHoja::cambiado, &principal, actualizar);
    actualizar();
    // The preview may show the form under the numbers, still without printing it.
    impresion.fondoVista = [this] { return fondo.imagen(); };
}

void Programa::OrdenesHistoria() {
    Documento& d = documento();
    despachador.registrar(herramienta::BtnDeshacer, [this] { documento().deshacer(); });
    despachador.registrar(herramienta::BtnRehacer, [this] { documento().rehacer(); });
    const auto actualizar = [this] { ActualizarHistoria(principal); };
    const QUndoStack* h = &d.historia();
    QObject::connect(h, &QUndoStack::canUndoChanged, &principal, actualizar);
    QObject::connect(h, &QUndoStack::canRedoChanged, &principal, actualizar);
    QObject::connect(h, &QUndoStack::undoTextChanged, &principal, actualizar);
    QObject::connect(h, &QUndoStack::redoTextChanged, &principal, actualizar);
    QObject::connect(&d, &Documento::abiertoCambiado, &principal, actualizar);
    actualizar();
}

void Programa::OrdenesTrabajo() {
    despachador.registrar(herramienta::BtnNuevo, [this] { ciclo.NuevoTrabajo(); });
    despachador.registrar(herramienta::BtnAbrir, [this] {
        ciclo.AbrirTrabajo();
        ActualizarPegar(principal);
    });
    despachador.registrar(herramienta::BtnGuardar, [this] { ciclo.Guardar(); });
    despachador.registrar(herramienta::BtnGuardComo, [this] { ciclo.GuardarComo(); });
    despachador.registrar(herramienta::BtnCerrarTrabajo, [this] { ciclo.CerrarComando(); });
    despachador.registrar(herramienta::BtnImprimir, [this] { impresion.ImprimirTrabajo(false); });
    despachador.registrar(herramienta::BtnPrueba, [this] { impresion.ImprimirTrabajo(true); });
    despachador.registrar(herramienta::BtnVistaPreliminar,
                          [this] { impresion.VistaPreliminar(editor.hojaMostrada()); });
    despachador.registrar(herramienta::BtnSeleccionarPrint,
                          [this] { impresion.SeleccionarImpresora(); });
    despachador.registrar(herramienta::BtnExportarPdf, [this] { ExportarPdf(); });
    despachador.registrar(herramienta::BtnSalir, [this] {
        if (ciclo.Salir())
            principal.Terminar(0);
    });
    impresion.alCambiarImpresora = [this] { editor.RefrescarVista(); };
}

void Programa::OrdenesVista() {
    BarraHerramientas& b = barra();
    despachador.registrar(herramienta::BtnRegla, [this] {
        editor.AlternarReglas(barra().pulsada(herramienta::BtnRegla));
    });
    despachador.registrar(herramienta::BtnEjes,
                          [this] { editor.AlternarEjes(barra().pulsada(herramienta::BtnEjes)); });
    despachador.registrar(herramienta::BtnMargenes, [this] {
        editor.AlternarMargenes(barra().pulsada(herramienta::BtnMargenes));
    });
    despachador.registrar(herramienta::CboMag, [] {});  // a click on the field does nothing
    despachador.registrar(herramienta::TxtHoja, [] {}); // as the zoom field
    QObject::connect(&b, &BarraHerramientas::hojaIntroducida, &editor, [this](const QString& t) {
        if (!documento().abierto() || barra().actualizando())
            return;
        editor.IntroducirHoja(t);
        MostrarHojaTirada(); // a refused entry is put back
    });
    despachador.registrar(herramienta::BtnAcercar, [this] { PasoZoom(1); });
    despachador.registrar(herramienta::BtnAlejar, [this] { PasoZoom(-1); });
    QObject::connect(&b, &BarraHerramientas::zoomElegido, &editor, [this](const QString& t) {
        if (documento().abierto())
            CambiarZoom(t, OrigenZoom::Lista);
    });
    QObject::connect(&b, &BarraHerramientas::zoomIntroducido, &editor, [this](const QString& t) {
        if (documento().abierto() && !barra().actualizando())
            CambiarZoom(t, OrigenZoom::Intro);
    });
}

void Programa::OrdenesCuadro() {
    const auto cuadro = [this] { return static_cast<int>(documento().CuadroActual()); };
    despachador.registrar(herramienta::BtnNuevocuadro, [this] { comandos.NuevoCuadro(); });
    despachador.registrar(herramienta::BtnPegar, [this] {
        comandos.PegarCuadros(editor.seleccion().puntoInsercion().marcado);
    });
    despachador.registrar(herramienta::BtnCopiar, [this, cuadro] {
        comandos.CopiarCuadros(cuadro(), false);
        ActualizarPegar(principal);
    });
    despachador.registrar(herramienta::BtnCortar, [this, cuadro] {
        comandos.CopiarCuadros(cuadro(), true);
        ActualizarPegar(principal);
    });
    despachador.registrar(herramienta::BtnBorrar,
                          [this, cuadro] { comandos.BorrarCuadros(cuadro()); });
    despachador.registrar(herramienta::BtnAlinearHorizontal,
                          [this] { comandos.AlinearHorizontal(); });
    despachador.registrar(herramienta::BtnAlinearvertical, [this] { comandos.AlinearVertical(); });
    despachador.registrar(herramienta::BtnBloquear,
                          [this] { comandos.Bloquear(barra().pulsada(herramienta::BtnBloquear)); });
    despachador.registrar(herramienta::BtnLineasGuia, [this] {
        comandos.LineasGuiaCuadros(barra().pulsada(herramienta::BtnLineasGuia));
    });
    despachador.registrar(herramienta::BtnSeleccionarTodo, [this] { editor.SeleccionarTodo(); });
    despachador.registrar(herramienta::BtnPropiedades, [this, cuadro] {
        if (comandos.mostrarPropiedades)
            comandos.mostrarPropiedades(cuadro());
    });
}

void Programa::MostrarHojaTirada() {
    if (!documento().abierto()) {
        principal.fijarPanel(4, {});
        barra().fijarHoja({}, {});
        return;
    }
    const qint32 k = editor.hojaMostrada(), r = editor.hojasTirada();
    principal.fijarPanel(4, QStringLiteral("Hoja %1 de %2").arg(k).arg(r));
    barra().fijarHoja(QString::number(k), QStringLiteral("de %1").arg(r));
}

void Programa::SincronizarVista() {
    editor.AlternarReglas(barra().pulsada(herramienta::BtnRegla));
    editor.AlternarEjes(barra().pulsada(herramienta::BtnEjes));
    editor.AlternarMargenes(barra().pulsada(herramienta::BtnMargenes));
}

void Programa::PasoZoom(int sentido) {
    // The common steps, all of them in the field's list.
    static constexpr int kEscala[] = {10, 25, 50, 75, 100, 125, 150, 175, 200};
    const double actual = static_cast<double>(documento().Trabajo().Zoom) * 100;
    std::optional<int> destino;
    if (sentido > 0) {
        for (int z : kEscala)
            if (z > actual + 0.5) {
                destino = z;
                break;
            }
    } else {
        for (auto it = std::rbegin(kEscala); it != std::rend(kEscala); ++it)
            if (*it < actual - 0.5) {
                destino = *it;
                break;
            }
    }
    if (destino && documento().abierto())
        CambiarZoom(QString::number(*destino), OrigenZoom::Lista);
}

void Programa::CambiarZoom(const QString& texto, OrigenZoom origen) {
    const auto campo = editor.CambiarZoom(texto, origen);
    if (!campo)
        return;
    if (*campo != barra().textoZoom()) {
        BarraHerramientas::Actualizar actualizando(barra());
        barra().fijarTextoZoom(*campo);
    }
    if (origen == OrigenZoom::Lista)
        ActualizarPegar(principal);
}

void Programa::ExportarPdf() {
    const Documento& d = documento();
    qint32 hojas = 0;
    if (principal.politica.ejecutar([&] { hojas = LongitudTirada(d.Cuadros()); }) !=
        PoliticaFallas::Resultado::Hecho)
        return;
    if (hojas <= 0) {
        principal.mensajes().mostrar(QStringLiteral("No hay hojas que exportar: ningún cuadro "
                                                    "imprime un número."),
                                     QStringLiteral("Exportar a PDF"), Icono::Informacion,
                                     Botones::Aceptar);
        return;
    }
    RangoHojas rango{1, hojas};
    if (!impresion.ElegirRangoPdf(hojas, rango))
        return;
    QString nombre = d.RutaTrabajo().isEmpty() ? CicloTrabajo::kNombreNuevo : d.RutaTrabajo();
    if (nombre.endsWith(QStringLiteral(".zul"), Qt::CaseInsensitive))
        nombre.chop(4);
    nombre += QStringLiteral(".pdf");
    const auto ruta = principal.dialogos().exportarPdf(nombre);
    if (!ruta)
        return;
    const auto escritas = impresion.ExportarPdf(*ruta, rango, hojas);
    if (!escritas)
        return;
    const QString archivo = QDir::toNativeSeparators(*ruta);
    principal.mensajes().mostrar(
        *escritas == 1 ? QStringLiteral("1 hoja exportada a %1").arg(archivo)
                       : QStringLiteral("%1 hojas exportadas a %2").arg(*escritas).arg(archivo),
        QStringLiteral("Exportar a PDF"), Icono::Informacion, Botones::Aceptar);
}
