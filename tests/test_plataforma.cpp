// The settings store on disk.
#include "core/trabajo/Preferencias.h"
#include "platform/AjustesQt.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A settings file of `tamano` bytes that sets Cifras to 7.
void ArchivoGrande(const QString& ruta, qint64 tamano) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QByteArray b("[Settings]\nCifras=7\n");
    for (int i = 0; b.size() < tamano; ++i)
        b += "[Impresora" + QByteArray::number(i) + "]\nXx=1\nYx=2\n";
    f.write(b);
}
} // namespace

class PruebaPlataforma : public QObject {
    Q_OBJECT
private slots:
    void clavesSinDistinguirMayusculas() {
        QTemporaryDir dir;
        {
            AjustesQt a(dir.path());
            a.escribirTexto(Aplicacion::Producto, "UltRegla", "1");
            a.escribirTexto(Aplicacion::Titulo, "InitDir", "/trabajos/a.zul");
            // The open command writes "Initdir": the same key.
            a.escribirTexto(Aplicacion::Titulo, "Initdir", "/trabajos/b.zul");
            a.escribir(Aplicacion::Titulo, "PDF", "Xx", "120");
        }
        AjustesQt a(dir.path());
        QCOMPARE(a.texto(Aplicacion::Producto, "ULTREGLA", {}), QStringLiteral("1"));
        QCOMPARE(a.texto(Aplicacion::Titulo, "initdir", {}), QStringLiteral("/trabajos/b.zul"));
        QCOMPARE(a.leer(Aplicacion::Titulo, "pdf", "XX").value_or(""), QStringLiteral("120"));
        // Two application names, two stores.
        QVERIFY(!a.leer(Aplicacion::Producto, "Settings", "InitDir").has_value());
        QVERIFY(QFileInfo::exists(dir.filePath("ZUL Velquira®.ini")));
        QVERIFY(QFileInfo::exists(dir.filePath("ZUL Velquira.ini")));
        QFile f(dir.filePath("ZUL Velquira®.ini"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()).count("nitdir=", Qt::CaseInsensitive), 1);
    }

    void valoresConComasYFaltantes() {
        QTemporaryDir dir;
        AjustesQt a(dir.path());
        a.escribirTexto(Aplicacion::Producto, "FontSize", "10,5");
        Preferencias(a, QLocale(QLocale::Spanish, QLocale::Spain))
            .escribirBooleano(Aplicacion::Producto, "FontBold", true);
        AjustesQt b(dir.path());
        QCOMPARE(b.texto(Aplicacion::Producto, "FontSize", {}), QStringLiteral("10,5"));
        QCOMPARE(Preferencias(b).real(Aplicacion::Producto, "FontSize", 0), 10.5);
        QCOMPARE(b.texto(Aplicacion::Producto, "FontBold", {}), QStringLiteral("Verdadero"));
        QVERIFY(Preferencias(b).booleano(Aplicacion::Producto, "FontBold", false));
        QCOMPARE(Preferencias(b).entero(Aplicacion::Producto, "Cifras", 5), 5);
        a.escribirTexto(Aplicacion::Producto, "Cifras", "cinco");
        QCOMPARE(Preferencias(b).entero(Aplicacion::Producto, "Cifras", 5), 5);
    }

    // The files stay in QSettings' form: what either writes, the other reads
    // as written, and a write leaves the other lines alone.
    void formaDeQSettings_data() {
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::newRow("decimal") << "Settings"
                                 << "FontSize"
                                 << "10,5";
        QTest::newRow("palabra") << "Settings"
                                 << "HOrienta"
                                 << "Verdadero";
        QTest::newRow("ruta") << "Settings"
                              << "InitDir"
                              << "/home/a b/c ñ.zul";
        QTest::newRow("ruta windows") << "Settings"
                                      << "InitDir"
                                      << "\\\\servidor\\a;b.zul";
        QTest::newRow("blancos") << "Settings"
                                 << "FontName"
                                 << "  Arial ";
        QTest::newRow("signos") << "Settings"
                                << "Printer"
                                << "a;b=c,d";
        QTest::newRow("arroba") << "Settings"
                                << "Printer"
                                << "@ByteArray(x)";
        QTest::newRow("control") << "Settings"
                                 << "Printer" << QString("t\tz") + QChar(1) + "9\"\\";
        QTest::newRow("vacio") << "Settings"
                               << "Printer"
                               << "";
        QTest::newRow("impresora") << "HP LaserJet ñ 100%"
                                   << "Xx"
                                   << "-56,5";
    }
    void formaDeQSettings() {
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        QTemporaryDir dir;
        const QString ruta = dir.filePath("ZUL Velquira®.ini");
        {
            QSettings qt(ruta, QSettings::IniFormat);
            qt.setValue("Settings/HName", "A4");
            qt.setValue(seccion + '/' + clave, valor);
            qt.setValue("Otra/Yx", "3");
        }
        {
            AjustesQt a(dir.path());
            QCOMPARE(a.leer(Aplicacion::Titulo, seccion.toUpper(), clave.toLower()).value_or("-"),
                     valor);
            a.escribir(Aplicacion::Titulo, seccion, clave, valor + "2");
            a.escribir(Aplicacion::Titulo, "Nueva " + seccion, clave, valor);
        }
        QSettings qt(ruta, QSettings::IniFormat);
        QCOMPARE(qt.value(seccion + '/' + clave).toString(), valor + "2");
        QCOMPARE(qt.value("Nueva " + seccion + '/' + clave).toString(), valor);
        QCOMPARE(qt.value("Settings/HName").toString(), QStringLiteral("A4"));
        QCOMPARE(qt.value("Otra/Yx").toString(), QStringLiteral("3"));
        QCOMPARE(qt.allKeys().size(), 4);
    }

    // A value QSettings would deserialize (here one that asks for 49 GB) is
    // only text to the store; the rest of the file reads and writes as usual.
    void valorSerializadoEsTexto() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("ZUL Velquira.ini");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray variante = "@Variant(\\0\\0\\0\\x9\\\\\a0\\\\70x0)";
        f.write("[Settings]\nCifras=" + variante + "\nVerRegla=2\n");
        f.close();
        AjustesQt a(dir.path());
        QCOMPARE(Preferencias(a).entero(Aplicacion::Producto, "Cifras", 5), 5);
        QCOMPARE(Preferencias(a).entero(Aplicacion::Producto, "VerRegla", 1), 2);
        a.escribirTexto(Aplicacion::Producto, "VerRegla", "0");
        QCOMPARE(Leer(ruta), "[Settings]\nCifras=" + variante + "\nVerRegla=0\n");
    }

    // A write merges with what another copy of the program stored meanwhile.
    void escribirConservaLoDeOtraCopia() {
        QTemporaryDir dir;
        AjustesQt a(dir.path());
        {
            AjustesQt otra(dir.path());
            otra.escribirTexto(Aplicacion::Producto, "Printer", "Laser");
        }
        a.escribirTexto(Aplicacion::Producto, "Cifras", "6");
        AjustesQt b(dir.path());
        QCOMPARE(b.texto(Aplicacion::Producto, "Printer", {}), QStringLiteral("Laser"));
        QCOMPARE(b.texto(Aplicacion::Producto, "Cifras", {}), QStringLiteral("6"));
    }

    void archivoEnormeNoSeLee() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("ZUL Velquira.ini");
        ArchivoGrande(ruta, 2 * kMaxArchivoAjustes);
        const QByteArray antes = Leer(ruta);
        AjustesQt a(dir.path());
        QCOMPARE(a.avisos().size(), 1);
        QVERIFY(a.avisos()[0].startsWith(
            QStringLiteral("El archivo de ajustes %1 es demasiado grande").arg(ruta)));
        QCOMPARE(Preferencias(a).entero(Aplicacion::Producto, "Cifras", 5), 5);
        // The program goes on with what it is told, and the file stays as it was.
        a.escribirTexto(Aplicacion::Producto, "Cifras", "9");
        QCOMPARE(Preferencias(a).entero(Aplicacion::Producto, "Cifras", 5), 9);
        QCOMPARE(Leer(ruta), antes);
        // The other file is the program's as always.
        a.escribirTexto(Aplicacion::Titulo, "HName", "A4");
        QCOMPARE(AjustesQt(dir.path()).texto(Aplicacion::Titulo, "HName", {}),
                 QStringLiteral("A4"));
        // Just under the limit it is read.
        ArchivoGrande(ruta, kMaxArchivoAjustes - 100);
        AjustesQt b(dir.path());
        QVERIFY(b.avisos().isEmpty());
        QCOMPARE(Preferencias(b).entero(Aplicacion::Producto, "Cifras", 5), 7);
    }

    void archivoQueNoEsComunNoSeLee() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("ZUL Velquira®.ini");
        // Opening a FIFO nobody writes to would wait for ever.
        QCOMPARE(QProcess::execute("mkfifo", {ruta}), 0);
        AjustesQt a(dir.path());
        QCOMPARE(a.avisos().size(), 1);
        QVERIFY(a.avisos()[0].contains("no es un archivo común"));
        QCOMPARE(a.texto(Aplicacion::Titulo, "HName", "Carta"), QStringLiteral("Carta"));
    }

    // The batch tool says so on standard error and does its work with the defaults.
    void consolaAvisaDelArchivoEnorme() {
        QTemporaryDir dir;
        ArchivoGrande(dir.filePath("ZUL Velquira®.ini"), 40 * 1024 * 1024);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELQUIRA_AJUSTES", dir.path());
        env.insert("VELQUIRA_TIRADAS", dir.filePath("tiradas"));
        env.insert("LC_ALL", "es_ES.UTF-8");
        p.setProcessEnvironment(env);
        p.start(VELQUIRA_CLI, {"info", QStringLiteral(VELQUIRA_FIXTURES_DIR) + "/vacio.zul"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()),
                 QStringLiteral("Hoja: Carta (21,59 x 27,94 Cmts)\nOrientación: Vertical\n"
                                "Cuadros: 0\nHojas: 0\n"));
        const QString errores = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(errores.startsWith("Ajustes: El archivo de ajustes "), qPrintable(errores));
        QVERIFY(errores.contains("demasiado grande (40,0 MB"));
    }
};

QTEST_GUILESS_MAIN(PruebaPlataforma)
#include "test_plataforma.moc"
