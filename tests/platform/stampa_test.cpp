// Printing to a PDF file: the text printed is in the file, pages break, a
// grid prints with its cells.  The test reads the PDF's text back through the
// fonts' unicode maps.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <filesystem>
#include <map>

#include "platform/Grid.h"
#include "platform/Printer.h"

namespace kenvaron::plat {
namespace {

QByteArray Inflate(const QByteArray& compresso) {
    // qUncompress wants the expected size first; it grows the buffer when that is short.
    const quint32 stima = static_cast<quint32>(compresso.size()) * 20u + 1024u;
    QByteArray con;
    con.append(static_cast<char>((stima >> 24) & 0xFF));
    con.append(static_cast<char>((stima >> 16) & 0xFF));
    con.append(static_cast<char>((stima >> 8) & 0xFF));
    con.append(static_cast<char>(stima & 0xFF));
    con.append(compresso);
    return qUncompress(con);
}

// The text of a PDF written by Qt: each text object's glyphs through its font's ToUnicode map.
class TestoPdf {
public:
    explicit TestoPdf(const QByteArray& pdf) {
        static const QRegularExpression oggetto(QStringLiteral("(\\d+) 0 obj(.*?)endobj"),
                                                QRegularExpression::DotMatchesEverythingOption);
        const QString tutto = QString::fromLatin1(pdf);
        for (auto m = oggetto.globalMatch(tutto); m.hasNext();) {
            const auto o = m.next();
            QByteArray corpo = o.captured(2).toLatin1();
            const qsizetype s = corpo.indexOf("stream");
            QByteArray flusso;
            if (s >= 0) {
                qsizetype inizio = s + 6;
                if (corpo.mid(inizio, 2) == "\r\n") inizio += 2;
                else if (corpo.at(inizio) == '\n') inizio += 1;
                flusso = corpo.mid(inizio, corpo.lastIndexOf("endstream") - inizio);
                const QByteArray dizionario = corpo.left(s);
                if (dizionario.contains("/FlateDecode")) flusso = Inflate(flusso);
                corpo = dizionario;
            }
            oggetti_[o.captured(1).toInt()] = {corpo, flusso};
        }
    }

    int Pagine() const {
        int n = 0;
        for (const auto& [numero, o] : oggetti_)
            if (o.dizionario.contains("/Type /Page\n") || o.dizionario.contains("/Type /Page\r"))
                ++n;
        return n;
    }

    QString Testo() const {
        QString t;
        static const QRegularExpression pezzo(QStringLiteral("/F(\\d+) [\\d.]+ Tf|<([0-9A-Fa-f]+)> Tj|\\bET\\b"));
        for (const auto& [numero, o] : oggetti_) {
            if (!o.flusso.contains("BT")) continue;
            std::map<int, QString> mappa;
            for (auto m = pezzo.globalMatch(QString::fromLatin1(o.flusso)); m.hasNext();) {
                const auto p = m.next();
                if (!p.captured(1).isEmpty()) {
                    mappa = Mappa(p.captured(1).toInt());
                } else if (!p.captured(2).isEmpty()) {
                    const QString esa = p.captured(2);
                    for (qsizetype i = 0; i + 4 <= esa.size(); i += 4) {
                        const auto c = mappa.find(esa.mid(i, 4).toInt(nullptr, 16));
                        t += c != mappa.end() ? c->second : QStringLiteral("?");
                    }
                } else {
                    t += QLatin1Char('\n');
                }
            }
        }
        t.replace(QLatin1Char('\t'), QLatin1Char(' '));  // Qt maps its blank glyph to a tab
        return t.normalized(QString::NormalizationForm_KC);  // ligatures such as "fi" split again
    }

private:
    struct Oggetto {
        QByteArray dizionario;
        QByteArray flusso;
    };

    // The glyph-to-text map of the font object (its ToUnicode CMap).
    std::map<int, QString> Mappa(int font) const {
        std::map<int, QString> m;
        const auto f = oggetti_.find(font);
        if (f == oggetti_.end()) return m;
        static const QRegularExpression rif(QStringLiteral("/ToUnicode (\\d+) 0 R"));
        const auto r = rif.match(QString::fromLatin1(f->second.dizionario));
        if (!r.hasMatch()) return m;
        const auto c = oggetti_.find(r.captured(1).toInt());
        if (c == oggetti_.end()) return m;
        const QString cmap = QString::fromLatin1(c->second.flusso);
        static const QRegularExpression intervallo(
            QStringLiteral("<([0-9A-Fa-f]+)> <([0-9A-Fa-f]+)> (\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)"));
        static const QRegularExpression singolo(QStringLiteral("<([0-9A-Fa-f]+)>"));
        for (auto i = intervallo.globalMatch(cmap); i.hasNext();) {
            const auto v = i.next();
            const int da = v.captured(1).toInt(nullptr, 16), a = v.captured(2).toInt(nullptr, 16);
            const QString destinazione = v.captured(3);
            if (destinazione.startsWith(QLatin1Char('['))) {
                int g = da;
                for (auto u = singolo.globalMatch(destinazione); u.hasNext() && g <= a; ++g)
                    m[g] = QChar(static_cast<char16_t>(u.next().captured(1).toInt(nullptr, 16)));
            } else {
                const int base = destinazione.mid(1, destinazione.size() - 2).toInt(nullptr, 16);
                for (int g = da; g <= a; ++g) m[g] = QChar(static_cast<char16_t>(base + g - da));
            }
        }
        return m;
    }

    std::map<int, Oggetto> oggetti_;
};

class Stampa : public ::testing::Test {
protected:
    // ctest runs the tests as parallel processes: each writes its own file.
    std::filesystem::path pdf =
        std::filesystem::temp_directory_path() /
        ("kenvaron_stampa_" + std::to_string(::getpid()) + "_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf");
    Printer& stampante = Printer::Instance();
    void SetUp() override {
        std::filesystem::remove(pdf);
        stampante.SetPdfOutput(pdf.string());
    }
    void TearDown() override {
        stampante.SetPdfOutput("");
        std::filesystem::remove(pdf);
    }
    QByteArray Leggi() {
        QFile f(QString::fromStdString(pdf.string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static double Mm(double mm) { return mm * 1440 / 25.4; }
};

TEST_F(Stampa, APrintedPageHoldsItsLinesOfText) {
    stampante.SetCurrentX(Mm(1));
    stampante.SetCurrentY(Mm(10));
    stampante.SetFontName("Verdana");
    stampante.SetFontSize(9);
    stampante.SetFontBold(true);
    const double altezza = stampante.TextHeight();
    stampante.Print("001)Il 5 in 3,7 è l'unico possibile");
    EXPECT_DOUBLE_EQ(stampante.CurrentX(), 0);
    EXPECT_NEAR(stampante.CurrentY(), Mm(10) + altezza, 1e-6);
    stampante.SetCurrentX(Mm(1));
    stampante.Print("001   Quindi  5 non in 3,8 ,");
    stampante.Line(0, Mm(30), Mm(50), Mm(30), 0x808080);
    stampante.EndDoc();
    EXPECT_EQ(stampante.Errore(), "");

    const QByteArray contenuto = Leggi();
    ASSERT_TRUE(contenuto.startsWith("%PDF"));
    const TestoPdf letto(contenuto);
    EXPECT_EQ(letto.Pagine(), 1);
    const QString testo = letto.Testo();
    EXPECT_TRUE(testo.contains(QString::fromUtf8("001)Il 5 in 3,7 è l'unico possibile"))) << testo.toStdString();
    EXPECT_TRUE(testo.contains(QStringLiteral("001   Quindi  5 non in 3,8 ,"))) << testo.toStdString();
}

TEST_F(Stampa, LinesPastTheBottomGoOnOnANewPageAndNoneIsLost) {
    stampante.SetFontName("Verdana");
    stampante.SetFontSize(9);
    for (int i = 1; i <= 150; ++i) stampante.Print("riga " + std::to_string(i) + " fine");
    EXPECT_GE(stampante.Page(), 2);
    stampante.EndDoc();
    const TestoPdf letto(Leggi());
    EXPECT_GE(letto.Pagine(), 2);
    const QString testo = letto.Testo();
    for (int i = 1; i <= 150; ++i)
        ASSERT_TRUE(testo.contains(QStringLiteral("riga %1 fine").arg(i))) << i;
}

TEST_F(Stampa, AGridPrintsItsCellsText) {
    Form f;
    Grid g(f);
    g.SetRows(3);
    g.SetCols(3);
    g.SetRow(1);
    g.SetCol(1);
    g.SetCellFontSize(14);
    g.SetCellFontBold(true);
    g.SetText("7");
    g.SetTextMatrix(2, 2, "4");
    stampante.PrintGrid(g, 1200, 840);
    stampante.EndDoc();
    const QString testo = TestoPdf(Leggi()).Testo();
    EXPECT_TRUE(testo.contains(QLatin1Char('7'))) << testo.toStdString();
    EXPECT_TRUE(testo.contains(QLatin1Char('4'))) << testo.toStdString();
}

}  // namespace
}  // namespace kenvaron::plat
