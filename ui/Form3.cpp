#include "ui/Form3.h"

#include <QTextEdit>
#include <filesystem>

#include "platform/Dialogs.h"
#include "platform/System.h"
#include "ui/Form1.h"

namespace kenvaron {

namespace {
// Down and right of the main window's corner, in twips.
constexpr int kScostamento = 500;
}  // namespace

Form3::Form3(Form1& principale) : Rtb(*this), principale_(principale) {
    SetCaption("Kenvaron Istruzioni");
    Rtb.SetFont("Arial", 10);
    SetClientSize(9600, 7200);
}

void Form3::Form_Load() {
    Move(principale_.Left() + kScostamento, principale_.Top() + kScostamento);
    MoveOnScreen();
    Form_Resize();
    const std::string percorso = plat::AppPath() + "/" + kFileIstruzioni;
    // Only a regular file is read: a pipe in its place would never end.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(percorso, ec) || !Rtb.LoadFile(percorso))
        plat::MsgBox("File " + percorso + " non trovato", plat::vbExclamation);
    // The manual opens at its beginning.
    static_cast<QTextEdit*>(Rtb.Widget())->moveCursor(QTextCursor::Start);
}

void Form3::Form_Resize() { Rtb.Move(0, 0, ScaleWidth(), ScaleHeight()); }

}  // namespace kenvaron
