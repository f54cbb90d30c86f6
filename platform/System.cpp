#include "platform/System.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QStringList>
#include <QTranslator>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <utility>
#include <vector>

#include "platform/Form.h"

namespace kenvaron::plat {

namespace {

std::string& CartellaImposta() {
    static std::string cartella;
    return cartella;
}

// The last stop signal that arrived, 0 when none is waiting: all a handler may write.
volatile std::sig_atomic_t segnaleArrivato = 0;
// The signals NotaSegnale is installed on, one bit each (1 << SIGINT, 1 << SIGTERM).
volatile std::sig_atomic_t segnaliGestiti = 0;
std::function<void()> azioneArresto;

constexpr int kSegnaliArresto[] = {SIGINT, SIGTERM};

// Notes the signal, then gives the signals it handles back their default
// action: should the stop never be acted on, a second one ends the program the
// default way.  A signal the program came with ignored is left ignored.  Only
// async-signal-safe calls.
void NotaSegnale(int numero) {
    const int erroreDiPrima = errno;
    segnaleArrivato = numero;
    struct sigaction predefinita {};
    predefinita.sa_handler = SIG_DFL;
    sigemptyset(&predefinita.sa_mask);
    for (const int segnale : kSegnaliArresto)
        if (segnaliGestiti & (1 << segnale)) sigaction(segnale, &predefinita, nullptr);
    errno = erroreDiPrima;
}

// Puts NotaSegnale on `segnale` and keeps its former action in `prima`, unless
// that action is to ignore it: a shell starts a script's background job with
// SIGINT ignored, so that a Ctrl+C meant for the script leaves the job alone.
void Gestisci(int segnale, struct sigaction& prima) {
    sigaction(segnale, nullptr, &prima);
    if (prima.sa_handler == SIG_IGN) return;
    struct sigaction nuova {};
    nuova.sa_handler = NotaSegnale;
    sigemptyset(&nuova.sa_mask);
    // Interrupted system calls resume: the program goes on to its next yield.
    nuova.sa_flags = SA_RESTART;
    segnaliGestiti = segnaliGestiti | (1 << segnale);
    sigaction(segnale, &nuova, nullptr);
}

// The catalogues LoadQtTranslation and ImpostaLinguaItaliana installed (gone
// with the application object).
std::vector<QPointer<QTranslator>>& Cataloghi() {
    static std::vector<QPointer<QTranslator>> cataloghi;
    return cataloghi;
}

// The words Qt's file dialog looks up under a context its Italian catalogue
// lacks: a folder's and a drive's type in the file list.
class CatalogoProprio : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* contesto, const char* testo, const char* /*distinzione*/,
                      int /*n*/) const override {
        if (std::strcmp(contesto, "QAbstractFileIconProvider") != 0) return {};
        if (std::strcmp(testo, "Folder") == 0) return QStringLiteral("Cartella");
        if (std::strcmp(testo, "Drive") == 0) return QString::fromUtf8("Unità");
        return {};
    }
    // Not a loaded file, but not empty either: installTranslator reports it
    // installed and tells the windows that the language changed.
    bool isEmpty() const override { return false; }
};

int& Puntatore() {
    static int puntatore = vbDefault;
    return puntatore;
}

}  // namespace

std::string AppPath() {
    if (!CartellaImposta().empty()) return CartellaImposta();
    return QCoreApplication::applicationDirPath().toStdString();
}

void SetAppPath(const std::string& cartella) { CartellaImposta() = cartella; }

std::string AppExeName() { return QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString(); }

bool LoadQtTranslation(const std::string& lingua) {
    auto* catalogo = new QTranslator(QCoreApplication::instance());
    if (!catalogo->load(QString::fromStdString("qtbase_" + lingua), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(catalogo)) {
        delete catalogo;
        return false;
    }
    Cataloghi().emplace_back(catalogo);
    return true;
}

void UnloadQtTranslations() {
    for (const QPointer<QTranslator>& catalogo : Cataloghi()) {
        if (catalogo.isNull()) continue;
        QCoreApplication::removeTranslator(catalogo);
        delete catalogo;
    }
    Cataloghi().clear();
}

void SetDefaultLocale(const std::string& nome) { QLocale::setDefault(QLocale(QString::fromStdString(nome))); }

bool ImpostaLinguaItaliana() {
    const bool qt = LoadQtTranslation("it");
    auto* proprio = new CatalogoProprio(QCoreApplication::instance());
    QCoreApplication::installTranslator(proprio);
    Cataloghi().emplace_back(proprio);
    SetDefaultLocale("it_IT");
    return qt;
}

std::string Command() {
    QStringList argomenti = QCoreApplication::arguments();
    if (!argomenti.isEmpty()) argomenti.removeFirst();
    return argomenti.join(QLatin1Char(' ')).toStdString();
}

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (segnaleArrivato == 0 || !azioneArresto) return;
    segnaleArrivato = 0;
    azioneArresto();
}

ArrestoDaSegnali::ArrestoDaSegnali(std::function<void()> azione) {
    azioneArresto = std::move(azione);
    segnaleArrivato = 0;
    segnaliGestiti = 0;
    Gestisci(SIGINT, primaInt_);
    Gestisci(SIGTERM, primaTerm_);
}

ArrestoDaSegnali::~ArrestoDaSegnali() {
    sigaction(SIGINT, &primaInt_, nullptr);
    sigaction(SIGTERM, &primaTerm_, nullptr);
    segnaliGestiti = 0;
    segnaleArrivato = 0;
    azioneArresto = nullptr;
}

void EndProgram(int codice) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(codice);
}

void SetScreenMousePointer(int puntatore) {
    if (puntatore == Puntatore()) return;
    if (Puntatore() == vbHourglass) QApplication::restoreOverrideCursor();
    if (puntatore == vbHourglass) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    Puntatore() = puntatore;
}

int ScreenMousePointer() { return Puntatore(); }

std::string Clipboard::GetText() { return QGuiApplication::clipboard()->text().toStdString(); }

void Clipboard::SetText(const std::string& testo) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(testo));
}

void Clipboard::Clear() { QGuiApplication::clipboard()->clear(); }

}  // namespace kenvaron::plat
