// Damaged and hostile job files. Each is read the way velquira-cli reads it
// (nobody answers a failure, so the read is abandoned) and must end in the
// expected result: never a crash, a hang or a half-read job handed back.
#include "cli/ComandosCli.h"
#include "core/fallas/Fallas.h"
#include "core/puertos/Ajustes.h"
#include "core/puertos/Mensajes.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/Numeracion.h"
#include "fakes/Fakes.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

using Resultado = LecturaTrabajo::Resultado;
Q_DECLARE_METATYPE(LecturaTrabajo::Resultado)

namespace {

// Answers nothing, like the console, and counts what it was asked to show.
class MensajesMudos : public Mensajes {
public:
    int mostrados = 0;
    Respuesta mostrar(const QString&, const QString&, Icono, Botones) override {
        ++mostrados;
        return Respuesta::Ninguna;
    }
};

QString Fixture(const QString& nombre) {
    return QStringLiteral(VELQUIRA_FIXTURES_DIR) + QStringLiteral("/danados/") + nombre;
}

struct Lectura {
    LecturaTrabajo l;
    int mensajes = 0;
};

Lectura Leer(const QString& ruta) {
    MensajesMudos mensajes;
    bool terminado = false;
    PoliticaFallas politica(mensajes, [&] { terminado = true; });
    AjustesMemoria vacios;
    Lectura r{
        LeerArchivoTrabajo(ruta, ::Trabajo{}, Preferencias(vacios).defectosCuadro(), politica), 0};
    r.mensajes = mensajes.mostrados;
    // A bad file abandons the read; it never ends the program.
    if (terminado)
        qFatal("reading %s asked to end the program", qPrintable(ruta));
    return r;
}

int Vivos(const LecturaTrabajo& l) {
    int n = 0;
    for (const Cuadro& c : l.cuadros)
        n += c.EnUso ? 1 : 0;
    return n;
}

// What the live boxes print on the first sheet, in slot order.
QString Textos(const LecturaTrabajo& l) {
    QStringList t;
    for (const Cuadro& c : l.cuadros)
        if (c.EnUso)
            t.append(TextoCuadroHoja(c, 0));
    return t.join(u'|');
}

const Cuadro* PrimerVivo(const LecturaTrabajo& l) {
    for (const Cuadro& c : l.cuadros)
        if (c.EnUso)
            return &c;
    return nullptr;
}

// What every outcome owes the caller, whatever the file.
void ComprobarResultado(const Lectura& r, Resultado esperado) {
    QCOMPARE(r.l.resultado, esperado);
    if (esperado == Resultado::Leido)
        return;
    // Nothing half-read may replace the open job.
    QVERIFY(r.l.cuadros.empty());
    // The operator is told why a job would not open; a file that is not a job
    // is the caller's to report.
    QCOMPARE(r.mensajes > 0, esperado == Resultado::Abandonado);
}

// Generated job files, for the cases too large to commit.
const QByteArray kFin = QByteArrayLiteral("\r\n");

QByteArray Cabecera() {
    return kMarcaTrabajo.toLatin1() + kFin + " 310 \r\n 500 \r\n 10 \r\n 15842 \r\n 12242 \r\n" +
           " 0,5 \r\n";
}

// A whole box block whose TextoIzq line is `izq`, with `despues` lines after
// its twenty fields.
QByteArray Bloque(const QByteArray& izq, const QByteArray& despues = {}) {
    QByteArray b = kSeparadorCuadro + kFin + " 0 \r\n";
    const QList<QByteArray> campos = {"False", "False", "Tahoma", " 10 ",  "False", "False", "True",
                                      " 5 ",   " 100 ", " 1 ",    " 1 ",   "True",  " 0 ",   " ",
                                      izq,     " 0 ",   " 0 ",    "False", " 0 ",   " 0 "};
    for (const QByteArray& c : campos)
        b += c + kFin;
    if (!despues.isNull())
        b += despues + kFin;
    return b;
}

// `n` blocks of a separator and an index alone: every field keeps its default.
QByteArray CuadrosMinimos(int n) {
    QByteArray b = Cabecera();
    const QByteArray bloque = kSeparadorCuadro + kFin + " 0 \r\n";
    b.reserve(b.size() + n * bloque.size());
    for (int i = 0; i < n; ++i)
        b += bloque;
    return b;
}

struct SalidaCli {
    int codigo = -1;
    QByteArray salida;
};

QByteArray Contenido(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    QByteArray b;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        b.append(buf, static_cast<qsizetype>(n));
    return b;
}

SalidaCli Cli(const QStringList& args) {
    AjustesMemoria ajustes;
    CatalogoFalso impresoras; // info and textos never print
    cli::Entorno entorno{ajustes, impresoras, {}};
    std::FILE* salida = std::tmpfile();
    std::FILE* errores = std::tmpfile();
    if (!salida || !errores)
        qFatal("no temporary file for the command output");
    SalidaCli r;
    r.codigo = cli::Ejecutar(args, entorno, salida, errores);
    r.salida = Contenido(salida);
    std::fclose(salida);
    std::fclose(errores);
    return r;
}

} // namespace

class PruebaDanados : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Escribir(const QString& nombre, const QByteArray& datos) {
        const QString ruta = m_dir.filePath(nombre);
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size())
            qFatal("cannot write %s", qPrintable(ruta));
        return ruta;
    }

private slots:
    void initTestCase() {
        // velquira-cli writes sizes in the user's locale.
        QLocale::setDefault(QLocale::c());
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo(Fixture(QStringLiteral("valido.zul"))).isFile(),
                 "the fixtures folder tests/fixtures is missing");
    }

    void fixtures_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<Resultado>("resultado");
        QTest::addColumn<int>("vivos");
        QTest::addColumn<QString>("textos"); // see Textos()
        QTest::addColumn<int>("hojas");      // -1: not checked

        const auto leido = [](const char* archivo, int vivos, const QString& textos, int hojas) {
            QTest::newRow(archivo)
                << QString::fromLatin1(archivo) << Resultado::Leido << vivos << textos << hojas;
        };
        const auto fallido = [](const char* archivo, Resultado r) {
            QTest::newRow(archivo) << QString::fromLatin1(archivo) << r << 0 << QString() << -1;
        };
        const QString n1 = QStringLiteral("N. 00001 ");
        const QString dos = QStringLiteral("N. 00001 | 050-B");

        leido("valido.zul", 2, dos, 100);
        // Line ends and a byte-order mark change nothing.
        leido("solo_lf.zul", 2, dos, 100);
        leido("solo_cr.zul", 2, dos, 100);
        leido("bom_utf8.zul", 2, dos, 100);
        leido("fin_sin_salto.zul", 2, dos, 100);
        leido("marca_con_espacios.zul", 2, dos, 100);

        fallido("basura.bin", Resultado::NoEsTrabajo);
        fallido("vacio.zul", Resultado::NoEsTrabajo);
        fallido("otra_marca.zul", Resultado::NoEsTrabajo);
        fallido("nul_marca.zul", Resultado::NoEsTrabajo);

        // A header cut short is a failure; box blocks cut short keep the
        // defaults for the fields they leave out.
        fallido("solo_marca.zul", Resultado::Abandonado);
        fallido("cabecera_truncada.zul", Resultado::Abandonado);
        leido("cabecera_sola.zul", 0, QString(), 0);
        leido("separadores_solos.zul", 0, QString(), 0);
        // The second block stops after Cifras (3): the rest are the defaults.
        leido("bloque_truncado.zul", 2, QStringLiteral("N. 00001 | 001 "), 100);
        // The first block stops after FontSize and the next separator starts
        // a new box.
        leido("bloque_cortado_medio.zul", 2, QStringLiteral(" 00001 | 050-B"), 9);
        leido("lineas_de_mas.zul", 2, dos, 100);

        fallido("no_numero.zul", Resultado::Abandonado);
        fallido("dos_separadores.zul", Resultado::Abandonado);
        fallido("numero_vacio.zul", Resultado::Abandonado);
        fallido("nul_numero.zul", Resultado::Abandonado);
        fallido("enorme_posx.zul", Resultado::Abandonado);
        fallido("enorme_inicio.zul", Resultado::Abandonado);
        fallido("enorme_cabecera.zul", Resultado::Abandonado);
        fallido("infinito.zul", Resultado::Abandonado);
        fallido("excede_fin.zul", Resultado::Abandonado);
        fallido("cifras_desborda.zul", Resultado::Abandonado);
        fallido("tamletra_cero.zul", Resultado::Abandonado);
        fallido("tamletra_negativo.zul", Resultado::Abandonado);
        leido("limite_fin.zul", 1, n1, 2147483647);
        leido("exponente.zul", 1, n1, 1500);

        fallido("hoja_negativa.zul", Resultado::Abandonado);
        fallido("hoja_cero.zul", Resultado::Abandonado);
        fallido("hoja_excede.zul", Resultado::Abandonado);
        leido("hoja_limite.zul", 2, dos, 100);
        fallido("zoom_texto.zul", Resultado::Abandonado);
        leido("zoom_cero.zul", 2, dos, 100);

        leido("nul_texto.zul", 1, QStringLiteral("N") + QChar(0) + QStringLiteral("00001 "), 100);
        leido("texto_utf8.zul", 1, QStringLiteral("Nº 00001 "), 100);
        leido("texto_cp1252.zul", 1, QStringLiteral("Nº 00001 "), 100);
        // Read as it is; only numbering it fails (see the cli test).
        leido("salto_cero.zul", 1, n1, -1);
    }

    void fixtures() {
        QFETCH(QString, archivo);
        QFETCH(Resultado, resultado);
        QFETCH(int, vivos);
        QFETCH(QString, textos);
        QFETCH(int, hojas);

        const Lectura r = Leer(Fixture(archivo));
        ComprobarResultado(r, resultado);
        if (resultado != Resultado::Leido)
            return;
        QCOMPARE(Vivos(r.l), vivos);
        QCOMPARE(Textos(r.l), textos);
        if (hojas >= 0)
            QCOMPARE(LongitudTirada(r.l.cuadros), hojas);
    }

    void cabecera_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<qint32>("alto");
        QTest::addColumn<QString>("papel");
        QTest::addColumn<float>("zoom");

        const auto fila = [](const char* etiqueta, const char* archivo, qint32 alto,
                             const char* papel, float zoom) {
            QTest::newRow(etiqueta)
                << QString::fromLatin1(archivo) << alto << QString::fromLatin1(papel) << zoom;
        };
        fila("carta", "valido.zul", 15842, "Carta", 0.5f);
        fila("5 m de alto", "hoja_limite.zul", 283500, "Personal", 0.5f);
        // A zoom the zoom field would refuse is opened at the start-up zoom.
        fila("zoom 0", "zoom_cero.zul", 15842, "Carta", 0.5f);
        fila("zoom con punto", "zoom_punto.zul", 15842, "Carta", 0.25f);
    }

    void cabecera() {
        QFETCH(QString, archivo);
        QFETCH(qint32, alto);
        QFETCH(QString, papel);
        QFETCH(float, zoom);

        const Lectura r = Leer(Fixture(archivo));
        QCOMPARE(r.l.resultado, Resultado::Leido);
        QCOMPARE(r.l.hoja.HAlto, alto);
        QCOMPARE(r.l.hoja.HAncho, 12242);
        QCOMPARE(r.l.hoja.HName, papel);
        QCOMPARE(r.l.hoja.Zoom, zoom);
    }

    void generados_data() {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<Resultado>("resultado");
        QTest::addColumn<int>("vivos");
        QTest::addColumn<int>("largoIzq"); // TextoIzq of the first live box; -1: not checked

        const QByteArray larga(70000, 'x');
        const QByteArray maxima(kMaxLinea, 'x');
        const QByteArray bloque = Bloque("N. ");

        QTest::newRow("70.000 bytes en un texto")
            << Escribir("larga_texto.zul", Cabecera() + bloque + Bloque(larga))
            << Resultado::Abandonado << 0 << -1;
        QTest::newRow("70.000 bytes en la cabecera")
            << Escribir("larga_cabecera.zul",
                        QByteArray(Cabecera()).replace(" 310 ", larga) + bloque)
            << Resultado::Abandonado << 0 << -1;
        QTest::newRow("70.000 bytes en la marca")
            << Escribir("larga_marca.zul", larga + kFin + Cabecera() + bloque)
            << Resultado::NoEsTrabajo << 0 << -1;
        // An index line is not read for a value: its length does not matter.
        const QByteArray campos = bloque.mid(bloque.indexOf(" 0 \r\n") + 5);
        QTest::newRow("70.000 bytes en el índice")
            << Escribir("larga_indice.zul",
                        Cabecera() + kSeparadorCuadro + kFin + larga + kFin + campos + bloque)
            << Resultado::Leido << 2 << 3;
        // Past a block's twenty fields a line is not read at all.
        QTest::newRow("70.000 bytes tras un bloque")
            << Escribir("larga_despues.zul", Cabecera() + Bloque("N. ", larga) + bloque)
            << Resultado::Leido << 2 << 3;
        QTest::newRow("línea de 65.536 bytes")
            << Escribir("maxima.zul", Cabecera() + Bloque(maxima)) << Resultado::Leido << 1
            << int(kMaxLinea);
        QTest::newRow("línea de 65.537 bytes")
            << Escribir("maxima_mas_uno.zul", Cabecera() + Bloque(maxima + 'x'))
            << Resultado::Abandonado << 0 << -1;
        // A CR LF whose CR ends the reader's 64 KiB buffer and whose LF starts
        // the next: still one line end, or every later field would shift.
        const qsizetype antes = (Cabecera() + Bloque("@")).indexOf('@');
        const qsizetype partido = 64 * 1024 - 1 - antes;
        QTest::newRow("CR LF partido")
            << Escribir("crlf_partido.zul", Cabecera() + Bloque(QByteArray(partido, 'y')) + bloque)
            << Resultado::Leido << 2 << int(partido);

        QTest::newRow("32.767 cuadros")
            << Escribir("maximo_cuadros.zul", CuadrosMinimos(Estado::kMaxCuadros))
            << Resultado::Leido << int(Estado::kMaxCuadros) << 1;
        QTest::newRow("32.768 cuadros")
            << Escribir("demasiados_cuadros.zul", CuadrosMinimos(Estado::kMaxCuadros + 1))
            << Resultado::Abandonado << 0 << -1;

        // Refused by its size before anything past the marker is read; sparse,
        // so it costs no disk.
        const QString grande = Escribir("grande.zul", Cabecera() + bloque);
        QVERIFY(QFile::resize(grande, kMaxArchivo + 1));
        QTest::newRow("más de 128 MiB") << grande << Resultado::Abandonado << 0 << -1;

        QTest::newRow("no existe")
            << m_dir.filePath("no_existe.zul") << Resultado::Abandonado << 0 << -1;
        QVERIFY(QDir(m_dir.path()).mkpath("carpeta.zul"));
        QTest::newRow("carpeta") << m_dir.filePath("carpeta.zul") << Resultado::Abandonado << 0
                                 << -1;
    }

    void generados() {
        QFETCH(QString, ruta);
        QFETCH(Resultado, resultado);
        QFETCH(int, vivos);
        QFETCH(int, largoIzq);

        const Lectura r = Leer(ruta);
        ComprobarResultado(r, resultado);
        if (resultado != Resultado::Leido)
            return;
        QCOMPARE(Vivos(r.l), vivos);
        if (largoIzq >= 0) {
            QVERIFY(PrimerVivo(r.l));
            QCOMPARE(PrimerVivo(r.l)->TextoIzq.size(), largoIzq);
        }
    }

    // A box text is free text, and a job the program saved must open again:
    // a text that reads as the separator is saved with a blank after it (the
    // operator is told, as for characters the code page lacks).
    void textoIgualAlSeparador() {
        Estado e;
        e.Trabajo.HAlto = 15842;
        e.Trabajo.HAncho = 12242;
        AjustesMemoria vacios;
        const int i = e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        e.Cuadros[i].TextoIzq = QString::fromLatin1(kSeparadorCuadro);
        QList<int> avisados;
        const QString ruta =
            Escribir("separador.zul", SerializarTrabajo(e, QLocale::c(), &avisados));
        QCOMPARE(avisados, QList<int>{i});

        const Lectura r = Leer(ruta);
        QCOMPARE(r.l.resultado, Resultado::Leido);
        QCOMPARE(Vivos(r.l), 1);
        QCOMPARE(PrimerVivo(r.l)->TextoIzq, QString::fromLatin1(kSeparadorCuadro) + u' ');
    }

    // A block that ends before its last field leaves defaults the file never
    // held: the job reads, but never as whole.
    void incompletos_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QList<int>>("incompletos"); // slots
        QTest::newRow("entero") << "valido.zul" << QList<int>{};
        QTest::newRow("sin salto de línea al final") << "fin_sin_salto.zul" << QList<int>{};
        QTest::newRow("líneas de más") << "lineas_de_mas.zul" << QList<int>{};
        QTest::newRow("sin cuadros") << "cabecera_sola.zul" << QList<int>{};
        QTest::newRow("cortado en el segundo cuadro") << "cortado.zul" << QList<int>{1};
        QTest::newRow("último bloque corto") << "bloque_truncado.zul" << QList<int>{1};
        QTest::newRow("bloque corto en medio") << "bloque_cortado_medio.zul" << QList<int>{0};
        // Cut right after a separator: the box it began is missing whole.
        QTest::newRow("separador al final") << "separadores_solos.zul" << QList<int>{0};
    }
    void incompletos() {
        QFETCH(QString, archivo);
        QFETCH(QList<int>, incompletos);
        const Lectura r = Leer(Fixture(archivo));
        QCOMPARE(r.l.resultado, Resultado::Leido);
        QCOMPARE(r.l.incompletos, incompletos);
        QCOMPARE(r.mensajes, 0);
        QCOMPARE(AvisoIncompleto(r.l).isEmpty(), incompletos.isEmpty());
    }

    void avisoIncompleto() {
        const Lectura r = Leer(Fixture(QStringLiteral("cortado.zul")));
        QCOMPARE(AvisoIncompleto(r.l),
                 QStringList{"El archivo está incompleto: al cuadro Nº 2 le faltan datos"});
        // The box got the new-box step: the run is longer than the job's.
        QCOMPARE(LongitudTirada(r.l.cuadros), 999);
        // A hostile file of many short blocks gives a message of bounded length.
        const Lectura muchos = Leer(Escribir("cortos.zul", CuadrosMinimos(5000)));
        QCOMPARE(muchos.l.incompletos.size(), 5000);
        const QStringList aviso = AvisoIncompleto(muchos.l);
        QCOMPARE(aviso.size(), 11);
        QCOMPARE(aviso.first(), "El archivo está incompleto: al cuadro Nº 1 le faltan datos");
        QCOMPARE(aviso.last(), "(y otros 4990 cuadros incompletos)");
    }

    void cli_data() {
        QTest::addColumn<QStringList>("argumentos"); // "@" + name: a fixture
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QByteArray>("salida"); // null: not checked

        QTest::newRow("info") << QStringList{"info", "@valido.zul"} << int(cli::Exito)
                              << QByteArray("Hoja: Carta (21.59 x 27.94 Cmts)\n"
                                            "Orientación: Vertical\nCuadros: 2\nHojas: 100\n");
        // The shorter series prints nothing once it has ended.
        QTest::newRow("textos al final")
            << QStringList{"textos", "@valido.zul", "--desde", "9", "--hasta", "10"}
            << int(cli::Exito) << QByteArray("9\tN. 00009 \t 010-B\n10\tN. 00010 \t\n");
        QTest::newRow("basura") << QStringList{"info", "@basura.bin"} << int(cli::NoLeido)
                                << QByteArray("");
        QTest::newRow("vacío") << QStringList{"textos", "@vacio.zul"} << int(cli::NoLeido)
                               << QByteArray("");
        QTest::newRow("cabecera truncada") << QStringList{"textos", "@cabecera_truncada.zul"}
                                           << int(cli::NoLeido) << QByteArray("");
        QTest::newRow("hoja negativa")
            << QStringList{"info", "@hoja_negativa.zul"} << int(cli::NoLeido) << QByteArray("");
        QTest::newRow("no existe")
            << QStringList{"info", "@no_existe.zul"} << int(cli::NoLeido) << QByteArray("");
        QTest::newRow("salto 0") << QStringList{"textos", "@salto_cero.zul"} << int(cli::Fallo)
                                 << QByteArray("");
        // A job cut short: reported, and only printed when forced.
        const QByteArray incompleto("El archivo está incompleto: al cuadro Nº 2 le faltan datos\n");
        QTest::newRow("info incompleto") << QStringList{"info", "@cortado.zul"} << int(cli::Exito)
                                         << QByteArray("Hoja: Carta (21.59 x 27.94 Cmts)\n"
                                                       "Orientación: Vertical\nCuadros: 2\n"
                                                       "Hojas: 999\n");
        QTest::newRow("pdf incompleto") << QStringList{"pdf", "@cortado.zul", "salida.pdf"}
                                        << int(cli::NoLeido) << QByteArray("");
        QTest::newRow("pdf incompleto forzado")
            << QStringList{"pdf", "@cortado.zul", "salida.pdf", "--forzar"} << int(cli::Exito)
            << QByteArray("");
        QTest::newRow("imprimir incompleto")
            << QStringList{"imprimir", "@cortado.zul"} << int(cli::NoLeido) << QByteArray("");
    }

    void cli() {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QByteArray, salida);

        for (QString& a : argumentos)
            if (a.startsWith(u'@'))
                a = Fixture(a.mid(1));
        const SalidaCli r = Cli(argumentos);
        QCOMPARE(r.codigo, codigo);
        if (!salida.isNull())
            QCOMPARE(r.salida, salida);
    }

    void cliMismosTextos_data() {
        QTest::addColumn<QString>("archivo");
        for (const char* a : {"solo_lf.zul", "solo_cr.zul", "bom_utf8.zul", "fin_sin_salto.zul",
                              "marca_con_espacios.zul"})
            QTest::newRow(a) << QString::fromLatin1(a);
    }

    // Whatever the line ends or marker dressing, the run prints the same.
    void cliMismosTextos() {
        QFETCH(QString, archivo);
        const SalidaCli referencia =
            Cli({QStringLiteral("textos"), Fixture(QStringLiteral("valido.zul"))});
        QCOMPARE(referencia.codigo, int(cli::Exito));
        QCOMPARE(referencia.salida.count('\n'), 100);

        const SalidaCli r = Cli({QStringLiteral("textos"), Fixture(archivo)});
        QCOMPARE(r.codigo, int(cli::Exito));
        QCOMPARE(r.salida, referencia.salida);
    }
};

QTEST_GUILESS_MAIN(PruebaDanados)
#include "test_danados.moc"
