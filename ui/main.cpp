// Kenvaron: a 9x9 Sudoku program.
#include <QApplication>
#include <QByteArray>
#include <csignal>
#include <cstring>

#include "platform/System.h"
#include "ui/Programma.h"

int main(int argc, char** argv) {
    // Under a file-size limit (ulimit -f) a write that crosses the limit must
    // fail (EFBIG) rather than end the program: the writer then takes its
    // bytes back and the file is reported "non salvato".
    std::signal(SIGXFSZ, SIG_IGN);
    // Batch production runs unattended: with no display to reach, it draws
    // its results grid off screen instead of failing to start.
    if (argc == 2 && std::strcmp(argv[1], "/prod") == 0 && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kenvaron");
    // Message boxes and the file and printer dialogs in Italian, like the
    // program; without Qt's catalogue they stay in English.
    kenvaron::plat::ImpostaLinguaItaliana();
    return kenvaron::Main(kenvaron::plat::Command());
}
