// Faults of a run's output, caused where they happen: a real CUPS queue that
// is held, refuses jobs or disappears mid-run; a full disk (a small tmpfs);
// a device that refuses every byte; a run interrupted by a signal. In each,
// nothing of the document being written may reach the printer or replace a
// file, and the failure is told.
// The queues are the test's own, made and removed here (root, as the test
// command runs); without that the cases are skipped.
#include "core/fallas/Fallas.h"
#include "core/impresion/Correccion.h"
#include "core/impresion/Impresion.h"
#include "fakes/Externos.h"
#include "fakes/Fakes.h"
#include "platform/AjustesQt.h"
#include "platform/DialogosImpresionQt.h"
#include "platform/ImpresoraQt.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace externos;

namespace {
const QString kCola = QStringLiteral("VelquiraRetenida");

class VentanaQueCancela : public VentanaProgreso {
public:
    explicit VentanaQueCancela(int hoja) : m_hoja(hoja) {}
    void mostrar(qint32) override {}
    void actualizar(qint32 valor, const QString&) override { m_actual = valor; }
    void procesarEventos() override {}
    bool tomarCancelacion() override { return m_actual == m_hoja; }
    void cerrar() override {}

private:
    int m_hoja;
    int m_actual = -1;
};

// Mounts a tmpfs of `tamano` at `carpeta`; false when this machine lets us not.
bool MontarLleno(const QString& carpeta, const QString& tamano) {
    return Correr("mount", {"-t", "tmpfs", "-o", "size=" + tamano, "tmpfs", carpeta}) == 0;
}
} // namespace

class PruebaSalida : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QString m_larga; // 30,000 sheets: several seconds of drawing
    QString m_corta; // 100 sheets
    bool m_cola = false;

    int Cli(const QStringList& args, QString* mensajes,
            const QProcessEnvironment& extra = QProcessEnvironment()) {
        QProcess p;
        QProcessEnvironment env = m_env;
        for (const QString& k : extra.keys())
            env.insert(k, extra.value(k));
        p.setProcessEnvironment(env);
        p.start(VELQUIRA_CLI, args);
        p.waitForFinished(120000);
        *mensajes = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // Starts `imprimir` on the long run and returns once it is drawing.
    void Arrancar(QProcess& p, const QString& cola) {
        p.setProcessEnvironment(m_env);
        p.setReadChannel(QProcess::StandardError);
        p.start(VELQUIRA_CLI, {"imprimir", m_larga, "--impresora", cola});
        QString errores;
        while (!errores.contains("Imprimiendo en") && p.waitForReadyRead(30000))
            errores += QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(errores.contains("Imprimiendo en"), qPrintable(errores));
    }

private slots:
    void initTestCase() {
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("VELQUIRA_AJUSTES", m_dir.filePath("ajustes"));
        m_env.insert("VELQUIRA_TIRADAS", m_dir.filePath("tiradas"));
        m_env.insert("LANG", "es_ES.UTF-8");
        const auto escribir = [&](const QString& nombre, const QByteArray& datos) {
            QFile f(m_dir.filePath(nombre));
            if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size())
                qFatal("no se pudo escribir %s", qPrintable(f.fileName()));
            return f.fileName();
        };
        m_larga = escribir("larga.zul", TrabajoDeHojas(30000));
        m_corta = escribir("corta.zul", TrabajoDeHojas(100));
        QuitarCola(kCola);
        m_cola = CrearColaRetenida(kCola);
    }
    void cleanupTestCase() {
        if (m_cola)
            QuitarCola(kCola);
    }
    void init() {
        if (m_cola)
            Correr("cancel", {"-a", kCola});
    }

    // The desktop program's run loop on a real queue: a run ended normally
    // leaves one job; a confirmed cancel at sheet 5 leaves none, and says so.
    void cancelarNoEnviaNada() {
        if (!m_cola)
            QSKIP("no se pudo crear una cola de CUPS de prueba (hace falta root)");
        const std::vector<Cuadro> cuadros = UnaSerie(2000, 6);
        MensajesGuion mensajes;
        PoliticaFallas politica(mensajes, {});
        {
            ImpresoraQt imp(kCola);
            Tirada t;
            t.rango = {1, 3};
            QCOMPARE(ImprimirHojas(cuadros, imp, t, nullptr, politica), FinTirada::Terminada);
            QVERIFY(imp.trabajoCups() > 0);
        }
        QCOMPARE(TrabajosEnCola(kCola).size(), 1);
        Correr("cancel", {"-a", kCola});

        ImpresoraQt imp(kCola);
        VentanaQueCancela ventana(4);
        mensajes.respuestas = {Respuesta::Aceptar}; // "¿Seguro desea cancelar la impresión?"
        qint32 entregadas = -1;
        QCOMPARE(ImprimirHojas(cuadros, imp, {}, &ventana, politica, &entregadas),
                 FinTirada::Cancelada);
        QCOMPARE(entregadas, 0);
        QCOMPARE(mensajes.mostrados.size(), 1);
        QCOMPARE(imp.trabajoCups(), 0);
        QVERIFY2(TrabajosEnCola(kCola).isEmpty(), qPrintable(TrabajosEnCola(kCola).join('\n')));
    }

    // A preview draws the run on the queue's printer object and leaves the
    // held queue empty; the same object prints to it afterwards as before.
    void vistaPreliminarNoEnviaNada() {
        if (!m_cola)
            QSKIP("no se pudo crear una cola de CUPS de prueba (hace falta root)");
        const std::vector<Cuadro> cuadros = UnaSerie(50);
        MensajesGuion mensajes;
        PoliticaFallas politica(mensajes, {});
        Tirada t;
        t.rango = {1, 50};
        ImpresoraQt imp(kCola);
        DialogosImpresionQt dialogos;
        // Closes the preview once it is up (exec() blocks until then).
        auto* reloj = new QTimer(this);
        reloj->setInterval(20);
        connect(reloj, &QTimer::timeout, reloj, [reloj] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                reloj->stop();
                d->reject();
            }
        });
        reloj->start();
        FinTirada fin = FinTirada::SinHojas;
        dialogos.vistaPreliminar(imp, {1, 50}, 50, [&](Impresora& vista) {
            fin = ImprimirHojas(cuadros, vista, t, nullptr, politica);
        });
        delete reloj;
        QCOMPARE(fin, FinTirada::Terminada);
        QCOMPARE(imp.trabajoCups(), 0);
        QVERIFY2(TrabajosEnCola(kCola).isEmpty(), qPrintable(TrabajosEnCola(kCola).join('\n')));

        t.rango = {1, 2};
        QCOMPARE(ImprimirHojas(cuadros, imp, t, nullptr, politica), FinTirada::Terminada);
        QVERIFY(imp.trabajoCups() > 0);
        QCOMPARE(TrabajosEnCola(kCola).size(), 1);
        QVERIFY(mensajes.mostrados.isEmpty());
    }

    // An interrupted run sends nothing more: the parts it had sent stay in
    // the queue, and what it says it sent is exactly what is there.
    void cliInterrumpidaDiceLoEnviado_data() {
        QTest::addColumn<int>("senal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void cliInterrumpidaDiceLoEnviado() {
        QFETCH(int, senal);
        if (!m_cola)
            QSKIP("no se pudo crear una cola de CUPS de prueba (hace falta root)");
        QProcess p;
        Arrancar(p, kCola);
        if (QTest::currentTestFailed() || p.processId() <= 0)
            return;
        ::kill(static_cast<pid_t>(p.processId()), senal);
        QVERIFY(p.waitForFinished(60000));
        const QString errores = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY(p.exitCode() != 0);
        static const QRegularExpression enviadas(
            QStringLiteral("Se enviaron a la impresora las hojas 1 a (\\d+);"));
        const auto m = enviadas.match(errores);
        if (!m.hasMatch()) {
            QVERIFY2(errores.contains("No se envió ninguna hoja"), qPrintable(errores));
            QVERIFY(TrabajosEnCola(kCola).isEmpty());
        } else {
            QCOMPARE(TrabajosEnCola(kCola).size() * kHojasPorEntrega, m.captured(1).toInt());
        }
    }

    void colaQueRechazaTrabajos() {
        if (!m_cola)
            QSKIP("no se pudo crear una cola de CUPS de prueba (hace falta root)");
        QCOMPARE(Correr("cupsreject", {kCola}), 0);
        QString errores;
        const int codigo = Cli({"imprimir", m_corta, "--impresora", kCola, "--prueba"}, &errores);
        Correr("cupsaccept", {kCola});
        QCOMPARE(codigo, 1);
        QVERIFY2(errores.contains(QStringLiteral("no acepta trabajos")), qPrintable(errores));
        QVERIFY(TrabajosEnCola(kCola).isEmpty());
    }

    void colaBorradaDuranteLaTirada() {
        if (!m_cola)
            QSKIP("no se pudo crear una cola de CUPS de prueba (hace falta root)");
        const QString cola = QStringLiteral("VelquiraEfimera");
        QVERIFY(CrearColaRetenida(cola));
        QProcess p;
        Arrancar(p, cola);
        QuitarCola(cola);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(p.waitForFinished(120000));
        const QString errores = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 1);
        // Depending on when the queue goes, CUPS either refuses the next part
        // (the queue no longer exists) or cancels the part it had just taken.
        QVERIFY2(errores.contains(QStringLiteral("no existe")) ||
                     errores.contains(QStringLiteral("anuló el trabajo")),
                 qPrintable(errores));
    }

    // The spool file fills the temporary folder: nothing truncated is submitted.
    void carpetaTemporalLlena() {
        if (!m_cola)
            QSKIP("no se pudo crear una cola de CUPS de prueba (hace falta root)");
        QTemporaryDir punto;
        if (!MontarLleno(punto.path(), "64k"))
            QSKIP("no se pudo montar un tmpfs (hace falta root)");
        QProcessEnvironment env;
        env.insert("TMPDIR", punto.path());
        QString errores;
        const int codigo = Cli({"imprimir", m_corta, "--impresora", kCola}, &errores, env);
        Correr("umount", {punto.path()});
        QCOMPARE(codigo, 1);
        QVERIFY2(errores.contains(QStringLiteral("No se entregó nada")), qPrintable(errores));
        QVERIFY(TrabajosEnCola(kCola).isEmpty());
    }

    // A full disk under the PDF: exit 1 and what was at the path stays.
    void pdfEnDiscoLleno() {
        QTemporaryDir punto;
        if (!MontarLleno(punto.path(), "64k"))
            QSKIP("no se pudo montar un tmpfs (hace falta root)");
        const QString pdf = punto.filePath("tirada.pdf");
        {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("lo que había");
        }
        QString errores;
        // 2,000 sheets: far more than the 64 KiB the disk holds, whichever writer.
        const int codigo = Cli({"pdf", m_larga, pdf, "--hasta", "2000"}, &errores);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray queda = f.readAll();
        const QStringList resto = QDir(punto.path()).entryList(QDir::Files | QDir::Hidden);
        f.close();
        Correr("umount", {punto.path()});
        QCOMPARE(codigo, 1);
        QVERIFY2(errores.contains(QStringLiteral("disco está lleno")), qPrintable(errores));
        QCOMPARE(queda, QByteArray("lo que había"));
        QCOMPARE(resto, QStringList{"tirada.pdf"}); // no temporary file left behind
    }

    // A printer correction measured with the settings' disk full: the write
    // says it was not stored, the file keeps what it had, and the value holds
    // for the rest of the session.
    void correccionEnDiscoLleno() {
        QTemporaryDir punto;
        if (!MontarLleno(punto.path(), "64k"))
            QSKIP("no se pudo montar un tmpfs (hace falta root)");
        QByteArray antes;
        QString error;
        std::optional<QPointF> enMemoria;
        {
            AjustesQt a(punto.path());
            QVERIFY(GenerarIniPrinter(a, "Laser", 1, 120, -60).isEmpty());
            QFile f(punto.filePath("ZUL Velquira®.ini"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            antes = f.readAll();
            f.close();
            // Fill what is left of the disk.
            QFile relleno(punto.filePath("relleno"));
            QVERIFY(relleno.open(QIODevice::WriteOnly));
            const QByteArray bloque(4096, 'x');
            while (relleno.write(bloque) == bloque.size() && relleno.flush()) {
            }
            relleno.close();
            error = GenerarIniPrinter(a, "Laser", 1, 300, 200);
            enMemoria = LeerCorreccion(a, "Laser", 1);
        }
        QFile f(punto.filePath("ZUL Velquira®.ini"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray despues = f.readAll();
        f.close();
        Correr("umount", {punto.path()});
        QVERIFY2(error.contains(QStringLiteral("disco puede estar lleno")), qPrintable(error));
        QCOMPARE(despues, antes);
        QCOMPARE(*enMemoria, QPointF(300, 200));
    }

    // A device that refuses every write (as /dev/full): exit 1, the node stays.
    void pdfEnDispositivoLleno_data() {
        QTest::addColumn<bool>("prueba");
        QTest::newRow("tirada") << false;
        QTest::newRow("prueba") << true;
    }
    void pdfEnDispositivoLleno() {
        QFETCH(bool, prueba);
        const QString nodo = m_dir.filePath("lleno");
        QFile::remove(nodo);
        if (::mknod(QFile::encodeName(nodo).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("no se pudo crear un dispositivo lleno (hace falta root)");
        QString errores;
        QStringList args = {"pdf", m_corta, nodo};
        if (prueba)
            args << "--prueba";
        QCOMPARE(Cli(args, &errores), 1);
        QVERIFY(!errores.isEmpty());
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(nodo).constData(), &info), 0);
        QVERIFY(S_ISCHR(info.st_mode));
        QFile::remove(nodo);
    }

    // A cancelled export leaves the file that was at its path.
    void pdfInterrumpidoDejaElArchivo() {
        const QString pdf = m_dir.filePath("anterior.pdf");
        {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("anterior");
        }
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.setReadChannel(QProcess::StandardError);
        p.start(VELQUIRA_CLI, {"pdf", m_larga, pdf});
        QString errores;
        while (!errores.contains("Exportando a") && p.waitForReadyRead(30000))
            errores += QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(p.processId() > 0, qPrintable(errores));
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("anterior"));
        QVERIFY(QDir(m_dir.path()).entryList({"anterior.pdf.*"}).isEmpty());
    }

    void pdfSobreElTrabajo_data() {
        QTest::addColumn<bool>("enlace");
        QTest::newRow("mismo archivo") << false;
        QTest::newRow("por un enlace") << true;
    }
    void pdfSobreElTrabajo() {
        QFETCH(bool, enlace);
        QFile trabajo(m_corta);
        QVERIFY(trabajo.open(QIODevice::ReadOnly));
        const QByteArray antes = trabajo.readAll();
        trabajo.close();
        QString destino = m_corta;
        if (enlace) {
            destino = m_dir.filePath("enlace.pdf");
            QFile::remove(destino);
            QVERIFY(QFile::link(m_corta, destino));
        }
        QString errores;
        QCOMPARE(Cli({"pdf", m_corta, destino}, &errores), 2);
        QVERIFY(errores.contains(QStringLiteral("propio trabajo")));
        QVERIFY(trabajo.open(QIODevice::ReadOnly));
        QCOMPARE(trabajo.readAll(), antes);
    }

    void pdfEnCarpetaInexistente() {
        QString errores;
        QCOMPARE(Cli({"pdf", m_corta, m_dir.filePath("no/existe/x.pdf")}, &errores), 1);
        QVERIFY2(errores.startsWith(QStringLiteral("La ruta no existe")), qPrintable(errores));
    }

    // The font engine overflows past about 16,000 device pixels: a box of
    // the largest size a job holds (1,638 pt, 27,300 pixels at 1,200 dpi)
    // printed its text 17 cm too high. Measures must grow with the size.
    void letraEnormeMideComoLaPequena_data() {
        QTest::addColumn<double>("puntos");
        QTest::newRow("1000 pt") << 1000.0;
        QTest::newRow("1638 pt") << 1638.0;
    }
    void letraEnormeMideComoLaPequena() {
        QFETCH(double, puntos);
        ImpresoraPdf imp(m_dir.filePath("enorme.pdf"), 56700, 113400);
        FuenteImpresion f;
        f.nombre = QStringLiteral("Arial");
        f.puntos = 100;
        imp.fijarFuente(f);
        const double alto = imp.altoCelda(), ancho = imp.anchoTexto(QStringLiteral("00001"));
        f.puntos = puntos;
        imp.fijarFuente(f);
        const double k = puntos / 100;
        QVERIFY2(qAbs(imp.altoCelda() / (alto * k) - 1) < 0.01,
                 qPrintable(QString::number(imp.altoCelda())));
        QVERIFY(qAbs(imp.anchoTexto(QStringLiteral("00001")) / (ancho * k) - 1) < 0.01);
    }

    void rangoPasadoElFinal() {
        QString errores;
        const QString pdf = m_dir.filePath("rango.pdf");
        QCOMPARE(Cli({"pdf", m_corta, pdf, "--desde", "90", "--hasta", "260"}, &errores), 2);
        QVERIFY2(errores.contains(QStringLiteral("La tirada tiene 100 hojas")),
                 qPrintable(errores));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(PruebaSalida)
#include "test_salida.moc"
