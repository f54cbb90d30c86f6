// The window tests run without a screen: Qt's offscreen platform unless told
// otherwise, with a screen of 1024x768 pixels, a small one that the reasoning
// window does not fit beside the board.  A run whose filter matches no test
// fails.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    const QByteArray piattaforma = qgetenv("QT_QPA_PLATFORM");
    if (piattaforma.isEmpty() || piattaforma == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KENVARON_SCHERMO_PROVA);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kenvaron");
    ::testing::InitGoogleTest(&argc, argv);
    const int esito = RUN_ALL_TESTS();
    // An entry that runs a filter of its own must not pass on a filter that
    // matches nothing, a test renamed say.
    if (esito == 0 && !GTEST_FLAG_GET(list_tests) && ::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "No test matches the filter \"%s\"\n", GTEST_FLAG_GET(filter).c_str());
        return 1;
    }
    return esito;
}
