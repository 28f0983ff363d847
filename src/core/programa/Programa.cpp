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
      impresion(principal, impresora, servicios.dialogosImpresion, servicios.crearVentanaProgreso,
                servicios.carpetasAjusteAntiguo),
      editor(principal, impresion), comandos(principal, editor) {
    principal.Construir();
    // Before any job: the state after closing one.
    DeshabilitarHerramientas(principal);

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
    despachador.registrar(herramienta::BtnSeleccionarPrint,
                          [this] { impresion.SeleccionarImpresora(); });
    despachador.registrar(herramienta::BtnExportarPdf, [this] { ExportarPdf(); });
    despachador.registrar(herramienta::BtnRegla, [this] { editor.AlternarReglas(); });
    despachador.registrar(herramienta::BtnEjes, [this] { editor.AlternarEjes(); });
    despachador.registrar(herramienta::BtnMargenes, [this] { editor.AlternarMargenes(); });
    despachador.registrar(herramienta::CboMag, [] {}); // a click on the field does nothing
    impresion.alCambiarImpresora = [this] { editor.AlternarMargenes(); };
    BarraHerramientas& b = barra();
    QObject::connect(&b, &BarraHerramientas::zoomElegido, &editor, [this](const QString& t) {
        if (principal.editorAbierto())
            editor.CambiarZoom(t, OrigenZoom::Lista);
    });
    QObject::connect(&b, &BarraHerramientas::zoomIntroducido, &editor, [this](const QString& t) {
        if (principal.editorAbierto() && !estado().Actualizando)
            editor.CambiarZoom(t, OrigenZoom::Intro);
    });
    const auto cuadro = [this] { return static_cast<int>(estado().CuadroActual); };
    despachador.registrar(herramienta::BtnNuevocuadro, [this] { comandos.NuevoCuadro(); });
    despachador.registrar(herramienta::BtnPegar, [this] {
        Estado& e = estado();
        const bool desdeHoja = e.PuntoMarcado;
        if (!e.PuntoMarcado)
            e.PuntoX = e.PuntoY = 0;
        e.PuntoMarcado = false;
        comandos.PegarCuadros(desdeHoja);
    });
    despachador.registrar(herramienta::BtnCopiar,
                          [this, cuadro] { comandos.CopiarCuadros(cuadro(), false); });
    despachador.registrar(herramienta::BtnCortar,
                          [this, cuadro] { comandos.CopiarCuadros(cuadro(), true); });
    despachador.registrar(herramienta::BtnBorrar,
                          [this, cuadro] { comandos.BorrarCuadros(cuadro()); });
    despachador.registrar(herramienta::BtnAlinearHorizontal,
                          [this] { comandos.AlinearHorizontal(); });
    despachador.registrar(herramienta::BtnAlinearvertical, [this] { comandos.AlinearVertical(); });
    despachador.registrar(herramienta::BtnBloquear, [this] { comandos.Bloquear(); });
    despachador.registrar(herramienta::BtnLineasGuia, [this] {
        comandos.LineasGuiaCuadros(barra().pulsada(herramienta::BtnLineasGuia));
    });
    despachador.registrar(herramienta::BtnPropiedades, [this, cuadro] {
        estado().DialogoCancelado = false;
        if (comandos.mostrarPropiedades)
            comandos.mostrarPropiedades(cuadro());
    });
    despachador.registrar(herramienta::BtnSalir, [this] {
        if (ciclo.Salir())
            principal.Terminar(0);
    });
}

void Programa::ExportarPdf() {
    Estado& e = estado();
    qint32 hojas = 0;
    if (principal.politica.ejecutar([&] { hojas = LongitudTirada(e.Cuadros); }) !=
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
    QString nombre = e.RutaTrabajo.isEmpty() ? CicloTrabajo::kNombreNuevo : e.RutaTrabajo;
    if (nombre.endsWith(QStringLiteral(".zul"), Qt::CaseInsensitive))
        nombre.chop(4);
    nombre += QStringLiteral(".pdf");
    const auto ruta = principal.dialogos().exportarPdf(nombre);
    if (!ruta)
        return;
    const auto escritas = impresion.ExportarPdf(*ruta, rango);
    if (!escritas)
        return;
    const QString archivo = QDir::toNativeSeparators(*ruta);
    principal.mensajes().mostrar(
        *escritas == 1 ? QStringLiteral("1 hoja exportada a %1").arg(archivo)
                       : QStringLiteral("%1 hojas exportadas a %2").arg(*escritas).arg(archivo),
        QStringLiteral("Exportar a PDF"), Icono::Informacion, Botones::Aceptar);
}
