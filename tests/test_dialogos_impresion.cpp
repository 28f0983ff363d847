// The print dialogs as the operator meets them: what they say, what their
// buttons read, a sheet range past the run refused with a message instead of
// being cut while it is typed, and the print preview.
#include "core/impresion/Tirada.h"
#include "fakes/Fakes.h"
#include "platform/DialogosImpresionQt.h"
#include "platform/ImpresoraQt.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

namespace {
// Runs `paso` on the next modal window shown (polling, as exec() blocks).
void AlAbrirse(std::function<void(QWidget*)> paso, QWidget* distintaDe = nullptr) {
    auto* reloj = new QTimer;
    reloj->setInterval(20);
    QObject::connect(reloj, &QTimer::timeout, [reloj, paso, distintaDe] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == distintaDe)
            return;
        reloj->stop();
        reloj->deleteLater();
        paso(w);
    });
    reloj->start();
}

QPushButton* BotonDeRol(QWidget* w, QDialogButtonBox::ButtonRole rol) {
    for (QDialogButtonBox* caja : w->findChildren<QDialogButtonBox*>())
        for (QAbstractButton* b : caja->buttons())
            if (caja->buttonRole(b) == rol)
                return qobject_cast<QPushButton*>(b);
    return nullptr;
}
} // namespace

class PruebaDialogosImpresion : public QObject {
    Q_OBJECT
private slots:
    void rangoPdfPasadoElFinalSeRechaza() {
        DialogosImpresionQt dialogos;
        QString aviso;
        bool seguiaAbierto = false;
        AlAbrirse([&](QWidget* d) {
            auto* hasta = d->findChild<QSpinBox*>("TxtHasta");
            QVERIFY(hasta);
            hasta->clear();
            QTest::keyClicks(hasta, "260");
            QCOMPARE(hasta->value(), 260); // taken as typed, not cut to "26"
            AlAbrirse(
                [&, d](QWidget* caja) {
                    aviso = qobject_cast<QMessageBox*>(caja)
                                ? qobject_cast<QMessageBox*>(caja)->text()
                                : QString();
                    qobject_cast<QDialog*>(caja)->accept();
                    QTimer::singleShot(50, d, [&, d, hasta] {
                        seguiaAbierto = d->isVisible();
                        hasta->setValue(250);
                        BotonDeRol(d, QDialogButtonBox::AcceptRole)->click();
                    });
                },
                d);
            BotonDeRol(d, QDialogButtonBox::AcceptRole)->click();
        });
        RangoHojas r;
        QVERIFY(dialogos.rangoExportacion(250, r));
        QCOMPARE(aviso, QStringLiteral("La tirada tiene 250 hojas: la hoja 260 no existe."));
        QVERIFY(seguiaAbierto);
        QCOMPARE(r.desde, 1);
        QCOMPARE(r.hasta, 250);
    }

    // A preview is as long as one preview shows, and no longer.
    void rangoVistaMasLargoSeRechaza() {
        DialogosImpresionQt dialogos;
        QString encabezado, aviso;
        AlAbrirse([&](QWidget* d) {
            encabezado = d->findChild<QLabel*>("LblHojasTirada")->text();
            auto* desde = d->findChild<QSpinBox*>("TxtDesde");
            auto* hasta = d->findChild<QSpinBox*>("TxtHasta");
            desde->setValue(1001);
            hasta->setValue(1600);
            AlAbrirse(
                [&, d, hasta](QWidget* caja) {
                    aviso = qobject_cast<QMessageBox*>(caja)->text();
                    qobject_cast<QDialog*>(caja)->accept();
                    QTimer::singleShot(0, d, [d, hasta] {
                        hasta->setValue(1500);
                        BotonDeRol(d, QDialogButtonBox::AcceptRole)->click();
                    });
                },
                d);
            BotonDeRol(d, QDialogButtonBox::AcceptRole)->click();
        });
        RangoHojas r{1, kHojasVistaPreliminar};
        QVERIFY(dialogos.rangoVistaPreliminar(5000, r));
        QCOMPARE(encabezado, QStringLiteral("La tirada tiene 5000 hojas. La vista preliminar "
                                            "muestra hasta 500 a la vez."));
        QCOMPARE(aviso, QStringLiteral("La vista preliminar muestra hasta 500 hojas a la vez: "
                                       "desde la hoja 1001 puede verse hasta la 1500."));
        QCOMPARE(r.desde, 1001);
        QCOMPARE(r.hasta, 1500);
    }

    // The preview shows each sheet of the range as a page, drawn by the
    // run's own loop on the printer object; it speaks of the run's sheets,
    // offers no way to print or to change the paper, and delivers nothing.
    void vistaPreliminarMuestraLasHojas() {
        const QString cola = qEnvironmentVariable("VELQUIRA_COLA");
        if (cola.isEmpty())
            QSKIP("sin impresora de prueba (./test.sh la crea)");
        const std::vector<Cuadro> cuadros = UnaSerie(10);
        MensajesGuion mensajes;
        PoliticaFallas politica(mensajes, {});
        Tirada t;
        t.rango = {4, 6};
        ImpresoraQt imp(cola);
        DialogosImpresionQt dialogos;
        int paginas = -1;
        QString titulo, hoja, siguiente;
        QStringList herramientas;
        AlAbrirse([&](QWidget* d) {
            titulo = d->windowTitle();
            paginas = d->findChild<QPrintPreviewWidget*>()->pageCount();
            auto* etiqueta = d->findChild<QLabel*>("LblHojaVista");
            hoja = etiqueta->text();
            for (QAction* a : d->findChildren<QAction*>())
                if (a->isVisible() && !a->text().isEmpty())
                    herramientas.append(a->text());
            for (QAction* a : d->findChildren<QAction*>())
                if (a->text() == u"Hoja siguiente")
                    a->trigger();
            siguiente = etiqueta->text();
            qobject_cast<QDialog*>(d)->reject();
        });
        Impresora* dibujadaEn = nullptr;
        dialogos.vistaPreliminar(imp, {4, 6}, 10, [&](Impresora& vista) {
            dibujadaEn = &vista;
            QCOMPARE(ImprimirHojas(cuadros, vista, t, nullptr, politica), FinTirada::Terminada);
        });
        QCOMPARE(dibujadaEn, &imp);
        QCOMPARE(paginas, 3);
        QCOMPARE(titulo, QStringLiteral("Vista preliminar — %1 — hojas 4 a 6 de 10").arg(cola));
        QCOMPARE(hoja, QStringLiteral("Hoja Nº 4 de 10"));
        QCOMPARE(siguiente, QStringLiteral("Hoja Nº 5 de 10"));
        for (const char* qt : {"Print", "Page setup", "Portrait", "Landscape"})
            QVERIFY2(!herramientas.contains(QString::fromLatin1(qt)), qt);
        QVERIFY2(herramientas.contains(QStringLiteral("Hoja siguiente")),
                 qPrintable(herramientas.join(", ")));
        QVERIFY(mensajes.mostrados.isEmpty());
        QCOMPARE(imp.trabajoCups(), 0);
        QVERIFY(!imp.enVista());
        QVERIFY(!imp.documentoAbierto());
    }

    void dialogosDeImpresionDicenLoQueHacen_data() {
        QTest::addColumn<bool>("prueba");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("encabezado");
        QTest::newRow("tirada") << false << "Imprimir"
                                << "La tirada tiene 250 hojas.";
        QTest::newRow("prueba") << true << "Impresión de prueba"
                                << "Se imprime la primera hoja de la tirada.";
    }
    void dialogosDeImpresionDicenLoQueHacen() {
        QFETCH(bool, prueba);
        QFETCH(QString, titulo);
        QFETCH(QString, encabezado);
        const QString cola = qEnvironmentVariable("VELQUIRA_COLA");
        if (cola.isEmpty())
            QSKIP("sin impresora de prueba (./test.sh la crea)");
        ImpresoraQt imp(cola);
        DialogosImpresionQt dialogos;
        QString visto, dice;
        AlAbrirse([&](QWidget* d) {
            visto = d->windowTitle();
            if (auto* l = d->findChild<QLabel*>("LblHojasTirada"))
                dice = l->text();
            qobject_cast<QDialog*>(d)->reject();
        });
        RangoHojas r;
        QVERIFY(!dialogos.imprimir(imp, 1, 250, r, prueba));
        QCOMPARE(visto, titulo);
        QCOMPARE(dice, encabezado);
    }

    void seleccionarImpresoraAceptaSinImprimir() {
        const QString cola = qEnvironmentVariable("VELQUIRA_COLA");
        if (cola.isEmpty())
            QSKIP("sin impresora de prueba (./test.sh la crea)");
        ImpresoraQt imp(cola);
        DialogosImpresionQt dialogos;
        QString texto;
        AlAbrirse([&](QWidget* d) {
            if (QPushButton* ok = BotonDeRol(d, QDialogButtonBox::AcceptRole))
                texto = ok->text();
            qobject_cast<QDialog*>(d)->reject();
        });
        QVERIFY(!dialogos.configurar(imp, 1));
        QCOMPARE(texto, QStringLiteral("&Aceptar"));
    }
};

QTEST_MAIN(PruebaDialogosImpresion)
#include "test_dialogos_impresion.moc"
