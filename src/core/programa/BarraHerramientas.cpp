#include "BarraHerramientas.h"

BarraHerramientas::BarraHerramientas(QObject* padre) : QObject(padre) {
    const auto t = [this](const char* id, const QString& titulo, const QString& consejo,
                          bool conmutable = false) {
        Herramienta h;
        h.id = QString::fromLatin1(id);
        h.titulo = titulo;
        h.consejo = consejo;
        h.conmutable = conmutable;
        m_indice.insert(h.id.toCaseFolded(), static_cast<int>(m_herramientas.size()));
        m_herramientas.push_back(h);
    };
    t("BtnAbrir", QStringLiteral("&Abrir"), {});
    t("BtnNuevo", QStringLiteral("&Nuevo"), {});
    t("BtnGuardar", QStringLiteral("&Guardar"), QStringLiteral("Guardar "));
    t("BtnGuardComo", QStringLiteral("Guardar &como..."), {});
    t("BtnConfigurarHoja", QStringLiteral("C&onfigurar página"), {});
    t("BtnSeleccionarPrint", QStringLiteral("&Seleccionar impresora"),
      QStringLiteral("Selecionar impresora"));
    t("BtnPrueba", QStringLiteral("&Prueba"), QStringLiteral("Impresión de prueba"));
    t("BtnImprimir", QStringLiteral("&Imprimir"), QStringLiteral("Imprimir trabajo"));
    t("BtnExportarPdf", QStringLiteral("&Exportar a PDF..."),
      QStringLiteral("Exportar la tirada a un archivo PDF"));
    t("BtnCerrarTrabajo", QStringLiteral("&Cerrar trabajo"), QStringLiteral("Cerrar trabajo"));
    t("BtnSalir", QStringLiteral("&Salir"), QStringLiteral("Salir del programa"));
    t("BtnNuevocuadro", QStringLiteral("&Nuevo cuadro"), QStringLiteral("Insertar un nuevo cuadro"));
    t("BtnPropiedades", QStringLiteral("&Propiedades"), QStringLiteral("Propiedades cuadro activo"));
    t("BtnCortar", QStringLiteral("C&ortar"), QStringLiteral("Cortar selección"));
    t("BtnCopiar", QStringLiteral("&Copiar"), QStringLiteral("Copiar selección"));
    t("BtnPegar", QStringLiteral("&Pegar"), QStringLiteral("Pegar"));
    t("BtnBorrar", QStringLiteral("&Borrar"), QStringLiteral("Borrar cuadro/s activo/s"));
    t("BtnLineasGuia", QStringLiteral("&Lineas guía"),
      QStringLiteral("Insertar lineas guía al cuadro activo"), true);
    t("BtnBloquear", QStringLiteral("&Bloquear"), QStringLiteral("Bloquear cuadro activo"), true);
    t("BtnEjes", QStringLiteral("&Ejes centrales"), QStringLiteral("Visualizar ejes centrales"),
      true);
    t("BtnRegla", QStringLiteral("Regla"), QStringLiteral("Visualizar reglas"), true);
    t("BtnMargenes", QStringLiteral("Márgenes"),
      QStringLiteral("Visualizar márgenes de impresión"), true);
    t("BtnAlinearHorizontal", QStringLiteral("Alinear &horizontal"),
      QStringLiteral("Alinear horizontal"));
    t("BtnAlinearvertical", QStringLiteral("Alinear &vertical"), QStringLiteral("Alinear vertical"));
    t("BtnAjustesImpresion", QStringLiteral("&Ajustar impresión"),
      QStringLiteral("Ajustes de  impresión"));
    t("BtnOpciones", QStringLiteral("&Opciones..."), {});
    t("BtnAyuda", QStringLiteral("&Ayuda"), {});
    t("BtnHelp", QStringLiteral("Ayuda"), QStringLiteral("Ayuda"));
    t("BtnAcercade", QStringLiteral("Acerca &de..."), {});
    t("CboMag", QStringLiteral("Zoom"), {});

    const QString s = QStringLiteral("-");
    m_menus = {
        {QStringLiteral("MnuArchivo"),
         QStringLiteral("&Archivo"),
         {"BtnAbrir", s, "BtnNuevo", "BtnGuardar", "BtnGuardComo", s, "BtnConfigurarHoja", s,
          "BtnSeleccionarPrint", "BtnPrueba", "BtnImprimir", "BtnExportarPdf", s,
          "BtnCerrarTrabajo", s,
          "BtnSalir"}},
        {QStringLiteral("MnuEdicion"),
         QStringLiteral("&Edición"),
         {"BtnNuevocuadro", s, "BtnPropiedades", s, "BtnCortar", "BtnCopiar", "BtnPegar",
          "BtnBorrar"}},
        {QStringLiteral("MnuVer"),
         QStringLiteral("&Ver"),
         {"BtnLineasGuia", s, "BtnEjes", "BtnMargenes", "BtnRegla", "CboMag"}},
        {QStringLiteral("MnuOrganizar"),
         QStringLiteral("&Organizar"),
         {"BtnBloquear", s, "BtnAlinearHorizontal", "BtnAlinearvertical"}},
        {QStringLiteral("MnuHerramientas"),
         QStringLiteral("&Herramientas"),
         {"BtnSeleccionarPrint", "BtnAjustesImpresion", s, "BtnOpciones"}},
        {QStringLiteral("MnuAyuda"), QStringLiteral("A&yuda"), {"BtnAyuda", "BtnAcercade"}},
    };
    m_emergentes = {
        {QStringLiteral("MnuHoja"),
         QStringLiteral("Menu hoja"),
         {"BtnNuevocuadro", s, "BtnPegar", s, "BtnRegla", "BtnEjes", s, "BtnMargenes",
          "BtnConfigurarHoja", s, "BtnImprimir", "CboMag", "BtnOpciones"}},
        {QStringLiteral("MnuCuadro"),
         QStringLiteral("Menu cuadro"),
         {"BtnPropiedades", s, "BtnCortar", "BtnCopiar", "BtnBorrar", s, "BtnBloquear", s,
          "BtnLineasGuia", "BtnAlinearHorizontal", "BtnAlinearvertical"}},
    };
    m_banda = {"BtnAbrir",      "BtnGuardar",   "BtnNuevo",    s,          "BtnNuevocuadro",
               s,               "BtnCortar",    "BtnCopiar",   "BtnPegar", "BtnBorrar",
               s,               "BtnPropiedades", s,           "BtnLineasGuia", s,
               "BtnBloquear",   s,              "CboMag",      "ID_Label", s,
               "BtnEjes",       "BtnRegla",     "BtnMargenes", s,          "BtnPrueba",
               "BtnImprimir",   "BtnConfigurarHoja", s,        "BtnHelp",  s,
               "BtnSalir",      s,              "LblPos"};
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
