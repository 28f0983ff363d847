#include "FrmBar.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

FrmBar::FrmBar(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmBar"));
    setWindowTitle(QStringLiteral("Imprimiendo"));
    setModal(false);
    auto* panel = new QGroupBox(QStringLiteral("Progreso de la impresión"), this);
    panel->setObjectName(QStringLiteral("Panel"));
    m_barra = new QProgressBar(panel);
    m_barra->setObjectName(QStringLiteral("PrBar"));
    m_barra->setTextVisible(false);
    m_texto = new QLabel(panel);
    m_texto->setObjectName(QStringLiteral("LblPrint"));
    auto* escape = new QLabel(QStringLiteral("Pulse escape para cancelar"), panel);
    escape->setObjectName(QStringLiteral("Label1"));
    m_cancelar = new QPushButton(QStringLiteral("&Cancelar"), panel);
    m_cancelar->setObjectName(QStringLiteral("BtnCancelar"));
    connect(m_cancelar, &QPushButton::clicked, this, [this] { m_cancelacion = true; });
    auto* l = new QVBoxLayout(panel);
    l->addWidget(m_barra);
    l->addWidget(m_texto);
    l->addWidget(escape);
    l->addWidget(m_cancelar, 0, Qt::AlignRight);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(panel);
    setMinimumWidth(360);
}

void FrmBar::mostrar(qint32 maximo) {
    m_cancelacion = false;
    m_barra->setRange(0, std::max(maximo, 1));
    m_barra->setValue(0);
    show();
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void FrmBar::actualizar(qint32 valor, const QString& texto) {
    m_barra->setValue(valor);
    m_texto->setText(texto);
    raise();
}

void FrmBar::procesarEventos() {
    QApplication::processEvents();
}

bool FrmBar::tomarCancelacion() {
    const bool c = m_cancelacion;
    m_cancelacion = false;
    return c;
}

void FrmBar::cerrar() {
    hide();
    close();
}

void FrmBar::reject() {
    m_cancelacion = true;
}

void FrmBar::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_cancelar->setFocus();
}
