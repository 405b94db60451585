#pragma once

#include <QString>

class QTextDocument;

// The document as RTF that Windows' rich edit control, LibreOffice and unrtf read as the
// same text, colours, bold, italic, underline and sizes. The result is plain ASCII (other
// characters as \'hh or \uN) and never holds "$" or a double quote literally, so the pane
// separator and the quote token of body files cannot appear in it.
QString DocumentToRtf(const QTextDocument& document);
