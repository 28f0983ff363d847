// velquira-cli run as the operator's scripts run it: a separate process, the
// user's locale from the environment, hand-written job files.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Resultado {
    int codigo;
    QString salida;
    QString errores;
};

Resultado Cli(const QStringList& args, const QString& idioma = "es_ES.UTF-8") {
    static QTemporaryDir ajustes;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELQUIRA_AJUSTES", ajustes.path());
    env.insert("VELQUIRA_TIRADAS", ajustes.filePath("tiradas"));
    env.insert("LANG", idioma);
    env.insert("LC_ALL", idioma);
    p.setProcessEnvironment(env);
    p.start(VELQUIRA_CLI, args);
    if (!p.waitForFinished(60000))
        return {-1, {}, {}};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString Fixture(const QString& nombre) {
    return QStringLiteral(VELQUIRA_FIXTURES_DIR) + u'/' + nombre;
}
} // namespace

class PruebaCli : public QObject {
    Q_OBJECT
private slots:
    void info_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("salida");
        QTest::newRow("serie coma") << "serie_coma.zul"
                                    << "es_ES.UTF-8"
                                    << "Hoja: A4 (29,70 x 21,00 Cmts)\nOrientación: Horizontal\n"
                                       "Cuadros: 3\nHojas: 4\n";
        QTest::newRow("serie punto lf en ingles")
            << "serie_punto_lf.zul"
            << "en_US.UTF-8"
            << "Hoja: A4 (29.70 x 21.00 Cmts)\nOrientación: Horizontal\nCuadros: 3\nHojas: 4\n";
        QTest::newRow("serie punto lf en castellano")
            << "serie_punto_lf.zul"
            << "es_ES.UTF-8"
            << "Hoja: A4 (29,70 x 21,00 Cmts)\nOrientación: Horizontal\nCuadros: 3\nHojas: 4\n";
        QTest::newRow("vacio") << "vacio.zul"
                               << "es_ES.UTF-8"
                               << "Hoja: Carta (21,59 x 27,94 Cmts)\nOrientación: Vertical\n"
                                  "Cuadros: 0\nHojas: 0\n";
        QTest::newRow("cuadros borrados") << "huecos.zul"
                                          << "es_ES.UTF-8"
                                          << "Hoja: A4 (21,00 x 29,70 Cmts)\nOrientación: "
                                             "Vertical\nCuadros: 3\nHojas: 2\n";
        // The run lasts as long as its longest series, whatever the others do.
        QTest::newRow("series terminadas") << "serie_terminada.zul"
                                           << "es_ES.UTF-8"
                                           << "Hoja: Carta (21,59 x 27,94 Cmts)\nOrientación: "
                                              "Vertical\nCuadros: 3\nHojas: 131077\n";
    }
    void info() {
        QFETCH(QString, archivo);
        QFETCH(QString, idioma);
        const Resultado r = Cli({"info", Fixture(archivo)}, idioma);
        QCOMPARE(r.codigo, 0);
        QTEST(r.salida, "salida");
        QVERIFY(r.errores.isEmpty());
    }

    void textos_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("salida");
        QTest::newRow("serie entrelazada")
            << QStringList{"textos", Fixture("serie_coma.zul")}
            << "1\tNº 1\tNº 2\tNº 3\n2\tNº 4\tNº 5\tNº 6\n3\tNº 7\tNº 8\tNº 9\n4\tNº 10\t\t\n";
        QTest::newRow("mismo texto con lf y punto")
            << QStringList{"textos", Fixture("serie_punto_lf.zul")}
            << "1\tNº 1\tNº 2\tNº 3\n2\tNº 4\tNº 5\tNº 6\n3\tNº 7\tNº 8\tNº 9\n4\tNº 10\t\t\n";
        QTest::newRow("rango") << QStringList{"textos",  Fixture("serie_coma.zul"),
                                              "--desde", "2",
                                              "--hasta", "3"}
                               << "2\tNº 4\tNº 5\tNº 6\n3\tNº 7\tNº 8\tNº 9\n";
        QTest::newRow("hasta pasado el final")
            << QStringList{"textos", Fixture("serie_coma.zul"), "--desde", "4", "--hasta", "9"}
            << "4\tNº 10\t\t\n";
        QTest::newRow("cabecera antigua y euro")
            << QStringList{"textos", Fixture("antiguo.zul")}
            << "1\tRifa 00001 €\n2\tRifa 00002 €\n3\tRifa 00003 €\n";
        QTest::newRow("descendente se detiene en fin")
            << QStringList{"textos", Fixture("descendente.zul")}
            << "1\t010\t1\n2\t009\t2\n3\t008\t3\n4\t\t4\n5\t\t5\n";
        QTest::newRow("numeros grandes")
            << QStringList{"textos", Fixture("grande.zul")}
            << "1\t020000001\t12345680\n2\t020000002\t\n3\t020000003\t\n";
        QTest::newRow("sin cuadros") << QStringList{"textos", Fixture("vacio.zul")} << "";
        // A series that ended at the last 32-bit number prints nothing after
        // it; a step times the sheet past 32 bits still numbers its sheet.
        QTest::newRow("serie terminada en blanco")
            << QStringList{"textos", Fixture("serie_terminada.zul"), "--hasta", "4"}
            << "1\t1\t2147483647\t-2147483647\n2\t2\t\t-2147450880\n"
               "3\t3\t\t-2147418113\n4\t\t\t-2147385346\n";
        QTest::newRow("producto de más de 32 bits")
            << QStringList{"textos", Fixture("serie_terminada.zul"), "--desde", "65541", "--hasta",
                           "65541"}
            << "65541\t\t\t65533\n";
        QTest::newRow("última hoja")
            << QStringList{"textos", Fixture("serie_terminada.zul"), "--desde", "131077"}
            << "131077\t\t\t2147483645\n";
    }
    void textos() {
        QFETCH(QStringList, args);
        const Resultado r = Cli(args);
        QCOMPARE(r.codigo, 0);
        QTEST(r.salida, "salida");
    }

    void errores_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("sin orden") << QStringList{} << 2 << "Uso:";
        QTest::newRow("orden desconocida") << QStringList{"borrar", "x.zul"} << 2 << "Uso:";
        QTest::newRow("sin archivo") << QStringList{"info"} << 2 << "Uso:";
        QTest::newRow("desde no numerico")
            << QStringList{"textos", Fixture("vacio.zul"), "--desde", "uno"} << 2 << "Uso:";
        QTest::newRow("desde mayor que hasta")
            << QStringList{"textos", Fixture("vacio.zul"), "--desde", "5", "--hasta", "2"} << 2
            << "Uso:";
        QTest::newRow("no es trabajo") << QStringList{"info", Fixture("no_trabajo.zul")} << 3
                                       << "El archivo no es un archivo de Velquira válido";
        QTest::newRow("no existe")
            << QStringList{"textos", Fixture("no-existe.zul")} << 3 << "no-existe.zul";
        QTest::newRow("carpeta") << QStringList{"info", QStringLiteral(VELQUIRA_FIXTURES_DIR)} << 3
                                 << "";
    }
    void errores() {
        QFETCH(QStringList, args);
        QFETCH(QString, mensaje);
        const Resultado r = Cli(args);
        QTEST(r.codigo, "codigo");
        QVERIFY(r.salida.isEmpty());
        QVERIFY2(r.errores.contains(mensaje), qPrintable(r.errores));
    }

    // Asked for, the usage text is the one a mistake prints, on standard output.
    void ayuda_data() {
        QTest::addColumn<QString>("opcion");
        QTest::newRow("--help") << "--help";
        QTest::newRow("-h") << "-h";
    }
    void ayuda() {
        QFETCH(QString, opcion);
        const Resultado r = Cli({opcion});
        QCOMPARE(r.codigo, 0);
        QVERIFY(r.errores.isEmpty());
        QVERIFY(r.salida.startsWith(QStringLiteral("Uso:\n  velquira-cli info TRABAJO.zul\n")));
        const QString error = Cli({}).errores;
        QCOMPARE(r.salida, error.mid(error.indexOf(u'\n') + 1));
    }

    // A job cut short says so on standard error, whatever the command; the
    // commands that print refuse it (exit 3) unless told --forzar.
    void trabajoIncompleto_data() {
        QTest::addColumn<QStringList>("args"); // "@": the output PDF
        QTest::addColumn<int>("codigo");
        QTest::addColumn<bool>("pdf"); // the PDF was written
        const QString cortado = Fixture("danados/cortado.zul");
        QTest::newRow("info") << QStringList{"info", cortado} << 0 << false;
        QTest::newRow("textos") << QStringList{"textos", cortado, "--hasta", "2"} << 0 << false;
        QTest::newRow("pdf") << QStringList{"pdf", cortado, "@"} << 3 << false;
        QTest::newRow("pdf --forzar") << QStringList{"pdf", cortado, "@", "--forzar"} << 0 << true;
        QTest::newRow("imprimir") << QStringList{"imprimir", cortado, "--impresora", "Ninguna"} << 3
                                  << false;
    }
    void trabajoIncompleto() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("salida.pdf");
        args.replaceInStrings(QRegularExpression("^@$"), pdf);
        const Resultado r = Cli(args);
        QTEST(r.codigo, "codigo");
        QVERIFY2(
            r.errores.startsWith("El archivo está incompleto: al cuadro Nº 2 le faltan datos\n"),
            qPrintable(r.errores));
        QTEST(QFileInfo::exists(pdf), "pdf");
    }

    void trabajoEnteroSinAvisos() {
        QTemporaryDir dir;
        const Resultado r = Cli({"pdf", Fixture("serie_coma.zul"), dir.filePath("s.pdf")});
        QCOMPARE(r.codigo, 0);
        // Only where it writes, no warning.
        QCOMPARE(r.errores, QStringLiteral("Exportando a %1...\n").arg(dir.filePath("s.pdf")));
    }

    void saltoCeroEsFallo() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("cero.zul");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QFile base(Fixture("antiguo.zul"));
        QVERIFY(base.open(QIODevice::ReadOnly));
        QList<QByteArray> lineas = base.readAll().split('\n');
        lineas[7 + 12] = " 0 \r"; // Salto of the first box
        f.write(lineas.join('\n'));
        f.close();
        const Resultado r = Cli({"info", ruta});
        QCOMPARE(r.codigo, 1);
        QVERIFY2(r.errores.contains("División por cero"), qPrintable(r.errores));
    }
};

QTEST_GUILESS_MAIN(PruebaCli)
#include "test_cli.moc"
