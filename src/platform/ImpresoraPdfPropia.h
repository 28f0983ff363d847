// The printer object for PDF exports: the program writes the file itself
// (EscritorPdf), page by page as the run draws, with the geometry, fonts and
// metrics of ImpresoraPdf (Qt's painter on a PDF device) so that both files
// put every glyph in the same place.
//
// Everything the run asks is also noted in a journal on disk. When a text
// turns out to be something the writer cannot draw exactly as Qt (a
// character the face lacks, a script that needs more than simple shaping, a
// font it cannot read or embed), the document written so far is thrown away
// and the journal is replayed into an ImpresoraPdf, which draws the whole
// document; the reason goes to standard error. The file at the path is only
// replaced by a complete document, whichever of the two wrote it.
#pragma once

#include "core/puertos/Impresora.h"

#include <QFont>
#include <QHash>
#include <memory>
#include <optional>

class EscritorPdf;
class QDataStream;
class QPdfWriter;
class QSaveFile;
class QTemporaryFile;
struct TamanoCara;

class ImpresoraPdfPropia : public Impresora {
public:
    // Whether exports to `ruta` are written by this object: a regular file or
    // a new one, unless VELQUIRA_PDF=qt asks for Qt's painter.
    static bool Admite(const QString& ruta);
    // The sheet in twips, as oriented.
    ImpresoraPdfPropia(const QString& ruta, qint32 ancho, qint32 alto);
    ~ImpresoraPdfPropia() override;

    QString nombreDispositivo() const override { return QStringLiteral("PDF"); }
    int orientacion() const override;
    void fijarOrientacion(int orientacion) override;
    GeometriaDispositivo geometria() const override;

    qint32 colorFrente() const override { return m_color; }
    void fijarColor(qint32 color) override;
    void fijarFuente(const FuenteImpresion& fuente) override;
    void fijarPosicion(double x, double y) override;
    void imprimirTexto(const QString& texto) override;
    void imprimirLineaVacia() override;
    void imprimirTextoRotado(const QString& texto, int grados, double x, double y) override;
    void dibujarLinea(double x1, double y1, double x2, double y2) override;
    double anchoTexto(const QString& texto) const override;
    double altoCelda() const override;
    bool documentoAbierto() const override;
    void nuevaPagina() override;
    void terminarDocumento() override;
    void abortarDocumento() override;

    // Why the current or last document went to Qt's painter; empty when the
    // program's writer drew it.
    QString motivoRespaldo() const { return m_motivo; }

private:
    enum class Op : quint8;
    // The journal of the open document (begun with the state it starts from).
    QDataStream& diario();
    void anotar(Op op);
    void reiniciarDiario();
    // Throws the document written so far away and hands it, from the start,
    // to Qt's painter.
    void recurrir(const QString& motivo);
    template <typename F> void intentar(F&& dibujar);
    void abrir();
    void descartar();
    QString destino() const;
    [[noreturn]] void fallar(const QString& descripcion);

    // A font as Qt draws it on the device: the QFont, its metrics (device
    // units, at the reduced size of a huge font) and, once drawn, its face.
    struct FuenteLista {
        QFont qfont;
        double puntos = 10;
        double escala = 1; // the painter's scale for qfont
        double ascenso = 0;
        double alto = 0;
        double descenso = 0;
        double grosor = 0;    // of underline and strike-out
        double subrayado = 0; // the underline below the baseline
        mutable TamanoCara* tamano = nullptr;
    };
    // The current font; a run switches between a few for every sheet.
    const FuenteLista& fuente() const;
    TamanoCara& tamano(const FuenteLista& l) const;
    void pintar(const QString& texto, double x, double y, int grados);
    double px(double twips) const;
    double twips(double px) const;

    QString m_ruta;
    qint32 m_ancho;
    qint32 m_alto;
    std::unique_ptr<QPdfWriter> m_plantilla; // layout and metrics only; never drawn on
    std::unique_ptr<EscritorPdf> m_escritor;
    std::unique_ptr<QSaveFile> m_archivo;
    std::unique_ptr<Impresora> m_qt; // after a fallback: Qt's painter
    QString m_motivo;
    std::unique_ptr<QTemporaryFile> m_diarioArchivo;
    std::unique_ptr<QDataStream> m_diario;
    std::optional<QString> m_falla;
    bool m_abierto = false;

    FuenteImpresion m_fuente;
    qint32 m_color = 0;
    double m_x = 0;
    double m_y = 0;
    mutable QHash<QString, FuenteLista> m_fuentes;
    mutable const FuenteLista* m_actual = nullptr;
};
