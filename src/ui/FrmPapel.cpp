#include "FrmPapel.h"

#include "ui/MarcoTamano.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FrmPapel::FrmPapel(ConfiguracionPagina& conf, QWidget* padre) : QDialog(padre), m_conf(conf) {
    setObjectName(QStringLiteral("FrmPapel"));
    setWindowTitle(QStringLiteral("Configuración de página"));
    setModal(true);
    m_tamano = new MarcoTamano(
        m_conf.campos, [this](bool ancho) { return m_conf.SalirCampo(ancho); }, this);
    m_tamano->alAceptar = [this] { aceptar(); };

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
    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {aceptar, cancelar, predeterminar}) {
        b->setAutoDefault(false);
        botones->addWidget(b);
    }
    botones->addStretch();
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(m_tamano);
    izquierda->addWidget(orientacion);
    auto* raiz = new QHBoxLayout(this);
    raiz->addLayout(izquierda, 1);
    raiz->addLayout(botones);

    connect(aceptar, &QPushButton::clicked, this, &FrmPapel::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(predeterminar, &QPushButton::clicked, this, [this] {
        m_tamano->leer();
        m_conf.Predeterminar();
    });
    connect(m_vertical, &QRadioButton::toggled, this, [this](bool si) {
        m_conf.vertical = si;
        mostrarOrientacion();
    });

    m_conf.Cargar();
    m_tamano->mostrar();
    (m_conf.vertical ? m_vertical : m_horizontal)->setChecked(true);
    mostrarOrientacion();
}

void FrmPapel::mostrarOrientacion() {
    m_imagen->setPixmap(ImagenOrientacion(m_conf.vertical));
    m_tamano->fijarOrientacion(m_conf.vertical);
}

void FrmPapel::aceptar() {
    m_tamano->leer();
    if (m_conf.Aceptar())
        accept();
}
