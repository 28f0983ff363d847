// Page setup: the paper list, the size fields and the orientation.
#include "core/dialogos/ConfiguracionPagina.h"
#include "core/dialogos/Opciones.h"
#include "core/trabajo/Limites.h"
#include "fakes/Fakes.h"

#include <QtTest>

class PruebaPagina : public QObject {
    Q_OBJECT

    // The job's sheet. The default sheet is stored first as the sheet of new
    // jobs, as the program does when none is stored.
    static void ConHoja(Mesa& m, qint32 ancho, qint32 alto, const QString& nombre) {
        m.preferencias.guardarHoja(m.documento.Trabajo());
        CambiarHoja(m.documento, [&](Trabajo& h) {
            h.HAncho = ancho;
            h.HAlto = alto;
            h.HName = nombre;
            h.HOrienta = ancho < alto;
        });
    }
    static Programa& ConHoja(Banco& b, qint32 ancho, qint32 alto, const QString& nombre) {
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        CambiarHoja(p.documento(), [&](Trabajo& h) {
            h.HAncho = ancho;
            h.HAlto = alto;
            h.HName = nombre;
            h.HOrienta = ancho < alto;
        });
        return p;
    }

    // Printer settings as stored: "PrinterDefault" and "Printer", empty for none.
    static void FilasImpresoraGuardada() {
        QTest::addColumn<QString>("siempre");
        QTest::addColumn<QString>("impresora");
        QTest::newRow("sin guardar") << ""
                                     << "";
        QTest::newRow("elegir al imprimir") << "Falso"
                                            << "Laser";
        QTest::newRow("impresora quitada") << "Verdadero"
                                           << "Vieja";
    }
    static void GuardarImpresora(AjustesMemoria& a, const QString& siempre,
                                 const QString& impresora) {
        if (!siempre.isEmpty())
            a.escribirTexto(Aplicacion::Producto, "PrinterDefault", siempre);
        if (!impresora.isEmpty())
            a.escribirTexto(Aplicacion::Producto, "Printer", impresora);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void a4Apaisado() {
        Mesa m;
        ConHoja(m, 11907, 16840, "A4");
        ConfiguracionPagina c(m.documento, m.preferencias, m.mensajes);
        c.Cargar();
        QCOMPARE(c.campos.indice, 1);
        QCOMPARE(c.campos.ancho, QStringLiteral("21,00"));
        QCOMPARE(c.campos.alto, QStringLiteral("29,70"));
        QCOMPARE(c.campos.entradas()[1], QStringLiteral("A4 (21,00 x 29,70 Cmts) "));
        QCOMPARE(c.campos.entradas().last(), QStringLiteral("Personal"));
        c.vertical = false;
        QVERIFY(c.Aceptar());
        const ::Trabajo& h = m.documento.Trabajo();
        QCOMPARE(h.HAncho, 16840);
        QCOMPARE(h.HAlto, 11907);
        QVERIFY(!h.HOrienta);
        QCOMPARE(h.HName, QStringLiteral("A4"));
        QVERIFY(m.documento.Modificado()); // the sheet is saved with the job
    }

    void panelDeLaHojaTrasConfigurarPagina() {
        Banco b;
        Programa& p = ConHoja(b, 11907, 16840, "A4");
        ConfiguracionPagina c(p.documento(), p.preferencias(), p.principal.mensajes());
        c.Cargar();
        c.vertical = false;
        QVERIFY(c.Aceptar());
        QCOMPARE(p.principal.panel(2), QStringLiteral("A4 (29,70 x 21,00 Cmts)"));
    }

    // Turning the sheet leaves a box below its new bottom: the operator is
    // told which, once; a box already off the old sheet is not named again.
    void girarLaHojaAvisaDeLosCuadrosFuera() {
        Mesa m;
        ConHoja(m, 11907, 16840, "A4");
        m.conCuadros({{1000, 1000}, {1000, 14000}, {20000, 1000}}, 0.5f);
        ConfiguracionPagina c(m.documento, m.preferencias, m.mensajes);
        c.Cargar();
        c.vertical = false;
        QVERIFY(c.Aceptar());
        QCOMPARE(m.mensajes.mostrados.size(), 1);
        QCOMPARE(m.mensajes.mostrados[0].texto,
                 QStringLiteral("Con esta hoja, el cuadro Nº 2 queda fuera de ella.\rSe muestran "
                                "marcados en el borde de la hoja: arrástrelos a su sitio."));
        QCOMPARE(m.documento.Cuadros()[1].PosY,
                 14000); // nothing moved behind the operator's back
        c.Cargar();
        c.vertical = true;
        QVERIFY(c.Aceptar());
        QCOMPARE(m.mensajes.mostrados.size(), 1); // back upright: nothing new falls off
    }

    void entrarYSalirSinTeclear() {
        Mesa m;
        ConHoja(m, 11907, 16840, "A4");
        ConfiguracionPagina c(m.documento, m.preferencias, m.mensajes);
        c.Cargar();
        c.campos.EntrarCampo();
        QCOMPARE(c.campos.indice, CamposTamano::kPersonal);
        QVERIFY(c.SalirCampo(true));
        QCOMPARE(c.campos.indice, 1);
        // Typed: it stays "Personal".
        c.campos.EntrarCampo();
        c.campos.ancho = "20";
        c.campos.TextoCambiado();
        QVERIFY(c.SalirCampo(true));
        QCOMPARE(c.campos.indice, CamposTamano::kPersonal);
        QCOMPARE(c.campos.ancho, QStringLiteral("20,00"));
        QVERIFY(c.Aceptar());
        QCOMPARE(m.documento.Trabajo().HName, QStringLiteral("Personal"));
        QCOMPARE(m.documento.Trabajo().HAncho, 11340);
        // Sizes of a standard paper typed as "Personal" find that paper.
        ConfiguracionPagina d(m.documento, m.preferencias, m.mensajes);
        d.Cargar();
        d.campos.ancho = "21,59";
        d.campos.alto = "27,94";
        d.campos.EntrarCampo();
        QVERIFY(d.SalirCampo(false));
        QCOMPARE(d.campos.nombre(), QStringLiteral("Carta"));
        d.campos.EntrarCampo();
        d.campos.alto = "x";
        d.campos.TextoCambiado();
        QVERIFY(!d.SalirCampo(false));
        QCOMPARE(m.mensajes.mostrados.last().texto, QStringLiteral("Este valor debe ser numérico"));
    }

    void propioApaisadoSinCambios() {
        Mesa m;
        ConHoja(m, 9000, 6000, "Personal");
        m.documento.olvidarHistoria();
        ConfiguracionPagina c(m.documento, m.preferencias, m.mensajes);
        c.Cargar();
        QCOMPARE(c.campos.indice, CamposTamano::kPersonal);
        QVERIFY(!c.vertical);
        QVERIFY(c.Aceptar());
        QCOMPARE(m.documento.Trabajo().HAncho, 9000);
        QCOMPARE(m.documento.Trabajo().HAlto, 6000);
        QVERIFY(!m.documento.Modificado());
    }

    void predeterminar() {
        Mesa m;
        ConHoja(m, 11907, 16840, "A4");
        ConfiguracionPagina c(m.documento, m.preferencias, m.mensajes);
        c.Cargar();
        c.vertical = false;
        m.mensajes.respuestas = {Respuesta::Cancelar};
        c.Predeterminar();
        QCOMPARE(m.ajustes.texto(Aplicacion::Titulo, "HName", {}), QStringLiteral("Carta"));
        QVERIFY(m.documento.Trabajo().HOrienta);
        QCOMPARE(m.mensajes.mostrados[0].texto,
                 QStringLiteral("Se cambiarán los valores predeterminados a :\rA4 (21,00 x 29,70 "
                                "Cmts) \rOrientación  HORIZONTAL\r\r¿Desea continuar?"));
        QCOMPARE(m.mensajes.mostrados[0].titulo, QStringLiteral("Atención"));
        m.mensajes.respuestas = {Respuesta::Aceptar};
        c.Predeterminar();
        QCOMPARE(m.ajustes.texto(Aplicacion::Titulo, "HName", {}), QStringLiteral("A4"));
        QCOMPARE(m.ajustes.texto(Aplicacion::Titulo, "HAncho", {}), QStringLiteral("16840"));
        QCOMPARE(m.ajustes.texto(Aplicacion::Titulo, "HOrienta", {}), QStringLiteral("Falso"));
    }

    void nuevoTrabajoTomaLaHojaPredeterminada() {
        Banco b;
        Programa& p = ConHoja(b, 11907, 16840, "A4");
        ConfiguracionPagina c(p.documento(), p.preferencias(), p.principal.mensajes());
        c.Cargar();
        c.vertical = false;
        b.mensajes.respuestas = {Respuesta::Aceptar};
        c.Predeterminar();
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnCerrarTrabajo");
        p.despachador.ejecutar("BtnNuevo");
        QCOMPARE(p.documento().Trabajo().HAncho, 16840);
        QVERIFY(!p.documento().Trabajo().HOrienta);
    }

    // A size the job file could not hold back is refused where it is typed,
    // by page setup and by the options' sheet tab alike, and never stored.
    void tamanoQueElArchivoNoGuarda_data() {
        QTest::addColumn<QString>("ancho");
        QTest::addColumn<bool>("valido");
        QTest::newRow("500 cm") << "500" << true;
        QTest::newRow("500,01 cm") << "500,01" << false;
        QTest::newRow("600 cm") << "600" << false;
        QTest::newRow("cero") << "0" << false;
        QTest::newRow("negativo") << "-21" << false;
        QTest::newRow("1e300") << "1e300" << false;
    }
    void tamanoQueElArchivoNoGuarda() {
        QFETCH(QString, ancho);
        QFETCH(bool, valido);
        const QString limite =
            QStringLiteral("El tamaño de la hoja debe ser mayor que 0 y no mayor que 500 Cmts");
        Mesa m;
        ConHoja(m, 11907, 16840, "A4");
        ConfiguracionPagina c(m.documento, m.preferencias, m.mensajes);
        c.Cargar();
        c.campos.EntrarCampo();
        c.campos.ancho = ancho;
        c.campos.TextoCambiado();
        QCOMPARE(c.SalirCampo(true), valido);
        m.mensajes.mostrados.clear();
        QCOMPARE(c.Aceptar(), valido);
        if (valido) {
            QCOMPARE(m.documento.Trabajo().HAncho, kMaxLadoHoja);
        } else {
            QCOMPARE(m.documento.Trabajo().HAncho, 11907);
            QCOMPARE(m.mensajes.mostrados.size(), 1);
            QCOMPARE(m.mensajes.mostrados[0].texto, limite);
            // "&Predeterminar" says the same and stores nothing: no question.
            c.Predeterminar();
            QCOMPARE(m.mensajes.mostrados.size(), 2);
            QCOMPARE(m.mensajes.mostrados[1].texto, limite);
            QCOMPARE(m.ajustes.texto(Aplicacion::Titulo, "HAncho", {}), QStringLiteral("12242"));
        }
        Opciones o(m.documento, m.preferencias, m.impresoras, m.mensajes);
        o.Cargar();
        o.hoja.EntrarCampo();
        o.hoja.ancho = ancho;
        o.hoja.TextoCambiado();
        QCOMPARE(o.SalirCampoHoja(true), valido);
    }

    // A stored sheet past the limits (a hand-edited setting) is not taken:
    // new jobs get the default sheet, stored again in its place.
    void hojaGuardadaFueraDeLimites() {
        Banco b;
        b.ajustes.escribirTexto(Aplicacion::Titulo, "HName", "Personal");
        b.ajustes.escribirTexto(Aplicacion::Titulo, "HAncho", "12242");
        b.ajustes.escribirTexto(Aplicacion::Titulo, "HAlto", "2147483647");
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        QCOMPARE(p.documento().Trabajo().HName, QStringLiteral("Carta"));
        QCOMPARE(p.documento().Trabajo().HAlto, 15842);
        QCOMPARE(b.ajustes.texto(Aplicacion::Titulo, "HAlto", {}), QStringLiteral("15842"));
    }

    // --- options ---
    void opcionesConAjustesVacios() {
        Mesa m;
        m.impresoras.lista = {"Laser", "Chorro"};
        Opciones o(m.documento, m.preferencias, m.impresoras, m.mensajes);
        o.Cargar();
        QCOMPARE(o.verRegla, 0);
        QCOMPARE(o.verMargen, 2);
        QCOMPARE(o.verEjes, 2);
        QCOMPARE(o.fuente.nombre, QStringLiteral("Tahoma"));
        QCOMPARE(o.fuente.puntos, 10.0);
        QVERIFY(!o.fuente.negrita);
        QCOMPARE(o.color, 0);
        QVERIFY(o.lineasGuia);
        QCOMPARE(o.cifras, 5);
        QCOMPARE(o.rotacion, 0);
        QCOMPARE(o.hoja.nombre(), QStringLiteral("Carta"));
        QVERIFY(!o.siempreEstaImpresora);
        QCOMPARE(o.impresora, -1);
        // Accepting without a change writes nothing and says nothing.
        const QString antes = m.ajustes.texto(Aplicacion::Producto, "VerEjes", "ninguno");
        o.Aceptar();
        QVERIFY(m.mensajes.mostrados.isEmpty());
        QCOMPARE(m.ajustes.texto(Aplicacion::Producto, "VerEjes", "ninguno"), antes);
    }

    // Only a choice on the printer tab writes the printer keys: applying the
    // digits leaves an uninstalled or unset printer as it was.
    void opcionesSinElegirImpresora_data() { FilasImpresoraGuardada(); }
    void opcionesSinElegirImpresora() {
        QFETCH(QString, siempre);
        QFETCH(QString, impresora);
        Mesa m;
        m.impresoras.lista = {"Laser", "Chorro"};
        GuardarImpresora(m.ajustes, siempre, impresora);
        QSignalSpy cambios(&m.preferencias, &Preferencias::impresoraCambiada);
        Opciones o(m.documento, m.preferencias, m.impresoras, m.mensajes);
        o.Cargar();
        o.cifras = 7;
        o.cambiado = true;
        o.Aceptar();
        QCOMPARE(m.ajustes.texto(Aplicacion::Producto, "Cifras", {}), QStringLiteral("7"));
        QCOMPARE(m.ajustes.texto(Aplicacion::Producto, "PrinterDefault", {}), siempre);
        QCOMPARE(m.ajustes.texto(Aplicacion::Producto, "Printer", {}), impresora);
        QCOMPARE(cambios.size(), 0);
    }

    // The status bar's printer panel follows the options: left alone until a
    // printer is chosen, then that one.
    void panelDeImpresoraTrasLasOpciones_data() { FilasImpresoraGuardada(); }
    void panelDeImpresoraTrasLasOpciones() {
        QFETCH(QString, siempre);
        QFETCH(QString, impresora);
        Banco b;
        b.impresoras.lista = {"Laser", "Chorro"};
        GuardarImpresora(b.ajustes, siempre, impresora);
        Programa& p = b.crear();
        const QString panel = p.principal.panel(3);
        Opciones o(p.documento(), p.preferencias(), p.principal.impresoras(),
                   p.principal.mensajes());
        o.Cargar();
        o.cifras = 7;
        o.cambiado = true;
        o.Aceptar();
        QCOMPARE(p.principal.panel(3), panel);
        o.ElegirImpresora(0);
        o.Aceptar();
        QCOMPARE(p.principal.panel(3), QStringLiteral("Laser"));
    }

    void opcionesAplicadas() {
        Mesa m;
        m.documento.fijarAbierto(false);
        m.impresoras.lista = {"Laser", "Chorro"};
        Opciones o(m.documento, m.preferencias, m.impresoras, m.mensajes);
        o.Cargar();
        o.verEjes = 2;
        o.SiempreEstaImpresora(true); // nothing selected: the first printer
        QCOMPARE(o.impresora, 0);
        o.lineasGuia = false;
        o.cifras = 7;
        o.rotacion = Opciones::SiguienteRotacion(Opciones::SiguienteRotacion(
            Opciones::SiguienteRotacion(Opciones::SiguienteRotacion(0))));
        QCOMPARE(o.rotacion, 0);
        o.hoja.Seleccionar(1); // A4
        o.vertical = false;
        o.cambiado = true;
        QSignalSpy impresora(&m.preferencias, &Preferencias::impresoraCambiada);
        o.Aceptar();
        QCOMPARE(m.mensajes.mostrados.size(), 1);
        QCOMPARE(m.mensajes.mostrados[0].titulo, QStringLiteral("Cambio de opciones"));
        QCOMPARE(m.ajustes.texto(Aplicacion::Producto, "VerEjes", {}), QStringLiteral("2"));
        QCOMPARE(m.ajustes.texto(Aplicacion::Producto, "Printer", {}), QStringLiteral("Laser"));
        QCOMPARE(m.ajustes.texto(Aplicacion::Producto, "PrinterDefault", {}),
                 QStringLiteral("Verdadero"));
        QCOMPARE(m.ajustes.texto(Aplicacion::Producto, "VerLineas", {}), QStringLiteral("0"));
        QVERIFY(!impresora.isEmpty());
        // Without a job the model holds the sheet of new jobs.
        QCOMPARE(m.documento.Trabajo().HAncho, 16840);
        QCOMPARE(m.documento.Trabajo().HAlto, 11907);
        QCOMPARE(m.ajustes.texto(Aplicacion::Titulo, "HAncho", {}), QStringLiteral("16840"));
        // A new box now has 7 digits and no guide lines.
        const Cuadro c = Preferencias(m.ajustes).defectosCuadro();
        QCOMPARE(c.Cifras, qint16(7));
        QVERIFY(!c.LineasGuia);
        // And the dialog shows what was stored.
        Opciones otra(m.documento, m.preferencias, m.impresoras, m.mensajes);
        otra.Cargar();
        QVERIFY(otra.siempreEstaImpresora);
        QCOMPARE(otra.impresora, 0);
        QVERIFY(!otra.lineasGuia);
        QVERIFY(!otra.vertical);
        QCOMPARE(otra.hoja.nombre(), QStringLiteral("A4"));
    }

    // An open job keeps its own sheet: only new jobs take the stored one.
    void opcionesNoCambianLaHojaDelTrabajo() {
        Mesa m;
        Opciones o(m.documento, m.preferencias, m.impresoras, m.mensajes);
        o.Cargar();
        o.hoja.Seleccionar(1); // A4
        o.cambiado = true;
        o.Aceptar();
        QCOMPARE(m.ajustes.texto(Aplicacion::Titulo, "HName", {}), QStringLiteral("A4"));
        QCOMPARE(m.documento.Trabajo().HName, QStringLiteral("Carta"));
        QCOMPARE(m.documento.Trabajo().HAncho, 12242);
        QVERIFY(!m.documento.Modificado());
    }
};

QTEST_MAIN(PruebaPagina)
#include "test_pagina.moc"
