// The sheet editor's geometry and view switches, without widgets.
#include "core/editor/ElementosHoja.h"
#include "core/editor/GeometriaHoja.h"
#include "core/trabajo/Colores.h"
#include "core/trabajo/Valores.h"
#include "fakes/Fakes.h"

#include <QtTest>

class PruebaEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void zoom_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("intro");
        QTest::addColumn<float>("zoom"); // -1: refused, the zoom stays
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("campo");
        QTest::newRow("lista 10") << "10" << false << 0.1f << ""
                                  << "10";
        QTest::newRow("lista cero")
            << "0" << false << -1.0f << "El valor ingresado debe ser un número, mayor que cero"
            << "";
        QTest::newRow("lista negativa")
            << "-20" << false << -1.0f << "El valor ingresado debe ser un número, mayor que cero"
            << "";
        QTest::newRow("intro 3") << "3" << true << 0.5f
                                 << "El valor ingresado debe ser un número, mayor o igual que 5\r"
                                    "y menor o igual que 1000"
                                 << "50";
        QTest::newRow("intro letras")
            << "abc" << true << 0.5f << "El valor ingresado debe ser un número"
            << "50";
        QTest::newRow("intro 1000") << "1000" << true << 10.0f << ""
                                    << "1000";
        QTest::newRow("intro decimal") << "62,5" << true << 0.625f << ""
                                       << "62,5";
    }
    void zoom() {
        QFETCH(QString, texto);
        QFETCH(bool, intro);
        QFETCH(float, zoom);
        const EntradaZoom e = CambiarZoom(texto, intro ? OrigenZoom::Intro : OrigenZoom::Lista);
        if (zoom < 0)
            QVERIFY(!e.zoom);
        else
            QCOMPARE(*e.zoom, zoom);
        QTEST(e.mensaje, "mensaje");
        if (e.zoom)
            QTEST(e.textoCampo, "campo");
    }

    void reglas() {
        // At 50 % a millimetre is 28.35 twips; no millimetre ticks.
        const QList<Marca> m50 = MarcasRegla(0, 284, 0.5f);
        QCOMPARE(m50.size(), 3);        // 0, half a cm, 1 cm
        QCOMPARE(m50[1].posicion, 142); // 141.75
        QCOMPARE(m50[2].posicion, 284); // 283.5
        QCOMPARE(m50[2].numero, QStringLiteral("1"));
        QCOMPARE(m50[0].desde, 467 - 283.5);
        QCOMPARE(m50[1].desde, 467.0 - 189);
        QCOMPARE(MarcasRegla(0, 570, 1.0f).size(), 3); // 57 twips a millimetre: 570 a cm
        // From 105 % every millimetre has its tick.
        const QList<Marca> m105 = MarcasRegla(0, 600, 1.05f);
        QCOMPARE(m105.size(), 11);
        QCOMPARE(m105[1].desde, 467 - 141.75);
    }

    // The help tells what an arrow key moves a box on the sheet at the zoom
    // shown: screen twips, so a millimetre with Ctrl only at 100 %.
    void distanciaDeLasFlechas_data() {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QString>("dice");
        QTest::newRow("100 %") << 1.0f
                               << "(100 %), cada pulsación mueve 0,04 mm de la hoja, y "
                                  "1,00 mm con Ctrl.";
        QTest::newRow("50 %") << 0.5f
                              << "(50 %), cada pulsación mueve 0,07 mm de la hoja, y "
                                 "2,00 mm con Ctrl.";
        QTest::newRow("200 %") << 2.0f
                               << "(200 %), cada pulsación mueve 0,02 mm de la hoja, y "
                                  "0,50 mm con Ctrl.";
    }
    void distanciaDeLasFlechas() {
        QFETCH(float, zoom);
        QFETCH(QString, dice);
        const QLocale idioma(QLocale::Spanish, QLocale::Spain);
        QVERIFY2(TextoFlechas(zoom, idioma).endsWith(dice), qPrintable(TextoFlechas(zoom, idioma)));
        // The distance the keys really move, at that zoom.
        Mesa m;
        m.conCuadros({{5670, 5670}}, zoom);
        m.editor.seleccion().Tecla(0, Qt::Key_Right, false, true);
        QCOMPARE(m.documento.Cuadros()[0].PosX, 5670 + qRound(567 / zoom / 10));
        QVERIFY(!TextoFlechas(std::nullopt, idioma).contains(QStringLiteral("zoom actual")));
    }

    // A box's number is shown in a colour that reads on its background.
    void colorLegibleEnPantalla_data() {
        QTest::addColumn<qint32>("texto"); // 0x00BBGGRR
        QTest::addColumn<qint32>("fondo");
        QTest::addColumn<qint32>("visto");
        QTest::newRow("negro sobre negro") << 0x000000 << 0x000000 << 0xFFFFFF;
        QTest::newRow("rojo oscuro sobre rojo oscuro") << 0x000080 << 0x000070 << 0xFFFFFF;
        QTest::newRow("amarillo sobre blanco") << 0x00FFFF << 0xFFFFFF << 0x000000;
        QTest::newRow("negro sobre amarillo") << 0x000000 << 0x00FFFF << 0x000000;
        QTest::newRow("azul sobre blanco, se lee") << 0xFF0000 << 0xFFFFFF << 0xFF0000;
        QTest::newRow("gris medio sobre negro, se lee") << 0x808080 << 0x000000 << 0x808080;
    }
    void colorLegibleEnPantalla() {
        QFETCH(qint32, texto);
        QFETCH(qint32, fondo);
        QTEST(ColorLegible(texto, fondo), "visto");
        QVERIFY(Contraste(ColorLegible(texto, fondo), fondo) >= 3);
    }

    // Every centimetre tick stands where that centimetre of the sheet is
    // drawn, within half a pixel on a 96-dpi screen, along a whole A3 sheet.
    void reglaSinDeriva_data() {
        QTest::addColumn<float>("zoom");
        for (float z : {0.25f, 0.5f, 0.75f, 1.0f, 1.5f, 2.0f})
            QTest::addRow("%d %%", qRound(z * 100)) << z;
    }
    void reglaSinDeriva() {
        QFETCH(float, zoom);
        const double pixelesPorTwip = 96.0 / 1440;
        const double largo = 42.0 * kTwipsPorCm * zoom;
        int centimetros = 0;
        for (const Marca& m : MarcasRegla(0, largo, zoom)) {
            if (m.numero.isEmpty())
                continue;
            const int k = m.numero.toInt();
            const double cierto = k * kTwipsPorCm * static_cast<double>(zoom);
            QVERIFY2(
                std::abs(m.posicion - cierto) * pixelesPorTwip <= 0.5,
                qPrintable(
                    QStringLiteral("%1 cm: %2 en vez de %3").arg(k).arg(m.posicion).arg(cierto)));
            ++centimetros;
        }
        QCOMPARE(centimetros, 43); // 0 to 42
    }

    // The ticks of the part in view are those of the whole ruler there.
    void reglaSoloLoVisible_data() {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<double>("desde");
        QTest::addColumn<double>("hasta");
        QTest::newRow("50 % el principio") << 0.5f << -300.0 << 2000.0;
        QTest::newRow("50 % en medio") << 0.5f << 4321.5 << 9000.0;
        QTest::newRow("150 % hasta el final") << 1.5f << 20000.0 << 1e9;
        QTest::newRow("1000 % un trozo") << 10.0f << 55555.0 << 60000.0;
        QTest::newRow("fuera") << 1.0f << 40000.0 << 50000.0;
    }
    void reglaSoloLoVisible() {
        QFETCH(float, zoom);
        QFETCH(double, desde);
        QFETCH(double, hasta);
        const double largo = 30000.0 * zoom;
        QList<Marca> esperadas;
        for (const Marca& m : MarcasRegla(0, largo, zoom))
            if (m.posicion >= desde && m.posicion <= hasta)
                esperadas.append(m);
        const QList<Marca> vistas = MarcasRegla(0, largo, zoom, desde, hasta);
        QCOMPARE(vistas.size(), esperadas.size());
        for (qsizetype i = 0; i < vistas.size(); ++i) {
            QCOMPARE(vistas[i].posicion, esperadas[i].posicion);
            QCOMPARE(vistas[i].desde, esperadas[i].desde);
            QCOMPARE(vistas[i].numero, esperadas[i].numero);
        }
    }

    // A sheet of 2^31 - 1 twips at 1000 %: the ruler of a screenful far along
    // it holds a screenful of ticks, numbered from the sheet's edge.
    void reglaDeHojaEnorme() {
        const double largo = 2147483647.0 * 10;
        const QList<Marca> m = MarcasRegla(0, largo, 10.0f, 1e9, 1e9 + 20000);
        QVERIFY(m.size() > 30 && m.size() < 40); // one tick every 567 twips
        const Marca& cm =
            *std::find_if(m.begin(), m.end(), [](const Marca& k) { return !k.numero.isEmpty(); });
        QCOMPARE(cm.posicion % 5670, 0);
        QCOMPARE(cm.numero, QString::number(cm.posicion / 5670));
    }

    // Past about 800 points the font's own metrics overflow (a negative
    // height); a box's size keeps growing with its font.
    void medidaDeLetraEnorme_data() {
        QTest::addColumn<QString>("fuente");
        QTest::newRow("Arial") << "Arial";
        QTest::newRow("Tahoma") << "Tahoma";
    }
    void medidaDeLetraEnorme() {
        QFETCH(QString, fuente);
        Cuadro c;
        c.FontName = fuente;
        c.FontSize = 800;
        const QSizeF medio = ElementosHoja::MedirTexto(c, "00001");
        c.FontSize = 1638;
        const QSizeF grande = ElementosHoja::MedirTexto(c, "00001");
        QVERIFY(qAbs(grande.width() / medio.width() - 1638.0 / 800) < 0.01);
        QVERIFY(qAbs(grande.height() / medio.height() - 1638.0 / 800) < 0.01);
    }

    void posicion_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QString>("texto");
        QTest::newRow("un cm") << 567.0 * 0.75 << 0.0 << 0.75f << "X=01,00 Y=00,00 Cms";
        QTest::newRow("ejemplo") << 3.5 * 567 << 12.25 * 567 << 1.0f << "X=03,50 Y=12,25 Cms";
        QTest::newRow("negativo") << -567.0 << 0.0 << 1.0f << "X=-01,00 Y=00,00 Cms";
    }
    void posicion() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(float, zoom);
        QTEST(TextoPosicion(x, y, zoom, QLocale(QLocale::Spanish, QLocale::Spain)), "texto");
    }

    void etiqueta() {
        QCOMPARE(TamanoEtiqueta(10, 1.2f), 12.0f * 1.0);
        QCOMPARE(TamanoEtiqueta(10, 1.5f), 14.0);
    }

    // The zoom field's entry: a value out of range is put back after its
    // message; the boxes are placed again once per change.
    void cambiarZoom() {
        Mesa m;
        int ajustes = 0;
        connect(&m.editor, &EditorHoja::vistaCambiada, this, [&] { ++ajustes; });
        QCOMPARE(m.editor.CambiarZoom("150", OrigenZoom::Lista).value_or("-"),
                 QStringLiteral("150"));
        QCOMPARE(m.documento.Trabajo().Zoom, 1.5f);
        QCOMPARE(ajustes, 1);
        QVERIFY(m.mensajes.mostrados.isEmpty());
        QCOMPARE(m.editor.CambiarZoom("2000", OrigenZoom::Intro).value_or("-"),
                 QStringLiteral("50"));
        QCOMPARE(m.documento.Trabajo().Zoom, 0.5f);
        QCOMPARE(m.mensajes.mostrados.size(), 1);
        QCOMPARE(m.mensajes.mostrados[0].titulo, QStringLiteral("Error"));
        QVERIFY(!m.documento.Modificado());
    }

    void zoomDesdeLaBarra() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        p.barra().elegirZoom("150");
        QCOMPARE(p.documento().Trabajo().Zoom, 1.5f);
        p.barra().introducirZoom("2000");
        QCOMPARE(p.documento().Trabajo().Zoom, 0.5f);
        QCOMPARE(p.barra().textoZoom(), QStringLiteral("50"));
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        // Enter while the program itself writes the field is ignored.
        {
            BarraHerramientas::Actualizar actualizando(p.barra());
            p.barra().introducirZoom("75");
        }
        QCOMPARE(p.documento().Trabajo().Zoom, 0.5f);
    }

    void conmutadoresDeLaVista() {
        Banco b;
        b.impresoras.lista = {"Laser"};
        b.impresoras.defecto = "Laser";
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        QVERIFY(p.barra().utilizable("BtnRegla"));
        QVERIFY(p.barra().utilizable("CboMag"));
        QVERIFY(p.editor.reglas()); // shown by default
        QVERIFY(!p.editor.ejes());
        QVERIFY(!p.editor.margenes());
        p.barra().pulsar("BtnEjes");
        QVERIFY(p.editor.ejes());
        p.barra().pulsar("BtnMargenes");
        QVERIFY(p.editor.margenes().has_value());
        QVERIFY(p.editor.margenes()->derecho > p.editor.margenes()->izquierdo);
        p.barra().pulsar("BtnMargenes");
        QVERIFY(!p.editor.margenes());
        p.barra().pulsar("BtnRegla");
        QVERIFY(!p.editor.reglas());
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "UltRegla", {}), QStringLiteral("0"));
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "UltEjes", {}), QStringLiteral("1"));
        // With no job every view toggle stands up; the next job shows what
        // the start-up view says (the ruler always, the axes never, by default).
        for (const char* id : {"BtnRegla", "BtnEjes", "BtnMargenes"})
            QVERIFY2(!p.barra().pulsada(id), id);
        p.despachador.ejecutar("BtnNuevo");
        QVERIFY(p.barra().pulsada("BtnRegla") && p.editor.reglas());
        QVERIFY(!p.barra().pulsada("BtnEjes") && !p.editor.ejes());
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "UltRegla", {}), QStringLiteral("1"));
    }

    void cuadroMuestraSuPrimerNumero() {
        Estado e;
        AjustesMemoria vacios;
        const int i = e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        e.Cuadros[i].TextoIzq = "N";
        e.Cuadros[i].TextoDer = "";
        e.Cuadros[i].PosX = 2000;
        e.Cuadros[i].PosY = 1000;
        e.Trabajo.Zoom = 1;
        ElementosHoja el;
        el.RedibujarHoja(e);
        const Elemento a = el.elementos()[i];
        QCOMPARE(a.texto, QStringLiteral("N00001"));
        QVERIFY(a.visible);
        QVERIFY(a.lineas);
        e.Trabajo.Zoom = 0.5f;
        el.RedibujarHoja(e);
        const Elemento b = el.elementos()[i];
        QCOMPARE(b.rect.topLeft(), QPointF(1000, 500));
        QVERIFY(qAbs(b.rect.width() - a.rect.width() / 2) < 0.01);
        QVERIFY(qAbs(b.rect.height() - a.rect.height() / 2) < 0.01);
        QCOMPARE(el.CuadroEn(b.rect.center()), i);
        QCOMPARE(el.CuadroEn(QPointF(0, 0)), -1);
    }

    void manijas_data() {
        QTest::addColumn<int>("rotacion");
        QTest::addColumn<bool>("enLados"); // middle handles on the left and right edges
        QTest::newRow("0") << 0 << false;
        QTest::newRow("90") << 90 << true;
        QTest::newRow("180") << 180 << false;
        QTest::newRow("270") << 270 << true;
    }
    void manijas() {
        QFETCH(int, rotacion);
        QFETCH(bool, enLados);
        Estado e;
        AjustesMemoria vacios;
        const int i = e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        e.Cuadros[i].Rotacion = static_cast<qint16>(rotacion);
        e.Cuadros[i].PosX = 1000;
        e.Cuadros[i].PosY = 1000;
        e.Trabajo.Zoom = 2;
        ElementosHoja el;
        el.RedibujarHoja(e);
        const QRectF r = el.elementos()[i].rect;
        const QRectF m0 = el.Manija(e, i, 0);
        QCOMPARE(m0.size(), QSizeF(200, 200));
        QCOMPARE(m0.topLeft(), QPointF(2000 - 200, 2000 - 200));
        // Tops are whole twips; lefts are kept as they are.
        QCOMPARE(el.Manija(e, i, 5).topLeft(), QPointF(r.right(), RedondearPar(r.bottom())));
        const QRectF m1 = el.Manija(e, i, 1);
        if (enLados)
            QCOMPARE(m1.left(), r.left() - 200);
        else
            QCOMPARE(m1.top(), r.top() - 200);
    }

    void etiquetaJuntoAlCuadro() {
        Estado e;
        AjustesMemoria vacios;
        const int i = e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        e.Trabajo.Zoom = 1;
        e.CuadroActual = static_cast<qint16>(i);
        ElementosHoja el;
        const QLocale es(QLocale::Spanish, QLocale::Spain);
        const QSizeF hoja(12242, 15842);
        e.Cuadros[i].PosX = 567;
        e.Cuadros[i].PosY = 1134;
        el.RedibujarHoja(e);
        el.PosicionLbl(e, hoja, es);
        QCOMPARE(el.etiqueta().texto, QStringLiteral("X= 01,00 Y= 02,00"));
        QCOMPARE(el.etiqueta().rect.top(), el.elementos()[i].rect.bottom() + 30);
        // At the right edge the label goes left of the box; at the bottom, above it.
        e.Cuadros[i].PosX = 12000;
        e.Cuadros[i].PosY = 15700;
        el.RedibujarHoja(e);
        el.PosicionLbl(e, hoja, es);
        const QRectF r = el.elementos()[i].rect;
        QCOMPARE(el.etiqueta().rect.right(), r.left());
        QVERIFY(el.etiqueta().rect.bottom() < r.top());
        // Never left of the sheet.
        e.Cuadros[i].PosX = 0;
        el.RedibujarHoja(e);
        el.PosicionLbl(e, QSizeF(100, 15842), es);
        QCOMPARE(el.etiqueta().rect.left(), 0.0);
    }

    // A job closed in the middle of a nudge (the key's release went to a
    // dialog) or of a drag leaves no label, outline or drag to the next job.
    void nadaDelTrabajoAnteriorTrasCerrar() {
        Mesa m;
        m.conCuadros({{1000, 1000}, {3000, 2000}});
        SeleccionHoja& s = m.editor.seleccion();
        s.PulsarCuadro(0, Boton::Izquierdo, false, {1, 1});
        s.Soltar(m.rect(0).topLeft() + QPointF(1, 1), DondeSuelta::Hoja);
        s.Tecla(0, Qt::Key_Right, false, true);
        QVERIFY(m.editor.elementos().etiqueta().visible);
        m.documento.fijarAbierto(false);
        m.documento.fijarAbierto(true);
        QVERIFY(!m.editor.elementos().etiqueta().visible);

        m.agrupar({0, 1});
        s.PulsarCuadro(1, Boton::Izquierdo, false, {1, 1});
        s.Arrastrar(m.rect(1).topLeft() + QPointF(500, 500), EstadoArrastre::Sobre);
        QVERIFY(s.cajaVisible());
        m.documento.fijarAbierto(false);
        QCOMPARE(s.arrastre(), Arrastre::Ninguno);
        QVERIFY(!s.cajaVisible());
        QVERIFY(!m.editor.elementos().etiqueta().visible);
    }

    void cuadroBajoElPuntero() {
        Mesa m;
        // At 50 %: the point 567, 283 of the screen.
        m.conCuadros({{0, 0}, {1134, 566}}, 0.5f);
        const int j = 1;
        QSignalSpy estado(&m.editor, &EditorHoja::posicionCambiada);
        QCOMPARE(m.editor.SobreCuadro(j), QStringLiteral("X= 02,00 Y= 01,00"));
        QCOMPARE(m.documento.CuadroActual(), qint16(j));
        QCOMPARE(estado.size(), 1);
        QCOMPARE(estado[0][0].toString(), QStringLiteral("X=02,00 Y=01,00 Cms"));
    }

    void cuadroBajoElPunteroEnLaBarraDeEstado() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        AjustesMemoria vacios;
        const int j =
            p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), QPoint(1134, 566));
        p.editor.RedibujarHoja();
        p.editor.SobreCuadro(j);
        QCOMPARE(p.principal.panel(1), QStringLiteral("X=02,00 Y=01,00 Cms"));
    }

    // --- selection and dragging ---
    // A new job in the program with boxes at the given model positions,
    // drawn at `zoom`: for what reaches the toolbar.
    static Programa& ConCuadros(Banco& b, const QList<QPointF>& posiciones, float zoom = 1) {
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        AjustesMemoria vacios;
        for (const QPointF& pos : posiciones) {
            const int i = p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), {});
            p.documento().cambiarCuadro(i,
                                        [&](Cuadro& c) { c.PosX = static_cast<qint32>(pos.x()); });
            p.documento().cambiarCuadro(i,
                                        [&](Cuadro& c) { c.PosY = static_cast<qint32>(pos.y()); });
        }
        p.documento().olvidarHistoria();
        p.documento().fijarZoom(zoom);
        p.editor.RedibujarHoja();
        return p;
    }
    static QRectF Rect(Programa& p, int i) { return p.editor.elementos().elementos()[i].rect; }

    void arrastrarUnCuadroEscribeSuPosicion_data() {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<double>("izquierda"); // screen twips where the box is dropped
        QTest::addColumn<int>("posX");
        QTest::newRow("50 %") << 0.5f << 1000.0 << 2000;
        QTest::newRow("75 %") << 0.75f << 100.0 << 133;
    }
    void arrastrarUnCuadroEscribeSuPosicion() {
        QFETCH(float, zoom);
        QFETCH(double, izquierda);
        Mesa m;
        m.conCuadros({{567, 567}}, zoom);
        SeleccionHoja& s = m.editor.seleccion();
        const QPointF agarre(10, 5);
        s.PulsarCuadro(0, Boton::Izquierdo, false, agarre);
        QCOMPARE(s.arrastre(), Arrastre::Cuadro);
        s.Arrastrar(QPointF(izquierda, 400) + agarre, EstadoArrastre::Sobre);
        QVERIFY(m.editor.elementos().etiqueta().visible);
        QVERIFY(m.editor.elementos().etiqueta().texto.contains(" Y = "));
        s.Soltar(QPointF(izquierda, 400) + agarre, DondeSuelta::Hoja);
        QTEST(m.documento.Cuadros()[0].PosX, "posX");
        QVERIFY(m.documento.Modificado());
        QVERIFY(!m.editor.elementos().etiqueta().visible);
        QCOMPARE(s.cuadroConFoco(), 0);
        QCOMPARE(m.herramientas().cuadro, std::optional(true));
    }

    void soltarFueraQuedaDentroDeLaHoja() {
        Mesa m;
        m.conCuadros({{567, 567}});
        SeleccionHoja& s = m.editor.seleccion();
        const double ancho = m.documento.Trabajo().HAncho;
        s.PulsarCuadro(0, Boton::Izquierdo, false, {0, 0});
        s.Arrastrar({ancho + 900, -300}, EstadoArrastre::Sale);
        s.Soltar({ancho + 900, -300}, DondeSuelta::Fuera);
        QCOMPARE(m.rect(0).topLeft(), QPointF(ancho - 50, 0));
        QCOMPARE(m.documento.Cuadros()[0].PosX, static_cast<int>(ancho) - 50);
        QCOMPARE(m.documento.Cuadros()[0].PosY, 0);
        QVERIFY(m.documento.Modificado());
    }

    // A box wholly off the sheet (the sheet was turned under it) is shown at
    // the sheet's edge, marked; a click keeps its position, a drag brings it back.
    void cuadroFueraDeLaHojaSeMuestraEnElBorde() {
        Mesa m;
        m.conCuadros({{567, 567}, {30000, 1000}, {11500, 1000}});
        const auto& el = m.editor.elementos().elementos();
        const double ancho = m.documento.Trabajo().HAncho;
        QVERIFY(!el[0].fuera);
        QVERIFY(el[1].fuera && el[1].enBorde);
        QCOMPARE(m.rect(1).right(), ancho);
        QCOMPARE(m.rect(1).top(), 1000.0);
        QCOMPARE(m.documento.Cuadros()[1].PosX, 30000);
        // Partly over the edge: marked, shown where it is.
        QVERIFY(el[2].fuera && !el[2].enBorde);
        QCOMPARE(m.rect(2).left(), 11500.0);
        QCOMPARE(ElementosHoja::FueraDeHoja(m.documento.Cuadros(), m.documento.Trabajo()),
                 (QList<int>{1, 2}));
        QVERIFY(m.editor.SobreCuadro(1).contains(QStringLiteral("Fuera de la hoja")));

        SeleccionHoja& s = m.editor.seleccion();
        const QPointF agarre(10, 5);
        s.PulsarCuadro(1, Boton::Izquierdo, false, agarre);
        s.Soltar(m.rect(1).topLeft() + agarre, DondeSuelta::Hoja);
        QCOMPARE(m.documento.Cuadros()[1].PosX, 30000);
        s.PulsarCuadro(1, Boton::Izquierdo, false, agarre);
        s.Arrastrar(QPointF(5000, 2000) + agarre, EstadoArrastre::Sobre);
        s.Soltar(QPointF(5000, 2000) + agarre, DondeSuelta::Hoja);
        QCOMPARE(m.documento.Cuadros()[1].PosX, 5000);
        QCOMPARE(m.documento.Cuadros()[1].PosY, 2000);
        m.editor.RedibujarHoja();
        QVERIFY(!el[1].fuera);
    }

    // The index the editor finds boxes and paints through answers as looking
    // at every box would, after moves, a group drag (and in the middle of
    // it), deletions, new sizes, a zoom change and undo; boxes off the sheet
    // and on each other included.
    void indiceComoTodosLosCuadros() {
        Mesa m;
        quint32 semilla = 12345;
        const auto azar = [&](int n) {
            semilla = semilla * 1103515245u + 12345u;
            return static_cast<int>((semilla >> 8) % static_cast<quint32>(n));
        };
        QList<QPoint> lugares;
        for (int i = 0; i < 300; ++i)
            lugares.append({azar(20000) - 2000, azar(20000) - 2000});
        m.conCuadros(lugares, 0.75f);
        const auto comprobar = [&](const char* cuando) {
            const ElementosHoja& el = m.editor.elementos();
            const auto& e = el.elementos();
            for (int k = 0; k < 400; ++k) {
                const QPointF punto(azar(17000) - 1500, azar(17000) - 1500);
                int arriba = -1;
                for (int i = 0; i < static_cast<int>(e.size()); ++i)
                    if (e[i].visible && e[i].rect.contains(punto))
                        arriba = i;
                if (el.CuadroEn(punto) != arriba)
                    QFAIL(qPrintable(QStringLiteral("%1: en %2, %3 está el cuadro %4, no el %5")
                                         .arg(cuando)
                                         .arg(punto.x())
                                         .arg(punto.y())
                                         .arg(arriba)
                                         .arg(el.CuadroEn(punto))));
            }
            for (int k = 0; k < 60; ++k) {
                const QRectF zona(azar(17000) - 1500, azar(17000) - 1500, azar(3000), azar(3000));
                const std::vector<int> hallados = el.indice().En(zona);
                QVERIFY(std::is_sorted(hallados.begin(), hallados.end()));
                for (int i = 0; i < static_cast<int>(e.size()); ++i) {
                    const bool listado = std::binary_search(hallados.begin(), hallados.end(), i);
                    if (e[i].visible && e[i].rect.intersects(zona) && !listado)
                        QFAIL(qPrintable(
                            QStringLiteral("%1: falta el cuadro %2").arg(cuando).arg(i)));
                    if (listado && !e[i].visible)
                        QFAIL(qPrintable(QStringLiteral("%1: el cuadro oculto %2 está listado")
                                             .arg(cuando)
                                             .arg(i)));
                }
                for (const bool horizontal : {true, false}) {
                    const double desde = horizontal ? zona.top() : zona.left();
                    const double hasta = horizontal ? zona.bottom() : zona.right();
                    // Each position once, with the highest box there.
                    QList<int> lineas;
                    QMap<double, int> esperadas;
                    el.indice().Lineas(horizontal, desde, hasta, [&](int i) { lineas.append(i); });
                    for (int i = 0; i < static_cast<int>(e.size()); ++i) {
                        const double d = horizontal ? e[i].rect.top() : e[i].rect.left();
                        if (e[i].visible && e[i].lineas && d >= desde && d <= hasta)
                            esperadas[d] = i;
                    }
                    QCOMPARE(lineas, esperadas.values());
                }
            }
        };
        comprobar("al abrir");

        // One box dragged, then a group of thirty, looked at mid-drag too.
        SeleccionHoja& s = m.editor.seleccion();
        s.PulsarCuadro(7, Boton::Izquierdo, false, {1, 1});
        s.Arrastrar(m.rect(7).topLeft() + QPointF(3001, 1999), EstadoArrastre::Sobre);
        comprobar("arrastrando un cuadro");
        s.Soltar(m.rect(7).topLeft() + QPointF(1, 1), DondeSuelta::Hoja);
        for (int i = 10; i < 40; ++i)
            s.PulsarCuadro(i, Boton::Izquierdo, true, {1, 1});
        s.PulsarCuadro(10, Boton::Izquierdo, false, {1, 1});
        const QPointF agarre = m.rect(10).topLeft() + QPointF(1, 1);
        s.Arrastrar(agarre + QPointF(-2500, 4100), EstadoArrastre::Sobre);
        comprobar("arrastrando un grupo");
        s.Soltar(agarre + QPointF(-2500, 4100), DondeSuelta::Hoja);
        comprobar("tras soltar el grupo");

        for (int i = 50; i < 300; i += 7)
            m.documento.liberarCuadro(i, {});
        m.documento.cambiarCuadros({60, 61, 62, 63}, [](Cuadro& c) {
            c.FontSize = 48;
            c.Rotacion = 90;
            c.LineasGuia = false;
        });
        comprobar("tras borrar y agrandar");
        m.documento.fijarZoom(2);
        m.editor.RedibujarHoja();
        comprobar("al 200 %");
        m.documento.deshacer();
        m.documento.deshacer();
        comprobar("tras deshacer");
        // Many more boxes than the grid was laid for: it is laid anew.
        for (int i = 0; i < 700; ++i)
            m.documento.agregarCuadro(m.preferencias.defectosCuadro(),
                                      {azar(20000) - 2000, azar(20000) - 2000});
        comprobar("con 700 cuadros más");
    }

    void teclas() {
        Mesa m;
        m.conCuadros({{1000, 1000}});
        SeleccionHoja& s = m.editor.seleccion();
        s.Tecla(0, Qt::Key_A, false, false);
        QVERIFY(!m.editor.elementos().etiqueta().visible);
        QVERIFY(!m.documento.Modificado());
        s.Tecla(0, Qt::Key_Control, false, true);
        QVERIFY(m.editor.elementos().etiqueta().visible);
        QCOMPARE(m.documento.Cuadros()[0].PosX, 1000);
        s.SoltarTecla();
        QVERIFY(!m.editor.elementos().etiqueta().visible);
        s.Tecla(0, Qt::Key_Right, false, true);
        QCOMPARE(m.rect(0).left(), 1056.7);
        QCOMPARE(m.documento.Cuadros()[0].PosX, 1057);
        QVERIFY(m.documento.Modificado());
        s.Tecla(0, Qt::Key_Up, false, false);
        QCOMPARE(m.documento.Cuadros()[0].PosY, 998);
        // Never past the sheet's top-left corner.
        for (int k = 0; k < 30; ++k)
            s.Tecla(0, Qt::Key_Left, false, true);
        QCOMPARE(m.documento.Cuadros()[0].PosX, 0);
    }

    void bandaEnAmbosSentidos() {
        Mesa m;
        m.conCuadros({{1000, 1000}, {3000, 1000}, {1000, 5000}});
        SeleccionHoja& s = m.editor.seleccion();
        const QRectF r1 = m.rect(1);
        s.PulsarHoja(Boton::Izquierdo, {900, 900});
        s.Arrastrar(r1.bottomRight() + QPointF(10, 10), EstadoArrastre::Sobre);
        s.Soltar(r1.bottomRight() + QPointF(10, 10), DondeSuelta::Hoja);
        QVERIFY(m.documento.ModoGrupo());
        QCOMPARE(m.documento.Seleccion(), (QList<qint16>{0, 1}));
        QCOMPARE(m.herramientas().alinear, std::optional(true));
        // Drawn the other way round: the same boxes.
        s.PulsarHoja(Boton::Izquierdo, r1.bottomRight() + QPointF(10, 10));
        QVERIFY(!m.documento.ModoGrupo());
        s.Arrastrar({900, 900}, EstadoArrastre::Sobre);
        s.Soltar({900, 900}, DondeSuelta::Hoja);
        QCOMPARE(m.documento.Seleccion(), (QList<qint16>{0, 1}));
        // A box touching the band's edge is not inside.
        s.PulsarHoja(Boton::Izquierdo, {1000, 900});
        s.Arrastrar(r1.bottomRight() + QPointF(10, 10), EstadoArrastre::Sobre);
        s.Soltar(r1.bottomRight() + QPointF(10, 10), DondeSuelta::Hoja);
        QCOMPARE(m.documento.Seleccion(), (QList<qint16>{1}));
        // A click on the empty sheet selects nothing and disables the box tools.
        s.PulsarHoja(Boton::Izquierdo, {8000, 8000});
        s.Soltar({8000, 8000}, DondeSuelta::Hoja);
        QVERIFY(!m.documento.ModoGrupo());
        QCOMPARE(m.herramientas().cuadro, std::optional(false));
        QCOMPARE(m.herramientas().alinear, std::optional(false));
    }

    void bandaSobreLaReglaNoTocaLasHerramientas() {
        Mesa m;
        m.conCuadros({{1000, 1000}});
        SeleccionHoja& s = m.editor.seleccion();
        s.PulsarHoja(Boton::Izquierdo, {5000, 5000});
        s.Arrastrar({-100, -100}, EstadoArrastre::Sale);
        s.Soltar({-100, -100}, DondeSuelta::Regla);
        QVERIFY(m.documento.ModoGrupo());
        QCOMPARE(m.documento.Seleccion(), QList<qint16>{0});
        QVERIFY(m.pedidas.isEmpty());
    }

    void mayusculasArmaElGrupoEnOrden() {
        Mesa m;
        m.conCuadros({{1000, 1000}, {3000, 1000}, {5000, 1000}});
        SeleccionHoja& s = m.editor.seleccion();
        for (int i : {2, 0, 1})
            s.PulsarCuadro(i, Boton::Izquierdo, true, {1, 1});
        QVERIFY(m.documento.ModoGrupo());
        QCOMPARE(m.documento.Seleccion(), (QList<qint16>{0, 1, 2}));
        for (int i : {0, 1, 2})
            QVERIFY(m.editor.elementos().elementos()[i].manijas);
        // Shift+click again takes a box out.
        s.PulsarCuadro(1, Boton::Izquierdo, true, {1, 1});
        QCOMPARE(m.documento.Seleccion(), (QList<qint16>{0, 2}));
    }

    void grupoSeDetieneEnElBorde() {
        Mesa m;
        m.conCuadros({{1000, 1000}, {3000, 2000}});
        SeleccionHoja& s = m.editor.seleccion();
        s.PulsarCuadro(0, Boton::Izquierdo, true, {1, 1});
        s.PulsarCuadro(1, Boton::Izquierdo, true, {1, 1});
        const QPointF agarre(20, 20);
        const QPointF inicio = m.rect(1).topLeft() + agarre;
        s.PulsarCuadro(1, Boton::Izquierdo, false, agarre);
        QCOMPARE(s.arrastre(), Arrastre::Grupo);
        QVERIFY(s.cajaVisible());
        s.Arrastrar(inicio - QPointF(9000, 0), EstadoArrastre::Sobre);
        s.Soltar(inicio - QPointF(9000, 0), DondeSuelta::Hoja);
        QCOMPARE(m.documento.Cuadros()[0].PosX, 0);
        QCOMPARE(m.documento.Cuadros()[1].PosX, 2000);
        QCOMPARE(m.documento.Cuadros()[1].PosY, 2000);
        QVERIFY(m.documento.Modificado());
        QVERIFY(!s.cajaVisible());
        QVERIFY(m.editor.elementos().elementos()[0].visible);
    }

    void grupoPorUnCuadroBloqueadoNoSeMueve() {
        Mesa m;
        m.conCuadros({{1000, 1000}, {3000, 1000}});
        m.documento.cambiarCuadro(1, [&](Cuadro& c) { c.Bloqueado = true; });
        SeleccionHoja& s = m.editor.seleccion();
        s.PulsarCuadro(0, Boton::Izquierdo, true, {1, 1});
        s.PulsarCuadro(1, Boton::Izquierdo, true, {1, 1});
        s.PulsarCuadro(1, Boton::Izquierdo, false, {1, 1});
        QCOMPARE(s.arrastre(), Arrastre::Ninguno);
        QVERIFY(m.editor.elementos().etiqueta().visible);
        QVERIFY(m.editor.elementos().elementos()[1].manijas);
    }

    void botonDerechoAbreLosMenus() {
        Mesa m;
        m.conCuadros({{1000, 1000}});
        SeleccionHoja& s = m.editor.seleccion();
        QCOMPARE(s.PulsarCuadro(0, Boton::Derecho, false, {1, 1}), Emergente::Cuadro);
        QCOMPARE(m.herramientas().lineasGuia, std::optional(true));
        QCOMPARE(s.PulsarHoja(Boton::Derecho, {2000.4, 3000.5}), Emergente::Hoja);
        QCOMPARE(m.editor.seleccion().puntoInsercion().punto, QPointF(2000, 3000));
        QVERIFY(m.editor.seleccion().puntoInsercion().marcado);
    }

    // What the selection asks of the box tools reaches the toolbar.
    void laBarraSigueALaSeleccion() {
        Banco b;
        Programa& p = ConCuadros(b, {{1000, 1000}, {3000, 1000}});
        SeleccionHoja& s = p.editor.seleccion();
        // A right click on a box presses the guide-lines toggle as the box has it.
        QVERIFY(!p.barra().pulsada("BtnLineasGuia"));
        s.PulsarCuadro(0, Boton::Derecho, false, {1, 1});
        QVERIFY(p.barra().pulsada("BtnLineasGuia"));
        // A box dropped: the box tools.
        QVERIFY(!p.barra().habilitada("BtnCortar"));
        s.PulsarCuadro(0, Boton::Izquierdo, false, {1, 1});
        s.Soltar(Rect(p, 0).topLeft() + QPointF(1, 1), DondeSuelta::Hoja);
        QVERIFY(p.barra().habilitada("BtnCortar"));
        // A band round both boxes: the align tools.
        QVERIFY(!p.barra().habilitada("BtnAlinearvertical"));
        const QPointF fin = Rect(p, 1).bottomRight() + QPointF(10, 10);
        s.PulsarHoja(Boton::Izquierdo, {900, 900});
        s.Arrastrar(fin, EstadoArrastre::Sobre);
        s.Soltar(fin, DondeSuelta::Hoja);
        QVERIFY(p.barra().habilitada("BtnAlinearvertical"));
        // A click on the empty sheet: neither.
        s.PulsarHoja(Boton::Izquierdo, {8000, 8000});
        s.Soltar({8000, 8000}, DondeSuelta::Hoja);
        QVERIFY(!p.barra().habilitada("BtnCortar"));
        QVERIFY(!p.barra().habilitada("BtnAlinearvertical"));
        // A band let go over the ruler selects, but leaves the tools alone.
        s.PulsarHoja(Boton::Izquierdo, {5000, 5000});
        s.Arrastrar({-100, -100}, EstadoArrastre::Sale);
        s.Soltar({-100, -100}, DondeSuelta::Regla);
        QVERIFY(p.documento().ModoGrupo());
        QVERIFY(!p.barra().habilitada("BtnAlinearvertical"));
    }

    void posicionEnLaBarraDeEstado() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        p.editor.MostrarPosicion(567 * 0.5, 2 * 567 * 0.5);
        QCOMPARE(p.principal.panel(1), QStringLiteral("X=01,00 Y=02,00 Cms"));
    }
};

QTEST_MAIN(PruebaEditor)
#include "test_editor.moc"
