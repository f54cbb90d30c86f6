// What the tests of file writers share: a disk that fills up half way through
// a write, and a check run as a user who is not root, so that file
// permissions hold.
#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <functional>

#include "engine/FileTesto.h"

namespace kenvaron::verifica {

// A disk that fills up once: a write puts down a few bytes, the next one
// finds no room; after that, room again.
inline int statoDisco = 0;
inline ssize_t DiscoPieno(int descrittore, const void* dati, std::size_t quanti) {
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

// The full disk for as long as it lives.
class DiscoPienoQui {
public:
    DiscoPienoQui() : prima_(SostituisciScrittura(&DiscoPieno)) { statoDisco = 0; }
    ~DiscoPienoQui() { SostituisciScrittura(prima_); }
    DiscoPienoQui(const DiscoPienoQui&) = delete;
    DiscoPienoQui& operator=(const DiscoPienoQui&) = delete;

private:
    FunzioneScrittura prima_;
};

// Runs the check in a child process that is not root (nobody, when the tests
// run as root), so that file permissions hold; true when it answered true.
inline bool ComeUtenteComune(const std::function<bool()>& prova) {
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        ::_exit(prova() ? 0 : 1);
    }
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    return WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
}

}  // namespace kenvaron::verifica
