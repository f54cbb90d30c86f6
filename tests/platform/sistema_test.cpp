// The program's surroundings: clipboard, folder, command line, the yield and
// ending the program from a handler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/Form.h"
#include "platform/System.h"

namespace kenvaron::plat {
namespace {

TEST(Sistema, TheClipboardGivesBackTheTextPutOnIt) {
    const std::string figura = " 1 . . | . . . | . . . \r\n-------+-------+------ \r\n . . . | . . . | . . .";
    Clipboard::SetText(figura);
    EXPECT_EQ(Clipboard::GetText(), figura);
    Clipboard::Clear();
    EXPECT_EQ(Clipboard::GetText(), "");
}

TEST(Sistema, TheProgramFolderAndTheCommandLine) {
    EXPECT_EQ(AppPath(), QCoreApplication::applicationDirPath().toStdString());
    SetAppPath("/tmp/prova");
    EXPECT_EQ(AppPath(), "/tmp/prova");
    SetAppPath("");
    EXPECT_FALSE(AppPath().empty());
    // The tests run with gtest's own arguments at most; none is "/prod".
    EXPECT_NE(Command(), "/prod");
}

TEST(Sistema, DoEventsRunsWhatIsWaiting) {
    bool eseguito = false;
    QTimer::singleShot(0, [&] { eseguito = true; });
    DoEvents();
    EXPECT_TRUE(eseguito);
}

TEST(Sistema, TheScreenPointerBecomesAnHourglassAndBack) {
    SetScreenMousePointer(vbHourglass);
    SetScreenMousePointer(vbHourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetScreenMousePointer(vbDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ScreenMousePointer(), vbDefault);
}

TEST(Sistema, AStopSignalIsOnlyNotedButASecondOneEndsTheProgramTheDefaultWay) {
    for (const auto& [primo, secondo] : {std::pair{SIGTERM, SIGTERM}, std::pair{SIGINT, SIGTERM}}) {
        SCOPED_TRACE(std::to_string(primo) + " then " + std::to_string(secondo));
        int tubo[2];
        ASSERT_EQ(::pipe(tubo), 0);
        const pid_t figlio = ::fork();
        ASSERT_GE(figlio, 0);
        if (figlio == 0) {
            // Both signals raised here: two kill()s from outside may arrive as one.
            // No yield, so the stop the first one asks for is never acted on.
            ::close(tubo[0]);
            std::signal(SIGINT, SIG_DFL);  // a test run started in the background hands it on ignored
            std::signal(SIGTERM, SIG_DFL);
            ArrestoDaSegnali arresto([] {});
            std::raise(primo);
            if (::write(tubo[1], "1", 1) != 1) ::_exit(2);  // the first one was only noted
            std::raise(secondo);
            ::_exit(0);
        }
        ::close(tubo[1]);
        char letto[2] = {};
        const ssize_t n = ::read(tubo[0], letto, sizeof letto);
        ::close(tubo[0]);
        int stato = 0;
        ASSERT_EQ(::waitpid(figlio, &stato, 0), figlio);
        EXPECT_EQ(n, 1) << "the first signal ended the child";
        ASSERT_TRUE(WIFSIGNALED(stato)) << "the child exited with " << WEXITSTATUS(stato);
        EXPECT_EQ(WTERMSIG(stato), secondo);
    }
    // Once a signal has come, the end of the stop still brings back the handlers that were there before.
    struct sigaction proprio {}, primaInt {}, primaTerm {}, ora {};
    proprio.sa_handler = [](int) {};
    sigemptyset(&proprio.sa_mask);
    ::sigaction(SIGINT, &proprio, &primaInt);
    ::sigaction(SIGTERM, &proprio, &primaTerm);
    {
        ArrestoDaSegnali arresto([] {});
        std::raise(SIGINT);
    }
    ::sigaction(SIGINT, &primaInt, &ora);
    EXPECT_EQ(ora.sa_handler, proprio.sa_handler);
    ::sigaction(SIGTERM, &primaTerm, &ora);
    EXPECT_EQ(ora.sa_handler, proprio.sa_handler);
}

TEST(Sistema, ASignalTheProgramCameWithIgnoredStaysIgnored) {
    // A shell starts a script's background job with SIGINT ignored.
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        std::signal(SIGINT, SIG_IGN);
        std::signal(SIGTERM, SIG_DFL);
        ArrestoDaSegnali arresto([] {});
        std::raise(SIGINT);
        std::raise(SIGINT);
        std::raise(SIGTERM);  // only noted
        struct sigaction ora {};
        ::sigaction(SIGINT, nullptr, &ora);
        ::_exit(ora.sa_handler == SIG_IGN ? 0 : 2);
    }
    int stato = 0;
    ASSERT_EQ(::waitpid(figlio, &stato, 0), figlio);
    ASSERT_FALSE(WIFSIGNALED(stato)) << "ended by signal " << WTERMSIG(stato);
    EXPECT_EQ(WEXITSTATUS(stato), 0) << "SIGINT is no longer ignored";
}

// A handler that ends the program while a modal window waits and a yield is nested.
void FinisceDentroUnGestore(const std::string& segno) {
    Form f;
    QTimer::singleShot(0, [&] {
        DoEvents();
        EndProgram(3);
        std::ofstream(segno) << "dopo";  // must never run
    });
    f.Show(vbModal);
    std::ofstream(segno) << "dopo";
}

TEST(SistemaMorte, EndProgramEndsAtOnceFromInsideAHandler) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string segno = (std::filesystem::temp_directory_path() / "kenvaron_fine_segno").string();
    std::filesystem::remove(segno);
    EXPECT_EXIT(FinisceDentroUnGestore(segno), ::testing::ExitedWithCode(3), "");
    EXPECT_FALSE(std::filesystem::exists(segno));
}

}  // namespace
}  // namespace kenvaron::plat
