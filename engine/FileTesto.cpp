#include "engine/FileTesto.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace kenvaron {

namespace {

FunzioneScrittura& Scrittura() {
    static FunzioneScrittura scrivi = &::write;
    return scrivi;
}

// Writes every byte, going on with the rest after a short write.
bool ScriviTutto(int descrittore, std::string_view dati) {
    while (!dati.empty()) {
        const ssize_t scritti = Scrittura()(descrittore, dati.data(), dati.size());
        if (scritti < 0 && errno == EINTR) continue;
        if (scritti <= 0) return false;
        dati.remove_prefix(static_cast<std::size_t>(scritti));
    }
    return true;
}

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

// The type test of a write's target, looked up once: true when nothing is
// there yet or a regular file is (then `esiste`, with its status in `st`).
bool TipoScrivibile(const std::string& percorso, struct stat& st, bool& esiste) {
    esiste = !percorso.empty() && ::stat(percorso.c_str(), &st) == 0;
    if (esiste) return S_ISREG(st.st_mode);
    return !percorso.empty() && errno == ENOENT;
}

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

// A new empty file with a name nobody can guess, made exclusively in the
// folder (O_EXCL never opens what was there, a link included).
int CreaTemporaneo(const std::string& cartella, const std::string& nome, std::string& temporaneo) {
    thread_local std::mt19937_64 casuale{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    static constexpr char kLettere[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int prova = 0; prova < 100; ++prova) {
        std::string coda(12, 'x');
        for (char& c : coda) c = kLettere[casuale() % (sizeof kLettere - 1)];
        temporaneo = cartella + "/." + nome + "." + coda;
        const int descrittore =
            ::open(temporaneo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descrittore >= 0 || errno != EEXIST) return descrittore;
    }
    return -1;
}

// Writes over the file where it stands.  The old content is read first and
// put back when the new one cannot be written whole.
bool ScriviInPosto(const std::string& percorso, std::string_view contenuto, bool esiste) {
    std::string vecchio;
    if (esiste && !LeggiFile(percorso, vecchio)) return false;
    const int descrittore = ::open(percorso.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descrittore < 0) return false;
    struct stat st;
    if (::fstat(descrittore, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(descrittore);
        return false;
    }
    bool riuscita = ScriviTutto(descrittore, contenuto) &&
                    ::ftruncate(descrittore, static_cast<off_t>(contenuto.size())) == 0;
    if (!riuscita && ::lseek(descrittore, 0, SEEK_SET) == 0 && ScriviTutto(descrittore, vecchio))
        (void)::ftruncate(descrittore, static_cast<off_t>(vecchio.size()));
    riuscita = ::close(descrittore) == 0 && riuscita;
    return riuscita;
}

}  // namespace

FunzioneScrittura SostituisciScrittura(FunzioneScrittura scrivi) {
    const FunzioneScrittura prima = Scrittura();
    Scrittura() = scrivi != nullptr ? scrivi : &::write;
    return prima;
}

bool FileExists(const std::string& percorso) {
    std::error_code ec;
    return !percorso.empty() && std::filesystem::is_regular_file(percorso, ec);
}

bool LeggiFile(const std::string& percorso, std::string& testo) {
    // The type first: opening a pipe would wait for a writer.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(percorso, ec)) return false;
    std::ifstream f(percorso, std::ios::binary);
    if (!f) return false;
    std::ostringstream tutto;
    tutto << f.rdbuf();
    testo = tutto.str();
    return !f.bad();
}

bool FileDelProgramma(const std::string& percorso, const FilePropri& propri) {
    if (percorso.empty()) return false;
    struct stat bersaglio, proprio, cartellaBersaglio, cartellaPropria;
    const bool esiste = ::stat(percorso.c_str(), &bersaglio) == 0;
    const std::string raggiunto = SeguiCollegamenti(percorso);
    const bool stessaCartella = ::stat(CartellaDi(raggiunto).c_str(), &cartellaBersaglio) == 0 &&
                                ::stat(propri.cartella.c_str(), &cartellaPropria) == 0 &&
                                StessoFile(cartellaBersaglio, cartellaPropria);
    for (const std::string& nome : propri.nomi) {
        if (::stat((propri.cartella + "/" + nome).c_str(), &proprio) == 0) {
            if (esiste && StessoFile(bersaglio, proprio)) return true;
        } else if (stessaCartella && NomeDi(raggiunto) == nome) {
            return true;
        }
    }
    return false;
}

bool DestinazioneScrivibile(const std::string& percorso) {
    struct stat st;
    bool esiste;
    return TipoScrivibile(percorso, st, esiste);
}

bool ScriviFile(const std::string& percorso, std::string_view contenuto) {
    struct stat st;
    bool esiste;
    if (!TipoScrivibile(percorso, st, esiste)) return false;
    if (esiste && ::access(percorso.c_str(), W_OK) != 0) return false;
    // A rename would take the file away from its other names or its owner.
    if (esiste && (st.st_nlink > 1 || st.st_uid != ::geteuid())) return ScriviInPosto(percorso, contenuto, esiste);

    // Through a link, the file it points to is replaced, in its own folder,
    // so the rename stays on one file system and the link stays a link.
    const std::string destinazione = SeguiCollegamenti(percorso);
    std::string temporaneo;
    const int descrittore = CreaTemporaneo(CartellaDi(destinazione), NomeDi(destinazione), temporaneo);
    if (descrittore < 0) return ScriviInPosto(percorso, contenuto, esiste);
    bool scritto = ScriviTutto(descrittore, contenuto);
    bool stessiPermessi = true;
    if (esiste) {
        stessiPermessi = ::fchmod(descrittore, st.st_mode & 07777) == 0 &&
                         (st.st_gid == ::getegid() || ::fchown(descrittore, static_cast<uid_t>(-1), st.st_gid) == 0);
    }
    scritto = ::fsync(descrittore) == 0 && scritto;
    scritto = ::close(descrittore) == 0 && scritto;
    if (scritto && stessiPermessi && ::rename(temporaneo.c_str(), destinazione.c_str()) == 0) return true;
    ::unlink(temporaneo.c_str());
    // A file whose group the program cannot give to a new file is written
    // where it stands; a write that failed in the new file fails there too.
    return scritto && !stessiPermessi ? ScriviInPosto(percorso, contenuto, esiste) : false;
}

bool AggiungiRiga(const std::string& percorso, std::string_view riga) {
    if (!DestinazioneScrivibile(percorso)) return false;
    const int descrittore =
        ::open(percorso.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descrittore < 0) return false;
    struct stat st;
    if (::fstat(descrittore, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(descrittore);
        return false;
    }
    std::string testo;
    testo.reserve(riga.size() + 2);
    testo.append(riga).append("\r\n");
    bool scritta = ScriviTutto(descrittore, testo);
    if (!scritta) (void)::ftruncate(descrittore, st.st_size);
    scritta = ::close(descrittore) == 0 && scritta;
    return scritta;
}

bool ScriviRighe(const std::string& percorso, const std::vector<std::string>& righe, const FilePropri& propri) {
    if (FileDelProgramma(percorso, propri)) return false;
    std::string testo;
    for (const std::string& riga : righe) testo.append(riga).append("\r\n");
    return ScriviFile(percorso, testo);
}

bool AggiungiRiga(const std::string& percorso, std::string_view riga, const FilePropri& propri) {
    return !FileDelProgramma(percorso, propri) && AggiungiRiga(percorso, riga);
}

}  // namespace kenvaron
