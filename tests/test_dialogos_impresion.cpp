// The print dialogs as the operator meets them: what they say, what their
// buttons read, and a sheet range past the run refused with a message
// instead of being cut while it is typed.
#include "platform/DialogosImpresionQt.h"
#include "platform/ImpresoraQt.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
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

QPushButton* Boton(QWidget* w, QDialogButtonBox::ButtonRole rol) {
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
                        Boton(d, QDialogButtonBox::AcceptRole)->click();
                    });
                },
                d);
            Boton(d, QDialogButtonBox::AcceptRole)->click();
        });
        RangoHojas r;
        QVERIFY(dialogos.rangoExportacion(250, r));
        QCOMPARE(aviso, QStringLiteral("La tirada tiene 250 hojas: la hoja 260 no existe."));
        QVERIFY(seguiaAbierto);
        QCOMPARE(r.desde, 1);
        QCOMPARE(r.hasta, 250);
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
            if (QPushButton* ok = Boton(d, QDialogButtonBox::AcceptRole))
                texto = ok->text();
            qobject_cast<QDialog*>(d)->reject();
        });
        QVERIFY(!dialogos.configurar(imp, 1));
        QCOMPARE(texto, QStringLiteral("&Aceptar"));
    }
};

QTEST_MAIN(PruebaDialogosImpresion)
#include "test_dialogos_impresion.moc"
