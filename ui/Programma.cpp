#include "ui/Programma.h"

#include "platform/System.h"
#include "engine/FileTesto.h"
#include "ui/Avvio.h"
#include "ui/Form1.h"
#include "ui/Form5.h"

namespace kenvaron {

FilePropri FilePropriProgramma() {
    return FilePropriIn(plat::AppPath(), plat::AppExeName());
}

int Main(const std::string& rigaComando) {
    // The main window object holds the program's shared state, which the
    // background form works on; nothing of it is loaded or shown yet.
    Form1 principale;
    Form5 sfondo(principale);
    sfondo.Load();
    principale.CollegaSfondo(sfondo);

    const bool regole = FileExists(plat::AppPath() + "/" + kFileRegole);
    const ModoAvvio modo = DecidiAvvio(rigaComando, regole);
    if (modo == ModoAvvio::Fine) return 0;
    principale.stato.generazione.GeneraAuto = modo == ModoAvvio::Produzione;
    principale.Show(plat::vbModal);
    return 0;
}

}  // namespace kenvaron
