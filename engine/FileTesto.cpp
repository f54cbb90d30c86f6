#include "engine/FileTesto.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <utility>

namespace kenvaron {

namespace {

FunzioneScrittura& Scrittura() {
    static FunzioneScrittura scrivi = &::write;
    return scrivi;
}

FunzioneRinomina& Rinomina() {
    static FunzioneRinomina rinomina = &::rename;
    return rinomina;
}

// Writes every byte, going on with the rest after a short write; `pezzo`,
// when given, hears how many bytes each write put down, as it lands.
bool ScriviTutto(int descrittore, std::string_view dati, const std::function<void(std::size_t)>& pezzo = {}) {
    while (!dati.empty()) {
        const ssize_t scritti = Scrittura()(descrittore, dati.data(), dati.size());
        if (scritti < 0 && errno == EINTR) continue;
        if (scritti <= 0) return false;
        const auto n = static_cast<std::size_t>(scritti);
        if (pezzo) pezzo(n);
        dati.remove_prefix(n);
    }
    return true;
}

bool HaNul(const std::string& percorso) { return percorso.find('\0') != std::string::npos; }

std::string CartellaDi(const std::string& percorso) {
    const std::size_t barra = percorso.find_last_of('/');
    if (barra == std::string::npos) return ".";
    return barra == 0 ? "/" : percorso.substr(0, barra);
}

std::string NomeDi(const std::string& percorso) {
    const std::size_t barra = percorso.find_last_of('/');
    return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

bool StessoFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The path a chain of links in the last component reaches; the file there
// need not exist.  The folders on the way are left to the system.
std::string SeguiCollegamenti(std::string percorso) {
    for (int salti = 0; salti < 40; ++salti) {
        struct stat st;
        if (::lstat(percorso.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        char destinazione[PATH_MAX];
        const ssize_t n = ::readlink(percorso.c_str(), destinazione, sizeof destinazione - 1);
        if (n <= 0) break;
        const std::string letto(destinazione, static_cast<std::size_t>(n));
        percorso = letto.front() == '/' ? letto : CartellaDi(percorso) + "/" + letto;
    }
    return percorso;
}

// True when two paths, their links followed, would name the same entry of
// the same folder: where a missing file would be made.
bool StessoPosto(const std::string& a, const std::string& b) {
    struct stat cartellaA, cartellaB;
    return NomeDi(a) == NomeDi(b) && ::stat(CartellaDi(a).c_str(), &cartellaA) == 0 &&
           ::stat(CartellaDi(b).c_str(), &cartellaB) == 0 && StessoFile(cartellaA, cartellaB);
}

// The writer's temporary files: a fixed prefix and a random tail, so that any
// name the target has leaves room for them.  The older writer named them
// after their target: "." + name + "." + the tail.
constexpr std::string_view kPrefissoTemporaneo = ".kenvaron-";
constexpr std::size_t kCodaTemporaneo = 12;

bool CodaTemporaneo(std::string_view coda) {
    if (coda.size() != kCodaTemporaneo) return false;
    for (const char c : coda)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

bool NomeTemporaneo(std::string_view voce, const std::string& bersaglio) {
    if (voce.starts_with(kPrefissoTemporaneo)) return CodaTemporaneo(voce.substr(kPrefissoTemporaneo.size()));
    const std::string vecchio = "." + bersaglio + ".";
    return voce.starts_with(vecchio) && CodaTemporaneo(voce.substr(vecchio.size()));
}

// A new empty file with a name nobody can guess, made exclusively in the
// folder (O_EXCL never opens what was there, a link included).
int CreaTemporaneo(const std::string& cartella, mode_t permessi, std::string& temporaneo) {
    thread_local std::mt19937_64 casuale{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    static constexpr char kLettere[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int prova = 0; prova < 100; ++prova) {
        temporaneo = cartella + "/" + std::string(kPrefissoTemporaneo);
        for (std::size_t i = 0; i < kCodaTemporaneo; ++i) temporaneo += kLettere[casuale() % (sizeof kLettere - 1)];
        const int descrittore =
            ::open(temporaneo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, permessi);
        if (descrittore >= 0 || errno != EEXIST) return descrittore;
    }
    return -1;
}

// Gives a still empty temporary file the group and mode of the file it will
// replace, the group first: a change of group clears the set-ID bits, which
// the mode then puts back.  False when the group cannot be given.
bool StessiPermessi(int descrittore, const struct stat& bersaglio) {
    struct stat proprio;
    if (::fstat(descrittore, &proprio) != 0) return false;
    if (proprio.st_gid != bersaglio.st_gid &&
        ::fchown(descrittore, static_cast<uid_t>(-1), bersaglio.st_gid) != 0)
        return false;
    return ::fchmod(descrittore, bersaglio.st_mode & 07777) == 0;
}

// Syncs the folder, so that a rename in it survives a power loss.  A folder
// that cannot be opened or synced changes nothing: the file is in place.
void SincronizzaCartella(const std::string& cartella) {
    const int descrittore = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descrittore < 0) return;
    (void)::fsync(descrittore);
    ::close(descrittore);
}

// Empties the file where it stands, or makes it empty: no copy, no new file,
// and a reader following the file goes on reading it.
bool Svuota(const std::string& percorso) {
    const int descrittore = ApriRegolare(percorso, O_WRONLY | O_CREAT);
    if (descrittore < 0) return false;
    const bool svuotato = ::ftruncate(descrittore, 0) == 0;
    return ::close(descrittore) == 0 && svuotato;
}

// Writes over the file where it stands.  The old content is read first and
// put back when the new one cannot be written whole.
bool ScriviInPosto(const std::string& percorso, std::string_view contenuto, bool esiste) {
    std::string vecchio;
    if (esiste && !LeggiFile(percorso, vecchio)) return false;
    const int descrittore = ApriRegolare(percorso, O_WRONLY | O_CREAT);
    if (descrittore < 0) return false;
    bool riuscita = ScriviTutto(descrittore, contenuto) &&
                    ::ftruncate(descrittore, static_cast<off_t>(contenuto.size())) == 0;
    if (!riuscita && ::lseek(descrittore, 0, SEEK_SET) == 0 && ScriviTutto(descrittore, vecchio))
        (void)::ftruncate(descrittore, static_cast<off_t>(vecchio.size()));
    riuscita = ::close(descrittore) == 0 && riuscita;
    return riuscita;
}

// What an append must write first so that its line starts a line of its
// own: CR LF after a file that ends inside a line, LF after a lone CR.  The
// last byte is read through a descriptor of its own (the append's is
// write-only); a file that cannot be read is appended to as it is.
std::string_view FineRigaMancante(const std::string& percorso) {
    const int descrittore = ApriRegolare(percorso, O_RDONLY);
    if (descrittore < 0) return {};
    struct stat st;
    char ultimo = '\n';
    if (::fstat(descrittore, &st) == 0 && st.st_size > 0 && ::pread(descrittore, &ultimo, 1, st.st_size - 1) != 1)
        ultimo = '\n';
    ::close(descrittore);
    if (ultimo == '\n') return {};
    return ultimo == '\r' ? "\n" : "\r\n";
}

// DestinazioneScrivibile with the target looked up once: when it is there
// (`esiste`), its status is in `st`.
bool Ammessa(const std::string& percorso, const FilePropri& propri, struct stat& st, bool& esiste) {
    esiste = false;
    if (percorso.empty() || HaNul(percorso) || FileDelProgramma(percorso, propri)) return false;
    esiste = ::stat(percorso.c_str(), &st) == 0;
    if (esiste) return S_ISREG(st.st_mode);
    return errno == ENOENT;
}

// What the rename path did with a file's new content.
enum class EsitoRinomina {
    Fatta,    // the new file is in the old one's place
    Fallita,  // nothing changed: the old file is whole, nothing is left beside it
    InPosto,  // a rename cannot replace this file as it is: it is to be written where it stands
};

// Replaces the file by a new one renamed over it.  Through a link, the file
// it points to is replaced, in its own folder, so the rename stays on one
// file system and the link stays a link.  The new file is never more open
// than the old one, not even for a moment.
EsitoRinomina ScriviERinomina(const std::string& percorso, std::string_view contenuto, const struct stat& st,
                              bool esiste) {
    // A rename would take the file away from its other names or its owner.
    if (esiste && (st.st_nlink > 1 || st.st_uid != ::geteuid())) return EsitoRinomina::InPosto;
    const std::string destinazione = SeguiCollegamenti(percorso), cartella = CartellaDi(destinazione);
    std::string temporaneo;
    const int descrittore = CreaTemporaneo(cartella, esiste ? 0600 : 0666, temporaneo);
    // A folder where no file can be made.
    if (descrittore < 0) return EsitoRinomina::InPosto;
    if (esiste && !StessiPermessi(descrittore, st)) {
        // A group the program cannot give to a new file.
        ::close(descrittore);
        ::unlink(temporaneo.c_str());
        return EsitoRinomina::InPosto;
    }
    bool scritto = ScriviTutto(descrittore, contenuto);
    scritto = ::fsync(descrittore) == 0 && scritto;
    scritto = ::close(descrittore) == 0 && scritto;
    if (scritto && Rinomina()(temporaneo.c_str(), destinazione.c_str()) == 0) {
        SincronizzaCartella(cartella);
        return EsitoRinomina::Fatta;
    }
    const int errore = errno;
    ::unlink(temporaneo.c_str());
    // A file mounted on its own cannot be renamed over.  A write that failed
    // in the new file would fail in place too.
    return scritto && (errore == EBUSY || errore == EXDEV) ? EsitoRinomina::InPosto : EsitoRinomina::Fallita;
}

}  // namespace

FunzioneScrittura SostituisciScrittura(FunzioneScrittura scrivi) {
    const FunzioneScrittura prima = Scrittura();
    Scrittura() = scrivi != nullptr ? scrivi : &::write;
    return prima;
}

FunzioneRinomina SostituisciRinomina(FunzioneRinomina rinomina) {
    const FunzioneRinomina prima = Rinomina();
    Rinomina() = rinomina != nullptr ? rinomina : &::rename;
    return prima;
}

bool FileExists(const std::string& percorso) {
    struct stat st;
    return !percorso.empty() && ::stat(percorso.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int ApriRegolare(const std::string& percorso, int modo, mode_t permessi) {
    if (HaNul(percorso)) return -1;
    const int descrittore = ::open(percorso.c_str(), modo | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, permessi);
    if (descrittore < 0) return -1;
    struct stat st;
    if (::fstat(descrittore, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(descrittore);
        return -1;
    }
    return descrittore;
}

FileInLettura::FileInLettura(const std::string& percorso)
    : descrittore_(FileExists(percorso) ? ApriRegolare(percorso, O_RDONLY) : -1) {}

FileInLettura::~FileInLettura() {
    if (descrittore_ >= 0) ::close(descrittore_);
}

bool FileInLettura::Leggi(char* dove, std::size_t quanti, std::size_t& letti) {
    letti = 0;
    while (letti < quanti) {
        const ssize_t n = ::read(descrittore_, dove + letti, quanti - letti);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        letti += static_cast<std::size_t>(n);
    }
    return true;
}

bool LeggiFile(const std::string& percorso, std::string& testo, std::size_t massimo, bool* oltre) {
    FileInLettura f(percorso);
    if (!f.Aperto()) return false;
    std::string letto;
    constexpr std::size_t kBlocco = 64 * 1024;
    // One byte past `massimo` tells a file that goes on.
    const bool unoInPiu = oltre != nullptr && massimo < std::numeric_limits<std::size_t>::max();
    const std::size_t limite = unoInPiu ? massimo + 1 : massimo;
    while (letto.size() < limite) {
        const std::size_t inizio = letto.size(), blocco = std::min(kBlocco, limite - inizio);
        letto.resize(inizio + blocco);
        std::size_t n = 0;
        const bool riuscita = f.Leggi(letto.data() + inizio, blocco, n);
        letto.resize(inizio + n);
        if (!riuscita) return false;
        if (n < blocco) break;
    }
    if (oltre != nullptr) *oltre = letto.size() > massimo;
    if (letto.size() > massimo) letto.resize(massimo);
    testo = std::move(letto);
    return true;
}

bool FileDelProgramma(const std::string& percorso, const FilePropri& propri) {
    if (percorso.empty()) return false;
    struct stat bersaglio, proprio;
    const bool esiste = ::stat(percorso.c_str(), &bersaglio) == 0;
    const std::string raggiunto = SeguiCollegamenti(percorso);
    for (const std::string& nome : propri.nomi) {
        const std::string nomeProprio = propri.cartella + "/" + nome;
        if (::stat(nomeProprio.c_str(), &proprio) == 0) {
            if (esiste && StessoFile(bersaglio, proprio)) return true;
        } else if (StessoPosto(raggiunto, SeguiCollegamenti(nomeProprio))) {
            // Missing, or a link that reaches no file: a write there would
            // make the file the program reads under that name.
            return true;
        }
    }
    return false;
}

FilePropri FilePropriIn(const std::string& cartella, const std::string& programma) {
    return {cartella, {kFileImpostazioni, kFileRegole, kFileIstruzioni, programma}};
}

bool DestinazioneScrivibile(const std::string& percorso, const FilePropri& propri) {
    struct stat st;
    bool esiste;
    return Ammessa(percorso, propri, st, esiste);
}

bool ScriviFile(const std::string& percorso, std::string_view contenuto, const FilePropri& propri) {
    struct stat st;
    bool esiste;
    if (!Ammessa(percorso, propri, st, esiste)) return false;
    if (esiste && ::access(percorso.c_str(), W_OK) != 0) return false;
    if (contenuto.empty()) return Svuota(percorso);
    const EsitoRinomina esito = ScriviERinomina(percorso, contenuto, st, esiste);
    return esito == EsitoRinomina::Fatta ||
           (esito == EsitoRinomina::InPosto && ScriviInPosto(percorso, contenuto, esiste));
}

namespace {

// The two locks an append takes turns with.  The first is the file's flock,
// which other programs may take too.  The second is the program's own turn,
// which no lock of another program on the file can hold up (a record lock on
// the whole file, as lockf takes one, covers every byte of it, also one far
// past its end): a Unix socket bound to a name in the abstract namespace
// (Linux), made of the file's device and inode.  Only one socket at a time can
// be bound to a name, by any process of the machine: a bind that succeeds takes
// the turn, one that finds the name in use finds the turn held; the close gives
// it back, and the kernel closes the sockets of a process that dies, so that a
// killed run never leaves a turn held.  The name lives in the kernel only: no
// file is made anywhere, and it needs no locks of the file system.  It is the
// machine's, more precisely its network namespace's: runs on another machine
// (a file on NFS) or in another network namespace take turns with these only
// through the flock.
enum Turno { kTurnoFile, kTurnoProgramma, kTurni };

// The program's own turn on one file: a socket, bound to the file's name once
// the turn is taken, and closed (the turn given back, when taken) as it goes.
// Where no socket can be made, the append goes on without the turn.
class TurnoProprio {
public:
    explicit TurnoProprio(const struct stat* file) {
        if (file == nullptr) return;
        presa_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (presa_ < 0) return;
        nome_.sun_family = AF_UNIX;
        // The first byte of the path is the NUL that puts the name in the
        // abstract namespace; the name is every byte after it, with no end.
        const int lettere =
            std::snprintf(nome_.sun_path + 1, sizeof nome_.sun_path - 1, "kenvaron/turno/%llx/%llx",
                          static_cast<unsigned long long>(file->st_dev), static_cast<unsigned long long>(file->st_ino));
        lunghezza_ = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<std::size_t>(lettere));
    }
    ~TurnoProprio() {
        if (presa_ >= 0) ::close(presa_);
    }
    TurnoProprio(const TurnoProprio&) = delete;
    TurnoProprio& operator=(const TurnoProprio&) = delete;

    // True when the turn is taken now, or cannot be had at all (the append
    // goes on without it); false while another holds it.
    bool Prendi() const {
        if (presa_ < 0) return true;
        if (::bind(presa_, reinterpret_cast<const sockaddr*>(&nome_), lunghezza_) == 0) return true;
        return errno != EADDRINUSE;
    }

private:
    int presa_ = -1;
    sockaddr_un nome_{};
    socklen_t lunghezza_ = 0;
};

// How long an append waits for a lock that another holds, the first time.
constexpr std::chrono::milliseconds kAttesaTurno{1000};

// True when the descriptor holds the file's flock now, or the file system
// keeps no such locks (the append goes on without it); false while another
// holds it.
bool FlockPreso(int descrittore) {
    for (;;) {
        if (::flock(descrittore, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EINTR) return errno != EWOULDBLOCK;
    }
}

// A file on which a wait ran out, kept open so that its inode cannot go to a
// new file while it is remembered: by a descriptor of its own (O_PATH: no
// reading, no writing, no lock), never a dup of an append's, which would keep
// that append's locks past its close.
struct FileRicordato {
    int aperto;
    bool esaurita[kTurni];
};

// The files on which a wait for a lock ran out in this run, by device and
// inode: another program keeps that lock, and a second's wait at each append
// would only slow a run down, or freeze the window.
struct Attese {
    std::mutex guardia;
    std::map<std::pair<dev_t, ino_t>, FileRicordato> esaurite;
    std::size_t iniziate = 0;
};

Attese& AtteseDelProcesso() {
    static Attese attese;
    return attese;
}

// Closes the remembered files that no name reaches any more (or that the file
// system no longer knows), so that a removed file's space is not held.
void DimenticaRimossi() {
    Attese& attese = AtteseDelProcesso();
    const std::lock_guard<std::mutex> chiuso(attese.guardia);
    for (auto voce = attese.esaurite.begin(); voce != attese.esaurite.end();) {
        struct stat st;
        if (::fstat(voce->second.aperto, &st) == 0 && st.st_nlink > 0) {
            ++voce;
            continue;
        }
        ::close(voce->second.aperto);
        voce = attese.esaurite.erase(voce);
    }
}

// Remembers that a wait for the lock ran out on the file the append opened
// at percorso.  The file is opened again by its name to be kept; when the
// name no longer reaches it, it is not remembered (its next append waits).
void RicordaEsaurita(Attese& attese, const std::pair<dev_t, ino_t>& file, const std::string& percorso, Turno turno) {
    auto voce = attese.esaurite.find(file);
    if (voce == attese.esaurite.end()) {
        const int aperto = ::open(percorso.c_str(), O_PATH | O_CLOEXEC);
        if (aperto < 0) return;
        struct stat st;
        if (::fstat(aperto, &st) != 0 || st.st_dev != file.first || st.st_ino != file.second) {
            ::close(aperto);
            return;
        }
        voce = attese.esaurite.emplace(file, FileRicordato{aperto, {}}).first;
    }
    voce->second.esaurita[turno] = true;
}

// The lock, taken by `preso` (true when held now, or when it cannot be had
// at all), waited for up to a second the first time another holds it on this
// file (`file`: its status, nullptr when unknown); on a file whose wait for it
// once ran out, taken only when it is free at once.
template <typename Prova>
void PrendiTurno(const struct stat* file, const std::string& percorso, Turno turno, const Prova& preso) {
    if (preso()) return;
    std::pair<dev_t, ino_t> chiave{};
    if (file != nullptr) chiave = {file->st_dev, file->st_ino};
    Attese& attese = AtteseDelProcesso();
    {
        const std::lock_guard<std::mutex> chiuso(attese.guardia);
        const auto voce = file != nullptr ? attese.esaurite.find(chiave) : attese.esaurite.end();
        if (voce != attese.esaurite.end() && voce->second.esaurita[turno]) return;
        ++attese.iniziate;
    }
    const auto limite = std::chrono::steady_clock::now() + kAttesaTurno;
    while (std::chrono::steady_clock::now() < limite) {
        const struct timespec millisecondo {0, 1000000};
        ::nanosleep(&millisecondo, nullptr);
        if (preso()) return;
    }
    if (file == nullptr) return;
    const std::lock_guard<std::mutex> chiuso(attese.guardia);
    RicordaEsaurita(attese, chiave, percorso, turno);
}

}  // namespace

std::size_t AtteseDelTurno() {
    Attese& attese = AtteseDelProcesso();
    const std::lock_guard<std::mutex> chiuso(attese.guardia);
    return attese.iniziate;
}

bool AggiungiRiga(const std::string& percorso, std::string_view riga, const FilePropri& propri) {
    if (!DestinazioneScrivibile(percorso, propri)) return false;
    const int descrittore = ApriRegolare(percorso, O_WRONLY | O_APPEND | O_CREAT);
    if (descrittore < 0) return false;
    // The program's appends to one file take turns from the look at its last
    // byte to the close: none takes another's half-written line for a cut one
    // and starts with a line end, an empty line.  The file's flock comes
    // first, so that no append waits for it while holding the program's own
    // turn.  Where the file system has no flock, or another program keeps it
    // for over a second, the append goes on without it rather than hang; on
    // that file, later appends of the run no longer wait for it.  No lock of
    // another program holds up the program's own turn, which is waited for in
    // the same way (only a run stopped or slowed in its turn, or a program that
    // took its name, keeps it for long).
    DimenticaRimossi();
    struct stat stato;
    const struct stat* file = ::fstat(descrittore, &stato) == 0 ? &stato : nullptr;
    const TurnoProprio proprio(file);
    PrendiTurno(file, percorso, kTurnoFile, [descrittore] { return FlockPreso(descrittore); });
    PrendiTurno(file, percorso, kTurnoProgramma, [&proprio] { return proprio.Prendi(); });
    const std::string_view prima = FineRigaMancante(percorso);
    std::string testo;
    testo.reserve(prima.size() + riga.size() + 2);
    testo.append(prima).append(riga).append("\r\n");
    // Where this append's bytes went: the offset of the first, the end of the
    // last (the descriptor's offset after a write is the end of what it put
    // down, even when appending), and how many.
    off_t inizio = -1, fine = -1;
    std::size_t scritti = 0;
    bool scritta = ScriviTutto(descrittore, testo, [&](std::size_t n) {
        fine = ::lseek(descrittore, 0, SEEK_CUR);
        if (scritti == 0) inizio = fine < 0 ? -1 : fine - static_cast<off_t>(n);
        scritti += n;
    });
    if (!scritta && scritti > 0) {
        // Only this append's own bytes are cut, and only while they lie
        // together at the end of the file: another writer's later lines stay.
        struct stat st;
        if (inizio >= 0 && ::fstat(descrittore, &st) == 0 && st.st_size == fine &&
            inizio + static_cast<off_t>(scritti) == fine)
            (void)::ftruncate(descrittore, inizio);
    }
    scritta = ::close(descrittore) == 0 && scritta;
    return scritta;
}

bool ScriviRighe(const std::string& percorso, const std::vector<std::string>& righe, const FilePropri& propri) {
    std::string testo;
    for (const std::string& riga : righe) testo.append(riga).append("\r\n");
    return ScriviFile(percorso, testo, propri);
}

void RimuoviTemporaneiVecchi(const std::string& percorso) {
    if (percorso.empty() || HaNul(percorso)) return;
    const std::string destinazione = SeguiCollegamenti(percorso), nome = NomeDi(destinazione);
    DIR* cartella = ::opendir(CartellaDi(destinazione).c_str());
    if (cartella == nullptr) return;
    const int descrittore = ::dirfd(cartella);
    const std::time_t limite = std::time(nullptr) - 10 * 60;
    while (const dirent* voce = ::readdir(cartella)) {
        if (!NomeTemporaneo(voce->d_name, nome)) continue;
        struct stat st;
        if (::fstatat(descrittore, voce->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_mtime < limite)
            ::unlinkat(descrittore, voce->d_name, 0);
    }
    ::closedir(cartella);
}

}  // namespace kenvaron
