// The system's programs the end-to-end tests run: CUPS's queue tools and
// poppler's PDF readers, and the job of one box those tests print.
#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSize>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace externos {

// Runs `programa`: what it wrote (standard output, then error), and in
// `codigo` its exit code, or -1 when it did not end within two minutes or
// crashed.
inline QString Ejecutar(const QString& programa, const QStringList& args, int* codigo = nullptr,
                        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(programa, args);
    const bool termino = p.waitForFinished(120000);
    if (codigo)
        *codigo = termino && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

// The same, the exit code first.
inline int Correr(const QString& programa, const QStringList& args, QString* salida = nullptr) {
    int codigo = -1;
    const QString texto = Ejecutar(programa, args, &codigo);
    if (salida)
        *salida = texto;
    return codigo;
}

// A queue on the tests' PDF printer that holds its jobs: they stay in it,
// documents and all, to be looked at.
inline bool CrearColaRetenida(const QString& cola, const QStringList& opciones = {}) {
    return Correr("lpadmin", QStringList{"-p", cola, "-E", "-v", "cups-pdf:/velquira", "-P",
                                         "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"} +
                                 opciones) == 0 &&
           Correr("cupsdisable", {cola}) == 0;
}

inline void QuitarCola(const QString& cola) {
    Correr("cancel", {"-a", cola});
    Correr("lpadmin", {"-x", cola});
}

// The jobs waiting in `cola`, as lpstat lists them (one line each).
inline QStringList TrabajosEnCola(const QString& cola) {
    QString s;
    Correr("lpstat", {"-o", cola}, &s);
    return s.split(u'\n', Qt::SkipEmptyParts);
}

// Their ids, oldest first.
inline QList<int> IdsEnCola(const QString& cola) {
    static const QRegularExpression re(QStringLiteral("^\\S+-(\\d+)\\s"));
    QList<int> ids;
    for (const QString& linea : TrabajosEnCola(cola)) {
        const auto m = re.match(linea);
        if (m.hasMatch())
            ids.append(m.captured(1).toInt());
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

// One box of a job file as an older installation writes it: Arial 20 pt,
// plain, guide lines on, step 1, numbers `inicio`..`fin` with `cifras` digits.
struct CuadroArchivo {
    int x, y;
    int inicio, fin;
    int rotacion = 0;
    int cifras = 6;
};

// The text of a job file of a sheet `hoja` (twips, width x height) at 50 %
// holding `cuadros`, in Windows-1252 with CR LF line ends.
inline QByteArray TextoTrabajo(QSize hoja, const QList<CuadroArchivo>& cuadros) {
    const auto n = [](int v) { return QString(" %1 ").arg(v); };
    QStringList l = {"<{ZUL54-091-560202}>", " 310 ",         " 500 ", " 10 ",
                     n(hoja.height()),       n(hoja.width()), " 0,5 "};
    for (int i = 0; i < cuadros.size(); ++i) {
        const CuadroArchivo& c = cuadros[i];
        l += QStringList{"***&&&***", n(i),    "False",       "False",     "Arial",  " 20 ",
                         "False",     "False", "True",        n(c.cifras), n(c.fin), n(c.inicio),
                         " 1 ",       "True",  n(c.x),        "",          "",       n(c.y),
                         " 0 ",       "False", n(c.rotacion), " 0 "};
    }
    return (l.join("\r\n") + "\r\n").toLatin1();
}

// A4 portrait, one box numbering 1..`hojas` with six digits at 2 cm, 2 cm.
inline QByteArray TrabajoDeHojas(int hojas) {
    return TextoTrabajo({11907, 16840}, {{1134, 1134, 1, hojas}});
}

struct Palabra {
    QString texto;
    QRectF caja; // points
};

// Every word of every page of a PDF with its box, as pdftotext -bbox finds them.
inline QList<QList<Palabra>> Palabras(const QString& pdf) {
    const QString html = Ejecutar("pdftotext", {"-bbox", pdf, "-"});
    QList<QList<Palabra>> paginas;
    static const QRegularExpression re(
        R"re(<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
    auto it = re.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            paginas.append(QList<Palabra>());
            continue;
        }
        if (paginas.isEmpty())
            paginas.append(QList<Palabra>());
        paginas.last().append(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return paginas;
}

} // namespace externos
