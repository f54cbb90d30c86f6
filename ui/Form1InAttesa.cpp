// Stand-ins of the main window's work that comes later.  Each does nothing;
// its toolbar key or menu entry is listed in kComandiInAttesa, so the user
// never reaches it.  When the real work arrives its stand-in leaves this file
// and its entries leave the list.
#include "ui/Form1.h"

namespace kenvaron {

// ---- The value report of the rules file ----
void Form1::Command3_Click() {}

}  // namespace kenvaron
