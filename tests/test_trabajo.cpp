// The job model, the paper table, the job file and the job lifecycle.
#include "core/puertos/MensajesConsola.h"
#include "core/trabajo/ArchivoTrabajo.h"
#include "core/trabajo/Cp1252.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/TablaPapeles.h"
#include "core/trabajo/Valores.h"
#include "fakes/Fakes.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {
QByteArray Lineas(const QStringList& lineas, const char* fin = "\r\n") {
    QByteArray b;
    for (const QString& l : lineas) {
        CodificarCp1252(l, b);
        b.append(fin);
    }
    return b;
}

QStringList Cabecera(const QString& zoom = QStringLiteral(" 0,5 ")) {
    return {kMarcaTrabajo, " 310 ", " 500 ", " 10 ", " 15842 ", " 12242 ", zoom};
}

QStringList Bloque(int indice, const QString& inicio, const QString& fin, const QString& izq = " ",
                   const QString& der = " ", const QString& bold = "False") {
    return {"***&&&***", QStringLiteral(" %1 ").arg(indice),
            bold,        "False",
            "Arial",     " 12 ",
            "False",     "False",
            "True",      " 5 ",
            fin,         inicio,
            " 1 ",       "True",
            " 567 ",     der,
            izq,         " 1134 ",
            " 255 ",     "False",
            " 90 ",      " 32768 "};
}

void Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

LecturaTrabajo LeerBytes(const QByteArray& datos, MensajesGuion& m) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("t.zul"));
    {
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(datos);
    }
    PoliticaFallas politica(m, {});
    AjustesMemoria vacios;
    ::Trabajo previo;
    FijarCarta(previo);
    return LeerArchivoTrabajo(ruta, previo, Preferencias(vacios).defectosCuadro(), politica);
}
} // namespace

class PruebaTrabajo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    // --- model ---
    void primerCuadroUsaLaRanura0YDefectos() {
        Estado e;
        AjustesMemoria vacios;
        const Cuadro d = Preferencias(vacios).defectosCuadro();
        QCOMPARE(e.AgregarCuadro(d), 0);
        const Cuadro& c = e.Cuadros[0];
        QCOMPARE(c.Cifras, qint16(5));
        QCOMPARE(c.Inicio, 1.0);
        QCOMPARE(c.Fin, 1.0);
        QCOMPARE(c.Salto, qint16(1));
        QCOMPARE(c.TextoIzq, QStringLiteral(" "));
        QCOMPARE(c.TextoDer, QStringLiteral(" "));
        QCOMPARE(c.FontName, QStringLiteral("Tahoma"));
        QCOMPARE(c.FontSize, 10.0f);
        QCOMPARE(c.Color, 0);
        QVERIFY(c.LineasGuia);
        QCOMPARE(c.Rotacion, qint16(0));
        QVERIFY(e.Modificado);
        QCOMPARE(e.AgregarCuadro(d), 1);
        QCOMPARE(e.limiteSuperior(), 1);
    }

    void defectosDesdeAjustes() {
        AjustesMemoria a;
        a.escribirTexto(Aplicacion::Producto, "cifras", " 7 ");
        a.escribirTexto(Aplicacion::Producto, "FONTNAME", "Arial");
        a.escribirTexto(Aplicacion::Producto, "FontSize", "10,5");
        a.escribirTexto(Aplicacion::Producto, "VerLineas", "Falso");
        a.escribirTexto(Aplicacion::Producto, "FontBold", "Verdadero");
        a.escribirTexto(Aplicacion::Producto, "FontColor", "255");
        const Cuadro c = Preferencias(a).defectosCuadro();
        QCOMPARE(c.Cifras, qint16(7));
        QCOMPARE(c.FontName, QStringLiteral("Arial"));
        QCOMPARE(c.FontSize, 10.5f);
        QVERIFY(!c.LineasGuia);
        QVERIFY(c.FontBold);
        QCOMPARE(c.Color, 255);
    }

    // A stored font size the job file could not hold would make every new box
    // one that cannot be saved.
    void tamanoDeLetraGuardadoFueraDeLimites() {
        AjustesMemoria a;
        a.escribirTexto(Aplicacion::Producto, "FontSize", "1700");
        QCOMPARE(Preferencias(a).defectosCuadro().FontSize, 10.0f);
        a.escribirTexto(Aplicacion::Producto, "FontSize", "1638");
        QCOMPARE(Preferencias(a).defectosCuadro().FontSize, 1638.0f);
    }

    void ranuraLibreMasBajaSeReutiliza() {
        Estado e;
        AjustesMemoria vacios;
        const Cuadro d = Preferencias(vacios).defectosCuadro();
        for (int i = 0; i < 4; ++i)
            e.AgregarCuadro(d);
        e.Cuadros[2].Bloqueado = true;
        e.LiberarCuadro(2);
        e.LiberarCuadro(1);
        QCOMPARE(e.Cuadros[1].FontName, QStringLiteral("Arial"));
        QVERIFY(!e.Cuadros[2].Bloqueado);
        QCOMPARE(e.AgregarCuadro(d), 1);
        QCOMPARE(e.AgregarCuadro(d), 2);
        QCOMPARE(e.AgregarCuadro(d), 4);
    }

    void colorFondoSigueElCiclo() {
        Estado e;
        AjustesMemoria vacios;
        const Cuadro d = Preferencias(vacios).defectosCuadro();
        QList<qint32> colores;
        for (int i = 0; i < 9; ++i)
            colores.append(e.Cuadros[e.AgregarCuadro(d)].ColorFondo);
        QCOMPARE(colores, (QList<qint32>{0, 0xFF0000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x0000FF, 0, 0xFF0000}));
        // A colour outside the cycle: the next element takes element 0's.
        e.Cuadros[8].ColorFondo = 0x123456;
        QCOMPARE(e.Cuadros[e.AgregarCuadro(d)].ColorFondo, 0);
    }

    // A new box goes where the sheet's menu was opened: the screen point
    // divided by the zoom, halves to even; the point is used once.
    void nuevoCuadroEnElPuntoDivididoPorZoom() {
        Mesa m;
        m.documento.fijarZoom(0.5f);
        m.editor.seleccion().PulsarHoja(Boton::Derecho, {101, 1}); // 202, 2 twips
        m.comandos.NuevoCuadro();
        const int i = m.documento.CuadroActual();
        QCOMPARE(m.documento.Cuadros()[i].PosX, 202);
        QCOMPARE(m.documento.Cuadros()[i].PosY, 2);
        QVERIFY(m.documento.Modificado());
        m.documento.fijarZoom(2.0f);
        m.editor.seleccion().PulsarHoja(Boton::Derecho, {5, 7}); // 2.5 -> 2, 3.5 -> 4
        m.comandos.NuevoCuadro();
        const int j = m.documento.CuadroActual();
        QCOMPARE(m.documento.Cuadros()[j].PosX, 2);
        QCOMPARE(m.documento.Cuadros()[j].PosY, 4);
        // Without a new click the next box goes to the sheet's corner.
        m.comandos.NuevoCuadro();
        const int k = m.documento.CuadroActual();
        QCOMPARE(QPoint(m.documento.Cuadros()[k].PosX, m.documento.Cuadros()[k].PosY), QPoint());
    }

    void limpiarDejaUnaRanuraLibre() {
        Estado e;
        AjustesMemoria vacios;
        e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        e.Seleccion = {0, 1};
        e.RutaTrabajo = "x.zul";
        e.LimpiarTrabajo();
        QCOMPARE(e.limiteSuperior(), 0);
        QVERIFY(!e.Cuadros[0].EnUso);
        QCOMPARE(e.Seleccion, QList<qint16>{0});
        QCOMPARE(e.RutaTrabajo, QStringLiteral("x.zul"));
        QVERIFY(e.Modificado);
    }

    // --- paper table ---
    void identificarPapel_data() {
        QTest::addColumn<double>("ancho");
        QTest::addColumn<double>("alto");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<bool>("vertical");
        QTest::newRow("carta") << 21.5 << 28.0 << "Carta" << true;
        QTest::newRow("carta tumbada") << 28.0 << 21.5 << "Carta" << false;
        QTest::newRow("a4 dentro del 3%") << 21.3 << 29.5 << "A4" << true;
        QTest::newRow("a3 horizontal") << 42.0 << 29.7 << "A3" << false;
        QTest::newRow("oficio") << 21.59 << 35.56 << "Oficio" << true;
        QTest::newRow("cuadrada 20") << 20.0 << 20.0 << "Personal" << false;
        QTest::newRow("cuadrada 25") << 25.0 << 25.0 << "Personal" << false;
        QTest::newRow("fuera de tolerancia") << 10.0 << 15.0 << "Personal" << true;
    }
    void identificarPapel() {
        QFETCH(double, ancho);
        QFETCH(double, alto);
        ::Trabajo h;
        h.HAncho = static_cast<qint32>(RedondearPar(ancho * kTwipsPorCm));
        h.HAlto = static_cast<qint32>(RedondearPar(alto * kTwipsPorCm));
        IdentificarPapel(h);
        QTEST(h.HName, "nombre");
        QTEST(h.HOrienta, "vertical");
    }

    void cartaPorDefecto() {
        ::Trabajo h;
        FijarCarta(h);
        QCOMPARE(h.HName, QStringLiteral("Carta"));
        QCOMPARE(h.HAncho, 12242);
        QCOMPARE(h.HAlto, 15842);
        QVERIFY(h.HOrienta);
    }

    // --- value forms ---
    void formasDeNumeros_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<bool>("entero");
        QTest::addColumn<QString>("es");
        QTest::addColumn<QString>("en");
        QTest::newRow("medio") << 0.5 << false << " 0,5 "
                               << " 0.5 ";
        QTest::newRow("fraccion") << 10.5 << false << " 10,5 "
                                  << " 10.5 ";
        QTest::newRow("entero") << 10.0 << false << " 10 "
                                << " 10 ";
        QTest::newRow("negativo") << -3.25 << false << "-3,25 "
                                  << "-3.25 ";
        QTest::newRow("exponente") << 12345678.0 << false << " 1,234568E+07 "
                                   << " 1.234568E+07 ";
        QTest::newRow("entero completo") << 12345678.0 << true << " 12345678 "
                                         << " 12345678 ";
        QTest::newRow("999999999") << 999999999.0 << true << " 999999999 "
                                   << " 999999999 ";
        QTest::newRow("fraccion grande") << 12345678.5 << true << " 1,234568E+07 "
                                         << " 1.234568E+07 ";
    }
    void formasDeNumeros() {
        QFETCH(double, valor);
        QFETCH(bool, entero);
        QTEST(EscribirReal(valor, QLocale(QLocale::Spanish, QLocale::Spain), entero), "es");
        QTEST(EscribirReal(valor, QLocale(QLocale::English, QLocale::UnitedStates), entero), "en");
    }

    void lecturaDeNumeros_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<double>("valor");
        QTest::newRow("coma") << " 0,5 " << true << 0.5;
        QTest::newRow("punto") << "0.5" << true << 0.5;
        QTest::newRow("sin cero") << ",5" << true << 0.5;
        QTest::newRow("exponente coma") << " 1,234568E+07 " << true << 12345680.0;
        QTest::newRow("negativo") << "-12 " << true << -12.0;
        QTest::newRow("vacio") << "" << false << 0.0;
        QTest::newRow("letras") << "abc" << false << 0.0;
        QTest::newRow("agrupado") << "1.234,5" << false << 0.0;
        QTest::newRow("infinito") << "1e999" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
    }
    void lecturaDeNumeros() {
        QFETCH(QString, texto);
        QFETCH(bool, valido);
        const auto v = LeerNumero(texto);
        QCOMPARE(v.has_value(), valido);
        if (valido)
            QTEST(*v, "valor");
    }

    void booleanos_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valor");
        QTest::newRow("Falso") << "Falso" << false;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("True") << "True" << true;
        QTest::newRow("Verdadero") << "Verdadero" << true;
        QTest::newRow("vacio") << "" << true;
        QTest::newRow("cero") << "0" << true;
        QTest::newRow("minusculas") << "false" << true;
    }
    void booleanos() {
        QFETCH(QString, texto);
        QTEST(LeerBooleano(texto), "valor");
    }

    void cp1252IdaYVuelta() {
        const QString texto = QStringLiteral("Nº año € “x” Œ ñÑ");
        QByteArray b;
        QVERIFY(CodificarCp1252(texto, b));
        QCOMPARE(b.size(), texto.size());
        QCOMPARE(DecodificarCp1252(b), texto);
        QCOMPARE(b.at(7), char(0x80)); // €
        QByteArray perdido;
        QVERIFY(!CodificarCp1252(QStringLiteral("→"), perdido));
        QCOMPARE(perdido, QByteArray("?"));
    }

    // --- job file ---
    void archivoSinCuadrosSonSieteLineas() {
        Estado e;
        FijarCarta(e.Trabajo);
        const QByteArray b = SerializarTrabajo(e, QLocale(QLocale::Spanish, QLocale::Spain));
        QCOMPARE(b, QByteArray("<{ZUL54-091-560202}>\r\n 310 \r\n 500 \r\n 10 \r\n 15842 \r\n"
                               " 12242 \r\n 0,5 \r\n"));
    }

    void guardaIndicesYLeeRanurasSeguidas() {
        Estado e;
        FijarCarta(e.Trabajo);
        AjustesMemoria vacios;
        const Cuadro d = Preferencias(vacios).defectosCuadro();
        for (int i = 0; i < 6; ++i) {
            const int j = e.AgregarCuadro(d);
            e.Cuadros[j].Inicio = j * 10;
            e.Cuadros[j].Fin = j * 10 + 5;
        }
        for (int i : {1, 3, 4})
            e.LiberarCuadro(i);
        const QByteArray b = SerializarTrabajo(e, QLocale(QLocale::Spanish, QLocale::Spain));
        const QList<QByteArray> lineas = b.split('\n');
        QList<QByteArray> indices;
        for (int i = 0; i < lineas.size(); ++i)
            if (lineas[i] == "***&&&***\r")
                indices.append(lineas[i + 1].trimmed());
        QCOMPARE(indices, (QList<QByteArray>{"0", "2", "5"}));

        MensajesGuion m;
        const LecturaTrabajo l = LeerBytes(b, m);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QCOMPARE(l.cuadros.size(), size_t(3));
        QCOMPARE(l.cuadros[0].Inicio, 0.0);
        QCOMPARE(l.cuadros[1].Inicio, 20.0);
        QCOMPARE(l.cuadros[2].Inicio, 50.0);
        QVERIFY(m.mostrados.isEmpty());
    }

    void idaYVueltaCompleta_data() {
        QTest::addColumn<QLocale>("escritura");
        QTest::addColumn<QLocale>("lectura");
        QTest::newRow("es->es") << QLocale(QLocale::Spanish, QLocale::Spain)
                                << QLocale(QLocale::Spanish, QLocale::Spain);
        QTest::newRow("es->en") << QLocale(QLocale::Spanish, QLocale::Spain)
                                << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("en->es") << QLocale(QLocale::English, QLocale::UnitedStates)
                                << QLocale(QLocale::Spanish, QLocale::Spain);
    }
    void idaYVueltaCompleta() {
        QFETCH(QLocale, escritura);
        QFETCH(QLocale, lectura);
        Estado e;
        e.Trabajo.HAncho = 16839; // A4 landscape
        e.Trabajo.HAlto = 11907;
        e.Trabajo.Zoom = 0.75f;
        e.Trabajo.TamTip = 12;
        AjustesMemoria vacios;
        const int i = e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        Cuadro& c = e.Cuadros[i];
        c.Inicio = 20000001;
        c.Fin = 999999999;
        c.Salto = 3;
        c.Cifras = 9;
        c.FontSize = 10.5f;
        c.FontName = "Times New Roman";
        c.TextoIzq = "Nº ";
        c.TextoDer = " añ€";
        c.FontBold = c.FontItalic = c.FontUnderline = c.FontStrikethru = c.Bloqueado = true;
        c.LineasGuia = false;
        c.PosX = -5;
        c.PosY = 123456;
        c.Color = 0x00FF8040;
        c.Rotacion = 270;
        c.ColorFondo = 0x808000;
        const QByteArray b = SerializarTrabajo(e, escritura);
        QLocale::setDefault(lectura);
        MensajesGuion m;
        const LecturaTrabajo l = LeerBytes(b, m);
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QCOMPARE(l.hoja.Zoom, 0.75f);
        QCOMPARE(l.hoja.TamTip, qint16(12));
        QCOMPARE(l.hoja.HName, QStringLiteral("A4"));
        QVERIFY(!l.hoja.HOrienta);
        QCOMPARE(l.cuadros.size(), size_t(1));
        Cuadro leido = l.cuadros[0];
        QCOMPARE(leido.Inicio, 20000001.0);
        QCOMPARE(leido.Fin, 999999999.0);
        QCOMPARE(leido.FontSize, 10.5f);
        QCOMPARE(leido, c);
    }

    void lecturaTolerante_data() {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<int>("cuadros");
        QTest::addColumn<QString>("texto");
        const QStringList uno = Cabecera() + Bloque(0, " 7 ", " 9 ", "Nº ", "");
        QTest::newRow("crlf") << Lineas(uno) << 1 << "Nº 00007";
        QTest::newRow("lf") << Lineas(uno, "\n") << 1 << "Nº 00007";
        QTest::newRow("marca con blancos")
            << Lineas(QStringList{"  " + kMarcaTrabajo + " "} + uno.mid(1)) << 1 << "Nº 00007";
        QTest::newRow("punto decimal")
            << Lineas(Cabecera(" 0.5 ") + Bloque(0, " 7.0 ", " 9 ", "Nº ", "")) << 1 << "Nº 00007";
        // A separator with a trailing blank is an ordinary line: the second
        // block runs on past line 20 of the first and is ignored.
        QStringList separadorConBlanco = uno + Bloque(1, " 1 ", " 3 ");
        separadorConBlanco[uno.size()] = "***&&&*** ";
        QTest::newRow("separador con blanco") << Lineas(separadorConBlanco) << 1 << "Nº 00007";
        QTest::newRow("dos cuadros")
            << Lineas(uno + Bloque(1, " 1 ", " 3 ", "", "")) << 2 << "Nº 00007";
        QStringList corto = Cabecera() + Bloque(0, " 7 ", " 9 ").mid(0, 11);
        QTest::newRow("bloque corto: defectos") << Lineas(corto) << 1 << " 00001 ";
        QByteArray utf8 = QByteArray("\xEF\xBB\xBF") + Lineas(Cabecera());
        utf8 += QStringList(Bloque(0, " 7 ", " 9 ", "Nº ", "")).join("\r\n").toUtf8() + "\r\n";
        QTest::newRow("utf8 con bom") << utf8 << 1 << "Nº 00007";
    }
    void lecturaTolerante() {
        QFETCH(QByteArray, datos);
        QFETCH(int, cuadros);
        MensajesGuion m;
        const LecturaTrabajo l = LeerBytes(datos, m);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QCOMPARE(static_cast<int>(l.cuadros.size()), cuadros);
        QFETCH(QString, texto);
        if (!texto.isEmpty())
            QCOMPARE(TextoCuadroHoja(l.cuadros[0], 0), texto);
    }

    void cabeceraAntigua() {
        MensajesGuion m;
        QStringList c = Cabecera();
        c[1] = " 200 ";
        c[2] = "1000";
        c[3] = " 8";
        const LecturaTrabajo l = LeerBytes(Lineas(c), m);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QCOMPARE(l.hoja.AltoCuadro, 310);
        QCOMPARE(l.hoja.AnchoCuadro, 500);
        QCOMPARE(l.hoja.TamTip, qint16(10));
        QVERIFY(l.cuadros.empty() || !l.cuadros[0].EnUso);
    }

    void bloqueSinUsoDejaSuRanuraAlSiguiente() {
        MensajesGuion m;
        QStringList b = Cabecera() + Bloque(0, " 1 ", " 1 ") + Bloque(1, " 2 ", " 2 ") +
                        Bloque(2, " 3 ", " 3 ");
        b[7 + 13] = "False"; // EnUso of the first block
        const LecturaTrabajo l = LeerBytes(Lineas(b), m);
        QCOMPARE(l.cuadros.size(), size_t(2));
        QCOMPARE(l.cuadros[0].Inicio, 2.0);
        QCOMPARE(l.cuadros[1].Inicio, 3.0);
    }

    void booleanosDelArchivo() {
        MensajesGuion m;
        QStringList b = Cabecera() + Bloque(0, " 1 ", " 1 ", " ", " ", "Falso") +
                        Bloque(1, " 1 ", " 1 ", " ", " ", "False") +
                        Bloque(2, " 1 ", " 1 ", " ", " ", "Verdadero") +
                        Bloque(3, " 1 ", " 1 ", " ", " ", "") +
                        Bloque(4, " 1 ", " 1 ", " ", " ", "0");
        const LecturaTrabajo l = LeerBytes(Lineas(b), m);
        QCOMPARE(l.cuadros.size(), size_t(5));
        QList<bool> negritas;
        for (const Cuadro& c : l.cuadros)
            negritas.append(c.FontBold);
        QCOMPARE(negritas, (QList<bool>{false, false, true, true, true}));
    }

    void noEsTrabajo_data() {
        QTest::addColumn<QByteArray>("datos");
        QTest::newRow("vacio") << QByteArray();
        QTest::newRow("texto") << QByteArray("hola\r\nmundo\r\n");
        QTest::newRow("binario") << QByteArray("\x00\x01\x02\xff\xfe", 5);
        QTest::newRow("marca distinta") << QByteArray("<{ZUL54-091-560203}>\r\n");
        QTest::newRow("linea enorme") << QByteArray(200000, 'x');
    }
    void noEsTrabajo() {
        QFETCH(QByteArray, datos);
        MensajesGuion m;
        QCOMPARE(LeerBytes(datos, m).resultado, LecturaTrabajo::Resultado::NoEsTrabajo);
    }

    void dispositivoSinFinTermina() {
        // A device or pipe has no size to check first; the reader still stops.
        if (!QFileInfo::exists("/dev/zero"))
            QSKIP("sin /dev/zero");
        MensajesGuion m;
        PoliticaFallas p(m, {});
        const auto l = LeerArchivoTrabajo("/dev/zero", {}, {}, p);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::NoEsTrabajo);
    }

    void numeroDanadoAbandonaLaLectura() {
        MensajesGuion m;
        QStringList b = Cabecera() + Bloque(0, " uno ", " 9 ");
        const LecturaTrabajo l = LeerBytes(Lineas(b), m);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Abandonado);
        QCOMPARE(m.mostrados.size(), 1);
        QCOMPARE(m.mostrados[0].titulo, QStringLiteral("ERROR"));
        QVERIFY(m.mostrados[0].texto.contains("El número del error es = 13"));
        QVERIFY(m.mostrados[0].texto.contains("uno"));
    }

    // A failure inside a job file says, after its message, the line and the
    // field that could not be read.
    void fallaNombraLineaYCampo_data() {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<QString>("mensaje"); // the start of the message shown
        QTest::addColumn<QString>("lugar");   // its last line
        QStringList inicio = Cabecera() + Bloque(0, " uno ", " 9 ");
        QTest::newRow("número de un cuadro")
            << Lineas(inicio) << "Ha ocurrido un error\rEl número del error es = 13\r"
            << "Línea 19 de t.zul, campo Inicio del cuadro Nº 1";
        QStringList segundo = Cabecera() + Bloque(0, " 1 ", " 9 ") + Bloque(1, " 1 ", " 9 ");
        segundo[7 + 22 + 1 + 8] = " 99999 "; // Cifras of the second box
        QTest::newRow("desbordamiento en el segundo cuadro")
            << Lineas(segundo) << "Ha ocurrido un error\rEl número del error es = 6\r"
            << "Línea 39 de t.zul, campo Cifras del cuadro Nº 2";
        QTest::newRow("fin de archivo en la cabecera")
            << Lineas(Cabecera().mid(0, 4))
            << "Este archivo tiene un marcador no estándar de fin de archivo"
            << "Línea 5 de t.zul, campo HAlto";
        QTest::newRow("zoom") << Lineas(Cabecera(" x ")) << "Ha ocurrido un error\r"
                              << "Línea 7 de t.zul, campo Zoom";
        QStringList largo = Cabecera() + Bloque(0, " 1 ", " 9 ", QString(70000, u'x'));
        QTest::newRow("texto demasiado largo")
            << Lineas(largo) << "Ha ocurrido un error\rEl número del error es = 13\r"
            << "Línea 24 de t.zul, campo TextoIzq del cuadro Nº 1";
        // A line too long for the reader, in the header and at either end of
        // a block: the same failure, each at its own line and field.
        const QString kLarga = "Ha ocurrido un error\rEl número del error es = 13\rNo coinciden "
                               "los tipos: la línea es demasiado larga.\r";
        QStringList cabeceraLarga = Cabecera() + Bloque(0, " 1 ", " 9 ");
        cabeceraLarga[2] = QString(70000, u'7');
        QTest::newRow("línea larga en la cabecera")
            << Lineas(cabeceraLarga) << kLarga << "Línea 3 de t.zul, campo AnchoCuadro";
        QStringList primerCampo = Cabecera() + Bloque(0, " 1 ", " 9 ") + Bloque(1, " 1 ", " 9 ");
        primerCampo[7 + 22 + 2] = QString(70000, u'F'); // FontBold of the second box
        QTest::newRow("línea larga en el primer campo")
            << Lineas(primerCampo) << kLarga << "Línea 32 de t.zul, campo FontBold del cuadro Nº 2";
        QStringList ultimoCampo = Cabecera() + Bloque(0, " 1 ", " 9 ");
        ultimoCampo[7 + 21] = QString(70000, u'9'); // ColorFondo
        QTest::newRow("línea larga en el último campo")
            << Lineas(ultimoCampo) << kLarga
            << "Línea 29 de t.zul, campo ColorFondo del cuadro Nº 1";
    }
    void fallaNombraLineaYCampo() {
        QFETCH(QByteArray, datos);
        QFETCH(QString, mensaje);
        QFETCH(QString, lugar);
        MensajesGuion m;
        m.respuestas = {Respuesta::Anular};
        QCOMPARE(LeerBytes(datos, m).resultado, LecturaTrabajo::Resultado::Abandonado);
        QCOMPARE(m.mostrados.size(), 1);
        const QString texto = m.mostrados[0].texto;
        QVERIFY2(texto.startsWith(mensaje), qPrintable(texto));
        QVERIFY2(texto.endsWith(u'\r' + lugar), qPrintable(texto));
    }

    // Legacy jobs in Windows-1252 whose texts hold byte pairs that are also
    // valid UTF-8 ("Ã©"): the encoding is decided for the whole file, and a
    // save gives back the very same bytes.
    void legadoIdaYVueltaExacta_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("texto"); // TextoIzq of the first box
        QTest::newRow("pares y Nº") << "legado_pares.zul" << QStringLiteral("CafÃ© ");
        QTest::newRow("€ en la última línea")
            << "legado_euro_al_final.zul" << QStringLiteral("NiÃ±o ");
    }
    void legadoIdaYVueltaExacta() {
        QFETCH(QString, archivo);
        const QByteArray original = Leer(QStringLiteral(VELQUIRA_FIXTURES_DIR) + u'/' + archivo);
        QVERIFY(!original.isEmpty());
        MensajesGuion m;
        const LecturaTrabajo l = LeerBytes(original, m);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QTEST(l.cuadros[0].TextoIzq, "texto");
        Estado e;
        e.Trabajo = l.hoja;
        e.Cuadros = l.cuadros;
        QCOMPARE(SerializarTrabajo(e, QLocale(QLocale::Spanish, QLocale::Spain)), original);
    }

    // A file written elsewhere in UTF-8 is still read as such, every line.
    void archivoUtf8() {
        QByteArray datos = Lineas(Cabecera());
        for (const QString& l :
             Bloque(0, " 1 ", " 9 ", "Nº ", " €") + Bloque(1, " 1 ", " 9 ", "Ã©"))
            datos += l.toUtf8() + "\r\n";
        MensajesGuion m;
        const LecturaTrabajo l = LeerBytes(datos, m);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QCOMPARE(l.cuadros[0].TextoIzq, QStringLiteral("Nº "));
        QCOMPARE(l.cuadros[0].TextoDer, QStringLiteral(" €"));
        QCOMPARE(l.cuadros[1].TextoIzq, QStringLiteral("Ã©"));
    }

    void finDeArchivoEnCabeceraSePuedeOmitir() {
        // Ignore on "past end of file" keeps the previous values.
        MensajesGuion m;
        m.respuestas = {Respuesta::Omitir, Respuesta::Omitir, Respuesta::Omitir};
        const LecturaTrabajo l = LeerBytes(Lineas(Cabecera().mid(0, 4)), m);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Leido);
        QCOMPARE(l.hoja.HAlto, 15842); // the stored Carta
        QCOMPARE(m.mostrados.size(), 3);
        // Abort abandons the read; it never ends the program.
        MensajesGuion m2;
        m2.respuestas = {Respuesta::Anular};
        QCOMPARE(LeerBytes(Lineas(Cabecera().mid(0, 4)), m2).resultado,
                 LecturaTrabajo::Resultado::Abandonado);
    }

    void archivoInexistenteNoSeReintentaSinFin() {
        MensajesGuion m;
        PoliticaFallas p(m, [] { QFAIL("no debe terminar"); });
        const auto l = LeerArchivoTrabajo("/no/existe.zul", {}, {}, p);
        QCOMPARE(l.resultado, LecturaTrabajo::Resultado::Abandonado);
        QCOMPARE(m.mostrados.size(), 1);
        QVERIFY(m.mostrados[0].texto.contains("/no/existe.zul"));
    }

    void carpetaProtegidaConservaElAnterior() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("t.zul");
        Escribir(ruta, "anterior");
        MensajesGuion m;
        m.respuestas = {Respuesta::Cancelar};
        PoliticaFallas p(m, {});
        // Root writes anywhere, except in an immutable folder.
        const bool raiz = QProcess::execute("chattr", {"+i", dir.path()}) == 0;
        if (!raiz)
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool escrito = EscribirArchivoAtomico(ruta, "nuevo contenido", p);
        if (raiz)
            QProcess::execute("chattr", {"-i", dir.path()});
        else
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        QVERIFY(!escrito);
        QCOMPARE(m.mostrados.size(), 1);
        QCOMPARE(
            m.mostrados[0].texto,
            QStringLiteral("El archivo que intenta escribir, está protegido contra escritura"));
        QCOMPARE(Leer(ruta), QByteArray("anterior"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.zul"});
        QVERIFY(EscribirArchivoAtomico(ruta, "nuevo contenido", p));
        QCOMPARE(Leer(ruta), QByteArray("nuevo contenido"));
    }

    void discoLlenoConservaElAnterior() {
        QTemporaryDir dir;
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir.path()}) != 0)
            QSKIP("no se puede montar un disco pequeño aquí");
        const auto desmontar = qScopeGuard([&] { QProcess::execute("umount", {dir.path()}); });
        const QString ruta = dir.filePath("t.zul");
        Escribir(ruta, "anterior");
        MensajesGuion m;
        m.respuestas = {Respuesta::Omitir};
        PoliticaFallas p(m, [] { QFAIL("no debe terminar"); });
        QVERIFY(!EscribirArchivoAtomico(ruta, QByteArray(300 * 1024, 'x'), p));
        QCOMPARE(m.mostrados.size(), 1);
        QCOMPARE(m.mostrados[0].texto, QStringLiteral("Disco lleno. ¿Desea continuar?"));
        QCOMPARE(m.mostrados[0].botones, Botones::AnularReintentarOmitir);
        QCOMPARE(Leer(ruta), QByteArray("anterior"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.zul"});
        // Abort ends the save like abandon: a save never ends the program.
        m.respuestas = {Respuesta::Anular};
        QVERIFY(!EscribirArchivoAtomico(ruta, QByteArray(300 * 1024, 'x'), p));
        QCOMPARE(Leer(ruta), QByteArray("anterior"));
    }

    void escrituraEnCarpetaInexistente() {
        MensajesGuion m;
        m.respuestas = {Respuesta::Cancelar};
        PoliticaFallas p(m, {});
        QVERIFY(!EscribirArchivoAtomico("/no/existe/t.zul", "x", p));
        QCOMPARE(m.mostrados.size(), 1);
        QCOMPARE(m.mostrados[0].texto, QStringLiteral("La ruta no existe."));
        QCOMPARE(m.mostrados[0].titulo, QStringLiteral("Error de disco"));
    }

    void textoFueraDelCodigoSeAvisa() {
        Estado e;
        FijarCarta(e.Trabajo);
        AjustesMemoria vacios;
        e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        const int i = e.AgregarCuadro(Preferencias(vacios).defectosCuadro());
        e.Cuadros[i].TextoIzq = QStringLiteral("→ ");
        QList<int> perdidos;
        SerializarTrabajo(e, QLocale(), &perdidos);
        QCOMPARE(perdidos, QList<int>{1});
    }
};

// Lifecycle tests drive the whole program on fakes.
class PruebaCiclo : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString EscribirTrabajo(const QString& nombre, int cuadros) {
        QStringList l = Cabecera();
        for (int i = 0; i < cuadros; ++i)
            l += Bloque(i, QString::number(i + 1), " 100 ");
        const QString ruta = m_dir.filePath(nombre);
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(Lineas(l));
        return ruta;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void nuevoTrabajo() {
        Banco b;
        Programa& p = b.crear();
        p.barra().fijarTextoZoom("75");
        p.despachador.ejecutar("BtnNuevo");
        QVERIFY(p.documento().abierto());
        QCOMPARE(p.principal.titulo(), QStringLiteral("ZUL Velquira [Trabajo1.zul]"));
        QCOMPARE(p.documento().Trabajo().Zoom, 0.75f);
        QVERIFY(p.barra().habilitada("BtnNuevocuadro"));
        QVERIFY(p.barra().habilitada("btnguardcomo"));
        QVERIFY(!p.documento().Modificado());
    }

    void abrirYCerrarPreguntaGuardar() {
        Banco b;
        Programa& p = b.crear();
        const QString ruta = EscribirTrabajo("dos.zul", 2);
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QCOMPARE(p.principal.titulo(), QStringLiteral("ZUL Velquira [dos.zul]"));
        QCOMPARE(p.documento().RutaTrabajo(), ruta);
        QCOMPARE(p.documento().cuadrosVivos(), 2);
        // What was just read is the file: nothing to save yet.
        QVERIFY(!p.documento().Modificado());
        QCOMPARE(b.ajustes.texto(Aplicacion::Titulo, "INITDIR", {}), ruta);
        QCOMPARE(b.dialogos.titulos.last(), QStringLiteral("Abrir archivo Velquira"));
        QVERIFY(b.mensajes.mostrados.isEmpty());
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.Fin = 9; });
        QVERIFY(p.documento().Modificado());

        b.mensajes.respuestas = {Respuesta::Cancelar};
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("¿ Desea Guardar los cambios en %1 ?").arg(ruta));
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Guardar Trabajo"));
        QCOMPARE(b.mensajes.mostrados[0].botones, Botones::SiNoCancelar);
        QVERIFY(p.documento().abierto());
        QCOMPARE(p.documento().cuadrosVivos(), 2);
        QVERIFY(p.barra().habilitada("BtnGuardar"));

        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(!p.documento().abierto());
        QCOMPARE(p.principal.titulo(), QStringLiteral("ZUL Velquira"));
        QVERIFY(!p.barra().habilitada("BtnGuardar"));
        QCOMPARE(p.documento().cuadrosVivos(), 0);
        QVERIFY(p.documento().RutaTrabajo().isEmpty());

        // An untouched job closes without a question.
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        b.mensajes.mostrados.clear();
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(!p.documento().abierto());
        QVERIFY(b.mensajes.mostrados.isEmpty());
    }

    void cancelarEnLaPreguntaConservaLaHojaDelTrabajo() {
        Banco b;
        Programa& p = b.crear();
        const QString ruta = m_dir.filePath("a4.zul");
        QStringList l = Cabecera();
        l[4] = " 16839 "; // A4 portrait
        l[5] = " 11907 ";
        l += Bloque(0, "1", "5");
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(Lineas(l));
        f.close();
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QCOMPARE(p.documento().Trabajo().HName, QStringLiteral("A4"));
        p.documento().cambiarCuadro(0, [](Cuadro& c) { c.Fin = 6; });
        b.mensajes.respuestas = {Respuesta::Cancelar};
        p.despachador.ejecutar("BtnNuevo");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(p.documento().Trabajo().HName, QStringLiteral("A4"));
        QCOMPARE(p.documento().Trabajo().HAlto, 16839);
        QCOMPARE(p.principal.titulo(), QStringLiteral("ZUL Velquira [a4.zul]"));
    }

    void guardarComoYGuardar() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        AjustesMemoria vacios;
        const int i = p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), {});
        p.documento().cambiarCuadro(i, [&](Cuadro& c) { c.Fin = 50; });
        const QString ruta = m_dir.filePath("nuevo.zul");
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnGuardar"); // no path yet: Save As
        QCOMPARE(b.dialogos.titulos.last(), QStringLiteral("Guardar archivo Velquira"));
        QCOMPARE(b.dialogos.inicios.last(), QStringLiteral("Trabajo1.zul"));
        QCOMPARE(p.documento().RutaTrabajo(), ruta);
        QCOMPARE(p.principal.titulo(), QStringLiteral("ZUL Velquira [nuevo.zul]"));
        QVERIFY(!p.documento().Modificado()); // saved, whatever the way
        QVERIFY(QFileInfo::exists(ruta));

        p.documento().cambiarCuadro(i, [&](Cuadro& c) { c.Fin = 60; });
        p.despachador.ejecutar("BtnGuardar");
        QVERIFY(!p.documento().Modificado());
        MensajesGuion m;
        const LecturaTrabajo l = LeerBytes(Leer(ruta), m);
        QCOMPARE(l.cuadros[0].Fin, 60.0);
    }

    void guardarFallidoNoPierdeNada() {
        Banco b;
        Programa& p = b.crear();
        const QString ruta = EscribirTrabajo("fallo.zul", 1);
        const QByteArray antes = Leer(ruta);
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        p.documento().cambiarCuadro(0, [&](Cuadro& c) { c.Fin = 7; });
        p.documento().fijarRuta(m_dir.filePath("no/existe/fallo.zul"));
        b.mensajes.respuestas = {Respuesta::Cancelar, Respuesta::Aceptar};
        p.despachador.ejecutar("BtnGuardar");
        QVERIFY(p.documento().Modificado());
        QCOMPARE(b.mensajes.titulos(), (QStringList{"Error de disco", "Guardar Trabajo"}));
        QCOMPARE(Leer(ruta), antes);

        // A save that fails from the close prompt keeps the job open.
        b.mensajes.respuestas = {Respuesta::Si, Respuesta::Cancelar, Respuesta::Aceptar};
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QVERIFY(p.documento().abierto());
        QCOMPARE(p.documento().Cuadros()[0].Fin, 7.0);
    }

    void textoQueNoCabeSePregunta() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        AjustesMemoria vacios;
        const int i = p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), {});
        p.documento().cambiarCuadro(i, [&](Cuadro& c) { c.TextoIzq = QStringLiteral("✓ "); });
        p.documento().fijarRuta(m_dir.filePath("simbolo.zul"));
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnGuardar");
        QVERIFY(!QFileInfo::exists(p.documento().RutaTrabajo()));
        QVERIFY(p.documento().Modificado());
        QVERIFY(b.mensajes.mostrados[0].texto.contains("Cuadro 1"));
        b.mensajes.respuestas = {Respuesta::Si};
        p.despachador.ejecutar("BtnGuardar");
        QVERIFY(QFileInfo::exists(p.documento().RutaTrabajo()));
        QVERIFY(!p.documento().Modificado());
    }

    void archivoQueNoEsTrabajo() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        const QString ruta = m_dir.filePath("otro.zul");
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write("no soy un trabajo\r\n");
        f.close();
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("El archivo no es un archivo de Velquira válido"));
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Error de carga"));
        QCOMPARE(b.mensajes.mostrados[0].icono, Icono::Critico);
        QVERIFY(!p.documento().abierto());
        QVERIFY(p.documento().RutaTrabajo().isEmpty());
        QCOMPARE(p.principal.titulo(), QStringLiteral("ZUL Velquira"));
        QVERIFY(!p.barra().habilitada("BtnGuardar"));
    }

    // A cut job opens with a warning naming the box, so what it holds can be
    // saved, but never as if it were whole.
    void trabajoIncompletoSeAbreConAviso() {
        Banco b;
        Programa& p = b.crear();
        b.dialogos.rutas = {CopiaFixture("danados/cortado.zul")};
        p.despachador.ejecutar("BtnAbrir");
        QVERIFY(p.documento().abierto());
        QCOMPARE(p.documento().cuadrosVivos(), 2);
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("El archivo está incompleto: al cuadro Nº 2 le faltan datos"));
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Archivo incompleto"));
        QCOMPARE(b.mensajes.mostrados[0].icono, Icono::Exclamacion);
    }

    // A job the reader would refuse is never written: the old file stays.
    void noSeGuardaLoQueNoSePuedeLeer_data() {
        QTest::addColumn<QString>("cambio");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("texto") << "texto"
                               << "El cuadro Nº 2 tiene un texto de más de 65.536 caracteres.";
        QTest::newRow("letra") << "letra"
                               << "El cuadro Nº 2 tiene un tamaño de letra fuera de límites.";
        QTest::newRow("hoja") << "hoja"
                              << "La hoja mide más de 500 Cmts o nada.";
    }
    void noSeGuardaLoQueNoSePuedeLeer() {
        QFETCH(QString, cambio);
        QFETCH(QString, motivo);
        Banco b;
        Programa& p = b.crear();
        const QString ruta = EscribirTrabajo("no_legible.zul", 2);
        const QByteArray antes = Leer(ruta);
        b.dialogos.rutas = {ruta};
        p.despachador.ejecutar("BtnAbrir");
        if (cambio == u"texto")
            p.documento().cambiarCuadro(
                1, [](Cuadro& c) { c.TextoIzq = QString(kMaxLinea + 1, u'x'); });
        else if (cambio == u"letra")
            p.documento().cambiarCuadro(1, [](Cuadro& c) { c.FontSize = 2000; });
        else
            CambiarHoja(p.documento(), [&](Trabajo& h) { h.HAncho = kMaxLadoHoja + 1; });
        p.despachador.ejecutar("BtnGuardar");
        QVERIFY(p.documento().Modificado());
        QCOMPARE(Leer(ruta), antes);
        QCOMPARE(b.mensajes.mostrados.size(), 1);
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("El trabajo no se ha guardado: el archivo no podría volver a "
                                "abrirse.\r") +
                     motivo);
        QCOMPARE(b.mensajes.mostrados[0].titulo, QStringLiteral("Guardar Trabajo"));
    }

    void abrirCancelado() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        p.despachador.ejecutar("BtnAbrir"); // the dialog answers Cancel
        QVERIFY(!p.documento().abierto());
        QVERIFY(!p.barra().habilitada("BtnCerrarTrabajo"));
        QCOMPARE(p.principal.panel(2), QStringLiteral("Carta (21,59 x 27,94 Cmts)"));
    }

    // As a shell passes it (quoted), as the desktop's menu passes it (%f: the
    // bare path, spaces and all), as a file manager may (a file:// URL, its
    // characters percent-encoded), and the bare name in the current folder.
    void lineaDeComandos_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("forma");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("ruta con comillas") << "linea.zul"
                                           << "comillas"
                                           << "ZUL Velquira [linea.zul]";
        QTest::newRow("solo el nombre") << "linea.zul"
                                        << "nombre"
                                        << "ZUL Velquira®";
        QTest::newRow("ruta sin comillas, con espacios") << "línea 2.zul"
                                                         << "ruta"
                                                         << "ZUL Velquira [línea 2.zul]";
        QTest::newRow("URL file://") << "línea 2.zul"
                                     << "url"
                                     << "ZUL Velquira [línea 2.zul]";
    }
    void lineaDeComandos() {
        QFETCH(QString, nombre);
        QFETCH(QString, forma);
        Banco b;
        Programa& p = b.crear();
        const QString ruta = EscribirTrabajo(nombre, 1);
        QString linea = ruta;
        if (forma == u"nombre")
            linea = nombre;
        else if (forma == u"comillas")
            linea = u'"' + ruta + QStringLiteral("\"  ");
        else if (forma == u"url")
            linea = QString::fromLatin1(QUrl::fromLocalFile(ruta).toEncoded());
        const QString antes = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        p.ciclo.AbrirLineaComandos(linea);
        QDir::setCurrent(antes);
        QVERIFY(p.documento().abierto());
        QCOMPARE(p.documento().cuadrosVivos(), 1);
        QCOMPARE(QDir(m_dir.path()).absoluteFilePath(p.documento().RutaTrabajo()), ruta);
        QVERIFY(b.mensajes.mostrados.isEmpty());
        QTEST(p.principal.titulo(), "titulo");
    }

    void salirConCancelarSigueAbierto() {
        Banco b;
        Programa& p = b.crear();
        bool terminado = false;
        QObject::connect(&p.principal, &Principal::terminar, [&] { terminado = true; });
        p.despachador.ejecutar("BtnNuevo");
        AjustesMemoria vacios;
        p.documento().agregarCuadro(Preferencias(vacios).defectosCuadro(), {});
        b.mensajes.respuestas = {Respuesta::Cancelar};
        p.despachador.ejecutar("BtnSalir");
        QVERIFY(!terminado);
        QVERIFY(p.documento().abierto());
        QCOMPARE(b.mensajes.mostrados[0].texto,
                 QStringLiteral("¿ Desea Guardar el trabajo en curso ?"));
        b.mensajes.respuestas = {Respuesta::No};
        p.despachador.ejecutar("BtnSalir");
        QVERIFY(terminado);
    }

    void cerrarGuardaLasVistas() {
        Banco b;
        Programa& p = b.crear();
        p.despachador.ejecutar("BtnNuevo");
        p.barra().fijarPulsada("BtnRegla", false);
        p.barra().fijarPulsada("BtnEjes", true);
        p.despachador.ejecutar("BtnCerrarTrabajo");
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "UltRegla", {}), QStringLiteral("0"));
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "UltEjes", {}), QStringLiteral("1"));
        QCOMPARE(b.ajustes.texto(Aplicacion::Producto, "UltMargen", {}), QStringLiteral("0"));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    int r = 0;
    PruebaTrabajo t;
    r |= QTest::qExec(&t, argc, argv);
    PruebaCiclo c;
    r |= QTest::qExec(&c, argc, argv);
    return r;
}

#include "test_trabajo.moc"
