// Rich text: a small RTF reader of our own and the read-only rich-text box
// that shows its result.  The reader understands groups, paragraphs and line
// breaks, alignment and indents, bold, italic, underline, font size, the font
// and colour tables, \'xx escapes (Windows-1252), \u unicode with its
// fallback, and the common typographic symbols; every other destination
// (pictures, style sheets, document information, fields' instructions, ...) is
// skipped.
#pragma once

#include <string>

#include "platform/Controls.h"

class QTextDocument;

namespace kenvaron::plat {

// Replaces the document's content with the RTF text; false when the text is not RTF.
bool LeggiRtf(const std::string& rtf, QTextDocument& documento);

class RichTextBox : public Control {
public:
    explicit RichTextBox(Container& c);
    // Shows the RTF file; false (and an empty box) when it cannot be read.
    bool LoadFile(const std::string& percorso);
    bool SetTextRTF(const std::string& rtf);
    // The plain text shown (paragraphs separated by "\n").
    std::string Text() const;
    QTextDocument* Document() const;
};

}  // namespace kenvaron::plat
