#include "ui/StatoPrincipale.h"

namespace kenvaron {

StatoPrincipale::StatoPrincipale()
    : motore(std::make_unique<Motore>(stato)),
      livelli(*motore, stato),
      contestoLivello{livelli, *motore, stato, impostazioni} {}

StatoPrincipale::EsitoChiusura StatoPrincipale::RichiestaChiusura(bool annulla) {
    if (annulla) return EsitoChiusura::Annullata;
    if (calcoliInCorso_ > 0) {
        generazione.Chiudi = 1;
        chiusuraRinviata_ = true;
        return EsitoChiusura::Rinviata;
    }
    return EsitoChiusura::Chiudere;
}

bool StatoPrincipale::FineCalcolo() {
    if (calcoliInCorso_ > 0) --calcoliInCorso_;
    return calcoliInCorso_ == 0 && chiusuraRinviata_;
}

}  // namespace kenvaron
