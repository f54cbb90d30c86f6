// Panel "p4" of the main window's status bar, as the background generator
// sees it: the run and the driver write its text and tool tip, and the archive
// repaints it at once (a repaint is not a yield: no event is handled).  The
// window supplies the real panel; tests record what was written.
#pragma once

#include <string>

namespace kenvaron {

class PannelloSfondo {
public:
    virtual ~PannelloSfondo() = default;
    virtual void Testo(const std::string& testo) = 0;
    virtual void Suggerimento(const std::string& suggerimento) = 0;
    // Paints the panel now, without handling any other event.
    virtual void Ridisegna() = 0;
};

}  // namespace kenvaron
