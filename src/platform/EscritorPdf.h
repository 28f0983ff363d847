// A PDF file written as it is drawn: each page is compressed and written when
// the next one starts (one deflate stream reused for every page), the
// cross-reference rows go to a temporary file beside it and are copied to the
// end, and the fonts are written last, each embedded as the subset of glyphs
// the document used (a CID font with Identity-H, a CID-to-glyph map and a
// ToUnicode map, so every text extracts as it was written).
//
// Text is shaped with HarfBuzz on the face Qt's font engine chose, with the
// advances Qt's engine gives an unhinted face (FreeType's linear advance,
// truncated to 1/64 of a device unit), so glyphs land where Qt's painter
// puts them. What cannot be drawn that way (a character the face lacks, a
// script that needs more than simple shaping, a face that is not TrueType or
// cannot be read or subset) throws NoExacto with the reason; the caller then
// draws the document with Qt instead.
//
// Coordinates are device units at `resolucion` per inch, y downwards, as on
// Qt's PDF device; the page's content maps them to points.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QPointF>
#include <QString>
#include <QTransform>
#include <memory>
#include <string>
#include <vector>

class QIODevice;
class QRawFont;
class QTemporaryFile;
struct CaraPdf;
struct TamanoCara;
struct z_stream_s;

// A text the writer cannot draw exactly as Qt does; `motivo` says why, in Spanish.
struct NoExacto {
    QString motivo;
};

// A text shaped in one face at one size: what a run draws and measures.
struct TextoFormado {
    std::vector<quint16> cids;           // the document's codes for the glyphs
    std::vector<qint32> avances;         // 1/64 device unit each
    std::vector<qint32> desplazamientos; // each glyph off its pen position (kerning)
    qint64 ancho = 0;                    // sum of the advances, 1/64 device unit
};

class EscritorPdf {
public:
    EscritorPdf();
    ~EscritorPdf();
    EscritorPdf(const EscritorPdf&) = delete;
    EscritorPdf& operator=(const EscritorPdf&) = delete;

    // The face of `fuente` (a font engine's raw font at device resolution) at
    // its pixel size, `puntos` being the size asked for. Throws NoExacto.
    TamanoCara& tamano(const QRawFont& fuente, double puntos);
    // Shapes `texto`. Throws NoExacto. The result lives until the next call.
    const TextoFormado& formar(TamanoCara& t, const QString& texto);
    // Whether Qt synthesizes bold or italic for this face and request.
    static bool NegritaSintetica(const TamanoCara& t);
    static bool CursivaSintetica(const TamanoCara& t);

    // Draws the shaped text with its baseline origin at `origen`, in the
    // coordinates `m` maps to the device. `desplazamientoNegrita` > 0 draws it
    // a second time that far to the left (Qt's synthetic bold).
    void texto(TamanoCara& t, const TextoFormado& f, const QTransform& m, QPointF origen,
               const QColor& color, bool cursiva, double desplazamientoNegrita);
    // A stroked line in device coordinates; `cuadrado` extends its ends by
    // half the width (square caps), else they are flat.
    void linea(QPointF a, QPointF b, double ancho, bool cuadrado, const QColor& color);

    // Begins a document written into `salida` (open for writing); pages
    // `ancho` x `alto` points. Faces found meanwhile are kept from one
    // document to the next; what a document embedded is not.
    void abrir(QIODevice& salida, double ancho, double alto, double resolucion,
               const QString& titulo);
    bool abierto() const { return m_salida != nullptr; }
    // Forgets the open document (nothing more is written to its output).
    void descartar();

    // Ends the current page (when one was begun) and begins the next.
    void nuevaPagina();
    bool paginaEmpezada() const { return m_paginaEmpezada; }
    // Writes the last page, the fonts and the trailer, and closes the
    // document. False when the output refused a write. Throws NoExacto when
    // a font cannot be subset; the output is then unusable.
    bool terminar();
    // The output refused a write.
    bool fallo() const { return m_fallo; }

private:
    void empezarPagina();
    void cerrarPagina();
    // Object `n` begins here (its cross-reference row is recorded).
    void objeto(quint32 n);
    void escribir(const char* datos, size_t n);
    void escribir(const std::string& s) { escribir(s.data(), s.size()); }
    void escribir(const QByteArray& s) { escribir(s.constData(), size_t(s.size())); }
    void vaciar();
    // `datos` deflated into m_comprimido.
    void comprimir(const char* datos, size_t n);
    void escribirStream(quint32 n, const QByteArray& datos, const std::string& extra = {});
    void escribirCara(CaraPdf& c);
    void fijarRelleno(const QColor& c);
    void fijarTrazo(const QColor& c);

    QIODevice* m_salida = nullptr;
    double m_ancho = 0;
    double m_alto = 0;
    double m_escala = 0.06; // points per device unit
    QString m_titulo;

    std::string m_buffer; // bytes on their way to m_salida
    quint64 m_posicion = 0;
    bool m_fallo = false;
    std::unique_ptr<QTemporaryFile> m_xref;
    std::string m_xrefBuffer;
    quint64 m_inicioObjetos[5] = {}; // offsets of the fixed objects 1..4 (index 0 unused)

    std::unique_ptr<z_stream_s> m_zlib;
    std::string m_comprimido;

    std::string m_pagina; // the current page's content
    bool m_paginaEmpezada = false;
    quint32 m_paginas = 0;
    QRgb m_relleno = 0;
    QRgb m_trazo = 0;
    bool m_hayRelleno = false;
    bool m_hayTrazo = false;

    std::vector<std::unique_ptr<CaraPdf>> m_caras;
    std::vector<std::unique_ptr<TamanoCara>> m_tamanos;
    QHash<QByteArray, CaraPdf*> m_carasPorClave;
    TextoFormado m_formado;
    const TamanoCara* m_formadoEn = nullptr; // what m_formado was shaped with
    QString m_formadoTexto;
    struct hb_buffer_t* m_hb = nullptr;
};
