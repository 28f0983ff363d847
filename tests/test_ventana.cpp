// The main window as the operator meets it, headless.
#include "core/dialogos/ConfiguracionPagina.h"
#include "core/dialogos/ContinuarNumeracion.h"
#include "core/editor/RepetirCuadros.h"
#include "core/impresion/AjusteImpresora.h"
#include "core/impresion/Correccion.h"
#include "core/impresion/Impresion.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/CopiaCuadros.h"
#include "core/trabajo/Valores.h"
#include "fakes/Fakes.h"
#include "platform/DialogosImpresionQt.h"
#include "platform/ImpresoraQt.h"
#include "platform/MensajesQt.h"
#include "platform/PortapapelesQt.h"
#include "ui/FrmBar.h"
#include "ui/FrmContinuar.h"
#include "ui/FrmDrag.h"
#include "ui/FrmOpciones.h"
#include "ui/FrmPapel.h"
#include "ui/FrmProp.h"
#include "ui/FrmRepetir.h"
#include "ui/FrmSetup.h"
#include "ui/Iconos.h"
#include "ui/PpalMdi.h"
#include "ui/VisorAyuda.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QWheelEvent>
#include <QtTest>

namespace {
// Runs `paso` on the next modal window shown (polling, as exec() blocks).
void AlAbrirse(std::function<void(QWidget*)> paso) {
    auto* reloj = new QTimer;
    reloj->setInterval(20);
    QObject::connect(reloj, &QTimer::timeout, [reloj, paso] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        reloj->stop();
        reloj->deleteLater();
        paso(w);
    });
    reloj->start();
}

// The access letter of a caption ("Guardar co&mo" -> 'm'); none for a caption
// without one ("&&" is a plain "&").
std::optional<QChar> LetraDeAcceso(const QString& texto) {
    for (qsizetype i = 0; i + 1 < texto.size(); ++i) {
        if (texto.at(i) != u'&')
            continue;
        if (texto.at(i + 1) != u'&')
            return texto.at(i + 1).toLower();
        ++i;
    }
    return std::nullopt;
}

// The captions with an access letter that the operator sees of `ventana` at
// once: buttons, labels that lead to a field, group box titles, the tabs of
// the tab bars shown.
QStringList TitulosConLetra(QWidget* ventana) {
    QStringList titulos;
    const auto visible = [ventana](QWidget* w) {
        return w->window() == ventana && w->isVisibleTo(ventana);
    };
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (!visible(w))
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            titulos.append(b->text());
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            titulos.append(l->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            titulos.append(g->title());
        else if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                titulos.append(t->tabText(i));
    }
    titulos.removeIf([](const QString& t) { return !LetraDeAcceso(t); });
    return titulos;
}

// Two captions of `ventana` sharing a letter, as "V: &Vertical y &Ver siempre";
// empty when there are none. Every page of every tab widget is looked at,
// with the pages that hold it.
QStringList LetrasRepetidas(QWidget* ventana) {
    QStringList repetidas;
    const auto revisar = [&] {
        QHash<QChar, QString> letras;
        for (const QString& t : TitulosConLetra(ventana)) {
            const QChar c = *LetraDeAcceso(t);
            if (letras.contains(c))
                repetidas.append(
                    QStringLiteral("%1: %2 y %3").arg(c.toUpper()).arg(letras.value(c), t));
            letras.insert(c, t);
        }
    };
    revisar();
    for (QTabWidget* pestanas : ventana->findChildren<QTabWidget*>()) {
        for (int i = 0; i < pestanas->count(); ++i) {
            pestanas->setCurrentIndex(i);
            for (QWidget* w = pestanas; w && w != ventana; w = w->parentWidget())
                if (auto* pila = qobject_cast<QStackedWidget*>(w->parentWidget()))
                    if (auto* padre = qobject_cast<QTabWidget*>(pila->parentWidget()))
                        padre->setCurrentWidget(w);
            revisar();
        }
    }
    repetidas.removeDuplicates();
    return repetidas;
}

// Opens one of the program's windows and hands it to `revisar` in each state
// worth looking at, then closes it.
using Revisar = std::function<void(QWidget*)>;
using AbrirVentana = std::function<void(const Revisar&)>;

// A message box of the program with `botones`.
AbrirVentana Caja(Botones botones) {
    return [botones](const Revisar& revisar) {
        AlAbrirse([revisar](QWidget* w) {
            revisar(w);
            qobject_cast<QMessageBox*>(w)->buttons().first()->click();
        });
        MensajesQt().mostrar(QStringLiteral("¿Seguro?"), QStringLiteral("Prueba"), Icono::Pregunta,
                             botones);
    };
}

// A window that runs itself with exec(): looked at once it is up, then closed.
void AlMostrarse(const Revisar& revisar) {
    AlAbrirse([revisar](QWidget* w) {
        revisar(w);
        qobject_cast<QDialog*>(w)->reject();
    });
}
} // namespace

Q_DECLARE_METATYPE(AbrirVentana)

class PruebaVentana : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString Fixture(const QString& nombre) {
        return QStringLiteral(VELQUIRA_FIXTURES_DIR) + u'/' + nombre;
    }

    // The clipboard text of one box made from the defaults and then `cambiar`.
    static QString Copia(const std::function<void(Cuadro&)>& cambiar) {
        Estado e;
        AjustesMemoria vacios;
        const int i = e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        cambiar(e.Cuadros[i]);
        return TextoCopiaCuadros({i}, e, QLocale());
    }

    // The icon draws something at that size: a missing file or a missing SVG
    // engine gives an empty or transparent picture.
    static bool Dibuja(const QIcon& icono, int lado) {
        const QImage imagen = icono.pixmap(lado).toImage();
        if (imagen.isNull())
            return false;
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x)
                if (qAlpha(imagen.pixel(x, y)) > 0)
                    return true;
        return false;
    }

private slots:
    // The main window driven from the keyboard: a new job, a new box (its
    // dialog accepted), copy and paste, delete with its question, save as and
    // close, each by its key.
    void atajosDeTeclado() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        v.show();
        QVERIFY(QTest::qWaitForWindowActive(&v));
        QTest::keyClick(&v, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(p.documento().abierto());
        QCOMPARE(v.windowTitle(), QStringLiteral("ZUL Velquira [Trabajo1.zul]"));
        p.documento().agregarCuadro(p.preferencias().defectosCuadro(), {});
        p.editor.seleccion().Foco(0, true);
        QTest::keyClick(&v, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(b.portapapeles.texto().value_or(QString()).startsWith(QStringLiteral("ZUL")));
        QTest::keyClick(&v, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(p.documento().cuadrosVivos(), 2);
        b.mensajes.respuestas = {Respuesta::Aceptar};
        QTest::keyClick(&v, Qt::Key_Delete);
        QCOMPARE(b.mensajes.titulos().last(), QStringLiteral("Precaución"));
        QCOMPARE(p.documento().cuadrosVivos(), 1);
        // Undo and redo, the menu naming the step.
        QCOMPARE(v.accion("BtnDeshacer")->text(), QStringLiteral("&Deshacer borrar 1 cuadro"));
        QTest::keyClick(&v, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(p.documento().cuadrosVivos(), 2);
        QCOMPARE(v.accion("BtnRehacer")->text(), QStringLiteral("&Rehacer borrar 1 cuadro"));
        QTest::keyClick(&v, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p.documento().cuadrosVivos(), 1);
        QTest::keyClick(&v, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&v, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(p.documento().cuadrosVivos(), 1);
        QTest::keyClick(&v, Qt::Key_Z, Qt::ControlModifier);
        // Select all, then every box goes at once.
        QTest::keyClick(&v, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(p.documento().ModoGrupo());
        QCOMPARE(p.documento().Seleccion().size(), 2);
        b.mensajes.respuestas = {Respuesta::Aceptar};
        QTest::keyClick(&v, Qt::Key_Delete);
        QCOMPARE(p.documento().cuadrosVivos(), 0);
        QCOMPARE(v.accion("BtnDeshacer")->text(), QStringLiteral("&Deshacer borrar 2 cuadros"));
        QTest::keyClick(&v, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(p.documento().cuadrosVivos(), 2);
        // Zoom by steps: the keys and Ctrl with the wheel over the sheet.
        QCOMPARE(v.zoom()->currentText(), QStringLiteral("50"));
        QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(p.documento().Trabajo().Zoom, 0.75f);
        QCOMPARE(v.zoom()->currentText(), QStringLiteral("75"));
        QTest::keyClick(&v, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(p.documento().Trabajo().Zoom, 0.5f);
        VistaHoja* hoja = v.editor()->hoja();
        const QPointF dentro(20, 20);
        QWheelEvent rueda(dentro, hoja->mapToGlobal(dentro), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(hoja, &rueda);
        QCOMPARE(p.documento().Trabajo().Zoom, 0.75f);
        QWheelEvent sinCtrl(dentro, hoja->mapToGlobal(dentro), {}, QPoint(0, -120), Qt::NoButton,
                            Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(hoja, &sinCtrl);
        QCOMPARE(p.documento().Trabajo().Zoom, 0.75f); // a plain wheel scrolls
        const QString ruta = m_dir.filePath(QStringLiteral("atajos.zul"));
        b.dialogos.rutas = {ruta};
        QTest::keyClick(&v, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QFileInfo::exists(ruta));
        QTest::keyClick(&v, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!p.documento().abierto());
    }

    // The properties dialog opens where it was left, however often it opens;
    // a place on no screen is not used.
    void propiedadesVuelvenDondeSeDejaron_data() {
        QTest::addColumn<QPoint>("guardado");
        QTest::addColumn<bool>("seUsa");
        QTest::newRow("en pantalla") << QPoint(120, 90) << true;
        QTest::newRow("fuera de toda pantalla") << QPoint(-5000, -5000) << false;
    }
    void propiedadesVuelvenDondeSeDejaron() {
        QFETCH(QPoint, guardado);
        QFETCH(bool, seUsa);
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        b.dialogos.rutas = {CopiaFixture("serie_coma.zul")};
        v.accion("BtnAbrir")->trigger();
        p.preferencias().guardarLugarVentana(guardado);
        QList<QPoint> vistos;
        for (int vez = 0; vez < 3; ++vez) {
            AlAbrirse([&](QWidget* d) {
                vistos.append(d->geometry().topLeft());
                static_cast<QDialog*>(d)->reject();
            });
            v.MostrarPropiedades(0);
        }
        QCOMPARE(vistos.size(), 3);
        if (seUsa)
            QCOMPARE(vistos.first(), guardado);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(vistos.first()));
        QCOMPARE(vistos.at(1), vistos.first());
        QCOMPARE(vistos.at(2), vistos.first());
        QCOMPARE(p.preferencias().lugarVentana(), std::optional(vistos.first()));
    }

    // The help's page says what the arrow keys move at the zoom shown.
    void ayudaDiceLoQueMuevenLasFlechas() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        b.dialogos.rutas = {CopiaFixture("serie_coma.zul")};
        v.accion("BtnAbrir")->trigger(); // at 75 %
        VisorAyuda* ayuda = VisorAyuda::Abrir(&v, {});
        const QString texto = ayuda->navegador()->toPlainText();
        QVERIFY2(texto.contains(QStringLiteral("Al zoom actual (75 %)")), qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral(" 1,33 mm con Ctrl")));
        QVERIFY(!texto.contains(u'{'));
        ayuda->close();
    }

    // The properties dialog says beside the copy count when the series counts
    // down, as the operator types.
    void propiedadesDicenSiDesciende() {
        Mesa m;
        m.conCuadros({{100, 100}});
        PropiedadesCuadro prop(m.documento, m.preferencias, m.mensajes);
        QVERIFY(prop.Abrir(0));
        FrmProp d(prop);
        QCOMPARE(d.sentido()->text(), QString());
        d.campo(0)->setFocus();
        d.campo(0)->selectAll();
        QTest::keyClicks(d.campo(0), "10");
        QCOMPARE(d.sentido()->text(), QStringLiteral("(descendente)"));
        QCOMPARE(d.campo(7)->text(), QStringLiteral("10"));
        d.campo(1)->selectAll();
        QTest::keyClicks(d.campo(1), "30");
        QCOMPARE(d.sentido()->text(), QString());
    }

    // A group's series offers its order under the series fields, and the
    // copy count follows it; a box of its own has no order to choose.
    void ordenDelGrupo() {
        Mesa m;
        m.conCuadros({{100, 100}, {100, 1000}, {100, 2000}});
        PropiedadesCuadro solo(m.documento, m.preferencias, m.mensajes);
        QVERIFY(solo.Abrir(0));
        FrmProp uno(solo);
        QVERIFY(!uno.orden()->isVisibleTo(&uno));
        m.agrupar({0, 1, 2});
        m.mensajes.respuestas = {Respuesta::Aceptar, Respuesta::Si};
        PropiedadesCuadro prop(m.documento, m.preferencias, m.mensajes);
        QVERIFY(prop.Abrir(0));
        FrmProp d(prop);
        QVERIFY(d.orden()->isVisibleTo(&d));
        QCOMPARE(d.orden()->currentText(), QStringLiteral("Consecutivos en cada hoja"));
        d.campo(1)->setFocus();
        d.campo(1)->selectAll();
        QTest::keyClicks(d.campo(1), "10");
        QCOMPARE(d.campo(7)->text(), QStringLiteral("4"));
        d.orden()->setCurrentIndex(2);
        QCOMPARE(d.orden()->currentText(), QStringLiteral("El mismo número en todos"));
        QCOMPARE(d.campo(7)->text(), QStringLiteral("10"));
        d.orden()->setCurrentIndex(1);
        QCOMPARE(d.orden()->currentText(), QStringLiteral("Para cortar y apilar"));
        QCOMPARE(d.campo(7)->text(), QStringLiteral("4"));
        d.botonAceptar()->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(m.documento.Cuadros()[2].Inicio, 9.0);
        QCOMPARE(m.documento.Cuadros()[2].Fin, 10.0);
    }

    // The sheet in small shows where the copies land as the fields are
    // typed: red where one would leave the sheet.
    void repetirMuestraLasCopias() {
        Mesa m;
        m.conCuadros({{1000, 1000}});
        RepetirCuadros r(m.documento, m.editor.seleccion(), m.preferencias, m.mensajes);
        QVERIFY(r.Abrir());
        FrmRepetir d(r, m.documento);
        d.resize(600, 400);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const auto colores = [&] {
            QImage imagen(d.muestra()->size(), QImage::Format_RGB32);
            d.muestra()->render(&imagen);
            QSet<QRgb> vistos;
            for (int y = 0; y < imagen.height(); ++y)
                for (int x = 0; x < imagen.width(); ++x)
                    vistos.insert(imagen.pixel(x, y));
            return vistos;
        };
        const auto rojo = [](const QSet<QRgb>& c) {
            return std::any_of(c.begin(), c.end(), [](QRgb p) {
                return qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 80;
            });
        };
        d.campo(1)->setFocus();
        d.campo(1)->selectAll();
        QTest::keyClicks(d.campo(1), "5");
        d.campo(3)->selectAll();
        QTest::keyClicks(d.campo(3), "7,425");
        QCOMPARE(d.resumen()->text(),
                 QStringLiteral("1 de los 4 cuadros nuevos quedaría fuera de la hoja."));
        QVERIFY(rojo(colores()));
        d.campo(1)->selectAll();
        QTest::keyClicks(d.campo(1), "4");
        QCOMPARE(d.resumen()->text(), QStringLiteral("Se harán 3 cuadros nuevos."));
        QVERIFY(!rojo(colores()));
        QTest::keyClick(d.campo(3), Qt::Key_Return); // the last field: OK
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(m.documento.cuadrosVivos(), 4);
    }

    // What is typed in the zoom field is taken as typed: "7" is 7 %, not the
    // 70 of the list that begins with it.
    void zoomEscritoSinCompletar_data() {
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<float>("zoom");
        QTest::newRow("7") << "7" << 0.07f;
        QTest::newRow("15") << "15" << 0.15f;
        QTest::newRow("120") << "120" << 1.2f;
    }
    void zoomEscritoSinCompletar() {
        QFETCH(QString, escrito);
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        v.show();
        QVERIFY(QTest::qWaitForWindowActive(&v));
        QTest::keyClick(&v, Qt::Key_N, Qt::ControlModifier);
        QLineEdit* campo = v.zoom()->lineEdit();
        campo->setFocus();
        campo->selectAll();
        QTest::keyClicks(campo, escrito);
        QTest::keyClick(campo, Qt::Key_Return);
        QTEST(p.documento().Trabajo().Zoom, "zoom");
        QCOMPARE(v.zoom()->currentText(), escrito);
    }

    // Every command the program and its window wire names a known tool: a
    // misspelt id would leave a button that does nothing.
    void ordenesNombranHerramientasConocidas() {
        Banco banco;
        Programa& p = banco.crear();
        PpalMdi v(p);
        const QStringList ids = p.despachador.registradas();
        QVERIFY(!ids.isEmpty());
        for (const QString& id : ids)
            QVERIFY2(p.barra().existe(id), qPrintable(id));
    }

    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void menusYBarra() {
        Banco b;
        PpalMdi v(b.crear());
        QStringList menus;
        for (QAction* a : v.menuBar()->actions())
            menus.append(a->text());
        QCOMPARE(menus, (QStringList{"&Archivo", "&Edición", "&Ver", "&Organizar", "&Herramientas",
                                     "A&yuda"}));
        QMenu* archivo = v.menuBar()->actions().first()->menu();
        QStringList entradas;
        for (QAction* a : archivo->actions())
            entradas.append(a->isSeparator() ? "-" : a->text());
        QCOMPARE(entradas,
                 (QStringList{"&Abrir", "&Trabajos recientes", "-", "&Nuevo", "&Guardar",
                              "Guardar co&mo...", "-", "C&onfigurar página", "-",
                              "Selecciona&r impresora", "&Prueba", "&Vista preliminar", "&Imprimir",
                              "&Exportar a PDF...", "-", "&Cerrar trabajo", "-", "&Salir"}));
        QVERIFY(v.findChild<QToolBar*>("Estandard"));
        // The tooltip names the key.
        QCOMPARE(v.accion("BtnImprimir")->toolTip(),
                 QStringLiteral("Imprimir trabajo (%1)")
                     .arg(QKeySequence(Qt::CTRL | Qt::Key_P).toString(QKeySequence::NativeText)));
        QCOMPARE(v.zoom()->count(), 39);
        QCOMPARE(v.zoom()->currentText(), QStringLiteral("50"));
        QVERIFY(v.menuEmergente("MnuHoja"));
        QVERIFY(v.menuEmergente("MnuCuadro"));
        QCOMPARE(v.windowTitle(), QStringLiteral("ZUL Velquira®"));
    }

    void sinTrabajoSoloLoQueSiempreSirve() {
        Banco b;
        PpalMdi v(b.crear());
        QVERIFY(v.accion("BtnNuevo")->isEnabled());
        QVERIFY(v.accion("BtnAjustesImpresion")->isEnabled());
        QVERIFY(v.accion("BtnSeleccionarPrint")->isEnabled());
        QVERIFY(v.accion("BtnAbrir")->isEnabled());
        QVERIFY(v.accion("BtnSalir")->isEnabled());
        QVERIFY(!v.accion("BtnGuardar")->isEnabled());
        QVERIFY(!v.accion("BtnCerrarTrabajo")->isEnabled());
        QVERIFY(!v.zoom()->isEnabled());
        QVERIFY(!v.editor());
    }

    void abrirMuestraLaHojaYCerrarLaQuita() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        b.dialogos.rutas = {CopiaFixture("serie_coma.zul")};
        v.accion("BtnAbrir")->trigger();
        QVERIFY(v.editor());
        QCOMPARE(v.windowTitle(), QStringLiteral("ZUL Velquira [serie_coma.zul]"));
        QCOMPARE(v.panel(2)->text(), QStringLiteral("A4 (29,70 x 21,00 Cmts)"));
        QCOMPARE(v.zoom()->currentText(), QStringLiteral("75"));
        QVERIFY(v.accion("BtnGuardar")->isEnabled());
        QVERIFY(v.accion("BtnCerrarTrabajo")->isEnabled());
        QVERIFY(v.accion("BtnImprimir")->isEnabled());
        QVERIFY(v.accion("BtnNuevocuadro")->isEnabled());
        QVERIFY(v.accion("BtnConfigurarHoja")->isEnabled());
        QVERIFY(v.accion("BtnOpciones")->isEnabled());
        // Every tool of the window has its command now.
        for (const Herramienta& h : p.barra().herramientas())
            QVERIFY2(h.implementada, qPrintable(h.id));
        // The sheet is drawn at its size and zoom: landscape A4 at 75 %.
        const QSize hoja = v.editor()->hoja()->tamanoHoja();
        const double dpi = v.editor()->hoja()->logicalDpiX();
        QCOMPARE(hoja.width(), qRound(16839 * 0.75 * dpi / 1440));
        QVERIFY(hoja.width() > hoja.height());

        v.accion("BtnCerrarTrabajo")->trigger(); // untouched: no question
        QCoreApplication::processEvents();
        QVERIFY(!v.editor());
        QCOMPARE(v.windowTitle(), QStringLiteral("ZUL Velquira"));
        QVERIFY(!v.accion("BtnGuardar")->isEnabled());
        QCOMPARE(v.panel(2)->text(), QStringLiteral("Carta (21,59 x 27,94 Cmts)"));
    }

    void cerrarLaVentanaConCancelarSigue() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        v.show();
        b.dialogos.rutas = {CopiaFixture("serie_coma.zul")};
        v.accion("BtnAbrir")->trigger();
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.Fin = 3; });
        b.mensajes.respuestas = {Respuesta::Cancelar};
        QVERIFY(!v.close());
        QVERIFY(v.isVisible());
        QVERIFY(v.editor());
        QVERIFY(v.accion("BtnGuardar")->isEnabled());
    }

    // Without any icon theme every tool still has its picture (the program's
    // own), in the band's and the menus' sizes, and no two tools look alike
    // but the two entries of the same help.
    void iconosSinTemaDeIconos() {
        const QString tema = QIcon::themeName(), respaldo = QIcon::fallbackThemeName();
        const QStringList rutas = QIcon::themeSearchPaths();
        QIcon::setThemeSearchPaths({m_dir.path()});
        QIcon::setThemeName(QStringLiteral("velquira-tema-que-no-existe"));
        QIcon::setFallbackThemeName(QStringLiteral("velquira-tema-que-no-existe"));
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        QIcon::setThemeSearchPaths(rutas);
        QIcon::setThemeName(tema);
        QIcon::setFallbackThemeName(respaldo);

        QHash<QByteArray, QString> vistos;
        for (const Herramienta& h : p.barra().herramientas()) {
            if (h.id == u"CboMag" || h.id == u"TxtHoja") // fields, not buttons
                continue;
            QAction* a = v.accion(h.id);
            QVERIFY2(a, qPrintable(h.id));
            QVERIFY2(!a->icon().isNull(), qPrintable(h.id));
            QVERIFY2(Dibuja(a->icon(), 16), qPrintable(h.id));
            QVERIFY2(Dibuja(a->icon(), 24), qPrintable(h.id));
            const QImage imagen = a->icon().pixmap(24).toImage();
            const QByteArray huella(reinterpret_cast<const char*>(imagen.constBits()),
                                    imagen.sizeInBytes());
            const QString otro = vistos.value(huella);
            const bool ayuda = QStringList{otro, h.id} == QStringList{"BtnAyuda", "BtnHelp"};
            QVERIFY2(otro.isEmpty() || ayuda, qPrintable(otro + u' ' + h.id));
            vistos.insert(huella, h.id);
        }
    }

    // In a window 1024 pixels wide the band shows every tool and field, none
    // pushed behind the toolbar's overflow button.
    void bandaCabeEn1024Pixeles() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        // The test screen is narrower than that: the window starts maximized,
        // so that its frame does not push the status bar off the screen.
        QVERIFY(v.screen()->availableSize().width() < 1024);
        QVERIFY(v.windowState().testFlag(Qt::WindowMaximized));
        v.setWindowState(Qt::WindowNoState);
        v.resize(1024, 700);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QCOMPARE(v.width(), 1024);
        auto* banda = v.findChild<QToolBar*>("Estandard");
        QVERIFY(banda);
        QCOMPARE(banda->width(), v.width());
        const auto* desborde = banda->findChild<QToolButton*>("qt_toolbar_ext_button");
        QVERIFY(!desborde || !desborde->isVisible());
        qsizetype vistas = 0;
        for (QAction* a : banda->actions()) {
            if (a->isSeparator())
                continue;
            QWidget* w = banda->widgetForAction(a);
            QVERIFY(w);
            const QString nombre = a->objectName().isEmpty() ? w->objectName() : a->objectName();
            QVERIFY2(w->isVisible(), qPrintable(nombre));
            QVERIFY2(banda->rect().contains(w->geometry()), qPrintable(nombre));
            ++vistas;
        }
        QCOMPARE(vistas, p.barra().banda().size() - p.barra().banda().count(QStringLiteral("-")));
    }

    // The program's icon draws, and a window without one of its own (a
    // message box) takes it from the application.
    void iconoDelPrograma() {
        QVERIFY(Dibuja(IconoPrograma(), 16));
        QVERIFY(Dibuja(IconoPrograma(), 48));
        const QIcon antes = QApplication::windowIcon();
        QApplication::setWindowIcon(IconoPrograma());
        QVERIFY(!QApplication::windowIcon().isNull());
        QMessageBox caja;
        QVERIFY(Dibuja(caja.windowIcon(), 32));
        QApplication::setWindowIcon(antes);
    }

    void conmutadoresSiguenAlModelo() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        v.accion("BtnNuevo")->trigger();
        QVERIFY(p.barra().pulsada("BtnRegla"));
        QVERIFY(v.accion("BtnRegla")->isChecked());
        p.barra().fijarPulsada("BtnRegla", false);
        QVERIFY(!v.accion("BtnRegla")->isChecked());
    }

    void ventanaDeProgresoCancela_data() {
        QTest::addColumn<bool>("tecla"); // Escape instead of the button
        QTest::newRow("boton") << false;
        QTest::newRow("escape") << true;
    }
    void ventanaDeProgresoCancela() {
        QFETCH(bool, tecla);
        MensajesGuion m;
        m.respuestas = {Respuesta::Aceptar};
        PoliticaFallas politica(m, {});
        ImpresoraGrabadora imp;
        FrmBar barra;
        QStringList vistos;
        imp.alImprimir = [&](const LlamadaImpresora& l) {
            if (l.operacion != u"texto")
                return;
            vistos.append(barra.etiqueta()->text());
            QVERIFY(barra.isVisible());
            if (l.texto == u"3") {
                if (tecla)
                    QTest::keyClick(&barra, Qt::Key_Escape);
                else
                    barra.botonCancelar()->click();
            }
        };
        Cuadro c;
        c.Inicio = 1;
        c.Fin = 10;
        c.Salto = 1;
        c.EnUso = true;
        c.FontName = "Arial";
        c.FontSize = 10;
        QCOMPARE(ImprimirHojas({c}, imp, {}, &barra, politica), FinTirada::Cancelada);
        QCOMPARE(vistos.first(), QStringLiteral("Imprimiendo hoja Nº 1 de 10"));
        QCOMPARE(vistos.last(), QStringLiteral("Imprimiendo hoja Nº 3 de 10"));
        QCOMPARE(imp.de("texto").size(), 3);
        QCOMPARE(imp.de("abortar").size(), 1);
        QCOMPARE(m.mostrados.size(), 1);
        QCOMPARE(m.mostrados[0].titulo, QStringLiteral("Cancelar impresión"));
        QVERIFY(!barra.isVisible());
        QCOMPARE(barra.barra()->maximum(), 10);
    }

    void ajusteImpresoraGuardaLoTecleado() {
        Banco b;
        b.impresoras.lista = {"Laser"};
        b.impresoras.defecto = "Laser";
        Programa& p = b.crear();
        AjusteImpresora ajuste(p.preferencias(), p.principal.politica, p.principal.mensajes(),
                               p.principal.dialogosImpresion(), p.impresora, {});
        FrmSetup d(ajuste);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        // "Continuar": the values of the printer, then the test page question.
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* caja = qobject_cast<QMessageBox*>(w))
                    for (QAbstractButton* boton : caja->buttons())
                        if (boton->text() == u"&No")
                            boton->click();
        });
        d.botonSeguir()->click();
        QCOMPARE(d.botonSeguir()->text(), QStringLiteral("&Aplicar"));
        QCOMPARE(d.titulo()->text(), QStringLiteral("Valores actuales para Laser :"));
        QCOMPARE(d.campoX()->text(), QStringLiteral("0,00"));
        d.activateWindow(); // back from the question box
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.campoX()->setFocus();
        d.campoX()->selectAll();
        QTest::keyClicks(d.campoX(), "1,5x");
        QCOMPARE(d.campoX()->text(), QStringLiteral("1,5"));
        QTest::keyClick(d.campoX(), Qt::Key_Return);
        QVERIFY(d.campoY()->hasFocus());
        QCOMPARE(d.campoX()->text(), QStringLiteral("1,50"));
        d.campoY()->selectAll();
        QTest::keyClicks(d.campoY(), "-2-");
        QCOMPARE(d.campoY()->text(), QStringLiteral("-2"));
        auto* guardado = d.findChild<QLabel*>("LblGuardado");
        QVERIFY(guardado->text().isEmpty());
        d.botonSeguir()->click();
        QCOMPARE(LeerCorreccion(b.ajustes, "Laser", 1), QPointF(85.05, -113.4f));
        QCOMPARE(guardado->text(), QStringLiteral("Corrección guardada para Laser"));
        QVERIFY(d.findChild<QLabel*>("LblSigno")->isVisible());
        d.opcionCentimetros()->setChecked(true);
        QCOMPARE(d.campoX()->text(), QStringLiteral("0,15"));
        QCOMPARE(d.campoY()->text(), QStringLiteral("-0,20"));
    }

    void arrastrarYEmpujarConElRaton() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        v.show();
        b.dialogos.rutas = {CopiaFixture("serie_coma.zul")};
        v.accion("BtnAbrir")->trigger();
        QVERIFY(v.editor());
        VistaHoja* hoja = v.editor()->hoja();
        p.documento().olvidarHistoria();
        const Cuadro antes = p.documento().Cuadros()[0];
        const QRectF caja = p.editor.elementos().elementos()[0].rect;
        const QPoint o = hoja->origenHoja();
        const QPoint desde = o + QPoint(qRound(hoja->pixeles(caja.center().x())),
                                        qRound(hoja->pixeles(caja.center().y())));
        const QPoint hasta = desde + QPoint(40, 30);
        QTest::mousePress(hoja, Qt::LeftButton, {}, desde);
        QMouseEvent mover(QEvent::MouseMove, hasta, hoja->mapToGlobal(hasta), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(hoja, &mover);
        QTest::mouseRelease(hoja, Qt::LeftButton, {}, hasta);
        QVERIFY(p.documento().Modificado());
        // The record holds where the box now stands, to the twip at this zoom.
        const double zoom = p.documento().Trabajo().Zoom;
        const QRectF ahora = p.editor.elementos().elementos()[0].rect;
        QCOMPARE(p.documento().Cuadros()[0].PosX, qint32(RedondearPar(ahora.left() / zoom)));
        QVERIFY(qAbs(p.documento().Cuadros()[0].PosX - antes.PosX - hoja->twips(40) / zoom) <
                2 / zoom);
        QVERIFY(qAbs(p.documento().Cuadros()[0].PosY - antes.PosY - hoja->twips(30) / zoom) <
                2 / zoom);
        // Ctrl+Right: one millimetre at 100 %.
        const qint32 x = p.documento().Cuadros()[0].PosX;
        QTest::keyClick(hoja, Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(qAbs(p.documento().Cuadros()[0].PosX - (x + 56.7 / zoom)) <= 1);
    }

    // A sheet of 2^31 - 1 twips at 1000 %, as old settings may hand it: the
    // view is as large as a widget can be and its corner draws at once.
    void hojaEnormeSeDibuja() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        v.show();
        v.accion("BtnNuevo")->trigger();
        CambiarHoja(p.documento(), [](Trabajo& t) {
            t.HAncho = t.HAlto = 2147483647;
            t.Zoom = 10;
        });
        VistaHoja* hoja = v.editor()->hoja();
        QCOMPARE(hoja->tamanoHoja(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        QImage imagen(800, 600, QImage::Format_RGB32);
        hoja->render(&imagen, QPoint(), QRegion(0, 0, 800, 600));
        const QPoint o = hoja->origenHoja();
        QCOMPARE(imagen.pixelColor(o.x() + 300, o.y() + 300), QColor(Qt::white));
        // The ruler over the sheet draws at once too.
        ReglaHoja* regla = v.editor()->reglaHorizontal();
        QImage tira(regla->size(), QImage::Format_RGB32);
        regla->render(&tira);
        QCOMPARE(tira.pixelColor(tira.width() - 5, 2), QColor(0xF4, 0xF1, 0xE4));
    }

    // Zoomed in and scrolled to the sheet's far corner, the rulers stay at
    // the window's top and left edges, and each centimetre tick stands
    // where that centimetre of the sheet is on screen.
    void reglasSiguenAlDesplazar() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        v.resize(700, 500);
        v.show();
        v.accion("BtnNuevo")->trigger();
        CambiarHoja(p.documento(), [](Trabajo& t) { t.Zoom = 2; });
        FrmDrag* area = v.editor();
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        ReglaHoja* rx = area->reglaHorizontal();
        ReglaHoja* ry = area->reglaVertical();
        const QPoint arribaX = rx->mapTo(&v, QPoint());
        const QPoint arribaY = ry->mapTo(&v, QPoint());
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        QVERIFY(rx->isVisible() && ry->isVisible());
        QCOMPARE(rx->mapTo(&v, QPoint()), arribaX);
        QCOMPARE(ry->mapTo(&v, QPoint()), arribaY);
        VistaHoja* hoja = area->hoja();
        QImage x(rx->size(), QImage::Format_RGB32), y(ry->size(), QImage::Format_RGB32);
        rx->render(&x);
        ry->render(&y);
        const double cm = kTwipsPorCm * 2.0; // screen twips of a centimetre at 200 %
        int vistasX = 0, vistasY = 0;
        for (int n = 1; n * cm < p.documento().Trabajo().HAlto * 2; ++n) {
            const QPoint enPantalla =
                hoja->mapToGlobal(hoja->origenHoja() + QPoint(qRound(hoja->pixeles(n * cm)),
                                                              qRound(hoja->pixeles(n * cm))));
            const QPoint px = rx->mapFromGlobal(enPantalla), py = ry->mapFromGlobal(enPantalla);
            if (px.x() > rx->height() && px.x() < rx->width() - 1) {
                ++vistasX;
                QCOMPARE(x.pixelColor(px.x(), rx->height() - 3), QColor(Qt::black));
            }
            if (py.y() > 0 && py.y() < ry->height() - 1) {
                ++vistasY;
                QCOMPARE(y.pixelColor(ry->width() - 3, py.y()), QColor(Qt::black));
            }
        }
        QVERIFY(vistasX > 2 && vistasY > 2);
        // The ruler goes with its tool, and the sheet takes its place.
        v.accion("BtnRegla")->trigger();
        QVERIFY(!rx->isVisible() && !ry->isVisible());
        QCOMPARE(area->viewport()->mapTo(&v, QPoint()).y(), arribaX.y());
    }

    // One box of 1,638 points at 1000 %: no picture is kept for it, and the
    // part in view is drawn all the same.
    void cuadroEnormeSinImagen() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        b.dialogos.rutas = {CopiaFixture("cuadro_enorme.zul")};
        v.accion("BtnAbrir")->trigger();
        QCOMPARE(p.documento().Trabajo().Zoom, 10.0f);
        VistaHoja* hoja = v.editor()->hoja();
        QVERIFY(hoja->pixeles(p.editor.elementos().elementos()[0].rect.width()) > 20000);
        // The sheet shows the box's corner: the blank before the number and
        // the left stroke of the first "0" (the em is 21,840 pixels at 96
        // dpi), black on the box's white.
        const int em = qRound(hoja->pixeles(1638 * 20 * 10));
        const QPoint o = hoja->origenHoja();
        const int desde = em / 4;
        const QRect tira(o.x() + desde, o.y() + em * 45 / 100, hoja->tamanoHoja().width() - desde,
                         1);
        QImage imagen(tira.size(), QImage::Format_RGB32);
        imagen.fill(Qt::red);
        hoja->render(&imagen, QPoint(), QRegion(tira));
        QCOMPARE(hoja->pixelesGuardados(), 0);
        int negros = 0, blancos = 0;
        for (int x = 0; x < imagen.width(); ++x) {
            const QColor c = imagen.pixelColor(x, 0);
            negros += c == Qt::black;
            blancos += c == Qt::white;
        }
        QVERIFY(negros > em / 50);
        QVERIFY(blancos > em / 50);
    }

    // Forty boxes of some two million pixels each, one on the other, each its
    // own number: the kept pictures stay within their budget and every box is
    // still drawn.
    void imagenesDentroDelPresupuesto() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        v.accion("BtnNuevo")->trigger();
        AjustesMemoria vacios;
        Documento& d = p.documento();
        d.fijarZoom(2);
        for (int i = 0; i < 40; ++i) {
            const int j = d.agregarCuadro(Preferencias(vacios).defectosCuadro(), {});
            d.cambiarCuadro(j, [i](Cuadro& c) {
                c.FontSize = 300;
                c.Inicio = 88800 + i;
                c.ColorFondo = 0xFFFFFF;
            });
        }
        p.editor.RedibujarHoja();
        VistaHoja* hoja = v.editor()->hoja();
        const QSizeF caja = p.editor.elementos().elementos()[0].rect.size();
        const double area = hoja->pixeles(caja.width()) * hoja->pixeles(caja.height());
        QVERIFY(area > 1e6 && area < VistaHoja::kMaxPixelesImagen);
        const QSize zona =
            (QSizeF(hoja->pixeles(caja.width()), hoja->pixeles(caja.height())) + QSizeF(100, 100))
                .toSize();
        QImage imagen(zona, QImage::Format_RGB32);
        // The first paint draws each new look directly; the second keeps pictures.
        hoja->render(&imagen, QPoint(), QRegion(QRect(QPoint(), zona)));
        hoja->render(&imagen, QPoint(), QRegion(QRect(QPoint(), zona)));
        QVERIFY(hoja->pixelesGuardados() > 0);
        QVERIFY(hoja->pixelesGuardados() <= VistaHoja::kMaxPixelesImagenes);
    }

    void propiedadesConElTeclado() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        AjustesMemoria vacios;
        p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), {});
        PropiedadesCuadro prop(p.documento(), p.preferencias(), p.principal.mensajes());
        QVERIFY(prop.Abrir(0));
        FrmProp d(prop);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.campo(1)->setFocus();
        d.campo(1)->selectAll();
        QTest::keyClicks(d.campo(1), "2x0");
        QCOMPARE(d.campo(1)->text(), QStringLiteral("20"));
        QCOMPARE(d.campo(7)->text(), QStringLiteral("20"));
        QTest::keyClick(d.campo(1), Qt::Key_Return);
        QVERIFY(d.campo(2)->hasFocus());
        // Letters go into the texts, not into the positions.
        d.campo(3)->setFocus();
        QTest::keyClicks(d.campo(3), "Nº");
        d.posicionX()->setFocus();
        d.posicionX()->selectAll();
        QTest::keyClicks(d.posicionX(), "3a,5");
        QCOMPARE(d.posicionX()->text(), QStringLiteral("3,5"));
        QTest::keyClick(d.posicionX(), Qt::Key_Return);
        QVERIFY(d.posicionY()->hasFocus());
        QCOMPARE(d.posicionX()->text(), QStringLiteral("3,50"));
        QTest::keyClick(d.posicionY(), Qt::Key_Return); // acts as OK
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const Cuadro& c = p.documento().Cuadros()[0];
        QCOMPARE(c.Fin, 20.0);
        QCOMPARE(c.TextoIzq, QStringLiteral(" Nº"));
        QCOMPARE(c.PosX, 1984); // 3.50 cm, halves to even
    }

    // Looking at every tab of Opciones, the digits list opened and closed,
    // then Aceptar: nothing is written, the program's printer stays.
    void opcionesMirarNoCambiaNada() {
        Banco b;
        b.impresoras.lista = {"Laser", "Chorro"};
        b.impresoras.defecto = "Chorro";
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        const QHash<QString, QString> antes = b.ajustes.valores();
        const QString impresora = p.principal.panel(3);
        Opciones opciones(p.documento(), p.preferencias(), p.principal.impresoras(),
                          p.principal.mensajes());
        FrmOpciones d(opciones);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        const auto pulsar = [](QTabWidget* t, int i) {
            QTest::mouseClick(t->tabBar(), Qt::LeftButton, {}, t->tabBar()->tabRect(i).center());
            QCOMPARE(t->currentIndex(), i);
        };
        for (int t = 0; t < d.pestanas()->count(); ++t) {
            pulsar(d.pestanas(), t);
            auto* sub = qobject_cast<QTabWidget*>(d.pestanas()->widget(t));
            for (int s = 0; sub && s < sub->count(); ++s) {
                pulsar(sub, s);
                // The focus walks through the page's fields.
                for (int k = 0; k < 4; ++k)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        }
        // Numeradores > Cifras: the list opened and closed, then the printer tab.
        pulsar(d.pestanas(), 1);
        auto* sub = qobject_cast<QTabWidget*>(d.pestanas()->widget(1));
        pulsar(sub, 2);
        auto* cifras = d.findChild<QComboBox*>("CboCifras");
        cifras->setFocus();
        cifras->showPopup();
        cifras->hidePopup();
        pulsar(d.pestanas(), 2);
        QVERIFY(!d.botonAplicar()->isEnabled());
        for (QPushButton* boton : d.findChildren<QPushButton*>())
            if (boton->text() == u"&Aceptar")
                boton->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(b.mensajes.mostrados.isEmpty());
        QCOMPARE(b.ajustes.valores(), antes);
        QCOMPARE(p.principal.panel(3), impresora);

        // A click on a printer is the operator's choice.
        Opciones otras(p.documento(), p.preferencias(), p.principal.impresoras(),
                       p.principal.mensajes());
        FrmOpciones e(otras);
        e.show();
        e.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        pulsar(e.pestanas(), 2);
        auto* lista = e.findChild<QListWidget*>("List1");
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualItemRect(lista->item(1)).center());
        QVERIFY(e.findChild<QRadioButton*>("OpPrintDefault")->isChecked());
        for (QPushButton* boton : e.findChildren<QPushButton*>())
            if (boton->text() == u"&Aceptar")
                boton->click();
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "Printer", {}), QStringLiteral("Chorro"));
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "PrinterDefault", {}),
                 QStringLiteral("Verdadero"));
        QCOMPARE(p.principal.panel(3), QStringLiteral("Chorro"));
    }

    // The sheet for new jobs leaves the open job's sheet alone.
    void opcionesHojaNuevaNoTocaElTrabajo() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        b.dialogos.rutas = {CopiaFixture("huecos.zul")};
        v.accion("BtnAbrir")->trigger();
        p.documento().olvidarHistoria();
        const ::Trabajo hoja = p.documento().Trabajo();
        QCOMPARE(hoja.HName, QStringLiteral("A4"));
        const QString panel = v.panel(2)->text();
        {
            Opciones opciones(p.documento(), p.preferencias(), p.principal.impresoras(),
                              p.principal.mensajes());
            FrmOpciones d(opciones, &v);
            d.show();
            d.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&d));
            auto* lista = d.findChild<QComboBox*>("CboSize");
            lista->setFocus();
            for (int k = 0; k < 8 && !lista->currentText().startsWith("Oficio"); ++k)
                QTest::keyClick(lista, Qt::Key_Down);
            QVERIFY(lista->currentText().startsWith("Oficio"));
            for (QPushButton* boton : d.findChildren<QPushButton*>())
                if (boton->text() == u"&Aceptar")
                    boton->click();
        }
        QCOMPARE(b.mensajes.titulos(), QStringList{"Cambio de opciones"});
        QCOMPARE(b.ajustes.texto(Aplicacion::Titulo, "HName", {}), QStringLiteral("Oficio"));
        const ::Trabajo& ahora = p.documento().Trabajo();
        QCOMPARE(ahora.HName, hoja.HName);
        QCOMPARE(ahora.HAncho, hoja.HAncho);
        QCOMPARE(ahora.HAlto, hoja.HAlto);
        QVERIFY(!p.documento().Modificado());
        QCOMPARE(v.panel(2)->text(), panel);
        // Saved as another file, the job keeps its A4.
        const QString copia = m_dir.filePath("copia_a4.zul");
        b.dialogos.rutas = {copia};
        v.accion("BtnGuardComo")->trigger();
        PoliticaFallas politica(b.mensajes, {});
        const LecturaTrabajo l = LeerArchivoTrabajo(copia, {}, {}, politica);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QCOMPARE(l.hoja.HName, QStringLiteral("A4"));
        // A new job takes the new sheet.
        b.mensajes.respuestas = {Respuesta::No};
        v.accion("BtnNuevo")->trigger();
        QCOMPARE(p.documento().Trabajo().HName, QStringLiteral("Oficio"));
    }

    // Copies another program (or a hand) put on the system clipboard: a box
    // at the largest position a file holds lands on the sheet's edge, never
    // past it by overflow; a text the job file could not hold is not pasted.
    void pegarDelPortapapelesDelSistema_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("vivos");
        QTest::addColumn<QPoint>("posicion"); // of the pasted box
        QTest::addColumn<QString>("mensaje"); // the message's start; empty: none
        QTest::newRow("en el límite") << Copia([](Cuadro& c) { c.PosX = c.PosY = 2147483647; }) << 1
                                      << QPoint(12242, 15842) << QString();
        QTest::newRow("en el límite negativo")
            << Copia([](Cuadro& c) { c.PosX = c.PosY = -2147483647 - 1; }) << 1 << QPoint(0, 0)
            << QString();
        QTest::newRow("en la hoja") << Copia([](Cuadro& c) { c.PosX = 1000, c.PosY = 15800; }) << 1
                                    << QPoint(1100, 15842) << QString();
        QTest::newRow("texto de 70.000 caracteres")
            << Copia([](Cuadro& c) { c.TextoIzq = QString(70000, u'x'); }) << 0 << QPoint()
            << "Un cuadro copiado tiene un texto de más de 65.536 caracteres";
    }
    void pegarDelPortapapelesDelSistema() {
        QFETCH(QString, texto);
        QFETCH(int, vivos);
        QFETCH(QPoint, posicion);
        QFETCH(QString, mensaje);
        Banco b;
        PortapapelesQt sistema;
        Servicios s{b.ajustes, b.mensajes, b.dialogos, sistema, b.impresoras, b.dialogosImpresion};
        Programa p(s);
        p.despachador.ejecutar("BtnNuevo");
        QGuiApplication::clipboard()->setText(texto);
        p.despachador.ejecutar("BtnNuevo"); // the tools follow the clipboard
        QVERIFY(p.barra().habilitada("BtnPegar"));
        p.despachador.ejecutar("BtnPegar");
        QCOMPARE(p.documento().cuadrosVivos(), vivos);
        if (vivos > 0) {
            const Cuadro& c = p.documento().Cuadros()[p.documento().CuadroActual()];
            QCOMPARE(QPoint(c.PosX, c.PosY), posicion);
        }
        QCOMPARE(b.mensajes.mostrados.isEmpty(), mensaje.isEmpty());
        if (!mensaje.isEmpty()) {
            QVERIFY2(b.mensajes.mostrados[0].texto.startsWith(mensaje),
                     qPrintable(b.mensajes.mostrados[0].texto));
            QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Pegar"));
        }
    }

    void ayudaEnCadaTema_data() {
        QTest::addColumn<QString>("tema");
        QTest::addColumn<QString>("texto");
        QTest::newRow("inicio") << ""
                                << "Trabajar paso a paso";
        QTest::newRow("propiedades") << "funciones.htm#Propiedades"
                                     << "Propiedades del cuadro";
        QTest::newRow("hoja") << "opciones.htm#hoja"
                              << "Hoja";
        QTest::newRow("numeradores") << "opciones.htm#numeradores"
                                     << "Numeradores";
        QTest::newRow("impresora") << "opciones.htm#impresora"
                                   << "Imprimir siempre";
        QTest::newRow("ajuste") << "opciones.htm#ajustesde"
                                << "Ajuste de la impresora";
    }
    void ayudaEnCadaTema() {
        QFETCH(QString, tema);
        VisorAyuda visor;
        visor.Mostrar(tema);
        QFETCH(QString, texto);
        QVERIFY2(visor.navegador()->toPlainText().contains(texto),
                 qPrintable(visor.navegador()->source().toString()));
    }

    void acercaDeMuestraElSistema() {
        const QString info = AcercaDe::InformacionSistema("/tmp/ajustes", {"Laser"});
        QVERIFY(info.contains("Qt "));
        QVERIFY(info.contains("Laser"));
        QVERIFY(info.contains("/tmp/ajustes"));
    }

    void abrirDesdeElMenuOlvidaElPunto() {
        Banco b;
        Programa& p = b.crear();
        PpalMdi v(p);
        p.editor.seleccion().puntoInsercion().marcado = true;
        QMenu* archivo = v.menuBar()->actions().first()->menu();
        emit archivo->aboutToShow();
        QVERIFY(!p.editor.seleccion().puntoInsercion().marcado);
        p.editor.seleccion().puntoInsercion().marcado = true;
        emit v.menuEmergente("MnuHoja")->aboutToShow();
        QVERIFY(p.editor.seleccion().puntoInsercion().marcado);
    }

    // --- recent jobs, drops and the window's place ---

    // The submenu lists the recent jobs by name with the path as tooltip, the
    // most recent first; an entry opens its job as Abrir would.
    void trabajosRecientesEnElMenu() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.zul"), b = dir.filePath("Pan & Cía.zul");
        QVERIFY(QFile::copy(Fixture("serie_coma.zul"), a));
        QVERIFY(QFile::copy(Fixture("huecos.zul"), b));
        Banco banco;
        Programa& p = banco.crear();
        PpalMdi v(p);
        const auto entradas = [&] {
            QStringList e;
            for (QAction* x : v.menuRecientes()->actions())
                e.append(x->text() + (x->isEnabled() ? "" : " (inhabilitada)"));
            return e;
        };
        QVERIFY(v.accion("MnuRecientes")->isEnabled());
        QCOMPARE(v.accion("MnuRecientes")->menu(), v.menuRecientes());
        QCOMPARE(entradas(), QStringList{"(vacío) (inhabilitada)"});
        banco.dialogos.rutas = {b};
        v.accion("BtnAbrir")->trigger();
        banco.dialogos.rutas = {a};
        banco.mensajes.respuestas = {Respuesta::No}; // the save prompt of b
        v.accion("BtnAbrir")->trigger();
        QCOMPARE(entradas(), (QStringList{"&1 a.zul", "&2 Pan && Cía.zul"}));
        QCOMPARE(v.menuRecientes()->actions().at(1)->toolTip(), QDir::toNativeSeparators(b));

        banco.mensajes.mostrados.clear();
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.Fin = 4; }); // to be asked about
        banco.mensajes.respuestas = {Respuesta::No};
        v.menuRecientes()->actions().at(1)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(banco.mensajes.titulos(), QStringList{"Guardar Trabajo"});
        QCOMPARE(p.documento().RutaTrabajo(), b);
        QCOMPARE(v.windowTitle(), QStringLiteral("ZUL Velquira [Pan & Cía.zul]"));
        QCOMPARE(entradas(), (QStringList{"&1 Pan && Cía.zul", "&2 a.zul"}));
    }

    // A job file dropped on the window opens after the save prompt; a drag
    // without one is refused from the start.
    void soltarUnTrabajo_data() {
        QTest::addColumn<QStringList>("archivos");
        QTest::addColumn<bool>("abre"); // the first ".zul"
        QTest::newRow("un trabajo") << QStringList{"b.zul"} << true;
        QTest::newRow("mayúsculas") << QStringList{"B.ZUL"} << true;
        QTest::newRow("el primer trabajo") << QStringList{"nota.txt", "b.zul", "c.zul"} << true;
        QTest::newRow("otro archivo") << QStringList{"nota.txt"} << false;
    }
    void soltarUnTrabajo() {
        QFETCH(QStringList, archivos);
        QFETCH(bool, abre);
        QTemporaryDir dir;
        const QString a = dir.filePath("a.zul");
        QVERIFY(QFile::copy(Fixture("serie_coma.zul"), a));
        QList<QUrl> urls;
        for (const QString& nombre : archivos) {
            QVERIFY(QFile::copy(Fixture("huecos.zul"), dir.filePath(nombre)));
            urls.append(QUrl::fromLocalFile(dir.filePath(nombre)));
        }
        Banco banco;
        Programa& p = banco.crear();
        PpalMdi v(p);
        banco.dialogos.rutas = {a};
        v.accion("BtnAbrir")->trigger();
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.Fin = 4; }); // to be asked about
        banco.mensajes.respuestas = {Respuesta::No};

        QMimeData datos;
        datos.setUrls(urls);
        const QPoint punto = v.rect().center();
        QDragEnterEvent entrar(punto, Qt::CopyAction, &datos, Qt::LeftButton, {});
        QApplication::sendEvent(&v, &entrar);
        QCOMPARE(entrar.isAccepted(), abre);
        QDropEvent soltar(punto, Qt::CopyAction, &datos, Qt::LeftButton, {});
        QApplication::sendEvent(&v, &soltar);
        QCoreApplication::processEvents();
        const QString abierto = abre ? dir.filePath(archivos.at(archivos.size() > 1 ? 1 : 0)) : a;
        QCOMPARE(p.documento().RutaTrabajo(), abierto);
        QCOMPARE(banco.mensajes.titulos(), abre ? QStringList{"Guardar Trabajo"} : QStringList());
    }

    // The window opens where it was left, on a screen there is now, never
    // larger than the screen's free area; maximized when it was.
    void ventanaDondeSeDejo_data() {
        const QRect libre = QGuiApplication::primaryScreen()->availableGeometry();
        const QMargins b = PpalMdi::kBorde;
        const QSize cabe = libre.size() - QSize(b.left() + b.right(), b.top() + b.bottom());
        // The first time on a screen smaller than the window's own size, it fills it.
        const bool pequena = libre.width() < 1280 || libre.height() < 800;
        QTest::addColumn<QStringList>("guardado"); // izq, sup, ancho, alto, maximizada
        QTest::addColumn<QRect>("lugar");          // none: anywhere, the whole window on the screen
        QTest::addColumn<QSize>("tamano");
        QTest::addColumn<bool>("maximizada");
        QTest::newRow("primera vez")
            << QStringList() << QRect() << QSize(1280, 800).boundedTo(cabe) << pequena;
        QTest::newRow("como se dejó") << QStringList{"10", "20", "500", "300", "Falso"}
                                      << QRect(10, 20, 500, 300) << QSize(500, 300) << false;
        QTest::newRow("maximizada") << QStringList{"10", "20", "500", "300", "Verdadero"}
                                    << QRect(10, 20, 500, 300) << QSize(500, 300) << true;
        QTest::newRow("más grande que la pantalla")
            << QStringList{"0", "0", "9000", "7000", "Falso"} << QRect(libre.topLeft(), cabe)
            << cabe << false;
        QTest::newRow("fuera de toda pantalla")
            << QStringList{"-9000", "-9000", "400", "300", "Falso"} << QRect() << QSize(400, 300)
            << false;
        QTest::newRow("valor dañado") << QStringList{"10", "20", "ancho", "300", "Falso"} << QRect()
                                      << QSize(1280, 800).boundedTo(cabe) << pequena;
    }
    void ventanaDondeSeDejo() {
        QFETCH(QStringList, guardado);
        QFETCH(QRect, lugar);
        Banco banco;
        const QStringList claves = {"VentanaIzq", "VentanaSup", "VentanaAncho", "VentanaAlto",
                                    "VentanaMaximizada"};
        for (int i = 0; i < guardado.size(); ++i)
            banco.ajustes.escribirTexto(Aplicacion::Titulo, claves[i], guardado[i]);
        PpalMdi v(banco.crear());
        const QRect ahora(v.pos(), v.normalGeometry().size());
        if (!lugar.isNull())
            QCOMPARE(ahora, lugar);
        const QMargins b = PpalMdi::kBorde;
        const QRect todo(ahora.topLeft(),
                         ahora.size() + QSize(b.left() + b.right(), b.top() + b.bottom()));
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(todo));
        QTEST(ahora.size(), "tamano");
        QTEST(v.windowState().testFlag(Qt::WindowMaximized), "maximizada");
    }

    // Closing the window stores its place (a maximized one, the place it
    // comes back to); the next run opens there.
    void ventanaGuardaSuLugar_data() {
        QTest::addColumn<bool>("maximizada");
        QTest::newRow("normal") << false;
        QTest::newRow("maximizada") << true;
    }
    void ventanaGuardaSuLugar() {
        QFETCH(bool, maximizada);
        Banco banco;
        const QRect lugar(30, 40, 520, 380);
        {
            PpalMdi v(banco.crear());
            v.move(lugar.topLeft());
            v.resize(lugar.size());
            v.show();
            QVERIFY(QTest::qWaitForWindowExposed(&v));
            if (maximizada)
                v.showMaximized();
            else {
                // The first run on a small screen opens maximized.
                v.showNormal();
                v.move(lugar.topLeft());
                v.resize(lugar.size());
            }
            // Closed while the program runs: closing ends its event loop.
            QTimer::singleShot(0, &v, [&v] {
                if (!v.close())
                    QCoreApplication::exit(1);
            });
            QCOMPARE(QCoreApplication::exec(), 0);
        }
        QCOMPARE(banco.ajustes.texto(Aplicacion::Titulo, "VentanaMaximizada", {}),
                 maximizada ? QStringLiteral("Verdadero") : QStringLiteral("Falso"));
        PpalMdi otra(banco.crear());
        QCOMPARE(QRect(otra.pos(), otra.size()), lugar);
        QCOMPARE(otra.windowState().testFlag(Qt::WindowMaximized), maximizada);
    }

    // No two captions a window shows at once share an access letter: the
    // letter would only move between them, and the operator must press it
    // again. The letters operators know stay as they are.
    void letrasDeAccesoUnicasEnLosDialogos_data() {
        QTest::addColumn<AbrirVentana>("abrir");
        QTest::addColumn<bool>("cola"); // needs the test printer
        QTest::newRow("propiedades") << AbrirVentana([](const Revisar& revisar) {
            Mesa m;
            m.conCuadros({{100, 100}});
            PropiedadesCuadro prop(m.documento, m.preferencias, m.mensajes);
            QVERIFY(prop.Abrir(0));
            FrmProp d(prop);
            revisar(&d);
        }) << false;
        QTest::newRow("propiedades de un grupo") << AbrirVentana([](const Revisar& revisar) {
            Mesa m;
            m.conCuadros({{100, 100}, {3000, 3000}});
            m.agrupar({0, 1});
            PropiedadesCuadro prop(m.documento, m.preferencias, m.mensajes);
            QVERIFY(prop.Abrir(0));
            FrmProp d(prop);
            revisar(&d);
        }) << false;
        QTest::newRow("repetir") << AbrirVentana([](const Revisar& revisar) {
            Mesa m;
            m.conCuadros({{100, 100}, {3000, 3000}});
            m.agrupar({0, 1});
            RepetirCuadros r(m.documento, m.editor.seleccion(), m.preferencias, m.mensajes);
            QVERIFY(r.Abrir());
            FrmRepetir d(r, m.documento);
            revisar(&d);
        }) << false;
        QTest::newRow("continuar numeración") << AbrirVentana([](const Revisar& revisar) {
            Mesa m;
            m.conCuadros({{100, 100}, {3000, 3000}});
            ContinuarNumeracion c(m.documento, m.preferencias, m.mensajes);
            QVERIFY(c.Abrir());
            FrmContinuar d(c);
            revisar(&d);
        }) << false;
        QTest::newRow("configuración de página") << AbrirVentana([](const Revisar& revisar) {
            Mesa m;
            ConfiguracionPagina conf(m.documento, m.preferencias, m.mensajes);
            FrmPapel d(conf);
            revisar(&d);
        }) << false;
        QTest::newRow("opciones") << AbrirVentana([](const Revisar& revisar) {
            Mesa m;
            Opciones op(m.documento, m.preferencias, m.impresoras, m.mensajes);
            FrmOpciones d(op);
            revisar(&d);
        }) << false;
        QTest::newRow("ajuste de impresora") << AbrirVentana([](const Revisar& revisar) {
            Banco b;
            b.impresoras.lista = {"Laser"};
            b.impresoras.defecto = "Laser";
            Programa& p = b.crear();
            AjusteImpresora ajuste(p.preferencias(), p.principal.politica, p.principal.mensajes(),
                                   p.principal.dialogosImpresion(), p.impresora, {});
            FrmSetup d(ajuste);
            revisar(&d);
            // "Continuar" shows the printer's values and "&Aplicar".
            b.mensajes.respuestas = {Respuesta::No};
            QTimer::singleShot(0, [] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* caja = qobject_cast<QMessageBox*>(w))
                        caja->buttons().last()->click();
            });
            d.botonSeguir()->click();
            QCOMPARE(d.botonSeguir()->text(), QStringLiteral("&Aplicar"));
            revisar(&d);
        }) << false;
        QTest::newRow("progreso") << AbrirVentana([](const Revisar& revisar) {
            FrmBar d;
            revisar(&d);
        }) << false;
        QTest::newRow("ayuda") << AbrirVentana([](const Revisar& revisar) {
            VisorAyuda d;
            revisar(&d);
        }) << false;
        QTest::newRow("acerca de") << AbrirVentana([](const Revisar& revisar) {
            AcercaDe d("/tmp", {});
            revisar(&d);
        }) << false;
        QTest::newRow("hojas del PDF") << AbrirVentana([](const Revisar& revisar) {
            AlMostrarse(revisar);
            RangoHojas r;
            DialogosImpresionQt().rangoExportacion(10, r);
        }) << false;
        for (const auto& [nombre, ver] : {
                 std::pair{"imprimir", false},
                 std::pair{"configurar impresora", true},
             }) {
            const bool configurar = ver;
            QTest::newRow(nombre) << AbrirVentana([configurar](const Revisar& revisar) {
                // As the program runs: Qt's own dialogs in Spanish.
                QTranslator qt;
                if (qt.load(QLocale(QLocale::Spanish), "qtbase", "_",
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                    QCoreApplication::installTranslator(&qt);
                ImpresoraQt imp(qEnvironmentVariable("VELQUIRA_COLA"));
                // With its options folded, then unfolded.
                AlMostrarse([revisar](QWidget* w) {
                    revisar(w);
                    for (QPushButton* b : w->findChildren<QPushButton*>())
                        if (b->text().endsWith(u">>"))
                            b->click();
                    revisar(w);
                });
                RangoHojas r;
                if (configurar)
                    DialogosImpresionQt().configurar(imp, 1);
                else
                    DialogosImpresionQt().imprimir(imp, 1, 250, r, false);
                QCoreApplication::removeTranslator(&qt);
            }) << true;
        }
        QTest::newRow("Sí, No, Cancelar") << Caja(Botones::SiNoCancelar) << false;
        QTest::newRow("Sí, No") << Caja(Botones::SiNo) << false;
        QTest::newRow("Aceptar, Cancelar") << Caja(Botones::AceptarCancelar) << false;
        QTest::newRow("Continuar, Cancelar") << Caja(Botones::ContinuarCancelar) << false;
        QTest::newRow("Reintentar, Cancelar") << Caja(Botones::ReintentarCancelar) << false;
        QTest::newRow("Anular, Reintentar, Omitir")
            << Caja(Botones::AnularReintentarOmitir) << false;
    }
    void letrasDeAccesoUnicasEnLosDialogos() {
        QFETCH(AbrirVentana, abrir);
        QFETCH(bool, cola);
        if (cola && qEnvironmentVariableIsEmpty("VELQUIRA_COLA"))
            QSKIP("sin impresora de prueba (./test.sh la crea)");
        int vistas = 0;
        abrir([&](QWidget* w) {
            ++vistas;
            QVERIFY2(!TitulosConLetra(w).isEmpty(), qPrintable(w->objectName()));
            const QStringList repetidas = LetrasRepetidas(w);
            QVERIFY2(repetidas.isEmpty(), qPrintable(repetidas.join(u'\n')));
        });
        QVERIFY(vistas > 0);
    }

    // The question with three answers reads as it always has.
    void preguntaSiNoCancelar() {
        QStringList textos;
        AlAbrirse([&](QWidget* w) {
            auto* caja = qobject_cast<QMessageBox*>(w);
            for (QAbstractButton* b : caja->buttons())
                textos.append(b->text());
            caja->buttons().last()->click();
        });
        MensajesQt().mostrar(QStringLiteral("¿Guardar?"), QStringLiteral("Prueba"), Icono::Pregunta,
                             Botones::SiNoCancelar);
        textos.sort();
        QCOMPARE(textos, (QStringList{"&Cancelar", "&No", "&Sí"}));
    }

    // In the dialogs the operator knows: OK, Cancel, and the page setup's
    // orientation keep their letters.
    void letrasConocidas() {
        Mesa m;
        ConfiguracionPagina conf(m.documento, m.preferencias, m.mensajes);
        FrmPapel d(conf);
        QStringList textos;
        for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
            textos.append(b->text());
        for (const char* t : {"&Aceptar", "&Cancelar", "&Vertical", "&Horizontal"})
            QVERIFY2(textos.contains(QString::fromUtf8(t)), t);
    }
};

QTEST_MAIN(PruebaVentana)
#include "test_ventana.moc"
