#include "EscritorPdf.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QIODevice>
#include <QRawFont>
#include <QTemporaryFile>

#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <optional>

namespace {
// --- numbers as PDF writes them ---

// `v` with at most `decimales` decimals, no trailing zeros, no exponent.
void Num(std::string& s, double v, int decimales = 3) {
    static constexpr qint64 kPotencias[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const qint64 escala = kPotencias[decimales];
    qint64 n = std::llround(v * double(escala));
    if (n < 0) {
        s += '-';
        n = -n;
    }
    char tmp[32];
    int largo = 0;
    qint64 entero = n / escala;
    qint64 fraccion = n % escala;
    do {
        tmp[largo++] = char('0' + entero % 10);
        entero /= 10;
    } while (entero);
    while (largo)
        s += tmp[--largo];
    if (fraccion) {
        int d = decimales;
        while (fraccion % 10 == 0) {
            fraccion /= 10;
            --d;
        }
        s += '.';
        for (int i = d - 1; i >= 0; --i) {
            tmp[i] = char('0' + fraccion % 10);
            fraccion /= 10;
        }
        s.append(tmp, size_t(d));
    }
}

void Entero(std::string& s, quint64 v) {
    char tmp[24];
    int largo = 0;
    do {
        tmp[largo++] = char('0' + v % 10);
        v /= 10;
    } while (v);
    while (largo)
        s += tmp[--largo];
}

constexpr char kHex[] = "0123456789ABCDEF";

void Hex16(std::string& s, quint16 v) {
    s += kHex[v >> 12];
    s += kHex[(v >> 8) & 15];
    s += kHex[(v >> 4) & 15];
    s += kHex[v & 15];
}

// A text string as UTF-16BE with its byte-order mark, in hex.
std::string TextoPdf(const QString& t) {
    std::string s = "<FEFF";
    for (const QChar c : t)
        Hex16(s, c.unicode());
    s += '>';
    return s;
}

QString CodigoU(char32_t c) {
    return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

quint16 Be16(const QByteArray& t, int i) {
    if (i + 2 > t.size())
        return 0;
    return quint16((uchar(t[i]) << 8) | uchar(t[i + 1]));
}

qint16 BeS16(const QByteArray& t, int i) {
    return qint16(Be16(t, i));
}
} // namespace

// --- faces ---

struct CaraPdf {
    QRawFont raw; // holds Qt's font engine, whose tables these are
    QString familia;
    QHash<hb_tag_t, QByteArray> tablas;
    hb_face_t* cara = nullptr;
    hb_font_t* base = nullptr; // scaled to font units
    unsigned upem = 1000;
    unsigned glifos = 0;
    bool negrita = false; // the face's own style, as FreeType reads it
    bool cursiva = false;
    int numero = 0;     // /F<numero> in the resources
    quint32 objeto = 0; // the Type0 font's object

    // The document's codes: each a glyph with the text it stands for, so a
    // glyph drawn for two different texts extracts as each.
    std::vector<quint32> gidDeCid{0};
    std::vector<QString> textoDeCid{QString()};
    std::vector<int> anchoDeCid{0}; // font units
    std::vector<quint16> cidSimple; // per glyph: its code for a single UTF-16 unit
    std::vector<char16_t> unidadSimple;
    QHash<QString, quint16> cidsOtros;

    ~CaraPdf() {
        hb_font_destroy(base);
        hb_face_destroy(cara);
    }
};

struct TamanoCara {
    CaraPdf* cara = nullptr;
    hb_font_t* fuente = nullptr;
    int ppem = 0;
    qint64 escalaX = 0; // FreeType's 16.16 scale from font units to 26.6 pixels
    bool negritaPedida = false;
    bool cursivaPedida = false;
    ~TamanoCara() { hb_font_destroy(fuente); }
};

namespace {
hb_blob_t* TablaCara(hb_face_t*, hb_tag_t etiqueta, void* datos) {
    auto* c = static_cast<CaraPdf*>(datos);
    auto it = c->tablas.find(etiqueta);
    if (it == c->tablas.end()) {
        char nombre[5];
        hb_tag_to_string(etiqueta, nombre);
        nombre[4] = 0;
        it = c->tablas.insert(etiqueta, c->raw.fontTable(nombre));
    }
    if (it->isEmpty())
        return nullptr;
    return hb_blob_create(it->constData(), unsigned(it->size()), HB_MEMORY_MODE_READONLY, nullptr,
                          nullptr);
}

// The advance Qt's FreeType engine gives an unhinted scalable face: the
// linear advance in 16.16 pixels (FT_MulDiv of the font units by the scale),
// cut to 26.6. HarfBuzz scales kerning from this font's scale, as in Qt.
hb_position_t AvanceQt(hb_font_t*, void* datos, hb_codepoint_t glifo, void*) {
    const auto* t = static_cast<const TamanoCara*>(datos);
    const qint64 unidades = hb_font_get_glyph_h_advance(t->cara->base, glifo);
    const qint64 lineal =
        unidades >= 0 ? (unidades * t->escalaX + 32) / 64 : -((-unidades * t->escalaX + 32) / 64);
    return hb_position_t(lineal >> 10);
}

hb_font_funcs_t* FuncionesQt() {
    static hb_font_funcs_t* f = [] {
        hb_font_funcs_t* n = hb_font_funcs_create();
        hb_font_funcs_set_glyph_h_advance_func(n, AvanceQt, nullptr, nullptr);
        hb_font_funcs_make_immutable(n);
        return n;
    }();
    return f;
}

// Characters a run shapes on its own: Latin and the common ones (digits,
// punctuation, symbols), left to right, no marks or invisible controls.
std::optional<QString> MotivoNoSimple(char32_t c, bool& latino) {
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return QStringLiteral("el texto lleva un carácter de control o de combinación (%1)")
            .arg(CodigoU(c));
    default:
        break;
    }
    switch (QChar::direction(c)) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirRLI:
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirLRI:
    case QChar::DirFSI:
    case QChar::DirPDF:
    case QChar::DirPDI:
        return QStringLiteral("el texto se escribe de derecha a izquierda (%1)").arg(CodigoU(c));
    default:
        break;
    }
    const QChar::Script s = QChar::script(c);
    if (s == QChar::Script_Latin)
        latino = true;
    else if (s != QChar::Script_Common)
        return QStringLiteral("el texto usa una escritura que necesita más que una forma "
                              "simple (%1)")
            .arg(CodigoU(c));
    return std::nullopt;
}

// A name PDF accepts: letters, digits, '-' and '_'.
QByteArray NombrePostScript(hb_face_t* cara, const QString& familia) {
    char nombre[128] = {};
    unsigned largo = sizeof nombre;
    hb_ot_name_get_utf8(cara, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &largo, nombre);
    QByteArray r;
    for (const char c : QByteArray(nombre) + (nombre[0] ? QByteArray() : familia.toUtf8()))
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_')
            r += c;
    return r.isEmpty() ? QByteArrayLiteral("Fuente") : r;
}
} // namespace

// --- the writer ---

EscritorPdf::EscritorPdf() : m_zlib(std::make_unique<z_stream_s>()) {
    // Pages are a few hundred bytes: a small hash keeps the reset between
    // pages cheap and compresses them as well.
    std::memset(m_zlib.get(), 0, sizeof(z_stream_s));
    if (deflateInit2(m_zlib.get(), Z_BEST_SPEED, Z_DEFLATED, 12, 3, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
    m_hb = hb_buffer_create();
}

EscritorPdf::~EscritorPdf() {
    deflateEnd(m_zlib.get());
    hb_buffer_destroy(m_hb);
}

void EscritorPdf::abrir(QIODevice& salida, double ancho, double alto, double resolucion,
                        const QString& titulo) {
    descartar();
    m_xref = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                              QStringLiteral("/velquira-xref-XXXXXX"));
    if (!m_xref->open()) {
        m_xref.reset();
        throw NoExacto{QStringLiteral("no se puede escribir en la carpeta temporal %1")
                           .arg(QDir::toNativeSeparators(QDir::tempPath()))};
    }
    m_salida = &salida;
    m_ancho = ancho;
    m_alto = alto;
    m_escala = 72.0 / resolucion;
    m_titulo = titulo;
    m_buffer.reserve(1 << 18);
    escribir(std::string("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"));
}

void EscritorPdf::descartar() {
    m_salida = nullptr;
    m_xref.reset();
    m_buffer.clear();
    m_xrefBuffer.clear();
    m_posicion = 0;
    m_fallo = false;
    m_pagina.clear();
    m_paginaEmpezada = false;
    m_paginas = 0;
    // The next document embeds only what it draws.
    for (const auto& c : m_caras) {
        c->gidDeCid.assign(1, 0);
        c->textoDeCid.assign(1, QString());
        c->anchoDeCid.assign(1, 0);
        std::fill(c->cidSimple.begin(), c->cidSimple.end(), 0);
        c->cidsOtros.clear();
    }
    m_formado = TextoFormado();
    m_formadoEn = nullptr;
}

void EscritorPdf::escribir(const char* datos, size_t n) {
    m_buffer.append(datos, n);
    m_posicion += n;
    if (m_buffer.size() >= (1 << 18))
        vaciar();
}

void EscritorPdf::vaciar() {
    if (m_buffer.empty())
        return;
    if (!m_fallo && m_salida &&
        m_salida->write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size()))
        m_fallo = true;
    m_buffer.clear();
}

void EscritorPdf::objeto(quint32 n) {
    if (n < 5) {
        m_inicioObjetos[n] = m_posicion;
    } else {
        char fila[21];
        std::snprintf(fila, sizeof fila, "%010llu 00000 n\r\n",
                      static_cast<unsigned long long>(m_posicion));
        m_xrefBuffer.append(fila, 20);
        if (m_xrefBuffer.size() >= (1 << 16)) {
            if (m_xref->write(m_xrefBuffer.data(), qint64(m_xrefBuffer.size())) !=
                qint64(m_xrefBuffer.size()))
                m_fallo = true;
            m_xrefBuffer.clear();
        }
    }
    std::string s;
    Entero(s, n);
    s += " 0 obj\n";
    escribir(s);
}

void EscritorPdf::comprimir(const char* datos, size_t n) {
    z_stream_s& z = *m_zlib;
    deflateReset(&z);
    m_comprimido.resize(deflateBound(&z, uLong(n)));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(datos));
    z.avail_in = uInt(n);
    z.next_out = reinterpret_cast<Bytef*>(m_comprimido.data());
    z.avail_out = uInt(m_comprimido.size());
    deflate(&z, Z_FINISH);
    m_comprimido.resize(m_comprimido.size() - z.avail_out);
}

void EscritorPdf::escribirStream(quint32 n, const QByteArray& datos, const std::string& extra) {
    comprimir(datos.constData(), size_t(datos.size()));
    objeto(n);
    std::string s = "<< /Length ";
    Entero(s, m_comprimido.size());
    s += " /Filter /FlateDecode" + extra + " >>\nstream\n";
    escribir(s);
    escribir(m_comprimido);
    escribir(std::string("\nendstream\nendobj\n"));
}

// --- pages ---

void EscritorPdf::empezarPagina() {
    m_pagina.clear();
    Num(m_pagina, m_escala, 6);
    m_pagina += " 0 0 ";
    Num(m_pagina, -m_escala, 6);
    m_pagina += " 0 ";
    Num(m_pagina, m_alto);
    m_pagina += " cm\n";
    m_hayRelleno = m_hayTrazo = false;
    m_paginaEmpezada = true;
}

void EscritorPdf::cerrarPagina() {
    if (!m_paginaEmpezada)
        return;
    comprimir(m_pagina.data(), m_pagina.size());
    const quint32 n = 5 + 2 * m_paginas;
    objeto(n);
    std::string s = "<< /Type /Page /Parent 2 0 R /Contents ";
    Entero(s, n + 1);
    s += " 0 R >>\nendobj\n";
    escribir(s);
    objeto(n + 1);
    s = "<< /Length ";
    Entero(s, m_comprimido.size());
    s += " /Filter /FlateDecode >>\nstream\n";
    escribir(s);
    escribir(m_comprimido);
    escribir(std::string("\nendstream\nendobj\n"));
    ++m_paginas;
    m_paginaEmpezada = false;
}

void EscritorPdf::nuevaPagina() {
    cerrarPagina();
    empezarPagina();
}

void EscritorPdf::fijarRelleno(const QColor& c) {
    if (m_hayRelleno && m_relleno == c.rgb())
        return;
    m_relleno = c.rgb();
    m_hayRelleno = true;
    Num(m_pagina, c.red() / 255.0, 4);
    m_pagina += ' ';
    Num(m_pagina, c.green() / 255.0, 4);
    m_pagina += ' ';
    Num(m_pagina, c.blue() / 255.0, 4);
    m_pagina += " rg\n";
}

void EscritorPdf::fijarTrazo(const QColor& c) {
    if (m_hayTrazo && m_trazo == c.rgb())
        return;
    m_trazo = c.rgb();
    m_hayTrazo = true;
    Num(m_pagina, c.red() / 255.0, 4);
    m_pagina += ' ';
    Num(m_pagina, c.green() / 255.0, 4);
    m_pagina += ' ';
    Num(m_pagina, c.blue() / 255.0, 4);
    m_pagina += " RG\n";
}

// --- fonts ---

TamanoCara& EscritorPdf::tamano(const QRawFont& fuente, double puntos) {
    const int ppem = qRound(fuente.pixelSize());
    if (!fuente.isValid() || ppem <= 0)
        throw NoExacto{QStringLiteral("Qt no da una fuente legible")};
    // One embedded font per face: the family, style and the face's header.
    const QByteArray cabecera = fuente.fontTable("head");
    const QByteArray clave = fuente.familyName().toUtf8() + '\0' + fuente.styleName().toUtf8() +
                             '\0' + cabecera + fuente.fontTable("hhea");
    CaraPdf* cara = m_carasPorClave.value(clave);
    if (!cara) {
        auto nueva = std::make_unique<CaraPdf>();
        CaraPdf& c = *nueva;
        c.raw = fuente;
        c.familia = fuente.familyName();
        if (fuente.fontTable("glyf").isEmpty() || fuente.fontTable("loca").isEmpty() ||
            cabecera.size() < 54 || fuente.fontTable("hmtx").isEmpty())
            throw NoExacto{QStringLiteral("la fuente «%1» no es TrueType").arg(c.familia)};
        c.cara = hb_face_create_for_tables(TablaCara, &c, nullptr);
        c.upem = hb_face_get_upem(c.cara);
        c.glifos = hb_face_get_glyph_count(c.cara);
        // Every outline the location table points at lies inside the glyph table.
        const QByteArray loca = fuente.fontTable("loca");
        const qint64 largoGlifos = fuente.fontTable("glyf").size();
        const bool corta = BeS16(cabecera, 50) == 0;
        const qint64 finLoca = corta ? qint64(Be16(loca, int(2 * c.glifos))) * 2
                                     : (qint64(Be16(loca, int(4 * c.glifos))) << 16) |
                                           Be16(loca, int(4 * c.glifos + 2));
        if (c.upem < 16 || c.glifos == 0 || loca.size() < qint64(c.glifos + 1) * (corta ? 2 : 4) ||
            finLoca > largoGlifos)
            throw NoExacto{QStringLiteral("la fuente «%1» está dañada").arg(c.familia)};
        c.base = hb_font_create(c.cara);
        hb_font_set_scale(c.base, int(c.upem), int(c.upem));
        c.cidSimple.assign(c.glifos, 0);
        c.unidadSimple.assign(c.glifos, 0);
        // Bold and italic as FreeType reads them (and Qt then synthesizes
        // what the face lacks): from OS/2's selection, else from the header.
        const QByteArray os2 = fuente.fontTable("OS/2");
        if (os2.size() >= 64 && Be16(os2, 0) != 0xFFFF) {
            const quint16 sel = Be16(os2, 62);
            c.cursiva = (sel & 512) || (sel & 1);
            c.negrita = sel & 32;
        } else {
            const quint16 estilo = Be16(cabecera, 44);
            c.negrita = estilo & 1;
            c.cursiva = estilo & 2;
        }
        c.numero = int(m_caras.size()) + 1;
        cara = &c;
        m_caras.push_back(std::move(nueva));
        m_carasPorClave.insert(clave, cara);
    }
    const bool negrita = fuente.weight() >= QFont::Bold;
    const bool cursiva = fuente.style() != QFont::StyleNormal;
    for (const auto& t : m_tamanos)
        if (t->cara == cara && t->ppem == ppem && t->negritaPedida == negrita &&
            t->cursivaPedida == cursiva)
            return *t;
    auto t = std::make_unique<TamanoCara>();
    t->cara = cara;
    t->ppem = ppem;
    t->negritaPedida = negrita;
    t->cursivaPedida = cursiva;
    t->escalaX = ((qint64(ppem) * 64 << 16) + cara->upem / 2) / cara->upem;
    t->fuente = hb_font_create_sub_font(cara->base);
    hb_font_set_funcs(t->fuente, FuncionesQt(), t.get(), nullptr);
    hb_font_set_scale(t->fuente, ppem * 64, -ppem * 64);
    hb_font_set_ppem(t->fuente, unsigned(ppem), unsigned(ppem));
    hb_font_set_ptem(t->fuente, float(puntos));
    m_tamanos.push_back(std::move(t));
    return *m_tamanos.back();
}

bool EscritorPdf::NegritaSintetica(const TamanoCara& t) {
    return t.negritaPedida && !t.cara->negrita;
}

bool EscritorPdf::CursivaSintetica(const TamanoCara& t) {
    return t.cursivaPedida && !t.cara->cursiva;
}

const TextoFormado& EscritorPdf::formar(TamanoCara& t, const QString& texto) {
    CaraPdf& c = *t.cara;
    TextoFormado& f = m_formado;
    // A run measures a turned text and then draws it: shaped once.
    if (m_formadoEn == &t && m_formadoTexto == texto)
        return f;
    m_formadoEn = nullptr;
    f.cids.clear();
    f.avances.clear();
    f.desplazamientos.clear();
    f.ancho = 0;
    if (texto.isEmpty())
        return f;
    bool latino = false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        char32_t u = texto[i].unicode();
        if (texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(texto[i], texto[i + 1]);
            ++i;
        }
        if (const auto motivo = MotivoNoSimple(u, latino))
            throw NoExacto{*motivo};
        hb_codepoint_t g = 0;
        if (!hb_font_get_nominal_glyph(c.base, u, &g) || g == 0)
            throw NoExacto{QStringLiteral("la fuente «%1» no tiene el carácter «%2» (%3)")
                               .arg(c.familia, QString::fromUcs4(&u, 1), CodigoU(u))};
    }
    hb_buffer_t* b = m_hb;
    hb_buffer_clear_contents(b);
    hb_buffer_add_utf16(b, reinterpret_cast<const uint16_t*>(texto.utf16()), int(texto.size()), 0,
                        int(texto.size()));
    hb_buffer_set_direction(b, HB_DIRECTION_LTR);
    hb_buffer_set_script(b, latino ? HB_SCRIPT_LATIN : HB_SCRIPT_COMMON);
    hb_buffer_set_language(b, hb_language_get_default());
    hb_buffer_set_flags(b, hb_buffer_flags_t(HB_BUFFER_FLAG_BOT | HB_BUFFER_FLAG_EOT));
    hb_shape(t.fuente, b, nullptr, 0);
    unsigned n = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(b, &n);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(b, nullptr);
    f.cids.reserve(n);
    f.avances.reserve(n);
    f.desplazamientos.reserve(n);
    for (unsigned i = 0; i < n; ++i) {
        const unsigned desde = info[i].cluster;
        const unsigned hasta = i + 1 < n ? info[i + 1].cluster : unsigned(texto.size());
        if (hasta <= desde || pos[i].y_offset || pos[i].y_advance)
            throw NoExacto{
                QStringLiteral("el texto «%1» necesita más que una forma simple").arg(texto)};
        const hb_codepoint_t g = info[i].codepoint;
        quint16 cid = 0;
        if (hasta - desde == 1 && g < c.glifos && c.cidSimple[g] &&
            c.unidadSimple[g] == texto[desde].unicode()) {
            cid = c.cidSimple[g];
        } else {
            const QString trozo = texto.mid(desde, hasta - desde);
            const QString clave = QString::number(g) + u':' + trozo;
            cid = c.cidsOtros.value(clave);
            if (!cid) {
                if (c.gidDeCid.size() >= 0xFFFF)
                    throw NoExacto{QStringLiteral("el documento usa demasiados glifos")};
                // A glyph first met: its outline must be readable.
                hb_glyph_extents_t e;
                if (g >= c.glifos || !hb_font_get_glyph_extents(c.base, g, &e))
                    throw NoExacto{QStringLiteral("la fuente «%1» está dañada").arg(c.familia)};
                cid = quint16(c.gidDeCid.size());
                c.gidDeCid.push_back(g);
                c.textoDeCid.push_back(trozo);
                c.anchoDeCid.push_back(hb_font_get_glyph_h_advance(c.base, g));
                c.cidsOtros.insert(clave, cid);
                if (trozo.size() == 1 && !c.cidSimple[g]) {
                    c.cidSimple[g] = cid;
                    c.unidadSimple[g] = trozo[0].unicode();
                }
            }
        }
        f.cids.push_back(cid);
        f.avances.push_back(pos[i].x_advance);
        f.desplazamientos.push_back(pos[i].x_offset);
        f.ancho += pos[i].x_advance;
    }
    m_formadoEn = &t;
    m_formadoTexto = texto;
    return f;
}

void EscritorPdf::texto(TamanoCara& t, const TextoFormado& f, const QTransform& m, QPointF origen,
                        const QColor& color, bool cursiva, double desplazamientoNegrita) {
    if (f.cids.empty())
        return;
    if (!m_paginaEmpezada)
        empezarPagina();
    CaraPdf& c = *t.cara;
    fijarRelleno(color);
    const double sesgo = cursiva ? 0.3 : 0;
    const double ppem = t.ppem;
    // Text space: x along the baseline, y up, one unit a device unit of the font's size.
    const double a = m.m11(), b = m.m12(), cc = sesgo * m.m11() - m.m21(),
                 d = sesgo * m.m12() - m.m22();
    const auto correr = [&](QPointF o) {
        const QPointF e = m.map(o);
        m_pagina += "BT /F";
        Entero(m_pagina, quint64(c.numero));
        m_pagina += ' ';
        Entero(m_pagina, quint64(t.ppem));
        m_pagina += " Tf ";
        Num(m_pagina, a, 6);
        m_pagina += ' ';
        Num(m_pagina, b, 6);
        m_pagina += ' ';
        Num(m_pagina, cc, 6);
        m_pagina += ' ';
        Num(m_pagina, d, 6);
        m_pagina += ' ';
        Num(m_pagina, e.x());
        m_pagina += ' ';
        Num(m_pagina, e.y());
        m_pagina += " Tm [<";
        // Each glyph where Qt puts it: the widths carry the pen, and a
        // correction follows wherever it strays (kerning, Qt's truncation).
        double real = 0;
        qint64 objetivo = 0;
        bool abierta = true;
        for (size_t i = 0; i < f.cids.size(); ++i) {
            const double desvio = (objetivo + f.desplazamientos[i]) / 64.0 - real;
            if (std::abs(desvio) > 0.004) {
                const double ajuste = std::round(-desvio * 1000.0 / ppem * 100.0) / 100.0;
                if (ajuste != 0) {
                    if (abierta)
                        m_pagina += '>';
                    Num(m_pagina, ajuste, 2);
                    m_pagina += '<';
                    abierta = true;
                    real -= ajuste * ppem / 1000.0;
                }
            }
            const quint16 cid = f.cids[i];
            Hex16(m_pagina, cid);
            real += std::round(c.anchoDeCid[cid] * 1000.0 / c.upem) * ppem / 1000.0;
            objetivo += f.avances[i];
        }
        m_pagina += ">] TJ ET\n";
    };
    correr(origen);
    if (desplazamientoNegrita > 0) {
        // Qt's synthetic bold: the run again, a hair to the left, marked so
        // that its text is not extracted twice.
        m_pagina += "/Span << /ActualText () >> BDC\n";
        correr(origen - QPointF(desplazamientoNegrita, 0));
        m_pagina += "EMC\n";
    }
}

void EscritorPdf::linea(QPointF p, QPointF q, double ancho, bool cuadrado, const QColor& color) {
    if (!m_paginaEmpezada)
        empezarPagina();
    fijarTrazo(color);
    Num(m_pagina, ancho);
    m_pagina += cuadrado ? " w 2 J 2 j " : " w 0 J 2 j ";
    Num(m_pagina, p.x());
    m_pagina += ' ';
    Num(m_pagina, p.y());
    m_pagina += " m ";
    Num(m_pagina, q.x());
    m_pagina += ' ';
    Num(m_pagina, q.y());
    m_pagina += " l S\n";
}

void EscritorPdf::escribirCara(CaraPdf& c) {
    const auto fallar = [&] {
        return NoExacto{
            QStringLiteral("la fuente «%1» no se puede reducir a sus glifos").arg(c.familia)};
    };
    hb_subset_input_t* entrada = hb_subset_input_create_or_fail();
    if (!entrada)
        throw fallar();
    hb_set_t* glifos = hb_subset_input_glyph_set(entrada);
    for (const quint32 g : c.gidDeCid)
        hb_set_add(glifos, g);
    hb_subset_input_set_flags(entrada, HB_SUBSET_FLAGS_NO_HINTING);
    hb_set_t* fuera = hb_subset_input_set(entrada, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const char* t : {"GSUB", "GPOS", "GDEF", "kern", "BASE", "JSTF", "MATH", "morx",
                          "mort", "kerx", "DSIG", "hdmx", "LTSH", "VDMX", "gasp", "PCLT",
                          "vhea", "vmtx", "feat", "trak", "prop", "meta", "STAT"})
        hb_set_add(fuera, hb_tag_from_string(t, 4));
    hb_subset_plan_t* plan = hb_subset_plan_create_or_fail(c.cara, entrada);
    hb_subset_input_destroy(entrada);
    if (!plan)
        throw fallar();
    const hb_map_t* nuevos = hb_subset_plan_old_to_new_glyph_mapping(plan);
    std::vector<quint16> nuevoDeCid(c.gidDeCid.size());
    for (size_t i = 0; i < c.gidDeCid.size(); ++i) {
        const hb_codepoint_t n = hb_map_get(nuevos, c.gidDeCid[i]);
        if (n == HB_MAP_VALUE_INVALID || n > 0xFFFF) {
            hb_subset_plan_destroy(plan);
            throw fallar();
        }
        nuevoDeCid[i] = quint16(n);
    }
    hb_face_t* reducida = hb_subset_plan_execute_or_fail(plan);
    hb_subset_plan_destroy(plan);
    if (!reducida)
        throw fallar();
    hb_blob_t* blob = hb_face_reference_blob(reducida);
    unsigned largo = 0;
    const char* datos = hb_blob_get_data(blob, &largo);
    const QByteArray programa(datos, qsizetype(largo));
    // The subset must read back with every glyph the document draws.
    hb_face_t* prueba = hb_face_create(blob, 0);
    hb_font_t* pf = hb_font_create(prueba);
    bool bien = largo > 0 && hb_face_get_glyph_count(prueba) > 0;
    for (size_t i = 1; bien && i < nuevoDeCid.size(); ++i) {
        hb_glyph_extents_t e;
        bien = nuevoDeCid[i] < hb_face_get_glyph_count(prueba) &&
               hb_font_get_glyph_extents(pf, nuevoDeCid[i], &e);
    }
    hb_font_destroy(pf);
    hb_face_destroy(prueba);
    hb_blob_destroy(blob);
    hb_face_destroy(reducida);
    if (!bien)
        throw fallar();

    // The face's ascent and descent as Qt's engine reports them: OS/2's
    // typographic ones when the face asks for them, else hhea's (and, as
    // FreeType does, OS/2's when hhea has none).
    const QByteArray hhea = c.raw.fontTable("hhea");
    const QByteArray os2 = c.raw.fontTable("OS/2");
    const QByteArray head = c.raw.fontTable("head");
    int ascenso = BeS16(hhea, 4), descenso = BeS16(hhea, 6);
    if (os2.size() >= 78 && (Be16(os2, 62) & 0x80)) {
        ascenso = BeS16(os2, 68);
        descenso = BeS16(os2, 70);
    } else if (ascenso == 0 && descenso == 0 && os2.size() >= 78) {
        ascenso = BeS16(os2, 68);
        descenso = BeS16(os2, 70);
        if (ascenso == 0 && descenso == 0) {
            ascenso = Be16(os2, 74);
            descenso = -int(Be16(os2, 76));
        }
    }
    const double milesimas = 1000.0 / c.upem;
    const QByteArray nombre = NombrePostScript(c.cara, c.familia);
    // The subset's tag, from the glyphs it holds.
    QCryptographicHash huella(QCryptographicHash::Sha1);
    huella.addData(QByteArrayView(reinterpret_cast<const char*>(c.gidDeCid.data()),
                                  qsizetype(c.gidDeCid.size() * sizeof(quint32))));
    huella.addData(nombre);
    const QByteArray h = huella.result();
    QByteArray etiqueta;
    for (int i = 0; i < 6; ++i)
        etiqueta += char('A' + uchar(h[i]) % 26);
    const QByteArray base = etiqueta + '+' + nombre;

    const quint32 n = c.objeto;
    std::string s;
    objeto(n);
    s = "<< /Type /Font /Subtype /Type0 /BaseFont /" + base.toStdString() +
        " /Encoding /Identity-H /DescendantFonts [";
    Entero(s, n + 1);
    s += " 0 R] /ToUnicode ";
    Entero(s, n + 4);
    s += " 0 R >>\nendobj\n";
    escribir(s);

    objeto(n + 1);
    s = "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + base.toStdString() +
        " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
        " /FontDescriptor ";
    Entero(s, n + 2);
    s += " 0 R /CIDToGIDMap ";
    Entero(s, n + 5);
    s += " 0 R /W [0 [";
    for (size_t i = 0; i < c.anchoDeCid.size(); ++i) {
        if (i)
            s += ' ';
        Num(s, std::round(c.anchoDeCid[i] * milesimas), 0);
    }
    s += "]] >>\nendobj\n";
    escribir(s);

    objeto(n + 2);
    s = "<< /Type /FontDescriptor /FontName /" + base.toStdString() + " /Flags 4 /FontBBox [";
    for (int i = 0; i < 4; ++i) {
        Num(s, BeS16(head, 36 + 2 * i) * milesimas);
        s += i < 3 ? " " : "";
    }
    s += "] /ItalicAngle 0 /Ascent ";
    Num(s, ascenso * milesimas);
    s += " /Descent ";
    Num(s, descenso * milesimas);
    s += " /CapHeight ";
    Num(s, ascenso * milesimas);
    s += " /StemV 80 /FontFile2 ";
    Entero(s, n + 3);
    s += " 0 R >>\nendobj\n";
    escribir(s);

    std::string extra = " /Length1 ";
    Entero(extra, programa.size());
    escribirStream(n + 3, programa, extra);

    // ToUnicode: each code to the text it was drawn for.
    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (size_t desde = 1; desde < c.textoDeCid.size(); desde += 100) {
        const size_t hasta = std::min(c.textoDeCid.size(), desde + 100);
        std::string bloque;
        Entero(bloque, hasta - desde);
        bloque += " beginbfchar\n";
        for (size_t i = desde; i < hasta; ++i) {
            bloque += '<';
            Hex16(bloque, quint16(i));
            bloque += "> <";
            for (const QChar ch : c.textoDeCid[i])
                Hex16(bloque, ch.unicode());
            bloque += ">\n";
        }
        bloque += "endbfchar\n";
        cmap += QByteArray::fromStdString(bloque);
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    escribirStream(n + 4, cmap);

    QByteArray mapa(qsizetype(nuevoDeCid.size() * 2), '\0');
    for (size_t i = 0; i < nuevoDeCid.size(); ++i) {
        mapa[qsizetype(2 * i)] = char(nuevoDeCid[i] >> 8);
        mapa[qsizetype(2 * i + 1)] = char(nuevoDeCid[i] & 0xFF);
    }
    escribirStream(n + 5, mapa);
}

bool EscritorPdf::terminar() {
    if (!m_paginaEmpezada && m_paginas == 0)
        empezarPagina();
    cerrarPagina();
    quint32 siguiente = 5 + 2 * m_paginas;
    for (const auto& c : m_caras) {
        c->objeto = siguiente;
        siguiente += 6;
    }
    for (const auto& c : m_caras)
        escribirCara(*c);

    std::string s;
    objeto(1);
    escribir(std::string("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"));

    objeto(2);
    s = "<< /Type /Pages /Count ";
    Entero(s, m_paginas);
    s += " /MediaBox [0 0 ";
    Num(s, m_ancho);
    s += ' ';
    Num(s, m_alto);
    s += "] /Resources 3 0 R /Kids [";
    for (quint32 i = 0; i < m_paginas; ++i) {
        Entero(s, 5 + 2 * i);
        s += " 0 R ";
        if (s.size() > 60000) {
            escribir(s);
            s.clear();
        }
    }
    s += "] >>\nendobj\n";
    escribir(s);

    objeto(3);
    s = "<< /ProcSet [/PDF /Text] /Font <<";
    for (const auto& c : m_caras) {
        s += " /F";
        Entero(s, quint64(c->numero));
        s += ' ';
        Entero(s, c->objeto);
        s += " 0 R";
    }
    s += " >> >>\nendobj\n";
    escribir(s);

    objeto(4);
    const QString ahora =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss"));
    s = "<< /Creator " + TextoPdf(QStringLiteral("ZUL Velquira")) + " /Producer " +
        TextoPdf(QStringLiteral("ZUL Velquira")) + " /Title " + TextoPdf(m_titulo) +
        " /CreationDate (D:" + ahora.toStdString() + "Z) >>\nendobj\n";
    escribir(s);

    // The cross-reference: the fixed objects, then every row written so far.
    const quint64 inicioXref = m_posicion;
    s = "xref\n0 ";
    Entero(s, siguiente);
    s += "\n0000000000 65535 f\r\n";
    for (int i = 1; i < 5; ++i) {
        char fila[21];
        std::snprintf(fila, sizeof fila, "%010llu 00000 n\r\n",
                      static_cast<unsigned long long>(m_inicioObjetos[i]));
        s.append(fila, 20);
    }
    escribir(s);
    if (!m_xrefBuffer.empty() && m_xref->write(m_xrefBuffer.data(), qint64(m_xrefBuffer.size())) !=
                                     qint64(m_xrefBuffer.size()))
        m_fallo = true;
    m_xrefBuffer.clear();
    if (!m_xref->flush() || !m_xref->seek(0))
        m_fallo = true;
    std::vector<char> trozo(1 << 16);
    for (;;) {
        const qint64 leidos = m_xref->read(trozo.data(), qint64(trozo.size()));
        if (leidos < 0)
            m_fallo = true;
        if (leidos <= 0)
            break;
        escribir(trozo.data(), size_t(leidos));
    }
    s = "trailer\n<< /Size ";
    Entero(s, siguiente);
    s += " /Root 1 0 R /Info 4 0 R >>\nstartxref\n";
    Entero(s, inicioXref);
    s += "\n%%EOF\n";
    escribir(s);
    vaciar();
    const bool bien = !m_fallo;
    descartar();
    return bien;
}
