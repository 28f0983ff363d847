// The box commands: new, delete, copy, cut, paste, align, lock, guide lines.
#include "Fakes.h"

#include <QtTest>

namespace {
Programa& ConCuadros(Banco& b, int n) {
    Programa& p = b.crear();
    p.despachador.ejecutar("BtnNuevo");
    p.estado().Trabajo.Zoom = 1;
    AjustesMemoria vacios;
    for (int i = 0; i < n; ++i) {
        p.estado().PuntoX = 1000 * (i + 1);
        p.estado().PuntoY = 500 * (i + 1);
        p.estado().AgregarCuadro(Estado::DefectosCuadro(vacios));
    }
    p.estado().Trabajo.Zoom = 1;
    p.estado().Modificado = false;
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
        Banco b;
        Programa& p = ConCuadros(b, 0);
        QList<int> abiertos;
        p.comandos.mostrarPropiedades = [&](int i) { abiertos.append(i); };
        QVERIFY(p.barra().utilizable("BtnNuevocuadro"));
        p.despachador.ejecutar("BtnNuevocuadro");
        QCOMPARE(abiertos, QList<int>{0});
        QCOMPARE(p.estado().Cuadros[0].PosX, 0);
        QVERIFY(p.estado().Modificado);
        // After a right click on the sheet: at that point, once.
        p.editor.seleccion().PulsarHoja(Boton::Derecho, {2000, 1000});
        p.despachador.ejecutar("BtnNuevocuadro");
        QCOMPARE(p.estado().Cuadros[1].PosX, 2000);
        QCOMPARE(p.estado().Cuadros[1].PosY, 1000);
        p.despachador.ejecutar("BtnNuevocuadro");
        QCOMPARE(p.estado().Cuadros[2].PosX, 0);
        QCOMPARE(abiertos, (QList<int>{0, 1, 2}));
    }

    void borrar() {
        Banco b;
        Programa& p = ConCuadros(b, 3);
        Grupo(p, {0, 2});
        b.mensajes.respuestas = {Respuesta::Cancelar};
        p.despachador.ejecutar("BtnBorrar");
        QCOMPARE(p.estado().cuadrosVivos(), 3);
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("Se borrarán el o los cuadros seleccionados.\r¿Desea continuar?"));
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Precaución"));
        b.mensajes.respuestas = {Respuesta::Aceptar};
        p.despachador.ejecutar("BtnBorrar");
        QCOMPARE(p.estado().cuadrosVivos(), 1);
        QVERIFY(p.estado().Cuadros[1].EnUso);
        QVERIFY(!p.estado().ModoGrupo);
        QVERIFY(!p.estado().Modificado);
        QVERIFY(!p.barra().habilitada("BtnCortar"));
    }

    void copiarUnCuadro() {
        Banco b;
        Programa& p = ConCuadros(b, 1);
        p.estado().CuadroActual = 0;
        p.editor.seleccion().Foco(0, true);
        p.despachador.ejecutar("BtnCopiar");
        const QString t = b.portapapeles.contenido.value_or("");
        QVERIFY(t.startsWith("ZUL"));
        QVERIFY(t.endsWith(u'\r'));
        QCOMPARE(t.count(u'\t'), 19);
        const QStringList campos = t.mid(3).chopped(1).split(u'\t');
        QCOMPARE(campos[2], QStringLiteral("Tahoma"));
        QCOMPARE(campos[3], QStringLiteral("10"));
        QCOMPARE(campos[7], QStringLiteral("5"));
        QCOMPARE(campos[0], QStringLiteral("Falso"));
        QVERIFY(p.barra().habilitada("BtnPegar"));
    }

    void pegarDosVeces() {
        Banco b;
        Programa& p = ConCuadros(b, 2);
        p.estado().Cuadros[0].ColorFondo = 0x123456;
        Grupo(p, {0, 1});
        p.despachador.ejecutar("BtnCopiar");
        p.despachador.ejecutar("BtnPegar");
        p.despachador.ejecutar("BtnPegar");
        QCOMPARE(p.estado().cuadrosVivos(), 6);
        for (int i : {2, 4}) {
            QCOMPARE(p.estado().Cuadros[i].PosX, 1100);
            QCOMPARE(p.estado().Cuadros[i].PosY, 600);
            QVERIFY(p.estado().Cuadros[i].ColorFondo != 0x123456);
            QCOMPARE(p.estado().Cuadros[i + 1].PosX, 2100);
        }
        QVERIFY(p.estado().Modificado);
    }

    void pegarUnoDondeSeHizoClic() {
        Banco b;
        Programa& p = ConCuadros(b, 1);
        p.estado().Trabajo.Zoom = 0.5f;
        p.editor.RedibujarHoja();
        p.editor.seleccion().Foco(0, true); // the box clicked last has the focus
        p.despachador.ejecutar("BtnCopiar");
        p.editor.seleccion().PulsarHoja(Boton::Derecho, {3000, 2000});
        p.despachador.ejecutar("BtnPegar");
        QCOMPARE(p.estado().Cuadros[1].PosX, 6000);
        QCOMPARE(p.estado().Cuadros[1].PosY, 4000);
        // From the toolbar: the copied place, 100 twips right and down.
        p.despachador.ejecutar("BtnPegar");
        QCOMPARE(p.estado().Cuadros[2].PosX, 1100);
        QCOMPARE(p.estado().Cuadros[2].PosY, 600);
    }

    void pegarTextoDanado() {
        Banco b;
        Programa& p = ConCuadros(b, 1);
        b.portapapeles.contenido = QStringLiteral("ZUL\tFalso\tx\r");
        p.barra().habilitar("BtnPegar", true);
        p.despachador.ejecutar("BtnPegar");
        QCOMPARE(p.estado().cuadrosVivos(), 1);
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Pegar"));
    }

    void alinearYBloquear() {
        Banco b;
        Programa& p = ConCuadros(b, 3);
        Grupo(p, {0, 1, 2});
        p.despachador.ejecutar("BtnAlinearHorizontal");
        for (int i : {0, 1, 2})
            QCOMPARE(p.estado().Cuadros[i].PosY, 500);
        QCOMPARE(p.estado().Cuadros[0].PosX, 1000);
        p.despachador.ejecutar("BtnAlinearvertical");
        for (int i : {0, 1, 2})
            QCOMPARE(p.estado().Cuadros[i].PosX, 1000);
        QVERIFY(!p.estado().Modificado);
        p.barra().pulsar("BtnBloquear");
        for (int i : {0, 1, 2})
            QVERIFY(p.estado().Cuadros[i].Bloqueado);
        p.barra().pulsar("BtnLineasGuia"); // pressed by the group: now released
        for (int i : {0, 1, 2})
            QVERIFY(!p.estado().Cuadros[i].LineasGuia);
    }
};

QTEST_MAIN(PruebaCuadros)
#include "test_cuadros.moc"
