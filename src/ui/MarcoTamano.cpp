#include "MarcoTamano.h"

#include "ui/CampoNumerico.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

QPixmap ImagenOrientacion(bool vertical, int lado) {
    const int corto = lado * 3 / 4;
    QPixmap px(vertical ? QSize(corto, lado) : QSize(lado, corto));
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(px.rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::gray);
    const int margen = std::max(2, lado / 10);
    for (int y = margen + 1; y < px.height() - margen; y += std::max(3, lado / 10))
        p.drawLine(margen, y, px.width() - margen - 1, y);
    return px;
}

MarcoTamano::MarcoTamano(CamposTamano& campos, std::function<bool(bool)> salir, QWidget* padre)
    : QGroupBox(QStringLiteral("Tamaño del papel"), padre), m_campos(campos),
      m_salir(std::move(salir)) {
    m_lista = new QComboBox(this);
    m_lista->setObjectName(QStringLiteral("CboSize"));
    m_lista->addItems(m_campos.entradas());
    m_ancho = new QLineEdit(this);
    m_ancho->setObjectName(QStringLiteral("TxtAncho"));
    m_alto = new QLineEdit(this);
    m_alto->setObjectName(QStringLiteral("TxtAlto"));
    m_etiquetaAncho = new QLabel(this);
    m_etiquetaAncho->setObjectName(QStringLiteral("LblAncho"));
    m_etiquetaAlto = new QLabel(this);
    m_etiquetaAlto->setObjectName(QStringLiteral("LblAlto"));
    auto* rejilla = new QGridLayout(this);
    rejilla->addWidget(m_lista, 0, 0, 1, 3);
    rejilla->addWidget(m_etiquetaAncho, 1, 0);
    rejilla->addWidget(m_ancho, 1, 1);
    rejilla->addWidget(new QLabel(QStringLiteral("Cmts"), this), 1, 2);
    rejilla->addWidget(m_etiquetaAlto, 2, 0);
    rejilla->addWidget(m_alto, 2, 1);
    rejilla->addWidget(new QLabel(QStringLiteral("Cmts"), this), 2, 2);
    fijarOrientacion(true);

    connect(m_lista, &QComboBox::activated, this, [this](int i) {
        m_campos.Seleccionar(i);
        mostrar();
        if (alCambiar)
            alCambiar();
        if (i == CamposTamano::kPersonal && !m_actualizando)
            m_ancho->setFocus();
    });
    for (QLineEdit* c : {m_ancho, m_alto}) {
        c->installEventFilter(this);
        connect(c, &QLineEdit::textEdited, this, [this] {
            m_campos.TextoCambiado();
            if (alCambiar && m_campos.tamanoEditado)
                alCambiar();
        });
    }
}

void MarcoTamano::mostrar() {
    m_actualizando = true;
    m_lista->setCurrentIndex(m_campos.indice);
    m_ancho->setText(m_campos.ancho);
    m_alto->setText(m_campos.alto);
    m_actualizando = false;
}

void MarcoTamano::leer() {
    m_campos.ancho = m_ancho->text();
    m_campos.alto = m_alto->text();
}

void MarcoTamano::fijarOrientacion(bool vertical) {
    m_etiquetaAncho->setText(vertical ? QStringLiteral("Ancho :") : QStringLiteral("Alto :"));
    m_etiquetaAlto->setText(vertical ? QStringLiteral("Alto :") : QStringLiteral("Ancho :"));
}

bool MarcoTamano::eventFilter(QObject* objeto, QEvent* e) {
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (!campo)
        return QGroupBox::eventFilter(objeto, e);
    const bool ancho = campo == m_ancho;
    switch (e->type()) {
    case QEvent::FocusIn:
        leer();
        m_campos.EntrarCampo();
        mostrar();
        QTimer::singleShot(0, campo, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut: {
        leer();
        const bool bien = m_salir(ancho);
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
            else if (alAceptar)
                alAceptar();
            return true;
        }
        if (k->text().isEmpty() || !k->text().at(0).isPrint())
            return false;
        return !TeclaDejaNumero(*campo, k->text());
    }
    default:
        break;
    }
    return QGroupBox::eventFilter(objeto, e);
}
