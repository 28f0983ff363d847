// Any sheet of the run on screen: the texts each box shows on the sheet the
// editor is at, blank boxes past their series, stepping through the run, the
// Hoja field, the status bar and the print preview's first sheet. The logic
// on a bare job and on the program without windows; the keys and the empty
// frame on the editor widget, offscreen.
#include "core/editor/ElementosHoja.h"
#include "core/trabajo/Colores.h"
#include "core/trabajo/Numeracion.h"
#include "fakes/Fakes.h"
#include "ui/FrmDrag.h"
#include "ui/PpalMdi.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Serie {
    double inicio = 1;
    double fin = 1;
    int salto = 1;
    int cifras = 0;
    QString izq;
    QString der;
};
} // namespace
Q_DECLARE_METATYPE(Serie)

namespace {

void Programar(Documento& d, int i, const Serie& s) {
    d.cambiarCuadro(i, [&](Cuadro& c) {
        c.Inicio = s.inicio;
        c.Fin = s.fin;
        c.Salto = static_cast<qint16>(s.salto);
        c.Cifras = static_cast<qint16>(s.cifras);
        c.TextoIzq = s.izq;
        c.TextoDer = s.der;
    });
}

// Boxes one below the other, each with its series, the job as if just opened.
void ConSeries(Mesa& m, const QList<Serie>& series) {
    QList<QPoint> lugares;
    for (int i = 0; i < series.size(); ++i)
        lugares.append({567, 567 + 700 * i});
    m.conCuadros(lugares);
    for (int i = 0; i < series.size(); ++i)
        Programar(m.documento, i, series[i]);
    m.documento.olvidarHistoria();
}

const Elemento& Mostrado(const Mesa& m, int i) {
    return m.editor.elementos().elementos()[i];
}

// The program with a new job holding these series.
Programa& ConTrabajo(Banco& b, const QList<Serie>& series) {
    Programa& p = b.crear();
    p.despachador.ejecutar("BtnNuevo");
    AjustesMemoria vacios;
    for (int i = 0; i < series.size(); ++i) {
        const int k = p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(),
                                                  {567, 567 + 700 * i});
        Programar(p.documento(), k, series[i]);
    }
    p.documento().olvidarHistoria();
    return p;
}
} // namespace

class PruebaHojas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    // Box 1 is shown at sheet `hoja` of a run of 100 sheets (box 0 counts
    // 1 to 100): the text it prints there, or nothing past its series' end.
    void textoDeLaHojaMostrada_data() {
        QTest::addColumn<Serie>("serie");
        QTest::addColumn<int>("hoja");
        QTest::addColumn<QString>("texto"); // empty: a blank box
        QTest::newRow("primera hoja") << Serie{1, 10} << 1 << "1";
        QTest::newRow("quinta hoja") << Serie{1, 10} << 5 << "5";
        QTest::newRow("última de la serie") << Serie{1, 10} << 10 << "10";
        QTest::newRow("pasada la serie") << Serie{1, 10} << 11 << "";
        QTest::newRow("al final de la tirada") << Serie{1, 10} << 100 << "";
        QTest::newRow("salto 2") << Serie{1, 99, 2} << 3 << "5";
        QTest::newRow("salto 2, fin no alcanzado") << Serie{1, 10, 2} << 5 << "9";
        QTest::newRow("salto 2, pasado el fin") << Serie{1, 10, 2} << 6 << "";
        QTest::newRow("cifras y textos") << Serie{7, 100, 1, 4, "Nº ", "-A"} << 4 << "Nº 0010-A";
        QTest::newRow("descendente") << Serie{50, 1} << 3 << "48";
        QTest::newRow("descendente, su último") << Serie{50, 1, 5} << 10 << "5";
        QTest::newRow("descendente, terminada") << Serie{50, 1, 5} << 11 << "";
        QTest::newRow("serie de un número") << Serie{5, 5} << 2 << "";
        QTest::newRow("negativos") << Serie{-3, 3} << 2 << "-2";
    }
    void textoDeLaHojaMostrada() {
        QFETCH(Serie, serie);
        QFETCH(int, hoja);
        QFETCH(QString, texto);
        Mesa m;
        ConSeries(m, {Serie{1, 100}, serie});
        QCOMPARE(m.editor.hojasTirada(), 100);
        QVERIFY(m.editor.MostrarHoja(hoja));
        QCOMPARE(m.editor.hojaMostrada(), hoja);
        QCOMPARE(Mostrado(m, 1).texto, texto);
        QCOMPARE(Mostrado(m, 1).vacio, texto.isEmpty());
        QVERIFY(Mostrado(m, 1).visible);
        // The other box shows its own number of that sheet.
        QCOMPARE(Mostrado(m, 0).texto, QString::number(hoja));
        // The same rule as the print run.
        QCOMPARE(Mostrado(m, 1).texto, TextoCuadroHoja(m.documento.Cuadros()[1], hoja - 1));
    }

    // A box past its series keeps the size of its first number's text, so
    // it is still found under the pointer, dragged and moved; a number that
    // grows a digit widens its box.
    void cuadroEnBlancoSeAgarra() {
        Mesa m;
        ConSeries(m, {Serie{1, 3, 1, 0, "Nº "}, Serie{9, 20}});
        const QRectF primera0 = m.rect(0), primera1 = m.rect(1);
        QVERIFY(m.editor.MostrarHoja(4));
        QVERIFY(Mostrado(m, 0).vacio);
        QCOMPARE(m.rect(0), primera0);
        QCOMPARE(Mostrado(m, 1).texto, QStringLiteral("12"));
        QVERIFY(m.rect(1).width() > primera1.width());
        QCOMPARE(m.rect(1).topLeft(), primera1.topLeft());

        QCOMPARE(m.editor.elementos().CuadroEn(m.rect(0).center()), 0);
        SeleccionHoja& s = m.editor.seleccion();
        const QPointF agarre(5, 5);
        s.PulsarCuadro(0, Boton::Izquierdo, false, agarre);
        QCOMPARE(s.arrastre(), Arrastre::Cuadro);
        s.Arrastrar(QPointF(3000, 4000) + agarre, EstadoArrastre::Sobre);
        s.Soltar(QPointF(3000, 4000) + agarre, DondeSuelta::Hoja);
        QCOMPARE(m.documento.Cuadros()[0].PosX, 3000);
        QCOMPARE(m.documento.Cuadros()[0].PosY, 4000);
        // Still blank where it landed, and still the sheet shown.
        QCOMPARE(m.editor.hojaMostrada(), 4);
        QVERIFY(Mostrado(m, 0).vacio);
        QCOMPARE(m.rect(0).size(), primera0.size());
    }

    // Re Pág / Av Pág / Inicio / Fin stay within the run; a sheet outside
    // it is refused and nothing changes.
    void pasosPorLaTirada() {
        Mesa m;
        ConSeries(m, {Serie{1, 3}, Serie{10, 1, 3}, Serie{1, 7}});
        QCOMPARE(m.editor.hojasTirada(), 7);
        QCOMPARE(m.editor.hojaMostrada(), 1);
        m.editor.PasarHoja(PasoHoja::Anterior);
        QCOMPARE(m.editor.hojaMostrada(), 1);
        m.editor.PasarHoja(PasoHoja::Siguiente);
        m.editor.PasarHoja(PasoHoja::Siguiente);
        QCOMPARE(m.editor.hojaMostrada(), 3);
        QCOMPARE(Mostrado(m, 1).texto, QStringLiteral("4"));
        m.editor.PasarHoja(PasoHoja::Siguiente);
        QVERIFY(Mostrado(m, 0).vacio);
        QCOMPARE(Mostrado(m, 1).texto, QStringLiteral("1"));
        m.editor.PasarHoja(PasoHoja::Ultima);
        QCOMPARE(m.editor.hojaMostrada(), 7);
        QVERIFY(Mostrado(m, 1).vacio);
        QCOMPARE(Mostrado(m, 2).texto, QStringLiteral("7"));
        m.editor.PasarHoja(PasoHoja::Siguiente);
        QCOMPARE(m.editor.hojaMostrada(), 7);
        QVERIFY(!m.editor.MostrarHoja(8));
        QVERIFY(!m.editor.MostrarHoja(0));
        QCOMPARE(m.editor.hojaMostrada(), 7);
        m.editor.PasarHoja(PasoHoja::Primera);
        QCOMPARE(m.editor.hojaMostrada(), 1);
        QCOMPARE(Mostrado(m, 0).texto, QStringLiteral("1"));
        QVERIFY(!Mostrado(m, 0).vacio);
    }

    // The sheet shown is the view's, not the job's: no step of the history,
    // not modified, and a zoom or an edit keeps it.
    void laHojaMostradaNoEsDelTrabajo() {
        Mesa m;
        ConSeries(m, {Serie{1, 50}, Serie{100, 200}});
        QSignalSpy modificado(&m.documento, &Documento::modificadoCambiado);
        m.editor.PasarHoja(PasoHoja::Ultima);
        m.editor.PasarHoja(PasoHoja::Anterior);
        QVERIFY(m.editor.MostrarHoja(20));
        QVERIFY(!m.documento.Modificado());
        QCOMPARE(m.documento.historia().count(), 0);
        QVERIFY(modificado.isEmpty());
        m.documento.fijarZoom(1.5f);
        QCOMPARE(m.editor.hojaMostrada(), 20);
        QCOMPARE(Mostrado(m, 1).texto, QStringLiteral("119"));
        Programar(m.documento, 0, Serie{1, 60, 1, 3});
        QCOMPARE(m.editor.hojaMostrada(), 20);
        QCOMPARE(Mostrado(m, 0).texto, QStringLiteral("020"));
    }

    // A run made shorter (Fin edited, the longest box deleted, a step
    // undone) leaves the sheet shown at the new last sheet, drawn anew.
    void laTiradaSeAcorta_data() {
        QTest::addColumn<int>("cambio"); // 0 Fin of box 0 to 30, 1 box 0 deleted, 2 undo
        QTest::addColumn<int>("hojas");  // the run's length afterwards
        QTest::newRow("fin más bajo") << 0 << 30;
        QTest::newRow("cuadro borrado") << 1 << 10;
        QTest::newRow("deshacer un fin más alto") << 2 << 100;
    }
    void laTiradaSeAcorta() {
        QFETCH(int, cambio);
        QFETCH(int, hojas);
        Mesa m;
        ConSeries(m, {Serie{1, 100}, Serie{1, 10}});
        if (cambio == 2) {
            Programar(m.documento, 0, Serie{1, 500});
            QVERIFY(m.editor.MostrarHoja(400));
        } else {
            QVERIFY(m.editor.MostrarHoja(80));
        }
        QSignalSpy avisos(&m.editor, &EditorHoja::hojaMostradaCambiada);
        if (cambio == 0)
            Programar(m.documento, 0, Serie{1, 30});
        else if (cambio == 1)
            m.comandos.BorrarCuadros(0);
        else
            m.documento.deshacer();
        QCOMPARE(m.editor.hojasTirada(), hojas);
        QCOMPARE(m.editor.hojaMostrada(), hojas);
        QVERIFY(!avisos.isEmpty());
        // Box 1 counts 1 to 10: blank past its tenth sheet.
        QCOMPARE(Mostrado(m, 1).texto, hojas == 10 ? QStringLiteral("10") : QString());
        if (cambio != 1)
            QCOMPARE(Mostrado(m, 0).texto, QString::number(hojas));
    }

    // A run that grows keeps the sheet shown; a job with no number to print
    // is a run of one sheet.
    void laTiradaCrece() {
        Mesa m;
        ConSeries(m, {Serie{1, 10}});
        QVERIFY(m.editor.MostrarHoja(6));
        Programar(m.documento, 0, Serie{1, 40});
        QCOMPARE(m.editor.hojasTirada(), 40);
        QCOMPARE(m.editor.hojaMostrada(), 6);
        Mesa vacia;
        QCOMPARE(vacia.editor.hojasTirada(), 1);
        QCOMPARE(vacia.editor.hojaMostrada(), 1);
        QVERIFY(!vacia.editor.MostrarHoja(2));
    }

    // A step of 0 cannot be numbered: the print run refuses it; the editor
    // neither throws nor shows more than the first sheet.
    void serieQueNoSeNumera() {
        Mesa m;
        ConSeries(m, {Serie{1, 10}});
        QVERIFY(m.editor.MostrarHoja(5));
        Programar(m.documento, 0, Serie{1, 10, 0});
        QCOMPARE(m.editor.hojasTirada(), 1);
        QCOMPARE(m.editor.hojaMostrada(), 1);
        QVERIFY(Mostrado(m, 0).visible);
    }

    // What is typed in the Hoja field and Enter: a whole number of the run
    // is shown; anything else is refused with its message, the field put
    // back to the sheet shown.
    void campoHoja_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("hoja"); // the sheet shown afterwards (it was 4)
        QTest::addColumn<bool>("aviso");
        QTest::newRow("dentro") << "12" << 12 << false;
        QTest::newRow("con espacios") << " 25 " << 25 << false;
        QTest::newRow("la última") << "250" << 250 << false;
        QTest::newRow("la misma") << "4" << 4 << false;
        QTest::newRow("cero") << "0" << 4 << true;
        QTest::newRow("pasada la tirada") << "251" << 4 << true;
        QTest::newRow("negativa") << "-3" << 4 << true;
        QTest::newRow("decimal") << "2,5" << 4 << true;
        QTest::newRow("con punto de miles") << "1.000" << 4 << true;
        QTest::newRow("letras") << "diez" << 4 << true;
        QTest::newRow("vacío") << "" << 4 << true;
        QTest::newRow("enorme") << "99999999999999999999" << 4 << true;
    }
    void campoHoja() {
        QFETCH(QString, texto);
        QFETCH(int, hoja);
        QFETCH(bool, aviso);
        Banco b;
        Programa& p = ConTrabajo(b, {Serie{1, 250}});
        QVERIFY(p.barra().utilizable("TxtHoja"));
        QVERIFY(p.editor.MostrarHoja(4));
        QCOMPARE(p.barra().textoHoja(), QStringLiteral("4"));
        b.mensajes.mostrados.clear();
        p.barra().introducirHoja(texto);
        QCOMPARE(p.editor.hojaMostrada(), hoja);
        QCOMPARE(p.barra().textoHoja(), QString::number(hoja));
        QCOMPARE(p.barra().totalHojas(), QStringLiteral("de 250"));
        QCOMPARE(b.mensajes.mostrados.size(), aviso ? 1 : 0);
        if (aviso) {
            QCOMPARE(b.mensajes.mostrados[0].texto,
                     QStringLiteral("El valor ingresado debe ser un número entero, mayor o igual "
                                    "que 1\ry menor o igual que 250"));
            QCOMPARE(b.mensajes.mostrados[0].icono, Icono::Exclamacion);
        }
        QVERIFY(!p.documento().Modificado());
    }

    // The field, its "de R" and status panel 4 follow the sheet shown and
    // the run; without a job they are empty and the field is disabled. A
    // job opened or made starts at sheet 1.
    void barraYPanel() {
        Banco b;
        Programa& p = b.crear();
        QVERIFY(!p.barra().habilitada("TxtHoja"));
        QCOMPARE(p.barra().textoHoja(), QString());
        QCOMPARE(p.principal.panel(4), QString());
        p.despachador.ejecutar("BtnNuevo");
        QVERIFY(p.barra().utilizable("TxtHoja"));
        QCOMPARE(p.principal.panel(4), QStringLiteral("Hoja 1 de 1"));
        AjustesMemoria vacios;
        const int i = p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), {});
        Programar(p.documento(), i, Serie{1, 30});
        QCOMPARE(p.principal.panel(4), QStringLiteral("Hoja 1 de 30"));
        p.editor.PasarHoja(PasoHoja::Ultima);
        QCOMPARE(p.principal.panel(4), QStringLiteral("Hoja 30 de 30"));
        QCOMPARE(p.barra().textoHoja(), QStringLiteral("30"));
        QCOMPARE(p.barra().totalHojas(), QStringLiteral("de 30"));
        Programar(p.documento(), i, Serie{1, 12});
        QCOMPARE(p.principal.panel(4), QStringLiteral("Hoja 12 de 12"));

        // Saved and opened again: sheet 1, and the file holds no trace of the view.
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("hojas.zul"));
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnGuardComo");
        QVERIFY(QFileInfo::exists(ruta));
        p.editor.PasarHoja(PasoHoja::Anterior);
        QCOMPARE(p.editor.hojaMostrada(), 11);
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(p.documento().abierto());
        QCOMPARE(p.editor.hojaMostrada(), 1);
        QCOMPARE(p.principal.panel(4), QStringLiteral("Hoja 1 de 12"));
        QCOMPARE(p.editor.elementos().elementos()[i].texto.trimmed(), QStringLiteral("1"));

        p.editor.PasarHoja(PasoHoja::Ultima);
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(!p.documento().abierto());
        QVERIFY(!p.barra().habilitada("TxtHoja"));
        QCOMPARE(p.barra().textoHoja(), QString());
        QCOMPARE(p.barra().totalHojas(), QString());
        QCOMPARE(p.principal.panel(4), QString());
        p.despachador.ejecutar("BtnNuevo");
        QCOMPARE(p.editor.hojaMostrada(), 1);
        QCOMPARE(p.principal.panel(4), QStringLiteral("Hoja 1 de 1"));
    }

    // The print preview offers the sheets from the one shown, as many as one
    // preview holds.
    void vistaPreliminarDesdeLaHojaMostrada_data() {
        QTest::addColumn<int>("hoja");
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("hasta");
        QTest::newRow("primera") << 1 << 1 << kHojasVistaPreliminar;
        QTest::newRow("en medio") << 700 << 700 << 700 + kHojasVistaPreliminar - 1;
        QTest::newRow("cerca del final") << 1800 << 1800 << 2000;
        QTest::newRow("la última") << 2000 << 2000 << 2000;
    }
    void vistaPreliminarDesdeLaHojaMostrada() {
        QFETCH(int, hoja);
        Banco b;
        b.impresoras.lista = {"Laser"};
        b.impresoras.defecto = "Laser";
        Programa& p = ConTrabajo(b, {Serie{1, 2000}});
        QVERIFY(p.editor.MostrarHoja(hoja));
        b.dialogosImpresion.aceptarRangoVista = false;
        p.despachador.ejecutar("BtnVistaPreliminar");
        QCOMPARE(b.dialogosImpresion.hojasVista, 2000);
        QTEST(b.dialogosImpresion.rangoPropuesto.desde, "desde");
        QTEST(b.dialogosImpresion.rangoPropuesto.hasta, "hasta");
        QVERIFY(b.mensajes.mostrados.isEmpty());
    }

    // On the editor widget: the sheet has the keys from the start; Av Pág,
    // Re Pág, Inicio and Fin step through the run there, and typing them in
    // the toolbar's fields leaves the sheet alone.
    void teclasEnLaHoja() {
        Banco b;
        Programa& p = ConTrabajo(b, {Serie{1, 5}, Serie{1, 9}});
        PpalMdi v(p);
        v.show();
        v.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&v));
        QWidget* hoja = v.editor()->hoja();
        QTRY_VERIFY(hoja->hasFocus());
        QTest::keyClick(hoja, Qt::Key_PageDown);
        QTest::keyClick(hoja, Qt::Key_PageDown);
        QCOMPARE(p.editor.hojaMostrada(), 3);
        QCOMPARE(v.panel(4)->text(), QStringLiteral("Hoja 3 de 9"));
        QCOMPARE(v.hoja()->text(), QStringLiteral("3"));
        QCOMPARE(v.totalHojas()->text(), QStringLiteral("de 9"));
        QTest::keyClick(hoja, Qt::Key_End);
        QCOMPARE(p.editor.hojaMostrada(), 9);
        QTest::keyClick(hoja, Qt::Key_PageUp);
        QCOMPARE(p.editor.hojaMostrada(), 8);
        QTest::keyClick(hoja, Qt::Key_Home);
        QCOMPARE(p.editor.hojaMostrada(), 1);
        // With a modifier the keys are not the sheet's.
        QTest::keyClick(hoja, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(p.editor.hojaMostrada(), 1);

        // In the Hoja field the keys edit the text; Enter shows the sheet.
        v.hoja()->setFocus();
        QTest::keyClick(v.hoja(), Qt::Key_End);
        QTest::keyClick(v.hoja(), Qt::Key_PageDown);
        QCOMPARE(p.editor.hojaMostrada(), 1);
        v.hoja()->selectAll();
        QTest::keyClicks(v.hoja(), "7");
        QCOMPARE(p.editor.hojaMostrada(), 1);
        QTest::keyClick(v.hoja(), Qt::Key_Return);
        QCOMPARE(p.editor.hojaMostrada(), 7);
        QCOMPARE(v.panel(4)->text(), QStringLiteral("Hoja 7 de 9"));
        // Nor does the zoom field pass them on.
        v.zoom()->setFocus();
        QTest::keyClick(v.zoom()->lineEdit(), Qt::Key_Home);
        QTest::keyClick(v.zoom()->lineEdit(), Qt::Key_End);
        QCOMPARE(p.editor.hojaMostrada(), 7);
        QVERIFY(!p.documento().Modificado());

        // Typed but left without Enter: the field shows the sheet shown again.
        v.hoja()->setFocus();
        v.hoja()->selectAll();
        QTest::keyClicks(v.hoja(), "2");
        hoja->setFocus();
        QTRY_COMPARE(v.hoja()->text(), QStringLiteral("7"));
        QCOMPARE(p.editor.hojaMostrada(), 7);
    }

    // A blank box is drawn as an empty frame: its inside is the sheet's
    // white, where on its first sheet its background colour fills it.
    void marcoVacioEnPantalla() {
        Banco b;
        Programa& p = ConTrabajo(b, {Serie{1, 2, 1, 6, "Nº "}, Serie{1, 5}});
        p.documento().fijarZoom(2);
        PpalMdi v(p);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        VistaHoja* hoja = v.editor()->hoja();
        const auto centro = [&] {
            const QRectF r = p.editor.elementos().elementos()[0].rect;
            const QPointF c = r.center();
            return QPoint(hoja->origenHoja().x() + qRound(hoja->pixeles(c.x())),
                          hoja->origenHoja().y() + qRound(hoja->pixeles(c.y())));
        };
        const QColor fondo = ColorDeBgr(p.documento().Cuadros()[0].ColorFondo);
        QVERIFY(fondo != QColor(Qt::white));
        QVERIFY(hoja->pixeles(p.editor.elementos().elementos()[0].rect.height()) > 10);
        const auto pixel = [&] { return hoja->grab().toImage().pixelColor(centro()); };
        // Somewhere on the box, its colour shows (not every pixel is text).
        const QRectF r0 = p.editor.elementos().elementos()[0].rect;
        const QRect caja(
            hoja->origenHoja() +
                QPoint(qRound(hoja->pixeles(r0.left())), qRound(hoja->pixeles(r0.top()))),
            QSize(qRound(hoja->pixeles(r0.width())), qRound(hoja->pixeles(r0.height()))));
        const auto colores = [&] {
            const QImage img = hoja->grab().toImage();
            QSet<QRgb> vistos;
            for (int y = caja.top() + 2; y < caja.bottom() - 1; ++y)
                for (int x = caja.left() + 2; x < caja.right() - 1; ++x)
                    vistos.insert(img.pixel(x, y));
            return vistos;
        };
        QVERIFY2(colores().contains(fondo.rgb()), qPrintable(QString::number(fondo.rgb(), 16)));
        p.editor.MostrarHoja(3);
        QVERIFY(p.editor.elementos().elementos()[0].vacio);
        QCOMPARE(colores(), QSet<QRgb>{QColor(Qt::white).rgb()});
        QCOMPARE(pixel(), QColor(Qt::white));
    }
};

QTEST_MAIN(PruebaHojas)
#include "test_hojas.moc"
