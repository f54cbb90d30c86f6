// The window tests run without a screen: Qt's offscreen platform unless told
// otherwise, with a screen of 1024x768 pixels, a small one that the reasoning
// window does not fit beside the board.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    const QByteArray piattaforma = qgetenv("QT_QPA_PLATFORM");
    if (piattaforma.isEmpty() || piattaforma == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KENVARON_SCHERMO_PROVA);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kenvaron");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
