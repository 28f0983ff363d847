#include "FrmOpciones.h"

#include "core/impresion/GeometriaImpresora.h"
#include "core/puertos/Ajustes.h"
#include "core/trabajo/Colores.h"
#include "core/trabajo/Valores.h"
#include "ui/MarcoTamano.h"
#include "ui/VisorAyuda.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The previews "Con"/"Sin" (a numbered box with or without its guide lines)
// and "R0".."R270" (the number turned).
QPixmap ImagenGuias(bool con) {
    QPixmap px(120, 70);
    px.fill(Qt::white);
    QPainter p(&px);
    if (con) {
        p.setPen(QColor(0x00, 0x80, 0x00));
        p.drawLine(0, 25, px.width(), 25);
        p.drawLine(30, 0, 30, px.height());
    }
    p.setPen(Qt::black);
    p.drawText(QRect(30, 25, 80, 20), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("00001"));
    return px;
}

QPixmap ImagenRotacion(int grados) {
    QPixmap px(80, 80);
    px.fill(Qt::white);
    QPainter p(&px);
    p.setPen(Qt::black);
    QFont f = p.font();
    f.setPointSize(11);
    p.setFont(f);
    const QFontMetricsF m(f);
    const TextoRotado t =
        CalcularTextoRotado(grados, m.horizontalAdvance(QStringLiteral("00001")), m.height());
    const QPointF esquina((px.width() - t.tamano.width()) / 2,
                          (px.height() - t.tamano.height()) / 2);
    PintarTexto(p, QStringLiteral("00001"), esquina + t.inicio, grados, m.ascent());
    return px;
}
} // namespace

FrmOpciones::FrmOpciones(Opciones& opciones, QWidget* padre) : QDialog(padre), m_op(opciones) {
    setObjectName(QStringLiteral("FrmOpciones"));
    setWindowTitle(kTituloAplicacion + QStringLiteral(" -- Opciones"));
    setModal(true);
    m_pestanas = new QTabWidget(this);
    m_pestanas->addTab(pestanaHoja(), QStringLiteral("Ho&ja"));
    m_pestanas->setTabToolTip(0, QStringLiteral("Austes predeterminados para la hoja"));
    m_pestanas->addTab(pestanaNumeradores(), QStringLiteral("&Numeradores"));
    m_pestanas->setTabToolTip(1, QStringLiteral("Ajustes predeterminados para los numeradores"));
    m_pestanas->addTab(pestanaImpresora(), QStringLiteral("&Impresora"));
    m_pestanas->setTabToolTip(2, QStringLiteral("Selección de la impresora predeterminada"));

    m_aplicar = new QPushButton(QStringLiteral("A&plicar"), this);
    m_aplicar->setObjectName(QStringLiteral("BtnAplicar"));
    auto* aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    auto* ayuda = new QPushButton(QStringLiteral("A&yuda"), this);
    connect(ayuda, &QPushButton::clicked, this, [this] {
        static const char* temas[] = {"opciones.htm#hoja", "opciones.htm#numeradores",
                                      "opciones.htm#impresora"};
        VisorAyuda::Abrir(this, QString::fromLatin1(temas[m_pestanas->currentIndex()]));
    });
    for (QPushButton* b : {m_aplicar, aceptar, cancelar, ayuda})
        b->setAutoDefault(false);
    connect(m_aplicar, &QPushButton::clicked, this, [this] {
        m_tamanoHoja->leer();
        m_op.Aplicar();
        m_aplicar->setEnabled(false);
    });
    connect(aceptar, &QPushButton::clicked, this, [this] {
        m_tamanoHoja->leer();
        m_op.Aceptar();
        accept();
    });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton* b : {m_aplicar, aceptar, cancelar, ayuda})
        botones->addWidget(b);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(m_pestanas);
    raiz->addLayout(botones);

    m_op.Cargar();
    mostrar();
}

QWidget* FrmOpciones::pestanaHoja() {
    auto* sub = new QTabWidget;
    auto* tamano = new QWidget;
    auto* orientacion = new QGroupBox(QStringLiteral("Orientación"), tamano);
    m_horizontal = new QRadioButton(QStringLiteral("&Horizontal "), orientacion);
    m_vertical = new QRadioButton(QStringLiteral("&Vertical"), orientacion);
    m_imagenHoja = new QLabel(orientacion);
    m_imagenHoja->setMinimumSize(52, 52);
    auto* ro = new QGridLayout(orientacion);
    ro->addWidget(m_horizontal, 0, 0);
    ro->addWidget(m_vertical, 1, 0);
    ro->addWidget(m_imagenHoja, 0, 1, 2, 1);
    m_tamanoHoja = new MarcoTamano(
        m_op.hoja, [this](bool ancho) { return m_op.SalirCampoHoja(ancho); }, tamano);
    m_tamanoHoja->alCambiar = [this] { cambio(); };
    m_tamanoHoja->alAceptar = [this] {
        m_tamanoHoja->leer();
        m_op.Aceptar();
        accept();
    };
    auto* lt = new QHBoxLayout(tamano);
    lt->addWidget(orientacion);
    lt->addWidget(m_tamanoHoja);
    sub->addTab(tamano, QStringLiteral("&Tamaño"));
    sub->setTabToolTip(0, QStringLiteral("Una hoja nueva tendrá estos tamaños"));
    connect(m_vertical, &QRadioButton::toggled, this, [this](bool si) {
        if (m_actualizando)
            return;
        m_op.vertical = si;
        mostrar();
        cambio();
    });

    const struct {
        const char* titulo;
        const char* consejo;
        int* valor;
    } vistas[] = {
        {"Regla", "Al comenzar a trabajar le regla se verá así", &m_op.verRegla},
        {"Márgen", "Al comenzar a trabajar los márgenes se verán así", &m_op.verMargen},
        {"Ejes", "Al comenzar a trabajar los ejes centrales se verán así", &m_op.verEjes},
    };
    for (int v = 0; v < 3; ++v) {
        auto* pagina = new QWidget;
        auto* marco = new QGroupBox(QStringLiteral("Al inicio del programa"), pagina);
        auto* lm = new QVBoxLayout(marco);
        m_vistas[v] = new QButtonGroup(this);
        const QString textos[] = {QStringLiteral("Ver como ú&ltima vez"),
                                  QStringLiteral("&Ver siempre"), QStringLiteral("N&o ver")};
        for (int k = 0; k < 3; ++k) {
            auto* op = new QRadioButton(textos[k], marco);
            m_vistas[v]->addButton(op, k);
            lm->addWidget(op);
        }
        int* valor = vistas[v].valor;
        connect(m_vistas[v], &QButtonGroup::idClicked, this, [this, valor](int id) {
            *valor = id;
            cambio();
        });
        (new QVBoxLayout(pagina))->addWidget(marco);
        sub->addTab(pagina, QString::fromUtf8(vistas[v].titulo));
        sub->setTabToolTip(v + 1, QString::fromUtf8(vistas[v].consejo));
    }
    return sub;
}

QWidget* FrmOpciones::pestanaNumeradores() {
    auto* sub = new QTabWidget;
    auto* fuente = new QWidget;
    auto* marco = new QGroupBox(QStringLiteral("Fuente predeterminada"), fuente);
    m_fuente = new QLabel(marco);
    m_fuente->setObjectName(QStringLiteral("LblFont"));
    m_fuente->setMinimumHeight(40);
    m_fuente->installEventFilter(this);
    m_tamano = new QLabel(marco);
    m_tipo[0] = new QLabel(marco);
    m_tipo[1] = new QLabel(marco);
    m_color = new QLabel(marco);
    m_color->setFixedSize(60, 22);
    m_color->setAutoFillBackground(true);
    m_color->setFrameShape(QFrame::Box);
    m_color->installEventFilter(this);
    auto* boton = new QPushButton(QStringLiteral("S&eleccionar fuente"), marco);
    boton->setObjectName(QStringLiteral("BtnFont"));
    auto* rf = new QGridLayout(marco);
    rf->addWidget(m_fuente, 0, 0, 1, 3);
    rf->addWidget(m_tamano, 1, 0);
    rf->addWidget(m_tipo[0], 1, 1);
    rf->addWidget(m_tipo[1], 1, 2);
    rf->addWidget(new QLabel(QStringLiteral("Color de la fuente"), marco), 2, 0);
    rf->addWidget(m_color, 2, 1);
    rf->addWidget(boton, 3, 0, 1, 3);
    (new QVBoxLayout(fuente))->addWidget(marco);
    sub->addTab(fuente, QStringLiteral("&Fuente"));
    sub->setTabToolTip(0, QStringLiteral("Esta fuente tendrá el nuevo cuadro que se inserte"));
    connect(boton, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont f =
            QFontDialog::getFont(&ok, QFontDe(m_op.fuente), this, QStringLiteral("Fuente"));
        if (ok)
            m_op.fuente = FuenteDe(f);
        mostrarFuente();
        cambio();
    });

    auto* guias = new QWidget;
    m_imagenGuias = new QLabel(guias);
    m_imagenGuias->setObjectName(QStringLiteral("Pict"));
    m_imagenGuias->installEventFilter(this);
    m_guias = new QCheckBox(QStringLiteral("Ver líneas &guía al insertar"), guias);
    m_guias->setObjectName(QStringLiteral("ChkGuias"));
    auto* lg = new QVBoxLayout(guias);
    lg->addWidget(m_imagenGuias);
    lg->addWidget(m_guias);
    sub->addTab(guias, QStringLiteral("&Líneas guía"));
    sub->setTabToolTip(1, QStringLiteral("Así se veran los numeradores que se inserten"));
    connect(m_guias, &QCheckBox::clicked, this, [this](bool si) {
        m_op.lineasGuia = si;
        m_imagenGuias->setPixmap(ImagenGuias(si));
        cambio();
    });

    auto* cifras = new QWidget;
    auto* mc = new QGroupBox(QStringLiteral("Cantidad de cifras"), cifras);
    m_cifras = new QComboBox(mc);
    m_cifras->setObjectName(QStringLiteral("CboCifras"));
    for (int i = 1; i <= 30; ++i)
        m_cifras->addItem(QString::number(i));
    auto* lc = new QHBoxLayout(mc);
    lc->addWidget(m_cifras);
    lc->addWidget(new QLabel(QStringLiteral("Cifras"), mc));
    (new QVBoxLayout(cifras))->addWidget(mc);
    sub->addTab(cifras, QStringLiteral("Cifra&s"));
    sub->setTabToolTip(2, QStringLiteral("Cantidad de cifras predeterminadas para el numerador"));
    connect(m_cifras, &QComboBox::activated, this, [this](int i) {
        m_op.cifras = i + 1;
        cambio();
    });

    auto* rotar = new QWidget;
    auto* mr = new QGroupBox(QStringLiteral("Rotación del numerador"), rotar);
    m_imagenRotacion = new QLabel(mr);
    m_imagenRotacion->setObjectName(QStringLiteral("ImagRot"));
    m_imagenRotacion->installEventFilter(this);
    m_rotacion = new QComboBox(mr);
    m_rotacion->setObjectName(QStringLiteral("CbORotacion"));
    m_rotacion->addItems(
        {QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
    m_rotacion->setToolTip(QStringLiteral("La fuente debe ser True Type"));
    auto* lr = new QHBoxLayout(mr);
    lr->addWidget(m_imagenRotacion);
    lr->addWidget(m_rotacion);
    (new QVBoxLayout(rotar))->addWidget(mr);
    sub->addTab(rotar, QStringLiteral("&Rotar texto"));
    sub->setTabToolTip(3, QStringLiteral("Rotación predeterminada para los numeradores"));
    connect(m_rotacion, &QComboBox::activated, this, [this](int i) {
        m_op.rotacion = i * 90;
        m_imagenRotacion->setPixmap(ImagenRotacion(m_op.rotacion));
        cambio();
    });
    return sub;
}

QWidget* FrmOpciones::pestanaImpresora() {
    auto* pagina = new QWidget;
    m_impresoras = new QListWidget(pagina);
    m_impresoras->setObjectName(QStringLiteral("List1"));
    m_siempre = new QRadioButton(QStringLiteral("Imprimir siempre en esta impresora"), pagina);
    m_siempre->setObjectName(QStringLiteral("OpPrintDefault"));
    m_elegir = new QRadioButton(QStringLiteral("Elegir la impresora al imprimir"), pagina);
    m_elegir->setObjectName(QStringLiteral("OpPrintSelec"));
    auto* l = new QVBoxLayout(pagina);
    l->addWidget(m_impresoras);
    l->addWidget(m_siempre);
    l->addWidget(m_elegir);
    // A selection, not the current row: the list makes its first row current
    // when it merely gains the focus (a visit to this tab), selecting nothing.
    connect(m_impresoras, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> elegidas = m_impresoras->selectedItems();
        if (m_actualizando || elegidas.isEmpty())
            return;
        m_op.ElegirImpresora(m_impresoras->row(elegidas.first()));
        mostrar();
        cambio();
    });
    connect(m_siempre, &QRadioButton::clicked, this, [this] {
        m_op.SiempreEstaImpresora(true);
        mostrar();
        m_impresoras->setFocus();
        if (!m_op.impresoras.isEmpty())
            cambio();
    });
    connect(m_elegir, &QRadioButton::clicked, this, [this] {
        m_op.SiempreEstaImpresora(false);
        mostrar();
        cambio();
    });
    return pagina;
}

void FrmOpciones::mostrar() {
    m_actualizando = true;
    m_tamanoHoja->mostrar();
    m_tamanoHoja->fijarOrientacion(m_op.vertical);
    (m_op.vertical ? m_vertical : m_horizontal)->setChecked(true);
    m_imagenHoja->setPixmap(ImagenOrientacion(m_op.vertical));
    m_vistas[0]->button(m_op.verRegla)->setChecked(true);
    m_vistas[1]->button(m_op.verMargen)->setChecked(true);
    m_vistas[2]->button(m_op.verEjes)->setChecked(true);
    m_guias->setChecked(m_op.lineasGuia);
    m_imagenGuias->setPixmap(ImagenGuias(m_op.lineasGuia));
    m_cifras->setCurrentIndex(m_op.cifras - 1);
    m_rotacion->setCurrentIndex(m_op.rotacion / 90);
    m_imagenRotacion->setPixmap(ImagenRotacion(m_op.rotacion));
    if (m_impresoras->count() != m_op.impresoras.size()) {
        m_impresoras->clear();
        m_impresoras->addItems(m_op.impresoras);
    }
    m_impresoras->setCurrentRow(m_op.impresora);
    if (m_op.impresora < 0)
        m_impresoras->clearSelection();
    (m_op.siempreEstaImpresora ? m_siempre : m_elegir)->setChecked(true);
    mostrarFuente();
    m_aplicar->setEnabled(m_op.cambiado);
    m_actualizando = false;
}

void FrmOpciones::mostrarFuente() {
    const FuenteImpresion& f = m_op.fuente;
    m_fuente->setFont(QFontDe(f));
    m_fuente->setText(f.nombre);
    QPalette p = m_fuente->palette();
    p.setColor(QPalette::WindowText, ColorDeBgr(m_op.color));
    m_fuente->setPalette(p);
    m_tamano->setText(FormatoGeneral(f.puntos, QLocale()));
    m_tipo[0]->setText(f.negrita ? QStringLiteral("Negrita") : QStringLiteral("Normal"));
    m_tipo[1]->setText(f.cursiva ? QStringLiteral("Cursiva") : QString());
    QPalette c = m_color->palette();
    c.setColor(QPalette::Window, ColorDeBgr(m_op.color));
    m_color->setPalette(c);
}

void FrmOpciones::cambio() {
    m_op.cambiado = true;
    m_aplicar->setEnabled(true);
}

bool FrmOpciones::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease) {
        if (objeto == m_color) {
            const QColor c =
                QColorDialog::getColor(ColorDeBgr(m_op.color), this, QStringLiteral("Color"));
            if (c.isValid())
                m_op.color = BgrDeColor(c);
            mostrarFuente();
            cambio();
        } else if (objeto == m_fuente) {
            findChild<QPushButton*>(QStringLiteral("BtnFont"))->click();
        } else if (objeto == m_imagenGuias) {
            m_guias->click();
        } else if (objeto == m_imagenRotacion) {
            m_op.rotacion = Opciones::SiguienteRotacion(m_op.rotacion);
            mostrar();
            cambio();
        }
        return QDialog::eventFilter(objeto, e);
    }
    return QDialog::eventFilter(objeto, e);
}
