#include "FrmRepetir.h"

#include "core/editor/ElementosHoja.h"
#include "core/trabajo/Documento.h"
#include "ui/CampoNumerico.h"
#include "ui/VisorAyuda.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The sheet in small: the job's other boxes grey, the originals blue, every
// copy outlined where it would land (red where it would leave the sheet).
class Muestra : public QWidget {
public:
    Muestra(const RepetirCuadros& repetir, const Documento& documento, QWidget* padre)
        : QWidget(padre), m_rep(repetir), m_doc(documento) {
        setObjectName(QStringLiteral("Muestra"));
        setMinimumSize(220, 260);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Mid));
        const QRectF hoja(0, 0, m_doc.Trabajo().HAncho, m_doc.Trabajo().HAlto);
        const QList<RepetirCuadros::Copia> copias = m_rep.copias();
        // The sheet and every copy in view, off-sheet ones too.
        QRectF todo = hoja;
        for (const auto& c : copias)
            todo = todo.united(c.rect);
        if (todo.width() <= 0 || todo.height() <= 0)
            return;
        const QRectF area = QRectF(rect()).adjusted(6, 6, -6, -6);
        const double k = std::min(area.width() / todo.width(), area.height() / todo.height());
        const QPointF origen = area.center() - QPointF(todo.width(), todo.height()) * k / 2;
        // A box stays at least a few pixels across, however small the sheet is drawn.
        const auto mapa = [&](const QRectF& r) {
            return QRectF(origen + (r.topLeft() - todo.topLeft()) * k,
                          (r.size() * k).expandedTo(QSizeF(3, 3)));
        };
        p.fillRect(mapa(hoja), Qt::white);
        p.setPen(Qt::black);
        p.drawRect(mapa(hoja));
        const std::vector<Cuadro>& cuadros = m_doc.Cuadros();
        for (int i = 0; i < static_cast<int>(cuadros.size()); ++i)
            if (cuadros[i].EnUso && !m_rep.originales().contains(i))
                p.fillRect(mapa(ElementosHoja::Rectangulo(cuadros[i])), QColor(200, 200, 200));
        for (int i : m_rep.originales())
            p.fillRect(mapa(ElementosHoja::Rectangulo(cuadros[i])), QColor(40, 90, 200));
        for (const auto& c : copias) {
            const QRectF r = mapa(c.rect);
            if (c.fuera)
                p.fillRect(r, QColor(220, 30, 30, 140));
            p.setPen(QPen(c.fuera ? QColor(200, 0, 0) : QColor(0, 120, 60), 1, Qt::DashLine));
            p.drawRect(r);
        }
    }

private:
    const RepetirCuadros& m_rep;
    const Documento& m_doc;
};
} // namespace

FrmRepetir::FrmRepetir(RepetirCuadros& repetir, const Documento& documento, QWidget* padre)
    : QDialog(padre), m_rep(repetir) {
    setObjectName(QStringLiteral("FrmRepetir"));
    setWindowTitle(QStringLiteral("Repetir %1")
                       .arg(repetir.originales().size() == 1
                                ? QStringLiteral("1 cuadro")
                                : QStringLiteral("%1 cuadros").arg(repetir.originales().size())));
    setModal(true);
    auto* rejilla = new QGridLayout;
    const QStringList etiquetas = {
        QStringLiteral("Copias a lo anc&ho :"), QStringLiteral("Copias a lo al&to :"),
        QStringLiteral("&Paso horizontal :"), QStringLiteral("Paso &vertical :")};
    const QString* textos[] = {&m_rep.columnas, &m_rep.filas, &m_rep.pasoX, &m_rep.pasoY};
    for (int k = 0; k < 4; ++k) {
        m_campos[k] = new QLineEdit(*textos[k], this);
        m_campos[k]->setObjectName(QStringLiteral("TxtRepetir%1").arg(k));
        m_campos[k]->installEventFilter(this);
        auto* etiqueta = new QLabel(etiquetas[k], this);
        etiqueta->setBuddy(m_campos[k]);
        rejilla->addWidget(etiqueta, k, 0);
        rejilla->addWidget(m_campos[k], k, 1);
        if (k >= 2)
            rejilla->addWidget(new QLabel(QStringLiteral("Cmts"), this), k, 2);
        connect(m_campos[k], &QLineEdit::textEdited, this, [this, k](const QString& t) {
            QString* destino[] = {&m_rep.columnas, &m_rep.filas, &m_rep.pasoX, &m_rep.pasoY};
            *destino[k] = t;
            cambiado();
        });
    }
    auto* explicacion =
        new QLabel(QStringLiteral("Las copias se cuentan con los cuadros originales: 1 a lo ancho "
                                  "y 4 a lo alto dejan 3 copias debajo de ellos. El paso es la "
                                  "distancia de una copia a la siguiente."),
                   this);
    explicacion->setWordWrap(true);
    m_resumen = new QLabel(this);
    m_resumen->setObjectName(QStringLiteral("LblResumen"));
    m_resumen->setWordWrap(true);
    m_muestra = new Muestra(m_rep, documento, this);

    auto* aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    auto* ayuda = new QPushButton(QStringLiteral("A&yuda"), this);
    for (QPushButton* b : {aceptar, cancelar, ayuda})
        b->setAutoDefault(false);
    connect(aceptar, &QPushButton::clicked, this, &FrmRepetir::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ayuda, &QPushButton::clicked, this,
            [this] { VisorAyuda::Abrir(this, QStringLiteral("numeracion.htm#Repetir")); });
    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {aceptar, cancelar, ayuda})
        botones->addWidget(b);
    botones->addStretch();

    auto* izquierda = new QVBoxLayout;
    izquierda->addLayout(rejilla);
    izquierda->addWidget(explicacion);
    izquierda->addWidget(m_resumen);
    izquierda->addStretch();
    auto* raiz = new QHBoxLayout(this);
    raiz->addLayout(izquierda, 1);
    raiz->addWidget(m_muestra, 1);
    raiz->addLayout(botones);
    cambiado();
}

void FrmRepetir::cambiado() {
    m_resumen->setText(m_rep.resumen());
    m_muestra->update();
}

void FrmRepetir::aceptar() {
    const int mal = m_rep.Aceptar();
    if (mal < 0) {
        accept();
        return;
    }
    if (mal < 4) {
        m_campos[mal]->setFocus();
        m_campos[mal]->selectAll();
    }
}

bool FrmRepetir::eventFilter(QObject* objeto, QEvent* e) {
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (campo && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            // Enter goes to the next field, and from the last one accepts.
            const auto i = std::find(m_campos.begin(), m_campos.end(), campo) - m_campos.begin();
            if (i + 1 < 4)
                m_campos[i + 1]->setFocus();
            else
                aceptar();
            return true;
        }
        if (!k->text().isEmpty() && k->text().at(0).isPrint() &&
            !TeclaDejaNumero(*campo, k->text()))
            return true;
    }
    return QDialog::eventFilter(objeto, e);
}
