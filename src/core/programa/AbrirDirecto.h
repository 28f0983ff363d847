// Opening a job the operator names without the open dialog: an entry of the
// recent jobs, or a file dropped on the main window. Both take the path of
// Abrir once a file is chosen (CicloTrabajo::AbrirRuta: the save prompt, the
// lock, the same messages); a file that plainly is no job is refused with
// the message of opening before that, so the open job stays as it was.
#pragma once

#include <QStringList>

class CicloTrabajo;
class Principal;

// False when nothing was opened.
bool AbrirTrabajoDirecto(Principal& p, CicloTrabajo& ciclo, const QString& ruta);

// An entry of the recent jobs. One whose file is gone leaves the list, and
// the operator is told so.
bool AbrirReciente(Principal& p, CicloTrabajo& ciclo, const QString& ruta);

// Of the files dropped on the main window, the first job file (".zul", in
// any case); empty when there is none.
QString TrabajoSoltado(const QStringList& rutas);
