#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The counter as it goes into a field marker: decimal, zero-padded on the left to four
// characters ("0007", "00-5", "12345").
QString CounterText(qint64 counter);
// Same, written into `buffer` (at least 21 characters); returns the length.
qsizetype WriteCounterText(qint64 counter, char16_t* buffer);

// Every "$...!" span of a group text, left to right; stops at a "$" with no "!" after it.
QStringList CollectFields(const QString& text);

// The group text with the counter text inserted before the "!" of each field marker:
// one case-insensitive replace-all per collected span, in order, exactly as written.
QString NumberFields(const QString& groupText, qint32 counter);
QString NumberFieldsWithText(const QString& groupText, QStringView counterText);

// Removes every carriage return that directly precedes a line feed (CR LF -> LF, one
// left-to-right pass).
QString JoinLineBreaks(const QString& text);

// NumberFields for one group text, prepared once for a whole counter range. The result
// for a counter is the prepared pieces with the counter text between them; this is the
// same as the literal replace-all sequence whenever no marker holds a second "$" and no
// numbered marker can be mistaken for another marker of the text. For the few counter
// texts where that could happen (say "$a!" and "$a0001!" side by side) the sequence is
// followed marker by marker; only when a marker holds a second "$" does the literal
// sequence run.
class NumberedGroup
{
public:
    explicit NumberedGroup(const QString& groupText);

    // Appends the numbered text, line breaks joined, to `out`; a CR ending `out` pairs
    // with a LF starting the group text.
    void AppendTo(QString& out, QStringView counterText) const;

    // The length AppendTo adds for a counter text of the given length (joined line
    // breaks inside the text counted, the join with what precedes it not). For texts
    // that take the literal path each marker is counted as numbered once.
    qsizetype LengthWith(qsizetype counterLength) const;
    qsizetype MarkerCount() const { return markerCount_; }

private:
    struct Marker
    {
        qsizetype start;
        qsizetype length;
    };

    // The replace-all sequence for markers that hold no second "$": markers never move
    // or merge, a replacement only renames every marker currently equal to the span, so
    // following the names costs one step per span instead of one pass over the text.
    QString FollowRenames(QStringView counterText) const;

    QString text_;
    QList<Marker> markers_;
    QStringList pieces_;        // pieces_[0] + counter + pieces_[1] + counter + ...
    QSet<QString> collisions_;  // counter texts that need the renames followed
    bool literalOnly_ = false;
    bool startsWithLineFeed_ = false;
    qsizetype markerCount_ = 0;
    qsizetype piecesLength_ = 0;
};
