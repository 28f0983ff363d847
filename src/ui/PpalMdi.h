// The main window: menus, the toolbar band "Estandard" with the zoom field,
// the three-panel status bar, and the editor window while a job is open. It
// shows the program's model and hands every click to the dispatcher. A job
// file dropped on it opens; it opens where it was left, sized to the screen.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QMargins>
#include <optional>

class Programa;
class FrmDrag;
class QAction;
class QComboBox;
class QLineEdit;
class QLabel;
class QStackedWidget;
struct Herramienta;

class PpalMdi : public QMainWindow {
    Q_OBJECT
public:
    explicit PpalMdi(Programa& programa, QWidget* padre = nullptr);

    // The window manager's border as most draw it (its real size is known
    // only once the window is up): room kept for it when the window's place
    // or size must change to fit the screen.
    static constexpr QMargins kBorde{8, 40, 8, 8};

    QAction* accion(const QString& id) const;
    QComboBox* zoom() const { return m_zoom; }
    // The Hoja field and its "de R".
    QLineEdit* hoja() const { return m_hoja; }
    QLabel* totalHojas() const { return m_totalHojas; }
    FrmDrag* editor() const { return m_editor; }
    QLabel* panel(int n) const;
    QMenu* menuEmergente(const QString& id) const { return m_emergentes.value(id); }
    QMenu* menuRecientes() const { return m_recientes; }

    // Ends the program without questions.
    void terminar(int codigo);
    // The properties dialog for box i (or the selection).
    void MostrarPropiedades(int i);

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void crearAcciones();
    void crearRecientes(const Herramienta& h);
    void llenarRecientes();
    // The place and size stored, on the screens there are now.
    void colocar();
    void guardarLugar();
    void verBorde();
    void crearMenus();
    void crearBanda();
    QWidget* crearCampoHoja(QWidget* padre);
    void crearBarraEstado();
    void actualizarAccion(const QString& id);
    void actualizarPanel(int n);
    void editorCambiado(bool abierto);

    Programa& m_prog;
    QHash<QString, QAction*> m_acciones; // case-folded id
    QHash<QString, QMenu*> m_emergentes;
    QMenu* m_recientes = nullptr;
    QComboBox* m_zoom = nullptr;
    QLineEdit* m_hoja = nullptr;
    QLabel* m_totalHojas = nullptr;
    QStackedWidget* m_centro = nullptr;
    FrmDrag* m_editor = nullptr;
    QLabel* m_paneles[4] = {};
    QLabel* m_imagenHoja = nullptr;
    // Where the window's inside lies from the corner of its frame, as last
    // seen while shown neither maximized nor minimized.
    std::optional<QPoint> m_borde;
    bool m_terminando = false;
    bool m_introZoom = false; // Enter in the zoom field is being handled
};
