// The editor window: the sheet at its size and zoom on a grey desk, scrolling
// when it is larger than the main window.
#pragma once

#include <QScrollArea>

class Principal;

class VistaHoja : public QWidget {
    Q_OBJECT
public:
    explicit VistaHoja(Principal& principal, QWidget* padre = nullptr);
    // Sheet size in screen pixels at the current zoom.
    QSize tamanoHoja() const;
    void ajustar();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Principal& m_p;
};

class FrmDrag : public QScrollArea {
    Q_OBJECT
public:
    explicit FrmDrag(Principal& principal, QWidget* padre = nullptr);
    VistaHoja* hoja() const { return m_hoja; }

private:
    VistaHoja* m_hoja;
};
