// The job lifecycle: new, open, save, save as, close with the save prompt,
// and reading a job named on the command line. Works on the open job
// (Documento) and the main window's caption; the editor window opens and
// closes with the job.
#pragma once

#include "core/trabajo/CandadoTrabajo.h"
#include "core/trabajo/HuellaArchivo.h"

#include <QString>
#include <functional>

class Mensajes;
class Principal;

class CicloTrabajo {
public:
    explicit CicloTrabajo(Principal& principal);

    // Told after every save that wrote the job to RutaTrabajo (also the
    // first save, and a save under a new name).
    std::function<void()> alGuardar;

    void NuevoTrabajo();
    void AbrirTrabajo();
    // Opens the job at `ruta` as Abrir does once the file is chosen: the
    // save prompt, then the lock and the read with their messages. False
    // when the operator cancelled or no job was read.
    bool AbrirRuta(const QString& ruta);
    // Reads RutaTrabajo into the model. False when the file was rejected; then
    // no job is open.
    bool LeerTrabajo();
    // Writes the model to RutaTrabajo. False when nothing was written (the old
    // file is left as it was).
    bool GuardarTrabajo();
    // False when the operator cancelled or the file could not be written.
    bool GuardarComo();
    // False when the operator cancelled the save prompt.
    bool CerrarTrabajo();

    // The save command: to the known path (then Modificado = false), else Save As.
    void Guardar();
    // The close command.
    void CerrarComando();

    // The job named on the command line at start-up (quotes removed, trimmed).
    void AbrirLineaComandos(const QString& lineaComandos);

    // Closes the editor window, running the save prompt. False when the
    // operator cancelled or the save failed (the window stays).
    bool CerrarEditor();

    // Exit: closes the job with its prompt. True when the program may end.
    bool Salir();

    static const QString kNombreNuevo; // "Trabajo1.zul"

    // The message of a file that is not a job file.
    static void AvisarNoEsTrabajo(Mensajes& mensajes);

private:
    void AbrirEditor();
    // Reads the chosen file, the open job closed already.
    bool LeerElegido(const QString& ruta);
    void SinTrabajo(bool tituloProducto);
    QString NombreArchivo(const QString& ruta) const;
    // The lock of the job at `ruta`; false when another copy of the program
    // has it open and the operator chose not to open it too.
    bool TomarCandado(const QString& ruta);
    // Before a save over the file read or written last: false when another
    // program changed it since and the operator chose not to overwrite it.
    bool PuedeSobrescribir(const QString& ruta);
    // No job file is open any more: its lock and what it held are let go.
    void OlvidarArchivo();

    Principal& m_p;
    CandadoTrabajo m_candado;
    HuellaArchivo m_huella;
};
