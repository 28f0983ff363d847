#include "FrmHistorial.h"

#include "core/programa/Programa.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

FrmHistorial::FrmHistorial(HistorialTiradas& historial, QWidget* padre)
    : QDialog(padre), m_h(historial) {
    setObjectName(QStringLiteral("FrmHistorial"));
    setWindowTitle(QStringLiteral("Historial de tiradas"));
    auto* ubicacion = new QLabel(
        QStringLiteral("Tiradas anotadas en %1, la más reciente primero.").arg(m_h.rutaRegistro()),
        this);
    ubicacion->setWordWrap(true);
    ubicacion->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_avisos = new QLabel(this);
    m_avisos->setObjectName(QStringLiteral("LblAvisos"));
    m_avisos->setWordWrap(true);
    m_tabla = new QTableWidget(this);
    m_tabla->setObjectName(QStringLiteral("TblTiradas"));
    m_tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabla->verticalHeader()->hide();
    m_tabla->setWordWrap(false);
    m_tabla->setTextElideMode(Qt::ElideMiddle); // a path keeps its file name in sight
    m_tabla->horizontalHeader()->setStretchLastSection(true);
    m_reimprimir = new QPushButton(QStringLiteral("&Reimprimir hojas..."), this);
    m_reimprimir->setObjectName(QStringLiteral("BtnReimprimir"));
    m_continuar = new QPushButton(QStringLiteral("C&ontinuar"), this);
    m_continuar->setObjectName(QStringLiteral("BtnContinuar"));
    auto* botones = new QDialogButtonBox(this);
    botones->addButton(m_reimprimir, QDialogButtonBox::ActionRole);
    botones->addButton(m_continuar, QDialogButtonBox::ActionRole);
    botones->addButton(QStringLiteral("&Cerrar"), QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_reimprimir, &QPushButton::clicked, this, [this] { elegir(Accion::Reimprimir); });
    connect(m_continuar, &QPushButton::clicked, this, [this] { elegir(Accion::Continuar); });
    connect(m_tabla, &QTableWidget::itemSelectionChanged, this, &FrmHistorial::seleccionCambiada);
    auto* l = new QVBoxLayout(this);
    l->addWidget(ubicacion);
    l->addWidget(m_tabla, 1);
    l->addWidget(m_avisos);
    l->addWidget(botones);
    resize(1040, 420);
    llenar();
}

void FrmHistorial::llenar() {
    const auto& l = m_h.lectura();
    const QStringList encabezados = HistorialTiradas::Encabezados();
    m_tabla->clear();
    m_tabla->setColumnCount(static_cast<int>(encabezados.size()));
    m_tabla->setHorizontalHeaderLabels(encabezados);
    m_tabla->setRowCount(static_cast<int>(l.tiradas.size()));
    for (int fila = 0; fila < static_cast<int>(l.tiradas.size()); ++fila) {
        const QStringList columnas = HistorialTiradas::Columnas(l.tiradas[fila]);
        for (int c = 0; c < columnas.size(); ++c) {
            auto* celda = new QTableWidgetItem(columnas[c]);
            celda->setToolTip(columnas[c]);
            m_tabla->setItem(fila, c, celda);
        }
    }
    m_tabla->resizeColumnsToContents();
    // The job and the printer (a PDF's path) give way to the outcome; the
    // whole text is in the cell's tooltip.
    for (int c : {1, 2})
        m_tabla->setColumnWidth(c, std::min(m_tabla->columnWidth(c), 220));
    QStringList avisos = l.avisos;
    if (l.tiradas.empty())
        avisos.prepend(QStringLiteral("No hay tiradas anotadas."));
    m_avisos->setText(avisos.join(u'\n'));
    m_avisos->setVisible(!avisos.isEmpty());
    if (!l.tiradas.empty())
        m_tabla->selectRow(0);
    seleccionCambiada();
}

const RegistroTirada* FrmHistorial::elegida() const {
    const auto& tiradas = m_h.lectura().tiradas;
    return m_fila >= 0 && m_fila < static_cast<int>(tiradas.size()) ? &tiradas[m_fila] : nullptr;
}

void FrmHistorial::seleccionCambiada() {
    const QList<QTableWidgetSelectionRange> rangos = m_tabla->selectedRanges();
    m_fila = rangos.isEmpty() ? -1 : rangos.first().topRow();
    const RegistroTirada* r = elegida();
    m_reimprimir->setEnabled(r != nullptr);
    m_continuar->setEnabled(r && HistorialTiradas::Continuable(*r));
}

void FrmHistorial::elegir(Accion accion) {
    if (!elegida())
        return;
    m_accion = accion;
    accept();
}

void MostrarHistorialTiradas(Programa& programa, QWidget* padre) {
    Principal& p = programa.principal;
    HistorialTiradas historial(programa.ciclo, p.documento, programa.impresion, p.mensajes());
    FrmHistorial dialogo(historial, padre);
    if (dialogo.exec() != QDialog::Accepted || !dialogo.elegida())
        return;
    const RegistroTirada r = *dialogo.elegida();
    if (dialogo.accion() == FrmHistorial::Accion::Reimprimir)
        historial.Reimprimir(r);
    else if (dialogo.accion() == FrmHistorial::Accion::Continuar)
        historial.Continuar(r);
}
