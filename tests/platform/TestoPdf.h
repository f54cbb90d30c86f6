// Reading back what the program printed to a PDF file: the number of pages
// and the text, through the fonts' unicode maps.  For tests only.
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QRegularExpression>
#include <QString>
#include <map>

namespace kenvaron::plat {

inline QByteArray Inflate(const QByteArray& compresso) {
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

    // Where the document's first text begins: its baseline, in points from
    // the top-left corner of the printable area; (-1, -1) when there is none.
    QPointF PrimoTesto() const {
        static const QRegularExpression scala(QStringLiteral("([\\d.]+) 0 0 -([\\d.]+) [-\\d.]+ [-\\d.]+ cm"));
        static const QRegularExpression inizio(
            QStringLiteral("BT\\s*/F\\d+ [\\d.]+ Tf 1 0 0 -1 0 0 Tm\\s*([-\\d.]+) ([-\\d.]+) Td"));
        for (const auto& [numero, o] : oggetti_) {
            const QString f = QString::fromLatin1(o.flusso);
            const auto s = scala.match(f);
            const auto t = inizio.match(f);
            if (!s.hasMatch() || !t.hasMatch()) continue;
            const double k = s.captured(1).toDouble();
            return {t.captured(1).toDouble() * k, -t.captured(2).toDouble() * k};
        }
        return {-1, -1};
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

}  // namespace kenvaron::plat
