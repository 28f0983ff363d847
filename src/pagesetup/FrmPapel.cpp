#include "FrmPapel.h"

#include "job/Valores.h"
#include "shell/Principal.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The orientation picture: a page upright or lying, with lines of text.
QPixmap Imagen(bool vertical) {
    QPixmap px(vertical ? QSize(36, 48) : QSize(48, 36));
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(px.rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::gray);
    for (int y = 6; y < px.height() - 4; y += 5)
        p.drawLine(5, y, px.width() - 6, y);
    return px;
}
} // namespace

FrmPapel::FrmPapel(ConfiguracionPagina& conf, QWidget* padre) : QDialog(padre), m_conf(conf) {
    setObjectName(QStringLiteral("FrmPapel"));
    setWindowTitle(QStringLiteral("Configuración de página"));
    setModal(true);
    auto* tamano = new QGroupBox(QStringLiteral("Tamaño del papel"), this);
    m_lista = new QComboBox(tamano);
    m_lista->setObjectName(QStringLiteral("CboSize"));
    m_lista->addItems(m_conf.campos.entradas());
    m_ancho = new QLineEdit(tamano);
    m_ancho->setObjectName(QStringLiteral("TxtAncho"));
    m_alto = new QLineEdit(tamano);
    m_alto->setObjectName(QStringLiteral("TxtAlto"));
    m_etiquetaAncho = new QLabel(tamano);
    m_etiquetaAncho->setObjectName(QStringLiteral("LblAncho"));
    m_etiquetaAlto = new QLabel(tamano);
    m_etiquetaAlto->setObjectName(QStringLiteral("LblAlto"));
    auto* rt = new QGridLayout(tamano);
    rt->addWidget(m_lista, 0, 0, 1, 3);
    rt->addWidget(m_etiquetaAncho, 1, 0);
    rt->addWidget(m_ancho, 1, 1);
    rt->addWidget(new QLabel(QStringLiteral("Cmts"), tamano), 1, 2);
    rt->addWidget(m_etiquetaAlto, 2, 0);
    rt->addWidget(m_alto, 2, 1);
    rt->addWidget(new QLabel(QStringLiteral("Cmts"), tamano), 2, 2);

    auto* orientacion = new QGroupBox(QStringLiteral("Orientación"), this);
    m_vertical = new QRadioButton(QStringLiteral("&Vertical"), orientacion);
    m_vertical->setObjectName(QStringLiteral("OpVertical"));
    m_horizontal = new QRadioButton(QStringLiteral("&Horizontal"), orientacion);
    m_horizontal->setObjectName(QStringLiteral("OpHorizontal"));
    m_imagen = new QLabel(orientacion);
    m_imagen->setObjectName(QStringLiteral("ImagPos"));
    m_imagen->setMinimumSize(52, 52);
    m_imagen->setAlignment(Qt::AlignCenter);
    auto* ro = new QGridLayout(orientacion);
    ro->addWidget(m_vertical, 0, 0);
    ro->addWidget(m_horizontal, 1, 0);
    ro->addWidget(m_imagen, 0, 1, 2, 1);

    auto* aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    auto* predeterminar = new QPushButton(QStringLiteral("&Predeterminar"), this);
    predeterminar->setToolTip(QStringLiteral("Hacer estos valores los predeterminados"));
    for (QPushButton* b : {aceptar, cancelar, predeterminar})
        b->setAutoDefault(false);
    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {aceptar, cancelar, predeterminar})
        botones->addWidget(b);
    botones->addStretch();
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(tamano);
    izquierda->addWidget(orientacion);
    auto* raiz = new QHBoxLayout(this);
    raiz->addLayout(izquierda, 1);
    raiz->addLayout(botones);

    connect(aceptar, &QPushButton::clicked, this, &FrmPapel::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(predeterminar, &QPushButton::clicked, this, [this] {
        m_conf.campos.ancho = m_ancho->text();
        m_conf.campos.alto = m_alto->text();
        m_conf.Predeterminar();
    });
    connect(m_lista, &QComboBox::activated, this, [this](int i) {
        m_conf.campos.Seleccionar(i);
        mostrar();
        if (i == CamposTamano::kPersonal && !m_actualizando)
            m_ancho->setFocus();
    });
    connect(m_vertical, &QRadioButton::toggled, this, [this](bool si) {
        m_conf.vertical = si;
        mostrarOrientacion();
    });
    for (QLineEdit* c : {m_ancho, m_alto}) {
        c->installEventFilter(this);
        connect(c, &QLineEdit::textEdited, this, [this] { m_conf.campos.TextoCambiado(); });
    }

    m_conf.Cargar();
    mostrar();
    (m_conf.vertical ? m_vertical : m_horizontal)->setChecked(true);
    mostrarOrientacion();
}

void FrmPapel::mostrar() {
    m_actualizando = true;
    m_lista->setCurrentIndex(m_conf.campos.indice);
    m_ancho->setText(m_conf.campos.ancho);
    m_alto->setText(m_conf.campos.alto);
    m_actualizando = false;
}

void FrmPapel::mostrarOrientacion() {
    m_imagen->setPixmap(Imagen(m_conf.vertical));
    m_etiquetaAncho->setText(m_conf.etiquetaSuperior());
    m_etiquetaAlto->setText(m_conf.etiquetaInferior());
}

void FrmPapel::aceptar() {
    m_conf.campos.ancho = m_ancho->text();
    m_conf.campos.alto = m_alto->text();
    if (m_conf.Aceptar())
        accept();
}

bool FrmPapel::eventFilter(QObject* objeto, QEvent* e) {
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (!campo)
        return QDialog::eventFilter(objeto, e);
    const bool ancho = campo == m_ancho;
    switch (e->type()) {
    case QEvent::FocusIn:
        m_conf.campos.ancho = m_ancho->text();
        m_conf.campos.alto = m_alto->text();
        m_conf.campos.EntrarCampo();
        mostrar();
        QTimer::singleShot(0, campo, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut: {
        m_conf.campos.ancho = m_ancho->text();
        m_conf.campos.alto = m_alto->text();
        const bool bien = m_conf.SalirCampo(ancho);
        mostrar();
        if (!bien)
            QTimer::singleShot(0, campo, [campo] { campo->setFocus(); });
        break;
    }
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (ancho)
                m_alto->setFocus();
            else
                aceptar();
            return true;
        }
        if (k->text().isEmpty() || !k->text().at(0).isPrint())
            return false;
        const int desde = campo->hasSelectedText() ? campo->selectionStart() : campo->cursorPosition();
        const int largo = campo->hasSelectedText() ? static_cast<int>(campo->selectedText().size()) : 0;
        return !TextoSigueSiendoNumero(campo->text(), desde, largo, k->text());
    }
    default:
        break;
    }
    return QDialog::eventFilter(objeto, e);
}
