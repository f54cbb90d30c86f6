// Every question the program puts to the user (message boxes, input boxes,
// file dialogs, the printer set-up) and every modal window goes through one
// replaceable responder.  The program runs with the responder that opens real
// Qt dialogs; tests install a RisponditoreProgrammato that answers from a
// script and records what was asked, so that no test waits for a person.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPrinter;

namespace kenvaron::plat {

class Form;

// Message box buttons and icons, numbered as the windows number them.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
// Message box answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// The filter of the puzzle files, as the windows write filters ("name|patterns").
inline constexpr const char* FiltroSchemi = "File SUDOKU|*.txt;*.ss";

struct RichiestaFile {
    bool salva = false;               // save dialog (else open dialog)
    std::string titolo;
    std::string filtro;               // "name|pattern;pattern|name|pattern..."
    bool chiediSovrascrittura = true; // save: ask before replacing a file
};

class Risponditore {
public:
    virtual ~Risponditore() = default;
    // A message box: the answer is one of vbOK, vbCancel, vbYes, vbNo.
    virtual int Messaggio(const std::string& testo, int pulsanti, const std::string& titolo) = 0;
    // An input box: the text, or nothing when the user cancelled.
    virtual std::optional<std::string> Domanda(const std::string& testo, const std::string& titolo,
                                               const std::string& predefinito) = 0;
    // A file dialog: the chosen path, "" when cancelled.
    virtual std::string File(const RichiestaFile& richiesta) = 0;
    // The printer set-up on the printer the program prints to: false when cancelled.
    virtual bool Stampante(QPrinter& stampante) = 0;
    // A window has just been shown modally and its activation has run.
    virtual void ModalShown(Form& form) { (void)form; }
};

// The responder in use (the Qt dialogs unless a test installed another).
Risponditore& RisponditoreAttivo();
// Installs a responder and returns the previous one; nullptr restores the Qt dialogs.
Risponditore* ImpostaRisponditore(Risponditore* r);

// The dialogs.  An empty title gives the program's name.
int MsgBox(const std::string& testo, int pulsanti = vbOKOnly, const std::string& titolo = "");
// The typed text; "" also when the user cancelled.
std::string InputBox(const std::string& testo, const std::string& titolo = "",
                     const std::string& predefinito = "");
// The chosen file's full path; "" when cancelled.
std::string DialogoApri(const std::string& filtro, const std::string& titolo = "");
std::string DialogoSalva(const std::string& filtro, bool chiediSovrascrittura = true,
                         const std::string& titolo = "");
// The printer set-up dialog on the program's printer; true when confirmed.
bool DialogoStampante();

// A responder for tests: answers from queues, in order, and records every question.
// With an empty queue: message boxes answer Cancel (No for Yes/No, OK for OK
// only), input boxes and file dialogs are cancelled, the printer set-up is
// confirmed, and a modal window is unloaded at once.
class RisponditoreProgrammato : public Risponditore {
public:
    struct Domandato {
        std::string tipo;  // "messaggio", "domanda", "apri", "salva", "stampante", "finestra"
        std::string testo;
        std::string titolo;
        int pulsanti = 0;
        std::string predefinito;
    };

    std::deque<int> messaggi;
    std::deque<std::optional<std::string>> domande;
    std::deque<std::string> file;
    std::deque<bool> stampanti;
    // Runs when a window is shown modally; it must hide or unload the window.
    std::function<void(Form&)> finestraModale;
    std::vector<Domandato> domandati;

    int Messaggio(const std::string& testo, int pulsanti, const std::string& titolo) override;
    std::optional<std::string> Domanda(const std::string& testo, const std::string& titolo,
                                       const std::string& predefinito) override;
    std::string File(const RichiestaFile& richiesta) override;
    bool Stampante(QPrinter& stampante) override;
    void ModalShown(Form& form) override;
};

// Installs a responder for the life of the object.
class RisponditoreInUso {
public:
    explicit RisponditoreInUso(Risponditore& r) : precedente_(ImpostaRisponditore(&r)) {}
    ~RisponditoreInUso() { ImpostaRisponditore(precedente_); }
    RisponditoreInUso(const RisponditoreInUso&) = delete;
    RisponditoreInUso& operator=(const RisponditoreInUso&) = delete;

private:
    Risponditore* precedente_;
};

}  // namespace kenvaron::plat
