#include "FrmProp.h"

#include "core/impresion/GeometriaImpresora.h"
#include "core/trabajo/Colores.h"
#include "core/trabajo/Valores.h"
#include "ui/CampoNumerico.h"
#include "ui/VisorAyuda.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Fields that take numbers only: typing must leave a number.
bool Numerico(int k) {
    return k == 0 || k == 1 || k == 2 || k == 5;
}
} // namespace

FrmProp::FrmProp(PropiedadesCuadro& propiedades, QWidget* padre)
    : QDialog(padre), m_prop(propiedades) {
    setObjectName(QStringLiteral("FrmProp"));
    setModal(true);
    auto* numeracion = new QGroupBox(QStringLiteral("Numeración"), this);
    auto* rejilla = new QGridLayout(numeracion);
    const QStringList etiquetas = {QStringLiteral("Nº De Inicio : "),
                                   QStringLiteral("Nº De fin : "),
                                   QStringLiteral("Salto  : "),
                                   QStringLiteral("Texto a la Izquierda : "),
                                   QStringLiteral("Texto a la derecha : "),
                                   QStringLiteral("Cantidad deCifras : "),
                                   QString(),
                                   QStringLiteral("Nº de Copias : ")};
    int fila = 0;
    for (int k : {0, 1, 2, 3, 4, 5, 7}) {
        m_campos[k] = new QLineEdit(numeracion);
        m_campos[k]->setObjectName(QStringLiteral("TxtProp%1").arg(k));
        m_campos[k]->installEventFilter(this);
        rejilla->addWidget(new QLabel(etiquetas[k], numeracion), fila, 0);
        rejilla->addWidget(m_campos[k], fila++, 1);
        connect(m_campos[k], &QLineEdit::textEdited, this, [this, k](const QString& t) {
            if (m_llenando || k == 7)
                return;
            m_prop.campo[k] = t;
            if (!m_prop.CambioNumeracion())
                m_campos[2]->setFocus();
            mostrarCopias();
        });
        if (k == 2) {
            // How a group's series is shared out, under the series fields.
            m_orden = new QComboBox(numeracion);
            m_orden->setObjectName(QStringLiteral("CboOrden"));
            m_orden->addItems(TextosOrdenGrupo());
            m_orden->installEventFilter(this);
            m_ordenEtiqueta = new QLabel(QStringLiteral("&Orden : "), numeracion);
            m_ordenEtiqueta->setBuddy(m_orden);
            rejilla->addWidget(m_ordenEtiqueta, fila, 0);
            rejilla->addWidget(m_orden, fila++, 1, 1, 2);
            connect(m_orden, &QComboBox::currentIndexChanged, this, [this](int i) {
                if (m_llenando || i < 0)
                    return;
                m_prop.orden = static_cast<OrdenGrupo>(i);
                m_prop.CambioOrden();
                mostrarCopias();
            });
        }
    }
    m_campos[7]->setReadOnly(true);
    m_sentido = new QLabel(numeracion);
    m_sentido->setObjectName(QStringLiteral("LblSentido"));
    rejilla->addWidget(m_sentido, fila - 1, 2);

    auto* posicion = new QGroupBox(QStringLiteral("Posición"), this);
    auto* rp = new QGridLayout(posicion);
    m_posX = new QLineEdit(posicion);
    m_posX->setObjectName(QStringLiteral("TxtPosX"));
    m_posY = new QLineEdit(posicion);
    m_posY->setObjectName(QStringLiteral("TxtPosY"));
    for (QLineEdit* c : {m_posX, m_posY})
        c->installEventFilter(this);
    rp->addWidget(new QLabel(QStringLiteral("Posición en eje X : "), posicion), 0, 0);
    rp->addWidget(m_posX, 0, 1);
    rp->addWidget(new QLabel(QStringLiteral("Cmts"), posicion), 0, 2);
    rp->addWidget(new QLabel(QStringLiteral("Posición en eje Y : "), posicion), 1, 0);
    rp->addWidget(m_posY, 1, 1);
    rp->addWidget(new QLabel(QStringLiteral("Cmts"), posicion), 1, 2);
    m_rotacion = new QComboBox(posicion);
    m_rotacion->setObjectName(QStringLiteral("CbORotacion"));
    m_rotacion->addItems(
        {QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
    m_rotacion->setToolTip(QStringLiteral("La fuente debe ser True Type"));
    m_rotacion->installEventFilter(this);
    rp->addWidget(new QLabel(QStringLiteral("Rotación del texto :"), posicion), 2, 0);
    rp->addWidget(m_rotacion, 2, 1);

    auto* letra = new QWidget(this);
    auto* rl = new QGridLayout(letra);
    auto* botonFuente = new QPushButton(QStringLiteral("Seleccionar &Fonts"), letra);
    botonFuente->setObjectName(QStringLiteral("BtnFont"));
    m_fuente = new QLabel(letra);
    m_fuente->setObjectName(QStringLiteral("LblFont"));
    m_tamano = new QLabel(letra);
    m_tamano->setObjectName(QStringLiteral("LblSize"));
    m_tipo[0] = new QLabel(letra);
    m_tipo[1] = new QLabel(letra);
    m_color = new QLabel(letra);
    m_color->setObjectName(QStringLiteral("LblColor"));
    m_color->setMinimumSize(48, 20);
    m_color->setAutoFillBackground(true);
    m_color->setFrameShape(QFrame::Box);
    m_color->installEventFilter(this);
    m_color->setCursor(Qt::PointingHandCursor);
    rl->addWidget(botonFuente, 0, 0);
    rl->addWidget(m_fuente, 0, 1);
    rl->addWidget(m_tamano, 0, 2);
    rl->addWidget(m_tipo[0], 1, 1);
    rl->addWidget(m_tipo[1], 1, 2);
    rl->addWidget(new QLabel(QStringLiteral("Color :"), letra), 2, 0);
    rl->addWidget(m_color, 2, 1);
    connect(botonFuente, &QPushButton::clicked, this, &FrmProp::elegirFuente);

    m_aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    auto* ayuda = new QPushButton(QStringLiteral("A&yuda"), this);
    connect(ayuda, &QPushButton::clicked, this, [this] {
        VisorAyuda::Abrir(this, m_prop.grupo() && m_prop.programarSerie()
                                    ? QStringLiteral("numeracion.htm#Grupo")
                                    : QStringLiteral("funciones.htm#Propiedades"));
    });
    for (QPushButton* b : {m_aceptar, cancelar, ayuda, botonFuente})
        b->setAutoDefault(false);
    connect(m_aceptar, &QPushButton::clicked, this, &FrmProp::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {m_aceptar, cancelar, ayuda})
        botones->addWidget(b);
    botones->addStretch();

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(numeracion);
    izquierda->addWidget(posicion);
    izquierda->addWidget(letra);
    auto* raiz = new QHBoxLayout(this);
    raiz->addLayout(izquierda, 1);
    raiz->addLayout(botones);
    mostrar();
}

void FrmProp::mostrar() {
    m_llenando = true;
    setWindowTitle(m_prop.titulo);
    for (int k : {0, 1, 2, 3, 4, 5, 7}) {
        m_campos[k]->setText(m_prop.campo[k]);
        m_campos[k]->setEnabled(m_prop.habilitado[k]);
    }
    m_campos[2]->setReadOnly(m_prop.saltoSoloLectura);
    const bool orden = m_prop.grupo() && m_prop.programarSerie();
    m_orden->setCurrentIndex(static_cast<int>(m_prop.orden));
    m_orden->setVisible(orden);
    m_ordenEtiqueta->setVisible(orden);
    mostrarCopias();
    m_posX->setText(m_prop.posX);
    m_posY->setText(m_prop.posY);
    m_posX->setEnabled(m_prop.posicionHabilitada);
    m_posY->setEnabled(m_prop.posicionHabilitada);
    m_rotacion->setCurrentIndex(m_prop.rotacion);
    mostrarFuente();
    m_llenando = false;
}

void FrmProp::done(int resultado) {
    m_lugarAlCerrar = geometry().topLeft();
    QDialog::done(resultado);
}

void FrmProp::mostrarCopias() {
    m_campos[7]->setText(m_prop.campo[7]);
    m_sentido->setText(m_prop.sentido());
}

void FrmProp::mostrarFuente() {
    const FuenteImpresion& f = m_prop.fuente;
    QFont muestra = m_fuente->font();
    muestra.setFamily(f.nombre);
    muestra.setUnderline(f.subrayado);
    muestra.setStrikeOut(f.tachado);
    m_fuente->setFont(muestra);
    m_fuente->setText(f.nombre);
    m_tamano->setText(FormatoGeneral(f.puntos, QLocale()));
    m_tipo[0]->setText(f.negrita ? QStringLiteral("Negrita") : QStringLiteral("Normal"));
    m_tipo[1]->setText(f.cursiva ? QStringLiteral("Cursiva") : QString());
    QPalette p = m_color->palette();
    p.setColor(QPalette::Window, ColorDeBgr(m_prop.color));
    m_color->setPalette(p);
}

void FrmProp::leerCampos() {
    for (int k : {0, 1, 2, 3, 4, 5})
        m_prop.campo[k] = m_campos[k]->text();
    m_prop.posX = m_posX->text();
    m_prop.posY = m_posY->text();
    m_prop.rotacion = m_rotacion->currentIndex();
}

void FrmProp::aceptar() {
    leerCampos();
    const int mal = m_prop.Aceptar();
    if (mal < 0) {
        accept();
        return;
    }
    QLineEdit* c = mal == 8 ? m_posX : mal == 9 ? m_posY : m_campos[mal];
    c->setFocus();
    c->selectAll();
}

void FrmProp::elegirFuente() {
    bool ok = false;
    // A cancel gives back the font it was given: written all the same.
    const QFont f =
        QFontDialog::getFont(&ok, QFontDe(m_prop.fuente), this, QStringLiteral("Fuente"));
    m_prop.FijarFuente(ok ? FuenteDe(f) : m_prop.fuente, m_prop.color);
    mostrarFuente();
}

void FrmProp::elegirColor() {
    const QColor c =
        QColorDialog::getColor(ColorDeBgr(m_prop.color), this, QStringLiteral("Color"));
    m_prop.FijarColor(c.isValid() ? BgrDeColor(c) : m_prop.color);
    mostrarFuente();
}

QWidget* FrmProp::siguiente(QObject* desde) const {
    if (desde == m_campos[2] && m_orden->isVisible())
        return m_orden;
    if (desde == m_orden)
        return m_campos[3];
    for (int k = 0; k < 4; ++k)
        if (desde == m_campos[k])
            return m_campos[k + 1];
    if (desde == m_campos[4])
        return m_campos[5];
    if (desde == m_campos[5] || desde == m_campos[7])
        return m_rotacion;
    if (desde == m_rotacion)
        return m_posX->isEnabled() ? m_posX : nullptr;
    if (desde == m_posX)
        return m_posY;
    return nullptr; // OK
}

bool FrmProp::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == m_color) {
        if (e->type() == QEvent::MouseButtonRelease)
            elegirColor();
        return QDialog::eventFilter(objeto, e);
    }
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (QWidget* w = siguiente(objeto))
                w->setFocus();
            else
                aceptar();
            return true;
        }
        if (!campo || k->text().isEmpty() || !k->text().at(0).isPrint())
            return QDialog::eventFilter(objeto, e);
        const bool posicion = campo == m_posX || campo == m_posY;
        int indice = -1;
        for (int j = 0; j < 8; ++j)
            if (m_campos[j] == campo)
                indice = j;
        if (posicion || (indice >= 0 && Numerico(indice))) {
            if (!TeclaDejaNumero(*campo, k->text())) {
                if (posicion)
                    QApplication::beep();
                return true;
            }
        }
        return false;
    }
    if (!campo)
        return QDialog::eventFilter(objeto, e);
    if (e->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, campo, &QLineEdit::selectAll);
    } else if (e->type() == QEvent::FocusOut && !m_llenando) {
        if (campo == m_posX || campo == m_posY) {
            const bool x = campo == m_posX;
            (x ? m_prop.posX : m_prop.posY) = campo->text();
            const bool dentro = m_prop.SalidaPosicion(x);
            campo->setText(x ? m_prop.posX : m_prop.posY);
            if (!dentro)
                QTimer::singleShot(0, campo, [campo] { campo->setFocus(); });
        } else {
            leerCampos();
            m_prop.SalidaNumeracion();
            mostrarCopias();
        }
    }
    return QDialog::eventFilter(objeto, e);
}
