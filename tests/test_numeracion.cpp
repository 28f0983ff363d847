#include <QtTest>
class Prueba : public QObject { Q_OBJECT private slots: void nada() {} };
QTEST_MAIN(Prueba)
#include "test_numeracion.moc"
