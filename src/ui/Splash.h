// The window shown while the program starts.
#pragma once

#include <QSplashScreen>

class Splash : public QSplashScreen {
public:
    Splash();
    static QPixmap Imagen();
};
