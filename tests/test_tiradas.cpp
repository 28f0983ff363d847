// The run log and what stands on it: the records a run leaves as it goes
// (before the first sheet, after every part sent, at the end), a damaged or
// oversized log, the history's "Reimprimir hojas..." and "Continuar", the
// offer to go on with a run that stopped, the reverse order, and the batch
// tool's historial, --continuar and --orden-inverso. On recording printers;
// the real queue, the real processes and a full disk are test_tiradas_cups'.
#include "cli/ComandosCli.h"
#include "core/fallas/Fallas.h"
#include "core/impresion/RegistroTiradas.h"
#include "core/programa/HistorialTiradas.h"
#include "fakes/Externos.h"
#include "fakes/Fakes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// US Letter portrait (the recording printers' paper); box 1 numbers 1..`hojas`, box 2 (when `dos`)
// 501..500+`hojas`.
QByteArray TrabajoDeHojas(int hojas, bool dos = false) {
    QList<externos::CuadroArchivo> cuadros = {{1134, 1134, 1, hojas}};
    if (dos)
        cuadros.append({1134, 2268, 501, 500 + hojas});
    return externos::TextoTrabajo({12240, 15840}, cuadros);
}

QString Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size())
        qFatal("no se pudo escribir %s", qPrintable(ruta));
    return ruta;
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The texts a recording printer printed, "|" between pages, "#" where a
// document was delivered.
QStringList Hojas(const ImpresoraGrabadora& imp) {
    QStringList t;
    for (const auto& l : imp.llamadas)
        if (l.operacion == u"texto")
            t.append(l.texto);
        else if (l.operacion == u"pagina")
            t.append("|");
        else if (l.operacion == u"fin")
            t.append("#");
    return t;
}

// The numbers of box 1 a printer printed, in order.
QStringList Numeros(const ImpresoraGrabadora& imp) {
    QStringList t;
    for (const auto& l : imp.de("texto"))
        if (l.y == imp.de("texto").first().y)
            t.append(l.texto);
    return t;
}

QStringList Serie(int desde, int hasta) {
    QStringList t;
    for (int k = desde; desde <= hasta ? k <= hasta : k >= hasta; k += desde <= hasta ? 1 : -1)
        t.append(QString::number(k).rightJustified(6, QLatin1Char('0')));
    return t;
}

// What the sheet loop told, in order.
class Oyente : public SeguimientoTirada {
public:
    QStringList dicho;
    void enviando(qint32 h) override { dicho.append(QStringLiteral("enviando %1").arg(h)); }
    void entregadas(qint32 h) override { dicho.append(QStringLiteral("entregadas %1").arg(h)); }
    void terminada(FinTirada fin, qint32 hoja, const QString& falla) override {
        dicho.append(QStringLiteral("fin %1 en %2 %3").arg(int(fin)).arg(hoja).arg(falla));
    }
};

RegistroTirada Tirada_(const QString& id, int desde, int hasta, int enviadas,
                       EstadoTirada estado = EstadoTirada::SinTerminar) {
    RegistroTirada r;
    r.id = id;
    r.inicio = QDateTime(QDate(2026, 3, 1), QTime(9, 0));
    r.destino = QStringLiteral("Cola");
    r.desde = desde;
    r.hasta = hasta;
    r.enviadas = enviadas;
    r.estado = estado;
    return r;
}
} // namespace

class PruebaTiradas : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // A program on fakes keeping its log in a folder of its own, with the
    // job `ruta` open and "Cola" as its printer.
    struct Programa_ {
        Banco b;
        QTemporaryDir log;
        Programa* p = nullptr;
        explicit Programa_(const QString& ruta) {
            b.impresoras.lista = {"Cola", "Otra"};
            b.impresoras.defecto = "Cola";
            Servicios s{b.ajustes,      b.mensajes,   b.dialogos,
                        b.portapapeles, b.impresoras, b.dialogosImpresion};
            s.crearVentanaProgreso = [this]() -> std::unique_ptr<VentanaProgreso> {
                return std::make_unique<VentanaProgresoFalsa>(b.progreso);
            };
            s.carpetaTiradas = log.path();
            b.programa = std::make_unique<Programa>(s);
            p = b.programa.get();
            if (!ruta.isEmpty())
                QVERIFY(p->ciclo.AbrirRuta(ruta));
        }
        RegistroTiradas registro() { return RegistroTiradas(log.path()); }
        std::vector<RegistroTirada> tiradas() { return registro().leer().tiradas; }
        ImpresoraGrabadora& ultima() { return *b.impresoras.creadas.last(); }
        // The printer objects may outlive a run: what they printed is let go,
        // so that the next run's is told apart.
        void olvidar() {
            for (ImpresoraGrabadora* g : b.impresoras.creadas)
                g->llamadas.clear();
        }
        // The printer object that printed since.
        ImpresoraGrabadora& usada() {
            for (qsizetype i = b.impresoras.creadas.size() - 1; i > 0; --i)
                if (!b.impresoras.creadas[i]->de("texto").isEmpty())
                    return *b.impresoras.creadas[i];
            return *b.impresoras.creadas.first();
        }
        QStringList textosMostrados() const {
            QStringList t;
            for (const auto& m : b.mensajes.mostrados)
                t.append(m.texto);
            return t;
        }
    };

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    // --- the sheet loop in parts, and its order ---

    // A run of 8 in parts of 3: three documents, each told before and after
    // it goes; the numbers of each sheet are the run's.
    void partesYOrden_data() {
        QTest::addColumn<bool>("inverso");
        QTest::addColumn<QStringList>("hojas");
        QTest::newRow("en orden") << false << QStringList{"1", "|", "2", "|", "3", "#", "4", "|",
                                                          "5", "|", "6", "#", "7", "|", "8", "#"};
        QTest::newRow("inverso") << true << QStringList{"8", "|", "7", "|", "6", "#", "5", "|",
                                                        "4", "|", "3", "#", "2", "|", "1", "#"};
    }
    void partesYOrden() {
        QFETCH(bool, inverso);
        QFETCH(QStringList, hojas);
        MensajesGuion mensajes;
        PoliticaFallas politica(mensajes, {});
        ImpresoraGrabadora imp;
        Tirada t;
        t.inverso = inverso;
        t.hojasPorEntrega = 3;
        Oyente oyente;
        qint32 entregadas = 0;
        QCOMPARE(ImprimirHojas(UnaSerie(8), imp, t, nullptr, politica, &entregadas, &oyente),
                 FinTirada::Terminada);
        QCOMPARE(Hojas(imp), hojas);
        QCOMPARE(entregadas, 8);
        QCOMPARE(oyente.dicho, (QStringList{"enviando 3", "entregadas 3", "enviando 6",
                                            "entregadas 6", "enviando 8", "entregadas 8",
                                            "fin 1 en " + QString(inverso ? "1 " : "8 ")}));
    }

    // A cancel or a failure throws the part being drawn away; the parts sent
    // stay sent, and the record says where the run stopped and what went.
    void paradaEnMedio_data() {
        QTest::addColumn<int>("cancelarEn"); // 0-based sheet; -1: the printer fails
        QTest::addColumn<bool>("inverso");
        QTest::addColumn<int>("enviadas");
        QTest::addColumn<QString>("resultado");
        QTest::addColumn<QString>("enviadasTexto");
        QTest::newRow("cancelada en la primera") << 0 << false << 0 << "cancelada en la hoja 1"
                                                 << "ninguna";
        QTest::newRow("cancelada en la quinta") << 4 << false << 3 << "cancelada en la hoja 5"
                                                << "1 a 3";
        QTest::newRow("cancelada en la última") << 7 << false << 6 << "cancelada en la hoja 8"
                                                << "1 a 6";
        QTest::newRow("cancelada en la última, inversa")
            << 7 << true << 6 << "cancelada en la hoja 1"
            << "8 a 3";
        QTest::newRow("la impresora falla en la segunda parte")
            << -1 << false << 3 << "falló en la hoja 6: La impresora no responde"
            << "1 a 3";
    }
    void paradaEnMedio() {
        QFETCH(int, cancelarEn);
        QFETCH(bool, inverso);
        QFETCH(int, enviadas);
        QFETCH(QString, resultado);
        QFETCH(QString, enviadasTexto);
        QTemporaryDir dir;
        RegistroTiradas registro(dir.path());
        MensajesGuion mensajes;
        mensajes.respuestas = {Respuesta::Aceptar};
        PoliticaFallas politica(mensajes, {});
        ImpresoraGrabadora imp;
        if (cancelarEn < 0)
            imp.alImprimir = [&](const LlamadaImpresora& l) {
                if (l.texto == u"000005")
                    imp.fallarAlTerminar = true;
            };
        RegistroProgreso progreso;
        progreso.cancelarEnHoja = cancelarEn;
        VentanaProgresoFalsa ventana(progreso);
        const std::vector<Cuadro> cuadros = UnaSerie(8, 6);
        Tirada t;
        t.hojas = 8;
        t.inverso = inverso;
        t.hojasPorEntrega = 3;
        ::Trabajo hoja;
        FijarCarta(hoja);
        AnotacionTirada nota(registro, NuevaTirada(hoja, cuadros, {}, "Cola", false, t), cuadros);
        QVERIFY(!nota.iniciar());
        const FinTirada fin = ImprimirHojas(cuadros, imp, t, &ventana, politica, nullptr, &nota);
        QCOMPARE(fin, cancelarEn < 0 ? FinTirada::Abandonada : FinTirada::Cancelada);
        QCOMPARE(imp.de("fin").size(), enviadas / 3);
        QCOMPARE(imp.de("abortar").size(), cancelarEn == 0 ? 0 : 1); // none open at the first
        const auto l = registro.leer();
        QVERIFY(l.avisos.isEmpty());
        QCOMPARE(l.tiradas.size(), size_t(1));
        const RegistroTirada& r = l.tiradas[0];
        QCOMPARE(r.enviadas, enviadas);
        QCOMPARE(TextoResultado(r), resultado);
        QCOMPARE(TextoEnviadas(r), enviadasTexto);
        QVERIFY(!r.completa());
        QVERIFY(r.fin.isValid());
        if (enviadas > 0) {
            // The first and last numbers sent, box by box.
            QCOMPARE(r.cuadros.size(), size_t(1));
            QCOMPARE(r.cuadros[0].primero, inverso ? "000008" : "000001");
            QCOMPARE(r.cuadros[0].ultimo, inverso ? "000003" : QString("00000%1").arg(enviadas));
        }
    }

    // --- the log file ---

    // A record is written again whole each time; the last line of a run
    // counts, newest run first, and every line is one JSON object.
    void registroAnotaYLee() {
        QTemporaryDir dir;
        RegistroTiradas registro(dir.path());
        RegistroTirada a = Tirada_("a", 1, 10, 0);
        RegistroTirada b = Tirada_("b", 1, 5, 0);
        b.inicio = a.inicio.addSecs(60);
        QVERIFY(!registro.anotar(a));
        QVERIFY(!registro.anotar(b));
        a.enviadas = 10;
        a.estado = EstadoTirada::Completa;
        QVERIFY(!registro.anotar(a));
        const auto l = registro.leer();
        QVERIFY(l.avisos.isEmpty());
        QCOMPARE(l.tiradas.size(), size_t(2));
        QCOMPARE(l.tiradas[0].id, "b");
        QCOMPARE(TextoResultado(l.tiradas[0]), "sin terminar (no se envió ninguna hoja)");
        QCOMPARE(l.tiradas[1].id, "a");
        QVERIFY(l.tiradas[1].completa());
        const QList<QByteArray> lineas = Leer(registro.ruta()).split('\n');
        QCOMPARE(lineas.size(), 4); // three lines and the end of the last
        for (const QByteArray& linea : lineas.mid(0, 3))
            QVERIFY(QJsonDocument::fromJson(linea).isObject());
    }

    // Damaged lines (a write cut short by a kill, garbage, a record without
    // its fields) are skipped with a warning naming the line; the good ones
    // are read, and the next record does not glue onto a cut line.
    void lineasDanadas_data() {
        QTest::addColumn<QByteArray>("danada");
        QTest::newRow("cortada") << QByteArray("{\"id\":\"x\",\"inicio\":\"2026-03-01T09:00");
        QTest::newRow("basura") << QByteArray("\x01\x02 no es json");
        QTest::newRow("sin campos") << QByteArray("{\"id\":\"x\"}");
        QTest::newRow("hojas al revés") << QByteArray(
            "{\"id\":\"x\",\"inicio\":\"2026-03-01T09:00:00.000\",\"estado\":\"completa\","
            "\"desde\":9,\"hasta\":2,\"enviadas\":0,\"destino\":\"c\"}");
        QTest::newRow("una lista") << QByteArray("[1,2,3]");
    }
    void lineasDanadas() {
        QFETCH(QByteArray, danada);
        QTemporaryDir dir;
        RegistroTiradas registro(dir.path());
        QVERIFY(!registro.anotar(Tirada_("a", 1, 10, 0)));
        {
            QFile f(registro.ruta());
            QVERIFY(f.open(QIODevice::Append));
            f.write(danada); // no end of line: as a killed program leaves it
        }
        QVERIFY(!registro.anotar(Tirada_("b", 1, 10, 4)));
        const auto l = registro.leer();
        QCOMPARE(l.tiradas.size(), size_t(2));
        QCOMPARE(l.avisos.size(), 1);
        QVERIFY2(l.avisos[0].startsWith("La línea 2 del historial de tiradas"),
                 qPrintable(l.avisos[0]));
        QVERIFY(l.avisos[0].endsWith("está dañada: se omite."));
    }

    // Past 10 MB the log starts anew and the old one is kept as the older
    // generation; a run begun in the old and ended in the new reads as one.
    void rotaPasados10MB() {
        QTemporaryDir dir;
        RegistroTiradas registro(dir.path());
        RegistroTirada a = Tirada_("a", 1, 10, 0);
        QVERIFY(!registro.anotar(a));
        {
            QFile f(registro.ruta());
            QVERIFY(f.open(QIODevice::Append));
            const QByteArray relleno(1000, ' ');
            for (qint64 n = 0; n <= RegistroTiradas::kTamanoMaximo / 1001; ++n)
                f.write(relleno + '\n');
        }
        QVERIFY(QFileInfo(registro.ruta()).size() > RegistroTiradas::kTamanoMaximo);
        a.enviadas = 10;
        a.estado = EstadoTirada::Completa;
        QVERIFY(!registro.anotar(a));
        QVERIFY(QFileInfo(registro.rutaAnterior()).size() > RegistroTiradas::kTamanoMaximo);
        QVERIFY(QFileInfo(registro.ruta()).size() < 4096);
        const auto l = registro.leer();
        QCOMPARE(l.tiradas.size(), size_t(1));
        QVERIFY(l.tiradas[0].completa());
        // The next rotation drops the older generation: never more than two.
        RegistroTiradas pequeno(dir.path(), 100);
        QVERIFY(!pequeno.anotar(Tirada_("b", 1, 10, 0)));
        QVERIFY(!pequeno.anotar(Tirada_("c", 1, 10, 0)));
        QVERIFY(QFileInfo(registro.rutaAnterior()).size() < 4096);
        QCOMPARE(QDir(dir.path()).entryList({"*.jsonl"}).size(), 2);
    }

    // A log that cannot be written says why, and leaves nothing half-written.
    void registroNoEscribible() {
        QTemporaryDir dir;
        Escribir(dir.filePath("archivo"), "no soy una carpeta");
        RegistroTiradas registro(dir.filePath("archivo"));
        const auto error = registro.anotar(Tirada_("a", 1, 10, 0));
        QVERIFY(error);
        QVERIFY2(error->startsWith("No se pudo escribir en el historial de tiradas"),
                 qPrintable(*error));
        QCOMPARE(Leer(dir.filePath("archivo")), QByteArray("no soy una carpeta"));
    }

    // What is left of a run and where it goes on, in either order.
    void restantes_data() {
        QTest::addColumn<bool>("inverso");
        QTest::addColumn<int>("enviadas");
        QTest::addColumn<int>("ultima");    // 0: none
        QTest::addColumn<int>("siguiente"); // the first sheet of the rest
        QTest::addColumn<int>("desde");     // the rest, as a range; 0: none
        QTest::addColumn<int>("hasta");
        QTest::newRow("nada enviado") << false << 0 << 0 << 11 << 11 << 30;
        QTest::newRow("en medio") << false << 5 << 15 << 16 << 16 << 30;
        QTest::newRow("todo") << false << 20 << 30 << 31 << 0 << 0;
        QTest::newRow("inverso en medio") << true << 5 << 26 << 25 << 11 << 25;
        QTest::newRow("inverso, todo") << true << 20 << 11 << 10 << 0 << 0;
    }
    void restantes() {
        QFETCH(bool, inverso);
        QFETCH(int, enviadas);
        QFETCH(int, ultima);
        QFETCH(int, siguiente);
        QFETCH(int, desde);
        QFETCH(int, hasta);
        RegistroTirada r = Tirada_("a", 11, 30, enviadas);
        r.inverso = inverso;
        QCOMPARE(r.ultimaEnviada().value_or(0), ultima);
        QCOMPARE(r.siguiente(), siguiente);
        const auto resto = r.restantes();
        QCOMPARE(resto ? resto->desde : 0, desde);
        QCOMPARE(resto ? resto->hasta : 0, hasta);
        const auto leido = DeJson(AJson(r));
        QVERIFY(leido);
        QCOMPARE(AJson(*leido), AJson(r));
    }

    // --- the desktop program ---

    // A run of the desktop program is noted with its job, content, printer,
    // correction, sheets, outcome and numbers; its test sheet too.
    void imprimirAnota() {
        const QString ruta = Escribir(m_dir.filePath("anota.zul"), TrabajoDeHojas(250, true));
        Programa_ p(ruta);
        p.b.dialogosImpresion.rango = {3, 250};
        p.p->impresion.ImprimirTrabajo(false);
        const auto t = p.tiradas();
        QCOMPARE(t.size(), size_t(1));
        const RegistroTirada& r = t[0];
        QCOMPARE(r.trabajo, QFileInfo(ruta).canonicalFilePath());
        QCOMPARE(r.destino, "Cola");
        QVERIFY(!r.pdf);
        QCOMPARE(r.desde, 3);
        QCOMPARE(r.hasta, 250);
        QCOMPARE(r.hojasTirada, 250);
        QCOMPARE(r.enviadas, 248);
        QVERIFY(r.completa());
        QCOMPARE(r.huella, HuellaTrabajo(p.p->documento().Trabajo(), p.p->documento().Cuadros()));
        QCOMPARE(r.cuadros.size(), size_t(2));
        QCOMPARE(r.cuadros[1].numero, 2);
        QCOMPARE(r.cuadros[1].primero, "000503");
        QCOMPARE(r.cuadros[1].ultimo, "000750");
        // Parts of a hundred sheets: three print jobs.
        QCOMPARE(p.ultima().de("fin").size(), 3);
        QVERIFY(r.fin >= r.inicio);

        p.b.dialogosImpresion.rango = {};
        p.p->impresion.ImprimirTrabajo(true);
        QCOMPARE(p.tiradas().size(), size_t(2));
        QCOMPARE(p.tiradas()[0].desde, 1);
        QCOMPARE(p.tiradas()[0].hasta, 1);
    }

    // A job whose last run stopped asks whether to go on: Yes prints the rest
    // (preset in the print dialog), No the whole run, Cancel nothing.
    void ofreceContinuar_data() {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("desde"); // the first number printed; 0: nothing printed
        QTest::addColumn<int>("hojas");
        QTest::newRow("sí") << int(Respuesta::Si) << 201 << 50;
        QTest::newRow("no") << int(Respuesta::No) << 1 << 250;
        QTest::newRow("cancelar") << int(Respuesta::Cancelar) << 0 << 0;
    }
    void ofreceContinuar() {
        QFETCH(int, respuesta);
        QFETCH(int, desde);
        QFETCH(int, hojas);
        const QString ruta = Escribir(m_dir.filePath("sigue.zul"), TrabajoDeHojas(250));
        Programa_ p(ruta);
        // The first run is cancelled at sheet 231: sheets 1 to 200 went.
        p.b.progreso.cancelarEnHoja = 230;
        p.b.mensajes.respuestas = {Respuesta::Aceptar};
        p.p->impresion.ImprimirTrabajo(false);
        QCOMPARE(p.b.mensajes.mostrados.last().texto,
                 "Impresión cancelada en la hoja 231. Se enviaron a la impresora las hojas 1 a "
                 "200; las siguientes no se enviaron.");
        QCOMPARE(TextoResultado(p.tiradas()[0]), "cancelada en la hoja 231");
        p.b.progreso.cancelarEnHoja = -1;
        p.b.mensajes.mostrados.clear();
        p.b.mensajes.respuestas = {Respuesta(respuesta)};
        p.b.dialogosImpresion.tomarPropuesta = true;
        p.olvidar();
        p.p->impresion.ImprimirTrabajo(false);
        QCOMPARE(p.b.mensajes.mostrados.first().texto,
                 "La última tirada de este trabajo se detuvo en la hoja 200. ¿Continuar desde la "
                 "hoja 201?\r\rSí: desde la hoja 201.\rNo: la tirada entera.");
        QCOMPARE(p.b.mensajes.mostrados.first().botones, Botones::SiNoCancelar);
        if (!desde) {
            QCOMPARE(p.tiradas().size(), size_t(1));
            return;
        }
        QCOMPARE(Numeros(p.usada()), Serie(desde, desde + hojas - 1));
        const RegistroTirada r = p.tiradas()[0];
        QVERIFY(r.completa());
        QCOMPARE(r.continuaDe.isEmpty(), respuesta == int(Respuesta::No));
        // Once the job's last run is complete, nothing is offered.
        p.b.mensajes.mostrados.clear();
        p.p->impresion.ImprimirTrabajo(false);
        QVERIFY(p.b.mensajes.mostrados.isEmpty());
    }

    // The history's "Continuar" on a job that is not open opens it and
    // prints exactly the sheets after the last one sent, in the run's order
    // and on its printer; a changed job gets a warning naming what changed.
    void historialContinuar_data() {
        QTest::addColumn<bool>("inverso");
        QTest::addColumn<bool>("cambiar");
        QTest::newRow("en orden") << false << false;
        QTest::newRow("inverso") << true << false;
        QTest::newRow("trabajo cambiado") << false << true;
    }
    void historialContinuar() {
        QFETCH(bool, inverso);
        QFETCH(bool, cambiar);
        const QString ruta =
            Escribir(m_dir.filePath(QStringLiteral("historial%1.zul").arg(QTest::currentDataTag())),
                     TrabajoDeHojas(250, true));
        Programa_ p(ruta);
        p.b.dialogosImpresion.inversoElegido = inverso;
        p.b.dialogosImpresion.elegir = "Otra";
        p.b.progreso.cancelarEnHoja = 129; // the 130th sheet of the run, in its order
        p.b.mensajes.respuestas = {Respuesta::Aceptar};
        p.p->impresion.ImprimirTrabajo(false);
        const RegistroTirada primera = p.tiradas()[0];
        QCOMPARE(primera.destino, "Otra");
        QCOMPARE(TextoEnviadas(primera), inverso ? "250 a 151" : "1 a 100");
        if (cambiar) {
            Documento& d = p.p->documento();
            Documento::Paso paso(d, "mover");
            d.fijarPosicion(1, 3000, 3000);
        }
        if (cambiar) {
            p.p->ciclo.Guardar();
            QVERIFY(!p.p->documento().Modificado());
        }
        QVERIFY(p.p->ciclo.CerrarTrabajo());
        QVERIFY(!p.p->documento().abierto());

        p.b.dialogosImpresion.elegir.clear();
        p.b.dialogosImpresion.inversoElegido.reset();
        p.b.dialogosImpresion.tomarPropuesta = true;
        p.b.progreso.cancelarEnHoja = -1;
        p.b.mensajes.mostrados.clear();
        p.olvidar();
        HistorialTiradas h(p.p->ciclo, p.p->documento(), p.p->impresion, p.b.mensajes);
        QCOMPARE(h.lectura().tiradas.size(), size_t(1));
        QVERIFY(HistorialTiradas::Continuable(h.lectura().tiradas[0]));
        h.Continuar(h.lectura().tiradas[0]);
        QVERIFY(p.p->documento().abierto());
        if (cambiar) {
            QCOMPARE(p.b.mensajes.mostrados.size(), 1);
            QVERIFY2(p.b.mensajes.mostrados[0].texto.startsWith(
                         "El trabajo cambió desde esa tirada: el cuadro Nº 2 cambió."),
                     qPrintable(p.b.mensajes.mostrados[0].texto));
            QCOMPARE(p.usada().de("texto").size(), 0);
            QCOMPARE(p.tiradas().size(), size_t(1));
            return;
        }
        QVERIFY(p.b.mensajes.mostrados.isEmpty());
        QCOMPARE(p.usada().nombreDispositivo(), "Otra");
        QCOMPARE(Numeros(p.usada()), inverso ? Serie(150, 1) : Serie(101, 250));
        QCOMPARE(p.b.dialogosImpresion.inversoPresentado, std::optional(inverso));
        const auto tiradas = h.lectura().tiradas;
        QCOMPARE(tiradas.size(), size_t(2));
        QCOMPARE(tiradas[0].continuaDe, primera.id);
        QVERIFY(tiradas[0].completa());
        QVERIFY(!HistorialTiradas::Continuable(tiradas[0]));
        // The table lists both, newest first.
        const QStringList columnas =
            inverso ? QStringList{"150 a 1 (orden inverso)", "150 a 1", "completa"}
                    : QStringList{"101 a 250", "101 a 250", "completa"};
        QCOMPARE(HistorialTiradas::Columnas(tiradas[0]).mid(3), columnas);
        QCOMPARE(HistorialTiradas::Columnas(tiradas[1]).last(),
                 inverso ? "cancelada en la hoja 121" : "cancelada en la hoja 130");
    }

    // "Reimprimir hojas..." opens the print dialog with the run's sheets and order.
    void historialReimprimir() {
        const QString ruta = Escribir(m_dir.filePath("reimprimir.zul"), TrabajoDeHojas(40));
        Programa_ p(ruta);
        p.b.dialogosImpresion.rango = {5, 12};
        p.b.dialogosImpresion.inversoElegido = true;
        p.p->impresion.ImprimirTrabajo(false);
        HistorialTiradas h(p.p->ciclo, p.p->documento(), p.p->impresion, p.b.mensajes);
        p.b.dialogosImpresion.tomarPropuesta = true;
        p.b.dialogosImpresion.inversoElegido.reset();
        p.olvidar();
        h.Reimprimir(h.lectura().tiradas[0]);
        QCOMPARE(p.b.dialogosImpresion.rangoPresentado.desde, 5);
        QCOMPARE(p.b.dialogosImpresion.rangoPresentado.hasta, 12);
        QCOMPARE(p.b.dialogosImpresion.inversoPresentado, std::optional(true));
        QCOMPARE(Numeros(p.usada()), Serie(12, 5));
    }

    // The print dialog's order starts as the setting, and what the operator
    // chooses there becomes the setting.
    void ordenInversoEsUnAjuste() {
        const QString ruta = Escribir(m_dir.filePath("orden.zul"), TrabajoDeHojas(3));
        Programa_ p(ruta);
        const auto imprimir = [&](bool prueba = false) {
            p.olvidar();
            p.p->impresion.ImprimirTrabajo(prueba);
            return Numeros(p.usada());
        };
        QCOMPARE(imprimir(), Serie(1, 3));
        QCOMPARE(p.b.dialogosImpresion.inversoPresentado, std::optional(false));
        p.b.dialogosImpresion.inversoElegido = true;
        QCOMPARE(imprimir(), Serie(3, 1));
        QVERIFY(p.p->preferencias().ordenInverso());
        p.b.dialogosImpresion.inversoElegido.reset();
        QCOMPARE(imprimir(), Serie(3, 1));
        QCOMPARE(p.b.dialogosImpresion.inversoPresentado, std::optional(true));
        // The test sheet is one sheet: no order to offer.
        QCOMPARE(imprimir(true), Serie(1, 1));
        QCOMPARE(p.b.dialogosImpresion.inversoPresentado, std::nullopt);
    }

    // A log that cannot be begun is said before the run: the operator
    // chooses to print without it, or not to print.
    void sinRegistroPregunta_data() {
        QTest::addColumn<bool>("imprimir");
        QTest::newRow("imprime") << true;
        QTest::newRow("no imprime") << false;
    }
    void sinRegistroPregunta() {
        QFETCH(bool, imprimir);
        const QString ruta = Escribir(m_dir.filePath("sinlog.zul"), TrabajoDeHojas(3));
        Programa_ p(ruta);
        QVERIFY(QDir(p.log.path()).mkdir("tiradas.jsonl")); // a folder where the log goes
        p.b.mensajes.respuestas = {imprimir ? Respuesta::Aceptar : Respuesta::Cancelar};
        p.p->impresion.ImprimirTrabajo(false);
        QCOMPARE(p.b.mensajes.mostrados.size(), 1);
        QVERIFY(p.b.mensajes.mostrados[0].texto.endsWith("¿Desea imprimir de todos modos?"));
        QCOMPARE(p.ultima().de("fin").size(), imprimir ? 1 : 0);
    }

    // --- the batch tool ---

    // historial lists the runs newest first (also as JSON, also of one job);
    // --continuar goes on with the last one; the options that do not go
    // with it are refused.
    void cli() {
        QTemporaryDir dir;
        const QString a = Escribir(dir.filePath("a.zul"), TrabajoDeHojas(30));
        const QString b = Escribir(dir.filePath("b.zul"), TrabajoDeHojas(5));
        AjustesMemoria ajustes;
        CatalogoFalso impresoras;
        impresoras.lista = {"Cola"};
        impresoras.defecto = "Cola";
        int hojaCancelada = -1;
        cli::Entorno e{ajustes, impresoras, {}, [&] {
                           const auto& c = impresoras.creadas;
                           return !c.isEmpty() && hojaCancelada >= 0 &&
                                  c.last()->de("texto").size() > hojaCancelada;
                       }};
        e.carpetaTiradas = dir.filePath("log");
        QTemporaryFile salida, errores;
        QVERIFY(salida.open() && errores.open());
        const auto correr = [&](const QStringList& args, QString* out = nullptr,
                                QString* err = nullptr) {
            salida.resize(0);
            errores.resize(0);
            std::FILE* fo = std::fopen(QFile::encodeName(salida.fileName()).constData(), "w");
            std::FILE* fe = std::fopen(QFile::encodeName(errores.fileName()).constData(), "w");
            const int codigo = cli::Ejecutar(args, e, fo, fe);
            std::fclose(fo);
            std::fclose(fe);
            if (out)
                *out = QString::fromUtf8(Leer(salida.fileName()));
            if (err)
                *err = QString::fromUtf8(Leer(errores.fileName()));
            return codigo;
        };
        QString out, err;
        QCOMPARE(correr({"historial"}, &out), 0);
        QVERIFY(out.startsWith("No hay tiradas en el historial"));
        QCOMPARE(correr({"imprimir", a, "--continuar"}, nullptr, &err), 1);
        QCOMPARE(err, "No hay tiradas de este trabajo en el historial.\n");

        hojaCancelada = 12; // interrupted while drawing sheet 13
        QCOMPARE(correr({"imprimir", a, "--orden-inverso"}, nullptr, &err), 1);
        QVERIFY2(err.endsWith(TextoCancelada(false) + '\n'), qPrintable(err));
        QCOMPARE(Numeros(*impresoras.creadas.last()), Serie(30, 18)); // nothing delivered
        hojaCancelada = -1;
        QCOMPARE(correr({"pdf", b, dir.filePath("b.pdf"), "--orden-inverso"}), 0);
        QCOMPARE(Numeros(*impresoras.creadas.last()), Serie(5, 1));
        QCOMPARE(correr({"imprimir", a, "--continuar"}, nullptr, &err), 0);
        QCOMPARE(Numeros(*impresoras.creadas.last()), Serie(30, 1));

        QCOMPARE(correr({"historial"}, &out), 0);
        QStringList lineas = out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), 4);
        QCOMPARE(lineas[0], "Fecha\tTrabajo\tImpresora\tHojas\tEnviadas\tResultado");
        QVERIFY2(lineas[1].endsWith("\tCola\t30 a 1\t30 a 1\tcompleta"), qPrintable(lineas[1]));
        QVERIFY(lineas[1].contains(QFileInfo(a).canonicalFilePath()));
        QVERIFY2(lineas[3].endsWith("\t30 a 1\tninguna\tcancelada en la hoja 17"),
                 qPrintable(lineas[3]));
        QCOMPARE(correr({"historial", "--trabajo", b, "--json"}, &out), 0);
        const QJsonArray lista = QJsonDocument::fromJson(out.toUtf8()).array();
        QCOMPARE(lista.size(), 1);
        QCOMPARE(lista[0]["estado"].toString(), "completa");
        QCOMPARE(lista[0]["pdf"].toBool(), true);
        QCOMPARE(lista[0]["inverso"].toBool(), true);

        QCOMPARE(correr({"imprimir", a, "--continuar"}, nullptr, &err), 1);
        QVERIFY(err.startsWith("La última tirada de este trabajo está completa"));
        for (const QString& otra : {"--desde", "--prueba", "--orden-inverso"}) {
            QStringList args = {"imprimir", a, "--continuar", otra};
            if (otra == u"--desde")
                args << "2";
            QCOMPARE(correr(args, nullptr, &err), 2);
            QVERIFY(err.startsWith("--continuar sigue la última tirada del trabajo"));
        }
        QCOMPARE(correr({"historial", "extra"}), 2);
        QCOMPARE(correr({"pdf", b, dir.filePath("c.pdf"), "--continuar"}), 2);
    }
};

QTEST_MAIN(PruebaTiradas)
#include "test_tiradas.moc"
