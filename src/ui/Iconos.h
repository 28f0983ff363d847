// The pictures of the tools and of the program. A tool shows the desktop's
// icon of the same meaning when the icon theme has one, else the program's
// own drawing, so the window looks whole without any icon theme.
#pragma once

#include <QIcon>
#include <QString>

// Null for a tool without a picture (the zoom field) or an unknown id.
QIcon IconoHerramienta(const QString& id);
// The numbered ticket: the icon of every window of the program.
QIcon IconoPrograma();
