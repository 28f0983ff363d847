// The form's picture under the boxes: reading each kind of file (and
// refusing damaged ones), remembering it per job in the settings, drawing it
// in the editor and the preview, and never putting it in the job file or in
// anything printed.
#include "core/programa/Herramientas.h"
#include "core/programa/Programa.h"
#include "fakes/Fakes.h"
#include "platform/AjustesQt.h"
#include "platform/DialogosImpresionQt.h"
#include "platform/ImpresoraQt.h"
#include "platform/LectorImagenesQt.h"
#include "ui/FrmDrag.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {
// A sheet-shaped picture: white, with a red block over its top-left quarter.
QImage Formulario(QSize tamano = {600, 848}) {
    QImage i(tamano, QImage::Format_RGB32);
    i.fill(Qt::white);
    QPainter(&i).fillRect(QRect(0, 0, tamano.width() / 2, tamano.height() / 2), Qt::red);
    return i;
}

void EscribirPdf(const QString& ruta) {
    QPdfWriter pdf(ruta);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins({});
    pdf.setResolution(72);
    QPainter p(&pdf);
    const QRect pagina = p.viewport();
    p.fillRect(QRect(0, 0, pagina.width() / 2, pagina.height() / 2), Qt::red);
    pdf.newPage(); // only the first page counts
    p.fillRect(pagina, Qt::blue);
}

// Red where the form is red, at any fade: red stays full, green and blue drop.
bool Rojizo(QRgb c) {
    return qRed(c) > 230 && qGreen(c) < qRed(c) - 40 && qBlue(c) < qRed(c) - 40;
}
bool Blanco(QRgb c) {
    return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240;
}

// The pages' images in a PDF file, as poppler's pdfimages lists them (its
// two heading lines left out).
QStringList ImagenesPdf(const QString& ruta) {
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), ruta});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {QStringLiteral("pdfimages falló: ") + QString::fromUtf8(p.readAllStandardError())};
    QStringList lineas =
        QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    return lineas.mid(2);
}

void AlAbrirse(std::function<void(QWidget*)> paso) {
    auto* reloj = new QTimer;
    reloj->setInterval(20);
    QObject::connect(reloj, &QTimer::timeout, [reloj, paso] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        reloj->stop();
        reloj->deleteLater();
        paso(w);
    });
    reloj->start();
}

// A whole program on fakes, but with the real picture reader and, when
// asked, the real printers (for PDF exports).
struct Taller {
    AjustesMemoria ajustes;
    MensajesGuion mensajes;
    DialogosGuion dialogos;
    PortapapelesMemoria portapapeles;
    CatalogoFalso falsas;
    CatalogoImpresorasQt reales;
    DialogosImpresionFalsos dialogosImpresion;
    LectorImagenesQt lector;
    std::unique_ptr<Programa> programa;

    explicit Taller(bool impresorasReales = false) {
        falsas.lista = {"Laser"};
        falsas.defecto = "Laser";
        CatalogoImpresoras& catalogo =
            impresorasReales ? static_cast<CatalogoImpresoras&>(reales) : falsas;
        Servicios s{ajustes, mensajes, dialogos, portapapeles, catalogo, dialogosImpresion};
        s.lectorImagenes = &lector;
        programa = std::make_unique<Programa>(s);
    }
    Programa& p() { return *programa; }
    FondoHoja& fondo() { return programa->fondo; }
    // A new job with one box printing 1 to 3.
    void nuevo() {
        p().despachador.ejecutar(herramienta::BtnNuevo);
        const int i = p().documento().agregarCuadro(p().preferencias().defectosCuadro(), {});
        p().documento().cambiarCuadro(i, [](Cuadro& c) {
            c.Fin = 3;
            c.PosX = 1000;
            c.PosY = 1000;
        });
    }
    void ejecutar(const QString& id, std::optional<QString> ruta = std::nullopt) {
        if (ruta)
            dialogos.rutas = {*ruta};
        p().despachador.ejecutar(id);
    }
};
} // namespace

class PruebaFondo : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString archivo(const QString& nombre) const { return m_dir.filePath(nombre); }
    // Good pictures of each kind, and damaged ones, in the test's folder.
    QString png() const { return archivo(QStringLiteral("formulario.png")); }
    QString jpeg() const { return archivo(QStringLiteral("formulario.jpg")); }
    QString pdf() const { return archivo(QStringLiteral("formulario.pdf")); }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        QVERIFY(m_dir.isValid());
        QVERIFY(Formulario().save(png()));
        QVERIFY(Formulario().save(jpeg(), "JPEG", 90));
        EscribirPdf(pdf());
        QVERIFY(Formulario().save(archivo("png-con-nombre.jpg"), "PNG"));
        QVERIFY(Formulario({2480, 3508}).save(archivo("escaneo300.png")));
        QFile png(this->png());
        QVERIFY(png.open(QIODevice::ReadOnly));
        const QByteArray bytes = png.readAll();
        const auto escribir = [&](const char* nombre, const QByteArray& datos) {
            QFile f(archivo(QString::fromLatin1(nombre)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(datos);
        };
        escribir("cortado.png", bytes.left(bytes.size() / 3));
        escribir("vacio.png", {});
        escribir("texto.png", "esto no es una imagen\n");
        escribir("danado.pdf", "%PDF-1.4\n1 0 obj << /Type /Catalog >>\nbasura\n");
        QByteArray jpegDanado;
        {
            QFile j(jpeg());
            QVERIFY(j.open(QIODevice::ReadOnly));
            jpegDanado = j.read(200);
        }
        escribir("cortado.jpg", jpegDanado);
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("carpeta.png")));
    }

    // Each kind of file reads as the form, the right way up, reduced to the
    // size asked and never enlarged.
    void leeCadaClase_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("maxLado");
        QTest::addColumn<QSize>("tamano");
        QTest::newRow("png") << "formulario.png" << 3600 << QSize(600, 848);
        QTest::newRow("png reducido") << "formulario.png" << 424 << QSize(300, 424);
        QTest::newRow("jpeg") << "formulario.jpg" << 3600 << QSize(600, 848);
        QTest::newRow("jpeg reducido") << "formulario.jpg" << 212 << QSize(150, 212);
        QTest::newRow("png llamado jpg") << "png-con-nombre.jpg" << 3600 << QSize(600, 848);
        QTest::newRow("escaneo 300 ppp") << "escaneo300.png" << 3600 << QSize(2480, 3508);
        // A4 is 595 x 842 points; the first page is drawn at up to 4 pixels a point.
        QTest::newRow("pdf") << "formulario.pdf" << 3600 << QSize(2380, 3368);
        QTest::newRow("pdf reducido") << "formulario.pdf" << 842 << QSize(595, 842);
    }
    void leeCadaClase() {
        QFETCH(QString, nombre);
        QFETCH(int, maxLado);
        QFETCH(QSize, tamano);
        LectorImagenesQt lector;
        QString error;
        const QImage i = lector.leer(archivo(nombre), maxLado, &error);
        QVERIFY2(!i.isNull(), qPrintable(error));
        QVERIFY(error.isEmpty());
        QVERIFY2(qAbs(i.width() - tamano.width()) <= 2 && qAbs(i.height() - tamano.height()) <= 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(i.width()).arg(i.height())));
        QVERIFY(Rojizo(i.pixel(i.width() / 4, i.height() / 4)));
        QVERIFY(Blanco(i.pixel(i.width() * 3 / 4, i.height() * 3 / 4)));
        QVERIFY(Blanco(i.pixel(i.width() * 3 / 4, i.height() / 4)));
    }

    // Whatever cannot be read gives a null picture and a Spanish reason
    // naming the file; nothing crashes.
    void rechazaLoQueNoSePuedeLeer_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("no existe") << "no-existe.png"
                                   << "No se encuentra";
        QTest::newRow("png cortado") << "cortado.png"
                                     << "dañada";
        QTest::newRow("jpeg cortado") << "cortado.jpg"
                                      << "dañada";
        QTest::newRow("vacío") << "vacio.png"
                               << "";
        QTest::newRow("texto") << "texto.png"
                               << "no es una imagen";
        QTest::newRow("pdf dañado") << "danado.pdf"
                                    << "no es un PDF";
        QTest::newRow("carpeta") << "carpeta.png"
                                 << "No se puede leer";
    }
    void rechazaLoQueNoSePuedeLeer() {
        QFETCH(QString, nombre);
        QFETCH(QString, motivo);
        LectorImagenesQt lector;
        QString error;
        QVERIFY(lector.leer(archivo(nombre), 3600, &error).isNull());
        QVERIFY2(error.contains(motivo) && error.contains(nombre), qPrintable(error));
    }

    // A new job keeps its picture for the session; the first save stores it
    // under the job's path, reopening shows it, "Guardar como" takes it to
    // the new file, and "Quitar" forgets it. Paths with "=", "[" and spaces.
    void fondoSigueAlTrabajo() {
        Taller t;
        BarraHerramientas& barra = t.p().barra();
        QVERIFY(!barra.habilitada(herramienta::BtnImagenFondo));
        t.nuevo();
        QVERIFY(barra.habilitada(herramienta::BtnImagenFondo));
        QVERIFY(!barra.habilitada(herramienta::BtnQuitarFondo));
        t.ejecutar(herramienta::BtnImagenFondo, png());
        QCOMPARE(t.dialogos.titulos.last(), QStringLiteral("Imagen de fondo"));
        QVERIFY(!t.fondo().imagen().isNull());
        QCOMPARE(t.fondo().ruta(), png());
        QVERIFY(barra.habilitada(herramienta::BtnQuitarFondo));
        QVERIFY(!t.ajustes.valores().values().contains(png())); // no path to keep it under yet

        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("a=b [c]")));
        const QString primero = archivo(QStringLiteral("a=b [c]/tra=bajo [1].zul"));
        t.ejecutar(herramienta::BtnGuardar, primero);
        QCOMPARE(t.p().preferencias().imagenFondo(primero), png());

        t.ejecutar(herramienta::BtnCerrarTrabajo);
        QVERIFY(t.fondo().imagen().isNull());
        QVERIFY(t.fondo().ruta().isEmpty());
        QVERIFY(!barra.habilitada(herramienta::BtnQuitarFondo));

        t.ejecutar(herramienta::BtnAbrir, primero);
        QVERIFY(t.p().documento().abierto());
        QCOMPARE(t.fondo().ruta(), png());
        QVERIFY(!t.fondo().imagen().isNull());

        const QString segundo = archivo(QStringLiteral("segundo.zul"));
        t.ejecutar(herramienta::BtnGuardComo, segundo);
        QCOMPARE(t.p().preferencias().imagenFondo(segundo), png());
        QCOMPARE(t.p().preferencias().imagenFondo(primero), png()); // the old file keeps its own

        t.ejecutar(herramienta::BtnQuitarFondo);
        QVERIFY(t.fondo().imagen().isNull());
        QVERIFY(t.p().preferencias().imagenFondo(segundo).isEmpty());
        QVERIFY(!barra.habilitada(herramienta::BtnQuitarFondo));
        QCOMPARE(t.p().preferencias().imagenFondo(primero), png());
        QVERIFY(t.mensajes.mostrados.isEmpty());
    }

    // A job saved under a name that another job had: that job's picture is
    // not taken over.
    void guardarEncimaNoHeredaElFondo() {
        Taller t;
        const QString ruta = archivo(QStringLiteral("encima.zul"));
        t.p().preferencias().fijarImagenFondo(ruta, png());
        t.nuevo();
        t.ejecutar(herramienta::BtnGuardar, ruta);
        QVERIFY(t.p().preferencias().imagenFondo(ruta).isEmpty());
    }

    // A picture that is gone or damaged when the job opens: one message, a
    // white sheet, the job open; the setting stays for when the file comes
    // back, until "Quitar" forgets it. Zooming asks nothing more.
    void fondoPerdidoAlAbrir_data() {
        QTest::addColumn<QString>("imagen");
        QTest::newRow("no existe") << "ya-no-existe.png";
        QTest::newRow("dañada") << "cortado.png";
        QTest::newRow("pdf dañado") << "danado.pdf";
    }
    void fondoPerdidoAlAbrir() {
        QFETCH(QString, imagen);
        Taller t;
        t.nuevo();
        const QString ruta = archivo(QStringLiteral("perdido-%1.zul").arg(QTest::currentDataTag()));
        t.ejecutar(herramienta::BtnGuardar, ruta);
        t.ejecutar(herramienta::BtnCerrarTrabajo);
        t.p().preferencias().fijarImagenFondo(ruta, archivo(imagen));

        t.ejecutar(herramienta::BtnAbrir, ruta);
        QVERIFY(t.p().documento().abierto());
        QCOMPARE(t.mensajes.mostrados.size(), 1);
        QCOMPARE(t.mensajes.mostrados[0].titulo, QStringLiteral("Imagen de fondo"));
        QVERIFY2(t.mensajes.mostrados[0].texto.contains(imagen) &&
                     t.mensajes.mostrados[0].texto.contains(QStringLiteral("en blanco")),
                 qPrintable(t.mensajes.mostrados[0].texto));
        QVERIFY(t.fondo().imagen().isNull());
        QCOMPARE(t.fondo().ruta(), archivo(imagen));
        t.p().PasoZoom(1);
        t.p().PasoZoom(1);
        QCOMPARE(t.mensajes.mostrados.size(), 1);
        QCOMPARE(t.p().preferencias().imagenFondo(ruta), archivo(imagen));
        QVERIFY(t.p().barra().habilitada(herramienta::BtnQuitarFondo));
        t.ejecutar(herramienta::BtnQuitarFondo);
        QVERIFY(t.p().preferencias().imagenFondo(ruta).isEmpty());
    }

    // Choosing a file that cannot be read keeps the picture there was.
    void elegirImagenDanadaDejaLaAnterior() {
        Taller t;
        t.nuevo();
        const QString ruta = archivo(QStringLiteral("anterior.zul"));
        t.ejecutar(herramienta::BtnGuardar, ruta);
        t.ejecutar(herramienta::BtnImagenFondo, jpeg());
        QVERIFY(!t.p().documento().Modificado()); // the picture is no change to the job
        const quint64 version = t.fondo().version();
        t.ejecutar(herramienta::BtnImagenFondo, archivo("texto.png"));
        QCOMPARE(t.mensajes.mostrados.size(), 1);
        QCOMPARE(t.fondo().ruta(), jpeg());
        QCOMPARE(t.fondo().version(), version);
        QVERIFY(!t.fondo().imagen().isNull());
        QCOMPARE(t.p().preferencias().imagenFondo(ruta), jpeg());
        // Cancelling the dialog changes nothing either.
        t.ejecutar(herramienta::BtnImagenFondo);
        QCOMPARE(t.fondo().ruta(), jpeg());
    }

    // The job file is the same, byte for byte, with or without a picture.
    void archivoIgualConYSinFondo() {
        Taller t;
        t.nuevo();
        const QString sin = archivo(QStringLiteral("sin-fondo.zul"));
        const QString con = archivo(QStringLiteral("con-fondo.zul"));
        t.ejecutar(herramienta::BtnGuardar, sin);
        t.ejecutar(herramienta::BtnImagenFondo, pdf());
        QVERIFY(!t.fondo().imagen().isNull());
        t.ejecutar(herramienta::BtnGuardComo, con);
        t.ejecutar(herramienta::BtnGuardar);
        QFile a(sin), b(con);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray datos = b.readAll();
        QCOMPARE(datos, a.readAll());
        QVERIFY(!datos.contains("formulario"));
    }

    // The settings files keep any path as it was; paths that differ only in
    // case are two jobs; the oldest of too many is forgotten.
    void ajustesGuardanCualquierRuta() {
        QTemporaryDir carpeta;
        const QString trabajo = QStringLiteral("/tmp/a=b/[Sección]/tra;bajo #1 .zul");
        const QString imagen = QStringLiteral("/srv/formas/=raro [x] ;\"comillas\".png");
        {
            AjustesQt ajustes(carpeta.path());
            Preferencias pref(ajustes);
            pref.fijarImagenFondo(trabajo, imagen);
            pref.fijarImagenFondo(QStringLiteral("/tmp/a=b/[sección]/tra;bajo #1 .zul"), png());
        }
        AjustesQt ajustes(carpeta.path());
        Preferencias pref(ajustes);
        QCOMPARE(pref.imagenFondo(trabajo), imagen);
        QCOMPARE(pref.imagenFondo(QStringLiteral("/tmp/a=b/[sección]/tra;bajo #1 .zul")), png());
        for (int i = 0; i < Preferencias::kMaxImagenesFondo; ++i)
            pref.fijarImagenFondo(QStringLiteral("/t/%1.zul").arg(i), png());
        QVERIFY(pref.imagenFondo(trabajo).isEmpty());
        QCOMPARE(pref.imagenFondo(QStringLiteral("/t/0.zul")), png());
        QCOMPARE(
            pref.imagenFondo(QStringLiteral("/t/%1.zul").arg(Preferencias::kMaxImagenesFondo - 1)),
            png());
    }

    // A PDF export of a job with a picture holds no image, whichever writer
    // makes it; nor does a printer object that was told about a picture
    // outside a preview.
    void exportarNoLlevaImagen_data() {
        QTest::addColumn<bool>("motorQt");
        QTest::newRow("escritor propio") << false;
        QTest::newRow("motor de Qt") << true;
    }
    void exportarNoLlevaImagen() {
        QFETCH(bool, motorQt);
        if (motorQt)
            qputenv("VELQUIRA_PDF", "qt");
        const auto volver = qScopeGuard([] { qunsetenv("VELQUIRA_PDF"); });
        Taller t(true);
        t.nuevo();
        t.ejecutar(herramienta::BtnImagenFondo, png());
        QVERIFY(!t.fondo().imagen().isNull());
        const QString salida = archivo(QStringLiteral("exportado-%1.pdf").arg(motorQt));
        t.ejecutar(herramienta::BtnExportarPdf, salida);
        QVERIFY2(QFile::exists(salida), qPrintable(t.mensajes.titulos().join(", ")));
        QCOMPARE(ImagenesPdf(salida), QStringList());
    }
    void impresoraFueraDeVistaNoDibujaElFondo() {
        const QString salida = archivo(QStringLiteral("impresora.pdf"));
        {
            ImpresoraPdf imp(salida, 11907, 16840);
            imp.fijarFondoVista(Formulario(), QRectF(0, 0, 11907, 16840));
            imp.fijarPosicion(1000, 1000);
            imp.imprimirTexto(QStringLiteral("123"));
            imp.nuevaPagina();
            imp.imprimirTexto(QStringLiteral("124"));
            imp.terminarDocumento();
        }
        QVERIFY(QFile::exists(salida));
        QCOMPARE(ImagenesPdf(salida), QStringList());
    }

    // The preview is handed the picture where the sheet lies under the
    // run's correction and margin.
    void vistaRecibeElFondoDondeCaeLaHoja() {
        struct Dialogos : DialogosImpresionFalsos {
            std::optional<FondoVista> fondo;
            void vistaPreliminarConFondo(Impresora& imp, const RangoHojas& hojas, qint32 tirada,
                                         const FondoVista& f,
                                         const std::function<void(Impresora&)>& dibujar) override {
                fondo = f;
                vistaPreliminar(imp, hojas, tirada, dibujar);
            }
        };
        AjustesMemoria ajustes;
        MensajesGuion mensajes;
        DialogosGuion dialogos;
        PortapapelesMemoria portapapeles;
        CatalogoFalso impresoras;
        impresoras.lista = {"Laser"};
        impresoras.defecto = "Laser";
        Dialogos dialogosImpresion;
        LectorImagenesQt lector;
        Servicios s{ajustes, mensajes, dialogos, portapapeles, impresoras, dialogosImpresion};
        s.lectorImagenes = &lector;
        Programa p(s);
        p.despachador.ejecutar(herramienta::BtnNuevo);
        p.documento().agregarCuadro(p.preferencias().defectosCuadro(), {500, 500});
        p.despachador.ejecutar(herramienta::BtnVistaPreliminar);
        QCOMPARE(dialogosImpresion.preliminares.size(), 1);
        QVERIFY(!dialogosImpresion.fondo); // no picture, no offer

        dialogos.rutas = {png()};
        p.despachador.ejecutar(herramienta::BtnImagenFondo);
        p.despachador.ejecutar(herramienta::BtnVistaPreliminar);
        QCOMPARE(dialogosImpresion.preliminares.size(), 2);
        QVERIFY(dialogosImpresion.fondo);
        const ImpresoraGrabadora& g = *impresoras.creadas.last();
        const auto textos = g.de("texto");
        QVERIFY(!textos.isEmpty());
        // The box at (500, 500) of the sheet prints where the sheet's corner plus 500 lies.
        const QRectF r = dialogosImpresion.fondo->twips;
        QCOMPARE(textos[0].x, r.x() + 500);
        QCOMPARE(textos[0].y, r.y() + 500);
        QCOMPARE(r.width(), double(p.documento().Trabajo().HAncho));
        QCOMPARE(r.height(), double(p.documento().Trabajo().HAlto));
        QVERIFY(!dialogosImpresion.fondo->imagen.isNull());
        QVERIFY(mensajes.mostrados.isEmpty());
    }

    // On a real queue's printer object: "Ver con el fondo" draws the picture
    // under the numbers on the preview's pages, and nothing is sent.
    void vistaPreliminarConFondo() {
        const QString cola = qEnvironmentVariable("VELQUIRA_COLA");
        if (cola.isEmpty())
            QSKIP("sin impresora de prueba (./test.sh la crea)");
        ImpresoraQt imp(cola);
        DialogosImpresionQt dialogos;
        FondoVista fondo{FondoHoja::Atenuar(Formulario()), QRectF(0, 0, 11907, 16840)};
        int rojoSin = -1, rojoCon = -1;
        const auto contarRojo = [](QWidget* vista) {
            const QImage i = vista->grab().toImage();
            int n = 0;
            for (int y = 0; y < i.height(); y += 2)
                for (int x = 0; x < i.width(); x += 2)
                    n += Rojizo(i.pixel(x, y)) ? 1 : 0;
            return n;
        };
        AlAbrirse([&](QWidget* d) {
            auto* vista = d->findChild<QPrintPreviewWidget*>();
            auto* accion = d->findChild<QAction*>(QStringLiteral("BtnVerConFondo"));
            QVERIFY(vista && accion);
            QVERIFY(accion->isCheckable() && !accion->isChecked());
            QCOMPARE(accion->text(), QStringLiteral("Ver con el fondo"));
            rojoSin = contarRojo(vista);
            accion->setChecked(true);
            QApplication::processEvents();
            rojoCon = contarRojo(vista);
            qobject_cast<QDialog*>(d)->reject();
        });
        int dibujos = 0;
        dialogos.vistaPreliminarConFondo(imp, {1, 1}, 1, fondo, [&](Impresora& vista) {
            ++dibujos;
            vista.fijarPosicion(1000, 1000);
            vista.imprimirTexto(QStringLiteral("0000001"));
        });
        QCOMPARE(rojoSin, 0);
        QVERIFY2(rojoCon > 100, qPrintable(QString::number(rojoCon)));
        QVERIFY(dibujos >= 2);
        QCOMPARE(imp.trabajoCups(), 0);
        QVERIFY(!imp.enVista());
    }

    // The editor draws the form faint under the boxes at every zoom (reduced
    // below the picture's size, enlarged above it, drawn straight from the
    // picture at the highest), and a white sheet once it is taken away.
    void editorDibujaElFondo_data() {
        QTest::addColumn<float>("zoom");
        QTest::newRow("25 %") << 0.25f;
        QTest::newRow("100 %") << 1.0f;
        QTest::newRow("400 %") << 4.0f;
        QTest::newRow("1000 %") << 10.0f;
    }
    void editorDibujaElFondo() {
        QFETCH(float, zoom);
        Mesa m;
        LectorImagenesQt lector;
        DialogosGuion dialogos;
        FondoHoja fondo(m.documento, m.preferencias, m.mensajes, dialogos, &lector);
        m.conCuadros({{5000, 5000}}, zoom);
        QVERIFY(fondo.Fijar(png()));
        VistaHoja vista(m.documento, m.editor);
        vista.fijarFondo(&fondo);
        vista.resize(vista.tamanoHoja() + QSize(40, 40));
        vista.ajustar();
        const QRect hoja(vista.origenHoja(), vista.tamanoHoja());
        const auto pixel = [&](double fx, double fy) {
            // Drawn from the exposed part only: paint just around the point.
            const QPoint punto(hoja.x() + int(hoja.width() * fx),
                               hoja.y() + int(hoja.height() * fy));
            const QRect zona(punto - QPoint(2, 2), QSize(5, 5));
            QImage i(zona.size(), QImage::Format_RGB32);
            i.fill(Qt::black);
            vista.render(&i, QPoint(), QRegion(zona));
            return i.pixel(2, 2);
        };
        const QRgb rojo = pixel(0.1, 0.45);
        QVERIFY2(Rojizo(rojo), qPrintable(QString::number(rojo, 16)));
        QVERIFY2(qGreen(rojo) > 150, qPrintable(QString::number(rojo, 16))); // faint, not full red
        QVERIFY(Blanco(pixel(0.9, 0.9)));
        // Made once for the zoom at the sheet's size, but for a sheet so
        // large on screen that it is drawn from the picture itself.
        const QSize enPantalla = vista.tamanoHoja();
        if (qint64(enPantalla.width()) * enPantalla.height() <= VistaHoja::kMaxPixelesFondo)
            QCOMPARE(vista.pixelesFondo(), qint64(enPantalla.width()) * enPantalla.height());
        else
            QCOMPARE(vista.pixelesFondo(), 0);
        fondo.Quitar();
        QVERIFY(Blanco(pixel(0.1, 0.45)));
    }
};

QTEST_MAIN(PruebaFondo)
#include "test_fondo.moc"
