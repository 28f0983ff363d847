// The box commands: new, delete, copy, cut, paste, align, lock, guide lines.
#include "core/dialogos/PropiedadesCuadro.h"
#include "core/trabajo/Numeracion.h"
#include "fakes/Fakes.h"

#include <QtTest>

namespace {
// n boxes down a diagonal, the k-th at (1000 (k + 1), 500 (k + 1)).
QList<QPoint> EnDiagonal(int n) {
    QList<QPoint> posiciones;
    for (int i = 0; i < n; ++i)
        posiciones.append(QPoint(1000 * (i + 1), 500 * (i + 1)));
    return posiciones;
}

// A new job in the program with n boxes down the diagonal, at 100 %: for
// what goes through the toolbar and the dispatcher.
Programa& ConCuadros(Banco& b, int n) {
    Programa& p = b.crear();
    p.despachador.ejecutar("BtnNuevo");
    p.documento().fijarZoom(1);
    AjustesMemoria vacios;
    for (const QPoint& pos : EnDiagonal(n))
        p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), pos);
    p.documento().olvidarHistoria();
    p.editor.RedibujarHoja();
    return p;
}

void Grupo(Programa& p, std::initializer_list<int> cuadros) {
    for (int i : cuadros)
        p.editor.seleccion().PulsarCuadro(i, Boton::Izquierdo, true, {1, 1});
}
} // namespace

class PruebaCuadros : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void nuevoCuadro() {
        Mesa m;
        m.documento.fijarZoom(1);
        QList<int> abiertos;
        m.comandos.mostrarPropiedades = [&](int i) { abiertos.append(i); };
        m.comandos.NuevoCuadro();
        QCOMPARE(abiertos, QList<int>{0});
        QCOMPARE(m.documento.Cuadros()[0].PosX, 0);
        QVERIFY(m.documento.Modificado());
        // After a right click on the sheet: at that point, once.
        m.editor.seleccion().PulsarHoja(Boton::Derecho, {2000, 1000});
        m.comandos.NuevoCuadro();
        QCOMPARE(m.documento.Cuadros()[1].PosX, 2000);
        QCOMPARE(m.documento.Cuadros()[1].PosY, 1000);
        m.comandos.NuevoCuadro();
        QCOMPARE(m.documento.Cuadros()[2].PosX, 0);
        QCOMPARE(abiertos, (QList<int>{0, 1, 2}));
    }

    void nuevoCuadroDesdeLaBarra() {
        Banco b;
        Programa& p = ConCuadros(b, 0);
        QList<int> abiertos;
        p.comandos.mostrarPropiedades = [&](int i) { abiertos.append(i); };
        QVERIFY(p.barra().utilizable("BtnNuevocuadro"));
        p.despachador.ejecutar("BtnNuevocuadro");
        QCOMPARE(abiertos, QList<int>{0});
        QCOMPARE(p.documento().cuadrosVivos(), 1);
    }

    // Only the sheet's aids ask the printer for its printable area: no box
    // command does, or a paper that differs from the sheet would be reported
    // again at each of them.
    void losComandosNoPreguntanALaImpresora() {
        Mesa m;
        m.conCuadros(EnDiagonal(2));
        int preguntas = 0;
        m.editor.comprobarMargenes = [&] {
            ++preguntas;
            return std::optional<Margenes>(Margenes{100, 12000, 100, 15000});
        };
        m.editor.AlternarMargenes(true);
        QVERIFY(m.editor.margenes().has_value());
        QCOMPARE(preguntas, 1);
        m.agrupar({0, 1});
        m.comandos.AlinearHorizontal();
        m.comandos.AlinearVertical();
        m.comandos.Bloquear(true);
        m.comandos.LineasGuiaCuadros(false);
        m.comandos.CopiarCuadros(0, false);
        m.comandos.PegarCuadros(false);
        m.comandos.mostrarPropiedades = [](int) {};
        m.comandos.NuevoCuadro();
        m.comandos.BorrarCuadros(0);
        QCOMPARE(m.documento.cuadrosVivos(), 3); // every command did its work
        QCOMPARE(preguntas, 1);
        QVERIFY(m.editor.margenes().has_value());
    }

    // The same through the program: the real paper check warns once, when
    // the margins are shown, not again at a command from the toolbar.
    void losComandosDeLaBarraNoAvisanDelPapel() {
        Banco b;
        b.impresoras.lista = {"Laser"};
        b.impresoras.defecto = "Laser";
        b.impresoras.preparar = [](ImpresoraGrabadora& i) {
            i.geo.anchoFisico = i.geo.anchoImprimible = 600 * 21 / 2.54; // A4
            i.geo.altoFisico = i.geo.altoImprimible = 600 * 29.7 / 2.54;
        };
        Programa& p = ConCuadros(b, 2);
        p.barra().pulsar("BtnMargenes");
        QVERIFY(p.editor.margenes().has_value());
        const qsizetype avisos = b.mensajes.mostrados.size();
        QCOMPARE(avisos, 1);
        Grupo(p, {0, 1});
        p.despachador.ejecutar("BtnAlinearHorizontal");
        p.comandos.mostrarPropiedades = [](int) {};
        p.despachador.ejecutar("BtnNuevocuadro");
        QCOMPARE(b.mensajes.mostrados.size(), avisos);
    }

    void borrar() {
        Mesa m;
        m.conCuadros(EnDiagonal(3));
        m.agrupar({0, 2});
        m.mensajes.respuestas = {Respuesta::Cancelar};
        m.comandos.BorrarCuadros(m.documento.CuadroActual());
        QCOMPARE(m.documento.cuadrosVivos(), 3);
        QCOMPARE(m.mensajes.mostrados[0].texto,
                 QStringLiteral("Se borrarán el o los cuadros seleccionados.\r¿Desea continuar?"));
        QCOMPARE(m.mensajes.mostrados[0].titulo, QStringLiteral("Precaución"));
        QCOMPARE(m.herramientas().cuadro, std::optional(true));
        m.mensajes.respuestas = {Respuesta::Aceptar};
        m.comandos.BorrarCuadros(m.documento.CuadroActual());
        QCOMPARE(m.documento.cuadrosVivos(), 1);
        QVERIFY(m.documento.Cuadros()[1].EnUso);
        QVERIFY(!m.documento.ModoGrupo());
        QVERIFY(m.documento.Modificado()); // a deleted box is a change to save
        QCOMPARE(m.herramientas().cuadro, std::optional(false));
        QCOMPARE(m.herramientas().alinear, std::optional(false));
    }

    void borrarDesdeLaBarraApagaLasHerramientas() {
        Banco b;
        Programa& p = ConCuadros(b, 3);
        Grupo(p, {0, 2});
        QVERIFY(p.barra().habilitada("BtnCortar"));
        p.despachador.ejecutar("BtnBorrar");
        QCOMPARE(p.documento().cuadrosVivos(), 1);
        QVERIFY(!p.barra().habilitada("BtnCortar"));
    }

    void copiarUnCuadro() {
        Mesa m;
        m.conCuadros(EnDiagonal(1));
        m.documento.fijarCuadroActual(0);
        m.comandos.CopiarCuadros(m.documento.CuadroActual(), false);
        const QString t = m.portapapeles.contenido.value_or("");
        QVERIFY(t.startsWith("ZUL"));
        QVERIFY(t.endsWith(u'\r'));
        QCOMPARE(t.count(u'\t'), 19);
        const QStringList campos = t.mid(3).chopped(1).split(u'\t');
        QCOMPARE(campos[2], QStringLiteral("Tahoma"));
        QCOMPARE(campos[3], QStringLiteral("10"));
        QCOMPARE(campos[7], QStringLiteral("5"));
        QCOMPARE(campos[0], QStringLiteral("Falso"));
        QCOMPARE(m.documento.cuadrosVivos(), 1); // a copy, not a cut
    }

    void copiarDesdeLaBarraHabilitaPegar() {
        Banco b;
        Programa& p = ConCuadros(b, 1);
        p.documento().fijarCuadroActual(0);
        p.editor.seleccion().Foco(0, true);
        p.despachador.ejecutar("BtnCopiar");
        QVERIFY(b.portapapeles.contenido.value_or("").startsWith("ZUL"));
        QVERIFY(p.barra().habilitada("BtnPegar"));
    }

    void pegarDosVeces() {
        Mesa m;
        m.conCuadros(EnDiagonal(2));
        m.documento.cambiarCuadro(0, [&](Cuadro& c) { c.ColorFondo = 0x123456; });
        m.agrupar({0, 1});
        m.comandos.CopiarCuadros(m.documento.CuadroActual(), false);
        m.comandos.PegarCuadros(false);
        m.comandos.PegarCuadros(false);
        QCOMPARE(m.documento.cuadrosVivos(), 6);
        for (int i : {2, 4}) {
            QCOMPARE(m.documento.Cuadros()[i].PosX, 1100);
            QCOMPARE(m.documento.Cuadros()[i].PosY, 600);
            QVERIFY(m.documento.Cuadros()[i].ColorFondo != 0x123456);
            QCOMPARE(m.documento.Cuadros()[i + 1].PosX, 2100);
        }
        QVERIFY(m.documento.Modificado());
    }

    void pegarUnoDondeSeHizoClic() {
        Mesa m;
        m.conCuadros(EnDiagonal(1), 0.5f);
        m.comandos.CopiarCuadros(0, false);
        m.editor.seleccion().PulsarHoja(Boton::Derecho, {3000, 2000});
        m.comandos.PegarCuadros(true);
        QCOMPARE(m.documento.Cuadros()[1].PosX, 6000);
        QCOMPARE(m.documento.Cuadros()[1].PosY, 4000);
        // From the toolbar: the copied place, 100 twips right and down.
        m.comandos.PegarCuadros(false);
        QCOMPARE(m.documento.Cuadros()[2].PosX, 1100);
        QCOMPARE(m.documento.Cuadros()[2].PosY, 600);
    }

    // A group pasted from the sheet's menu has its top-left corner at the
    // click, its boxes keeping their places among themselves; the pasted
    // boxes are the selection afterwards.
    void pegarUnGrupoDondeSeHizoClic() {
        Mesa m;
        m.conCuadros({{1000, 500}, {3000, 900}, {8000, 8000}});
        m.agrupar({0, 1});
        m.comandos.CopiarCuadros(m.documento.CuadroActual(), false);
        m.editor.seleccion().PulsarHoja(Boton::Derecho, {2000, 5000});
        m.comandos.PegarCuadros(true);
        QCOMPARE(m.documento.cuadrosVivos(), 5);
        QCOMPARE(m.documento.Cuadros()[3].PosX, 2000);
        QCOMPARE(m.documento.Cuadros()[3].PosY, 5000);
        QCOMPARE(m.documento.Cuadros()[4].PosX, 4000);
        QCOMPARE(m.documento.Cuadros()[4].PosY, 5400);
        QVERIFY(m.documento.ModoGrupo());
        QCOMPARE(m.documento.Seleccion(), (QList<qint16>{3, 4}));
        for (int i : {0, 1, 2})
            QVERIFY(!m.documento.Cuadros()[i].Seleccionado);
        QCOMPARE(m.herramientas().alinear, std::optional(true));
        // From the toolbar the group lands beside the originals, selected too.
        m.comandos.PegarCuadros(false);
        QCOMPARE(m.documento.Cuadros()[5].PosX, 1100);
        QCOMPARE(m.documento.Cuadros()[6].PosX, 3100);
        QCOMPARE(m.documento.Seleccion(), (QList<qint16>{5, 6}));
    }

    // The paste tool pastes at the sheet's click only right after one.
    void pegarDesdeLaBarraTrasUnClicEnLaHoja() {
        Banco b;
        Programa& p = ConCuadros(b, 1);
        p.editor.seleccion().Foco(0, true); // the box clicked last has the focus
        p.despachador.ejecutar("BtnCopiar");
        p.editor.seleccion().PulsarHoja(Boton::Derecho, {3000, 2000});
        p.despachador.ejecutar("BtnPegar");
        QCOMPARE(p.documento().Cuadros()[1].PosX, 3000);
        QCOMPARE(p.documento().Cuadros()[1].PosY, 2000);
        p.despachador.ejecutar("BtnPegar");
        QCOMPARE(p.documento().Cuadros()[2].PosX, 1100);
        QCOMPARE(p.documento().Cuadros()[2].PosY, 600);
    }

    void pegarTextoDanado() {
        Mesa m;
        m.conCuadros(EnDiagonal(1));
        m.portapapeles.contenido = QStringLiteral("ZUL\tFalso\tx\r");
        m.comandos.PegarCuadros(false);
        QCOMPARE(m.documento.cuadrosVivos(), 1);
        QCOMPARE(m.mensajes.mostrados.size(), 1);
        QCOMPARE(m.mensajes.mostrados[0].titulo, QStringLiteral("Pegar"));
    }

    // A copy the table cannot hold is not pasted, and the operator is told why.
    void pegarMasDeLosQueCaben() {
        Mesa m;
        m.conCuadros(EnDiagonal(2));
        m.agrupar({0, 1});
        m.comandos.CopiarCuadros(m.documento.CuadroActual(), false);
        const Cuadro d = m.preferencias.defectosCuadro();
        while (m.documento.cuadrosVivos() < Estado::kMaxCuadros - 1)
            m.documento.agregarCuadro(d, {});
        m.comandos.PegarCuadros(false);
        QCOMPARE(m.documento.cuadrosVivos(), Estado::kMaxCuadros - 1);
        QCOMPARE(m.mensajes.mostrados.size(), 1);
        QCOMPARE(m.mensajes.mostrados[0].texto,
                 QStringLiteral("No se ha pegado nada: la copia tiene 2 cuadros y en el trabajo "
                                "sólo caben 1 más (32.767 como mucho)."));
        QCOMPARE(m.mensajes.mostrados[0].titulo, QStringLiteral("Pegar"));
    }

    // Texts and series the job file could not hold back are refused on OK.
    void propiedadesQueElArchivoNoGuarda() {
        Mesa m;
        m.conCuadros(EnDiagonal(3));
        PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
        QVERIFY(d.Abrir(0));
        d.campo[4] = QString(65537, u'x');
        QCOMPARE(d.Aceptar(), 4);
        QCOMPARE(m.mensajes.mostrados.last().texto,
                 QStringLiteral("Este texto es demasiado largo: el archivo del trabajo guarda "
                                "hasta 65.536 caracteres"));
        QVERIFY(m.documento.Cuadros()[0].TextoDer.size() < 100);
        d.campo[4] = QString(65536, u'x');
        QCOMPARE(d.Aceptar(), -1);
        // Three boxes as one series from 2147483646: the third would pass the limit.
        m.agrupar({0, 1, 2});
        PropiedadesCuadro g(m.documento, m.preferencias, m.mensajes);
        m.mensajes.respuestas = {Respuesta::Aceptar, Respuesta::Si};
        QVERIFY(g.Abrir(0));
        QVERIFY(g.programarSerie());
        g.campo[0] = "2147483646";
        g.campo[1] = "2147483647";
        QCOMPARE(g.Aceptar(), 0);
        QCOMPARE(m.documento.Cuadros()[2].Inicio, 1.0);
        g.campo[0] = "2147483645";
        QCOMPARE(g.Aceptar(), -1);
        QCOMPARE(m.documento.Cuadros()[2].Inicio, 2147483647.0);
    }

    void alinearYBloquear() {
        Mesa m;
        m.conCuadros(EnDiagonal(3));
        m.agrupar({0, 1, 2});
        m.comandos.AlinearHorizontal();
        for (int i : {0, 1, 2})
            QCOMPARE(m.documento.Cuadros()[i].PosY, 500);
        QCOMPARE(m.documento.Cuadros()[0].PosX, 1000);
        m.comandos.AlinearVertical();
        for (int i : {0, 1, 2})
            QCOMPARE(m.documento.Cuadros()[i].PosX, 1000);
        QVERIFY(m.documento.Modificado());
        m.comandos.Bloquear(true);
        for (int i : {0, 1, 2})
            QVERIFY(m.documento.Cuadros()[i].Bloqueado);
        QCOMPARE(m.herramientas().lineasGuia, std::optional(true)); // pressed by the group
        m.comandos.LineasGuiaCuadros(false);
        for (int i : {0, 1, 2})
            QVERIFY(!m.documento.Cuadros()[i].LineasGuia);
    }

    // The lock and guide-lines toggles hand their new state to the group.
    void bloquearYLineasGuiaDesdeLaBarra() {
        Banco b;
        Programa& p = ConCuadros(b, 3);
        Grupo(p, {0, 1, 2});
        p.barra().pulsar("BtnBloquear");
        for (int i : {0, 1, 2})
            QVERIFY(p.documento().Cuadros()[i].Bloqueado);
        QVERIFY(p.barra().pulsada("BtnLineasGuia"));
        p.barra().pulsar("BtnLineasGuia"); // pressed by the group: now released
        for (int i : {0, 1, 2})
            QVERIFY(!p.documento().Cuadros()[i].LineasGuia);
    }

    // --- the properties dialog ---
    void propiedadesDeUnCuadro() {
        Mesa m;
        m.conCuadros(EnDiagonal(1));
        m.documento.cambiarCuadro(0, [](Cuadro& c) {
            c.Cifras = 0;
            c.Fin = 100;
            c.PosX = 1985; // 3.5 cm
        });
        const Cuadro& c = m.documento.Cuadros()[0];
        PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
        QVERIFY(d.Abrir(0));
        QCOMPARE(d.titulo, QStringLiteral("Propiedades Cuadro Nº1"));
        QCOMPARE(d.campo[5], QStringLiteral("5"));
        QCOMPARE(d.campo[7], QStringLiteral("100"));
        QCOMPARE(d.posX, QStringLiteral("03,50"));
        d.campo[1] = "50";
        QVERIFY(d.CambioNumeracion());
        QCOMPARE(d.campo[7], QStringLiteral("50"));
        d.campo[2] = "0";
        QVERIFY(!d.CambioNumeracion());
        QCOMPARE(m.mensajes.mostrados.last().texto,
                 QStringLiteral("El valor de este campo no puede ser cero"));
        QCOMPARE(d.campo[7], QStringLiteral("50"));
        // OK refuses a step of 0, which would make the run divide by zero.
        QCOMPARE(d.Aceptar(), 2);
        QCOMPARE(c.Salto, qint16(1));
        d.campo[2] = "2";
        d.campo[3] = "Nº ";
        d.rotacion = 2;
        QCOMPARE(d.Aceptar(), -1);
        QCOMPARE(c.Fin, 50.0);
        QCOMPARE(c.Salto, qint16(2));
        QCOMPARE(c.Cifras, qint16(5));
        QCOMPARE(c.TextoIzq, QStringLiteral("Nº "));
        QCOMPARE(c.Rotacion, qint16(180));
        QCOMPARE(c.PosX, 1985); // untouched: not rounded to the hundredth shown
        QVERIFY(d.Abrir(0));
        d.posX = "4,00";
        QCOMPARE(d.Aceptar(), -1);
        QCOMPARE(c.PosX, 2268);
    }

    void serieDescendenteMuestraSusCopias() {
        Mesa m;
        m.conCuadros(EnDiagonal(1));
        m.documento.cambiarCuadro(0, [&](Cuadro& c) { c.Inicio = 10; });
        m.documento.cambiarCuadro(0, [&](Cuadro& c) { c.Fin = 1; });
        PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
        d.Abrir(0);
        QCOMPARE(d.campo[7], QStringLiteral("10")); // as typing and the run count it
        QCOMPARE(d.sentido(), QStringLiteral("(descendente)"));
        // Said while it is so, as the operator types.
        d.campo[1] = QStringLiteral("20");
        QVERIFY(d.CambioNumeracion());
        QCOMPARE(d.sentido(), QString());
        d.campo[1] = QStringLiteral("abc");
        QCOMPARE(d.sentido(), QString());
        d.campo[1] = QStringLiteral("-5");
        QCOMPARE(d.sentido(), QStringLiteral("(descendente)"));
    }

    void posicionHastaElBordeDeLaHoja() {
        Mesa m;
        m.conCuadros(EnDiagonal(1));
        PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
        d.Abrir(0);
        const double ancho = m.documento.Trabajo().HAncho / 567.0;
        d.posX = QString::number(ancho, 'f', 4).replace('.', ',');
        QVERIFY(d.SalidaPosicion(true));
        d.posX = QString::number(ancho + 0.01, 'f', 2).replace('.', ',');
        QVERIFY(!d.SalidaPosicion(true));
        QCOMPARE(m.mensajes.mostrados.last().texto,
                 QStringLiteral("Este valor debe ser igual o menor al ancho de la hoja"));
        d.posY = "abc";
        QVERIFY(d.SalidaPosicion(false));
        QCOMPARE(d.posY, QStringLiteral("00,00"));
    }

    void grupoProgramadoComoSerie() {
        Mesa m;
        m.conCuadros(EnDiagonal(3));
        m.agrupar({0, 1, 2});
        m.mensajes.respuestas = {Respuesta::Aceptar, Respuesta::Si};
        PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
        QVERIFY(d.Abrir(0));
        QVERIFY(d.grupo() && d.programarSerie());
        QCOMPARE(d.titulo, QStringLiteral("Propiedades de Grupo 3 Cuadros"));
        // The step is the series' own (1 unless typed); each box steps by 3.
        QCOMPARE(d.campo[2], QStringLiteral("1"));
        QVERIFY(!d.saltoSoloLectura);
        QCOMPARE(d.orden, OrdenGrupo::Consecutivos);
        QVERIFY(!d.posicionHabilitada);
        d.campo[1] = "10";
        QVERIFY(d.CambioNumeracion());
        QCOMPARE(d.campo[7], QStringLiteral("4"));
        QCOMPARE(d.Aceptar(), -1);
        const std::vector<Cuadro>& c = m.documento.Cuadros();
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(c[k].Inicio, 1.0 + k);
            QCOMPARE(c[k].Salto, qint16(3));
            QCOMPARE(c[k].Fin, 10.0);
        }
        QCOMPARE(LongitudTirada(c), 4);
        QCOMPARE(TextoCuadroHoja(c[0], 3), QStringLiteral("0000010"));
        QCOMPARE(TextoCuadroHoja(c[1], 3), QString());
    }

    void grupoSinSerie() {
        Mesa m;
        m.conCuadros(EnDiagonal(2));
        m.documento.cambiarCuadro(1, [&](Cuadro& c) { c.Inicio = 50; });
        m.documento.cambiarCuadro(1, [&](Cuadro& c) { c.FontName = "Arial"; });
        m.agrupar({0, 1});
        m.mensajes.respuestas = {Respuesta::Aceptar, Respuesta::No};
        PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
        QVERIFY(d.Abrir(0));
        QVERIFY(!d.habilitado[0] && !d.habilitado[7]);
        QCOMPARE(d.campo[5], QStringLiteral("7")); // the group default
        d.campo[3] = "A-";
        d.fuente.negrita = true;
        QCOMPARE(d.Aceptar(), -1);
        const Cuadro& c = m.documento.Cuadros()[1];
        QCOMPARE(c.Inicio, 50.0);
        QCOMPARE(c.TextoIzq, QStringLiteral("A-"));
        QCOMPARE(c.Cifras, qint16(7));
        QVERIFY(c.FontBold);
        QCOMPARE(c.FontName, QStringLiteral("Arial")); // only the font button writes the face
    }

    void grupoRechazado() {
        Mesa m;
        m.conCuadros(EnDiagonal(2));
        m.agrupar({0, 1});
        const auto antes = m.documento.Cuadros();
        m.mensajes.respuestas = {Respuesta::Cancelar};
        PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
        QVERIFY(!d.Abrir(0));
        QCOMPARE(m.documento.Cuadros(), antes);
        QCOMPARE(m.mensajes.mostrados[0].titulo, QStringLiteral("Atención-Programar Grupo"));
    }

    void fuenteYColorSeEscribenEnSeguida() {
        Mesa m;
        m.conCuadros(EnDiagonal(2));
        m.agrupar({0, 1});
        m.mensajes.respuestas = {Respuesta::Aceptar, Respuesta::No};
        PropiedadesCuadro d(m.documento, m.preferencias, m.mensajes);
        d.Abrir(0);
        // The font chooser cancelled: the dialog's font goes to every box all the same.
        d.FijarFuente(d.fuente, d.color);
        d.FijarColor(0x0000FF);
        for (int i : {0, 1}) {
            QCOMPARE(m.documento.Cuadros()[i].FontName, QStringLiteral("Tahoma"));
            QCOMPARE(m.documento.Cuadros()[i].Color, 0x0000FF);
        }
    }
};

QTEST_MAIN(PruebaCuadros)
#include "test_cuadros.moc"
