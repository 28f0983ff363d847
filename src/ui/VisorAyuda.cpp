#include "VisorAyuda.h"

#include "core/programa/Version.h"
#include "ui/Splash.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSysInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// Reads the pages and writes into them what depends on the program's state.
class NavegadorAyuda : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int tipo, const QUrl& url) override {
        QVariant v = QTextBrowser::loadResource(tipo, url);
        if (tipo != QTextDocument::HtmlResource || VisorAyuda::variables().isEmpty())
            return v;
        QString html =
            v.typeId() == QMetaType::QByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
        for (auto it = VisorAyuda::variables().cbegin(); it != VisorAyuda::variables().cend(); ++it)
            html.replace(u'{' + it.key() + u'}', it.value()().toHtmlEscaped());
        return html;
    }
};
} // namespace

QHash<QString, std::function<QString()>>& VisorAyuda::variables() {
    static QHash<QString, std::function<QString()>> v;
    return v;
}

VisorAyuda::VisorAyuda(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("VisorAyuda"));
    setWindowTitle(QStringLiteral("Ayuda de ZUL Velquira"));
    m_navegador = new NavegadorAyuda(this);
    m_navegador->setOpenLinks(true);
    m_navegador->setSearchPaths({QStringLiteral(":/ayuda")});
    auto* cerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    auto* l = new QVBoxLayout(this);
    l->addWidget(m_navegador);
    auto* abajo = new QHBoxLayout;
    abajo->addStretch();
    abajo->addWidget(cerrar);
    l->addLayout(abajo);
    resize(640, 520);
}

void VisorAyuda::Mostrar(const QString& tema) {
    const QString pagina = tema.isEmpty() ? QStringLiteral("indice.htm") : tema;
    m_navegador->setSource(QUrl(QStringLiteral("qrc:/ayuda/") + pagina));
}

VisorAyuda* VisorAyuda::Abrir(QWidget* padre, const QString& tema) {
    static QPointer<VisorAyuda> visor;
    if (!visor) {
        visor = new VisorAyuda(padre);
        visor->setAttribute(Qt::WA_DeleteOnClose);
    }
    visor->Mostrar(tema);
    visor->show();
    visor->raise();
    visor->activateWindow();
    return visor;
}

QString AcercaDe::InformacionSistema(const QString& carpeta, const QStringList& impresoras) {
    return QStringLiteral("ZUL Velquira %1\nQt %2\nSistema: %3 (%4)\nPlataforma gráfica: %5\n"
                          "Impresoras: %6\nCarpeta de ajustes: %7")
        .arg(QStringLiteral(VELQUIRA_VERSION), QString::fromLatin1(qVersion()),
             QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture(),
             QGuiApplication::platformName(),
             impresoras.isEmpty() ? QStringLiteral("ninguna")
                                  : impresoras.join(QStringLiteral(", ")),
             carpeta);
}

AcercaDe::AcercaDe(const QString& carpeta, const QStringList& impresoras, QWidget* padre)
    : QDialog(padre) {
    setObjectName(QStringLiteral("AcercaDe"));
    setWindowTitle(QStringLiteral("Acerca de ZUL Velquira"));
    auto* imagen = new QLabel(this);
    imagen->setPixmap(Splash::Imagen());
    auto* texto = new QLabel(QStringLiteral("<b>ZUL Velquira</b><br>Versión %1<br>Numeración de "
                                            "impresos")
                                 .arg(QStringLiteral(VELQUIRA_VERSION)),
                             this);
    auto* info = new QPushButton(QStringLiteral("&Información del sistema..."), this);
    info->setObjectName(QStringLiteral("BtnInfo"));
    auto* aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    connect(aceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(info, &QPushButton::clicked, this, [this, carpeta, impresoras] {
        QMessageBox caja(QMessageBox::Information, QStringLiteral("Información del sistema"),
                         InformacionSistema(carpeta, impresoras), QMessageBox::NoButton, this);
        caja.addButton(QStringLiteral("&Aceptar"), QMessageBox::AcceptRole);
        caja.exec();
    });
    auto* l = new QVBoxLayout(this);
    l->addWidget(imagen);
    l->addWidget(texto);
    auto* botones = new QHBoxLayout;
    botones->addWidget(info);
    botones->addStretch();
    botones->addWidget(aceptar);
    l->addLayout(botones);
}
