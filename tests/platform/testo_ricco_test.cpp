// The RTF reader and the rich-text box.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <filesystem>
#include <fstream>

#include "platform/RichText.h"

namespace kenvaron::plat {
namespace {

// The character format at the first occurrence of a text in the document.
QTextCharFormat FormatoDi(QTextDocument& d, const QString& cerca) {
    QTextCursor c = d.find(cerca);
    EXPECT_FALSE(c.isNull()) << cerca.toStdString();
    return c.charFormat();
}

class TestoRicco : public ::testing::Test {
protected:
    Form f;
    RichTextBox rtb{f};
};

TEST_F(TestoRicco, BoldAndAnEscapedByteShowABoldAGrave) {
    ASSERT_TRUE(rtb.SetTextRTF("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}Normale {\\b grassetto \\'e0}\\par}"));
    EXPECT_EQ(rtb.Text(), "Normale grassetto à\n");
    QTextDocument& d = *rtb.Document();
    EXPECT_EQ(FormatoDi(d, QStringLiteral("à")).fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatoDi(d, QStringLiteral("Normale")).fontWeight(), QFont::Normal);
    EXPECT_EQ(FormatoDi(d, QStringLiteral("Normale")).fontFamilies().toStringList(), QStringList{"Arial"});
}

TEST_F(TestoRicco, ItalicUnderlineSizeColourAndUnicode) {
    const std::string rtf =
        "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "{\\i corsivo}{\\ul sotto}{\\ulnone x}{\\fs40 grande}{\\cf2 blu}"
        " perch\\u233?, \\u8364\\'80 \\'80 \\'93ok\\'94\\par"
        "\\qc centrato\\line a capo\\tab fine\\par}";
    ASSERT_TRUE(rtb.SetTextRTF(rtf));
    QTextDocument& d = *rtb.Document();
    EXPECT_TRUE(FormatoDi(d, QStringLiteral("corsivo")).fontItalic());
    EXPECT_TRUE(FormatoDi(d, QStringLiteral("sotto")).fontUnderline());
    EXPECT_FALSE(FormatoDi(d, QStringLiteral("x")).fontUnderline());
    EXPECT_DOUBLE_EQ(FormatoDi(d, QStringLiteral("grande")).fontPointSize(), 20.0);
    EXPECT_EQ(FormatoDi(d, QStringLiteral("blu")).foreground().color(), QColor(0, 0, 255));
    // \u8364 is followed by its one-byte fallback, which is skipped; the next \'80 is a euro too.
    EXPECT_EQ(rtb.Text(), "corsivosottoxgrandeblu perché, € € “ok”\ncentrato\na capo\tfine\n");
    EXPECT_EQ(d.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

TEST_F(TestoRicco, DestinationsThatAreNotTextAreSkipped) {
    const std::string rtf =
        "{\\rtf1{\\info{\\title Manuale}}{\\stylesheet{\\s0 Normal;}}{\\*\\generator Writer;}"
        "{\\pict\\pngblip 89504e47}{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt collegamento}}"
        " testo\\~con\\{graffe\\}\\par}";
    ASSERT_TRUE(rtb.SetTextRTF(rtf));
    EXPECT_EQ(rtb.Text(), "collegamento testo con{graffe}\n");  // the plain text shows a hard blank as a blank
    EXPECT_TRUE(rtb.Document()->toRawText().contains(QChar(0x00A0)));
}

TEST_F(TestoRicco, AMissingOrForeignFileLeavesTheBoxEmpty) {
    const auto cartella = std::filesystem::temp_directory_path();
    EXPECT_FALSE(rtb.LoadFile((cartella / "kenvaron_non_esiste.rtf").string()));
    EXPECT_EQ(rtb.Text(), "");
    const auto percorso = cartella / "kenvaron_manuale_test.rtf";
    std::ofstream(percorso) << "{\\rtf1 {\\b Istruzioni}\\par}";
    EXPECT_TRUE(rtb.LoadFile(percorso.string()));
    EXPECT_EQ(rtb.Text(), "Istruzioni\n");
    std::ofstream(percorso) << "non RTF";
    EXPECT_FALSE(rtb.LoadFile(percorso.string()));
    EXPECT_EQ(rtb.Text(), "");
    std::filesystem::remove(percorso);
    EXPECT_TRUE(rtb.SetTextRTF("{\\rtf1 {\\b troncato"));  // an unclosed group still shows its text
    EXPECT_EQ(rtb.Text(), "troncato");
}

}  // namespace
}  // namespace kenvaron::plat
