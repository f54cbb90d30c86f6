// The program's surroundings: clipboard, folder, command line, the yield and
// ending the program from a handler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <filesystem>
#include <fstream>

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
