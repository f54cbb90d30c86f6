// The solver: a depth-first search over numbered levels.  In narrated mode each
// level first sweeps for singles and runs the technique turns, narrating every
// step; when logic stalls it tries the digits of the cell with the fewest
// candidates, one level deeper per trial, and backs up through the level's undo
// string.  Plain mode only tries digits.  An engine with the background profile
// gives the program's windows a turn at the head of every level, in both modes.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "engine/Marcatori.h"
#include "engine/Motore.h"

namespace kenvaron {

namespace {

constexpr double kLimiteSecondi = 5.0;
constexpr std::size_t kVoceE = 7;  // "E" r "," c "," d "|"
// The restriction of the singles sweep when it has none: every digit is tested.
// A restriction of 0 is the digit 0, which no cell can take.
constexpr int kNessunaRestrizione = -1;

std::string Num(int n) { return std::to_string(n); }

// For each set of digits (bit d - 1 for digit d), its digits ascending as characters.
constexpr auto kCifreDi = [] {
    std::array<Motore::CifreProva, 512> t{};
    for (unsigned m = 0; m < 512; ++m)
        for (int d = 1; d <= 9; ++d)
            if ((m >> (d - 1) & 1) != 0) t[m].cifre[t[m].quante++] = static_cast<char>('0' + d);
    return t;
}();

}  // namespace

void Motore::ApplicaScartiUtente(bool contaCandidati) {
    const int mosse = std::clamp(stato.NumMosse, 0, Condiviso::kMaxMosse);
    for (int k = 1; k <= mosse; ++k) {
        const Mossa& m = stato.PilaAnnulla[k];
        if (m.Tipo != "C") continue;
        if (m.Riga < 1 || m.Riga > 9 || m.Colonna < 1 || m.Colonna > 9 || m.Cifra < 1 || m.Cifra > 9) continue;
        if (Possibili[m.Riga][m.Colonna][m.Cifra] == 50) {
            Possibili[m.Riga][m.Colonna][m.Cifra] = 49;
            if (contaCandidati) --NumeroCandidati[m.Riga][m.Colonna];
        }
    }
}

void Motore::Risolvi(Byte maxSoluzioni) {
    // The background engine solves the generator's puzzle and knows no user.
    const Tabella& schema = Sfondo ? stato.ProblemaF5 : stato.Problema;
    Inizializza();
    LivelloPila& primo = PilaLivelli[1];
    // The givens are counted here, never taken from a stale NumCellePiene; a
    // cell outside 1..9 counts as empty.  A given whose digit a peer already
    // holds makes the puzzle contradictory.
    int piene = 0;
    bool contraddittorio = false;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int d = schema[r][c];
            if (d < 1 || d > 9) continue;
            ++piene;
            if (Possibili[r][c][d] != 50) contraddittorio = true;
            primo.Riga = static_cast<Byte>(r);
            primo.Colonna = static_cast<Byte>(c);
            primo.Cifra = static_cast<Byte>(d);
            Aggiorna(1);
        }
    NumCellePiene = piene;
    if (!Sfondo) ApplicaScartiUtente(true);
    ContaRiempimento = 1;
    NumPassi = 0;
    // No sweep of this solve starts restricted to a digit left from an earlier one.
    PilaLivelli[0].Cifra = 0;
    if (contraddittorio) {
        // Nothing to search: the solve ends as a search that found no solution.
        ContaTecnicaS = ContaTecnicaG = ContaTecnicaD = ContaTecnicaB = ContaTecnicaC = 0;
        Valore = 0;
        ContaPregio = 0;
        ContaSoluz = 0;
        ProfonditaMax = 1;
        if (SoluzioneLogica)
            AggiungiPasso(1, IncrementaIndice(0) + "Nessuna Soluzione ", 0, 0, "0", "", "", "X", "N", 0);
        return;
    }
    Sviluppa(maxSoluzioni, false, static_cast<Byte>(81 - piene), SoluzioneLogica);
}

void Motore::RegistraCellaMin(int r, int c) {
    if (NumCelleMin >= static_cast<double>(CelleMinR.size() - 1)) return;
    NumCelleMin += 1;
    const int i = static_cast<int>(NumCelleMin);
    CelleMinR[i] = static_cast<Byte>(r);
    CelleMinC[i] = static_cast<Byte>(c);
    CelleMinValidi[i].clear();
    for (int d = 1; d <= 9; ++d)
        if (Possibili[r][c][d] == 50) CelleMinValidi[i] += static_cast<char>('0' + d);
}

void Motore::IniziaVeloci() {
    TentativiPiazzati = 0;
    Veloci = {};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int bit = Insieme81::Bit(r, c);
            for (int d = 1; d <= 9; ++d)
                if (Possibili[r][c][d] == 50) Veloci.dove[d].Metti(bit);
            for (int p = 0; p < 8; ++p)
                if ((NumeroCandidati[r][c] >> p & 1) != 0) Veloci.piani[p].Metti(bit);
            Veloci.alti = Veloci.alti || NumeroCandidati[r][c] >= 16;
            if (Griglia[r][c] == 0) Veloci.vuote.Metti(bit);
        }
}

inline void Motore::PiazzaVeloce(int k) {
    const LivelloPila& p = PilaLivelli[k];
    const int r = p.Riga, c = p.Colonna, d = p.Cifra;
    Griglia[r][c] = static_cast<Byte>(d);
    CelleRiempite = static_cast<std::int16_t>(CelleRiempite + ContaRiempimento);
    TentativiPiazzati = k;
    const int bit = Insieme81::Bit(r, c);
    Veloci.vuote.Togli(bit);
    // Every cell of the walk where d was at 50 falls below it: one candidate fewer.
    const Insieme81 persi = Veloci.dove[d] & kPariInsieme[bit];
    Veloci.dove[d] ^= persi;
    PersiSalvati[k] = persi;
    Veloci.Diminuisci(persi);
}

inline void Motore::TogliVeloce(int k) {
    const LivelloPila& p = PilaLivelli[k];
    Griglia[p.Riga][p.Colonna] = 0;
    CelleRiempite = static_cast<std::int16_t>(CelleRiempite - ContaRiempimento);
    TentativiPiazzati = k - 1;
    Veloci.vuote.Metti(Insieme81::Bit(p.Riga, p.Colonna));
    const Insieme81& persi = PersiSalvati[k];
    Veloci.dove[p.Cifra] ^= persi;
    Veloci.Aumenta(persi);
}

inline int Motore::CellaMinimaVeloce(int& mr, int& mc) const {
    // From the highest bit plane down: keep the cells whose count has a 0 in
    // the plane whenever there are any, else the minimum has a 1 there.  The
    // four high planes matter only when some count has reached 16.
    Insieme81 celle = Veloci.vuote;
    int minimo = 0;
    if (!celle.Vuoto())
        for (int p = Veloci.alti ? 7 : 3; p >= 0; --p) {
            const Insieme81 zero = celle.Senza(Veloci.piani[p]);
            const bool uno = zero.Vuoto();
            minimo |= static_cast<int>(uno) << p;
            celle = uno ? celle : zero;
        }
    // A count of 255 is no count, as in CellaMinima.
    if (celle.Vuoto() || minimo == 0xFF) {
        mr = mc = 0;
        return 99;
    }
    const Byte cella = kCellaDelBit[celle.Primo()];
    mr = cella / 10;
    mc = cella % 10;
    return minimo;
}

void Motore::RiportaTentativi() {
    for (int k = 1; k <= TentativiPiazzati; ++k) {
        const LivelloPila& p = PilaLivelli[k];
        SpostaCifra(p.Riga, p.Colonna, p.Cifra, -1);
    }
    TentativiPiazzati = 0;
}

int Motore::CellaMinima(const Byte* numero, int& mr, int& mc) const {
    // Both tables read as 100 bytes in row-major order, r * 10 + c.  A key per
    // cell (its count when empty, 255 when filled or outside the grid), then the
    // smallest key and its first place: no branch on the counts, and loops the
    // compiler turns into vector instructions.  Bytes 0..3 lie in row 0, so the
    // loop runs over the 96 bytes from 4, a whole number of vectors.
    static_assert(sizeof(Tabella) == 100);
    static constexpr auto kFuori = [] {
        std::array<Byte, 100> fuori{};
        for (int i = 0; i < 100; ++i) fuori[i] = i < 10 || i % 10 == 0 ? 0xFF : 0;
        return fuori;
    }();
    const Byte* griglia = reinterpret_cast<const Byte*>(Griglia.data());
    std::array<Byte, 100> chiave;
    Byte minimo = 0xFF;
    for (int i = 4; i < 100; ++i) {
        const Byte k = static_cast<Byte>(numero[i] | kFuori[i] | -static_cast<Byte>(griglia[i] != 0));
        chiave[i] = k;
        minimo = k < minimo ? k : minimo;
    }
    if (minimo == 0xFF) {
        mr = mc = 0;
        return 99;
    }
    const auto* primo = static_cast<const Byte*>(std::memchr(chiave.data() + 4, minimo, 96));
    const int i = static_cast<int>(primo - chiave.data());
    mr = i / 10;
    mc = i % 10;
    return minimo;
}

void Motore::Sviluppa(Byte maxSoluzioni, bool casuale, Byte vuote, bool narra) {
    if (narra)
        SviluppaModo<true>(maxSoluzioni, casuale, vuote);
    else
        SviluppaModo<false>(maxSoluzioni, casuale, vuote);
}

template <bool narra>
void Motore::SviluppaModo(Byte maxSoluzioni, bool casuale, Byte vuote) {
    const auto& attive = stato.TecnicheAttive;
    // The background engine reads no switch: its XY-wing always runs.
    PermessoXYW = Sfondo || attive[1] == 1 ||
                  (attive[0] == 1 && attive[2] == 0 && attive[3] == 0 && attive[4] == 0 && attive[5] == 0);
    ContaTecnicaS = ContaTecnicaG = ContaTecnicaD = ContaTecnicaB = ContaTecnicaC = 0;
    // The system clock is read without a virtual call, inline.
    const auto* sistema = dynamic_cast<const OrologioDiSistema*>(orologio);
    auto adesso = [&] { return sistema != nullptr ? sistema->Trascorsi() : orologio->Trascorsi(); };
    const double inizio = adesso();
    Valore = 0;
    ProfonditaMax = 0;
    for (ListeApplicate* lista :
         {&GruppiApplicatiR, &GruppiApplicatiC, &SwordFishApplicatiR, &SwordFishApplicatiC, &GruppiApplicatiQ})
        for (int u = 1; u <= 9; ++u)
            for (int k = 1; k <= kSlotApplicati; ++k) (*lista)[u][k].clear();
    NumCelleMin = 0;
    LivelliVisitati = 0;
    LivelloRagionamento = static_cast<Byte>(std::clamp(IndiceRagionamento, 0, 4));
    ContaPregio = 0;
    int livello = 0;
    // Whichever way a plain search ends, the tables get its trial digits.
    struct Riporta {
        Motore& m;
        bool attivo;
        ~Riporta() {
            if (attivo) m.RiportaTentativi();
        }
    } riporta{*this, !narra};
    if (!narra) IniziaVeloci();
    ContaSoluz = 0;
    CelleRiempite = static_cast<std::int16_t>(81 - vuote);
    AccumulatoriTurno.fill(0);
    TecnicaPendente = false;
    // Solutions announced by the last " cerco altre soluzioni" line.
    double annunciate = 0;

    // Counts a solution; true when the search has found enough.
    auto soluzione = [&](int livello, bool copia) {
        ContaSoluz += 1;
        if (narra)
            AggiungiPasso(static_cast<Byte>(livello),
                          IncrementaIndice(livello) + marcatori::kSoluzioneN + Num(static_cast<int>(ContaSoluz)), 0,
                          0, "0", "", "", "X", "", 0);
        if (copia && Soluzione[1][1] == 0) SalvaTabella(Griglia, Soluzione);
        return ContaSoluz >= maxSoluzioni;
    };

    // The measures of a solve cut short.
    auto alLimite = [&] {
        ContaSoluz = 4;
        ProfonditaMax = 20;
        Valore = 0;
    };

    enum class Fase { Livello, Prova, Indietro };
    Fase fase = Fase::Livello;

    for (;;) {
        switch (fase) {
            case Fase::Livello: {
                if (Sfondo) {
                    // The background engine lets the program's windows run here; a
                    // stop code of 1 ends the program.  An end action that returns
                    // ends the solve as the time limit does.
                    if (profilo.Cedi) profilo.Cedi();
                    if (stato.CodiceStop == 1) {
                        if (profilo.Termina) profilo.Termina();
                        alLimite();
                        return;
                    }
                }
                if (adesso() - inizio > kLimiteSecondi) {
                    alLimite();
                    return;
                }
                ++livello;
                ++LivelliVisitati;
                if (livello > ProfonditaMax) ProfonditaMax = static_cast<Byte>(livello);
                // Cleared before the solution test too: a level that only
                // recognises a solution must leave nothing stale to replay.
                if (livello <= kMaxLivelli) PilaLivelli[livello].ListaRipristino.clear();
                if (livello > vuote) {
                    if (soluzione(livello, true)) return;
                    fase = Fase::Indietro;
                    break;
                }
                if (livello > kMaxLivelli) {
                    // 81 trial digits are in place: the grid is full.
                    fase = Fase::Indietro;
                    break;
                }
                LivelloPila& rec = PilaLivelli[livello];

                if (narra) {
                    TecnicaPendente = false;
                    bool vicoloCieco = false;
                    bool logica = true;
                    while (logica) {
                        // Singles sweep; the first pass looks only at the digit placed last
                        // (at level 1 the digit record 0 holds, 0 before anything wrote it:
                        // that pass finds nothing, and the next one runs over every digit).
                        int restrizione = PilaLivelli[livello - 1].Cifra;
                        // The places of every digit, kept up through the sweep for the singles test.
                        struct PostiDelSweep {
                            bool& correnti;
                            ~PostiDelSweep() { correnti = false; }
                        } posti{PostiCorrenti};
                        RilevaPosti(0);
                        PostiCorrenti = true;
                        for (;;) {
                            PesaPassoPendente();
                            bool trovato = false;
                            // Digit 0 has no place: its pass need not visit the cells.
                            const bool vuota = restrizione == 0 && !Analisi;
                            for (int r = 1; r <= 9 && !vicoloCieco && !vuota; ++r) {
                                for (int c = 1; c <= 9 && !vicoloCieco; ++c) {
                                    if (Griglia[r][c] != 0) continue;
                                    // A find in this pass restricts the cells after it.
                                    const bool tutte = restrizione == kNessunaRestrizione || Analisi;
                                    const int da = tutte ? 1 : restrizione, a = tutte ? 9 : restrizione;
                                    for (int d = da; d <= a; ++d) {
                                        // Only a place for d can be a single: the test's own first check.
                                        if (Griglia[r][c] != 0 || Possibili[r][c][d] != 50) continue;
                                        if (!CercaSoluzioniBelle(static_cast<Byte>(r), static_cast<Byte>(c), true,
                                                                 static_cast<Byte>(livello), static_cast<Byte>(d)))
                                            continue;
                                        if (TecnicaPendente) PremiaSingolo(livello);
                                        LivelloPila& p0 = PilaLivelli[0];
                                        p0.Riga = static_cast<Byte>(r);
                                        p0.Colonna = static_cast<Byte>(c);
                                        p0.Cifra = static_cast<Byte>(d);
                                        restrizione = d;
                                        Aggiorna(0);
                                        PostiDopoPiazzamento(r, c, d);
                                        // A grid completed by the sweep is not copied.
                                        if (CelleRiempite == 81 && soluzione(livello, false)) return;
                                        const char voce[kVoceE] = {'E', static_cast<char>('0' + r), ',',
                                                                   static_cast<char>('0' + c), ',',
                                                                   static_cast<char>('0' + d), '|'};
                                        rec.ListaRipristino.insert(0, voce, kVoceE);
                                        trovato = true;
                                        PesoPasso = 1;
                                        if (!SenzaTentativi && !Verifiche(static_cast<Byte>(livello))) {
                                            vicoloCieco = true;
                                            break;
                                        }
                                    }
                                }
                            }
                            if (vicoloCieco) break;
                            if (!trovato && (restrizione == kNessunaRestrizione || Analisi)) break;
                            if (!trovato) restrizione = kNessunaRestrizione;
                            PesoPasso = 0;
                        }
                        PostiCorrenti = false;
                        if (vicoloCieco) break;
                        logica = !SoloSingoli && LivelloRagionamento != 0 && TurniTecniche(livello);
                    }
                    if (vicoloCieco) {
                        fase = Fase::Indietro;
                        break;
                    }
                }

                // Trial point.
                if (Analisi) return;
                if (!SoloSingoli && SenzaTentativi) {
                    Valore = -10;
                    ProfonditaMax = 10;
                    return;
                }
                // The empty cell with the fewest candidates, the first in row-major
                // order among equals.
                int minimo = 99, mr = 0, mc = 0;
                if (livello == 1 && RegistraCelleMin) {
                    for (int r = 1; r <= 9; ++r)
                        for (int c = 1; c <= 9; ++c) {
                            if (Griglia[r][c] != 0) continue;
                            const int n = NumeroCandidati[r][c];
                            if (n < minimo) {
                                minimo = n;
                                mr = r;
                                mc = c;
                            }
                            if (n == minimo) RegistraCellaMin(r, c);
                        }
                } else if (narra) {
                    minimo = CellaMinima(reinterpret_cast<const Byte*>(NumeroCandidati.data()), mr, mc);
                } else {
                    minimo = CellaMinimaVeloce(mr, mc);
                }
                if (mr == 0) {
                    fase = Fase::Indietro;
                    break;
                }
                rec.Riga = static_cast<Byte>(mr);
                rec.Colonna = static_cast<Byte>(mc);
                rec.NumValidi = static_cast<Byte>(minimo);
                rec.Tentativo = 0;
                // The trial digits: Validi in a narrated search, a small array of
                // its own in a plain one.
                char* cifre;
                std::size_t quante;
                if (narra) {
                    char validi[9];
                    int n = 0;
                    for (int d = 1; d <= 9; ++d)
                        if (Possibili[mr][mc][d] == 50) validi[n++] = static_cast<char>('0' + d);
                    rec.Validi.assign(validi, static_cast<std::size_t>(n));
                    if (!rec.Validi.empty())
                        AggiungiPasso(static_cast<Byte>(livello),
                                      IncrementaIndice(livello) + rec.Validi + " sono possibili in " + Num(mr) +
                                          "," + Num(mc),
                                      rec.Riga, rec.Colonna, rec.Validi, "", "", "P", "P", 0);
                    else
                        AggiungiPasso(static_cast<Byte>(livello),
                                      IncrementaIndice(livello) + " nessun numero possibile in " + Num(mr) + "," +
                                          Num(mc),
                                      rec.Riga, rec.Colonna, "0", "", "", "N", "", 0);
                    cifre = rec.Validi.data();
                    quante = rec.Validi.size();
                } else {
                    const int bit = Insieme81::Bit(mr, mc);
                    unsigned maschera = 0;
                    for (int d = 1; d <= 9; ++d) maschera |= static_cast<unsigned>(Veloci.dove[d].Ha(bit)) << (d - 1);
                    CifreProva& prova = ProveVeloci[livello];
                    prova = kCifreDi[maschera];
                    cifre = prova.cifre.data();
                    quante = static_cast<std::size_t>(prova.quante);
                }
                if (casuale) MischiaCifre(cifre, quante, rec.NumValidi);
                ++rec.Tentativo;
                fase = rec.Tentativo <= rec.NumValidi && rec.Tentativo <= quante ? Fase::Prova : Fase::Indietro;
                break;
            }

            case Fase::Prova: {
                LivelloPila& rec = PilaLivelli[livello];
                rec.Cifra = static_cast<Byte>((narra ? rec.Validi[rec.Tentativo - 1]
                                                     : ProveVeloci[livello].cifre[rec.Tentativo - 1]) -
                                              '0');
                if (narra)
                    AggiungiPasso(static_cast<Byte>(livello),
                                  IncrementaIndice(livello) + marcatori::kProvo + " " + Num(rec.Cifra) + "  in " +
                                      Num(rec.Riga) + "," + Num(rec.Colonna),
                                  rec.Riga, rec.Colonna, Num(rec.Cifra), "", "", "P", "", 0);
                if (narra)
                    Aggiorna(livello);
                else
                    PiazzaVeloce(livello);
                if (CelleRiempite == 81 && soluzione(livello, true)) return;
                fase = Fase::Livello;
                break;
            }

            case Fase::Indietro: {
                --livello;
                if (livello == 0) {
                    if (narra && ContaSoluz == 0)
                        AggiungiPasso(1, IncrementaIndice(0) + "Nessuna Soluzione ", 0, 0, "0", "", "", "X", "N",
                                      0);
                    return;
                }
                LivelloPila& rec = PilaLivelli[livello];
                if (narra) {
                    std::string lista;
                    if (livello + 1 <= kMaxLivelli) lista = PilaLivelli[livello + 1].ListaRipristino;
                    lista.append(10, ' ');
                    std::string testo = IncrementaIndice(livello);
                    if (ContaSoluz == annunciate) {
                        testo += Num(rec.Cifra) + " non possibile in " + Num(rec.Riga) + "," + Num(rec.Colonna);
                    } else {
                        testo += " cerco altre soluzioni";
                        annunciate = ContaSoluz;
                    }
                    AggiungiPasso(static_cast<Byte>(livello), testo, rec.Riga, rec.Colonna, "0", lista, "", "X",
                                  "P", 0);
                    RipristinaTecnica(lista);
                }
                if (narra)
                    Ripristina(livello);
                else
                    TogliVeloce(livello);
                ++rec.Tentativo;
                const std::size_t quante =
                    narra ? rec.Validi.size() : static_cast<std::size_t>(ProveVeloci[livello].quante);
                if (rec.Tentativo <= rec.NumValidi && rec.Tentativo <= quante) fase = Fase::Prova;
                break;
            }
        }
    }
}

}  // namespace kenvaron
