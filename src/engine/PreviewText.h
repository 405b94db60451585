#pragma once

#include "Expansion.h"

#include <QString>
#include <QStringList>

#include <functional>

// The preview shows this many lines of an expansion, then how many more there are.
inline constexpr qsizetype kPreviewLines = 5000;

// What the preview beside the template pane shows for a template as it stands.
struct PreviewText
{
    QString text;
    // The text holds field markers to show as after Run; false for a template shown unchanged
    // and for the reason a template cannot be expanded.
    bool markers = false;
    // `text` says why the template cannot be expanded rather than showing an expansion.
    bool reason = false;
    // The template does not parse: `text` is "line L, column C: reason" and `errorOffset` the
    // place in the template (0-based, possibly the template's length).
    bool parseFailed = false;
    qsizetype errorOffset = -1;
    // The bound names the expansion read, in the order of the template.
    QStringList boundNames;
};

// Expands the template as Run would with the given answers (a name without one reads 1) and
// keeps the first `lines` lines. `stillWanted` is asked now and then; once it says no, the
// expansion stops and the text is left empty.
PreviewText ExpandForPreview(const QString& templateText, bool compactStyle, const BoundAnswers& answers,
                             const std::function<bool()>& stillWanted = {}, qsizetype lines = kPreviewLines);

// The first `lines` lines of `text` (lines end at '\n'), then "… and N more lines" when any
// were left out.
QString FirstLines(QString text, qsizetype lines);
