// The window tests run without a screen: Qt's offscreen platform unless told
// otherwise, with a screen of 1024x768 pixels, a small one that the reasoning
// window does not fit beside the board.  A run fails when its filter matches
// no test, or when one of the filter's patterns does.  On an X server the run
// names the server's process, and fails where the desktop wrapper's own Xvfb
// is not the server it talks to (tests/platform/ServerDelDesktop.h).
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "tests/platform/ServerDelDesktop.h"

namespace {

// Whether a pattern matches a test's whole name as gtest matches it: '*'
// stands for any run of characters, '?' for any one.
bool ModelloCorrisponde(std::string_view modello, std::string_view nome) {
    if (modello.empty()) return nome.empty();
    if (modello[0] == '*')
        return ModelloCorrisponde(modello.substr(1), nome) ||
               (!nome.empty() && ModelloCorrisponde(modello, nome.substr(1)));
    return !nome.empty() && (modello[0] == '?' || modello[0] == nome[0]) &&
           ModelloCorrisponde(modello.substr(1), nome.substr(1));
}

bool ModelloHaProve(std::string_view modello) {
    const ::testing::UnitTest& prove = *::testing::UnitTest::GetInstance();
    for (int s = 0; s < prove.total_test_suite_count(); ++s) {
        const ::testing::TestSuite& gruppo = *prove.GetTestSuite(s);
        for (int t = 0; t < gruppo.total_test_count(); ++t) {
            const ::testing::TestInfo& prova = *gruppo.GetTestInfo(t);
            if (ModelloCorrisponde(modello, std::string(prova.test_suite_name()) + "." + prova.name())) return true;
        }
    }
    return false;
}

// The first pattern of the filter's positive part (up to a '-') that matches
// no test, or an empty string.  An entry that names its cases must not pass
// on the others when one of them is renamed.
std::string ModelloSenzaProve(const std::string& filtro) {
    const std::string_view positivi = std::string_view(filtro).substr(0, filtro.find('-'));
    for (std::size_t inizio = 0; inizio <= positivi.size();) {
        const std::size_t fine = std::min(positivi.find(':', inizio), positivi.size());
        const std::string_view modello = positivi.substr(inizio, fine - inizio);
        if (!modello.empty() && !ModelloHaProve(modello)) return std::string(modello);
        inizio = fine + 1;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    const QByteArray piattaforma = qgetenv("QT_QPA_PLATFORM");
    if (piattaforma.isEmpty() || piattaforma == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KENVARON_SCHERMO_PROVA);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kenvaron");
    if (!kenvaron::plat::ServerDelDesktop()) return 1;
    ::testing::InitGoogleTest(&argc, argv);
    const std::string filtro = GTEST_FLAG_GET(filter);
    if (!GTEST_FLAG_GET(list_tests)) {
        const std::string modello = ModelloSenzaProve(filtro);
        if (!modello.empty()) {
            std::fprintf(stderr, "No test matches the pattern \"%s\" of the filter \"%s\"\n", modello.c_str(),
                         filtro.c_str());
            return 1;
        }
    }
    const int esito = RUN_ALL_TESTS();
    // A filter that is empty or whose negative part leaves no test fails too.
    if (esito == 0 && !GTEST_FLAG_GET(list_tests) && ::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "No test matches the filter \"%s\"\n", filtro.c_str());
        return 1;
    }
    return esito;
}
