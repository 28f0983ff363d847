#include "PpalMdi.h"
#include "core/programa/Herramientas.h"

#include "core/impresion/AjusteImpresora.h"
#include "core/programa/AbrirDirecto.h"
#include "core/programa/Despachador.h"
#include "core/programa/LugarVentana.h"
#include "core/programa/Programa.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Impresora.h"
#include "ui/FrmDrag.h"
#include "ui/FrmHistorial.h"
#include "ui/FrmOpciones.h"
#include "ui/FrmPapel.h"
#include "ui/FrmProp.h"
#include "ui/FrmSetup.h"
#include "ui/Iconos.h"
#include "ui/MarcoTamano.h"
#include "ui/OrdenesNumeracion.h"
#include "ui/VisorAyuda.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {
// The job file among the files of a drag; empty when it brings none.
QString TrabajoArrastrado(const QMimeData* datos) {
    QStringList rutas;
    if (datos)
        for (const QUrl& url : datos->urls())
            if (url.isLocalFile())
                rutas.append(url.toLocalFile());
    return TrabajoSoltado(rutas);
}
} // namespace

PpalMdi::PpalMdi(Programa& programa, QWidget* padre) : QMainWindow(padre), m_prog(programa) {
    setObjectName(QStringLiteral("PpalMdi"));
    Principal& p = m_prog.principal;
    setWindowTitle(p.titulo());
    crearAcciones();
    crearMenus();
    crearBanda();
    crearBarraEstado();

    m_centro = new QStackedWidget(this);
    auto* vacio = new QWidget(m_centro);
    vacio->setBackgroundRole(QPalette::Dark);
    vacio->setAutoFillBackground(true);
    m_centro->addWidget(vacio);
    setCentralWidget(m_centro);

    connect(&p, &Principal::tituloCambiado, this, &QWidget::setWindowTitle);
    connect(&p, &Principal::panelCambiado, this, &PpalMdi::actualizarPanel);
    connect(&p.documento, &Documento::abiertoCambiado, this, &PpalMdi::editorCambiado);
    connect(&p, &Principal::terminar, this, &PpalMdi::terminar);
    connect(&p.barra, &BarraHerramientas::cambiada, this, &PpalMdi::actualizarAccion);
    // Commands whose work is a window of their own.
    m_prog.comandos.mostrarPropiedades = [this](int i) { MostrarPropiedades(i); };
    RegistrarOrdenesNumeracion(m_prog, this);
    // The help outlives no window of its own, but may outlive this one.
    VisorAyuda::variables().insert(QStringLiteral("flechas"), [ventana = QPointer<PpalMdi>(this)] {
        if (!ventana)
            return TextoFlechas(std::nullopt, QLocale());
        const Documento& d = ventana->m_prog.documento();
        return TextoFlechas(d.abierto() ? std::optional(d.Trabajo().Zoom) : std::nullopt,
                            ventana->m_prog.preferencias().idioma());
    });
    const auto ayuda = [this] { VisorAyuda::Abrir(this, {}); };
    m_prog.despachador.registrar(herramienta::BtnAyuda, ayuda);
    m_prog.despachador.registrar(herramienta::BtnHelp, ayuda);
    m_prog.despachador.registrar(herramienta::BtnAcercade, [this] {
        AcercaDe acerca(m_prog.principal.servicios().carpetaAjustes,
                        m_prog.principal.impresoras().impresoras(), this);
        acerca.exec();
        if (m_prog.documento().abierto())
            ActualizarPegar(m_prog.principal);
    });
    m_prog.despachador.registrar(herramienta::BtnOpciones, [this] {
        Principal& p = m_prog.principal;
        Opciones opciones(p.documento, p.preferencias, p.impresoras(), p.mensajes());
        FrmOpciones dialogo(opciones, this);
        dialogo.exec();
    });
    // The editor follows the sheet the dialog writes into the job.
    m_prog.despachador.registrar(herramienta::BtnConfigurarHoja, [this] {
        Principal& p = m_prog.principal;
        ConfiguracionPagina configuracion(p.documento, p.preferencias, p.mensajes());
        FrmPapel dialogo(configuracion, this);
        dialogo.exec();
    });
    m_prog.despachador.registrar(herramienta::BtnHistorialTiradas,
                                 [this] { MostrarHistorialTiradas(m_prog, this); });
    m_prog.despachador.registrar(herramienta::BtnAjustesImpresion, [this] {
        Principal& p = m_prog.principal;
        AjusteImpresora ajuste(p.preferencias, p.politica, p.mensajes(), p.dialogosImpresion(),
                               m_prog.impresora, p.servicios().carpetasAjusteAntiguo);
        FrmSetup dialogo(ajuste, this);
        dialogo.exec();
    });

    for (int n = 1; n <= 4; ++n)
        actualizarPanel(n);
    editorCambiado(p.documento.abierto());
    setAcceptDrops(true);
    colocar();
}

void PpalMdi::colocar() {
    QList<QRect> pantallas;
    const QScreen* principal = QGuiApplication::primaryScreen();
    if (principal)
        pantallas.append(principal->availableGeometry());
    for (const QScreen* s : QGuiApplication::screens())
        if (s != principal)
            pantallas.append(s->availableGeometry());
    const auto guardada = m_prog.preferencias().ventanaPrincipal();
    // Wide enough for the whole band on a common office screen.
    const QSize preferido(1280, 800);
    const QRect lugar = LugarVentana(guardada ? std::optional(guardada->marco) : std::nullopt,
                                     pantallas, preferido, kBorde);
    move(lugar.topLeft());
    resize(lugar.size());
    // The first time on a screen smaller than that (the band fits from 1024
    // pixels wide), the window fills it: maximized, so the title bar does not
    // push the status bar off the bottom.
    const bool pequena = !pantallas.isEmpty() && (pantallas.first().width() < preferido.width() ||
                                                  pantallas.first().height() < preferido.height());
    if (guardada ? guardada->maximizada : pequena)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void PpalMdi::guardarLugar() {
    // The place it has when not maximized, so that it comes back to it: the
    // corner of its frame (as move() takes it) and the size inside. Qt keeps
    // a maximized window's normal place as the inside's; one that opened
    // maximized and never left that state keeps the place colocar() gave.
    const bool maximizada = windowState().testFlag(Qt::WindowMaximized);
    QRect lugar(pos(), size());
    if (maximizada || isMinimized()) {
        lugar = normalGeometry();
        if (m_borde)
            lugar.translate(-*m_borde);
    }
    m_prog.preferencias().guardarVentanaPrincipal({lugar, maximizada});
}

void PpalMdi::verBorde() {
    if (isVisible() && windowState() == Qt::WindowNoState)
        m_borde = geometry().topLeft() - pos();
}

void PpalMdi::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    verBorde();
}

void PpalMdi::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    verBorde();
}

QAction* PpalMdi::accion(const QString& id) const {
    return m_acciones.value(id.toCaseFolded());
}

QLabel* PpalMdi::panel(int n) const {
    return m_paneles[n - 1];
}

void PpalMdi::crearAcciones() {
    BarraHerramientas& barra = m_prog.barra();
    for (const Herramienta& h : barra.herramientas()) {
        if (h.id == herramienta::CboMag || h.id == herramienta::TxtHoja)
            continue; // fields on the toolbar, not commands
        if (h.id == herramienta::MnuRecientes) {
            crearRecientes(h);
            continue;
        }
        auto* a = new QAction(h.titulo, this);
        a->setObjectName(h.id);
        a->setShortcuts(h.atajos);
        a->setCheckable(h.conmutable);
        a->setIcon(IconoHerramienta(h.id));
        const QString id = h.id;
        connect(a, &QAction::triggered, this, [this, id, a] {
            // The model owns the pressed state: put the widget back and let
            // the model toggle and notify.
            BarraHerramientas& b = m_prog.barra();
            if (a->isCheckable())
                a->setChecked(b.pulsada(id));
            b.pulsar(id);
        });
        m_acciones.insert(h.id.toCaseFolded(), a);
        actualizarAccion(h.id);
    }
}

void PpalMdi::crearRecientes(const Herramienta& h) {
    m_recientes = new QMenu(h.titulo, this);
    m_recientes->setObjectName(h.id);
    m_recientes->setToolTipsVisible(true);
    m_recientes->setIcon(IconoHerramienta(h.id));
    QAction* a = m_recientes->menuAction();
    a->setObjectName(h.id);
    m_acciones.insert(h.id.toCaseFolded(), a);
    connect(&m_prog.principal.recientes, &TrabajosRecientes::cambiada, this,
            &PpalMdi::llenarRecientes);
    llenarRecientes();
    // Its entries are its commands.
    m_prog.barra().marcarImplementada(h.id);
    actualizarAccion(h.id);
}

void PpalMdi::llenarRecientes() {
    m_recientes->clear();
    const QStringList& lista = m_prog.principal.recientes.lista();
    if (lista.isEmpty())
        m_recientes->addAction(QStringLiteral("(vacío)"))->setEnabled(false);
    for (int i = 0; i < lista.size(); ++i) {
        const QString ruta = lista.at(i);
        QAction* a = m_recientes->addAction(TrabajosRecientes::Titulo(i, ruta));
        a->setToolTip(QDir::toNativeSeparators(ruta));
        a->setStatusTip(a->toolTip());
        // Queued: opening changes the list, and with it this very entry.
        connect(
            a, &QAction::triggered, this,
            [this, ruta] { AbrirReciente(m_prog.principal, m_prog.ciclo, ruta); },
            Qt::QueuedConnection);
    }
}

void PpalMdi::crearMenus() {
    BarraHerramientas& barra = m_prog.barra();
    const auto llenar = [&](QMenu* menu, const Menu& m) {
        menu->setObjectName(m.id);
        for (const QString& e : m.entradas) {
            if (e == u"-") {
                menu->addSeparator();
            } else if (e == herramienta::CboMag) {
                // The zoom field itself lives on the toolbar; this entry takes
                // the operator there.
                QAction* a = menu->addAction(QStringLiteral("&Zoom"));
                a->setObjectName(herramienta::CboMag);
                connect(a, &QAction::triggered, this, [this] {
                    m_zoom->setFocus();
                    m_zoom->showPopup();
                });
                connect(&barra, &BarraHerramientas::cambiada, a, [a, &barra](const QString& id) {
                    if (id == herramienta::CboMag)
                        a->setEnabled(barra.habilitada(id) && barra.herramienta(id)->implementada);
                });
                a->setEnabled(barra.utilizable(herramienta::CboMag));
            } else {
                menu->addAction(accion(e));
            }
        }
    };
    for (const Menu& m : barra.menus()) {
        QMenu* menu = menuBar()->addMenu(m.titulo);
        llenar(menu, m);
        // Opening the menu bar forgets the point last clicked on the sheet; the
        // sheet's own pop-up menu keeps it.
        connect(menu, &QMenu::aboutToShow, this,
                [this] { m_prog.editor.seleccion().puntoInsercion().marcado = false; });
    }
    for (const Menu& m : barra.menusEmergentes()) {
        auto* menu = new QMenu(m.titulo, this);
        llenar(menu, m);
        m_emergentes.insert(m.id, menu);
    }
}

void PpalMdi::crearBanda() {
    BarraHerramientas& barra = m_prog.barra();
    QToolBar* banda = addToolBar(barra.tituloBanda());
    banda->setObjectName(barra.tituloBanda());
    // Pictures only, so the band fits a 1024-pixel screen; the tooltips name
    // each tool and its key.
    banda->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const QString& e : barra.banda()) {
        if (e == u"-") {
            banda->addSeparator();
        } else if (e == herramienta::CboMag) {
            m_zoom = new QComboBox(banda);
            m_zoom->setObjectName(herramienta::CboMag);
            m_zoom->setEditable(true);
            m_zoom->setInsertPolicy(QComboBox::NoInsert);
            // What is typed is the zoom: no completion from the list ("7" is
            // 7 %, not 70).
            m_zoom->setCompleter(nullptr);
            m_zoom->setMinimumContentsLength(4);
            m_zoom->addItems(barra.entradasZoom());
            m_zoom->setEditText(barra.textoZoom());
            m_zoom->setEnabled(barra.utilizable(e));
            banda->addWidget(m_zoom);
            connect(&barra, &BarraHerramientas::textoZoomCambiado, m_zoom, &QComboBox::setEditText);
            // A choice from the list, and Enter in the text, each reported once.
            connect(m_zoom->lineEdit(), &QLineEdit::returnPressed, this, [this, &barra] {
                m_introZoom = true;
                barra.introducirZoom(m_zoom->currentText());
                QTimer::singleShot(0, this, [this] { m_introZoom = false; });
            });
            connect(m_zoom, &QComboBox::activated, this, [this, &barra](int i) {
                if (!m_introZoom && i >= 0)
                    barra.elegirZoom(m_zoom->itemText(i));
            });
            connect(&barra, &BarraHerramientas::entradasZoomCambiadas, this, [this, &barra] {
                m_zoom->clear();
                m_zoom->addItems(barra.entradasZoom());
                m_zoom->setEditText(barra.textoZoom());
            });
        } else if (e == herramienta::TxtHoja) {
            banda->addWidget(crearCampoHoja(banda));
        } else if (e == u"ID_Label") {
            banda->addWidget(new QLabel(QStringLiteral(" % "), banda));
        } else if (e == u"LblPos") {
            auto* l = new QLabel(banda);
            l->setObjectName(QStringLiteral("LblPos"));
            banda->addWidget(l);
        } else {
            QAction* a = accion(e);
            banda->addAction(a);
            // The help button drops the help menu down.
            if (e == herramienta::BtnHelp)
                if (auto* b = qobject_cast<QToolButton*>(banda->widgetForAction(a))) {
                    b->setPopupMode(QToolButton::MenuButtonPopup);
                    b->setMenu(menuBar()->findChild<QMenu*>(herramienta::MnuAyuda));
                }
        }
    }
}

QWidget* PpalMdi::crearCampoHoja(QWidget* padre) {
    BarraHerramientas& barra = m_prog.barra();
    const Herramienta& h = *barra.herramienta(herramienta::TxtHoja);
    auto* caja = new QWidget(padre);
    caja->setObjectName(QStringLiteral("CampoHoja"));
    auto* fila = new QHBoxLayout(caja);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(2);
    fila->addWidget(new QLabel(h.titulo, caja));
    // What is typed is the sheet, as typed; Enter shows it.
    m_hoja = new QLineEdit(caja);
    m_hoja->setObjectName(herramienta::TxtHoja);
    m_hoja->setToolTip(h.consejo);
    m_hoja->setAlignment(Qt::AlignRight);
    // Four digits in sight (a longer number scrolls); the band fits a
    // 1024-pixel window.
    m_hoja->setFixedWidth(m_hoja->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
    m_hoja->setEnabled(barra.utilizable(h.id));
    fila->addWidget(m_hoja);
    m_totalHojas = new QLabel(caja);
    m_totalHojas->setObjectName(QStringLiteral("LblTotalHojas"));
    fila->addWidget(m_totalHojas);
    const auto mostrar = [this, &barra] {
        m_hoja->setText(barra.textoHoja());
        m_totalHojas->setText(barra.totalHojas());
    };
    mostrar();
    connect(&barra, &BarraHerramientas::hojaCambiada, this, mostrar);
    connect(m_hoja, &QLineEdit::returnPressed, this,
            [this, &barra] { barra.introducirHoja(m_hoja->text()); });
    // Left without Enter: the field shows the sheet shown again.
    connect(m_hoja, &QLineEdit::editingFinished, this, [this, &barra] {
        if (!m_hoja->hasFocus())
            m_hoja->setText(barra.textoHoja());
    });
    return caja;
}

void PpalMdi::crearBarraEstado() {
    auto* barra = statusBar();
    m_paneles[0] = new QLabel(barra);
    m_paneles[0]->setMinimumWidth(180);
    auto* caja = new QWidget(barra);
    auto* fila = new QHBoxLayout(caja);
    fila->setContentsMargins(0, 0, 0, 0);
    m_paneles[1] = new QLabel(caja);
    m_imagenHoja = new QLabel(caja);
    m_imagenHoja->setObjectName(QStringLiteral("ImagenHoja"));
    fila->addWidget(m_paneles[1]);
    fila->addWidget(m_imagenHoja);
    m_paneles[2] = new QLabel(barra);
    m_paneles[3] = new QLabel(barra);
    for (int i = 0; i < 4; ++i)
        m_paneles[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
    barra->addWidget(m_paneles[0], 1);
    barra->addWidget(caja, 1);
    // The sheet shown, then the printer at the far right.
    barra->addPermanentWidget(m_paneles[3]);
    barra->addPermanentWidget(m_paneles[2]);
}

void PpalMdi::actualizarAccion(const QString& id) {
    BarraHerramientas& barra = m_prog.barra();
    if (id == herramienta::CboMag) {
        if (m_zoom)
            m_zoom->setEnabled(barra.utilizable(id));
        return;
    }
    if (id == herramienta::TxtHoja) {
        if (m_hoja)
            m_hoja->setEnabled(barra.utilizable(id));
        return;
    }
    QAction* a = accion(id);
    if (!a)
        return;
    const Herramienta& h = *barra.herramienta(id);
    a->setText(h.titulo);
    QString consejo = h.consejo.isEmpty() ? QString(h.titulo).remove(u'&') : h.consejo;
    if (!h.atajos.isEmpty())
        consejo += QStringLiteral(" (%1)").arg(h.atajos.first().toString(QKeySequence::NativeText));
    a->setToolTip(consejo);
    a->setStatusTip(h.consejo);
    a->setEnabled(barra.utilizable(id));
    if (a->isCheckable())
        a->setChecked(barra.pulsada(id));
}

void PpalMdi::actualizarPanel(int n) {
    Principal& p = m_prog.principal;
    m_paneles[n - 1]->setText(p.panel(n));
    if (n == 2) {
        m_imagenHoja->setPixmap(ImagenOrientacion(p.hojaVertical(), 16));
        m_imagenHoja->setToolTip(p.hojaVertical() ? QStringLiteral("Vertical")
                                                  : QStringLiteral("Horizontal"));
    }
}

void PpalMdi::editorCambiado(bool abierto) {
    if (abierto && !m_editor) {
        m_editor = new FrmDrag(m_prog.documento(), m_prog.editor, m_centro);
        m_editor->hoja()->abrirPropiedades = [this](int i) { MostrarPropiedades(i); };
        m_editor->hoja()->pasoZoom = [this](int sentido) { m_prog.PasoZoom(sentido); };
        m_editor->hoja()->fijarFondo(&m_prog.fondo);
        m_editor->hoja()->abrirMenu = [this](const QString& id) {
            if (QMenu* m = m_emergentes.value(id))
                m->popup(QCursor::pos());
        };
        m_centro->addWidget(m_editor);
        m_centro->setCurrentWidget(m_editor);
        // The sheet takes the keys (the arrows, Re Pág / Av Pág) from the start.
        m_editor->hoja()->setFocus();
    } else if (!abierto && m_editor) {
        statusBar()->clearMessage(); // the last tool's text belonged to the job
        m_centro->removeWidget(m_editor);
        m_editor->deleteLater();
        m_editor = nullptr;
    }
}

void PpalMdi::terminar(int codigo) {
    if (!m_terminando)
        guardarLugar();
    m_terminando = true;
    QCoreApplication::exit(codigo);
}

void PpalMdi::closeEvent(QCloseEvent* e) {
    if (m_terminando || m_prog.ciclo.Salir()) {
        if (!m_terminando)
            guardarLugar();
        m_terminando = true;
        e->accept();
        QCoreApplication::exit(0);
    } else {
        e->ignore();
    }
}

void PpalMdi::dragEnterEvent(QDragEnterEvent* e) {
    dragMoveEvent(e); // refused from the start when it brings no job
}

void PpalMdi::dragMoveEvent(QDragMoveEvent* e) {
    if (TrabajoArrastrado(e->mimeData()).isEmpty())
        e->ignore();
    else
        e->acceptProposedAction();
}

void PpalMdi::dropEvent(QDropEvent* e) {
    const QString ruta = TrabajoArrastrado(e->mimeData());
    if (ruta.isEmpty()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    // After the drop has ended: the program the file came from is not kept
    // waiting while the save prompt or a message is up.
    QTimer::singleShot(0, this,
                       [this, ruta] { AbrirTrabajoDirecto(m_prog.principal, m_prog.ciclo, ruta); });
}

void PpalMdi::MostrarPropiedades(int i) {
    Principal& p = m_prog.principal;
    PropiedadesCuadro propiedades(p.documento, p.preferencias, p.mensajes());
    if (!propiedades.Abrir(i))
        return;
    FrmProp dialogo(propiedades, this);
    if (const auto lugar = p.preferencias.lugarVentana()) {
        // Where it was left, as long as its title bar is on a screen.
        const QRect titulo(*lugar, QSize(dialogo.sizeHint().width(), 30));
        const auto pantallas = QGuiApplication::screens();
        if (std::any_of(pantallas.begin(), pantallas.end(),
                        [&](const QScreen* s) { return s->availableGeometry().contains(titulo); }))
            dialogo.setGeometry(QRect(*lugar, dialogo.sizeHint()));
    }
    dialogo.exec();
    // What the dialog wrote into the job (at once for the font and colour, on
    // OK for the rest) is drawn by the editor as it changes.
    ActualizarPegar(p);
    if (!dialogo.isMinimized())
        p.preferencias.guardarLugarVentana(dialogo.lugarAlCerrar());
}
