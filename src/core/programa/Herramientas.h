// The ids of the program's tools (commands of the toolbar, the menus and the
// pop-up menus) and of its menus, spelt as they have always been: they are the
// actions' object names. Code names a tool through these constants, never a
// literal, so a misspelt id does not compile. Lookups ignore case.
#pragma once

#include <QString>

namespace herramienta {
inline const QString BtnAbrir = QStringLiteral("BtnAbrir");
inline const QString BtnNuevo = QStringLiteral("BtnNuevo");
inline const QString BtnGuardar = QStringLiteral("BtnGuardar");
inline const QString BtnGuardComo = QStringLiteral("BtnGuardComo");
inline const QString BtnConfigurarHoja = QStringLiteral("BtnConfigurarHoja");
inline const QString BtnSeleccionarPrint = QStringLiteral("BtnSeleccionarPrint");
inline const QString BtnPrueba = QStringLiteral("BtnPrueba");
inline const QString BtnImprimir = QStringLiteral("BtnImprimir");
inline const QString BtnExportarPdf = QStringLiteral("BtnExportarPdf");
inline const QString BtnCerrarTrabajo = QStringLiteral("BtnCerrarTrabajo");
inline const QString BtnSalir = QStringLiteral("BtnSalir");
inline const QString BtnNuevocuadro = QStringLiteral("BtnNuevocuadro");
inline const QString BtnPropiedades = QStringLiteral("BtnPropiedades");
inline const QString BtnCortar = QStringLiteral("BtnCortar");
inline const QString BtnCopiar = QStringLiteral("BtnCopiar");
inline const QString BtnPegar = QStringLiteral("BtnPegar");
inline const QString BtnBorrar = QStringLiteral("BtnBorrar");
inline const QString BtnLineasGuia = QStringLiteral("BtnLineasGuia");
inline const QString BtnBloquear = QStringLiteral("BtnBloquear");
inline const QString BtnEjes = QStringLiteral("BtnEjes");
inline const QString BtnRegla = QStringLiteral("BtnRegla");
inline const QString BtnMargenes = QStringLiteral("BtnMargenes");
inline const QString BtnAlinearHorizontal = QStringLiteral("BtnAlinearHorizontal");
inline const QString BtnAlinearvertical = QStringLiteral("BtnAlinearvertical");
inline const QString BtnAjustesImpresion = QStringLiteral("BtnAjustesImpresion");
inline const QString BtnOpciones = QStringLiteral("BtnOpciones");
inline const QString BtnHistorialTiradas = QStringLiteral("BtnHistorialTiradas");
inline const QString BtnAyuda = QStringLiteral("BtnAyuda");
inline const QString BtnHelp = QStringLiteral("BtnHelp");
inline const QString BtnAcercade = QStringLiteral("BtnAcercade");
inline const QString CboMag = QStringLiteral("CboMag");
inline const QString TxtHoja = QStringLiteral("TxtHoja");
inline const QString BtnDeshacer = QStringLiteral("BtnDeshacer");
inline const QString BtnRehacer = QStringLiteral("BtnRehacer");
inline const QString BtnSeleccionarTodo = QStringLiteral("BtnSeleccionarTodo");
inline const QString BtnAcercar = QStringLiteral("BtnAcercar");
inline const QString BtnAlejar = QStringLiteral("BtnAlejar");
inline const QString BtnVistaPreliminar = QStringLiteral("BtnVistaPreliminar");
inline const QString BtnRepetir = QStringLiteral("BtnRepetir");
inline const QString BtnContinuarNumeracion = QStringLiteral("BtnContinuarNumeracion");
// The background picture under the sheet.
inline const QString BtnImagenFondo = QStringLiteral("BtnImagenFondo");
inline const QString BtnQuitarFondo = QStringLiteral("BtnQuitarFondo");
inline const QString MnuArchivo = QStringLiteral("MnuArchivo");
inline const QString MnuAyuda = QStringLiteral("MnuAyuda");
inline const QString MnuCuadro = QStringLiteral("MnuCuadro");
inline const QString MnuEdicion = QStringLiteral("MnuEdicion");
inline const QString MnuHerramientas = QStringLiteral("MnuHerramientas");
inline const QString MnuHoja = QStringLiteral("MnuHoja");
inline const QString MnuOrganizar = QStringLiteral("MnuOrganizar");
inline const QString MnuRecientes = QStringLiteral("MnuRecientes");
inline const QString MnuVer = QStringLiteral("MnuVer");
} // namespace herramienta
