#include "FrmContinuar.h"

#include "ui/VisorAyuda.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// The rows as the presenter gives them; a job of thousands of boxes costs
// only the rows in view.
class Filas : public QAbstractTableModel {
public:
    Filas(QList<QStringList> filas, QObject* padre)
        : QAbstractTableModel(padre), m_filas(std::move(filas)) {}
    int rowCount(const QModelIndex& padre) const override {
        return padre.isValid() ? 0 : static_cast<int>(m_filas.size());
    }
    int columnCount(const QModelIndex& padre) const override {
        return padre.isValid() ? 0 : static_cast<int>(ContinuarNumeracion::encabezados().size());
    }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (rol == Qt::DisplayRole)
            return m_filas.value(i.row()).value(i.column());
        if (rol == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override {
        if (o == Qt::Horizontal && rol == Qt::DisplayRole)
            return ContinuarNumeracion::encabezados().value(seccion);
        return QAbstractTableModel::headerData(seccion, o, rol);
    }

private:
    QList<QStringList> m_filas;
};
} // namespace

FrmContinuar::FrmContinuar(ContinuarNumeracion& continuar, QWidget* padre)
    : QDialog(padre), m_cont(continuar) {
    setObjectName(QStringLiteral("FrmContinuar"));
    setWindowTitle(QStringLiteral("Continuar numeración"));
    setModal(true);
    auto* titulo = new QLabel(QStringLiteral("Números de esta tirada y de la siguiente:"), this);
    m_tabla = new QTableView(this);
    m_tabla->setObjectName(QStringLiteral("TablaContinuar"));
    m_tabla->setModel(new Filas(m_cont.filas(), m_tabla));
    m_tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabla->setSelectionMode(QAbstractItemView::NoSelection);
    m_tabla->verticalHeader()->hide();
    m_tabla->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tabla->setMinimumSize(560, 260);
    auto* explicacion = new QLabel(m_cont.explicacion(), this);
    explicacion->setObjectName(QStringLiteral("LblExplicacion"));
    explicacion->setWordWrap(true);

    auto* aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    auto* ayuda = new QPushButton(QStringLiteral("A&yuda"), this);
    for (QPushButton* b : {aceptar, cancelar, ayuda})
        b->setAutoDefault(false);
    connect(aceptar, &QPushButton::clicked, this, [this] {
        m_cont.Aceptar();
        accept();
    });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ayuda, &QPushButton::clicked, this,
            [this] { VisorAyuda::Abrir(this, QStringLiteral("numeracion.htm#Continuar")); });
    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {aceptar, cancelar, ayuda})
        botones->addWidget(b);
    botones->addStretch();
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(titulo);
    izquierda->addWidget(m_tabla, 1);
    izquierda->addWidget(explicacion);
    auto* raiz = new QHBoxLayout(this);
    raiz->addLayout(izquierda, 1);
    raiz->addLayout(botones);
}
