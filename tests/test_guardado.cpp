// Saving over a job: its mode and owner kept, a read-only job refused, a file
// changed by someone else not overwritten unasked, and the lock that tells a
// second copy of the program that the job is open. The second copy is a real
// process: this test runs itself as one ("--copia").
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/CandadoTrabajo.h"
#include "core/trabajo/HuellaArchivo.h"
#include "fakes/Fakes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(datos);
}

// A job of `cuadros` boxes, written as the program writes it.
QByteArray TrabajoDe(int cuadros) {
    Estado e;
    e.Trabajo.HAncho = 12242;
    e.Trabajo.HAlto = 15842;
    e.Trabajo.Zoom = 0.5f;
    AjustesMemoria vacios;
    for (int i = 0; i < cuadros; ++i)
        e.AgregarCuadro(Preferencias(vacios).defectosCuadro(), QPoint(1200 * i, 1200 * i));
    return SerializarTrabajo(e, QLocale());
}

int CuadrosEn(const QString& ruta) {
    MensajesGuion m;
    PoliticaFallas p(m, {});
    const LecturaTrabajo l = LeerArchivoTrabajo(ruta, {}, {}, p);
    return static_cast<int>(
        std::count_if(l.cuadros.begin(), l.cuadros.end(), [](const Cuadro& c) { return c.EnUso; }));
}

mode_t Modo(const QString& ruta) {
    struct stat s {};
    ::stat(QFile::encodeName(ruta).constData(), &s);
    return s.st_mode & 07777;
}

// The second copy of the program. "abrir": opens the job and keeps it open
// until its standard input closes; "guardar": opens it, adds a box, saves and
// ends. Either way it prints the messages it showed, one a line.
int SegundaCopia(const QString& accion, const QString& ruta) {
    Banco b;
    Programa& p = b.crear();
    b.dialogos.rutas = {ruta};
    p.despachador.ejecutar("BtnAbrir");
    QTextStream salida(stdout);
    if (!p.documento().abierto())
        return 3;
    if (accion == u"guardar") {
        AjustesMemoria vacios;
        p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), QPoint(6000, 6000));
        p.despachador.ejecutar("BtnGuardar");
    } else {
        salida << "abierto" << Qt::endl;
        QTextStream(stdin).readAll();
    }
    for (const MensajeMostrado& m : b.mensajes.mostrados)
        salida << m.titulo << ": " << QString(m.texto).replace(u'\r', u' ') << Qt::endl;
    return 0;
}

// Starts the second copy; for "abrir", returns once the job is open in it.
bool Copia(QProcess& copia, const QString& accion, const QString& ruta) {
    copia.start(QCoreApplication::applicationFilePath(), {"--copia", accion, ruta});
    if (accion != u"abrir")
        return copia.waitForFinished(60000) && copia.exitCode() == 0;
    while (!copia.canReadLine())
        if (!copia.waitForReadyRead(60000))
            return false;
    return copia.readLine().trimmed() == "abierto";
}
} // namespace

class PruebaGuardado : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // --- what the file held ---
    void huella_data() {
        QTest::addColumn<QByteArray>("despues"); // empty: the file is deleted
        QTest::addColumn<bool>("tocado");        // only its time changes
        QTest::addColumn<bool>("cambiado");
        QTest::newRow("igual") << QByteArray("uno\r\ndos\r\n") << false << false;
        QTest::newRow("solo la hora") << QByteArray("uno\r\ndos\r\n") << true << false;
        QTest::newRow("mismo largo") << QByteArray("uno\r\ndoz\r\n") << false << true;
        QTest::newRow("mas largo") << QByteArray("uno\r\ndos\r\ntres\r\n") << false << true;
        QTest::newRow("borrado") << QByteArray() << false << false;
    }
    void huella() {
        QFETCH(QByteArray, despues);
        QFETCH(bool, tocado);
        const QString ruta = m_dir.filePath("huella.zul");
        Escribir(ruta, "uno\r\ndos\r\n");
        const HuellaArchivo h = HuellaArchivo::DeArchivo(ruta);
        QVERIFY(h.valida());
        QCOMPARE(h.CambiadoEnDisco(), false);
        QFile f(ruta);
        if (despues.isEmpty()) {
            QVERIFY(f.remove());
        } else {
            Escribir(ruta, despues);
            if (tocado) {
                QVERIFY(f.open(QIODevice::ReadWrite));
                QVERIFY(f.setFileTime(QDateTime::currentDateTime().addDays(1),
                                      QFileDevice::FileModificationTime));
            }
        }
        QTEST(h.CambiadoEnDisco(), "cambiado");
        // What was just written is what the file holds.
        if (!despues.isEmpty())
            QVERIFY(!HuellaArchivo::DeDatos(ruta, despues).CambiadoEnDisco());
    }

    // --- mode and owner ---
    void modoConservado_data() {
        QTest::addColumn<int>("modo");
        QTest::newRow("0600") << 0600;
        QTest::newRow("0640") << 0640;
        QTest::newRow("0664") << 0664;
        QTest::newRow("0755") << 0755;
        QTest::newRow("0604") << 0604;
    }
    void modoConservado() {
        QFETCH(int, modo);
        const QString ruta = m_dir.filePath("modo.zul");
        Escribir(ruta, "anterior");
        QCOMPARE(::chmod(QFile::encodeName(ruta).constData(), modo), 0);
        const bool raiz = ::geteuid() == 0;
        if (raiz)
            QCOMPARE(::chown(QFile::encodeName(ruta).constData(), 1, 1), 0);
        MensajesGuion m;
        PoliticaFallas p(m, {});
        QVERIFY(EscribirArchivoAtomico(ruta, "nuevo", p));
        QCOMPARE(Leer(ruta), QByteArray("nuevo"));
        QCOMPARE(int(Modo(ruta)), modo);
        if (raiz) {
            struct stat s {};
            ::stat(QFile::encodeName(ruta).constData(), &s);
            QCOMPARE(int(s.st_uid), 1);
            QCOMPARE(int(s.st_gid), 1);
        }
        QVERIFY(m.mostrados.isEmpty());
    }

    // Even root, who may write anything, keeps off a read-only job.
    void soloLecturaSeRespeta_data() {
        QTest::addColumn<int>("modo");
        QTest::newRow("0444") << 0444;
        QTest::newRow("0400") << 0400;
        QTest::newRow("0555") << 0555;
    }
    void soloLecturaSeRespeta() {
        QFETCH(int, modo);
        const QString ruta = m_dir.filePath("protegido.zul");
        QFile::remove(ruta);
        Escribir(ruta, "anterior");
        QCOMPARE(::chmod(QFile::encodeName(ruta).constData(), modo), 0);
        MensajesGuion m;
        m.respuestas = {Respuesta::Cancelar};
        PoliticaFallas p(m, {});
        QVERIFY(!EscribirArchivoAtomico(ruta, "nuevo", p));
        QCOMPARE(m.mostrados.size(), 1);
        QCOMPARE(
            m.mostrados[0].texto,
            QStringLiteral("El archivo que intenta escribir, está protegido contra escritura"));
        QCOMPARE(m.mostrados[0].botones, Botones::ReintentarCancelar);
        QCOMPARE(Leer(ruta), QByteArray("anterior"));
        QCOMPARE(int(Modo(ruta)), modo);
        // Made writable again meanwhile, the retry writes.
        m.respuestas = {Respuesta::Reintentar};
        QCOMPARE(::chmod(QFile::encodeName(ruta).constData(), 0644), 0);
        QVERIFY(EscribirArchivoAtomico(ruta, "nuevo", p));
        QCOMPARE(Leer(ruta), QByteArray("nuevo"));
    }

    void guardarSobreSoloLecturaNoPierdeNada() {
        const QString ruta = m_dir.filePath("leer.zul");
        Escribir(ruta, TrabajoDe(1));
        QCOMPARE(::chmod(QFile::encodeName(ruta).constData(), 0444), 0);
        const QByteArray antes = Leer(ruta);
        Banco b;
        Programa& p = b.crear();
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.PosX += 567; });
        b.mensajes.respuestas = {Respuesta::Cancelar, Respuesta::Aceptar};
        p.despachador.ejecutar("BtnGuardar");
        QCOMPARE(b.mensajes.titulos(), (QStringList{"Error de disco", "Guardar Trabajo"}));
        QVERIFY(p.documento().Modificado());
        QCOMPARE(Leer(ruta), antes);
        QCOMPARE(int(Modo(ruta)), 0444);
    }

    // --- two copies of the program ---
    // A opens the job, B (another process) opens it too, adds a box and
    // saves; A's save must not drop B's box without asking.
    void otraCopiaGuardoAntes() {
        const QString ruta = m_dir.filePath("compartido.zul");
        Escribir(ruta, TrabajoDe(1));
        Banco b;
        Programa& p = b.crear();
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(b.mensajes.mostrados.isEmpty());

        QProcess copia;
        QVERIFY(Copia(copia, "guardar", ruta));
        const QString dicho = QString::fromUtf8(copia.readAllStandardOutput());
        QVERIFY2(dicho.startsWith(QStringLiteral("Trabajo abierto: El trabajo %1 está abierto en "
                                                 "otra copia de Velquira (proceso %2 ")
                                      .arg(ruta)
                                      .arg(QCoreApplication::applicationPid())),
                 qPrintable(dicho));
        QCOMPARE(CuadrosEn(ruta), 2);

        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.PosX += 567; });
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnGuardar");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("El archivo ha cambiado en el disco desde que se abrió. "
                                "¿Sobrescribirlo?"));
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Guardar Trabajo"));
        QCOMPARE(b.mensajes.mostrados[0].botones, Botones::SiNo);
        QCOMPARE(CuadrosEn(ruta), 2);
        QVERIFY(p.documento().Modificado());

        // From the close prompt too: not overwriting keeps the job open.
        b.mensajes.respuestas = {Respuesta::Si, Respuesta::No};
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(p.documento().abierto());
        QCOMPARE(CuadrosEn(ruta), 2);

        // The operator's choice: overwrite. Then the file is A's again, and
        // A's next save asks nothing.
        b.mensajes.mostrados.clear();
        b.mensajes.respuestas = {Respuesta::Si};
        p.despachador.ejecutar("BtnGuardar");
        QCOMPARE(CuadrosEn(ruta), 1);
        QVERIFY(!p.documento().Modificado());
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.PosX += 567; });
        p.despachador.ejecutar("BtnGuardar");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QVERIFY(!p.documento().Modificado());
    }

    void abiertoEnOtraCopia() {
        const QString ruta = m_dir.filePath("abierto.zul");
        Escribir(ruta, TrabajoDe(2));
        const QString candado = CandadoTrabajo::RutaCandado(ruta);
        QProcess copia;
        QVERIFY(Copia(copia, "abrir", ruta));
        QVERIFY(QFileInfo::exists(candado));

        Banco b;
        Programa& p = b.crear();
        b.dialogos.rutas = {ruta};
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnAbrir");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Trabajo abierto"));
        QVERIFY(b.mensajes.mostrados[0].texto.contains(
            QStringLiteral("(proceso %1 en ").arg(copia.processId())));
        QCOMPARE(b.mensajes.mostrados[0].botones, Botones::SiNo);
        QVERIFY(!p.documento().abierto());
        QVERIFY(p.documento().RutaTrabajo().isEmpty());

        // Opened all the same: the other copy keeps its lock.
        b.dialogos.rutas = {ruta};
        b.mensajes.respuestas = {Respuesta::Si};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(p.documento().abierto());
        QCOMPARE(p.documento().cuadrosVivos(), 2);
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(QFileInfo::exists(candado));

        // The other copy closes: the lock goes with it.
        copia.closeWriteChannel();
        QVERIFY(copia.waitForFinished(60000));
        QVERIFY(!QFileInfo::exists(candado));
        b.mensajes.mostrados.clear();
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(b.mensajes.mostrados.isEmpty());
        QVERIFY(QFileInfo::exists(candado));
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(!QFileInfo::exists(candado));
    }

    // A copy that died left its lock behind: that lock is stale.
    void candadoDeUnaCopiaTerminada() {
        const QString ruta = m_dir.filePath("huerfano.zul");
        Escribir(ruta, TrabajoDe(1));
        const QString candado = CandadoTrabajo::RutaCandado(ruta);
        QProcess copia;
        QVERIFY(Copia(copia, "abrir", ruta));
        copia.kill();
        QVERIFY(copia.waitForFinished(60000));
        QVERIFY(QFileInfo::exists(candado));

        Banco b;
        Programa& p = b.crear();
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(p.documento().abierto());
        QVERIFY(b.mensajes.mostrados.isEmpty());
        QCOMPARE(Leer(candado).split('\n').first().toLongLong(),
                 QCoreApplication::applicationPid());
    }

    // Saved under another name, the job's lock moves to the new file.
    void guardarComoLlevaElCandado() {
        const QString ruta = m_dir.filePath("origen.zul");
        const QString otra = m_dir.filePath("destino.zul");
        Escribir(ruta, TrabajoDe(1));
        Banco b;
        Programa& p = b.crear();
        b.dialogos.rutas = {ruta, otra};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(QFileInfo::exists(CandadoTrabajo::RutaCandado(ruta)));
        p.despachador.ejecutar("BtnGuardComo");
        QCOMPARE(p.documento().RutaTrabajo(), otra);
        QVERIFY(!QFileInfo::exists(CandadoTrabajo::RutaCandado(ruta)));
        QVERIFY(QFileInfo::exists(CandadoTrabajo::RutaCandado(otra)));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    if (argc == 4 && qstrcmp(argv[1], "--copia") == 0)
        return SegundaCopia(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    PruebaGuardado t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_guardado.moc"
