#include "RegistroTiradas.h"

#include "core/fallas/Falla.h"
#include "core/trabajo/Numeracion.h"
#include "core/trabajo/Trabajo.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

namespace {
const QString kArchivo = QStringLiteral("tiradas.jsonl");
const QString kAnterior = QStringLiteral("tiradas.1.jsonl");

// Another program holding the lock longer than this is stuck or gone.
constexpr int kEsperaCandado = 10000; // ms

const QString kEstados[] = {QStringLiteral("sin terminar"), QStringLiteral("completa"),
                            QStringLiteral("cancelada"), QStringLiteral("fallida")};

QString Resumen(const QByteArray& datos) {
    return QString::fromLatin1(
        QCryptographicHash::hash(datos, QCryptographicHash::Sha256).toHex().left(32));
}

QString Numero(double v) {
    return QString::number(v, 'g', 17);
}

QString Nativa(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

QString TextoNoEscrito(const QString& ruta) {
    return QStringLiteral("No se pudo escribir en el historial de tiradas %1: el disco está lleno "
                          "o la carpeta no admite escritura.")
        .arg(Nativa(ruta));
}
} // namespace

std::optional<qint32> RegistroTirada::ultimaEnviada() const {
    if (enviadas <= 0)
        return std::nullopt;
    return inverso ? hasta - enviadas + 1 : desde + enviadas - 1;
}

std::optional<RangoHojas> RegistroTirada::restantes() const {
    const RangoHojas r =
        inverso ? RangoHojas{desde, hasta - enviadas} : RangoHojas{desde + enviadas, hasta};
    if (r.desde > r.hasta)
        return std::nullopt;
    return r;
}

qint32 RegistroTirada::siguiente() const {
    return inverso ? hasta - enviadas : desde + enviadas;
}

QJsonObject AJson(const RegistroTirada& r) {
    QJsonObject o;
    o[u"id"] = r.id;
    o[u"inicio"] = r.inicio.toString(Qt::ISODateWithMs);
    if (r.fin.isValid())
        o[u"fin"] = r.fin.toString(Qt::ISODateWithMs);
    o[u"trabajo"] = r.trabajo;
    o[u"huella"] = r.huella;
    o[u"huellaHoja"] = r.huellaHoja;
    o[u"destino"] = r.destino;
    o[u"pdf"] = r.pdf;
    o[u"correccion"] =
        QJsonObject{{QStringLiteral("x"), r.correccionX}, {QStringLiteral("y"), r.correccionY}};
    o[u"hojasTirada"] = r.hojasTirada;
    o[u"desde"] = r.desde;
    o[u"hasta"] = r.hasta;
    o[u"inverso"] = r.inverso;
    o[u"enviadas"] = r.enviadas;
    if (const auto u = r.ultimaEnviada())
        o[u"ultimaEnviada"] = *u;
    if (r.enEnvio > r.enviadas)
        o[u"enEnvio"] = r.enEnvio;
    o[u"estado"] = kEstados[static_cast<int>(r.estado)];
    o[u"resultado"] = TextoResultado(r);
    if (r.hojaFin > 0)
        o[u"hojaFin"] = r.hojaFin;
    if (!r.falla.isEmpty())
        o[u"falla"] = r.falla;
    if (!r.continuaDe.isEmpty())
        o[u"continuaDe"] = r.continuaDe;
    o[u"programa"] = r.programa;
    o[u"pid"] = r.pid;
    QJsonArray cuadros;
    for (const CuadroTirada& c : r.cuadros)
        cuadros.append(QJsonObject{{QStringLiteral("cuadro"), c.numero},
                                   {QStringLiteral("huella"), c.huella},
                                   {QStringLiteral("primero"), c.primero},
                                   {QStringLiteral("ultimo"), c.ultimo}});
    o[u"cuadros"] = cuadros;
    return o;
}

std::optional<RegistroTirada> DeJson(const QJsonObject& o) {
    RegistroTirada r;
    r.id = o.value(u"id").toString();
    r.inicio = QDateTime::fromString(o.value(u"inicio").toString(), Qt::ISODateWithMs);
    const int estado = static_cast<int>(
        std::find(std::begin(kEstados), std::end(kEstados), o.value(u"estado").toString()) -
        std::begin(kEstados));
    const auto entero = [&](QStringView clave) { return o.value(clave).toInteger(-1); };
    if (r.id.isEmpty() || !r.inicio.isValid() || estado >= 4 || entero(u"desde") < 1 ||
        entero(u"hasta") < entero(u"desde") || entero(u"enviadas") < 0 ||
        entero(u"enviadas") > entero(u"hasta") - entero(u"desde") + 1 ||
        !o.value(u"destino").isString())
        return std::nullopt;
    r.estado = static_cast<EstadoTirada>(estado);
    if (o.contains(u"fin"))
        r.fin = QDateTime::fromString(o.value(u"fin").toString(), Qt::ISODateWithMs);
    r.trabajo = o.value(u"trabajo").toString();
    r.huella = o.value(u"huella").toString();
    r.huellaHoja = o.value(u"huellaHoja").toString();
    r.destino = o.value(u"destino").toString();
    r.pdf = o.value(u"pdf").toBool();
    const QJsonObject c = o.value(u"correccion").toObject();
    r.correccionX = c.value(u"x").toDouble();
    r.correccionY = c.value(u"y").toDouble();
    r.hojasTirada = static_cast<qint32>(o.value(u"hojasTirada").toInteger());
    r.desde = static_cast<qint32>(entero(u"desde"));
    r.hasta = static_cast<qint32>(entero(u"hasta"));
    r.inverso = o.value(u"inverso").toBool();
    r.enviadas = static_cast<qint32>(entero(u"enviadas"));
    r.enEnvio = std::clamp(static_cast<qint32>(o.value(u"enEnvio").toInteger()), r.enviadas,
                           r.hasta - r.desde + 1);
    r.hojaFin = static_cast<qint32>(o.value(u"hojaFin").toInteger());
    r.falla = o.value(u"falla").toString();
    r.continuaDe = o.value(u"continuaDe").toString();
    r.programa = o.value(u"programa").toString();
    r.pid = o.value(u"pid").toInteger();
    for (const QJsonValue& v : o.value(u"cuadros").toArray()) {
        const QJsonObject b = v.toObject();
        r.cuadros.push_back({static_cast<qint32>(b.value(u"cuadro").toInteger()),
                             b.value(u"huella").toString(), b.value(u"primero").toString(),
                             b.value(u"ultimo").toString()});
    }
    return r;
}

QString TextoHojas(qint32 primera, qint32 ultima) {
    return primera == ultima ? QString::number(primera)
                             : QStringLiteral("%1 a %2").arg(primera).arg(ultima);
}

QString TextoEnviadas(const RegistroTirada& r) {
    const auto u = r.ultimaEnviada();
    return u ? TextoHojas(r.primera(), *u) : QStringLiteral("ninguna");
}

QString TextoResultado(const RegistroTirada& r) {
    switch (r.estado) {
    case EstadoTirada::Completa:
        return QStringLiteral("completa");
    case EstadoTirada::Cancelada:
        return QStringLiteral("cancelada en la hoja %1").arg(r.hojaFin);
    case EstadoTirada::Fallida:
        return r.hojaFin > 0 ? QStringLiteral("falló en la hoja %1: %2").arg(r.hojaFin).arg(r.falla)
                             : QStringLiteral("falló: %1").arg(r.falla);
    case EstadoTirada::SinTerminar:
        break;
    }
    const auto u = r.ultimaEnviada();
    QString texto = u ? QStringLiteral("sin terminar (última hoja enviada: %1").arg(*u)
                      : QStringLiteral("sin terminar (no se envió ninguna hoja");
    if (r.enEnvio > r.enviadas) {
        const qint32 a = r.inverso ? r.hasta - r.enviadas : r.desde + r.enviadas;
        const qint32 b = r.inverso ? r.hasta - r.enEnvio + 1 : r.desde + r.enEnvio - 1;
        texto += QStringLiteral("; las hojas %1 pudieron enviarse").arg(TextoHojas(a, b));
    }
    return texto + u')';
}

QString HuellaHoja(const ::Trabajo& h) {
    return Resumen(QStringLiteral("%1|%2|%3").arg(h.HAncho).arg(h.HAlto).arg(h.HOrienta).toUtf8());
}

QString HuellaCuadro(const Cuadro& c) {
    const QStringList campos = {QString::number(c.Cifras),
                                Numero(c.Inicio),
                                Numero(c.Fin),
                                QString::number(c.Salto),
                                c.TextoIzq,
                                c.TextoDer,
                                c.FontName,
                                Numero(c.FontSize),
                                QString::number(c.FontBold),
                                QString::number(c.FontItalic),
                                QString::number(c.FontUnderline),
                                QString::number(c.FontStrikethru),
                                QString::number(c.PosX),
                                QString::number(c.PosY),
                                QString::number(c.Color),
                                QString::number(c.Rotacion)};
    QByteArray datos;
    for (const QString& campo : campos)
        datos += campo.toUtf8().toBase64() + '|';
    return Resumen(datos);
}

QString HuellaTrabajo(const ::Trabajo& hoja, const std::vector<Cuadro>& cuadros) {
    QByteArray datos = HuellaHoja(hoja).toLatin1();
    for (size_t i = 0; i < cuadros.size(); ++i)
        if (cuadros[i].EnUso)
            datos += QStringLiteral("|%1:%2").arg(i + 1).arg(HuellaCuadro(cuadros[i])).toLatin1();
    return Resumen(datos);
}

QStringList CambiosDesde(const RegistroTirada& r, const ::Trabajo& hoja,
                         const std::vector<Cuadro>& cuadros) {
    QStringList cambios;
    if (r.huella == HuellaTrabajo(hoja, cuadros))
        return cambios;
    if (r.huellaHoja != HuellaHoja(hoja))
        cambios.append(QStringLiteral("la hoja (tamaño u orientación)"));
    QHash<qint32, QString> antes;
    for (const CuadroTirada& c : r.cuadros)
        antes.insert(c.numero, c.huella);
    for (size_t i = 0; i < cuadros.size(); ++i) {
        if (!cuadros[i].EnUso)
            continue;
        const qint32 n = static_cast<qint32>(i + 1);
        const auto it = antes.constFind(n);
        if (it == antes.cend())
            cambios.append(QStringLiteral("el cuadro Nº %1 es nuevo").arg(n));
        else if (*it != HuellaCuadro(cuadros[i]))
            cambios.append(QStringLiteral("el cuadro Nº %1 cambió").arg(n));
        antes.remove(n);
    }
    QList<qint32> quitados = antes.keys();
    std::sort(quitados.begin(), quitados.end());
    for (const qint32 n : quitados)
        cambios.append(QStringLiteral("el cuadro Nº %1 ya no está").arg(n));
    if (cambios.isEmpty()) // a record without the parts' hashes
        cambios.append(QStringLiteral("el contenido del trabajo"));
    return cambios;
}

RegistroTirada NuevaTirada(const ::Trabajo& hoja, const std::vector<Cuadro>& cuadros,
                           const QString& ruta, const QString& destino, bool pdf,
                           const Tirada& tirada) {
    RegistroTirada r;
    r.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    r.inicio = QDateTime::currentDateTime();
    if (!ruta.isEmpty()) {
        const QFileInfo info(ruta);
        r.trabajo =
            info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    }
    r.huella = HuellaTrabajo(hoja, cuadros);
    r.huellaHoja = HuellaHoja(hoja);
    r.destino = destino;
    r.pdf = pdf;
    r.correccionX = tirada.ajusteX;
    r.correccionY = tirada.ajusteY;
    r.hojasTirada = tirada.hojas.value_or(0);
    const auto hojas = HojasDeTirada(tirada, r.hojasTirada);
    r.desde = hojas ? hojas->first : 1;
    r.hasta = hojas ? hojas->second : 1;
    r.inverso = tirada.inverso;
    r.programa = QCoreApplication::applicationName();
    r.pid = QCoreApplication::applicationPid();
    for (size_t i = 0; i < cuadros.size(); ++i)
        if (cuadros[i].EnUso)
            r.cuadros.push_back({static_cast<qint32>(i + 1), HuellaCuadro(cuadros[i]), {}, {}});
    return r;
}

RegistroTiradas::RegistroTiradas(QString carpeta, qint64 tamanoMaximo)
    : m_carpeta(std::move(carpeta)), m_tamanoMaximo(tamanoMaximo) {}

QString RegistroTiradas::CarpetaPorDefecto() {
    const QString env = qEnvironmentVariable("VELQUIRA_TIRADAS");
    if (!env.isEmpty())
        return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/ZUL Velquira");
}

QString RegistroTiradas::ruta() const {
    return m_carpeta + u'/' + kArchivo;
}

QString RegistroTiradas::rutaAnterior() const {
    return m_carpeta + u'/' + kAnterior;
}

std::optional<QString> RegistroTiradas::anotar(const RegistroTirada& r) {
    if (!activo())
        return std::nullopt;
    if (!QDir().mkpath(m_carpeta))
        return TextoNoEscrito(ruta());
    QLockFile candado(ruta() + QStringLiteral(".lock"));
    if (!candado.tryLock(kEsperaCandado)) {
        if (candado.error() != QLockFile::LockFailedError) // the lock file cannot be written
            return TextoNoEscrito(ruta());
        return QStringLiteral("El historial de tiradas %1 está bloqueado por otro programa.")
            .arg(Nativa(ruta()));
    }
    if (QFileInfo(ruta()).size() > m_tamanoMaximo) {
        QFile::remove(rutaAnterior());
        if (!QFile::rename(ruta(), rutaAnterior()))
            return TextoNoEscrito(ruta());
    }
    QFile f(ruta());
    if (!f.open(QIODevice::ReadWrite))
        return TextoNoEscrito(ruta());
    const qint64 tamano = f.size();
    QByteArray linea = QJsonDocument(AJson(r)).toJson(QJsonDocument::Compact) + '\n';
    // A line a killed program left without its end stays a line of its own.
    char ultimo = '\n';
    if (tamano > 0 && (!f.seek(tamano - 1) || !f.getChar(&ultimo)))
        return TextoNoEscrito(ruta());
    if (ultimo != '\n')
        linea.prepend('\n');
    if (!f.seek(tamano) || f.write(linea) != linea.size() || !f.flush()) {
        f.resize(tamano); // no half line behind
        return TextoNoEscrito(ruta());
    }
    return std::nullopt;
}

RegistroTiradas::Lectura RegistroTiradas::leer() const {
    Lectura l;
    if (!activo())
        return l;
    QHash<QString, size_t> indice;
    for (const QString& ruta : {rutaAnterior(), ruta()}) {
        QFile f(ruta);
        if (!f.exists())
            continue;
        if (!f.open(QIODevice::ReadOnly)) {
            l.avisos.append(
                QStringLiteral("No se pudo leer el historial de tiradas %1.").arg(Nativa(ruta)));
            continue;
        }
        qint64 numero = 0;
        while (!f.atEnd()) {
            const QByteArray linea = f.readLine().trimmed();
            ++numero;
            if (linea.isEmpty())
                continue;
            const QJsonDocument doc = QJsonDocument::fromJson(linea);
            const auto r = doc.isObject() ? DeJson(doc.object()) : std::nullopt;
            if (!r) {
                l.avisos.append(QStringLiteral("La línea %1 del historial de tiradas %2 está "
                                               "dañada: se omite.")
                                    .arg(numero)
                                    .arg(Nativa(ruta)));
                continue;
            }
            const auto it = indice.constFind(r->id);
            if (it != indice.cend()) {
                l.tiradas[*it] = *r;
            } else {
                indice.insert(r->id, l.tiradas.size());
                l.tiradas.push_back(*r);
            }
        }
    }
    // Newest first; of two begun in the same instant, the later in the log.
    std::reverse(l.tiradas.begin(), l.tiradas.end());
    std::stable_sort(
        l.tiradas.begin(), l.tiradas.end(),
        [](const RegistroTirada& a, const RegistroTirada& b) { return a.inicio > b.inicio; });
    return l;
}

bool DelTrabajo(const RegistroTirada& r, const QString& trabajo) {
    if (trabajo.isEmpty() || r.trabajo.isEmpty())
        return false;
    const QFileInfo info(trabajo);
    const QString canonica = info.canonicalFilePath();
    return r.trabajo == info.absoluteFilePath() ||
           (!canonica.isEmpty() &&
            (r.trabajo == canonica || QFileInfo(r.trabajo).canonicalFilePath() == canonica));
}

std::optional<RegistroTirada> UltimaTiradaDe(const RegistroTiradas::Lectura& l,
                                             const QString& trabajo) {
    for (const RegistroTirada& r : l.tiradas)
        if (DelTrabajo(r, trabajo))
            return r;
    return std::nullopt;
}

AnotacionTirada::AnotacionTirada(RegistroTiradas& registro, RegistroTirada tirada,
                                 const std::vector<Cuadro>& cuadros)
    : m_registro(registro), m_r(std::move(tirada)), m_cuadros(cuadros) {}

std::optional<QString> AnotacionTirada::iniciar() {
    escribir();
    return m_error;
}

void AnotacionTirada::enviando(qint32 hojas) {
    m_r.enEnvio = hojas;
    escribir();
}

void AnotacionTirada::entregadas(qint32 hojas) {
    m_r.enviadas = hojas;
    m_r.enEnvio = hojas;
    const qint32 primera = m_r.primera() - 1;
    const qint32 ultima = *m_r.ultimaEnviada() - 1;
    size_t j = 0;
    for (const Cuadro& c : m_cuadros) {
        if (!c.EnUso)
            continue;
        if (j >= m_r.cuadros.size())
            break;
        CuadroTirada& t = m_r.cuadros[j++];
        try {
            t.primero = TextoCuadroHoja(c, primera);
            t.ultimo = TextoCuadroHoja(c, ultima);
        } catch (const Falla&) {
            // The sheet loop met the same failure and tells it.
        }
    }
    escribir();
}

void AnotacionTirada::terminada(FinTirada fin, qint32 hoja, const QString& falla) {
    m_r.fin = QDateTime::currentDateTime();
    m_r.enEnvio = m_r.enviadas; // a part that failed on its way was not delivered
    switch (fin) {
    case FinTirada::Terminada:
        m_r.estado = EstadoTirada::Completa;
        break;
    case FinTirada::Cancelada:
        m_r.estado = EstadoTirada::Cancelada;
        break;
    case FinTirada::SinHojas:
        m_r.estado = EstadoTirada::Fallida;
        m_r.falla = QStringLiteral("No hay hojas que imprimir.");
        break;
    case FinTirada::Abandonada:
        m_r.estado = EstadoTirada::Fallida;
        m_r.falla = falla.isEmpty() ? QStringLiteral("la impresión se abandonó") : falla;
        break;
    }
    if (fin != FinTirada::Terminada)
        m_r.hojaFin = hoja;
    escribir();
}

void AnotacionTirada::escribir() {
    if (auto e = m_registro.anotar(m_r))
        m_error = e;
}
