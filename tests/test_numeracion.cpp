// Which text every box prints on every sheet of a run.
#include "core/fallas/Falla.h"
#include "core/trabajo/Numeracion.h"

#include <QtTest>

namespace {
Cuadro Caja(double inicio, double fin, qint16 salto, qint16 cifras = 5, const QString& izq = {},
            const QString& der = {}) {
    Cuadro c;
    c.Inicio = inicio;
    c.Fin = fin;
    c.Salto = salto;
    c.Cifras = cifras;
    c.TextoIzq = izq;
    c.TextoDer = der;
    c.EnUso = true;
    return c;
}

QStringList Hojas(const Cuadro& c, int n) {
    QStringList t;
    for (int k = 0; k < n; ++k)
        t.append(TextoCuadroHoja(c, k));
    return t;
}
} // namespace

Q_DECLARE_METATYPE(Cuadro)

class PruebaNumeracion : public QObject {
    Q_OBJECT
private slots:
    void mascara_data() {
        QTest::addColumn<int>("cifras");
        QTest::addColumn<QString>("mascara");
        QTest::newRow("cinco") << 5 << "00000";
        QTest::newRow("cero") << 0 << "";
        QTest::newRow("negativo") << -2 << "";
    }
    void mascara() {
        QFETCH(int, cifras);
        QTEST(MascaraCifras(Caja(1, 1, 1, static_cast<qint16>(cifras))), "mascara");
    }

    void copias_data() {
        QTest::addColumn<double>("inicio");
        QTest::addColumn<double>("fin");
        QTest::addColumn<int>("salto");
        QTest::addColumn<qint64>("copias");
        QTest::newRow("1..100 de 1") << 1.0 << 100.0 << 1 << qint64(100);
        QTest::newRow("1..100 de 2") << 1.0 << 100.0 << 2 << qint64(50);
        QTest::newRow("1..100 de 3") << 1.0 << 100.0 << 3 << qint64(34);
        QTest::newRow("descendente igual") << 100.0 << 1.0 << 3 << qint64(34);
        QTest::newRow("igual") << 7.0 << 7.0 << 1 << qint64(1);
        QTest::newRow("salto negativo") << 1.0 << 10.0 << -1 << qint64(-8);
        QTest::newRow("grande") << 1.0 << 999999999.0 << 1 << qint64(999999999);
    }
    void copias() {
        QFETCH(double, inicio);
        QFETCH(double, fin);
        QFETCH(int, salto);
        QTEST(CopiasCuadro(Caja(inicio, fin, static_cast<qint16>(salto))), "copias");
    }

    void saltoCeroEsUnaFalla() {
        try {
            CopiasCuadro(Caja(1, 10, 0));
            QFAIL("sin falla");
        } catch (const Falla& f) {
            QCOMPARE(f.codigo, CodigoFalla::DivisionPorCero);
        }
    }

    void longitudDeTirada() {
        std::vector<Cuadro> v = {Caja(1, 10, 1), Caja(1, 4, 1)};
        QCOMPARE(LongitudTirada(v), 10);
        v[0].EnUso = false;
        QCOMPARE(LongitudTirada(v), 4);
        v[1].EnUso = false;
        QCOMPARE(LongitudTirada(v), 0);
        // A run past the old 16-bit limit.
        v.push_back(Caja(1, 100000, 1));
        QCOMPARE(LongitudTirada(v), 100000);
        // A negative step never lengthens a run.
        QCOMPARE(LongitudTirada({Caja(1, 10, -1)}), 0);
    }

    void textos_data() {
        QTest::addColumn<Cuadro>("cuadro");
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("cinco cifras")
            << Caja(1, 3, 1) << QStringList{"00001", "00002", "00003", ""};
        QTest::newRow("mas cifras que la mascara")
            << Caja(12345, 12346, 1, 3) << QStringList{"12345", "12346"};
        QTest::newRow("sin mascara") << Caja(7, 8, 1, 0) << QStringList{"7", "8", ""};
        QTest::newRow("textos de un cuadro nuevo")
            << Caja(1, 2, 1, 5, " ", " ") << QStringList{" 00001 ", " 00002 ", ""};
        QTest::newRow("inicio igual a fin") << Caja(5, 5, 1) << QStringList{"00005", "", ""};
        QTest::newRow("fraccion redondeo par")
            << Caja(1.5, 10, 1, 0) << QStringList{"2", "2", "4", "4", "6"};
        QTest::newRow("salto tres") << Caja(1, 10, 3, 0) << QStringList{"1", "4", "7", "10", ""};
        QTest::newRow("descendente") << Caja(10, 8, 1, 0) << QStringList{"10", "9", "8", "", ""};
        QTest::newRow("descendente con salto")
            << Caja(10, 5, 2, 3) << QStringList{"010", "008", "006", "", ""};
        QTest::newRow("negativo con mascara") << Caja(-3, 1, 1) << QStringList{"-00003", "-00002"};
        QTest::newRow("salto negativo ascendente")
            << Caja(1, 10, -1, 0) << QStringList{"1", "0", "-1"};
        QTest::newRow("salto negativo descendente")
            << Caja(10, 1, -1, 0) << QStringList{"10", "", ""};
        QTest::newRow("veinte millones uno")
            << Caja(20000001, 20000003, 1, 0) << QStringList{"20000001", "20000002", "20000003"};
        QTest::newRow("con textos")
            << Caja(9, 10, 1, 2, "Nº ", " A") << QStringList{"Nº 09 A", "Nº 10 A", ""};
    }
    void textos() {
        QFETCH(Cuadro, cuadro);
        QFETCH(QStringList, textos);
        QCOMPARE(Hojas(cuadro, static_cast<int>(textos.size())), textos);
    }

    void serieEntrelazadaDeTresCuadros() {
        // Three boxes programmed as one series 1..10.
        std::vector<Cuadro> v;
        for (int j = 0; j < 3; ++j)
            v.push_back(Caja(1 + j, 10, 3, 0));
        const qint32 n = LongitudTirada(v);
        QCOMPARE(n, 4);
        QStringList hojas;
        for (int k = 0; k < n; ++k) {
            QStringList h;
            for (const Cuadro& c : v)
                h.append(TextoCuadroHoja(c, k));
            hojas.append(h.join(u','));
        }
        QCOMPARE(hojas, (QStringList{"1,2,3", "4,5,6", "7,8,9", "10,,"}));
    }

    // Sheets far into a run: the number is computed in 64 bits, and a series
    // that has ended prints nothing there instead of failing the run.
    void hojasLejanas_data() {
        QTest::addColumn<Cuadro>("cuadro");
        QTest::addColumn<qint32>("k");
        QTest::addColumn<QString>("texto");
        QTest::newRow("terminada junto al límite")
            << Caja(2147483000, 2147483647, 1000, 0) << 10 << "";
        QTest::newRow("último número de 32 bits")
            << Caja(2147483646, 2147483647, 1, 0) << 1 << "2147483647";
        QTest::newRow("una hoja después del último")
            << Caja(2147483647, 2147483647, 1, 0) << 1 << "";
        QTest::newRow("salto por hoja de más de 32 bits, terminada")
            << Caja(1, 2, 32767, 0) << 100000 << "";
        QTest::newRow("descendente terminada")
            << Caja(-2147483000, -2147483647, 1000, 0) << 10 << "";
        QTest::newRow("salto por hoja de más de 32 bits, dentro de la serie")
            << Caja(-2147483647, 2147483647, 32767, 0) << 65540 << "65533";
        QTest::newRow("salto negativo más allá de 32 bits")
            << Caja(-2147483647, 1, -1, 0) << 3 << "-2147483650";
    }
    void hojasLejanas() {
        QFETCH(Cuadro, cuadro);
        QFETCH(qint32, k);
        QTEST(TextoCuadroHoja(cuadro, k), "texto");
    }

    void numeroNoRepresentableEsUnaFalla() {
        try {
            TextoCuadroHoja(Caja(1e300, 1e301, 1, 0), 0);
            QFAIL("sin falla");
        } catch (const Falla& f) {
            QCOMPARE(f.codigo, CodigoFalla::Desbordamiento);
        }
    }
};

QTEST_APPLESS_MAIN(PruebaNumeracion)
#include "test_numeracion.moc"
