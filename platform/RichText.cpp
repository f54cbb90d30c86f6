#include "platform/RichText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <array>
#include <cctype>
#include <map>
#include <vector>

#include "engine/FileTesto.h"
#include "platform/Units.h"

namespace kenvaron::plat {

namespace {

// Windows-1252 bytes 0x80..0x9F; the others are Latin-1.
constexpr std::array<char16_t, 32> Cp1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t DaByte(unsigned char b) { return b >= 0x80 && b <= 0x9F ? Cp1252[b - 0x80] : char16_t(b); }

enum class Dest { Testo, Font, Colori, Salta };

struct Stato {
    Dest dest = Dest::Testo;
    bool grassetto = false, corsivo = false, sottolineato = false;
    int mezziPunti = 24;
    int colore = 0;
    int font = -1;
    int uc = 1;
    int allineamento = 0;  // 0 left, 1 centre, 2 right, 3 justified
    int sinistra = 0, destra = 0, primaRiga = 0, prima = 0, dopo = 0;  // twips
};

// Destinations whose text is not shown.
bool DaSaltare(const std::string& parola) {
    static const char* const nomi[] = {
        "stylesheet", "info",      "pict",    "object",    "header",   "headerl",    "headerr",
        "headerf",    "footer",    "footerl", "footerr",   "footerf",  "footnote",   "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "filetbl", "shp", "nonshppict", "xe", "tc",
        "fldinst",    "themedata", "colorschememapping", "latentstyles", "datastore", "pn"};
    for (const char* n : nomi)
        if (parola == n) return true;
    return false;
}

class Lettore {
public:
    Lettore(const std::string& rtf, QTextDocument& doc) : s_(rtf), doc_(doc), cursore_(&doc) {}

    bool Leggi() {
        std::size_t i = 0;
        while (i < s_.size() && std::isspace(static_cast<unsigned char>(s_[i]))) ++i;
        if (s_.compare(i, 6, "{\\rtf1") != 0 && s_.compare(i, 5, "{\\rtf") != 0) return false;
        doc_.clear();
        cursore_ = QTextCursor(&doc_);
        pila_.push_back(Stato{});
        for (; i < s_.size(); ++i) {
            const char c = s_[i];
            if (c == '{') {
                Svuota();
                pila_.push_back(pila_.back());
                daSaltare_ = 0;
            } else if (c == '}') {
                Svuota();
                if (pila_.size() > 1) pila_.pop_back();
                daSaltare_ = 0;
            } else if (c == '\\') {
                i = Controllo(i + 1);
            } else if (c == '\r' || c == '\n') {
                // Line ends of the file mean nothing.
            } else {
                Carattere(DaByte(static_cast<unsigned char>(c)));
            }
        }
        Svuota();
        cursore_.setBlockFormat(FormatoParagrafo());
        return true;
    }

private:
    Stato& S() { return pila_.back(); }

    // Reads a control word or symbol starting after the backslash; returns the last index read.
    std::size_t Controllo(std::size_t i) {
        if (i >= s_.size()) return i;
        const char c = s_[i];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            switch (c) {
            case '\\':
            case '{':
            case '}': Carattere(char16_t(c)); return i;
            case '~': Carattere(u'\u00A0'); return i;
            case '_': Carattere(u'\u2011'); return i;
            case '-': return i;
            case '*':
                Svuota();
                S().dest = Dest::Salta;
                return i;
            case '\'': {
                if (i + 2 < s_.size()) {
                    const std::string esa = s_.substr(i + 1, 2);
                    char* fine = nullptr;
                    const long v = std::strtol(esa.c_str(), &fine, 16);
                    if (fine == esa.c_str() + esa.size()) Carattere(DaByte(static_cast<unsigned char>(v)));
                    return i + 2;
                }
                return i;
            }
            case '\r':
            case '\n':
                Paragrafo();
                return i;
            default: return i;
            }
        }
        std::size_t j = i;
        while (j < s_.size() && std::isalpha(static_cast<unsigned char>(s_[j]))) ++j;
        const std::string parola = s_.substr(i, j - i);
        bool conParametro = false;
        long parametro = 0;
        std::size_t k = j;
        if (k < s_.size() && (s_[k] == '-' || std::isdigit(static_cast<unsigned char>(s_[k])))) {
            const bool negativo = s_[k] == '-';
            if (negativo) ++k;
            while (k < s_.size() && std::isdigit(static_cast<unsigned char>(s_[k]))) {
                parametro = parametro * 10 + (s_[k] - '0');
                if (parametro > 1000000000L) parametro = 1000000000L;
                ++k;
                conParametro = true;
            }
            if (negativo) parametro = -parametro;
        }
        // A blank after a control word belongs to the word.
        if (k < s_.size() && s_[k] == ' ') ++k;
        Parola(parola, conParametro, parametro);
        return k - 1;
    }

    void Parola(const std::string& p, bool conParametro, long n) {
        Stato& st = S();
        const bool acceso = !conParametro || n != 0;
        if (p == "u") {
            Carattere(static_cast<char16_t>(n < 0 ? n + 65536 : n));
            daSaltare_ = st.uc;
            return;
        }
        daSaltare_ = 0;
        if (p == "fonttbl") { Svuota(); st.dest = Dest::Font; return; }
        if (p == "colortbl") { Svuota(); st.dest = Dest::Colori; colori_.clear(); coloreInCorso_ = {}; definito_ = false; return; }
        if (DaSaltare(p)) { Svuota(); st.dest = Dest::Salta; return; }
        if (st.dest == Dest::Colori) {
            if (p == "red") { coloreInCorso_.setRed(static_cast<int>(n) & 0xFF); definito_ = true; }
            if (p == "green") { coloreInCorso_.setGreen(static_cast<int>(n) & 0xFF); definito_ = true; }
            if (p == "blue") { coloreInCorso_.setBlue(static_cast<int>(n) & 0xFF); definito_ = true; }
            return;
        }
        if (st.dest == Dest::Font) {
            if (p == "f") { fontInCorso_ = static_cast<int>(n); nomeFont_.clear(); }
            return;
        }
        if (p == "par" || p == "sect" || p == "page") { Paragrafo(); return; }
        if (p == "line") { Carattere(u'\u2028'); return; }
        if (p == "tab") { Carattere(u'\t'); return; }
        if (p == "emdash") { Carattere(u'\u2014'); return; }
        if (p == "endash") { Carattere(u'\u2013'); return; }
        if (p == "bullet") { Carattere(u'\u2022'); return; }
        if (p == "lquote") { Carattere(u'\u2018'); return; }
        if (p == "rquote") { Carattere(u'\u2019'); return; }
        if (p == "ldblquote") { Carattere(u'\u201C'); return; }
        if (p == "rdblquote") { Carattere(u'\u201D'); return; }
        if (p == "emspace") { Carattere(u'\u2003'); return; }
        if (p == "enspace") { Carattere(u'\u2002'); return; }
        if (p == "uc") { st.uc = static_cast<int>(std::max(0L, n)); return; }
        if (p == "deff") { fontPredefinito_ = static_cast<int>(n); return; }
        // Formatting: the text so far keeps the old format.
        Svuota();
        if (p == "b") st.grassetto = acceso;
        else if (p == "i") st.corsivo = acceso;
        else if (p == "ul" || p == "uld" || p == "uldb" || p == "ulw" || p == "uldash") st.sottolineato = acceso;
        else if (p == "ulnone") st.sottolineato = false;
        else if (p == "fs") st.mezziPunti = conParametro && n > 0 ? static_cast<int>(n) : 24;
        else if (p == "cf") st.colore = static_cast<int>(n);
        else if (p == "f") st.font = static_cast<int>(n);
        else if (p == "plain") {
            st.grassetto = st.corsivo = st.sottolineato = false;
            st.mezziPunti = 24;
            st.colore = 0;
            st.font = -1;
        } else if (p == "pard") {
            st.allineamento = 0;
            st.sinistra = st.destra = st.primaRiga = st.prima = st.dopo = 0;
        } else if (p == "ql") st.allineamento = 0;
        else if (p == "qc") st.allineamento = 1;
        else if (p == "qr") st.allineamento = 2;
        else if (p == "qj") st.allineamento = 3;
        else if (p == "li") st.sinistra = static_cast<int>(n);
        else if (p == "ri") st.destra = static_cast<int>(n);
        else if (p == "fi") st.primaRiga = static_cast<int>(n);
        else if (p == "sb") st.prima = static_cast<int>(n);
        else if (p == "sa") st.dopo = static_cast<int>(n);
    }

    void Carattere(char16_t c) {
        if (daSaltare_ > 0) {
            --daSaltare_;
            return;
        }
        Stato& st = S();
        switch (st.dest) {
        case Dest::Testo: testo_.append(QChar(c)); break;
        case Dest::Font:
            if (c == u';') {
                if (fontInCorso_ >= 0) font_[fontInCorso_] = nomeFont_.trimmed();
                nomeFont_.clear();
            } else {
                nomeFont_.append(QChar(c));
            }
            break;
        case Dest::Colori:
            if (c == u';') {
                colori_.push_back(definito_ ? coloreInCorso_ : QColor());
                coloreInCorso_ = QColor(0, 0, 0);
                definito_ = false;
            }
            break;
        case Dest::Salta: break;
        }
    }

    QTextCharFormat FormatoCarattere() {
        const Stato& st = S();
        QTextCharFormat f;
        f.setFontWeight(st.grassetto ? QFont::Bold : QFont::Normal);
        f.setFontItalic(st.corsivo);
        f.setFontUnderline(st.sottolineato);
        f.setFontPointSize(st.mezziPunti / 2.0);
        if (st.colore > 0 && st.colore < static_cast<int>(colori_.size()) &&
            colori_[static_cast<std::size_t>(st.colore)].isValid())
            f.setForeground(colori_[static_cast<std::size_t>(st.colore)]);
        const int numero = st.font >= 0 ? st.font : fontPredefinito_;
        const auto nome = font_.find(numero);
        if (nome != font_.end() && !nome->second.isEmpty()) f.setFontFamilies({nome->second});
        return f;
    }

    QTextBlockFormat FormatoParagrafo() {
        const Stato& st = S();
        QTextBlockFormat f;
        static constexpr Qt::Alignment allineamenti[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                                         Qt::AlignJustify};
        f.setAlignment(allineamenti[st.allineamento]);
        f.setLeftMargin(Px(st.sinistra));
        f.setRightMargin(Px(st.destra));
        f.setTextIndent(Px(st.primaRiga));
        f.setTopMargin(Px(st.prima));
        f.setBottomMargin(Px(st.dopo));
        return f;
    }

    // Writes the text collected so far with the current format.
    void Svuota() {
        if (testo_.isEmpty()) return;
        cursore_.setBlockFormat(FormatoParagrafo());
        cursore_.insertText(testo_, FormatoCarattere());
        testo_.clear();
    }

    void Paragrafo() {
        if (S().dest != Dest::Testo) return;
        Svuota();
        cursore_.setBlockFormat(FormatoParagrafo());
        cursore_.insertBlock();
    }

    const std::string& s_;
    QTextDocument& doc_;
    QTextCursor cursore_;
    std::vector<Stato> pila_;
    QString testo_;
    int daSaltare_ = 0;
    std::vector<QColor> colori_;
    QColor coloreInCorso_;
    bool definito_ = false;
    std::map<int, QString> font_;
    int fontInCorso_ = -1;
    QString nomeFont_;
    int fontPredefinito_ = 0;
};

}  // namespace

bool LeggiRtf(const std::string& rtf, QTextDocument& documento) {
    Lettore l(rtf, documento);
    return l.Leggi();
}

RichTextBox::RichTextBox(Container& c) : Control(c, new QTextEdit) {
    auto* e = static_cast<QTextEdit*>(Widget());
    e->setReadOnly(true);
    e->setFont(Carattere("Arial", 10));
}

bool RichTextBox::LoadFile(const std::string& percorso) {
    std::string rtf;
    if (!LeggiFile(percorso, rtf) || !LeggiRtf(rtf, *Document())) {
        Document()->clear();
        return false;
    }
    return true;
}

bool RichTextBox::SetTextRTF(const std::string& rtf) { return LeggiRtf(rtf, *Document()); }

std::string RichTextBox::Text() const {
    QString t = Document()->toPlainText();
    t.replace(QChar(0x2028), QLatin1Char('\n'));
    return t.toStdString();
}

QTextDocument* RichTextBox::Document() const { return static_cast<QTextEdit*>(Widget())->document(); }

}  // namespace kenvaron::plat
