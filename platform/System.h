// The program's surroundings: its folder, its command line, Qt's own texts in
// the program's language, the clipboard, the yield to the event loop and the
// stop signals, the screen's mouse pointer and ending the program from inside
// a handler.
#pragma once

#include <csignal>
#include <functional>
#include <string>

#include <signal.h>

namespace kenvaron::plat {

// The folder of the program's executable (no trailing "/").
std::string AppPath();
// Tests may point the program at another folder; "" goes back to the executable's.
void SetAppPath(const std::string& cartella);
// The name of the program's own file in that folder.
std::string AppExeName();
// The arguments after the program's name, joined by single blanks ("" when none).
std::string Command();

// Gives the event loop one turn: pending events, timers and repaints run now.
// A stop signal noted by ArrestoDaSegnali is acted on here.
void DoEvents();

// While one lives, the first SIGINT or SIGTERM no longer ends the program:
// the handler only notes the signal, and the next DoEvents runs `azione` in
// its place, as it would run a key's handler.  The handler also gives the
// signals it handles back their default action, so a second one of either
// ends the program at once.  A signal the program came with ignored (SIGINT
// in a shell script's background job) is not handled and stays ignored.  The
// former handlers come back at its end.  One at a time.
class ArrestoDaSegnali {
public:
    explicit ArrestoDaSegnali(std::function<void()> azione);
    ~ArrestoDaSegnali();
    ArrestoDaSegnali(const ArrestoDaSegnali&) = delete;
    ArrestoDaSegnali& operator=(const ArrestoDaSegnali&) = delete;

private:
    struct sigaction primaInt_ {};
    struct sigaction primaTerm_ {};
};
// Ends the program at once with the given exit code: no handler, destructor or
// window code runs after it.  Buffered standard output is flushed first; files
// the program writes are closed by the code that writes them.
[[noreturn]] void EndProgram(int codice = 0);

// The program's language step: Qt's Italian catalogue, the program's own
// words for what that catalogue lacks (the file dialog's "Cartella" and
// "Unità") and Italian as Qt's default locale.  False when Qt's catalogue is
// not installed (the rest is done all the same).  An application object must
// exist; UnloadQtTranslations takes the catalogues out again.
bool ImpostaLinguaItaliana();
// Loads Qt's own catalogue of a language ("it"), so that the standard buttons
// and dialogs speak it as far as the catalogue goes.  False when the catalogue
// is not installed: the texts stay in English and nothing else changes.  An
// application object must exist; the catalogue lives as long as it does.
bool LoadQtTranslation(const std::string& lingua);
// Takes out every catalogue LoadQtTranslation and ImpostaLinguaItaliana loaded:
// Qt's texts are English again.
void UnloadQtTranslations();
// The locale Qt speaks in where the catalogue does not reach ("it_IT"): the
// file dialog's file types.  The dialog's sizes and dates keep the system's
// locale (LANG, LC_*), which this does not change.
void SetDefaultLocale(const std::string& nome);

// The pointer over every window (vbDefault or vbHourglass).
void SetScreenMousePointer(int puntatore);
int ScreenMousePointer();

class Clipboard {
public:
    static std::string GetText();
    static void SetText(const std::string& testo);
    static void Clear();
};

}  // namespace kenvaron::plat
