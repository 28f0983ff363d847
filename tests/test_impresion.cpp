// The print run, printer geometry, paper checks, printer selection and the
// printer correction, on printers that record what they are told.
#include "cli/ComandosCli.h"
#include "core/impresion/AjusteImpresora.h"
#include "core/impresion/ComprobacionPapel.h"
#include "core/impresion/Correccion.h"
#include "core/impresion/GeometriaImpresora.h"
#include "core/impresion/Impresion.h"
#include "core/trabajo/Numeracion.h"
#include "fakes/Fakes.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
Cuadro Caja(double inicio, double fin, qint32 x = 567, qint32 y = 1134, qint16 rot = 0) {
    Cuadro c;
    c.Inicio = inicio;
    c.Fin = fin;
    c.Salto = 1;
    c.Cifras = 0;
    c.EnUso = true;
    c.PosX = x;
    c.PosY = y;
    c.Rotacion = rot;
    c.FontName = "Arial";
    c.FontSize = 12;
    c.Color = 0x0000FF;
    return c;
}

struct Run {
    MensajesGuion mensajes;
    PoliticaFallas politica{mensajes, {}};
    ImpresoraGrabadora imp;
    RegistroProgreso progreso;
    VentanaProgresoFalsa ventana{progreso};
};

QStringList Textos(const ImpresoraGrabadora& imp) {
    QStringList t;
    for (const auto& l : imp.llamadas)
        if (l.operacion == u"texto" || l.operacion == u"rotado")
            t.append(l.texto);
        else if (l.operacion == u"pagina")
            t.append("|");
    return t;
}

// Everything a printer object was told, in order, with where, in what font
// and colour: two runs that agree here put the same marks on paper.
QStringList Dibujo(const QList<LlamadaImpresora>& llamadas) {
    QStringList t;
    for (const auto& l : llamadas) {
        const FuenteImpresion& f = l.fuente;
        t.append(QStringLiteral("%1 '%2' @ %3,%4 %5° %6 %7 %8 pt%9%10")
                     .arg(l.operacion, l.texto, QString::number(l.x, 'g', 17),
                          QString::number(l.y, 'g', 17))
                     .arg(l.grados)
                     .arg(l.color, 6, 16, QLatin1Char('0'))
                     .arg(f.nombre)
                     .arg(f.puntos)
                     .arg(f.negrita ? QStringLiteral(" negrita") : QString(),
                          f.cursiva ? QStringLiteral(" cursiva") : QString()));
    }
    return t;
}

// Where every text of a run landed, in order: "texto 00001 @ 900,1050".
QStringList Posiciones(const ImpresoraGrabadora& imp) {
    QStringList t;
    for (const auto& l : imp.llamadas)
        if (l.operacion == u"texto" || l.operacion == u"rotado")
            t.append(QStringLiteral("%1 %2 @ %3,%4").arg(l.operacion, l.texto).arg(l.x).arg(l.y));
    return t;
}
} // namespace

class PruebaImpresion : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    // --- the sheet loop ---
    void tresHojasDosSaltosDePagina() {
        Run r;
        r.imp.fijarColor(0x123456);
        Tirada t;
        t.ajusteX = 100;
        t.ajusteY = 50.5;
        const auto fin = ImprimirHojas({Caja(1, 3)}, r.imp, t, &r.ventana, r.politica);
        QCOMPARE(fin, FinTirada::Terminada);
        QCOMPARE(Textos(r.imp), (QStringList{"1", "|", "2", "|", "3"}));
        QCOMPARE(r.imp.paginas(), 3);
        const auto textos = r.imp.de("texto");
        QCOMPARE(textos[0].x, 467.0);
        QCOMPARE(textos[0].y, 1083.5);
        QCOMPARE(textos[0].color, 0x0000FF);
        QCOMPARE(textos[0].fuente.nombre, QStringLiteral("Arial"));
        QCOMPARE(textos[0].fuente.puntos, 12.0);
        QCOMPARE(r.imp.colorFrente(), 0x123456); // restored
        QVERIFY(r.progreso.cerrada);
        QCOMPARE(r.progreso.maximo, 3);
        QCOMPARE(r.progreso.textos.last(), QStringLiteral("Imprimiendo hoja Nº 3 de 3"));
    }

    void pruebaImprimeSoloLaPrimeraHoja() {
        Run r;
        Tirada t;
        t.unaHoja = true;
        QCOMPARE(ImprimirHojas({Caja(1, 50)}, r.imp, t, &r.ventana, r.politica),
                 FinTirada::Terminada);
        QCOMPARE(Textos(r.imp), QStringList{"1"});
        QCOMPARE(r.imp.paginas(), 1);
        QCOMPARE(r.progreso.textos, QStringList{"Imprimiendo hoja Nº 1 de 50"});
    }

    void rangoDeHojasNumeraComoLaTirada() {
        Run r;
        Tirada t;
        t.rango = {4, 6};
        std::vector<Cuadro> v = {Caja(1, 10), Caja(101, 105)};
        ImprimirHojas(v, r.imp, t, nullptr, r.politica);
        QCOMPARE(Textos(r.imp), (QStringList{"4", "104", "|", "5", "105", "|", "6"}));
        // A range past the run prints what the run has.
        Run r2;
        t.rango = {9, 40};
        ImprimirHojas(v, r2.imp, t, nullptr, r2.politica);
        QCOMPARE(Textos(r2.imp), (QStringList{"9", "|", "10"}));
    }

    void sinCuadrosNoHaceNada() {
        Run r;
        std::vector<Cuadro> v = {Caja(1, 5)};
        v[0].EnUso = false;
        QCOMPARE(ImprimirHojas(v, r.imp, {}, &r.ventana, r.politica), FinTirada::SinHojas);
        QVERIFY(r.imp.llamadas.isEmpty());
        QCOMPARE(r.progreso.maximo, -1);
        QVERIFY(r.mensajes.mostrados.isEmpty());
    }

    void cancelarConfirmadoAbandonaElDocumento() {
        Run r;
        r.progreso.cancelarEnHoja = 4; // during sheet 5
        r.mensajes.respuestas = {Respuesta::Aceptar};
        r.imp.fijarColor(7);
        QCOMPARE(ImprimirHojas({Caja(1, 10)}, r.imp, {}, &r.ventana, r.politica),
                 FinTirada::Cancelada);
        QCOMPARE(r.mensajes.mostrados[0].texto,
                 QStringLiteral("¿Seguro desea cancelar la impresión?"));
        QCOMPARE(r.mensajes.mostrados[0].titulo, QStringLiteral("Cancelar impresión"));
        QCOMPARE(Textos(r.imp), (QStringList{"1", "|", "2", "|", "3", "|", "4", "|"}));
        QCOMPARE(r.imp.de("abortar").size(), 1);
        QCOMPARE(r.imp.de("fin").size(), 0);
        QVERIFY(r.progreso.cerrada);
        QCOMPARE(r.imp.colorFrente(), 7);
    }

    void cancelarNoConfirmadoSigue() {
        Run r;
        r.progreso.cancelarEnHoja = 1;
        r.progreso.veces = 1;
        r.mensajes.respuestas = {Respuesta::Cancelar};
        QCOMPARE(ImprimirHojas({Caja(1, 3)}, r.imp, {}, &r.ventana, r.politica),
                 FinTirada::Terminada);
        QCOMPARE(Textos(r.imp), (QStringList{"1", "|", "2", "|", "3"}));
        QCOMPARE(r.imp.de("fin").size(), 1);
    }

    void fallaDeLaImpresoraAbandona() {
        Run r;
        r.imp.fallarAlTerminar = true;
        QCOMPARE(ImprimirHojas({Caja(1, 2)}, r.imp, {}, nullptr, r.politica),
                 FinTirada::Abandonada);
        QCOMPARE(r.imp.de("abortar").size(), 1);
        QCOMPARE(r.mensajes.mostrados.first().texto,
                 QStringLiteral("El dispositivo no está disponible"));
    }

    // Boxes that would not land whole on paper. Letter at 600 dpi with a
    // 0.25 in unprintable margin left and right: the printable area runs from
    // 360 to 11880 twips on the paper. Texts "1".."3" at 12 pt are 120 twips
    // wide and 276 high on the recording printer.
    void cuadrosFuera_data() {
        QTest::addColumn<qint32>("x");
        QTest::addColumn<qint32>("y");
        QTest::addColumn<qint16>("rotacion");
        QTest::addColumn<double>("correccion"); // twips, added to the margin
        QTest::addColumn<QString>("aviso");
        const QString area =
            QStringLiteral("El cuadro Nº 1 queda fuera del área imprimible de Grabadora");
        const QString hoja = QStringLiteral("El cuadro Nº 1 queda fuera de la hoja");
        QTest::newRow("dentro") << 567 << 1134 << qint16(0) << 0.0 << QString();
        QTest::newRow("en el margen izquierdo") << 200 << 1134 << qint16(0) << 0.0 << area;
        QTest::newRow("en el margen derecho") << 11800 << 1134 << qint16(0) << 0.0 << area;
        QTest::newRow("fuera por la corrección") << 567 << 1134 << qint16(0) << 300.0 << area;
        QTest::newRow("pasa el borde de la hoja") << 12200 << 1134 << qint16(0) << 0.0 << hoja;
        QTest::newRow("negativa") << -50 << 1134 << qint16(0) << 0.0 << hoja;
        // Turned 90 degrees the text runs upwards: 276 wide, 120 high.
        QTest::newRow("girado cabe") << 11500 << 15700 << qint16(90) << 0.0 << QString();
        QTest::newRow("girado no cabe") << 11700 << 1134 << qint16(90) << 0.0 << area;
        QTest::newRow("girado bajo la hoja") << 567 << 15800 << qint16(90) << 0.0 << hoja;
    }
    void cuadrosFuera() {
        QFETCH(qint32, x);
        QFETCH(qint32, y);
        QFETCH(qint16, rotacion);
        QFETCH(double, correccion);
        QFETCH(QString, aviso);
        ImpresoraGrabadora imp;
        imp.geo.desplazamientoX = 150;
        imp.geo.anchoImprimible = imp.geo.anchoFisico - 300;
        ::Trabajo hoja;
        hoja.HAncho = 12240;
        hoja.HAlto = 15840;
        Tirada t;
        t.ajusteX = 360 + correccion;
        const QStringList avisos = CuadrosFuera({Caja(1, 3, x, y, rotacion)}, hoja, imp, t, true);
        QCOMPARE(avisos, aviso.isEmpty() ? QStringList() : QStringList{aviso});
        // An export has no unprintable area: only the sheet counts.
        const bool fueraDeLaHoja = aviso.endsWith(QStringLiteral("de la hoja"));
        QCOMPARE(CuadrosFuera({Caja(1, 3, x, y, rotacion)}, hoja, imp, {}, false).size(),
                 fueraDeLaHoja ? 1 : 0);
    }

    void rangoDeHojas_data() {
        QTest::addColumn<qint32>("desde");
        QTest::addColumn<qint32>("hasta");
        QTest::addColumn<QString>("error");
        QTest::newRow("toda") << 1 << 0 << QString();
        QTest::newRow("hasta el final") << 1 << 250 << QString();
        QTest::newRow("una") << 250 << 250 << QString();
        QTest::newRow("pasado el final")
            << 1 << 260 << QStringLiteral("La tirada tiene 250 hojas: la hoja 260 no existe.");
        QTest::newRow("empieza pasado el final")
            << 251 << 0 << QStringLiteral("La tirada tiene 250 hojas: la hoja 251 no existe.");
        QTest::newRow("al revés")
            << 20 << 10
            << QStringLiteral("La hoja inicial (20) no puede ser mayor que la final (10).");
        QTest::newRow("cero") << 0 << 5 << QStringLiteral("La primera hoja de la tirada es la 1.");
    }
    void rangoDeHojas() {
        QFETCH(qint32, desde);
        QFETCH(qint32, hasta);
        QFETCH(QString, error);
        QCOMPARE(ErrorRango({desde, hasta}, 250).value_or(QString()), error);
    }

    void saltoCeroNoImprime() {
        Run r;
        std::vector<Cuadro> v = {Caja(1, 5)};
        v[0].Salto = 0;
        QCOMPARE(ImprimirHojas(v, r.imp, {}, &r.ventana, r.politica), FinTirada::SinHojas);
        QVERIFY(r.imp.llamadas.isEmpty());
        QCOMPARE(r.mensajes.mostrados.size(), 1);
    }

    void rotadoYDirecto() {
        Run r;
        std::vector<Cuadro> v = {Caja(7, 7, 1000, 2000, 90), Caja(8, 8, 1000, 2000, 0)};
        Tirada t;
        t.ajusteX = 10;
        t.ajusteY = 20.5; // y of a rotated box is rounded half to even: 1979.5 -> 1980
        ImprimirHojas(v, r.imp, t, nullptr, r.politica);
        const auto rot = r.imp.de("rotado");
        QCOMPARE(rot.size(), 1);
        QCOMPARE(rot[0].grados, 90);
        QCOMPARE(rot[0].color, 0x0000FF);
        // Upwards text starts at the bottom-left of its rectangle: one
        // character of 12 pt is 120 twips wide on this printer.
        QCOMPARE(rot[0].x, 990.0);
        QCOMPARE(rot[0].y, 1980.0 + 120.0);
        QCOMPARE(r.imp.de("texto").size(), 1);
    }

    // --- geometry ---
    void margenes() {
        ImpresoraGrabadora imp;
        imp.geo.puntosPorPulgadaX = imp.geo.puntosPorPulgadaY = 600;
        imp.geo.desplazamientoX = 100;
        imp.geo.desplazamientoY = 150;
        imp.geo.anchoFisico = 5100;
        imp.geo.altoFisico = 6600;
        imp.geo.anchoImprimible = 4900;
        imp.geo.altoImprimible = 6300;
        QCOMPARE(MargenIzquierdo(imp), 100.0f / 600 * 2.54f);
        QVERIFY(qAbs(MargenIzquierdo(imp) * 567 - 240.03) < 0.01);
        QVERIFY(qAbs(MargenSuperior(imp) - 0.635) < 1e-5);
        QVERIFY(qAbs(MargenDerecho(imp) - 100.0 / 600 * 2.54) < 1e-4);
        QVERIFY(qAbs(MargenInferior(imp) - 150.0 / 600 * 2.54) < 1e-4);
        QCOMPARE(imp.anchoPagina(), 12240);
        QCOMPARE(imp.altoPagina(), 15840);
        imp.geo.puntosPorPulgadaX = 0;
        QVERIFY_THROWS_EXCEPTION(Falla, MargenIzquierdo(imp));
    }

    void textoRotado_data() {
        QTest::addColumn<int>("grados");
        QTest::addColumn<QSizeF>("tamano");
        QTest::addColumn<QPointF>("inicio");
        QTest::newRow("0") << 0 << QSizeF(500, 200) << QPointF(0, 0);
        QTest::newRow("90") << 90 << QSizeF(200, 500) << QPointF(0, 500);
        QTest::newRow("180") << 180 << QSizeF(500, 200) << QPointF(500, 200);
        QTest::newRow("270") << 270 << QSizeF(200, 500) << QPointF(200, 0);
    }
    void textoRotado() {
        QFETCH(int, grados);
        const TextoRotado t = CalcularTextoRotado(grados, 500, 200);
        QTEST(t.tamano, "tamano");
        QTEST(t.inicio, "inicio");
    }

    void verificarPapel_data() {
        QTest::addColumn<int>("orientacion");
        QTest::addColumn<double>("pw");
        QTest::addColumn<double>("ph");
        QTest::addColumn<int>("resultado");
        QTest::newRow("a4 bien") << 1 << 11900.0 << 16832.0 << 0;
        QTest::newRow("a4 girada") << 2 << 16832.0 << 11900.0 << 2;
        QTest::newRow("carta en lugar de a4") << 1 << 12242.0 << 15842.0 << 1;
        QTest::newRow("carta girada") << 2 << 15842.0 << 12242.0 << 3;
        QTest::newRow("orientacion desconocida") << 0 << 1.0 << 1.0 << 0;
    }
    void verificarPapel() {
        QFETCH(int, orientacion);
        QFETCH(double, pw);
        QFETCH(double, ph);
        ::Trabajo a4;
        a4.HAncho = 11907;
        a4.HAlto = 16840;
        a4.HOrienta = true;
        QTEST(VerificarPapel(a4, orientacion, pw, ph), "resultado");
    }

    void gemeloDePantallaDentroDeSuCuadro_data() {
        QTest::addColumn<int>("grados");
        QTest::newRow("0") << 0;
        QTest::newRow("90") << 90;
        QTest::newRow("180") << 180;
        QTest::newRow("270") << 270;
    }
    void gemeloDePantallaDentroDeSuCuadro() {
        QFETCH(int, grados);
        Cuadro c = Caja(1, 1, 0, 0, static_cast<qint16>(grados));
        c.FontSize = 20;
        const double ppt = 96.0 / 1440; // pixels per twip of a 96 dpi screen
        QImage img(400, 400, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        QFont f = FuenteCuadro(c, c.FontSize);
        f.setPixelSize(qRound(c.FontSize * 20 * ppt));
        const QFontMetricsF m(f, &img);
        const QString texto = QStringLiteral("00001");
        p.translate(100, 100);
        const QSizeF t = DibujarTextoRotado(p, c, texto, 1.0, m.horizontalAdvance(texto) / ppt,
                                            m.height() / ppt, ppt);
        p.end();
        QRect tinta;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 200)
                    tinta |= QRect(x, y, 1, 1);
        QVERIFY(!tinta.isEmpty());
        const QRectF caja(QPointF(100, 100), t);
        QVERIFY2(
            caja.adjusted(-1, -1, 1, 1).contains(QRectF(tinta)),
            qPrintable(
                QStringLiteral("%1 fuera de %2").arg(QString::number(tinta.x())).arg(caja.x())));
        if (grados == 90 || grados == 270)
            QVERIFY(t.height() > t.width());
        else
            QVERIFY(t.width() > t.height());
    }

    // --- correction ---
    void correccionPorOrientacion() {
        AjustesMemoria a;
        GenerarIniPrinter(a, "P", 1, AjusteImpresora::Twips(1.5, true),
                          static_cast<float>(AjusteImpresora::Twips(2, true)));
        GenerarIniPrinter(a, "P", 2, 10, -20);
        QCOMPARE(a.leer(Aplicacion::Titulo, "P", "Xx").value_or(""), QStringLiteral("85,05"));
        QCOMPARE(a.leer(Aplicacion::Titulo, "p", "yx").value_or(""), QStringLiteral("113,4"));
        QCOMPARE(LeerCorreccion(a, "P", 1), QPointF(85.05, 113.4f));
        QCOMPARE(LeerCorreccion(a, "P", 2), QPointF(10, -20));
        QCOMPARE(LeerCorreccion(a, "Otra", 1), QPointF(0, 0));

        // The run subtracts the landscape correction plus the printable offset.
        ImpresoraGrabadora imp("P");
        imp.geo.desplazamientoX = 300; // 0.5 inch at 600 dpi = 720 twips
        imp.fijarOrientacion(2);
        Tirada t;
        CalcularAjuste(imp, a, t);
        QVERIFY(qAbs(t.ajusteX - (10 + 0)) < 0.01);           // turned: the offset is now on Y
        QVERIFY(qAbs(t.ajusteY - (-20 + 1.27 * 567)) < 0.01); // 567 twips to the cm
    }

    void ajusteAntiguo() {
        QTemporaryDir dir;
        const auto escribir = [&](const QByteArray& datos) {
            QFile f(dir.filePath("Laser.ini"));
            f.open(QIODevice::WriteOnly);
            f.write(datos);
        };
        MensajesGuion m;
        PoliticaFallas p(m, {});
        AjustesMemoria a;
        escribir("<{ZUL54-091-560202}>\r\n120\r\n-60\r\n");
        QVERIFY(MigrarAjusteAntiguo(a, "Laser", {"/no/existe", dir.path()}, p));
        QVERIFY(!QFileInfo::exists(dir.filePath("Laser.ini")));
        QCOMPARE(LeerCorreccion(a, "Laser", 1), QPointF(120, -60));
        // Without the marker the run leaves the file alone; the dialog takes it as zero.
        escribir("otra cosa\r\n5\r\n5\r\n");
        QVERIFY(!MigrarAjusteAntiguo(a, "Laser", {dir.path()}, p));
        QVERIFY(QFileInfo::exists(dir.filePath("Laser.ini")));
        QCOMPARE(LeerCorreccion(a, "Laser", 1), QPointF(120, -60));
        QVERIFY(MigrarAjusteAntiguo(a, "Laser", {dir.path()}, p, QLocale(), true));
        QCOMPARE(LeerCorreccion(a, "Laser", 1), QPointF(0, 0));
        QVERIFY(!QFileInfo::exists(dir.filePath("Laser.ini")));
        // Settings that cannot be written keep the old file, to take it over next time.
        AjustesMemoria sinDisco;
        sinDisco.fallarEscrituras = QStringLiteral("el disco está lleno");
        escribir("<{ZUL54-091-560202}>\r\n120\r\n-60\r\n");
        QVERIFY(MigrarAjusteAntiguo(sinDisco, "Laser", {dir.path()}, p));
        QCOMPARE(LeerCorreccion(sinDisco, "Laser", 1), QPointF(120, -60));
        QVERIFY(QFileInfo::exists(dir.filePath("Laser.ini")));
    }

    void paginaDePrueba() {
        ImpresoraGrabadora imp;
        imp.geo.desplazamientoX = 600 * 0.5 / 2.54; // 0.5 cm
        ImprimirPrueba(imp);
        const auto lineas = imp.de("linea");
        QCOMPARE(lineas.size(), 4);
        QVERIFY(qAbs(lineas[3].x - (5670 - 283.5)) < 0.01); // 10 cm from the paper's edge
        QCOMPARE(lineas[0].x, 12240 / 2.0);
        QCOMPARE(lineas[1].y, 5670.0);
        // The top caption needs two lines on this paper; none runs past its edge.
        QStringList leido;
        for (const auto& t : imp.de("texto")) {
            leido.append(t.texto);
            QVERIFY(t.x >= 0 && t.x + imp.anchoTexto(t.texto) <= imp.anchoPagina());
            QCOMPARE(t.fuente.puntos, 11.0);
        }
        QCOMPARE(leido.join(u' '),
                 QStringLiteral("Debería medir desde el borde de la página --> Y = 10 Cm "
                                "Debería medir desde el borde de la página --> X = 10 Cm"));
        QCOMPARE(imp.paginas(), 1);
    }

    void unidadesDelAjuste() {
        QCOMPARE(AjusteImpresora::Twips(1.5, true), 85.05);
        QCOMPARE(AjusteImpresora::Twips(1.5, false), 850.5);
        QCOMPARE(AjusteImpresora::DeTwips(708.75, true), 12.5);
        QCOMPARE(AjusteImpresora::DeTwips(708.75, false), 1.25);
    }
};

// The printer commands of the desktop program, on fakes.
class PruebaComandos : public QObject {
    Q_OBJECT

    static Programa& ConTrabajo(Banco& b) {
        b.impresoras.lista = {"Laser", "Chorro"};
        b.impresoras.defecto = "Chorro";
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        AjustesMemoria vacios;
        const int i = p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), {});
        p.documento().cambiarCuadro(i, [&](Cuadro& c) { c.Fin = 3; });
        return p;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void imprimirEnLaImpresoraDelPrograma() {
        Banco b;
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        Programa& p = ConTrabajo(b);
        QVERIFY(p.barra().utilizable("BtnImprimir"));
        p.despachador.ejecutar("BtnImprimir");
        QCOMPARE(b.dialogosImpresion.vistas, QStringList{"Laser"});
        QCOMPARE(b.dialogosImpresion.orientacionPedida, 1);
        QCOMPARE(b.dialogosImpresion.hojasOfrecidas, 3);
        ImpresoraGrabadora* laser = b.impresoras.creadas.last();
        QCOMPARE(laser->de("texto").size(), 3);
        QCOMPARE(laser->paginas(), 3);
        // Back to the printer that was current before the command.
        QCOMPARE(p.impresora.actual(), QStringLiteral("Chorro"));
    }

    void laImpresoraElegidaPasaASerLaDelPrograma_data() {
        QTest::addColumn<bool>("siempre");
        QTest::addColumn<QString>("guardada");
        QTest::newRow("elegir al imprimir") << false << "Chorro";
        QTest::newRow("siempre la del programa") << true << "Laser";
    }
    void laImpresoraElegidaPasaASerLaDelPrograma() {
        QFETCH(bool, siempre);
        Banco b;
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        Preferencias(b.ajustes).escribirBooleano(Aplicacion::Producto, "PrinterDefault", siempre);
        Programa& p = ConTrabajo(b);
        b.dialogosImpresion.elegir = "Chorro";
        p.despachador.ejecutar("BtnImprimir");
        QTEST(b.ajustes.texto(Aplicacion::Producto, "Printer", {}), "guardada");
        QTEST(p.principal.panel(3), "guardada");
    }

    void dialogoCanceladoNoImprime() {
        Banco b;
        Programa& p = ConTrabajo(b);
        b.dialogosImpresion.aceptar = false;
        p.despachador.ejecutar("BtnPrueba");
        for (ImpresoraGrabadora* i : b.impresoras.creadas)
            QVERIFY(i->llamadas.isEmpty());
        QVERIFY(!b.ajustes.leer(Aplicacion::Producto, "Settings", "Printer"));
    }

    // A run that cannot be numbered is said once, before the print dialog
    // would offer its sheets, and nothing prints.
    void tiradaSinNumerarNoAbreElDialogo() {
        Banco b;
        Programa& p = ConTrabajo(b);
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.Salto = 0; });
        p.despachador.ejecutar("BtnImprimir");
        QVERIFY(b.dialogosImpresion.vistas.isEmpty());
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QVERIFY2(b.mensajes.mostrados[0].texto.contains(QStringLiteral("División por cero")),
                 qPrintable(b.mensajes.mostrados[0].texto));
        for (ImpresoraGrabadora* i : b.impresoras.creadas)
            QVERIFY(i->de("texto").isEmpty());
    }

    void papelDistintoPregunta() {
        Banco b;
        Programa& p = ConTrabajo(b); // the stored sheet is Carta; printers are Letter
        b.impresoras.preparar = [](ImpresoraGrabadora& i) {
            i.geo.anchoFisico = i.geo.anchoImprimible = 600 * 21 / 2.54; // A4
            i.geo.altoFisico = i.geo.altoImprimible = 600 * 29.7 / 2.54;
        };
        b.mensajes.respuestas = {Respuesta::Cancelar};
        p.despachador.ejecutar("BtnImprimir");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("El tamaño  del papel en la impresora no es correcto\r¿Desea "
                                "continuar?"));
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Tamaño y orientación del papel"));
        QCOMPARE(b.impresoras.creadas.last()->de("texto").size(), 0);
        b.mensajes.respuestas = {Respuesta::Aceptar};
        p.despachador.ejecutar("BtnPrueba");
        QCOMPARE(b.impresoras.creadas.last()->de("texto").size(), 1);
    }

    void correccionYAntiguoAlImprimir() {
        QTemporaryDir dir;
        {
            QFile f(dir.filePath("Chorro.ini"));
            f.open(QIODevice::WriteOnly);
            f.write("<{ZUL54-091-560202}>\r\n100\r\n-50\r\n");
        }
        Banco b;
        b.carpetasAntiguas = {dir.path()};
        Programa& p = ConTrabajo(b);
        p.documento().cambiarCuadro(0, [&](Cuadro& c) { c.PosX = 1000; });
        p.documento().cambiarCuadro(0, [&](Cuadro& c) { c.PosY = 1000; });
        p.despachador.ejecutar("BtnPrueba");
        const auto t = b.impresoras.creadas.last()->de("texto");
        QCOMPARE(t.size(), 1);
        QCOMPARE(t[0].x, 900.0);
        QCOMPARE(t[0].y, 1050.0);
        QVERIFY(!QFileInfo::exists(dir.filePath("Chorro.ini")));
    }

    void seleccionarImpresora() {
        Banco b;
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        Preferencias(b.ajustes).escribirBooleano(Aplicacion::Producto, "PrinterDefault", true);
        Programa& p = ConTrabajo(b);
        b.dialogosImpresion.elegir = "Chorro";
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnSeleccionarPrint");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Impresora del programa"));
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("La impresora : Laser\res la impresora por defecto del programa."
                                "\r\rChorro\res la selección que acaba de realizar.\r¿Desea que "
                                "esta última se la impresora por defecto del programa?"));
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "Printer", {}), QStringLiteral("Laser"));
        b.mensajes.respuestas = {Respuesta::Si};
        p.despachador.ejecutar("BtnSeleccionarPrint");
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "Printer", {}), QStringLiteral("Chorro"));
        QCOMPARE(p.principal.panel(3), QStringLiteral("Chorro"));
        // The same printer again: no question.
        b.dialogosImpresion.elegir.clear();
        p.despachador.ejecutar("BtnSeleccionarPrint");
        QCOMPARE(b.mensajes.mostrados.size(), 2);
    }

    void exportarPdfSinCorreccion() {
        Banco b;
        Programa& p = ConTrabajo(b);
        GenerarIniPrinter(b.ajustes, "PDF", 1, 500, 500);
        p.documento().cambiarCuadro(0, [&](Cuadro& c) { c.PosX = 1000; });
        QTemporaryDir dir;
        b.dialogos.rutas = {dir.filePath("x.pdf")};
        p.despachador.ejecutar("BtnExportarPdf");
        QCOMPARE(b.dialogos.inicios.last(), QStringLiteral("Trabajo1.pdf"));
        QCOMPARE(b.impresoras.pdfs, QStringList{dir.filePath("x.pdf")});
        const auto t = b.impresoras.creadas.last()->de("texto");
        QCOMPARE(t.size(), 3);
        QCOMPARE(t[0].x, 1000.0);
    }

    void cuadroFueraPreguntaAntesDeImprimir() {
        Banco b;
        Programa& p = ConTrabajo(b);
        p.documento().cambiarCuadro(
            0, [&](Cuadro& c) { c.PosX = p.documento().Trabajo().HAncho - 10; });
        b.mensajes.respuestas = {Respuesta::Cancelar};
        p.despachador.ejecutar("BtnImprimir");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        const MensajeMostrado& m = b.mensajes.mostrados[0];
        QVERIFY2(m.texto.startsWith(QStringLiteral("El cuadro Nº 1 queda fuera de la hoja\r")),
                 qPrintable(m.texto));
        QCOMPARE(m.botones, Botones::ContinuarCancelar);
        QCOMPARE(b.impresoras.creadas.last()->de("texto").size(), 0);
        // Continuar prints it as it is.
        b.mensajes.respuestas = {Respuesta::Aceptar};
        p.despachador.ejecutar("BtnImprimir");
        QCOMPARE(b.impresoras.creadas.last()->de("texto").size(), 3);
    }

    void pruebaUsaSuDialogo() {
        Banco b;
        Programa& p = ConTrabajo(b);
        p.despachador.ejecutar("BtnPrueba");
        QVERIFY(b.dialogosImpresion.prueba);
        p.despachador.ejecutar("BtnImprimir");
        QVERIFY(!b.dialogosImpresion.prueba);
    }

    void cancelarLoDice() {
        Banco b;
        Programa& p = ConTrabajo(b);
        b.progreso.cancelarEnHoja = 1;
        b.mensajes.respuestas = {Respuesta::Aceptar};
        p.despachador.ejecutar("BtnImprimir");
        QCOMPARE(b.mensajes.titulos(), (QStringList{"Cancelar impresión", "Cancelar impresión"}));
        QCOMPARE(b.mensajes.mostrados.last().texto, TextoCancelada(false));
        QCOMPARE(b.impresoras.creadas.last()->de("fin").size(), 0);
    }

    void exportarUnRangoYDecirlo() {
        Banco b;
        Programa& p = ConTrabajo(b);
        b.dialogosImpresion.rangoPdf = RangoHojas{2, 3};
        QTemporaryDir dir;
        b.dialogos.rutas = {dir.filePath("x.pdf")};
        p.despachador.ejecutar("BtnExportarPdf");
        QCOMPARE(b.dialogosImpresion.hojasPdf, 3);
        QCOMPARE(b.impresoras.creadas.last()->de("texto").size(), 2);
        QCOMPARE(b.mensajes.mostrados.last().texto,
                 QStringLiteral("2 hojas exportadas a %1")
                     .arg(QDir::toNativeSeparators(dir.filePath("x.pdf"))));
    }

    void exportarSobreElTrabajoSeNiega() {
        Banco b;
        Programa& p = ConTrabajo(b);
        QTemporaryDir dir;
        const QString trabajo = dir.filePath("t.zul");
        QFile f(trabajo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        p.documento().fijarRuta(trabajo);
        b.dialogos.rutas = {trabajo};
        p.despachador.ejecutar("BtnExportarPdf");
        QVERIFY(b.impresoras.pdfs.isEmpty());
        QVERIFY(b.mensajes.mostrados.last().texto.contains(QStringLiteral("propio trabajo")));
    }

    void comprobarMargenes() {
        Banco b;
        Programa& p = ConTrabajo(b); // Carta sheet, Letter printers
        b.impresoras.preparar = [](ImpresoraGrabadora& i) {
            i.geo.desplazamientoX = 150; // 0.25 in at 600 dpi
            i.geo.desplazamientoY = 300;
            i.geo.anchoImprimible = i.geo.anchoFisico - 300;
            i.geo.altoImprimible = i.geo.altoFisico - 600;
        };
        p.documento().fijarZoom(0.5f);
        const auto m = p.impresion.ComprobarMargenes();
        QVERIFY(m.has_value());
        QVERIFY(b.mensajes.mostrados.isEmpty());
        // On the sheet, twips at zoom 1: the editor scales them to its zoom.
        QVERIFY(qAbs(m->izquierdo - 0.635 * 567) < 0.5);
        QVERIFY(qAbs(m->superior - 1.27 * 567) < 0.5);
        QVERIFY(qAbs(m->derecho - (12240 - 0.635 * 567)) < 0.5);
        QVERIFY(qAbs(m->inferior - (15840 - 1.27 * 567)) < 0.5);
        QCOMPARE(p.impresora.actual(), QStringLiteral("Chorro"));
        // A landscape sheet on that paper: warned, and the check goes on.
        CambiarHoja(p.documento(), [](Trabajo& h) {
            std::swap(h.HAncho, h.HAlto);
            h.HOrienta = false;
        });
        b.impresoras.preparar = {};
        p.impresora.FijarImpresoraPredeterminada("Laser");
        p.impresora.TerminarDocumento();
        QVERIFY(p.impresion.ComprobarMargenes().has_value());
        QCOMPARE(b.mensajes.mostrados.size(), 0); // the printer was turned to the sheet first
    }

    // The desktop program and velquira-cli print a job through one pipeline:
    // the same job on the same printer with the same stored correction puts
    // every text at the same spot, less the correction of the orientation the
    // job prints in and the printable area's offset.
    void programaYCliImprimenIgual_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<bool>("conCorreccion"); // Xx,Yx = 85,-40; Xy,Yy = -70,25
        QTest::addColumn<bool>("antiguo");       // an older file holding 120, -60
        QTest::addColumn<double>("ajusteX");     // what the run subtracts from PosX
        // The printable area starts 150 device units (0.25 in) from the left
        // of the portrait paper and 300 from its top.
        const double izquierda = 150 / 600.0 * 2.54 * 567, arriba = 300 / 600.0 * 2.54 * 567;
        QTest::newRow("vertical sin corrección") << "antiguo.zul" << false << false << izquierda;
        QTest::newRow("vertical") << "antiguo.zul" << true << false << 85 + izquierda;
        QTest::newRow("horizontal") << "serie_coma.zul" << true << false << -70 + arriba;
        QTest::newRow("archivo antiguo") << "antiguo.zul" << false << true << 120 + izquierda;
    }
    void programaYCliImprimenIgual() {
        QFETCH(QString, archivo);
        QFETCH(bool, conCorreccion);
        QFETCH(bool, antiguo);
        QFETCH(double, ajusteX);
        const QString ruta = CopiaFixture(archivo);
        const auto preparar = [](ImpresoraGrabadora& i) {
            i.geo.desplazamientoX = 150;
            i.geo.desplazamientoY = 300;
            i.geo.anchoImprimible = i.geo.anchoFisico - 300;
            i.geo.altoImprimible = i.geo.altoFisico - 600;
        };
        const auto ajustar = [&](AjustesMemoria& a, QTemporaryDir& dir) {
            if (conCorreccion) {
                GenerarIniPrinter(a, "Laser", 1, 85, -40);
                GenerarIniPrinter(a, "Laser", 2, -70, 25);
            }
            if (antiguo) {
                QFile f(dir.filePath("Laser.ini"));
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write("<{ZUL54-091-560202}>\r\n120\r\n-60\r\n");
            }
        };

        Banco b;
        QTemporaryDir antiguosPrograma;
        ajustar(b.ajustes, antiguosPrograma);
        b.carpetasAntiguas = {antiguosPrograma.path()};
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        b.impresoras.lista = {"Laser"};
        b.impresoras.defecto = "Laser";
        b.impresoras.preparar = preparar;
        Programa& p = b.crear();
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(p.documento().abierto());
        const Cuadro primero = p.documento().Cuadros()[0];
        p.despachador.ejecutar("BtnImprimir");
        const QStringList programa = Posiciones(*b.impresoras.creadas.last());

        AjustesMemoria ajustes;
        QTemporaryDir antiguosCli;
        ajustar(ajustes, antiguosCli);
        CatalogoFalso impresoras;
        impresoras.lista = {"Laser"};
        impresoras.preparar = preparar;
        cli::Entorno entorno{ajustes, impresoras, {antiguosCli.path()}};
        std::FILE* nada = std::tmpfile();
        const int codigo =
            cli::Ejecutar({"imprimir", ruta, "--impresora", "Laser"}, entorno, nada, nada);
        std::fclose(nada);
        QCOMPARE(codigo, int(cli::Exito));
        const QStringList cli = Posiciones(*impresoras.creadas.last());

        QVERIFY(!programa.isEmpty());
        QCOMPARE(cli, programa);
        const auto textos = b.impresoras.creadas.last()->de("texto"); // box 1 is not turned
        QVERIFY2(qAbs(textos.first().x - (primero.PosX - ajusteX)) < 0.01,
                 qPrintable(QString::number(textos.first().x)));
    }

    // The preview draws, for the sheets asked, what the print run sends the
    // printer for those sheets: the same texts, fonts, colours and pages at
    // the same spots, less the same stored correction and printable-area
    // offset, asking the same questions on the way.
    void vistaPreliminarDibujaLoQueSeImprime_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<qint16>("rotacion"); // of the first box
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("hasta");
        QTest::addColumn<double>("ajusteX"); // what the run subtracts from PosX
        const double izquierda = 150 / 600.0 * 2.54 * 567, arriba = 300 / 600.0 * 2.54 * 567;
        QTest::newRow("vertical") << "antiguo.zul" << qint16(0) << 1 << 3 << 85 + izquierda;
        QTest::newRow("vertical, una hoja")
            << "antiguo.zul" << qint16(0) << 2 << 2 << 85 + izquierda;
        QTest::newRow("horizontal, hojas del medio")
            << "serie_coma.zul" << qint16(0) << 2 << 4 << -70 + arriba;
        QTest::newRow("girado") << "serie_coma.zul" << qint16(90) << 2 << 4 << -70 + arriba;
    }
    void vistaPreliminarDibujaLoQueSeImprime() {
        QFETCH(QString, archivo);
        QFETCH(qint16, rotacion);
        QFETCH(int, desde);
        QFETCH(int, hasta);
        QFETCH(double, ajusteX);
        Banco b;
        GenerarIniPrinter(b.ajustes, "Laser", 1, 85, -40);
        GenerarIniPrinter(b.ajustes, "Laser", 2, -70, 25);
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        b.impresoras.lista = {"Laser", "Chorro"};
        b.impresoras.defecto = "Chorro";
        b.impresoras.preparar = [](ImpresoraGrabadora& i) {
            i.geo.desplazamientoX = 150;
            i.geo.desplazamientoY = 300;
            i.geo.anchoImprimible = i.geo.anchoFisico - 300;
            i.geo.altoImprimible = i.geo.altoFisico - 600;
        };
        Programa& p = b.crear();
        b.dialogos.rutas = {CopiaFixture(archivo)};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(p.documento().abierto());
        p.documento().cambiarCuadro(0, [&](Cuadro& c) { c.Rotacion = rotacion; });
        const qint32 hojas = LongitudTirada(p.documento().Cuadros());
        QVERIFY2(hojas >= hasta, qPrintable(QString::number(hojas)));
        QVERIFY(p.barra().utilizable("BtnVistaPreliminar"));

        b.dialogosImpresion.rango = {desde, hasta};
        p.despachador.ejecutar("BtnImprimir");
        const QStringList impreso = Dibujo(b.impresoras.creadas.last()->llamadas);
        const QStringList preguntas = b.mensajes.titulos();
        b.mensajes.mostrados.clear();

        b.dialogosImpresion.rangoVista = RangoHojas{desde, hasta};
        p.despachador.ejecutar("BtnVistaPreliminar");
        QCOMPARE(b.dialogosImpresion.hojasVista, hojas);
        QCOMPARE(b.dialogosImpresion.rangoPropuesto.desde, 1);
        QCOMPARE(b.dialogosImpresion.rangoPropuesto.hasta, hojas);
        QCOMPARE(b.dialogosImpresion.preliminares, QStringList{"Laser"});
        QCOMPARE(b.dialogosImpresion.hojasMostradas.desde, desde);
        QCOMPARE(b.dialogosImpresion.hojasMostradas.hasta, hasta);
        QCOMPARE(b.dialogosImpresion.documentosAbiertos, 0);
        QCOMPARE(Dibujo(b.dialogosImpresion.dibujado), impreso);
        QCOMPARE(b.mensajes.titulos(), preguntas);

        // What was compared is the run itself: its sheets, and the correction.
        QCOMPARE(impreso.filter(QStringLiteral("pagina")).size(), hasta - desde);
        const auto textos = b.impresoras.creadas.last()->de(rotacion ? "rotado" : "texto");
        QVERIFY(!textos.isEmpty());
        const Cuadro primero = p.documento().Cuadros()[0];
        QVERIFY(textos.first().texto.contains(TextoCuadroHoja(primero, desde - 1)));
        if (!rotacion)
            QVERIFY2(qAbs(textos.first().x - (primero.PosX - ajusteX)) < 0.01,
                     qPrintable(QString::number(textos.first().x)));
        // The printer that was current before comes back, and none was stored.
        QCOMPARE(p.impresora.actual(), QStringLiteral("Chorro"));
    }

    // What the preview cannot show is said, and nothing is drawn. The rows
    // are the program's printer, whether its queue went away after the
    // printer object was made, the series' last number, whether the box is
    // in use, and the range the operator gives.
    void vistaPreliminarQueNoSePuede_data() {
        QTest::addColumn<QStringList>("impresoras");
        QTest::addColumn<bool>("retirada");
        QTest::addColumn<double>("fin");
        QTest::addColumn<bool>("enUso");
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("hasta");
        QTest::addColumn<QString>("aviso");
        const QStringList dos = {"Laser", "Chorro"};
        // As the print command says it (retrying finds "No hay ninguna impresora").
        QTest::newRow("sin impresora") << QStringList() << false << 3.0 << true << 1 << 3
                                       << "El dispositivo no está disponible";
        QTest::newRow("impresora retirada")
            << dos << true << 3.0 << true << 1 << 3 << "La impresora Laser no existe.";
        QTest::newRow("sin hojas") << dos << false << 3.0 << false << 1 << 1
                                   << "No hay hojas que mostrar: ningún cuadro imprime un número.";
        QTest::newRow("pasada la tirada") << dos << false << 3.0 << true << 2 << 9
                                          << "La tirada tiene 3 hojas: la hoja 9 no existe.";
        QTest::newRow("al revés") << dos << false << 3.0 << true << 3 << 2
                                  << "La hoja inicial (3) no puede ser mayor que la final (2).";
        QTest::newRow("hoja cero")
            << dos << false << 3.0 << true << 0 << 2 << "La primera hoja de la tirada es la 1.";
        QTest::newRow("demasiadas hojas")
            << dos << false << 5000.0 << true << 1001 << 1501
            << "La vista preliminar muestra hasta 500 hojas a la vez: desde la hoja 1001 puede "
               "verse hasta la 1500.";
    }
    void vistaPreliminarQueNoSePuede() {
        QFETCH(QStringList, impresoras);
        QFETCH(bool, retirada);
        QFETCH(double, fin);
        QFETCH(bool, enUso);
        QFETCH(int, desde);
        QFETCH(int, hasta);
        QFETCH(QString, aviso);
        Banco b;
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        Programa& p = ConTrabajo(b);
        b.impresoras.lista = impresoras;
        if (impresoras.isEmpty()) {
            b.impresoras.defecto.clear();
            b.mensajes.respuestas = {Respuesta::Cancelar}; // "El dispositivo no está disponible"
        }
        if (retirada) {
            // The object was made while the queue was there (a command before).
            p.impresora.FijarImpresoraPredeterminada("Laser");
            QVERIFY(p.impresora.objeto());
            b.impresoras.lista.removeAll("Laser");
        }
        p.documento().cambiarCuadro(0, [&](Cuadro& c) {
            c.Fin = fin;
            c.EnUso = enUso;
        });
        const auto llamadas = [&] {
            qsizetype n = 0;
            for (ImpresoraGrabadora* i : b.impresoras.creadas)
                n += i->llamadas.size();
            return n;
        };
        const qsizetype antes = llamadas();
        b.mensajes.mostrados.clear();
        b.dialogosImpresion.rangoVista = RangoHojas{desde, hasta};
        p.despachador.ejecutar("BtnVistaPreliminar");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QVERIFY2(b.mensajes.mostrados[0].texto.contains(aviso),
                 qPrintable(b.mensajes.mostrados[0].texto));
        QVERIFY(b.dialogosImpresion.preliminares.isEmpty());
        QCOMPARE(llamadas(), antes);
    }

    // Cancelling the range says nothing and draws nothing; the preset is the
    // start of the run, as long as one preview shows.
    void vistaPreliminarCancelada() {
        Banco b;
        Programa& p = ConTrabajo(b);
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.Fin = 2000; });
        b.dialogosImpresion.aceptarRangoVista = false;
        p.despachador.ejecutar("BtnVistaPreliminar");
        QCOMPARE(b.dialogosImpresion.hojasVista, 2000);
        QCOMPARE(b.dialogosImpresion.rangoPropuesto.desde, 1);
        QCOMPARE(b.dialogosImpresion.rangoPropuesto.hasta, kHojasVistaPreliminar);
        QVERIFY(b.mensajes.mostrados.isEmpty());
        QVERIFY(b.dialogosImpresion.preliminares.isEmpty());
        for (ImpresoraGrabadora* i : b.impresoras.creadas)
            QVERIFY(i->llamadas.isEmpty());
    }

    // A correction past 5 cm is no printer's error but a damaged setting (a
    // hand-edited file): the run stops with a message before anything prints,
    // in the desktop program and in velquira-cli alike.
    void correccionDanada_data() {
        QTest::addColumn<QString>("valor"); // "Xx", twips
        QTest::addColumn<bool>("imprime");
        QTest::newRow("1e308") << "1e308" << false;
        QTest::newRow("justo pasado 5 cm") << "2836" << false;
        QTest::newRow("-5 cm") << "-2835" << true;
        QTest::newRow("5 cm") << "2835" << true;
    }
    void correccionDanada() {
        QFETCH(QString, valor);
        QFETCH(bool, imprime);
        Banco b;
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        b.ajustes.escribir(Aplicacion::Titulo, "Laser", "Xx", valor);
        Programa& p = ConTrabajo(b);
        p.despachador.ejecutar("BtnImprimir");
        ImpresoraGrabadora* laser = b.impresoras.creadas.last();
        QCOMPARE(laser->de("texto").size(), imprime ? 3 : 0);
        // A correction within limits may still put a box off the printable
        // area (that question is answered Continuar here), never "damaged".
        bool danados = false;
        for (const auto& m : b.mensajes.mostrados)
            danados = danados || m.texto.contains(QStringLiteral("dañados"));
        QCOMPARE(danados, !imprime);
        if (!imprime)
            QVERIFY2(b.mensajes.mostrados[0].texto.contains(
                         QStringLiteral("Los ajustes están dañados: la corrección Xx = %1 de la "
                                        "impresora Laser pasa de 5 cm")
                             .arg(valor)),
                     qPrintable(b.mensajes.mostrados[0].texto));

        CatalogoFalso impresoras;
        impresoras.lista = {"Laser"};
        cli::Entorno entorno{b.ajustes, impresoras, {}};
        std::FILE* nada = std::tmpfile();
        const int codigo =
            cli::Ejecutar({"imprimir", QStringLiteral(VELQUIRA_FIXTURES_DIR) + "/antiguo.zul"},
                          entorno, nada, nada);
        std::fclose(nada);
        QCOMPARE(codigo, imprime ? int(cli::Exito) : int(cli::Fallo));
        QCOMPARE(impresoras.creadas.last()->de("texto").isEmpty(), !imprime);
    }

    // The adjustment dialog shows a damaged correction as none, to be
    // measured again, and stores no correction past 5 cm.
    void ajusteDanadoSeMideDeNuevo() {
        Banco b;
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        b.ajustes.escribir(Aplicacion::Titulo, "Laser", "Yx", "1e308");
        Programa& p = ConTrabajo(b);
        AjusteImpresora a(p.preferencias(), p.principal.politica, p.principal.mensajes(),
                          p.principal.dialogosImpresion(), p.impresora, {});
        a.Abrir();
        const auto v = a.BuscarIniPrinter(false);
        QCOMPARE(v.x, QStringLiteral("0,00"));
        QCOMPARE(v.y, QStringLiteral("0,00"));
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QVERIFY(!a.Aplicar(5.01, 0, false));
        QCOMPARE(b.mensajes.mostrados.last().texto,
                 QStringLiteral("La corrección debe estar entre -5 y 5 cm"));
        QCOMPARE(b.ajustes.leer(Aplicacion::Titulo, "Laser", "Yx"), QString("1e308"));
        QCOMPARE(a.Aplicar(-50, 50, true), QStringLiteral("Corrección guardada para Laser"));
        QCOMPARE(LeerCorreccion(b.ajustes, "Laser", 1), QPointF(-2835, 2835));
        // A settings file that cannot be written: no word of "guardada".
        b.ajustes.fallarEscrituras = QStringLiteral("el disco está lleno");
        QVERIFY(!a.Aplicar(1, 1, true));
        QCOMPARE(b.mensajes.mostrados.last().texto,
                 QStringLiteral("La corrección para Laser no pudo guardarse: el disco está "
                                "lleno.\r\rSe usará hasta cerrar el programa; vuelva a aplicarla "
                                "cuando se pueda guardar."));
        a.Cerrar();
    }

    void ajusteDesdeElDialogo() {
        Banco b;
        b.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        Programa& p = ConTrabajo(b);
        AjusteImpresora a(p.preferencias(), p.principal.politica, p.principal.mensajes(),
                          p.principal.dialogosImpresion(), p.impresora, {});
        a.Abrir();
        QCOMPARE(p.impresora.actual(), QStringLiteral("Laser"));
        a.Aplicar(1.5, 2, true);
        const auto v = a.BuscarIniPrinter(false);
        QCOMPARE(v.x, QStringLiteral("0,15"));
        QCOMPARE(v.y, QStringLiteral("0,20"));
        QCOMPARE(v.titulo, QStringLiteral("Valores actuales para Laser :"));
        QCOMPARE(v.orientacion, QStringLiteral("Orientación  Vertical"));
        a.ImprimirPrueba();
        QCOMPARE(b.impresoras.creadas.last()->de("linea").size(), 4);
        a.Cerrar();
        QCOMPARE(p.impresora.actual(), QStringLiteral("Chorro"));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    int r = 0;
    PruebaImpresion i;
    r |= QTest::qExec(&i, argc, argv);
    PruebaComandos c;
    r |= QTest::qExec(&c, argc, argv);
    return r;
}

#include "test_impresion.moc"
