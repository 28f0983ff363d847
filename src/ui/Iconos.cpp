#include "Iconos.h"
#include "core/programa/Herramientas.h"

#include <QHash>

namespace {
struct Imagen {
    QString tema;    // the freedesktop icon name; empty when none fits
    QString archivo; // the program's own drawing, under :/iconos
};

const QHash<QString, Imagen>& Imagenes() {
    static const QHash<QString, Imagen> imagenes = [] {
        const std::initializer_list<std::pair<QString, Imagen>> lista = {
            {herramienta::BtnAbrir, {"document-open", "abrir"}},
            {herramienta::MnuRecientes, {"document-open-recent", "recientes"}},
            {herramienta::BtnNuevo, {"document-new", "nuevo"}},
            {herramienta::BtnGuardar, {"document-save", "guardar"}},
            {herramienta::BtnGuardComo, {"document-save-as", "guardar-como"}},
            {herramienta::BtnConfigurarHoja, {"document-page-setup", "configurar-pagina"}},
            {herramienta::BtnSeleccionarPrint, {"printer", "seleccionar-impresora"}},
            {herramienta::BtnPrueba, {{}, "prueba"}},
            {herramienta::BtnImprimir, {"document-print", "imprimir"}},
            {herramienta::BtnVistaPreliminar, {"document-print-preview", "vista-preliminar"}},
            {herramienta::BtnExportarPdf, {{}, "exportar-pdf"}},
            {herramienta::BtnCerrarTrabajo, {"window-close", "cerrar-trabajo"}},
            {herramienta::BtnSalir, {"application-exit", "salir"}},
            {herramienta::BtnDeshacer, {"edit-undo", "deshacer"}},
            {herramienta::BtnRehacer, {"edit-redo", "rehacer"}},
            {herramienta::BtnNuevocuadro, {"insert-object", "nuevo-cuadro"}},
            {herramienta::BtnPropiedades, {"document-properties", "propiedades"}},
            {herramienta::BtnCortar, {"edit-cut", "cortar"}},
            {herramienta::BtnCopiar, {"edit-copy", "copiar"}},
            {herramienta::BtnPegar, {"edit-paste", "pegar"}},
            {herramienta::BtnBorrar, {"edit-delete", "borrar"}},
            {herramienta::BtnSeleccionarTodo, {"edit-select-all", "seleccionar-todo"}},
            {herramienta::BtnLineasGuia, {{}, "lineas-guia"}},
            {herramienta::BtnBloquear, {"changes-prevent", "bloquear"}},
            {herramienta::BtnAlinearHorizontal, {{}, "alinear-horizontal"}},
            {herramienta::BtnAlinearvertical, {{}, "alinear-vertical"}},
            {herramienta::BtnEjes, {{}, "ejes"}},
            {herramienta::BtnRegla, {{}, "regla"}},
            {herramienta::BtnMargenes, {{}, "margenes"}},
            {herramienta::BtnAcercar, {"zoom-in", "acercar"}},
            {herramienta::BtnAlejar, {"zoom-out", "alejar"}},
            {herramienta::BtnAjustesImpresion, {{}, "ajustes-impresion"}},
            {herramienta::BtnRepetir, {{}, "repetir"}},
            {herramienta::BtnContinuarNumeracion, {{}, "continuar-numeracion"}},
            {herramienta::BtnHistorialTiradas, {{}, "historial-tiradas"}},
            {herramienta::BtnOpciones, {"preferences-system", "opciones"}},
            {herramienta::BtnAyuda, {"help-contents", "ayuda"}},
            {herramienta::BtnHelp, {"help-contents", "ayuda"}},
            {herramienta::BtnAcercade, {"help-about", "acerca-de"}},
            {herramienta::BtnImagenFondo, {{}, "imagen-fondo"}},
            {herramienta::BtnQuitarFondo, {{}, "quitar-fondo"}},
        };
        QHash<QString, Imagen> h;
        for (const auto& [id, imagen] : lista)
            h.insert(id.toCaseFolded(), imagen);
        return h;
    }();
    return imagenes;
}

QIcon Propio(const QString& archivo) {
    return QIcon(QStringLiteral(":/iconos/%1.svg").arg(archivo));
}
} // namespace

QIcon IconoHerramienta(const QString& id) {
    const auto it = Imagenes().constFind(id.toCaseFolded());
    if (it == Imagenes().cend())
        return {};
    const QIcon propio = Propio(it->archivo);
    return it->tema.isEmpty() ? propio : QIcon::fromTheme(it->tema, propio);
}

QIcon IconoPrograma() {
    return Propio(QStringLiteral("velquira"));
}
