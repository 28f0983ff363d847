#include "FrmSetup.h"
#include "core/programa/Herramientas.h"

#include "core/trabajo/Valores.h"
#include "ui/CampoNumerico.h"
#include "ui/VisorAyuda.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kInstrucciones = QStringLiteral(
    "Selecione una impresora del sistema (si \r\ntiene más de una ) se  imprimirá una página "
    "\r\nde prueba ; deberá verificar el resultado y \r\ncuando se le indique colocar la "
    "diferencias \r\nentre los valores medidos y los reales.Si \r\nusa las dos orientaciones de "
    "papel (Vertical \r\ny Horizontal)debe realizar el ajuste para \r\ncada una de ellas. "
    "\r\nMuchas Gracias...\r\n");
}

FrmSetup::FrmSetup(AjusteImpresora& ajuste, QWidget* padre) : QDialog(padre), m_ajuste(ajuste) {
    setObjectName(QStringLiteral("FrmSetup"));
    setWindowTitle(QStringLiteral("Ajuste Impresora"));
    setModal(true);

    auto* panel = new QGroupBox(QStringLiteral("Ajuste Impresora"), this);
    panel->setObjectName(QStringLiteral("Panel"));
    m_instrucciones = new QPlainTextEdit(panel);
    m_instrucciones->setObjectName(QStringLiteral("Text1"));
    m_instrucciones->setReadOnly(true);
    m_instrucciones->setPlainText(QString(kInstrucciones).remove(u'\r'));
    m_instrucciones->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_instrucciones->setMinimumHeight(170);
    m_instrucciones->setMinimumWidth(
        m_instrucciones->fontMetrics().horizontalAdvance(
            QStringLiteral("usa las dos orientaciones de papel (Vertical ")) +
        40);

    m_valores = new QWidget(panel);
    m_titulo = new QLabel(QStringLiteral("Valores actuales :"), m_valores);
    m_titulo->setObjectName(QStringLiteral("LblTitulo"));
    m_orientacion = new QLabel(QStringLiteral("Orientación :"), m_valores);
    m_orientacion->setObjectName(QStringLiteral("Lblorentacion"));
    m_etiquetaX = new QLabel(QStringLiteral("Ingrese la corrección para X"), m_valores);
    m_etiquetaX->setObjectName(QStringLiteral("Label1"));
    m_etiquetaY = new QLabel(QStringLiteral("Ingrese la corrección para Y "), m_valores);
    m_etiquetaY->setObjectName(QStringLiteral("Label2"));
    m_x = new QLineEdit(m_valores);
    m_x->setObjectName(QStringLiteral("TxTX"));
    m_y = new QLineEdit(m_valores);
    m_y->setObjectName(QStringLiteral("TxTY"));
    for (QLineEdit* c : {m_x, m_y}) {
        c->setMinimumWidth(c->fontMetrics().horizontalAdvance(QStringLiteral("-0000,00")) + 16);
        c->setAlignment(Qt::AlignRight);
    }
    auto* signo = new QLabel(
        QStringLiteral("medida − 10 cm; negativo si la marca quedó a la izquierda o arriba"),
        m_valores);
    signo->setObjectName(QStringLiteral("LblSigno"));
    m_guardado = new QLabel(m_valores);
    m_guardado->setObjectName(QStringLiteral("LblGuardado"));
    m_mm = new QRadioButton(QStringLiteral("Milímetros"), m_valores);
    m_cm = new QRadioButton(QStringLiteral("Centímetros"), m_valores);
    m_mm->setChecked(true);
    auto* rejilla = new QGridLayout(m_valores);
    rejilla->addWidget(m_titulo, 0, 0, 1, 3);
    rejilla->addWidget(m_orientacion, 1, 0, 1, 3);
    rejilla->addWidget(m_etiquetaX, 2, 0);
    rejilla->addWidget(m_x, 2, 1);
    rejilla->addWidget(m_etiquetaY, 3, 0);
    rejilla->addWidget(m_y, 3, 1);
    rejilla->addWidget(m_mm, 2, 2);
    rejilla->addWidget(m_cm, 3, 2);
    rejilla->addWidget(signo, 4, 0, 1, 3);
    rejilla->addWidget(m_guardado, 5, 0, 1, 3);
    m_valores->hide();

    auto* lp = new QVBoxLayout(panel);
    lp->addWidget(m_instrucciones);
    lp->addWidget(m_valores);

    m_seguir = new QPushButton(QStringLiteral("C&ontinuar"), this);
    m_seguir->setObjectName(QStringLiteral("BtnSeguir"));
    auto* prueba = new QPushButton(QStringLiteral("Imprimir pag.de Prueba"), this);
    prueba->setObjectName(herramienta::BtnImprimir);
    auto* config = new QPushButton(QStringLiteral("Con&fig. impresora"), this);
    config->setObjectName(QStringLiteral("BtnConfigurar"));
    auto* ayuda = new QPushButton(QStringLiteral("A&yuda"), this);
    ayuda->setObjectName(herramienta::BtnAyuda);
    connect(ayuda, &QPushButton::clicked, this,
            [this] { VisorAyuda::Abrir(this, QStringLiteral("opciones.htm#ajustesde")); });
    auto* salir = new QPushButton(QStringLiteral("&Salir"), this);
    salir->setObjectName(QStringLiteral("BtnCancelar"));
    for (QPushButton* b : {m_seguir, prueba, config, ayuda, salir})
        b->setAutoDefault(false);

    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {m_seguir, prueba, config, ayuda, salir})
        botones->addWidget(b);
    botones->addStretch();
    auto* raiz = new QHBoxLayout(this);
    raiz->addWidget(panel, 1);
    raiz->addLayout(botones);

    m_reloj = new QTimer(this);
    m_reloj->setInterval(450);
    connect(m_reloj, &QTimer::timeout, this, [this] {
        if (m_parpadea)
            m_parpadea->setVisible(!m_parpadea->isVisible());
    });
    connect(m_seguir, &QPushButton::clicked, this, [this] {
        if (m_etapaAplicar)
            aplicar();
        else
            continuar();
    });
    connect(prueba, &QPushButton::clicked, this, [this] { m_ajuste.ImprimirPrueba(); });
    connect(config, &QPushButton::clicked, this, &FrmSetup::configurar);
    connect(salir, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cm, &QRadioButton::toggled, this, &FrmSetup::cambiarUnidad);
    for (QLineEdit* c : {m_x, m_y})
        c->installEventFilter(this);

    m_ajuste.Abrir();
}

FrmSetup::~FrmSetup() {
    m_ajuste.Cerrar();
}

bool FrmSetup::milimetros() const {
    return !m_cm->isChecked();
}

double FrmSetup::valor(const QLineEdit* campo) const {
    return LeerNumero(campo->text()).value_or(0);
}

void FrmSetup::mostrarValores() {
    m_guardado->clear();
    const auto v = m_ajuste.BuscarIniPrinter(milimetros());
    m_x->setText(v.x);
    m_y->setText(v.y);
    if (!v.titulo.isEmpty())
        m_titulo->setText(v.titulo);
    if (!v.orientacion.isEmpty())
        m_orientacion->setText(v.orientacion);
}

void FrmSetup::continuar() {
    mostrarValores();
    // The instructions give way to the correction fields.
    m_instrucciones->hide();
    m_valores->show();
    adjustSize();
    m_seguir->setText(QStringLiteral("&Aplicar"));
    m_etapaAplicar = true;
    QMessageBox pregunta(QMessageBox::Question, QStringLiteral("Imprimir Página"),
                         QStringLiteral("¿ Desea imprimir la página de prueba ?"),
                         QMessageBox::NoButton, this);
    pregunta.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
    QAbstractButton* no = pregunta.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    pregunta.exec();
    if (pregunta.clickedButton() != no)
        m_ajuste.ImprimirPrueba();
    m_x->setFocus();
}

void FrmSetup::aplicar() {
    parpadear(nullptr);
    m_guardado->setText(m_ajuste.Aplicar(valor(m_x), valor(m_y), milimetros()).value_or(QString()));
}

void FrmSetup::configurar() {
    m_ajuste.Configurar();
    if (m_etapaAplicar) {
        // The values, orientation and title belong to the printer now chosen.
        m_etapaAplicar = false;
        m_seguir->setText(QStringLiteral("C&ontinuar"));
        continuar();
    }
}

void FrmSetup::cambiarUnidad() {
    const double factor = m_cm->isChecked() ? 0.1 : 10.0;
    for (QLineEdit* c : {m_x, m_y})
        c->setText(m_ajuste.Formato(valor(c) * factor));
}

void FrmSetup::parpadear(QLabel* etiqueta) {
    if (m_parpadea)
        m_parpadea->setVisible(true);
    m_parpadea = etiqueta;
    if (etiqueta)
        m_reloj->start();
    else
        m_reloj->stop();
}

bool FrmSetup::eventFilter(QObject* objeto, QEvent* e) {
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (!campo)
        return QDialog::eventFilter(objeto, e);
    QLabel* etiqueta = campo == m_x ? m_etiquetaX : m_etiquetaY;
    switch (e->type()) {
    case QEvent::FocusIn:
        QTimer::singleShot(0, campo, &QLineEdit::selectAll);
        parpadear(etiqueta);
        break;
    case QEvent::FocusOut:
        campo->setText(m_ajuste.Formato(valor(campo)));
        if (m_parpadea == etiqueta)
            parpadear(nullptr);
        break;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            (campo == m_x ? static_cast<QWidget*>(m_y) : m_seguir)->setFocus();
            return true;
        }
        const QString t = k->text();
        if (t.isEmpty() || k->key() == Qt::Key_Backspace || !t.at(0).isPrint())
            return false; // navigation and editing keys
        return !TeclaDejaNumero(*campo, t);
    }
    default:
        break;
    }
    return QDialog::eventFilter(objeto, e);
}
