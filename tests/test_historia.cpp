// The job's history: every change to a job is one step that undo takes back
// to the very bytes the file had, and redo makes again; the job is modified
// exactly when it differs from what was opened or saved.
#include "core/dialogos/ConfiguracionPagina.h"
#include "core/dialogos/ContinuarNumeracion.h"
#include "core/dialogos/PropiedadesCuadro.h"
#include "core/editor/RepetirCuadros.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "fakes/Fakes.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::function<void(Mesa&)>)

namespace {
using Cambio = std::function<void(Mesa&)>;

QByteArray Bytes(const Mesa& m) {
    return SerializarTrabajo(m.documento.estado(), m.preferencias.idioma());
}

// Three boxes down the diagonal, as a job just opened.
void TresCuadros(Mesa& m) {
    m.conCuadros({{1000, 500}, {2000, 1000}, {3000, 1500}});
}

void Arrastrar(Mesa& m, int i, QPointF hasta) {
    SeleccionHoja& s = m.editor.seleccion();
    const QPointF agarre(10, 5);
    s.PulsarCuadro(i, Boton::Izquierdo, false, agarre);
    s.Arrastrar(QPointF(hasta.x() / 2, hasta.y() / 2) + agarre, EstadoArrastre::Sobre);
    s.Arrastrar(hasta + agarre, EstadoArrastre::Sobre);
    s.Soltar(hasta + agarre, DondeSuelta::Hoja);
}
} // namespace

class PruebaHistoria : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void cadaCambioEsUnPasoQueSeDeshace_data() {
        QTest::addColumn<Cambio>("cambio");
        QTest::addColumn<QString>("deshacer");
        QTest::newRow("nuevo cuadro")
            << Cambio([](Mesa& m) { m.comandos.NuevoCuadro(); }) << "nuevo cuadro";
        QTest::newRow("pegar") << Cambio([](Mesa& m) {
            m.agrupar({0, 1, 2});
            m.comandos.CopiarCuadros(0, false);
            m.comandos.PegarCuadros(false);
        }) << "pegar 3 cuadros";
        QTest::newRow("cortar") << Cambio([](Mesa& m) {
            m.agrupar({0, 2});
            m.mensajes.respuestas = {Respuesta::Aceptar};
            m.comandos.CopiarCuadros(0, true);
        }) << "cortar 2 cuadros";
        QTest::newRow("borrar") << Cambio([](Mesa& m) {
            m.mensajes.respuestas = {Respuesta::Aceptar};
            m.comandos.BorrarCuadros(1);
        }) << "borrar 1 cuadro";
        QTest::newRow("arrastrar") << Cambio([](Mesa& m) {
            Arrastrar(m, 1, {5000, 4000});
        }) << "mover 1 cuadro";
        QTest::newRow("arrastrar grupo") << Cambio([](Mesa& m) {
            m.agrupar({0, 1, 2});
            SeleccionHoja& s = m.editor.seleccion();
            s.PulsarCuadro(1, Boton::Izquierdo, false, {10, 5});
            s.Arrastrar({2500, 1800}, EstadoArrastre::Sobre);
            s.Arrastrar({3000, 2500}, EstadoArrastre::Sobre);
            s.Soltar({3000, 2500}, DondeSuelta::Hoja);
        }) << "mover 3 cuadros";
        QTest::newRow("flechas") << Cambio([](Mesa& m) {
            SeleccionHoja& s = m.editor.seleccion();
            for (int k = 0; k < 5; ++k)
                s.Tecla(2, Qt::Key_Right, false, k % 2 == 0);
            s.Tecla(2, Qt::Key_Down, false, false);
        }) << "mover 1 cuadro";
        QTest::newRow("propiedades") << Cambio([](Mesa& m) {
            PropiedadesCuadro p(m.documento, m.preferencias, m.mensajes);
            QVERIFY(p.Abrir(0));
            FuenteImpresion f = p.fuente;
            f.nombre = QStringLiteral("Courier New");
            f.negrita = true;
            p.FijarFuente(f, 0x0000FF); // written at once
            p.campo[0] = QStringLiteral("500");
            p.campo[1] = QStringLiteral("900");
            QCOMPARE(p.Aceptar(), -1);
        }) << "propiedades de 1 cuadro";
        QTest::newRow("propiedades canceladas tras la fuente") << Cambio([](Mesa& m) {
            PropiedadesCuadro p(m.documento, m.preferencias, m.mensajes);
            QVERIFY(p.Abrir(2));
            p.FijarColor(0x00FF00);
        }) << "propiedades de 1 cuadro";
        QTest::newRow("programar grupo") << Cambio([](Mesa& m) {
            m.agrupar({0, 1, 2});
            m.mensajes.respuestas = {Respuesta::Aceptar, Respuesta::Si};
            PropiedadesCuadro p(m.documento, m.preferencias, m.mensajes);
            QVERIFY(p.Abrir(0));
            p.campo[0] = QStringLiteral("100");
            p.campo[1] = QStringLiteral("400");
            QCOMPARE(p.Aceptar(), -1);
        }) << "programar grupo de 3 cuadros";
        QTest::newRow("alinear") << Cambio([](Mesa& m) {
            m.agrupar({0, 1, 2});
            m.comandos.AlinearVertical();
        }) << "alinear 2 cuadros"; // the first one stays where it is
        QTest::newRow("bloquear") << Cambio([](Mesa& m) {
            m.documento.fijarCuadroActual(1);
            m.comandos.Bloquear(true);
        }) << "bloquear 1 cuadro";
        QTest::newRow("líneas guía") << Cambio([](Mesa& m) {
            m.agrupar({0, 1});
            m.comandos.LineasGuiaCuadros(!m.documento.Cuadros()[0].LineasGuia);
        }) << "líneas guía de 2 cuadros";
        QTest::newRow("repetir") << Cambio([](Mesa& m) {
            m.agrupar({0, 1});
            RepetirCuadros r(m.documento, m.editor.seleccion(), m.preferencias, m.mensajes);
            QVERIFY(r.Abrir());
            r.filas = QStringLiteral("3");
            r.pasoY = QStringLiteral("2,5");
            QCOMPARE(r.Aceptar(), -1);
        }) << "repetir 4 cuadros";
        QTest::newRow("continuar numeración") << Cambio([](Mesa& m) {
            ContinuarNumeracion c(m.documento, m.preferencias, m.mensajes);
            QVERIFY(c.Abrir());
            c.Aceptar();
        }) << "continuar numeración de 3 cuadros";
        QTest::newRow("configurar página") << Cambio([](Mesa& m) {
            ConfiguracionPagina c(m.documento, m.preferencias, m.mensajes);
            c.Cargar();
            c.vertical = !c.vertical;
            QVERIFY(c.Aceptar());
        }) << "configurar página";
    }
    void cadaCambioEsUnPasoQueSeDeshace() {
        QFETCH(Cambio, cambio);
        QFETCH(QString, deshacer);
        Mesa m;
        TresCuadros(m);
        const QByteArray antes = Bytes(m);
        QVERIFY(!m.documento.Modificado());

        cambio(m);
        const QByteArray despues = Bytes(m);
        QVERIFY(despues != antes);
        QVERIFY(m.documento.Modificado());
        QCOMPARE(m.documento.historia().count(), 1);
        QCOMPARE(m.documento.historia().undoText(), deshacer);

        m.documento.deshacer();
        QCOMPARE(Bytes(m), antes);
        QVERIFY(!m.documento.Modificado());
        // Nothing is left selected that the step may have removed.
        QVERIFY(!m.documento.ModoGrupo());
        QCOMPARE(m.documento.Seleccion(), QList<qint16>{0});

        m.documento.rehacer();
        QCOMPARE(Bytes(m), despues);
        QVERIFY(m.documento.Modificado());
        m.documento.deshacer();
        QCOMPARE(Bytes(m), antes);
        // The editor shows what the job holds again.
        for (int i = 0; i <= m.documento.limiteSuperior(); ++i)
            QCOMPARE(m.editor.elementos().elementos()[i].visible, m.documento.Cuadros()[i].EnUso);
    }

    // A new box after an undo takes the slot the undone one had, with the
    // background colour the table gives that slot.
    void deshacerDevuelveLaRanura() {
        Mesa m;
        TresCuadros(m);
        m.mensajes.respuestas = {Respuesta::Aceptar};
        m.comandos.BorrarCuadros(0);
        m.comandos.NuevoCuadro();
        QCOMPARE(m.documento.CuadroActual(), 0);
        const QByteArray conNuevo = Bytes(m);
        m.documento.deshacer();
        m.documento.deshacer();
        QVERIFY(!m.documento.Modificado());
        m.comandos.NuevoCuadro();
        QCOMPARE(m.documento.limiteSuperior(), 3);
        m.documento.deshacer();
        QCOMPARE(m.documento.limiteSuperior(), 2);
        QVERIFY(!m.documento.Modificado());
        m.mensajes.respuestas = {Respuesta::Aceptar};
        m.comandos.BorrarCuadros(0);
        m.comandos.NuevoCuadro();
        QCOMPARE(Bytes(m), conNuevo);
    }

    void unCambioNuevoBorraLoQueSePodiaRehacer() {
        Mesa m;
        TresCuadros(m);
        Arrastrar(m, 0, {4000, 4000});
        Arrastrar(m, 1, {6000, 4000});
        m.documento.deshacer();
        QVERIFY(m.documento.historia().canRedo());
        QCOMPARE(m.documento.historia().redoText(), QStringLiteral("mover 1 cuadro"));
        m.comandos.NuevoCuadro();
        QVERIFY(!m.documento.historia().canRedo());
        m.documento.rehacer(); // nothing to redo: nothing happens
        QCOMPARE(m.documento.cuadrosVivos(), 4);
        QCOMPARE(m.documento.Cuadros()[1].PosX, 2000);
    }

    // Undoing back to the saved point makes the job unmodified; going past it
    // or away from it makes it modified.
    void modificadoEsDistintoDeLoGuardado() {
        Mesa m;
        TresCuadros(m);
        Arrastrar(m, 0, {4000, 4000});
        m.documento.marcarGuardado();
        QVERIFY(!m.documento.Modificado());
        m.documento.deshacer();
        QVERIFY(m.documento.Modificado());
        m.documento.rehacer();
        QVERIFY(!m.documento.Modificado());
        Arrastrar(m, 1, {6000, 4000});
        QVERIFY(m.documento.Modificado());
        m.documento.deshacer();
        QVERIFY(!m.documento.Modificado());
        // A click that moves nothing is no change.
        const int pasos = m.documento.historia().count();
        Arrastrar(m, 2, m.rect(2).topLeft());
        QVERIFY(!m.documento.Modificado());
        QCOMPARE(m.documento.historia().count(), pasos);
    }

    // A paste that fills the table to its last slot is one step; one that
    // would not fit pastes nothing and leaves no step.
    void pegarHastaElLimiteSeDeshaceEntero() {
        Mesa m;
        std::vector<Cuadro> tabla(Documento::kMaxCuadros - 3, m.preferencias.defectosCuadro());
        for (Cuadro& c : tabla)
            c.EnUso = true;
        m.documento.cargar(std::move(tabla));
        m.editor.RedibujarHoja();
        m.agrupar({0, 1, 2});
        m.comandos.CopiarCuadros(0, false);
        const QByteArray antes = Bytes(m);
        m.comandos.PegarCuadros(false);
        QCOMPARE(m.documento.cuadrosVivos(), Documento::kMaxCuadros);
        QCOMPARE(m.documento.historia().undoText(), QStringLiteral("pegar 3 cuadros"));
        m.comandos.PegarCuadros(false);
        QVERIFY(m.mensajes.mostrados.last().texto.startsWith("No se ha pegado nada"));
        QCOMPARE(m.documento.historia().count(), 1);
        m.documento.deshacer();
        QCOMPARE(m.documento.cuadrosVivos(), Documento::kMaxCuadros - 3);
        QCOMPARE(Bytes(m), antes);
        QVERIFY(!m.documento.Modificado());
    }

    // Open, new and close start with no history.
    void abrirNuevoYCerrarVacianLaHistoria() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        QVERIFY(!p.barra().habilitada("BtnDeshacer"));
        p.comandos.NuevoCuadro();
        QVERIFY(p.barra().habilitada("BtnDeshacer"));
        QCOMPARE(p.barra().herramienta("BtnDeshacer")->titulo,
                 QStringLiteral("&Deshacer nuevo cuadro"));
        QCOMPARE(p.barra().herramienta("BtnRehacer")->titulo, QStringLiteral("&Rehacer"));
        const QString ruta = QDir(m_dir.path()).filePath("uno.zul");
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnGuardar");
        QVERIFY(!p.documento().Modificado());
        QVERIFY(p.barra().habilitada("BtnDeshacer")); // the history outlives a save

        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(b.mensajes.mostrados.isEmpty()); // saved: nothing to ask
        QVERIFY(!p.barra().habilitada("BtnDeshacer"));
        QCOMPARE(p.documento().historia().count(), 0);

        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(!p.documento().Modificado());
        QCOMPARE(p.documento().historia().count(), 0);
        p.despachador.ejecutar("BtnDeshacer");
        QCOMPARE(p.documento().cuadrosVivos(), 1);
    }

    // Undo works on the job in memory; the file another program wrote
    // meanwhile is not overwritten without the question.
    void deshacerTrasCambiarElArchivoEnDisco() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        p.comandos.NuevoCuadro();
        const QString ruta = QDir(m_dir.path()).filePath("ajeno.zul");
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnGuardar");
        p.comandos.NuevoCuadro();
        p.despachador.ejecutar("BtnGuardar");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray ajeno = f.readAll();
        f.close();
        ajeno.append(' ');
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ajeno);
        f.close();

        p.despachador.ejecutar("BtnDeshacer");
        QVERIFY(p.documento().Modificado());
        QCOMPARE(p.documento().cuadrosVivos(), 1);
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnGuardar");
        QVERIFY(!b.mensajes.mostrados.isEmpty());
        QCOMPARE(b.mensajes.mostrados.last().texto,
                 QStringLiteral("El archivo ha cambiado en el disco desde que se abrió. "
                                "¿Sobrescribirlo?"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), ajeno);
        QVERIFY(p.documento().Modificado());
    }

    void init() { QVERIFY(m_dir.isValid()); }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(PruebaHistoria)
#include "test_historia.moc"
