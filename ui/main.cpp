// Kenvaron: a 9x9 Sudoku program.
#include <QApplication>

#include "platform/System.h"
#include "ui/Programma.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kenvaron");
    return kenvaron::Main(kenvaron::plat::Command());
}
