// The program's own PDF writer against Qt's painter on a PDF device: the
// same calls into both, and the files looked at with poppler (every word's
// box, the extracted text), pdffonts (embedded subsets) and qpdf (a clean
// file). What the writer cannot draw exactly goes to Qt for the whole
// document, and the file is then Qt's.
#include "core/fallas/Falla.h"
#include "core/impresion/GeometriaImpresora.h"
#include "fakes/Externos.h"
#include "platform/Fuentes.h"
#include "platform/ImpresoraPdfPropia.h"
#include "platform/ImpresoraQt.h"

#include <QFontDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FuenteImpresion)

using namespace externos;

namespace {
constexpr double kPtPorMm = 72.0 / 25.4;
constexpr double kTolerancia = 0.05 * kPtPorMm; // 0.05 mm, in points

// The two files hold the same words, each within the tolerance of the other.
void CompararPalabras(const QString& propio, const QString& qt) {
    const auto a = Palabras(propio);
    const auto b = Palabras(qt);
    QVERIFY(!b.isEmpty());
    QCOMPARE(a.size(), b.size());
    for (qsizetype p = 0; p < a.size(); ++p) {
        QCOMPARE(a[p].size(), b[p].size());
        for (qsizetype i = 0; i < a[p].size(); ++i) {
            const Palabra& x = a[p][i];
            const Palabra& y = b[p][i];
            QCOMPARE(x.texto, y.texto);
            const double desvio = std::max({std::abs(x.caja.left() - y.caja.left()),
                                            std::abs(x.caja.top() - y.caja.top()),
                                            std::abs(x.caja.right() - y.caja.right()),
                                            std::abs(x.caja.bottom() - y.caja.bottom())});
            QVERIFY2(desvio <= kTolerancia,
                     qPrintable(QStringLiteral("«%1» en la página %2 se desvía %3 mm")
                                    .arg(x.texto)
                                    .arg(p + 1)
                                    .arg(desvio / kPtPorMm)));
        }
    }
    QCOMPARE(Ejecutar("pdftotext", {"-layout", propio, "-"}),
             Ejecutar("pdftotext", {"-layout", qt, "-"}));
}

void ComprobarLimpio(const QString& pdf) {
    int codigo = -1;
    const QString informe = Ejecutar("qpdf", {"--check", pdf}, &codigo);
    QVERIFY2(codigo == 0, qPrintable(informe));
    QVERIFY2(informe.contains("No syntax or stream encoding errors"), qPrintable(informe));
}

// Every font of the file embedded as a subset with a ToUnicode map.
void ComprobarSubconjuntos(const QString& pdf) {
    const QStringList lineas = Ejecutar("pdffonts", {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!lineas.isEmpty());
    static const QRegularExpression re(
        R"(^[A-Z]{6}\+\S+\s+CID TrueType\s+Identity-H\s+yes\s+yes\s+yes\s)");
    for (const QString& l : lineas)
        QVERIFY2(re.match(l).hasMatch(), qPrintable(l));
}

struct Caja {
    QString texto;
    FuenteImpresion fuente;
    int grados = 0;
    double x = 0; // twips
    double y = 0;
    qint32 color = 0;
};

// Draws the boxes as a run does (ImprimirHojas), `paginas` times, with a few
// lines of the calibration sheet on the first page.
void Dibujar(Impresora& imp, const QList<Caja>& cajas, int paginas) {
    for (int p = 0; p < paginas; ++p) {
        if (p > 0)
            imp.nuevaPagina();
        for (const Caja& c : cajas) {
            imp.imprimirLineaVacia();
            imp.fijarColor(c.color);
            if (c.grados != 0) {
                Cuadro q;
                EscribirFuente(q, c.fuente);
                q.Rotacion = qint16(c.grados);
                q.Color = c.color;
                ImprimirTextoRotado(imp, q, c.texto + QString::number(p), c.x, c.y);
                continue;
            }
            imp.fijarPosicion(c.x, c.y);
            imp.fijarFuente(c.fuente);
            imp.imprimirTexto(c.texto + QString::number(p));
        }
        if (p == 0) {
            imp.fijarColor(0x0000FF);
            imp.dibujarLinea(1000, 1000, 3000, 1000);
            imp.dibujarLinea(1000, 1000, 1000, 4000);
        }
    }
    imp.terminarDocumento();
}

FuenteImpresion Fuente(const QString& nombre, double puntos, bool negrita = false,
                       bool cursiva = false, bool subrayado = false, bool tachado = false) {
    return {nombre, puntos, negrita, cursiva, subrayado, tachado};
}

// The writer's own copy of Liberation Sans with its glyph outlines cut off,
// registered under a family of its own ("Liberation Dano").
QString RegistrarFuenteDanada() {
    QFile f("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray d = f.readAll();
    const auto cambiar = [&d](const QString& de, const QString& a) {
        d.replace(de.toLatin1(), a.toLatin1());
        QByteArray de16, a16;
        for (const QChar c : de)
            de16 += QByteArray(1, '\0') + char(c.unicode());
        for (const QChar c : a)
            a16 += QByteArray(1, '\0') + char(c.unicode());
        d.replace(de16, a16);
    };
    cambiar("Liberation Sans", "Liberation Dano");
    cambiar("LiberationSans", "LiberationDano");
    // The table directory: the glyf table is said to be 16 bytes long.
    const int tablas = (uchar(d[4]) << 8) | uchar(d[5]);
    for (int i = 0; i < tablas; ++i) {
        const int e = 12 + 16 * i;
        if (d.mid(e, 4) == "glyf") {
            d[e + 12] = d[e + 13] = d[e + 14] = 0;
            d[e + 15] = 16;
        }
    }
    const int id = QFontDatabase::addApplicationFontFromData(d);
    return id < 0 ? QString() : QFontDatabase::applicationFontFamilies(id).value(0);
}
} // namespace

class PruebaPdfPropio : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // The same drawing through both printer objects; the writer's must not
    // have fallen back.
    void DibujarAmbos(const QList<Caja>& cajas, qint32 ancho, qint32 alto, int paginas,
                      QString* propio, QString* qt) {
        *propio = m_dir.filePath(QStringLiteral("propio.pdf"));
        *qt = m_dir.filePath(QStringLiteral("qt.pdf"));
        ImpresoraPdfPropia a(*propio, ancho, alto);
        ImpresoraPdf b(*qt, ancho, alto);
        QCOMPARE(a.geometria().anchoFisico, b.geometria().anchoFisico);
        QCOMPARE(a.geometria().altoFisico, b.geometria().altoFisico);
        QCOMPARE(a.anchoPagina(), b.anchoPagina());
        for (const Caja& c : cajas) {
            // The run lays turned texts out with these measures.
            a.fijarFuente(c.fuente);
            b.fijarFuente(c.fuente);
            QCOMPARE(a.anchoTexto(c.texto), b.anchoTexto(c.texto));
            QCOMPARE(a.altoCelda(), b.altoCelda());
        }
        Dibujar(a, cajas, paginas);
        Dibujar(b, cajas, paginas);
        QCOMPARE(a.motivoRespaldo(), QString());
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        RegistrarFuentes();
        for (const char* programa : {"pdftotext", "pdffonts", "qpdf"})
            QVERIFY2(!QStandardPaths::findExecutable(programa).isEmpty(),
                     qPrintable(QStringLiteral("falta %1 (poppler-utils, qpdf)").arg(programa)));
    }

    void igualQueQt_data() {
        QTest::addColumn<FuenteImpresion>("fuente");
        QTest::addColumn<int>("grados");
        QTest::addColumn<bool>("apaisada");
        QTest::addColumn<QString>("texto");
        const QString sans = QStringLiteral("Arial"); // Liberation Sans, through fontconfig
        const QString serif = QStringLiteral("Times New Roman");
        const QString tahoma = QStringLiteral("Tahoma");
        const QString dejavu = QStringLiteral("DejaVu Sans");
        QTest::newRow("sans 12") << Fuente(sans, 12) << 0 << false << "Nº 000123 €";
        QTest::newRow("sans 6 subrayada 90")
            << Fuente(sans, 6, false, false, true) << 90 << false << "Factura Nº 1.234,56 €";
        QTest::newRow("serif 10 180") << Fuente(serif, 10) << 180 << false << "Índice ñandú 0045";
        QTest::newRow("serif 72 tachada 270 apaisada")
            << Fuente(serif, 72, false, false, false, true) << 270 << true << "Nº 42";
        QTest::newRow("tahoma 11 negrita")
            << Fuente(tahoma, 11, true) << 0 << false << "Nº 1.234,56 €";
        QTest::newRow("tahoma 14 cursiva sintética 90")
            << Fuente(tahoma, 14, false, true) << 90 << true << "Recibo Nº 0007";
        QTest::newRow("tahoma 24 negrita cursiva 270")
            << Fuente(tahoma, 24, true, true, true) << 270 << false << "àéíóú ÀÉÍÓÚ ç";
        QTest::newRow("dejavu 8 cursiva 270")
            << Fuente(dejavu, 8, false, true) << 270 << false << "àéíóú ÀÉÍÓÚ ç ü";
        QTest::newRow("dejavu 36 negrita 180 apaisada")
            << Fuente(dejavu, 36, true) << 180 << true << "€ 99 Nº";
        QTest::newRow("serif 9.5 negrita cursiva")
            << Fuente(serif, 9.5, true, true) << 0 << true << "Serie «B» 0001";
        QTest::newRow("sans 30 kerning") << Fuente(sans, 30) << 0 << false << "Nº 111 AVA To 711";
        QTest::newRow("negrita sintética")
            << Fuente("DejaVu Math TeX Gyre", 12, true) << 0 << false << "Nº 000001";
        QTest::newRow("fuente inexistente")
            << Fuente("Ninguna Fuente Así", 16) << 90 << false << "Nº 000777";
    }

    void igualQueQt() {
        QFETCH(FuenteImpresion, fuente);
        QFETCH(int, grados);
        QFETCH(bool, apaisada);
        QFETCH(QString, texto);
        const qint32 ancho = apaisada ? 16840 : 11907; // A4
        const qint32 alto = apaisada ? 11907 : 16840;
        const QList<Caja> cajas = {
            {texto, fuente, grados, 2000, 3000, 0},
            {texto + u' ', fuente, grados, 7000, 9000, 0x0000C0},
            {QStringLiteral("000123 "), Fuente("Arial", 12), 0, 567, 567, 0x808080},
        };
        QString propio, qt;
        DibujarAmbos(cajas, ancho, alto, 2, &propio, &qt);
        CompararPalabras(propio, qt);
        ComprobarSubconjuntos(propio);
        ComprobarLimpio(propio);
        // Never larger than Qt's.
        QVERIFY(QFileInfo(propio).size() <= QFileInfo(qt).size());
    }

    // Things the writer does not draw itself: the whole document is Qt's,
    // as if Qt had drawn it from the start, and the reason is kept.
    void respaldo_data() {
        QTest::addColumn<QString>("familia");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("carácter ausente") << "Arial"
                                          << "Revisado ✓ 12"
                                          << "no tiene el carácter «✓» (U+2713)";
        QTest::newRow("árabe") << "DejaVu Sans"
                               << "رقم 12"
                               << "derecha a izquierda";
        QTest::newRow("devanagari") << "DejaVu Sans"
                                    << "अंक 12"
                                    << "escritura";
        QTest::newRow("tabulador") << "Arial"
                                   << "Nº\t12"
                                   << "carácter de control";
        QTest::newRow("acento suelto")
            << "Arial" << QString::fromUtf8("Nu\xCC\x81mero") << "combinación";
        QTest::newRow("fuente dañada") << "Liberation Dano"
                                       << "Nº 000001"
                                       << "dañada";
    }

    void respaldo() {
        QFETCH(QString, familia);
        QFETCH(QString, texto);
        QFETCH(QString, motivo);
        if (familia == u"Liberation Dano" && RegistrarFuenteDanada() != familia)
            QSKIP("Qt no registra la copia dañada de Liberation Sans");
        const QString propio = m_dir.filePath(QStringLiteral("respaldo.pdf"));
        const QString qt = m_dir.filePath(QStringLiteral("respaldo-qt.pdf"));
        // The text Qt must take comes on the last page, after pages the
        // writer had already written.
        const QList<Caja> antes = {
            {QStringLiteral("Nº 000001 "), Fuente("Arial", 12), 90, 3000, 3000, 0x00A000}};
        const QList<Caja> cajas = {
            {texto + u' ', Fuente(familia, 14, false, true), 0, 2000, 5000, 0}};
        const auto correr = [&](Impresora& imp) {
            for (int p = 0; p < 3; ++p) {
                if (p > 0)
                    imp.nuevaPagina();
                for (const Caja& c : antes) {
                    imp.imprimirLineaVacia();
                    imp.fijarColor(c.color);
                    Cuadro q;
                    EscribirFuente(q, c.fuente);
                    q.Rotacion = qint16(c.grados);
                    ImprimirTextoRotado(imp, q, c.texto + QString::number(p), c.x, c.y);
                }
            }
            Dibujar(imp, cajas, 1);
        };
        ImpresoraPdfPropia a(propio, 11907, 16840);
        ImpresoraPdf b(qt, 11907, 16840);
        correr(a);
        correr(b);
        QVERIFY2(a.motivoRespaldo().contains(motivo), qPrintable(a.motivoRespaldo()));
        ComprobarLimpio(propio);
        CompararPalabras(propio, qt);
        // Nothing of the writer's document is left beside the path.
        QCOMPARE(QDir(m_dir.path()).entryList({"respaldo.pdf.*"}, QDir::Files), QStringList());
    }

    // An abandoned or never ended export leaves the path as it was; the next
    // document from the same object is complete.
    void abandonoDejaLoQueHabia() {
        const QString ruta = m_dir.filePath(QStringLiteral("existente.pdf"));
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("lo que había");
        }
        const QList<Caja> cajas = {{QStringLiteral("Nº 1 "), Fuente("Arial", 12), 0, 567, 567, 0}};
        {
            ImpresoraPdfPropia imp(ruta, 11907, 16840);
            imp.imprimirLineaVacia();
            imp.fijarPosicion(567, 567);
            imp.imprimirTexto(QStringLiteral("Nº 000001"));
            QVERIFY(imp.documentoAbierto());
            imp.abortarDocumento();
            QVERIFY(!imp.documentoAbierto());
            QCOMPARE(QFile(ruta).size(), qint64(QByteArray("lo que había").size()));
            imp.imprimirTexto(QStringLiteral("Nº 000002"));
            imp.nuevaPagina();
        } // destroyed without an end
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("lo que había"));
        f.close();
        QCOMPARE(QDir(m_dir.path()).entryList({"existente.pdf.*"}, QDir::Files), QStringList());
        ImpresoraPdfPropia imp(ruta, 11907, 16840);
        Dibujar(imp, cajas, 3);
        ComprobarLimpio(ruta);
        const auto paginas = Palabras(ruta);
        QCOMPARE(paginas.size(), 3);
        QCOMPARE(paginas[2].last().texto, QStringLiteral("2"));
    }

    // A destination the export refuses is said before anything is written.
    void destinoInvalido() {
        ImpresoraPdfPropia imp(m_dir.filePath(QStringLiteral("no/existe/x.pdf")), 11907, 16840);
        try {
            imp.imprimirLineaVacia();
            QFAIL("se abrió un documento en una carpeta que no existe");
        } catch (const Falla& f) {
            QVERIFY2(f.descripcion.contains(QStringLiteral("La ruta no existe")),
                     qPrintable(f.descripcion));
        }
        QVERIFY(!imp.documentoAbierto());
    }

    // Exports to files go through the writer; pipes and devices, and
    // VELQUIRA_PDF=qt, through Qt.
    void catalogo() {
        CatalogoImpresorasQt catalogo;
        const QString ruta = m_dir.filePath(QStringLiteral("catalogo.pdf"));
        QVERIFY(dynamic_cast<ImpresoraPdfPropia*>(catalogo.crearPdf(ruta, 11907, 16840).get()));
        QVERIFY(dynamic_cast<ImpresoraPdf*>(
            catalogo.crearPdf(QStringLiteral("/dev/null"), 11907, 16840).get()));
        qputenv("VELQUIRA_PDF", "qt");
        const bool qt = dynamic_cast<ImpresoraPdf*>(catalogo.crearPdf(ruta, 11907, 16840).get());
        qunsetenv("VELQUIRA_PDF");
        QVERIFY(qt);
    }
};

QTEST_MAIN(PruebaPdfPropio)
#include "test_pdf_propio.moc"
