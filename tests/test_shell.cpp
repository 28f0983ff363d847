// Failure policy, tools and dispatch, start-up state of the main window,
// the recent jobs and the window's place.
#include "core/fallas/Fallas.h"
#include "core/programa/AbrirDirecto.h"
#include "core/programa/LugarVentana.h"
#include "core/trabajo/CandadoTrabajo.h"
#include "fakes/Fakes.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(Respuesta)
Q_DECLARE_METATYPE(Botones)
Q_DECLARE_METATYPE(AccionError)
Q_DECLARE_METATYPE(std::optional<QRect>)

namespace {
QString Fixture(const QString& nombre) {
    return QStringLiteral(VELQUIRA_FIXTURES_DIR) + u'/' + nombre;
}

// A copy of fixture `origen` named `nombre` in `dir`; its path.
QString Copiar(const QTemporaryDir& dir, const QString& origen, const QString& nombre) {
    const QString ruta = dir.filePath(nombre);
    QFile::copy(Fixture(origen), ruta);
    return ruta;
}
} // namespace

class PruebaShell : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    // With no job open nothing speaks of one: the box toggles stand up and
    // the pointer's position is gone.
    void sinTrabajoNadaQuedaDelUltimo() {
        Banco b;
        Programa& p = b.crear();
        b.dialogos.rutas = {CopiaFixture("serie_coma.zul")};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(p.documento().Cuadros()[0].LineasGuia);
        p.editor.seleccion().Foco(0, true);
        p.barra().fijarPulsada("BtnBloquear", true);
        QVERIFY(p.barra().pulsada("BtnLineasGuia"));
        p.editor.MostrarPosicion(567, 567);
        QVERIFY(!p.principal.panel(1).isEmpty());
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(!p.documento().abierto());
        QVERIFY(!p.barra().pulsada("BtnLineasGuia"));
        QVERIFY(!p.barra().pulsada("BtnBloquear"));
        QCOMPARE(p.principal.panel(1), QString());
    }

    // --- failure reporter ---
    void tratarError_data() {
        // The number, not the name: it is what the operator is shown.
        QTest::addColumn<int>("numero");
        QTest::addColumn<Respuesta>("respuesta");
        QTest::addColumn<QString>("texto"); // empty: no message
        QTest::addColumn<Botones>("botones");
        QTest::addColumn<AccionError>("accion");
        const auto B = Botones::Aceptar;
        const auto Reintentar = AccionError::Reintentar;
        const auto Omitir = AccionError::Omitir;
        const auto Irrecuperable = AccionError::Irrecuperable;
        const auto Abandonar = AccionError::Abandonar;
        QTest::newRow("52 aceptar") << 52 << Respuesta::Aceptar << "Nombre de archivo no válido."
                                    << Botones::AceptarCancelar << Reintentar;
        QTest::newRow("64 cancelar") << 64 << Respuesta::Cancelar << "Nombre de archivo no válido."
                                     << Botones::AceptarCancelar << Omitir;
        QTest::newRow("53 sin mensaje") << 53 << Respuesta::Ninguna << "" << B << Reintentar;
        QTest::newRow("54") << 54 << Respuesta::Aceptar
                            << "Imposible abrir el archivo para este tipo de acceso." << B
                            << Reintentar;
        QTest::newRow("55") << 55 << Respuesta::Aceptar << "El archivo ya está abierto." << B
                            << Reintentar;
        QTest::newRow("57") << 57 << Respuesta::Aceptar << "Error interno de disco." << B
                            << Reintentar;
        QTest::newRow("61 omitir") << 61 << Respuesta::Omitir << "Disco lleno. ¿Desea continuar?"
                                   << Botones::AnularReintentarOmitir << Omitir;
        QTest::newRow("61 anular") << 61 << Respuesta::Anular << "Disco lleno. ¿Desea continuar?"
                                   << Botones::AnularReintentarOmitir << Irrecuperable;
        QTest::newRow("62 reintentar")
            << 62 << Respuesta::Reintentar
            << "Este archivo tiene un marcador no estándar de fin de archivo, o se ha intentado "
               "leer más allá del marcador de final de archivo."
            << Botones::AnularReintentarOmitir << Reintentar;
        QTest::newRow("68") << 68 << Respuesta::Cancelar << "El dispositivo no está disponible"
                            << Botones::AceptarCancelar << Omitir;
        QTest::newRow("71") << 71 << Respuesta::Aceptar
                            << "Introduzca correctamente el disco en la unidad."
                            << Botones::AceptarCancelar << Reintentar;
        QTest::newRow("75 reintentar")
            << 75 << Respuesta::Reintentar
            << "El archivo que intenta escribir, está protegido contra escritura"
            << Botones::ReintentarCancelar << Reintentar;
        QTest::newRow("76 cancelar") << 76 << Respuesta::Cancelar << "La ruta no existe."
                                     << Botones::AceptarCancelar << Omitir;
        QTest::newRow("383") << 383 << Respuesta::Ninguna << "" << B << Abandonar;
        QTest::newRow("32755 dialogo cancelado")
            << 32755 << Respuesta::Ninguna << "" << B << Omitir;
        QTest::newRow("boton desconocido")
            << 57 << Respuesta::Si << "Error interno de disco." << B << Abandonar;
    }
    void tratarError() {
        QFETCH(int, numero);
        QFETCH(Respuesta, respuesta);
        QFETCH(QString, texto);
        MensajesGuion m;
        m.respuestas = {respuesta};
        QTEST(TratarError(Falla{static_cast<CodigoFalla>(numero), "x"}, m), "accion");
        if (texto.isEmpty()) {
            QVERIFY(m.mostrados.isEmpty());
            return;
        }
        QCOMPARE(m.mostrados.size(), 1);
        QCOMPARE(m.mostrados[0].texto, texto);
        QCOMPARE(m.mostrados[0].titulo, QStringLiteral("Error de disco"));
        QCOMPARE(m.mostrados[0].icono, Icono::Exclamacion);
        QTEST(m.mostrados[0].botones, "botones");
    }

    void memoriaYDesconocido() {
        MensajesGuion m;
        QCOMPARE(TratarError(Falla{CodigoFalla::MemoriaInsuficiente, {}}, m),
                 AccionError::Abandonar);
        QCOMPARE(m.mostrados[0].titulo, QStringLiteral("ERROR : MEMORIA INSUFICIENTE"));
        QCOMPARE(m.mostrados[0].texto,
                 QStringLiteral("No queda memoria disponible para \rllevar a cabo esta operación. "
                                "\rGuarde todos los trabajos ,\rCierre alguna aplicación e intente "
                                "\rnuevamente"));
        QCOMPARE(TratarError(Falla{static_cast<CodigoFalla>(1234), "Algo raro"}, m),
                 AccionError::Abandonar);
        QCOMPARE(m.mostrados[1].titulo, QStringLiteral("ERROR"));
        QCOMPARE(m.mostrados[1].texto,
                 QStringLiteral("Ha ocurrido un error\rEl número del error es = 1234\rAlgo raro"));
        QCOMPARE(m.mostrados[1].botones, Botones::Aceptar);
    }

    // --- failure policy ---
    void politicaReintentaOmiteYAbandona() {
        MensajesGuion m;
        PoliticaFallas p(m, {});
        int intentos = 0;
        // Retried once, then it works.
        m.respuestas = {Respuesta::Aceptar};
        QCOMPARE(p.ejecutar([&] {
            if (++intentos == 1)
                throw Falla{CodigoFalla::ErrorDeEntradaSalida, {}};
        }),
                 PoliticaFallas::Resultado::Hecho);
        QCOMPARE(intentos, 2);
        // Cancel skips the step.
        m.respuestas = {Respuesta::Cancelar};
        QCOMPARE(p.ejecutar([] {
            throw Falla{CodigoFalla::RutaNoExiste, {}};
        }),
                 PoliticaFallas::Resultado::Omitido);
        QCOMPARE(m.mostrados.last().texto, QStringLiteral("La ruta no existe."));
        // An unrecognised failure abandons at once: one message, no retry.
        const qsizetype mostrados = m.mostrados.size();
        intentos = 0;
        QCOMPARE(p.ejecutar([&] {
            ++intentos;
            throw Falla{static_cast<CodigoFalla>(999), "x"};
        }),
                 PoliticaFallas::Resultado::Abandonado);
        QCOMPARE(intentos, 1);
        QCOMPARE(m.mostrados.size(), mostrados + 1);
        QCOMPARE(m.mostrados.last().titulo, QStringLiteral("ERROR"));
    }

    void unFalloPersistenteNoSeReintentaSinFin() {
        MensajesGuion m;
        PoliticaFallas p(m, {});
        int intentos = 0;
        QCOMPARE(p.ejecutar([&] {
            ++intentos;
            throw Falla{CodigoFalla::NoSeEncuentra, QStringLiteral("No se encuentra el archivo x")};
        }),
                 PoliticaFallas::Resultado::Abandonado);
        QCOMPARE(intentos, PoliticaFallas::kReintentos + 1);
        // File not found is silent until the policy gives up; then it says why.
        QCOMPARE(m.mostrados.size(), 1);
        QVERIFY(m.mostrados[0].texto.contains("No se encuentra el archivo x"));
    }

    void irrecuperableTerminaElPrograma() {
        MensajesGuion m;
        int terminado = 0;
        PoliticaFallas p(m, [&] { ++terminado; });
        m.respuestas = {Respuesta::Anular, Respuesta::Aceptar};
        QCOMPARE(p.ejecutar([] {
            throw Falla{CodigoFalla::DiscoLleno, {}};
        }),
                 PoliticaFallas::Resultado::Abandonado);
        QCOMPARE(terminado, 1);
        QCOMPARE(m.mostrados.last().texto, QStringLiteral("Error no recuperable"));
        QCOMPARE(m.mostrados.last().botones, Botones::Aceptar);
        // Not while a file is being written or read.
        {
            SinTerminar s(p);
            m.respuestas = {Respuesta::Anular};
            QCOMPARE(p.ejecutar([] {
                throw Falla{CodigoFalla::DiscoLleno, {}};
            }),
                     PoliticaFallas::Resultado::Abandonado);
        }
        QCOMPARE(terminado, 1);
        QVERIFY(p.terminarPermitido());
    }

    // --- tools and dispatch ---
    void herramientasSinDistinguirMayusculas() {
        BarraHerramientas b;
        QCOMPARE(b.idCanonico("Btncortar"), QStringLiteral("BtnCortar"));
        QCOMPARE(b.idCanonico("BtnNuevoCuadro"), QStringLiteral("BtnNuevocuadro"));
        QCOMPARE(b.idCanonico("BtnAlinearVertical"), QStringLiteral("BtnAlinearvertical"));
        QVERIFY(!b.existe("BtnNoExiste"));
    }

    // The tool table holds together: what a menu or a pop-up menu names is a
    // known tool with a caption, what the band names is a known tool, each
    // menu has its access letter, and no entry is listed twice in one menu.
    void menusYBandaSonCoherentes() {
        BarraHerramientas b;
        for (const auto* lista : {&b.menus(), &b.menusEmergentes()})
            for (const Menu& m : *lista) {
                QVERIFY2(!m.titulo.isEmpty(), qPrintable(m.id));
                QStringList vistos;
                for (const QString& e : m.entradas) {
                    if (e == u"-")
                        continue;
                    const Herramienta* h = b.herramienta(e);
                    QVERIFY2(h, qPrintable(e));
                    QVERIFY2(!h->titulo.isEmpty(), qPrintable(e));
                    QVERIFY2(!vistos.contains(h->id), qPrintable(m.id + u' ' + e));
                    vistos.append(h->id);
                }
            }
        for (const Menu& m : b.menus())
            QVERIFY2(m.titulo.count(u'&') == 1, qPrintable(m.titulo));
        // Besides separators the band holds two plain labels: the "%" after the
        // zoom and the pointer's position.
        for (const QString& e : b.banda())
            QVERIFY2(e == u"-" || e == u"ID_Label" || e == u"LblPos" || b.existe(e), qPrintable(e));
    }

    // Within one menu or pop-up menu no two entries share an access letter:
    // otherwise the letter only highlights and the operator must press it again.
    void letrasDeAccesoUnicas() {
        BarraHerramientas b;
        for (const auto* lista : {&b.menus(), &b.menusEmergentes()})
            for (const Menu& m : *lista) {
                QHash<QChar, QString> letras;
                for (const QString& e : m.entradas) {
                    const Herramienta* h = e == u"-" ? nullptr : b.herramienta(e);
                    if (!h)
                        continue;
                    const qsizetype i = h->titulo.indexOf(u'&');
                    if (i < 0 || i + 1 >= h->titulo.size())
                        continue;
                    const QChar letra = h->titulo.at(i + 1).toLower();
                    QVERIFY2(!letras.contains(letra),
                             qPrintable(QStringLiteral("%1: %2 y %3")
                                            .arg(m.id, letras.value(letra), h->titulo)));
                    letras.insert(letra, h->titulo);
                }
            }
        // The letters operators already use stay where they were.
        QCOMPARE(b.herramienta("BtnGuardar")->titulo, QStringLiteral("&Guardar"));
        QCOMPARE(b.herramienta("BtnConfigurarHoja")->titulo, QStringLiteral("C&onfigurar página"));
        QCOMPARE(b.herramienta("BtnPropiedades")->titulo, QStringLiteral("&Propiedades"));
        QCOMPARE(b.herramienta("BtnBorrar")->titulo, QStringLiteral("&Borrar"));
        QCOMPARE(b.herramienta("BtnAyuda")->titulo, QStringLiteral("&Ayuda"));
        QCOMPARE(b.herramienta("BtnAcercade")->titulo, QStringLiteral("Acerca &de..."));
    }

    void despachoIgnoraMientrasActualizando() {
        Banco banco;
        Programa& p = banco.crear();
        int llamadas = 0;
        p.despachador.registrar("BtnAcercade", [&] { ++llamadas; });
        p.barra().pulsar("btnacercade");
        QCOMPARE(llamadas, 1);
        {
            BarraHerramientas::Actualizar actualizando(p.barra());
            p.barra().pulsar("BtnAcercade");
        }
        QCOMPARE(llamadas, 1);
    }

    void herramientaSinOrdenNoSeUsa() {
        Banco banco;
        Programa& p = banco.crear();
        p.despachador.ejecutar("BtnNuevo");
        // Enabled, but nothing is wired to it yet.
        QVERIFY(p.barra().habilitada("BtnConfigurarHoja"));
        QVERIFY(!p.barra().utilizable("BtnConfigurarHoja"));
        QVERIFY(p.barra().utilizable("BtnGuardar"));
    }

    void estadosDeHerramientas() {
        Banco banco;
        Programa& p = banco.crear();
        const QStringList trabajo = {"CboMag",           "BtnImprimir", "BtnPrueba",
                                     "BtnEjes",          "BtnRegla",    "BtnGuardar",
                                     "BtnNuevocuadro",   "BtnMargenes", "BtnGuardComo",
                                     "BtnCerrarTrabajo", "TxtHoja"};
        const QStringList siempre = {"BtnNuevo",
                                     "BtnAbrir",
                                     "BtnSalir",
                                     "BtnConfigurarHoja",
                                     "BtnSeleccionarPrint",
                                     "BtnAjustesImpresion",
                                     "BtnOpciones",
                                     "BtnAyuda",
                                     "BtnHelp",
                                     "BtnAcercade"};
        for (const QString& id : trabajo)
            QVERIFY2(!p.barra().habilitada(id), qPrintable(id));
        for (const QString& id : siempre)
            QVERIFY2(p.barra().habilitada(id), qPrintable(id));
        // The job's tools follow whether a job is open.
        p.documento().fijarAbierto(true);
        for (const QString& id : trabajo)
            QVERIFY2(p.barra().habilitada(id), qPrintable(id));
        ReflejarHerramientasCuadro(p.principal, {.cuadro = true, .alinear = true});
        QVERIFY(p.barra().habilitada("BtnAlinearvertical"));
        QVERIFY(p.barra().habilitada("BtnCortar"));
        ReflejarHerramientasCuadro(p.principal, {.cuadro = false});
        QVERIFY(!p.barra().habilitada("BtnCortar"));
        QVERIFY(p.barra().habilitada("BtnAlinearvertical"));
        p.documento().fijarAbierto(false);
        for (const QString& id : trabajo)
            QVERIFY2(!p.barra().habilitada(id), qPrintable(id));
        for (const QString& id : siempre)
            QVERIFY2(p.barra().habilitada(id), qPrintable(id));
    }

    void actualizarPegar() {
        Banco banco;
        Programa& p = banco.crear();
        banco.portapapeles.contenido = QStringLiteral("ZUL\tcualquier cosa");
        ActualizarPegar(p.principal);
        QVERIFY(p.barra().habilitada("BtnPegar"));
        banco.portapapeles.contenido.reset(); // no text: the tool keeps its state
        ActualizarPegar(p.principal);
        QVERIFY(p.barra().habilitada("BtnPegar"));
        banco.portapapeles.contenido = QStringLiteral("texto de otro programa");
        banco.dialogos.rutas = {std::nullopt};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(!p.barra().habilitada("BtnPegar"));
    }

    // --- start-up ---
    void primerArranqueGuardaLaCarta() {
        Banco banco;
        banco.impresoras.defecto = "PDF";
        Programa& p = banco.crear();
        QCOMPARE(p.principal.titulo(), QStringLiteral("ZUL Velquira®"));
        QCOMPARE(p.principal.panel(2), QStringLiteral("Carta (21,59 x 27,94 Cmts)"));
        QVERIFY(p.principal.hojaVertical());
        QCOMPARE(p.principal.panel(3), QStringLiteral("PDF"));
        QCOMPARE(banco.ajustes.texto(Aplicacion::Titulo, "HName", {}), QStringLiteral("Carta"));
        QCOMPARE(banco.ajustes.texto(Aplicacion::Titulo, "HAncho", {}), QStringLiteral("12242"));
        QCOMPARE(banco.ajustes.texto(Aplicacion::Titulo, "HAlto", {}), QStringLiteral("15842"));
        QCOMPARE(banco.ajustes.texto(Aplicacion::Titulo, "HOrienta", {}),
                 QStringLiteral("Verdadero"));
        QCOMPARE(p.barra().entradasZoom().size(), 39);
        QCOMPARE(p.barra().entradasZoom().first(), QStringLiteral("10"));
        QCOMPARE(p.barra().entradasZoom().last(), QStringLiteral("200"));
        QCOMPARE(p.barra().textoZoom(), QStringLiteral("50"));
    }

    void hojaEImpresoraGuardadas() {
        Banco banco;
        banco.ajustes.escribirTexto(Aplicacion::Titulo, "HName", "A4");
        banco.ajustes.escribirTexto(Aplicacion::Titulo, "hancho", "16839");
        banco.ajustes.escribirTexto(Aplicacion::Titulo, "HALTO", "11907");
        banco.ajustes.escribirTexto(Aplicacion::Titulo, "HOrienta", "Falso");
        banco.ajustes.escribirTexto(Aplicacion::Producto, "Printer", "");
        banco.impresoras.defecto = "PDF";
        Programa& p = banco.crear();
        QCOMPARE(p.principal.panel(2), QStringLiteral("A4 (29,70 x 21,00 Cmts)"));
        QVERIFY(!p.principal.hojaVertical());
        QCOMPARE(p.principal.panel(3), QStringLiteral("No hay impresora"));
    }

    void vistaInicial_data() {
        QTest::addColumn<QString>("verRegla");
        QTest::addColumn<QString>("ultRegla");
        QTest::addColumn<QString>("verEjes");
        QTest::addColumn<bool>("regla");
        QTest::addColumn<bool>("ejes");
        QTest::addColumn<bool>("margenes");
        QTest::newRow("sin ajustes") << ""
                                     << ""
                                     << "" << true << false << false;
        QTest::newRow("regla oculta") << "2"
                                      << ""
                                      << "1" << false << true << false;
        QTest::newRow("como la ultima vez") << "0"
                                            << "0"
                                            << "" << false << false << false;
        QTest::newRow("ultima sin guardar") << "0"
                                            << ""
                                            << "" << true << false << false;
    }
    void vistaInicial() {
        QFETCH(QString, verRegla);
        QFETCH(QString, ultRegla);
        QFETCH(QString, verEjes);
        Banco banco;
        if (!verRegla.isEmpty())
            banco.ajustes.escribirTexto(Aplicacion::Producto, "VerRegla", verRegla);
        if (!ultRegla.isEmpty())
            banco.ajustes.escribirTexto(Aplicacion::Producto, "UltRegla", ultRegla);
        if (!verEjes.isEmpty())
            banco.ajustes.escribirTexto(Aplicacion::Producto, "VerEjes", verEjes);
        Programa& p = banco.crear();
        QStringList clics;
        connect(&p.barra(), &BarraHerramientas::clic, this,
                [&](const QString& id) { clics.append(id); });
        p.despachador.ejecutar("BtnNuevo");
        QTEST(p.barra().pulsada("BtnRegla"), "regla");
        QTEST(p.barra().pulsada("BtnEjes"), "ejes");
        QTEST(p.barra().pulsada("BtnMargenes"), "margenes");
        // Each toggle set raises its click, so the editor follows.
        QVERIFY(clics.contains("BtnRegla"));
    }

    // --- recent jobs ---

    // The most recent first, at most eight, each file once however it is
    // named; the next run of the program finds the same list.
    void recientesOrdenLimiteYDuplicados() {
        QTemporaryDir dir;
        QStringList rutas;
        for (int i = 1; i <= 10; ++i)
            rutas.append(Copiar(dir, "serie_coma.zul", QStringLiteral("t%1.zul").arg(i)));
        AjustesMemoria ajustes;
        Preferencias pref(ajustes);
        TrabajosRecientes r(pref);
        QSignalSpy cambios(&r, &TrabajosRecientes::cambiada);
        for (const QString& ruta : rutas)
            r.Agregar(ruta);
        QCOMPARE(r.lista(), (QStringList{rutas[9], rutas[8], rutas[7], rutas[6], rutas[5], rutas[4],
                                         rutas[3], rutas[2]}));
        // Again the first: nothing changes, nothing is told.
        const int antes = cambios.size();
        r.Agregar(rutas[9]);
        QCOMPARE(cambios.size(), antes);
        // A link to t5.zul is t5.zul: it goes to the top under the name given.
        const QString enlace = dir.filePath("enlace.zul");
        QVERIFY(QFile::link(rutas[4], enlace));
        r.Agregar(enlace);
        QCOMPARE(r.lista().size(), 8);
        QCOMPARE(r.lista().first(), enlace);
        QCOMPARE(r.lista().count(rutas[4]), 0);
        // A path with "." and ".." names the same file too.
        r.Agregar(dir.path() + "/./x/../t9.zul");
        QCOMPARE(r.lista().first(), rutas[8]);
        QCOMPARE(r.lista().size(), 8);
        r.Quitar(rutas[2]);
        QCOMPARE(r.lista().size(), 7);

        Preferencias otra(ajustes);
        QCOMPARE(TrabajosRecientes(otra).lista(), r.lista());
    }

    // Stored by hand: a file twice, empty keys between: read once, in order.
    void recientesGuardadosAMano() {
        QTemporaryDir dir;
        const QString a = Copiar(dir, "serie_coma.zul", "a.zul");
        const QString b = Copiar(dir, "huecos.zul", "b.zul");
        AjustesMemoria ajustes;
        ajustes.escribirTexto(Aplicacion::Titulo, "Reciente1", a);
        ajustes.escribirTexto(Aplicacion::Titulo, "Reciente3", b);
        ajustes.escribirTexto(Aplicacion::Titulo, "Reciente4", dir.path() + "/./a.zul");
        Preferencias pref(ajustes);
        QCOMPARE(TrabajosRecientes(pref).lista(), (QStringList{a, b}));
    }

    void tituloDeUnReciente_data() {
        QTest::addColumn<int>("i");
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("primero") << 0 << "/trabajos/facturas.zul"
                                 << "&1 facturas.zul";
        QTest::newRow("con &") << 7 << "/trabajos/Pan & Cía.zul"
                               << "&8 Pan && Cía.zul";
        QTest::newRow("con %") << 2 << "/trabajos/100%2.zul"
                               << "&3 100%2.zul";
    }
    void tituloDeUnReciente() {
        QFETCH(int, i);
        QFETCH(QString, ruta);
        QTEST(TrabajosRecientes::Titulo(i, ruta), "titulo");
    }

    // Opening and saving put the job at the top; a file refused adds nothing.
    void abrirYGuardarSonRecientes() {
        QTemporaryDir dir;
        const QString a = Copiar(dir, "serie_coma.zul", "a.zul");
        const QString malo = Copiar(dir, "no_trabajo.zul", "malo.zul");
        const QString copia = dir.filePath("copia.zul");
        Banco banco;
        Programa& p = banco.crear();
        banco.dialogos.rutas = {a};
        p.despachador.ejecutar("BtnAbrir");
        QCOMPARE(p.principal.recientes.lista(), QStringList{a});
        banco.dialogos.rutas = {copia};
        p.despachador.ejecutar("BtnGuardComo");
        QCOMPARE(p.principal.recientes.lista(), (QStringList{copia, a}));
        banco.dialogos.rutas = {malo};
        banco.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnAbrir");
        QCOMPARE(p.principal.recientes.lista(), (QStringList{copia, a}));
        QCOMPARE(banco.ajustes.texto(Aplicacion::Titulo, "Reciente1", {}), copia);
    }

    // A recent entry opens as Abrir opens the chosen file: the save prompt of
    // the job open first, then the lock, with the same messages. A file gone
    // leaves the list; a file that is no job is refused before the job open
    // is closed.
    void abrirReciente_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QList<Respuesta>>("respuestas");
        QTest::addColumn<QString>("abierto"); // "a", "b" or "" (no job)
        QTest::addColumn<QStringList>("titulos");
        QTest::addColumn<bool>("sigue"); // b still in the list
        const QList<Respuesta> no = {Respuesta::No};
        QTest::newRow("otro trabajo")
            << "trabajo" << no << "b" << QStringList{"Guardar Trabajo"} << true;
        QTest::newRow("otro trabajo, cancelar")
            << "trabajo" << QList<Respuesta>{Respuesta::Cancelar} << "a"
            << QStringList{"Guardar Trabajo"} << true;
        QTest::newRow("abierto en otra copia")
            << "bloqueado" << QList<Respuesta>{Respuesta::No, Respuesta::No} << ""
            << QStringList{"Guardar Trabajo", "Trabajo abierto"} << true;
        QTest::newRow("ya no existe")
            << "borrado" << no << "a" << QStringList{"Trabajos recientes"} << false;
        QTest::newRow("no es un trabajo")
            << "no_trabajo" << no << "a" << QStringList{"Error de carga"} << true;
    }
    void abrirReciente() {
        QFETCH(QString, caso);
        QFETCH(QList<Respuesta>, respuestas);
        QFETCH(QString, abierto);
        QTemporaryDir dir;
        const QString a = Copiar(dir, "serie_coma.zul", "a.zul");
        const QString b =
            Copiar(dir, caso == u"no_trabajo" ? "no_trabajo.zul" : "huecos.zul", "b.zul");
        Banco banco;
        Programa& p = banco.crear();
        banco.dialogos.rutas = {a};
        p.despachador.ejecutar("BtnAbrir");
        p.principal.recientes.Agregar(b);
        p.principal.recientes.Agregar(a);
        // A change to the open job, so that leaving it asks first.
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.Fin = 4; });
        const int cuadros = p.documento().cuadrosVivos();
        QVERIFY(p.documento().Modificado());
        CandadoTrabajo otraCopia;
        if (caso == u"bloqueado")
            QVERIFY(!otraCopia.Tomar(b)); // taken: the program sees another copy holding it
        if (caso == u"borrado")
            QVERIFY(QFile::remove(b));
        banco.mensajes.mostrados.clear();
        banco.mensajes.respuestas = respuestas;

        QCOMPARE(AbrirReciente(p.principal, p.ciclo, b), abierto == u"b");
        QTEST(banco.mensajes.titulos(), "titulos");
        QTEST(p.principal.recientes.lista().contains(b), "sigue");
        const QString ruta = abierto.isEmpty() ? QString() : dir.filePath(abierto + ".zul");
        QCOMPARE(p.documento().RutaTrabajo(), ruta);
        QCOMPARE(p.documento().abierto(), !abierto.isEmpty());
        if (abierto == u"a") {
            // Left as it was: its boxes, its changes, its place in the list.
            QCOMPARE(p.documento().cuadrosVivos(), cuadros);
            QVERIFY(p.documento().Modificado());
            QCOMPARE(p.principal.titulo(), QStringLiteral("ZUL Velquira [a.zul]"));
        }
        if (abierto == u"b")
            QCOMPARE(p.principal.recientes.lista().first(), b);
        const QString texto = banco.mensajes.mostrados.last().texto;
        if (caso == u"borrado")
            QCOMPARE(texto, QStringLiteral("El trabajo %1 ya no existe; se quita de la lista de "
                                           "trabajos recientes.")
                                .arg(b));
        if (caso == u"no_trabajo")
            QCOMPARE(texto, QStringLiteral("El archivo no es un archivo de Velquira válido"));
    }

    // Of the files dropped on the window the first job file opens.
    void trabajoSoltado_data() {
        QTest::addColumn<QStringList>("rutas");
        QTest::addColumn<QString>("trabajo");
        QTest::newRow("uno") << QStringList{"/t/a.zul"} << "/t/a.zul";
        QTest::newRow("mayúsculas") << QStringList{"/t/A.ZUL"} << "/t/A.ZUL";
        QTest::newRow("el primero")
            << QStringList{"/t/n.txt", "/t/b.zul", "/t/c.zul"} << "/t/b.zul";
        QTest::newRow("ninguno") << QStringList{"/t/n.txt", "/t/zul", "/t/a.zul.bak"} << "";
        QTest::newRow("nada") << QStringList{} << "";
    }
    void trabajoSoltado() {
        QFETCH(QStringList, rutas);
        QTEST(TrabajoSoltado(rutas), "trabajo");
    }

    // --- the main window's place ---
    // The window where it was left while it lies wholly on a screen, its
    // border included; else moved and cut to fit. Places are the frame's
    // corner and the size inside the border.
    void lugarVentana_data() {
        QTest::addColumn<std::optional<QRect>>("guardado");
        QTest::addColumn<QList<QRect>>("pantallas");
        QTest::addColumn<QMargins>("borde");
        QTest::addColumn<QRect>("lugar");
        const QRect principal(0, 0, 1920, 1040); // a panel below
        const QRect segunda(1920, 0, 1280, 1024);
        const QList<QRect> dos = {principal, segunda};
        const std::optional<QRect> nada;
        const QMargins sin, borde(8, 30, 8, 8);
        QTest::newRow("primera vez") << nada << dos << sin << QRect(320, 120, 1280, 800);
        QTest::newRow("primera vez, pantalla pequeña")
            << nada << QList<QRect>{QRect(0, 0, 1024, 768)} << borde << QRect(0, 0, 1008, 730);
        QTest::newRow("principal bajo un panel")
            << nada << QList<QRect>{QRect(0, 32, 1280, 768)} << sin << QRect(0, 32, 1280, 768);
        QTest::newRow("como se dejó")
            << std::optional(QRect(100, 50, 900, 600)) << dos << borde << QRect(100, 50, 900, 600);
        QTest::newRow("pegada al borde, como se dejó")
            << std::optional(QRect(0, 0, 800, 600)) << dos << borde << QRect(0, 0, 800, 600);
        QTest::newRow("en la segunda pantalla") << std::optional(QRect(2000, 100, 800, 600)) << dos
                                                << borde << QRect(2000, 100, 800, 600);
        QTest::newRow("más grande que la pantalla")
            << std::optional(QRect(10, 10, 3000, 2000)) << dos << sin << principal;
        QTest::newRow("más grande que la pantalla, con borde")
            << std::optional(QRect(10, 10, 3000, 2000)) << dos << borde << QRect(0, 0, 1904, 1002);
        QTest::newRow("más grande que la segunda")
            << std::optional(QRect(2500, 10, 3000, 2000)) << dos << sin << segunda;
        QTest::newRow("asomando por la derecha")
            << std::optional(QRect(1800, 100, 800, 600)) << QList<QRect>{principal} << sin
            << QRect(1120, 100, 800, 600);
        QTest::newRow("asomando por arriba")
            << std::optional(QRect(-50, -30, 800, 600)) << dos << borde << QRect(0, 0, 800, 600);
        QTest::newRow("fuera de toda pantalla") << std::optional(QRect(5000, 5000, 800, 600)) << dos
                                                << sin << QRect(560, 220, 800, 600);
        QTest::newRow("en una pantalla que ya no está")
            << std::optional(QRect(2000, 100, 800, 600)) << QList<QRect>{principal} << sin
            << QRect(560, 220, 800, 600);
    }
    void lugarVentana() {
        QFETCH(std::optional<QRect>, guardado);
        QFETCH(QList<QRect>, pantallas);
        QFETCH(QMargins, borde);
        QTEST(LugarVentana(guardado, pantallas, QSize(1280, 800), borde), "lugar");
    }
};

QTEST_MAIN(PruebaShell)
#include "test_shell.moc"
