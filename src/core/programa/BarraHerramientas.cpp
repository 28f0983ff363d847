#include "BarraHerramientas.h"
#include "core/programa/Herramientas.h"

BarraHerramientas::BarraHerramientas(QObject* padre) : QObject(padre) {
    const auto t = [this](const QString& id, const QString& titulo, const QString& consejo,
                          bool conmutable = false) {
        Herramienta h;
        h.id = id;
        h.titulo = titulo;
        h.consejo = consejo;
        h.conmutable = conmutable;
        m_indice.insert(h.id.toCaseFolded(), static_cast<int>(m_herramientas.size()));
        m_herramientas.push_back(h);
    };
    t(herramienta::BtnAbrir, QStringLiteral("&Abrir"), {});
    // A submenu: its entries are the recent jobs, each opening its file.
    t(herramienta::MnuRecientes, QStringLiteral("&Trabajos recientes"),
      QStringLiteral("Abrir uno de los últimos trabajos abiertos o guardados"));
    t(herramienta::BtnNuevo, QStringLiteral("&Nuevo"), {});
    t(herramienta::BtnGuardar, QStringLiteral("&Guardar"), QStringLiteral("Guardar "));
    t(herramienta::BtnGuardComo, QStringLiteral("Guardar co&mo..."), {});
    t(herramienta::BtnConfigurarHoja, QStringLiteral("C&onfigurar página"), {});
    t(herramienta::BtnSeleccionarPrint, QStringLiteral("Selecciona&r impresora"),
      QStringLiteral("Selecionar impresora"));
    t(herramienta::BtnPrueba, QStringLiteral("&Prueba"), QStringLiteral("Impresión de prueba"));
    t(herramienta::BtnImprimir, QStringLiteral("&Imprimir"), QStringLiteral("Imprimir trabajo"));
    t(herramienta::BtnExportarPdf, QStringLiteral("&Exportar a PDF..."),
      QStringLiteral("Exportar la tirada a un archivo PDF"));
    t(herramienta::BtnCerrarTrabajo, QStringLiteral("&Cerrar trabajo"),
      QStringLiteral("Cerrar trabajo"));
    t(herramienta::BtnSalir, QStringLiteral("&Salir"), QStringLiteral("Salir del programa"));
    t(herramienta::BtnNuevocuadro, QStringLiteral("&Nuevo cuadro"),
      QStringLiteral("Insertar un nuevo cuadro"));
    t(herramienta::BtnPropiedades, QStringLiteral("&Propiedades"),
      QStringLiteral("Propiedades cuadro activo"));
    t(herramienta::BtnCortar, QStringLiteral("C&ortar"), QStringLiteral("Cortar selección"));
    t(herramienta::BtnCopiar, QStringLiteral("&Copiar"), QStringLiteral("Copiar selección"));
    t(herramienta::BtnPegar, QStringLiteral("Pe&gar"), QStringLiteral("Pegar"));
    t(herramienta::BtnBorrar, QStringLiteral("&Borrar"),
      QStringLiteral("Borrar cuadro/s activo/s"));
    t(herramienta::BtnLineasGuia, QStringLiteral("&Lineas guía"),
      QStringLiteral("Insertar lineas guía al cuadro activo"), true);
    t(herramienta::BtnBloquear, QStringLiteral("Bloq&uear"),
      QStringLiteral("Bloquear cuadro activo"), true);
    t(herramienta::BtnEjes, QStringLiteral("&Ejes centrales"),
      QStringLiteral("Visualizar ejes centrales"), true);
    t(herramienta::BtnRegla, QStringLiteral("Regla"), QStringLiteral("Visualizar reglas"), true);
    t(herramienta::BtnMargenes, QStringLiteral("Márgenes"),
      QStringLiteral("Visualizar márgenes de impresión"), true);
    t(herramienta::BtnAlinearHorizontal, QStringLiteral("Alinear &horizontal"),
      QStringLiteral("Alinear horizontal"));
    t(herramienta::BtnAlinearvertical, QStringLiteral("Alinear &vertical"),
      QStringLiteral("Alinear vertical"));
    t(herramienta::BtnAjustesImpresion, QStringLiteral("&Ajustar impresión"),
      QStringLiteral("Ajustes de  impresión"));
    t(herramienta::BtnOpciones, QStringLiteral("O&pciones..."), {});
    t(herramienta::BtnHistorialTiradas, QStringLiteral("&Historial de tiradas..."),
      QStringLiteral("Las tiradas impresas: reimprimir hojas o continuar una tirada"));
    t(herramienta::BtnAyuda, QStringLiteral("&Ayuda"), {});
    t(herramienta::BtnHelp, QStringLiteral("Ayuda"), QStringLiteral("Ayuda"));
    t(herramienta::BtnAcercade, QStringLiteral("Acerca &de..."), {});
    t(herramienta::CboMag, QStringLiteral("Zoom"), {});
    t(herramienta::TxtHoja, QStringLiteral("Hoja"),
      QStringLiteral("Hoja de la tirada que se ve (Re Pág, Av Pág, Inicio, Fin)"));
    t(herramienta::BtnDeshacer, QStringLiteral("&Deshacer"), QStringLiteral("Deshacer"));
    t(herramienta::BtnRehacer, QStringLiteral("&Rehacer"), QStringLiteral("Rehacer"));
    t(herramienta::BtnSeleccionarTodo, QStringLiteral("Seleccionar &todo"),
      QStringLiteral("Seleccionar todos los cuadros"));
    t(herramienta::BtnAcercar, QStringLiteral("&Acercar"), QStringLiteral("Acercar"));
    t(herramienta::BtnAlejar, QStringLiteral("Ale&jar"), QStringLiteral("Alejar"));
    t(herramienta::BtnVistaPreliminar, QStringLiteral("&Vista preliminar"),
      QStringLiteral("Ver las hojas de la tirada antes de imprimir"));
    t(herramienta::BtnRepetir, QStringLiteral("&Repetir..."),
      QStringLiteral("Repetir los cuadros seleccionados a lo ancho y a lo alto"));
    t(herramienta::BtnContinuarNumeracion, QStringLiteral("&Continuar numeración..."),
      QStringLiteral("Que la próxima tirada empiece donde termina esta"));
    // The form under the boxes: shown on screen only, never printed.
    t(herramienta::BtnImagenFondo, QStringLiteral("Imagen de &fondo..."),
      QStringLiteral("Mostrar bajo los cuadros una imagen del impreso (no se imprime)"));
    t(herramienta::BtnQuitarFondo, QStringLiteral("&Quitar imagen de fondo"),
      QStringLiteral("Dejar de mostrar la imagen de fondo de este trabajo"));

    // The keys desktop programs use for the same commands (written out: the
    // platform's standard keys need a running GUI, and these are the same).
    const auto atajos = [this](const QString& id, QList<QKeySequence> teclas) {
        buscar(id)->atajos = std::move(teclas);
    };
    atajos(herramienta::BtnNuevo, {QKeySequence(Qt::CTRL | Qt::Key_N)});
    atajos(herramienta::BtnAbrir, {QKeySequence(Qt::CTRL | Qt::Key_O)});
    atajos(herramienta::BtnGuardar, {QKeySequence(Qt::CTRL | Qt::Key_S)});
    atajos(herramienta::BtnGuardComo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    atajos(herramienta::BtnImprimir, {QKeySequence(Qt::CTRL | Qt::Key_P)});
    atajos(herramienta::BtnCerrarTrabajo, {QKeySequence(Qt::CTRL | Qt::Key_W)});
    atajos(herramienta::BtnSalir, {QKeySequence(Qt::CTRL | Qt::Key_Q)});
    atajos(herramienta::BtnCortar, {QKeySequence(Qt::CTRL | Qt::Key_X)});
    atajos(herramienta::BtnCopiar, {QKeySequence(Qt::CTRL | Qt::Key_C)});
    atajos(herramienta::BtnPegar, {QKeySequence(Qt::CTRL | Qt::Key_V)});
    atajos(herramienta::BtnBorrar, {QKeySequence(Qt::Key_Delete)});
    atajos(herramienta::BtnPropiedades,
           {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
    atajos(herramienta::BtnAyuda, {QKeySequence(Qt::Key_F1)});
    atajos(herramienta::BtnDeshacer, {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    atajos(herramienta::BtnRehacer,
           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    atajos(herramienta::BtnSeleccionarTodo, {QKeySequence(Qt::CTRL | Qt::Key_A)});
    atajos(herramienta::BtnAcercar,
           {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    atajos(herramienta::BtnAlejar, {QKeySequence(Qt::CTRL | Qt::Key_Minus)});

    const QString s = QStringLiteral("-");
    m_menus = {
        {herramienta::MnuArchivo,
         QStringLiteral("&Archivo"),
         {herramienta::BtnAbrir, herramienta::MnuRecientes, s, herramienta::BtnNuevo,
          herramienta::BtnGuardar, herramienta::BtnGuardComo, s, herramienta::BtnConfigurarHoja, s,
          herramienta::BtnSeleccionarPrint, herramienta::BtnPrueba, herramienta::BtnVistaPreliminar,
          herramienta::BtnImprimir, herramienta::BtnExportarPdf, s, herramienta::BtnCerrarTrabajo,
          s, herramienta::BtnSalir}},
        {herramienta::MnuEdicion,
         QStringLiteral("&Edición"),
         {herramienta::BtnDeshacer, herramienta::BtnRehacer, s, herramienta::BtnNuevocuadro, s,
          herramienta::BtnPropiedades, s, herramienta::BtnCortar, herramienta::BtnCopiar,
          herramienta::BtnPegar, herramienta::BtnBorrar, s, herramienta::BtnSeleccionarTodo}},
        {herramienta::MnuVer,
         QStringLiteral("&Ver"),
         {herramienta::BtnLineasGuia, s, herramienta::BtnEjes, herramienta::BtnMargenes,
          herramienta::BtnRegla, s, herramienta::BtnAcercar, herramienta::BtnAlejar,
          herramienta::CboMag, s, herramienta::BtnImagenFondo, herramienta::BtnQuitarFondo}},
        {herramienta::MnuOrganizar,
         QStringLiteral("&Organizar"),
         {herramienta::BtnBloquear, s, herramienta::BtnAlinearHorizontal,
          herramienta::BtnAlinearvertical, s, herramienta::BtnRepetir}},
        {herramienta::MnuHerramientas,
         QStringLiteral("&Herramientas"),
         {herramienta::BtnSeleccionarPrint, herramienta::BtnAjustesImpresion,
          herramienta::BtnHistorialTiradas, s, herramienta::BtnContinuarNumeracion, s,
          herramienta::BtnOpciones}},
        {herramienta::MnuAyuda,
         QStringLiteral("A&yuda"),
         {herramienta::BtnAyuda, herramienta::BtnAcercade}},
    };
    m_emergentes = {
        {herramienta::MnuHoja,
         QStringLiteral("Menu hoja"),
         {herramienta::BtnNuevocuadro, s, herramienta::BtnPegar, s, herramienta::BtnRegla,
          herramienta::BtnEjes, s, herramienta::BtnMargenes, herramienta::BtnConfigurarHoja, s,
          herramienta::BtnImprimir, herramienta::CboMag, herramienta::BtnOpciones}},
        {herramienta::MnuCuadro,
         QStringLiteral("Menu cuadro"),
         {herramienta::BtnPropiedades, s, herramienta::BtnCortar, herramienta::BtnCopiar,
          herramienta::BtnBorrar, s, herramienta::BtnBloquear, s, herramienta::BtnLineasGuia,
          herramienta::BtnAlinearHorizontal, herramienta::BtnAlinearvertical,
          herramienta::BtnRepetir}},
    };
    m_banda = {herramienta::BtnAbrir,
               herramienta::BtnGuardar,
               herramienta::BtnNuevo,
               s,
               herramienta::BtnDeshacer,
               herramienta::BtnRehacer,
               s,
               herramienta::BtnNuevocuadro,
               s,
               herramienta::BtnCortar,
               herramienta::BtnCopiar,
               herramienta::BtnPegar,
               herramienta::BtnBorrar,
               s,
               herramienta::BtnPropiedades,
               s,
               herramienta::BtnLineasGuia,
               s,
               herramienta::BtnBloquear,
               s,
               herramienta::CboMag,
               "ID_Label",
               herramienta::TxtHoja,
               s,
               herramienta::BtnEjes,
               herramienta::BtnRegla,
               herramienta::BtnMargenes,
               s,
               herramienta::BtnPrueba,
               herramienta::BtnImprimir,
               herramienta::BtnConfigurarHoja,
               s,
               herramienta::BtnHelp,
               s,
               herramienta::BtnSalir,
               s,
               "LblPos"};
}

Herramienta* BarraHerramientas::buscar(const QString& id) {
    const auto it = m_indice.constFind(id.toCaseFolded());
    return it == m_indice.cend() ? nullptr : &m_herramientas[*it];
}

const Herramienta* BarraHerramientas::herramienta(const QString& id) const {
    return const_cast<BarraHerramientas*>(this)->buscar(id);
}

QString BarraHerramientas::idCanonico(const QString& id) const {
    const Herramienta* h = herramienta(id);
    return h ? h->id : QString();
}

bool BarraHerramientas::habilitada(const QString& id) const {
    const Herramienta* h = herramienta(id);
    return h && h->habilitada;
}

bool BarraHerramientas::utilizable(const QString& id) const {
    const Herramienta* h = herramienta(id);
    return h && h->habilitada && h->implementada;
}

void BarraHerramientas::habilitar(const QString& id, bool si) {
    Herramienta* h = buscar(id);
    if (!h || h->habilitada == si)
        return;
    h->habilitada = si;
    emit cambiada(h->id);
}

void BarraHerramientas::fijarTitulo(const QString& id, const QString& titulo,
                                    const QString& consejo) {
    Herramienta* h = buscar(id);
    if (!h || (h->titulo == titulo && h->consejo == consejo))
        return;
    h->titulo = titulo;
    h->consejo = consejo;
    emit cambiada(h->id);
}

void BarraHerramientas::marcarImplementada(const QString& id) {
    Herramienta* h = buscar(id);
    if (!h || h->implementada)
        return;
    h->implementada = true;
    emit cambiada(h->id);
}

bool BarraHerramientas::pulsada(const QString& id) const {
    const Herramienta* h = herramienta(id);
    return h && h->pulsada;
}

void BarraHerramientas::fijarPulsada(const QString& id, bool si) {
    Herramienta* h = buscar(id);
    if (!h || !h->conmutable)
        return;
    const bool cambio = h->pulsada != si;
    h->pulsada = si;
    if (cambio)
        emit cambiada(h->id);
    emit clic(h->id);
}

void BarraHerramientas::pulsar(const QString& id) {
    Herramienta* h = buscar(id);
    if (!h)
        return;
    if (h->conmutable) {
        fijarPulsada(h->id, !h->pulsada);
        return;
    }
    emit clic(h->id);
}

void BarraHerramientas::agregarEntradaZoom(const QString& texto) {
    m_entradasZoom.append(texto);
    emit entradasZoomCambiadas();
}

void BarraHerramientas::fijarTextoZoom(const QString& texto) {
    if (m_textoZoom == texto)
        return;
    m_textoZoom = texto;
    emit textoZoomCambiado(texto);
}

void BarraHerramientas::elegirZoom(const QString& texto) {
    m_textoZoom = texto;
    emit zoomElegido(texto);
}

void BarraHerramientas::introducirZoom(const QString& texto) {
    m_textoZoom = texto;
    emit zoomIntroducido(texto);
}

void BarraHerramientas::fijarHoja(const QString& texto, const QString& total) {
    if (m_textoHoja == texto && m_totalHojas == total)
        return;
    m_textoHoja = texto;
    m_totalHojas = total;
    emit hojaCambiada();
}

void BarraHerramientas::introducirHoja(const QString& texto) {
    m_textoHoja = texto;
    emit hojaIntroducida(texto);
}
