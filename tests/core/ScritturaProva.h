// What the tests of file writers share: a disk that fills up half way through
// a write, and a check run as a user who is not root, so that file
// permissions hold.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <functional>
#include <string>

#include "engine/FileTesto.h"

namespace kenvaron::verifica {

// A disk that fills up once: after `scrittureIntere` whole writes, a write
// puts down a few bytes, the next one finds no room; after that, room again.
inline int statoDisco = 0, scrittureIntere = 0;
inline ssize_t DiscoPieno(int descrittore, const void* dati, std::size_t quanti) {
    if (scrittureIntere > 0) {
        --scrittureIntere;
        return ::write(descrittore, dati, quanti);
    }
    if (statoDisco == 0 && quanti > 3) {
        statoDisco = 1;
        return ::write(descrittore, dati, 3);
    }
    if (statoDisco == 1) {
        statoDisco = 2;
        errno = ENOSPC;
        return -1;
    }
    return ::write(descrittore, dati, quanti);
}

// A test's own system call in the writer's place for as long as it lives;
// the one that was there comes back at its end, however the test ends.
template <typename Funzione, Funzione (*Sostituisci)(Funzione)>
class Sostituzione {
public:
    explicit Sostituzione(Funzione funzione) : prima_(Sostituisci(funzione)) {}
    ~Sostituzione() { Sostituisci(prima_); }
    Sostituzione(const Sostituzione&) = delete;
    Sostituzione& operator=(const Sostituzione&) = delete;

private:
    Funzione prima_;
};
using ScritturaQui = Sostituzione<FunzioneScrittura, &SostituisciScrittura>;
using RinominaQui = Sostituzione<FunzioneRinomina, &SostituisciRinomina>;

// The full disk for as long as it lives.
class DiscoPienoQui : ScritturaQui {
public:
    explicit DiscoPienoQui(int intere = 0) : ScritturaQui(&DiscoPieno) {
        statoDisco = 0;
        scrittureIntere = intere;
    }
};

// The user and group the checks below run as when the tests run as root.
inline constexpr uid_t kUtenteComune = 65534;
inline constexpr gid_t kGruppoComune = 65534;

// True when the tests run as root, who alone can give files to other users.
inline bool Radice() { return ::geteuid() == 0; }

// Gives a file or folder to the user the checks run as, so that only its
// mode forbids what the check tries; as another user the file is already
// the test's own.
inline bool DaiAUtenteComune(const std::string& percorso) {
    return !Radice() || ::chown(percorso.c_str(), kUtenteComune, kGruppoComune) == 0;
}

// Runs the check in a child process that is not root (nobody, with no
// supplementary group, when the tests run as root), so that file permissions
// hold; true when it answered true.
inline bool ComeUtenteComune(const std::function<bool()>& prova) {
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        if (Radice() && (::setgroups(0, nullptr) != 0 || ::setgid(kGruppoComune) != 0 ||
                         ::setuid(kUtenteComune) != 0))
            ::_exit(2);
        ::_exit(prova() ? 0 : 1);
    }
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    return WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
}

}  // namespace kenvaron::verifica
