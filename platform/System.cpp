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
std::function<void()> azioneArresto;

// Notes the signal, then gives SIGINT and SIGTERM back their default action:
// should the stop never be acted on, a second one of either ends the program
// the default way.  Only async-signal-safe calls.
void NotaSegnale(int numero) {
    const int erroreDiPrima = errno;
    segnaleArrivato = numero;
    struct sigaction predefinita {};
    predefinita.sa_handler = SIG_DFL;
    sigemptyset(&predefinita.sa_mask);
    sigaction(SIGINT, &predefinita, nullptr);
    sigaction(SIGTERM, &predefinita, nullptr);
    errno = erroreDiPrima;
}

// The catalogues LoadQtTranslation installed (gone with the application object).
std::vector<QPointer<QTranslator>>& Cataloghi() {
    static std::vector<QPointer<QTranslator>> cataloghi;
    return cataloghi;
}

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
    struct sigaction nuova {};
    nuova.sa_handler = NotaSegnale;
    sigemptyset(&nuova.sa_mask);
    // Interrupted system calls resume: the program goes on to its next yield.
    nuova.sa_flags = SA_RESTART;
    sigaction(SIGINT, &nuova, &primaInt_);
    sigaction(SIGTERM, &nuova, &primaTerm_);
}

ArrestoDaSegnali::~ArrestoDaSegnali() {
    sigaction(SIGINT, &primaInt_, nullptr);
    sigaction(SIGTERM, &primaTerm_, nullptr);
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
