#include "ui/NarrazioneInAttesa.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/Funzioni.h"
#include "ui/Form1.h"
#include "narration/VistaPasso.h"
#include "ui/Form2.h"

namespace kenvaron {

void MostraRag(Form1& f, plat::Grid& gp) {
    const Motore& m = f.motore();
    gp.SetRedraw(false);
    gp.SetRows(1);
    gp.SetCols(8);
    gp.SetRowHeight(0, 0);
    for (int c = 0; c < 8; ++c) gp.SetColWidth(c, 0);
    gp.SetColWidth(0, 200);
    gp.SetColWidth(3, std::max(0, gp.Width() - 560));
    std::array<int, 256> ultimo{};
    for (int i = 1; i <= m.NumPassi; ++i) {
        const Passo& p = m.LogPassi[i];
        ultimo[p.Profondita] = i;
        const int r = gp.Rows();
        gp.SetRows(r + 1);
        gp.SetTextMatrix(r, 6, std::to_string(i));
        gp.SetTextMatrix(r, 0, std::to_string(p.Profondita));
        gp.SetTextMatrix(r, 3, Format(i, "000") + ")" + p.Testo);
        gp.SetTextMatrix(r, 1,
                         std::to_string(p.Riga) + "," + std::to_string(p.Colonna) + "," + p.Cifra + ",");
        gp.SetTextMatrix(r, 2, p.Ripristino);
        gp.SetTextMatrix(r, 4, p.Celle);
        std::string percorso;
        for (int k = 0; k < p.Profondita; ++k) percorso += "R" + std::to_string(ultimo[k]) + "X";
        gp.SetTextMatrix(r, 5, percorso);
        if (p.Testo.find("Vuota") != std::string::npos) {
            gp.SetTextMatrix(r, 3, "");
            gp.SetRowHeight(r, 1);
        }
        if (p.Testo.find("Soluzione n.") != std::string::npos) break;
        const bool elenco = !p.Celle.empty() && p.Celle.find("COL") == std::string::npos &&
                            p.Celle.find("xxx") == std::string::npos && p.Celle.find("yyy") == std::string::npos;
        if (!elenco) continue;
        gp.SetRows(r + 2);
        for (int c = 0; c < 8; ++c) gp.SetTextMatrix(r + 1, c, gp.TextMatrix(r, c));
        std::string t = Format(i, "000") + std::string(3 * p.Profondita, ' ') + "  Quindi  ";
        std::string lista = p.Celle.substr(0, p.Celle.find('/'));
        for (std::size_t b = lista.find('|'); b != std::string::npos; b = lista.find('|')) {
            const Terna e = LeggiTerna(lista.substr(0, b) + ",");
            t += " " + std::to_string(e.cifra) + " non in " + std::to_string(e.riga) + "," +
                 std::to_string(e.colonna) + " , ";
            lista.erase(0, b + 1);
        }
        gp.SetTextMatrix(r + 1, 3, t);
    }
    if (!m.Analisi) f.Stbr.SetText("p2", "Trovate " + Format(m.ContaSoluz, "0") + " soluzioni");
    f.gr.SetRow(0);
    gp.SetRedraw(true);
}

void Vishelp(Form1& f, Form2& w, int passo) {
    w.Stbr.SetText("p1", "");
    w.Stbr.SetText("p2", "");
    const Motore& m = f.motore();
    if (passo >= 1 && passo <= m.NumPassi && f.stato.FlagVisPoss == 1) {
        const std::string& tipo = m.LogPassi[passo].Tipo;
        const bool quindi = w.gp.TextMatrix(w.gp.Row(), kColonnaTesto).find("Quindi") != std::string::npos;
        if (tipo == "U" || (quindi && !tipo.empty() && std::string("SWOIMDBGg").find(tipo) != std::string::npos))
            w.Stbr.SetText("p1", "Tasto Dx: Applica");
    }
    if (m.Analisi) w.Stbr.SetText("p1", "");
    if (f.stato.SingoloStep == 1) w.tlb1.SetButtonEnabled("Applica", !w.Stbr.Text("p1").empty());
}

void VisAiuto(Form1& f, int /*passo*/) { f.Stbr.SetText("p2", "Cerca "); }

}  // namespace kenvaron
