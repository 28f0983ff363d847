// velquira-cli: batch work on job files.
#include "platform/AjustesQt.h"
#include "shell/ComandosCli.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    AjustesQt ajustes;
    return cli::Ejecutar(app.arguments().mid(1), ajustes, stdout, stderr);
}
