// The run log where runs really stop: a real CUPS queue of the test's own
// (it holds its jobs, documents and all, and is made to refuse them
// mid-run), real velquira-cli processes killed with SIGKILL or printing two
// at once, and a full disk under the log. End to end: a run cancelled at a
// sheet is logged so, "Continuar" prints exactly the sheets after the last
// one sent, the reverse order prints the same pages reversed, and the
// history lists them all. Without root (queues, tmpfs) the cases are skipped.
#include "core/fallas/Fallas.h"
#include "core/impresion/RegistroTiradas.h"
#include "fakes/Externos.h"
#include "fakes/Fakes.h"
#include "platform/ImpresoraQt.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <signal.h>

using namespace externos;

namespace {
const QString kColaRetenida = QStringLiteral("VelquiraTiradas");

bool MontarLleno(const QString& carpeta, const QString& tamano) {
    return Correr("mount", {"-t", "tmpfs", "-o", "size=" + tamano, "tmpfs", carpeta}) == 0;
}

// The number on every page of the document of job `id`, as the program
// handed it to CUPS (a held queue keeps it in its spool folder).
QStringList PaginasDelTrabajo(int id) {
    QString texto;
    Correr("pdftotext",
           {"-layout", QStringLiteral("/var/spool/cups/d%1-001").arg(id, 5, 10, QLatin1Char('0')),
            "-"},
           &texto);
    QStringList paginas = texto.split(u'\f');
    if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty())
        paginas.removeLast();
    for (QString& p : paginas)
        p = p.trimmed();
    return paginas;
}

QStringList Serie(int desde, int hasta) {
    QStringList t;
    for (int k = desde; desde <= hasta ? k <= hasta : k >= hasta; k += desde <= hasta ? 1 : -1)
        t.append(QString::number(k).rightJustified(6, QLatin1Char('0')));
    return t;
}
} // namespace

class PruebaTiradasCups : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QString m_log;
    bool m_colas = false;

    RegistroTiradas registro() const { return RegistroTiradas(m_log); }

    // The record of the run of process `pid`; none while it has written none.
    std::optional<RegistroTirada> DeProceso(qint64 pid) const {
        for (const RegistroTirada& r : registro().leer().tiradas)
            if (r.pid == pid)
                return r;
        return std::nullopt;
    }

    void Arrancar(QProcess& p, const QStringList& args) {
        p.setProcessEnvironment(m_env);
        p.start(VELQUIRA_CLI, args);
        QVERIFY(p.waitForStarted());
    }

    // Waits until the run of `p` has sent at least one part.
    std::optional<RegistroTirada> EsperarEnvio(QProcess& p) {
        for (int i = 0; i < 1200 && p.state() == QProcess::Running; ++i) {
            const auto r = DeProceso(p.processId());
            if (r && r->enviadas > 0)
                return r;
            QTest::qWait(50);
        }
        return std::nullopt;
    }

    int Cli(const QStringList& args, QString* salida = nullptr, QString* errores = nullptr,
            const QProcessEnvironment& extra = {}) {
        QProcess p;
        QProcessEnvironment env = m_env;
        for (const QString& k : extra.keys())
            env.insert(k, extra.value(k));
        p.setProcessEnvironment(env);
        p.start(VELQUIRA_CLI, args);
        p.waitForFinished(300000);
        if (salida)
            *salida = QString::fromUtf8(p.readAllStandardOutput());
        if (errores)
            *errores = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QString Trabajo(const QString& nombre, int hojas) {
        QFile f(m_dir.filePath(nombre));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("no se pudo escribir %s", qPrintable(f.fileName()));
        f.write(TrabajoDeHojas(hojas));
        return f.fileName();
    }

private slots:
    void initTestCase() {
        m_log = m_dir.filePath("log");
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("VELQUIRA_AJUSTES", m_dir.filePath("ajustes"));
        m_env.insert("VELQUIRA_TIRADAS", m_log);
        m_env.insert("LANG", "es_ES.UTF-8");
        QuitarCola(kColaRetenida);
        m_colas = CrearColaRetenida(kColaRetenida, {"-o", "PageSize=A4"});
    }
    void cleanupTestCase() { QuitarCola(kColaRetenida); }
    void init() {
        if (!m_colas)
            QSKIP("no se pudieron crear colas de CUPS de prueba (hace falta root)");
        Correr("cancel", {"-a", kColaRetenida});
        QDir(m_log).removeRecursively();
    }

    // The desktop program's run of 250 sheets is cancelled at sheet 231: the
    // log says so, and that sheets 1 to 200 went (two print jobs). The batch
    // tool's --continuar prints exactly 201 to 250 on the same queue; the
    // reverse order prints the 250 pages reversed; the history lists them.
    void cancelarContinuarEInverso() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils no está instalado (./test.sh lo instala)");
        const QString trabajo = Trabajo("extremo.zul", 250);
        {
            Banco b;
            CatalogoImpresorasQt impresoras;
            Preferencias(b.ajustes).fijarImpresora(kColaRetenida);
            Servicios s{b.ajustes,      b.mensajes, b.dialogos,
                        b.portapapeles, impresoras, b.dialogosImpresion};
            s.crearVentanaProgreso = [&b]() -> std::unique_ptr<VentanaProgreso> {
                return std::make_unique<VentanaProgresoFalsa>(b.progreso);
            };
            s.carpetaTiradas = m_log;
            Programa p(s);
            QVERIFY(p.ciclo.AbrirRuta(trabajo));
            b.progreso.cancelarEnHoja = 230;
            p.impresion.ImprimirTrabajo(false);
            QCOMPARE(b.mensajes.mostrados.last().texto,
                     "Impresión cancelada en la hoja 231. Se enviaron a la impresora las hojas 1 "
                     "a 200; las siguientes no se enviaron.");
        }
        const auto primera = registro().leer().tiradas;
        QCOMPARE(primera.size(), size_t(1));
        QCOMPARE(TextoResultado(primera[0]), "cancelada en la hoja 231");
        QCOMPARE(TextoEnviadas(primera[0]), "1 a 200");
        QCOMPARE(primera[0].destino, kColaRetenida);

        QString salida, errores;
        QCOMPARE(Cli({"imprimir", trabajo, "--continuar"}, nullptr, &errores), 0);
        QVERIFY2(errores.contains("Imprimiendo en " + kColaRetenida), qPrintable(errores));
        QCOMPARE(Cli({"imprimir", trabajo, "--orden-inverso", "--impresora", kColaRetenida},
                     nullptr, &errores),
                 0);

        const QList<int> nuevos = IdsEnCola(kColaRetenida);
        QCOMPARE(nuevos.size(), 6); // 2 of the cancelled run, 1 going on, 3 reversed
        QStringList enOrden, inverso;
        for (int i = 0; i < nuevos.size(); ++i)
            (i < 3 ? enOrden : inverso) += PaginasDelTrabajo(nuevos[i]);
        QCOMPARE(enOrden, Serie(1, 250));
        QCOMPARE(inverso, Serie(250, 1));

        QCOMPARE(Cli({"historial", "--trabajo", trabajo}, &salida), 0);
        const QStringList lineas = salida.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), 4);
        QVERIFY2(lineas[1].endsWith("\t250 a 1\t250 a 1\tcompleta"), qPrintable(lineas[1]));
        QVERIFY2(lineas[2].endsWith("\t201 a 250\t201 a 250\tcompleta"), qPrintable(lineas[2]));
        QVERIFY2(lineas[3].endsWith("\t1 a 250\t1 a 200\tcancelada en la hoja 231"),
                 qPrintable(lineas[3]));
        QCOMPARE(Cli({"historial", "--trabajo", trabajo, "--json"}, &salida), 0);
        const QJsonArray lista = QJsonDocument::fromJson(salida.toUtf8()).array();
        QCOMPARE(lista[1]["continuaDe"].toString(), primera[0].id);
    }

    // A real velquira-cli killed with SIGKILL mid-run leaves its record "sin
    // terminar" with the last sheet known to be sent; the queue holds those
    // sheets' jobs (and at most the one part that was on its way).
    void matarConSigkill() {
        const QString trabajo = Trabajo("larga.zul", 30000);
        QProcess p;
        Arrancar(p, {"imprimir", trabajo, "--impresora", kColaRetenida});
        const qint64 pid = p.processId();
        const auto enviado = EsperarEnvio(p);
        QVERIFY2(enviado, qPrintable(QString::fromUtf8(p.readAllStandardError())));
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        const auto r = DeProceso(pid);
        QVERIFY(r);
        QCOMPARE(r->estado, EstadoTirada::SinTerminar);
        QVERIFY(!r->fin.isValid());
        QVERIFY(r->enviadas >= enviado->enviadas);
        QCOMPARE(r->enviadas % kHojasPorEntrega, 0);
        const qint32 enCola = static_cast<qint32>(IdsEnCola(kColaRetenida).size());
        QVERIFY2(enCola * kHojasPorEntrega >= r->enviadas &&
                     enCola * kHojasPorEntrega <= std::max(r->enviadas, r->enEnvio),
                 qPrintable(QStringLiteral("%1 trabajos, %2 enviadas, %3 en envío")
                                .arg(enCola)
                                .arg(r->enviadas)
                                .arg(r->enEnvio)));
        QString salida;
        QCOMPARE(Cli({"historial", "--trabajo", trabajo}, &salida), 0);
        QVERIFY2(salida.contains(
                     QStringLiteral("sin terminar (última hoja enviada: %1").arg(r->enviadas)),
                 qPrintable(salida));
        // The job's next run says where the last one stopped.
        QString errores;
        QCOMPARE(Cli({"imprimir", trabajo, "--impresora", kColaRetenida, "--hasta", "1"}, nullptr,
                     &errores),
                 0);
        QVERIFY2(errores.startsWith(QStringLiteral("Aviso: la última tirada de este trabajo se "
                                                   "detuvo en la hoja %1; con --continuar se "
                                                   "sigue desde la hoja %2.\n")
                                        .arg(r->enviadas)
                                        .arg(r->enviadas + 1)),
                 qPrintable(errores));
    }

    // The queue starts refusing jobs mid-run: the run fails at the part it
    // could not hand over, the tool says which sheets went and exits 1, and
    // the log says the same; the queue holds exactly those sheets.
    void colaQueDejaDeAceptar() {
        const QString trabajo = Trabajo("rechazo.zul", 30000);
        QProcess p;
        Arrancar(p, {"imprimir", trabajo, "--impresora", kColaRetenida});
        const qint64 pid = p.processId();
        QVERIFY(EsperarEnvio(p));
        QCOMPARE(Correr("cupsreject", {kColaRetenida}), 0);
        const bool termino = p.waitForFinished(120000);
        Correr("cupsaccept", {kColaRetenida});
        QVERIFY(termino);
        const QString errores = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 1);
        const auto r = DeProceso(pid);
        QVERIFY(r);
        QCOMPARE(r->estado, EstadoTirada::Fallida);
        QVERIFY2(r->falla.contains("no acepta trabajos"), qPrintable(r->falla));
        QVERIFY(r->enviadas > 0);
        QCOMPARE(IdsEnCola(kColaRetenida).size() * kHojasPorEntrega, r->enviadas);
        QVERIFY2(errores.contains(QStringLiteral("Se enviaron a la impresora las hojas 1 a %1; las "
                                                 "siguientes no se enviaron.\nCon --continuar se "
                                                 "sigue desde la hoja %2.")
                                      .arg(r->enviadas)
                                      .arg(r->enviadas + 1)),
                 qPrintable(errores));
    }

    // Two programs printing at once: both records complete, every line whole.
    void dosProgramasALaVez() {
        const QString a = Trabajo("a.zul", 1000), b = Trabajo("b.zul", 1000);
        QProcess pa, pb;
        Arrancar(pa, {"imprimir", a, "--impresora", kColaRetenida});
        Arrancar(pb, {"imprimir", b, "--impresora", kColaRetenida});
        QVERIFY(pa.waitForFinished(300000) && pb.waitForFinished(300000));
        QCOMPARE(pa.exitCode(), 0);
        QCOMPARE(pb.exitCode(), 0);
        const auto l = registro().leer();
        QVERIFY2(l.avisos.isEmpty(), qPrintable(l.avisos.join('\n')));
        QCOMPARE(l.tiradas.size(), size_t(2));
        for (const RegistroTirada& r : l.tiradas) {
            QVERIFY(r.completa());
            QCOMPARE(r.enviadas, 1000);
        }
        QFile f(registro().ruta());
        QVERIFY(f.open(QIODevice::ReadOnly));
        int lineas = 0;
        while (!f.atEnd()) {
            QVERIFY(QJsonDocument::fromJson(f.readLine()).isObject());
            ++lineas;
        }
        QCOMPARE(lineas, 2 * (1 + 2 * 10 + 1)); // begun, 10 parts on their way and sent, ended
        QCOMPARE(IdsEnCola(kColaRetenida).size(), 20);
    }

    // A full disk under the log: the run goes on and completes, the operator
    // is warned that it could not be noted, and no half line is left.
    void discoLlenoParaElRegistro() {
        QTemporaryDir punto;
        if (!MontarLleno(punto.path(), "64k"))
            QSKIP("no se pudo montar un tmpfs (hace falta root)");
        {
            QFile relleno(punto.filePath("relleno"));
            QVERIFY(relleno.open(QIODevice::WriteOnly));
            const QByteArray bloque(4096, 'x');
            while (relleno.write(bloque) == bloque.size() && relleno.flush()) {
            }
        }
        QProcessEnvironment env;
        env.insert("VELQUIRA_TIRADAS", punto.path());
        const QString trabajo = Trabajo("lleno.zul", 5);
        QString errores;
        const int codigo =
            Cli({"pdf", trabajo, m_dir.filePath("lleno.pdf")}, nullptr, &errores, env);
        const qint64 tamano = QFileInfo(punto.filePath("tiradas.jsonl")).size();
        Correr("umount", {punto.path()});
        QCOMPARE(codigo, 0);
        QVERIFY2(errores.startsWith("Aviso: No se pudo escribir en el historial de tiradas"),
                 qPrintable(errores));
        QVERIFY(tamano <= 0);
        QVERIFY(QFileInfo(m_dir.filePath("lleno.pdf")).size() > 0);
    }
};

QTEST_MAIN(PruebaTiradasCups)
#include "test_tiradas_cups.moc"
