#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

class QFont;

// The text layer of the PDF files the reports are saved as.
//
// A PDF names, for every glyph it uses, the character it stands for. Chinese
// fonts draw many common characters (金, 行, 户, 日, 门, ...) with the same
// glyph as the matching Kangxi radical (⾦, ⾏, ⼾, ⽇, ⻔, ...), and the PDF
// writer names such a glyph by the lowest of its characters: the radical.
// Searching the saved document for "五金" then finds nothing, and copied
// text carries radicals. The files are therefore corrected after writing:
// radicals in the glyph-to-character maps become the characters they stand
// for.
namespace pdfunicode {

using Equivalents = QHash<char16_t, char16_t>;

// For every radical (U+2E80..U+2FDF) that one of the fonts draws with the
// glyph of a unified ideograph (U+4E00..U+9FFF): that ideograph.
Equivalents radicalEquivalents(const QList<QFont> &fonts);

// Rewrites the glyph-to-character maps (ToUnicode CMaps) of a PDF as the Qt
// PDF writer makes them, and the cross-reference table after them. False,
// with the file unchanged, when it is not laid out as expected.
bool rewriteToUnicode(QByteArray &pdf, const Equivalents &equivalents);

// One CMap's text with the characters of its maps replaced (exposed for tests).
QByteArray rewriteCMap(const QByteArray &cmap, const Equivalents &equivalents);

}  // namespace pdfunicode
