#include "Programa.h"

#include "core/puertos/DialogosArchivo.h"
#include "core/trabajo/Numeracion.h"
#include "core/puertos/Mensajes.h"
#include "core/fallas/Fallas.h"

#include <QDir>

Programa::Programa(const Servicios& servicios)
    : principal(servicios), despachador(principal), ciclo(principal),
      impresora(servicios.impresoras),
      impresion(principal, impresora, servicios.dialogosImpresion,
                servicios.crearVentanaProgreso, servicios.carpetasAjusteAntiguo),
      editor(principal, impresion), comandos(principal, editor) {
    principal.Construir();
    // Before any job: the state after closing one.
    DeshabilitarHerramientas(principal);

    despachador.registrar(QStringLiteral("BtnNuevo"), [this] { ciclo.NuevoTrabajo(); });
    despachador.registrar(QStringLiteral("BtnAbrir"), [this] {
        ciclo.AbrirTrabajo();
        ActualizarPegar(principal);
    });
    despachador.registrar(QStringLiteral("BtnGuardar"), [this] { ciclo.Guardar(); });
    despachador.registrar(QStringLiteral("BtnGuardComo"), [this] { ciclo.GuardarComo(); });
    despachador.registrar(QStringLiteral("BtnCerrarTrabajo"), [this] { ciclo.CerrarComando(); });
    despachador.registrar(QStringLiteral("BtnImprimir"), [this] { impresion.ImprimirTrabajo(false); });
    despachador.registrar(QStringLiteral("BtnPrueba"), [this] { impresion.ImprimirTrabajo(true); });
    despachador.registrar(QStringLiteral("BtnSeleccionarPrint"),
                          [this] { impresion.SeleccionarImpresora(); });
    despachador.registrar(QStringLiteral("BtnExportarPdf"), [this] { ExportarPdf(); });
    despachador.registrar(QStringLiteral("BtnRegla"), [this] { editor.AlternarReglas(); });
    despachador.registrar(QStringLiteral("BtnEjes"), [this] { editor.AlternarEjes(); });
    despachador.registrar(QStringLiteral("BtnMargenes"), [this] { editor.AlternarMargenes(); });
    despachador.registrar(QStringLiteral("CboMag"), [] {}); // a click on the field does nothing
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
    despachador.registrar(QStringLiteral("BtnNuevocuadro"), [this] { comandos.NuevoCuadro(); });
    despachador.registrar(QStringLiteral("BtnPegar"), [this] {
        Estado& e = estado();
        const bool desdeHoja = e.PuntoMarcado;
        if (!e.PuntoMarcado)
            e.PuntoX = e.PuntoY = 0;
        e.PuntoMarcado = false;
        comandos.PegarCuadros(desdeHoja);
    });
    despachador.registrar(QStringLiteral("BtnCopiar"),
                          [this, cuadro] { comandos.CopiarCuadros(cuadro(), false); });
    despachador.registrar(QStringLiteral("BtnCortar"),
                          [this, cuadro] { comandos.CopiarCuadros(cuadro(), true); });
    despachador.registrar(QStringLiteral("BtnBorrar"),
                          [this, cuadro] { comandos.BorrarCuadros(cuadro()); });
    despachador.registrar(QStringLiteral("BtnAlinearHorizontal"),
                          [this] { comandos.AlinearHorizontal(); });
    despachador.registrar(QStringLiteral("BtnAlinearvertical"),
                          [this] { comandos.AlinearVertical(); });
    despachador.registrar(QStringLiteral("BtnBloquear"), [this] { comandos.Bloquear(); });
    despachador.registrar(QStringLiteral("BtnLineasGuia"), [this] {
        comandos.LineasGuiaCuadros(barra().pulsada(QStringLiteral("BtnLineasGuia")));
    });
    despachador.registrar(QStringLiteral("BtnPropiedades"), [this, cuadro] {
        estado().DialogoCancelado = false;
        if (comandos.mostrarPropiedades)
            comandos.mostrarPropiedades(cuadro());
    });
    despachador.registrar(QStringLiteral("BtnSalir"), [this] {
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
    if (const auto escritas = impresion.ExportarPdf(*ruta, rango))
        principal.mensajes().mostrar(
            (*escritas == 1 ? QStringLiteral("1 hoja exportada a %2")
                            : QStringLiteral("%1 hojas exportadas a %2").arg(*escritas))
                .arg(QDir::toNativeSeparators(*ruta)),
            QStringLiteral("Exportar a PDF"), Icono::Informacion, Botones::Aceptar);
}
