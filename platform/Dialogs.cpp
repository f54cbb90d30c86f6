#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include "platform/Form.h"
#include "platform/Printer.h"
#include "platform/Schermo.h"
#include "platform/Stringhe.h"

namespace kenvaron::plat {

namespace {

constexpr const char* TitoloPredefinito = "Kenvaron";

std::string Titolo(const std::string& titolo) { return titolo.empty() ? TitoloPredefinito : titolo; }


// "name|pattern;pattern|name|pattern" as Qt writes it: "name (pattern pattern);;name (pattern)".
QString FiltroQt(const std::string& filtro) {
    const QStringList parti = Q(filtro).split(QLatin1Char('|'));
    QStringList voci;
    for (qsizetype i = 0; i + 1 < parti.size(); i += 2) {
        QString modelli = parti[i + 1];
        modelli.replace(QLatin1Char(';'), QLatin1Char(' '));
        voci << parti[i] + QStringLiteral(" (") + modelli + QLatin1Char(')');
    }
    return voci.join(QStringLiteral(";;"));
}

// The responder of the running program: real Qt dialogs over the active window.
class RisponditoreQt : public Risponditore {
public:
    int Messaggio(const std::string& testo, int pulsanti, const std::string& titolo) override {
        QMessageBox box(FinestraAttiva());
        box.setWindowTitle(Q(titolo));
        box.setText(Q(testo));
        switch (pulsanti & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        switch (pulsanti & 0x7) {
        case vbOKCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case vbYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case vbYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            break;
        default: box.setStandardButtons(QMessageBox::Ok); break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes: return vbYes;
        case QMessageBox::No: return vbNo;
        case QMessageBox::Cancel: return vbCancel;
        default: return (pulsanti & 0x7) == vbOKCancel ? vbCancel : vbOK;
        }
    }

    std::optional<std::string> Domanda(const std::string& testo, const std::string& titolo,
                                       const std::string& predefinito) override {
        bool ok = false;
        const QString t = QInputDialog::getText(FinestraAttiva(), Q(titolo), Q(testo),
                                                QLineEdit::Normal, Q(predefinito), &ok);
        if (!ok) return std::nullopt;
        return t.toStdString();
    }

    // Qt's static file dialogs leave the dialog to place itself as it is
    // shown, when its window exists but no window manager has framed it yet:
    // the point Qt reckons for the frame goes to the client area, and the
    // frame lands up and left by its borders, past the screen's left edge
    // when the dialog is pushed against it.  The same dialog is built here
    // and placed before it is shown.
    std::string File(const RichiestaFile& r) override {
        QWidget* sotto = FinestraAttiva();
        // On the heap, as Qt's own: closing the window beneath deletes it.
        const QPointer<QFileDialog> d = new QFileDialog(sotto, Q(r.titolo), QString(), FiltroQt(r.filtro));
        d->setSupportedSchemes({QStringLiteral("file")});
        if (r.salva) {
            d->setAcceptMode(QFileDialog::AcceptSave);
            d->setOption(QFileDialog::DontConfirmOverwrite, !r.chiediSovrascrittura);
        } else {
            d->setFileMode(QFileDialog::ExistingFile);
        }
        PiazzaSopra(d, sotto);
        const bool scelto = d->exec() == QDialog::Accepted && d != nullptr;
        const std::string file = scelto ? d->selectedFiles().value(0).toStdString() : std::string();
        delete d;
        return file;
    }

    bool Stampante(QPrinter& stampante) override {
        QPrintDialog d(&stampante, FinestraAttiva());
        d.setOption(QAbstractPrintDialog::PrintSelection, false);
        // "Opzioni >>" widens the dialog where it stands.
        TieniSulloSchermo(&d);
        return d.exec() == QDialog::Accepted;
    }
};

RisponditoreQt& Qt_() {
    static RisponditoreQt r;
    return r;
}

Risponditore*& Attivo() {
    static Risponditore* attivo = &Qt_();
    return attivo;
}

template <typename T>
std::optional<T> Preleva(std::deque<T>& coda) {
    if (coda.empty()) return std::nullopt;
    T v = std::move(coda.front());
    coda.pop_front();
    return v;
}

}  // namespace

Risponditore& RisponditoreAttivo() { return *Attivo(); }

Risponditore* ImpostaRisponditore(Risponditore* r) {
    Risponditore* precedente = Attivo();
    Attivo() = r != nullptr ? r : &Qt_();
    return precedente;
}

int MsgBox(const std::string& testo, int pulsanti, const std::string& titolo) {
    return RisponditoreAttivo().Messaggio(testo, pulsanti, Titolo(titolo));
}

std::string InputBox(const std::string& testo, const std::string& titolo, const std::string& predefinito) {
    return RisponditoreAttivo().Domanda(testo, Titolo(titolo), predefinito).value_or(std::string());
}

std::string DialogoApri(const std::string& filtro, const std::string& titolo) {
    RichiestaFile r;
    r.titolo = titolo;
    r.filtro = filtro;
    return RisponditoreAttivo().File(r);
}

std::string DialogoSalva(const std::string& filtro, bool chiediSovrascrittura, const std::string& titolo) {
    RichiestaFile r;
    r.salva = true;
    r.titolo = titolo;
    r.filtro = filtro;
    r.chiediSovrascrittura = chiediSovrascrittura;
    return RisponditoreAttivo().File(r);
}

bool DialogoStampante() { return RisponditoreAttivo().Stampante(Printer::Instance().QtPrinter()); }

// ---- RisponditoreProgrammato

int RisponditoreProgrammato::Messaggio(const std::string& testo, int pulsanti, const std::string& titolo) {
    domandati.push_back({"messaggio", testo, titolo, pulsanti, {}});
    if (auto r = Preleva(messaggi)) return *r;
    switch (pulsanti & 0x7) {
    case vbOKCancel:
    case vbYesNoCancel: return vbCancel;
    case vbYesNo: return vbNo;
    default: return vbOK;
    }
}

std::optional<std::string> RisponditoreProgrammato::Domanda(const std::string& testo,
                                                            const std::string& titolo,
                                                            const std::string& predefinito) {
    domandati.push_back({"domanda", testo, titolo, 0, predefinito});
    if (auto r = Preleva(domande)) return *r;
    return std::nullopt;
}

std::string RisponditoreProgrammato::File(const RichiestaFile& richiesta) {
    domandati.push_back({richiesta.salva ? "salva" : "apri", richiesta.filtro, richiesta.titolo,
                         richiesta.chiediSovrascrittura ? 1 : 0, {}});
    return Preleva(file).value_or(std::string());
}

bool RisponditoreProgrammato::Stampante(QPrinter& stampante) {
    (void)stampante;
    domandati.push_back({"stampante", {}, {}, 0, {}});
    return Preleva(stampanti).value_or(true);
}

void RisponditoreProgrammato::ModalShown(Form& form) {
    domandati.push_back({"finestra", form.Caption(), {}, 0, {}});
    if (finestraModale)
        finestraModale(form);
    else
        form.Unload();
}

}  // namespace kenvaron::plat
