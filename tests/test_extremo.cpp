// End to end: job files exported to PDF and printed through a real CUPS
// queue, with the pages looked at as an operator would (text boxes and ink).
// The queue is the tests' own (scripts/cups.sh, named in VELQUIRA_COLA).
#include "core/impresion/Correccion.h"
#include "core/impresion/GeometriaImpresora.h"
#include "fakes/Externos.h"
#include "platform/ImpresoraQt.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace externos;

namespace {
constexpr double kPtPorMm = 72.0 / 25.4;

int Paginas(const QString& pdf) {
    const QString info = Ejecutar("pdfinfo", {pdf});
    static const QRegularExpression re(R"(Pages:\s+(\d+))");
    return re.match(info).captured(1).toInt();
}

// Page 1 at `ppp` dots per inch, grey.
QImage Pagina(const QString& pdf, int ppp, const QString& carpeta, int pagina = 1) {
    const QString base = carpeta + "/pagina";
    Ejecutar("pdftoppm", {"-r", QString::number(ppp), "-gray", "-f", QString::number(pagina), "-l",
                          QString::number(pagina), "-singlefile", "-png", pdf, base});
    return QImage(base + ".png");
}

// The ink inside `zona` (points), as a rectangle in points.
QRectF Tinta(const QImage& img, int ppp, const QRectF& zona) {
    const double f = ppp / 72.0;
    const QRect r = QRect(QPoint(int(zona.left() * f), int(zona.top() * f)),
                          QPoint(int(zona.right() * f), int(zona.bottom() * f)))
                        .intersected(img.rect());
    int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uchar* fila = img.constScanLine(y);
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qGray(img.pixel(x, y)) < 128) {
                Q_UNUSED(fila);
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0)
        return {};
    return QRectF(QPointF(x0 / f, y0 / f), QPointF((x1 + 1) / f, (y1 + 1) / f));
}

// The PDF the queue writes for a job just sent: the first complete one in
// `salida` not among `antes` (waits up to two minutes).
QString PdfNuevo(const QDir& salida, const QStringList& antes) {
    for (int i = 0; i < 600; ++i) {
        QTest::qWait(200);
        for (const QString& n : salida.entryList({"*.pdf"}, QDir::Files))
            if (!antes.contains(n) && Paginas(salida.filePath(n)) > 0)
                return salida.filePath(n);
    }
    return {};
}

// A4 portrait, four boxes 1 cm apart turned 0, 90, 180 and 270 degrees, two sheets.
QByteArray TrabajoGirado() {
    QList<CuadroArchivo> cuadros;
    const int pos[4][3] = {{2835, 2835, 0}, {5670, 2835, 90}, {2835, 5670, 180}, {5670, 5670, 270}};
    for (int i = 0; i < 4; ++i) {
        const int inicio = 1 + 10 * i;
        cuadros.append({pos[i][0], pos[i][1], inicio, inicio + 1, pos[i][2], 4});
    }
    return TextoTrabajo({11907, 16840}, cuadros);
}
} // namespace

class PruebaExtremo : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QString m_trabajo;

    QString Cli(const QStringList& args, int* codigo) {
        return Ejecutar(VELQUIRA_CLI, args, codigo, m_env);
    }

private slots:
    void initTestCase() {
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("VELQUIRA_AJUSTES", m_dir.filePath("ajustes"));
        m_env.insert("VELQUIRA_TIRADAS", m_dir.filePath("tiradas"));
        m_env.insert("LANG", "es_ES.UTF-8");
        m_trabajo = m_dir.filePath("girado.zul");
        QFile f(m_trabajo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(TrabajoGirado());
        f.close();
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils no está instalado (./test.sh lo instala)");
    }

    void pdfColocaCadaTextoEnSuSitio_data() {
        QTest::addColumn<int>("cuadro");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QPointF>("esquina"); // twips
        QTest::newRow("0") << 0 << "0001" << QPointF(2835, 2835);
        QTest::newRow("90") << 1 << "0011" << QPointF(5670, 2835);
        QTest::newRow("180") << 2 << "0021" << QPointF(2835, 5670);
        QTest::newRow("270") << 3 << "0031" << QPointF(5670, 5670);
    }
    void pdfColocaCadaTextoEnSuSitio() {
        QFETCH(int, cuadro);
        QFETCH(QString, texto);
        QFETCH(QPointF, esquina);
        const QString pdf = m_dir.filePath("girado.pdf");
        int codigo = -1;
        const QString salida = Cli({"pdf", m_trabajo, pdf}, &codigo);
        QVERIFY2(codigo == 0, qPrintable(salida));
        QCOMPARE(Paginas(pdf), 2);
        const auto paginas = Palabras(pdf);
        QCOMPARE(paginas.size(), 2);
        QCOMPARE(paginas[0].size(), 4);
        const Palabra& p = paginas[0][cuadro];
        QCOMPARE(p.texto, texto);
        // The text's box starts at the box's corner, to a fraction of a millimetre.
        QVERIFY2(qAbs(p.caja.left() - esquina.x() / 20) < 0.5 * kPtPorMm,
                 qPrintable(QString::number(p.caja.left())));
        QVERIFY2(qAbs(p.caja.top() - esquina.y() / 20) < 0.5 * kPtPorMm,
                 qPrintable(QString::number(p.caja.top())));
        QCOMPARE(paginas[1][cuadro].texto,
                 QString::number(texto.toInt() + 1).rightJustified(4, '0'));
    }

    void pruebaYRangoDeHojas() {
        const QString pdf = m_dir.filePath("rango.pdf");
        int codigo = -1;
        Cli({"pdf", m_trabajo, pdf, "--desde", "2", "--hasta", "2"}, &codigo);
        QCOMPARE(codigo, 0);
        QCOMPARE(Paginas(pdf), 1);
        QCOMPARE(Palabras(pdf)[0][0].texto, QStringLiteral("0002"));
        Cli({"pdf", m_trabajo, pdf, "--prueba"}, &codigo);
        QCOMPARE(codigo, 0);
        QCOMPARE(Paginas(pdf), 1);
        QCOMPARE(Palabras(pdf)[0][0].texto, QStringLiteral("0001"));
    }

    void imprimirPorCupsConCorreccion() {
        const QString cola = qEnvironmentVariable("VELQUIRA_COLA");
        const QString carpeta = qEnvironmentVariable("VELQUIRA_COLA_DIR");
        if (cola.isEmpty())
            QSKIP("sin impresora de prueba (./test.sh la crea)");
        {
            // The queue's paper has an unprintable margin: the offset path is used.
            ImpresoraQt imp(cola);
            QVERIFY(MargenIzquierdo(imp) > 0.5f);
            QVERIFY(MargenSuperior(imp) > 1.0f);
        }
        // This printer puts marks 2 mm right and 3 mm up of where it is told.
        const QString ini = m_dir.filePath("ajustes/ZUL Velquira®.ini");
        QDir().mkpath(m_dir.filePath("ajustes"));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[%1]\nXx=\"113,4\"\nYx=\"-170,1\"\n").arg(cola).toUtf8());
        f.close();

        QDir salida(carpeta);
        const QStringList antes = salida.entryList({"*.pdf"}, QDir::Files);
        int codigo = -1;
        const QString mensajes = Cli({"imprimir", m_trabajo, "--impresora", cola}, &codigo);
        QVERIFY2(codigo == 0, qPrintable(mensajes));
        const QString impreso = PdfNuevo(salida, antes);
        QVERIFY2(!impreso.isEmpty(), "CUPS no produjo el PDF");
        QCOMPARE(Paginas(impreso), 2);

        const QString exacto = m_dir.filePath("exacto.pdf");
        Cli({"pdf", m_trabajo, exacto}, &codigo);
        QCOMPARE(codigo, 0);
        const int ppp = 300;
        QTemporaryDir a, b;
        const QImage papel = Pagina(impreso, ppp, a.path());
        const QImage ideal = Pagina(exacto, ppp, b.path());
        QVERIFY(!papel.isNull() && !ideal.isNull());
        const QPointF correccion(113.4 / 20, -170.1 / 20); // points
        const QRectF zonas[] = {QRectF(100, 100, 130, 80), QRectF(250, 100, 80, 130),
                                QRectF(100, 240, 130, 80), QRectF(250, 240, 80, 130)};
        for (const QRectF& z : zonas) {
            const QRectF donde = Tinta(ideal, ppp, z);
            const QRectF real = Tinta(papel, ppp, z);
            QVERIFY(!donde.isEmpty() && !real.isEmpty());
            const QPointF desvio = real.topLeft() - (donde.topLeft() - correccion);
            QVERIFY2(
                qAbs(desvio.x()) < 0.5 * kPtPorMm && qAbs(desvio.y()) < 0.5 * kPtPorMm,
                qPrintable(QStringLiteral("desvío %1, %2 pt").arg(desvio.x()).arg(desvio.y())));
            QVERIFY(qAbs(real.width() - donde.width()) < 0.5 * kPtPorMm);
        }
    }

    // A hand-edited correction of 1e308 would print everything off the page:
    // the run refuses it as a damaged setting, with a failure exit, before
    // the document is begun.
    void correccionDanadaNoImprime() {
        const QString cola = qEnvironmentVariable("VELQUIRA_COLA");
        if (cola.isEmpty())
            QSKIP("sin impresora de prueba (./test.sh la crea)");
        QTemporaryDir ajustes;
        QFile f(ajustes.filePath("ZUL Velquira®.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[%1]\nXx=1e308\nYx=0\n").arg(cola).toUtf8());
        f.close();
        QProcessEnvironment env = m_env;
        env.insert("VELQUIRA_AJUSTES", ajustes.path());
        env.insert("VELQUIRA_TIRADAS", ajustes.filePath("tiradas"));
        int codigo = -1;
        const QString mensajes =
            Ejecutar(VELQUIRA_CLI, {"imprimir", m_trabajo, "--impresora", cola}, &codigo, env);
        QCOMPARE(codigo, 1);
        QVERIFY2(mensajes.contains("Los ajustes están dañados: la corrección Xx = 1e308"),
                 qPrintable(mensajes));
    }

    void paginaDePruebaMideDiezCentimetros() {
        const QString cola = qEnvironmentVariable("VELQUIRA_COLA");
        const QString carpeta = qEnvironmentVariable("VELQUIRA_COLA_DIR");
        if (cola.isEmpty())
            QSKIP("sin impresora de prueba (./test.sh la crea)");
        QDir salida(carpeta);
        const QStringList antes = salida.entryList({"*.pdf"}, QDir::Files);
        double l = 0, t = 0; // the printable area's corner on the paper, points
        QRectF imprimible;   // points
        {
            ImpresoraQt imp(cola);
            l = MargenIzquierdo(imp) * 10 * kPtPorMm;
            t = MargenSuperior(imp) * 10 * kPtPorMm;
            const GeometriaDispositivo g = imp.geometria();
            imprimible = QRectF(l, t, g.anchoImprimible * 72 / g.puntosPorPulgadaX,
                                g.altoImprimible * 72 / g.puntosPorPulgadaY);
            ImprimirPrueba(imp);
        }
        const QString impreso = PdfNuevo(salida, antes);
        QVERIFY2(!impreso.isEmpty(), "CUPS no produjo el PDF");
        QTemporaryDir dir;
        const int ppp = 300;
        const QImage img = Pagina(impreso, ppp, dir.path());
        const double diez = 100 * kPtPorMm;
        // The lines run through the middle of the printable coordinates.
        const double lineaX = img.width() * 72.0 / ppp / 2 + l;
        const double lineaY = img.height() * 72.0 / ppp / 2 + t;
        // The short vertical mark crossing the horizontal line: 10 cm from the
        // paper's left edge. Looked for just above the line.
        const QRectF marcaX = Tinta(img, ppp, QRectF(diez - 20, lineaY - 4.5, 40, 3));
        QVERIFY(!marcaX.isEmpty());
        QVERIFY2(qAbs(marcaX.center().x() - diez) < 0.5 * kPtPorMm,
                 qPrintable(QString::number(marcaX.center().x() / kPtPorMm)));
        // The short horizontal mark on the vertical line: 10 cm from the top.
        const QRectF marcaY = Tinta(img, ppp, QRectF(lineaX + 1.5, diez - 20, 3, 40));
        QVERIFY(!marcaY.isEmpty());
        QVERIFY2(qAbs(marcaY.center().y() - diez) < 0.5 * kPtPorMm,
                 qPrintable(QString::number(marcaY.center().y() / kPtPorMm)));
        // Every word of both captions inside the printable area (on A4
        // portrait the top one is broken into lines to fit). The queue's PDF
        // keeps no text encoding: the words are counted, not read.
        const QList<QList<Palabra>> paginas = Palabras(impreso);
        QCOMPARE(paginas.size(), 1);
        QCOMPARE(paginas[0].size(), 2 * 13); // "Debería medir ... Y = 10 Cm": 13 words
        for (const Palabra& p : paginas[0]) {
            QVERIFY2(imprimible.adjusted(-0.5, -0.5, 0.5, 0.5).contains(p.caja),
                     qPrintable(p.texto + QStringLiteral(" en %1,%2 - %3,%4")
                                              .arg(p.caja.left())
                                              .arg(p.caja.top())
                                              .arg(p.caja.right())
                                              .arg(p.caja.bottom())));
        }
    }
};

QTEST_MAIN(PruebaExtremo)
#include "test_extremo.moc"
