// The settings store on disk.
#include "platform/AjustesQt.h"

#include <QTemporaryDir>
#include <QtTest>

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
        a.escribirBooleano(Aplicacion::Producto, "FontBold", true,
                           QLocale(QLocale::Spanish, QLocale::Spain));
        AjustesQt b(dir.path());
        QCOMPARE(b.texto(Aplicacion::Producto, "FontSize", {}), QStringLiteral("10,5"));
        QCOMPARE(b.real(Aplicacion::Producto, "FontSize", 0), 10.5);
        QCOMPARE(b.texto(Aplicacion::Producto, "FontBold", {}), QStringLiteral("Verdadero"));
        QVERIFY(b.booleano(Aplicacion::Producto, "FontBold", false));
        QCOMPARE(b.entero(Aplicacion::Producto, "Cifras", 5), 5);
        a.escribirTexto(Aplicacion::Producto, "Cifras", "cinco");
        QCOMPARE(b.entero(Aplicacion::Producto, "Cifras", 5), 5);
    }
};

QTEST_GUILESS_MAIN(PruebaPlataforma)
#include "test_plataforma.moc"
