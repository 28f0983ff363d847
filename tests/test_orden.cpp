// Sheets of several tickets: step and repeat, the orders a group shares its
// series out in, and continuing a job's numbering in its next run. Checked
// on the numbers every sheet of the run prints, as the operator programs
// them, and through velquira-cli as a separate process.
#include "core/dialogos/ContinuarNumeracion.h"
#include "core/dialogos/PropiedadesCuadro.h"
#include "core/editor/RepetirCuadros.h"
#include "core/fallas/Fallas.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/OrdenGrupo.h"
#include "fakes/Fakes.h"

#include <QProcess>
#include <QtTest>
#include <set>

namespace {
using Numeros = std::vector<std::vector<std::optional<qint64>>>; // [sheet][box]

// n boxes down a column, 2 cm apart: their slot order is their reading order.
QList<QPoint> EnColumna(int n) {
    QList<QPoint> p;
    for (int k = 0; k < n; ++k)
        p.append(QPoint(1000, 1000 + 1134 * k));
    return p;
}

QList<int> Hasta(int n) {
    QList<int> l;
    for (int i = 0; i < n; ++i)
        l.append(i);
    return l;
}

// Nothing selected, as after a click on the empty sheet.
void Deseleccionar(Mesa& m) {
    SeleccionHoja& s = m.editor.seleccion();
    s.PulsarHoja(Boton::Izquierdo, {1, 1});
    s.Soltar({1, 1}, DondeSuelta::Hoja);
}

struct Programado {
    int veredicto = -2; // the dialog's: -1 written, else the field to mend
    QString copias;     // the copy count it showed
};

// `cuadros` selected (Shift+click, in that order) and programmed as one
// series in `orden`, without digit masks or texts.
Programado Programar(Mesa& m, const QList<int>& cuadros, OrdenGrupo orden, const QString& inicio,
                     const QString& fin, const QString& salto = QStringLiteral("1")) {
    Deseleccionar(m);
    for (int i : cuadros)
        m.editor.seleccion().PulsarCuadro(i, Boton::Izquierdo, true, {1, 1});
    m.mensajes.respuestas = {Respuesta::Aceptar, Respuesta::Si};
    PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
    Programado r;
    if (!d.Abrir(cuadros.first()) || !d.programarSerie())
        return r;
    d.campo[0] = inicio;
    d.campo[1] = fin;
    d.campo[2] = salto;
    d.campo[5] = QStringLiteral("0");
    d.CambioNumeracion();
    d.orden = orden;
    d.CambioOrden();
    r.copias = d.campo[7];
    r.veredicto = d.Aceptar();
    return r;
}

// What every sheet of the run prints, the boxes in the order given.
Numeros Impreso(const std::vector<Cuadro>& c, const QList<int>& orden) {
    Numeros hojas(LongitudTirada(c));
    for (qint32 k = 0; k < static_cast<qint32>(hojas.size()); ++k)
        for (int i : orden) {
            const QString t = TextoCuadroHoja(c[i], k).trimmed();
            hojas[k].push_back(t.isEmpty() ? std::nullopt : std::optional(t.toLongLong()));
        }
    return hojas;
}

// "1 4 7 10 / 2 5 8 -": sheets apart by " / ", a blank box "-".
QString Texto(const Numeros& hojas) {
    QStringList t;
    for (const auto& hoja : hojas) {
        QStringList h;
        for (const auto& n : hoja)
            h.append(n ? QString::number(*n) : QStringLiteral("-"));
        t.append(h.join(u' '));
    }
    return t.join(QStringLiteral(" / "));
}

std::multiset<qint64> Todos(const Numeros& hojas) {
    std::multiset<qint64> s;
    for (const auto& hoja : hojas)
        for (const auto& n : hoja)
            if (n)
                s.insert(*n);
    return s;
}

QByteArray Bytes(const Mesa& m) {
    return SerializarTrabajo(m.documento.estado(), m.preferencias.idioma());
}

struct Resultado {
    int codigo = -1;
    QString salida, errores;
};

Resultado Cli(const QStringList& args) {
    static QTemporaryDir ajustes;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELQUIRA_AJUSTES", ajustes.path());
    env.insert("LANG", "es_ES.UTF-8");
    env.insert("LC_ALL", "es_ES.UTF-8");
    p.setProcessEnvironment(env);
    p.start(VELQUIRA_CLI, args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The job written to `ruta` as the program saves it.
bool Guardar(const Mesa& m, const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(Bytes(m)) > 0;
}
} // namespace

Q_DECLARE_METATYPE(OrdenGrupo)

class PruebaOrden : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    // --- the group's orders ---
    void ordenes_data() {
        QTest::addColumn<OrdenGrupo>("orden");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<QString>("salto");
        QTest::addColumn<int>("cuadros");
        QTest::addColumn<QString>("hojas");
        const auto C = OrdenGrupo::Consecutivos, A = OrdenGrupo::CortarYApilar,
                   M = OrdenGrupo::MismoNumero;
        QTest::newRow("consecutivos, 10 en 4") << C << "1"
                                               << "10"
                                               << "1" << 4 << "1 2 3 4 / 5 6 7 8 / 9 10 - -";
        QTest::newRow("cortar y apilar, 8 en 4") << A << "1"
                                                 << "8"
                                                 << "1" << 4 << "1 3 5 7 / 2 4 6 8";
        // Piles of 3: the last pile is one number long, its box blank after it.
        QTest::newRow("cortar y apilar, 10 en 4") << A << "1"
                                                  << "10"
                                                  << "1" << 4 << "1 4 7 10 / 2 5 8 - / 3 6 9 -";
        QTest::newRow("el mismo número") << M << "1"
                                         << "3"
                                         << "1" << 4 << "1 1 1 1 / 2 2 2 2 / 3 3 3 3";
        QTest::newRow("consecutivos de 2 en 2") << C << "1"
                                                << "15"
                                                << "2" << 4 << "1 3 5 7 / 9 11 13 15";
        QTest::newRow("cortar y apilar de 2 en 2")
            << A << "1"
            << "19"
            << "2" << 4 << "1 7 13 19 / 3 9 15 - / 5 11 17 -";
        QTest::newRow("el mismo número de 2 en 2") << M << "10"
                                                   << "14"
                                                   << "2" << 2 << "10 10 / 12 12 / 14 14";
        QTest::newRow("consecutivos descendente") << C << "10"
                                                  << "1"
                                                  << "1" << 4 << "10 9 8 7 / 6 5 4 3 / 2 1 - -";
        QTest::newRow("cortar y apilar descendente") << A << "10"
                                                     << "1"
                                                     << "1" << 4 << "10 7 4 1 / 9 6 3 - / 8 5 2 -";
        QTest::newRow("cortar y apilar descendente de 2 en 2")
            << A << "20"
            << "1"
            << "2" << 3 << "20 12 4 / 18 10 2 / 16 8 - / 14 6 -";
        QTest::newRow("el mismo número descendente") << M << "5"
                                                     << "3"
                                                     << "1" << 3 << "5 5 5 / 4 4 4 / 3 3 3";
    }
    void ordenes() {
        QFETCH(OrdenGrupo, orden);
        QFETCH(QString, inicio);
        QFETCH(QString, fin);
        QFETCH(QString, salto);
        QFETCH(int, cuadros);
        Mesa m;
        m.conCuadros(EnColumna(cuadros));
        // Selected bottom up: the series still goes in reading order.
        QList<int> grupo = Hasta(cuadros);
        std::reverse(grupo.begin(), grupo.end());
        const Programado p = Programar(m, grupo, orden, inicio, fin, salto);
        QCOMPARE(p.veredicto, -1);
        const std::vector<Cuadro>& c = m.documento.Cuadros();
        QTEST(Texto(Impreso(c, Hasta(cuadros))), "hojas");
        // The copy count is the run's length.
        QCOMPARE(p.copias, QString::number(LongitudTirada(c)));
        // Only the fields every installation reads: the job reads back the same.
        QTemporaryDir dir;
        const QString ruta = dir.filePath("grupo.zul");
        QVERIFY(Guardar(m, ruta));
        MensajesGuion mensajes;
        PoliticaFallas politica(mensajes, {});
        const LecturaTrabajo l = LeerArchivoTrabajo(ruta, m.documento.Trabajo(),
                                                    m.preferencias.defectosCuadro(), politica);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QTEST(Texto(Impreso(l.cuadros, Hasta(cuadros))), "hojas");
    }

    // A box that would get no number at all is refused, and nothing is written.
    void cuadroSinNumero_data() {
        QTest::addColumn<OrdenGrupo>("orden");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("cortar y apilar") << OrdenGrupo::CortarYApilar << "4"
                                         << "Para cortar y apilar, 4 números en 3 cuadros forman "
                                            "pilas de 2: al cuadro Nº 3 no le queda ningún "
                                            "número.\rAumente el Nº de fin, cambie el salto o "
                                            "quite cuadros del grupo.";
        QTest::newRow("consecutivos") << OrdenGrupo::Consecutivos << "2"
                                      << "2 números no alcanzan para 3 cuadros: al cuadro Nº 3 no "
                                         "le queda ningún número.\rAumente el Nº de fin, cambie "
                                         "el salto o quite cuadros del grupo.";
    }
    void cuadroSinNumero() {
        QFETCH(OrdenGrupo, orden);
        QFETCH(QString, fin);
        Mesa m;
        m.conCuadros(EnColumna(3));
        const QByteArray antes = Bytes(m);
        QCOMPARE(Programar(m, {0, 1, 2}, orden, "1", fin).veredicto, 1);
        QTEST(m.mensajes.mostrados.last().texto, "mensaje");
        QCOMPARE(Bytes(m), antes);
        QCOMPARE(m.documento.historia().count(), 0);
    }

    // Rows from the top, a box joining a row when its top lies within half
    // a box height of the row's first top; left to right within a row.
    void ordenDeLectura_data() {
        QTest::addColumn<QList<QRectF>>("cuadros"); // index = slot
        QTest::addColumn<QList<int>>("orden");
        const auto r = [](double x, double y) { return QRectF(x, y, 800, 200); };
        QTest::newRow("dos filas desparejas")
            << QList<QRectF>{r(5000, 1080), r(1000, 3050), r(3000, 1030),
                             r(1000, 1000), r(5000, 3000), r(3000, 3095)}
            << QList<int>{3, 2, 0, 1, 5, 4};
        QTest::newRow("más de media altura: otra fila")
            << QList<QRectF>{r(1000, 1000), r(500, 1101)} << QList<int>{0, 1};
        QTest::newRow("media altura justa: la misma fila")
            << QList<QRectF>{r(1000, 1000), r(500, 1100)} << QList<int>{1, 0};
        QTest::newRow("uno encima del otro")
            << QList<QRectF>{r(1000, 1000), r(1000, 1000)} << QList<int>{0, 1};
    }
    void ordenDeLectura() {
        QFETCH(QList<QRectF>, cuadros);
        QList<std::pair<int, QRectF>> lista;
        for (int i = static_cast<int>(cuadros.size()) - 1; i >= 0; --i)
            lista.append({i, cuadros[i]});
        QTEST(OrdenDeLectura(lista), "orden");
    }

    // The layout the orders are for: one ticket's stub and number, repeated
    // down an A4 sheet, stubs and tickets programmed as two groups with the
    // same series. Every ticket carries its own stub's number.
    void talonYEntradaConElMismoNumero() {
        Mesa m;
        CambiarHoja(m.documento, [](Trabajo& h) {
            h.HAncho = 11907; // A4
            h.HAlto = 16840;
        });
        // The ticket's box stands a little lower than its stub's.
        m.conCuadros({{1000, 1000}, {6000, 1040}});
        m.agrupar({0, 1});
        RepetirCuadros r(m.documento, m.editor.seleccion(), m.preferencias, m.mensajes);
        QVERIFY(r.Abrir());
        r.filas = QStringLiteral("4");
        r.pasoY = QStringLiteral("7,425");
        QCOMPARE(r.Aceptar(), -1);
        QList<int> talones, entradas;
        for (int i = 0; i < 8; ++i)
            (m.documento.Cuadros()[i].PosX == 1000 ? talones : entradas).append(i);
        QCOMPARE(talones.size(), 4);
        for (const OrdenGrupo orden : {OrdenGrupo::Consecutivos, OrdenGrupo::CortarYApilar}) {
            // Selected in different orders: reading order decides.
            QList<int> alReves = entradas;
            std::reverse(alReves.begin(), alReves.end());
            QCOMPARE(Programar(m, talones, orden, "1", "1000").veredicto, -1);
            QCOMPARE(Programar(m, alReves, orden, "1", "1000").veredicto, -1);
            const std::vector<Cuadro>& c = m.documento.Cuadros();
            QCOMPARE(Impreso(c, talones), Impreso(c, entradas));
            QCOMPARE(Impreso(c, talones).size(), size_t(250));
            std::multiset<qint64> esperados;
            for (qint64 n = 1; n <= 1000; ++n)
                esperados.insert(n);
            QCOMPARE(Todos(Impreso(c, talones)), esperados);
        }
        QCOMPARE(Texto(Impreso(m.documento.Cuadros(), talones)).left(30),
                 QStringLiteral("1 251 501 751 / 2 252 502 752 "));
    }

    // --- step and repeat ---
    void repetir() {
        Mesa m;
        m.conCuadros({{1000, 1000}, {4000, 1100}});
        m.documento.cambiarCuadro(1, [](Cuadro& c) {
            c.TextoIzq = QStringLiteral("Nº ");
            c.FontBold = true;
            c.Rotacion = 90;
            c.Bloqueado = true;
        });
        m.documento.olvidarHistoria();
        const QByteArray antes = Bytes(m);
        m.agrupar({0, 1});
        RepetirCuadros r(m.documento, m.editor.seleccion(), m.preferencias, m.mensajes);
        QVERIFY(r.Abrir());
        QCOMPARE(r.originales(), (QList<int>{0, 1}));
        r.columnas = QStringLiteral("2");
        r.filas = QStringLiteral("3");
        r.pasoX = QStringLiteral("12");
        r.pasoY = QStringLiteral("7,425");
        QCOMPARE(r.copias().size(), 10);
        QCOMPARE(r.resumen(), QStringLiteral("Se harán 10 cuadros nuevos."));
        QCOMPARE(r.Aceptar(), -1);
        const std::vector<Cuadro>& c = m.documento.Cuadros();
        QCOMPARE(m.documento.cuadrosVivos(), 12);
        // Each copy at whole pitches from its original, rounded once: no drift.
        const qint32 dx = 6804, dy[] = {0, 4210, 8420};
        for (int i = 2; i < 12; ++i) {
            const Cuadro& o = c[i % 2];
            const int celda = (i - 2) / 2 + 1; // row by row, originals first
            Cuadro esperado = o;
            esperado.PosX = o.PosX + (celda % 2) * dx;
            esperado.PosY = o.PosY + dy[celda / 2];
            esperado.ColorFondo = c[i].ColorFondo;
            esperado.Seleccionado = c[i].Seleccionado;
            QCOMPARE(c[i], esperado);
        }
        // The whole grid is the selection, a group ready to be programmed.
        QVERIFY(m.documento.ModoGrupo());
        QCOMPARE(m.documento.Seleccion().size(), 12);
        QCOMPARE(m.documento.historia().count(), 1);
        QCOMPARE(m.documento.historia().undoText(), QStringLiteral("repetir 10 cuadros"));
        m.documento.deshacer();
        QCOMPARE(Bytes(m), antes);
        QCOMPARE(m.documento.cuadrosVivos(), 2);
    }

    // Copies that would leave the sheet are refused before anything is made.
    void repetirFueraDeLaHoja_data() {
        QTest::addColumn<QString>("filas");
        QTest::addColumn<QString>("pasoY");
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("mensaje");
        // Carta is 27,94 cm tall: a fifth ticket 7,425 cm further would start at 30,7 cm.
        QTest::newRow("abajo") << "5"
                               << "7,425" << 4
                               << "1 de los 4 cuadros nuevos quedaría fuera de la hoja.\rNo se "
                                  "ha hecho ninguna copia: reduzca las copias o el paso.";
        QTest::newRow("arriba") << "2"
                                << "-2" << 4
                                << "El cuadro nuevo quedaría fuera de la hoja.\rNo se ha hecho "
                                   "ninguna copia: reduzca las copias o el paso.";
        QTest::newRow("paso cero") << "2"
                                   << "0" << 3
                                   << "Con más de una copia a lo alto el paso vertical no puede "
                                      "ser cero: las copias quedarían unas sobre otras.";
        QTest::newRow("sin copias") << "1"
                                    << "1" << 0
                                    << "Con una copia a lo ancho y una a lo alto no se hace ningún "
                                       "cuadro.";
        QTest::newRow("no es un número") << "dos"
                                         << "1" << 1
                                         << "Las copias a lo alto deben ser un número entero "
                                            "desde 1.";
    }
    void repetirFueraDeLaHoja() {
        QFETCH(QString, filas);
        QFETCH(QString, pasoY);
        Mesa m;
        m.conCuadros({{1000, 1000}});
        const QByteArray antes = Bytes(m);
        RepetirCuadros r(m.documento, m.editor.seleccion(), m.preferencias, m.mensajes);
        QVERIFY(r.Abrir());
        r.filas = filas;
        r.pasoY = pasoY;
        QTEST(r.Aceptar(), "campo");
        QTEST(m.mensajes.mostrados.last().texto, "mensaje");
        QCOMPARE(Bytes(m), antes);
        QCOMPARE(m.documento.historia().count(), 0);
    }

    // --- continuing the numbering ---
    void continuar_data() {
        QTest::addColumn<OrdenGrupo>("orden");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<QString>("salto");
        QTest::addColumn<int>("cuadros");
        const auto C = OrdenGrupo::Consecutivos, A = OrdenGrupo::CortarYApilar,
                   M = OrdenGrupo::MismoNumero;
        QTest::newRow("consecutivos") << C << "1"
                                      << "1000"
                                      << "1" << 4;
        QTest::newRow("consecutivos, 10 en 4") << C << "1"
                                               << "10"
                                               << "1" << 4;
        QTest::newRow("cortar y apilar") << A << "1"
                                         << "1000"
                                         << "1" << 4;
        QTest::newRow("cortar y apilar, 10 en 4") << A << "1"
                                                  << "10"
                                                  << "1" << 4;
        QTest::newRow("el mismo número") << M << "1"
                                         << "250"
                                         << "1" << 4;
        QTest::newRow("cortar y apilar de 2 en 2") << A << "1"
                                                   << "19"
                                                   << "2" << 4;
        QTest::newRow("consecutivos descendente") << C << "10"
                                                  << "1"
                                                  << "1" << 4;
        QTest::newRow("cortar y apilar descendente, 3 en 2") << A << "3"
                                                             << "1"
                                                             << "1" << 2;
        QTest::newRow("cortar y apilar descendente") << A << "500"
                                                     << "101"
                                                     << "1" << 3;
    }
    void continuar() {
        QFETCH(OrdenGrupo, orden);
        QFETCH(QString, inicio);
        QFETCH(QString, fin);
        QFETCH(QString, salto);
        QFETCH(int, cuadros);
        Mesa m;
        m.conCuadros(EnColumna(cuadros));
        QCOMPARE(Programar(m, Hasta(cuadros), orden, inicio, fin, salto).veredicto, -1);
        const Numeros antes = Impreso(m.documento.Cuadros(), Hasta(cuadros));
        const QByteArray bytes = Bytes(m);
        const int pasos = m.documento.historia().count();

        ContinuarNumeracion c(m.documento, m.preferencias, m.mensajes);
        QVERIFY(c.Abrir());
        QCOMPARE(c.filas().size(), cuadros);
        c.Aceptar();
        const Numeros despues = Impreso(m.documento.Cuadros(), Hasta(cuadros));

        // The next run has the same sheets, every number moved on by what
        // the whole run printed: no gap and no repeat over both runs.
        const bool baja = inicio.toInt() > fin.toInt();
        const std::multiset<qint64> a = Todos(antes), b = Todos(despues);
        const qint64 d = baja ? *a.begin() - *b.rbegin() : *b.begin() - *a.rbegin();
        QCOMPARE(d, qint64(1));
        const qint64 desvio = *b.begin() - *a.begin();
        QCOMPARE(despues.size(), antes.size());
        for (size_t k = 0; k < antes.size(); ++k)
            for (size_t j = 0; j < antes[k].size(); ++j) {
                QCOMPARE(despues[k][j].has_value(), antes[k][j].has_value());
                if (antes[k][j])
                    QCOMPARE(*despues[k][j], *antes[k][j] + desvio);
            }
        std::set<qint64> union_(a.begin(), a.end());
        for (qint64 n : b)
            QVERIFY2(!a.contains(n), qPrintable(QString::number(n)));
        union_.insert(b.begin(), b.end());
        // A series of step 1 and its continuation make one unbroken range.
        if (salto == u"1")
            QCOMPARE(qint64(union_.size()), *union_.rbegin() - *union_.begin() + 1);

        // One step, undone to the very bytes.
        QCOMPARE(m.documento.historia().count(), pasos + 1);
        m.documento.deshacer();
        QCOMPARE(Bytes(m), bytes);
    }

    // The table and its sentence, and the refusal past 999.999.999.
    void tablaDeContinuar() {
        Mesa m;
        m.conCuadros(EnColumna(2));
        QCOMPARE(Programar(m, {0, 1}, OrdenGrupo::CortarYApilar, "1", "1000").veredicto, -1);
        m.documento.cambiarCuadro(1, [](Cuadro& c) { c.Cifras = 6; });
        ContinuarNumeracion c(m.documento, m.preferencias, m.mensajes);
        QVERIFY(c.Abrir());
        QCOMPARE(c.filas(), (QList<QStringList>{{"Nº 1", "1", "500", "1001", "1500"},
                                                {"Nº 2", "000501", "001000", "001501", "002000"}}));
        QCOMPARE(c.explicacion(),
                 QStringLiteral("Al aceptar, la próxima tirada sigue donde termina esta: los "
                                "cuadros que suben empiezan 1.000 números más arriba."));

        m.documento.cambiarCuadro(0, [](Cuadro& c) { c.Fin = 999999000; });
        const QByteArray antes = Bytes(m);
        QVERIFY(!c.Abrir());
        QCOMPARE(m.mensajes.mostrados.last().texto,
                 QStringLiteral("No se puede continuar la numeración: el cuadro Nº 1 llegaría al "
                                "1.999.998.000, y los números no pasan de 999.999.999."));
        QCOMPARE(m.mensajes.mostrados.last().titulo, QStringLiteral("Continuar numeración"));
        QCOMPARE(Bytes(m), antes);
    }

    // --- velquira-cli ---
    void cliTextosMuestraElOrden_data() {
        QTest::addColumn<OrdenGrupo>("orden");
        QTest::addColumn<QString>("salida");
        QTest::newRow("consecutivos")
            << OrdenGrupo::Consecutivos << "1\t1\t2\t3\t4\n2\t5\t6\t7\t8\n3\t9\t10\t\t\n";
        QTest::newRow("cortar y apilar")
            << OrdenGrupo::CortarYApilar << "1\t1\t4\t7\t10\n2\t2\t5\t8\t\n3\t3\t6\t9\t\n";
        QTest::newRow("el mismo número")
            << OrdenGrupo::MismoNumero
            << "1\t1\t1\t1\t1\n2\t2\t2\t2\t2\n3\t3\t3\t3\t3\n4\t4\t4\t4\t4\n5\t5\t5\t5\t5\n"
               "6\t6\t6\t6\t6\n7\t7\t7\t7\t7\n8\t8\t8\t8\t8\n9\t9\t9\t9\t9\n10\t10\t10\t10\t10\n";
    }
    void cliTextosMuestraElOrden() {
        QFETCH(OrdenGrupo, orden);
        Mesa m;
        m.conCuadros(EnColumna(4));
        QCOMPARE(Programar(m, {3, 1, 0, 2}, orden, "1", "10").veredicto, -1);
        QTemporaryDir dir;
        const QString ruta = dir.filePath("orden.zul");
        QVERIFY(Guardar(m, ruta));
        const Resultado r = Cli({"textos", ruta});
        QCOMPARE(r.codigo, 0);
        QTEST(r.salida, "salida");
    }

    void cliContinuar() {
        Mesa m;
        m.conCuadros(EnColumna(4));
        QCOMPARE(Programar(m, {0, 1, 2, 3}, OrdenGrupo::CortarYApilar, "1", "10").veredicto, -1);
        QTemporaryDir dir;
        const QString ruta = dir.filePath("semana.zul");
        QVERIFY(Guardar(m, ruta));
        const QByteArray original = Leer(ruta);

        // To another file: the job stays as it was.
        const QString otro = dir.filePath("siguiente.zul");
        Resultado r = Cli({"continuar", ruta, "--salida", otro});
        QCOMPARE(r.codigo, 0);
        QCOMPARE(r.salida, QStringLiteral("1\t1\t3\t11\t13\n2\t4\t6\t14\t16\n3\t7\t9\t17\t19\n"
                                          "4\t10\t10\t20\t20\n"));
        QCOMPARE(Leer(ruta), original);
        QCOMPARE(Cli({"textos", otro}).salida,
                 QStringLiteral("1\t11\t14\t17\t20\n2\t12\t15\t18\t\n3\t13\t16\t19\t\n"));
        // The same as the desktop program writes it.
        ContinuarNumeracion c(m.documento, m.preferencias, m.mensajes);
        QVERIFY(c.Abrir());
        c.Aceptar();
        QCOMPARE(Leer(otro), Bytes(m));

        // In place, twice: the week after next.
        QCOMPARE(Cli({"continuar", ruta}).codigo, 0);
        QCOMPARE(Leer(ruta), Bytes(m));
        QCOMPARE(Cli({"continuar", ruta}).codigo, 0);
        QCOMPARE(Cli({"textos", ruta, "--hasta", "1"}).salida,
                 QStringLiteral("1\t21\t24\t27\t30\n"));
        const QStringList sobrantes = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(sobrantes, (QStringList{"semana.zul", "siguiente.zul"}));
    }

    // A job cut short is never continued: it would be written back whole,
    // with values its file never had.
    void cliContinuarIncompleto() {
        const QString ruta = CopiaFixture(QStringLiteral("danados/bloque_truncado.zul"));
        const QByteArray antes = Leer(ruta);
        const Resultado r = Cli({"continuar", ruta});
        QCOMPARE(r.codigo, 3);
        QCOMPARE(r.errores, QStringLiteral("El archivo está incompleto: al cuadro Nº 2 le faltan "
                                           "datos\nNo se continúa la numeración de un trabajo "
                                           "incompleto.\n"));
        QCOMPARE(Leer(ruta), antes);
    }

    void cliContinuarRechazado_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("errores");
        QTest::newRow("pasaría de 999.999.999")
            << QStringList{"continuar", "@"} << 1
            << "No se puede continuar la numeración: el cuadro Nº 1 llegaría al 1.999.998.000, y "
               "los números no pasan de 999.999.999.\nNo se ha escrito nada.\n";
        QTest::newRow("sin archivo tras --salida") << QStringList{"continuar", "@", "--salida"} << 2
                                                   << "Falta el archivo después de --salida.\n";
        QTest::newRow("rango") << QStringList{"continuar", "@", "--desde", "2"} << 2
                               << "Argumento no válido: --desde\n";
    }
    void cliContinuarRechazado() {
        QFETCH(QStringList, args);
        QFETCH(int, codigo);
        QFETCH(QString, errores);
        Mesa m;
        m.conCuadros(EnColumna(1));
        m.documento.cambiarCuadro(0, [](Cuadro& c) { c.Fin = 999999000; });
        QTemporaryDir dir;
        const QString ruta = dir.filePath("grande.zul");
        QVERIFY(Guardar(m, ruta));
        const QByteArray antes = Leer(ruta);
        args.replaceInStrings(QStringLiteral("@"), ruta);
        const Resultado r = Cli(args);
        QCOMPARE(r.codigo, codigo);
        QVERIFY2(r.errores.startsWith(errores), qPrintable(r.errores));
        QCOMPARE(Leer(ruta), antes);
    }
};

QTEST_MAIN(PruebaOrden)
#include "test_orden.moc"
