#pragma once

#include "FieldFill.h"
#include "TableRows.h"
#include "TextEdits.h"
#include "TextRules.h"

#include <QTextDocument>

#include <memory>
#include <optional>

// The result pane's document: its text, undo history and field substitution. Colours are
// not stored per character: a character is red exactly when the marker rule makes it so,
// and the view colours only the lines it paints. A copy of the plain text, kept in step
// with every edit and aligned with document positions, lets searches skip the document.
class ResultDocument : public QTextDocument
{
    Q_OBJECT

public:
    explicit ResultDocument(QObject* parent = nullptr);

    // Whether field markers show red: a result the expansion wrote has them, text copied
    // unchanged from a template without groups has no colours at all.
    enum class Markers { Red, Plain };

    // Replaces the whole content by `text` (any line breaks) with a fresh undo history.
    void setResult(QString text, Markers markers = Markers::Red);
    // Loads a stored result pane (RTF, or plain text); its markers show red when it has any
    // colour. Until the next edit, richText() gives back exactly what was loaded; after one,
    // formatting beyond the marker colours (bold, sizes, other colours) is not written again.
    void setRichText(const QString& richText);
    // The content as RTF: red markers on black text, one \par per line.
    QString richText() const;

    // The plain text, every line break as '\n'; index i is document position i.
    const QString& text() const { return text_; }

    // Replaces every occurrence of `marker` (letter case ignored, left to right, inserted
    // text never searched again) by `value`, as one undo step. Returns how many were replaced.
    qsizetype substitute(const QString& marker, const QString& value);
    // Fills several field markers at once, each with its own value, as one undo step. Every
    // occurrence is found in the text as it stood before: values are never searched again,
    // not even for the markers filled after them. Returns how many occurrences were replaced.
    qsizetype fillFields(const QList<std::pair<QString, QString>>& fills);
    // Fills repetition k from row k of `table` (FillRows), as one undo step; the fields
    // `fieldNames[i]` take column `columns[i]`. Returns how many occurrences were replaced.
    qsizetype fillRows(const QStringList& fieldNames, const QList<qsizetype>& columns, TableRows table);
    // The mirrors fills write: the letter-case styles and the languages of the type map in use.
    const FieldModifiers& modifiers() const { return modifiers_; }
    void setModifiers(FieldModifiers modifiers) { modifiers_ = std::move(modifiers); }

    // A copy with the markers red in its own character formats, for printing: the view
    // colours only what it paints, so the document itself holds no colours.
    std::unique_ptr<QTextDocument> colouredCopy() const;

    Markers markers() const { return markers_; }
    // The red runs of the marker rule inside [start, start + length), in document positions;
    // none for plain text.
    QList<TextSpan> markerRunsIn(qsizetype start, qsizetype length) const;

    // Changes with every edit: colours worked out before it may be stale.
    int colouringGeneration() const { return generation_; }
    // Makes every colour worked out so far stale, as when the palette changes.
    void forgetColours() { ++generation_; }

signals:
    // A fill (substitute or fillFields) was undone or redone; `markers` are the ones it
    // filled, in the order given. Sent once the text is back in step.
    void fillUndone(const QStringList& markers);
    void fillRedone(const QStringList& markers);
    // After every fill: the types it wrote as given, for want of a row in the type map (none
    // when it knew them all).
    void typesUnmapped(const QStringList& types);

private:
    class FillStep;


    void followChange(int position, int removed, int);
    void replaceContent(QString text, Markers markers);
    void keepRoomFor(qsizetype growth);
    // Rewrites the sorted, disjoint `edits` of the text, as one undo step that knows the
    // markers it filled.
    void applyEdits(const QList<TextEdit>& edits, const QStringList& markers);
    void applyFill(const FieldFill& fill, const QStringList& markers);

    QString text_;
    QString loadedRichText_;
    Markers markers_ = Markers::Red;
    FieldModifiers modifiers_ = FieldModifiers::standard();
    int generation_ = 0;
    bool ownEdit_ = false;
    // Set while undo or redo takes a fill back, announced once the text follows.
    std::optional<std::pair<QStringList, bool>> fillTakenBack_;
};
