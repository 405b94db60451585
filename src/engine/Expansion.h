#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <pugixml.hpp>

#include <functional>
#include <optional>
#include <vector>

// Asked once per bound name and prompt pass; nullopt means the box was cancelled.
// Cancelled and empty answers both mean 1.
using AskValue = std::function<std::optional<QString>(const QString& prompt)>;

// Called now and then while a run expands: first with (0, total) before any token is
// expanded, so a caller can decide whether a progress dialog is worth showing, then
// every few thousand lines, and last with (total, total). A line is one counter step
// (in compact style a step adds no line break, but it is still counted). Returning
// false cancels the run: the outcome is then Cancelled.
using ExpansionProgress = std::function<bool(qint64 linesDone, qint64 linesTotal)>;

// Answers given by bound name, for a caller that asks every name once, up front. Names
// match without regard to letter case, as the expansion matches them.
class BoundAnswers
{
public:
    void Set(const QString& name, const QString& answer);
    std::optional<QString> Find(const QString& name) const;
    bool operator==(const BoundAnswers&) const = default;

private:
    QHash<QString, QString> byFoldedName_;
};

// Size guard: a run whose result would exceed this many characters (256 MiB as held in
// memory) is refused instead of exhausting memory. A few million lines stay well below.
inline constexpr qsizetype kMaxResultLength = qsizetype(128) * 1024 * 1024;

inline const QString kParseFailedMessage =
    QStringLiteral("Can't Proceed, Parser failed to parse the string.");

// "Please Enter value for: n (Default is 1)"
QString PromptFor(QChar boundName);

struct ExpansionRequest
{
    bool compactStyle = false;
    // Looked up first for every named bound; a name missing here is asked through `ask`,
    // and is 1 when there is no `ask` either. An empty answer means 1, as it does from `ask`.
    BoundAnswers answers;
    AskValue ask;
    ExpansionProgress progress; // optional
    // Quietly, a bound that is not a whole number in the 32-bit range only ends the scan
    // for the smallest or largest bound of its token (often leaving the token empty).
    // Strict runs stop instead, naming the bound.
    bool strict = false;
    qsizetype maxResultLength = kMaxResultLength;
};

struct ExpansionResult
{
    enum class Outcome
    {
        Expanded,    // `text` is the result
        NoGroups,    // no token has a group: `text` is the template unchanged; the caller
                     // must neither colour it nor move the caret
        ParseFailed, // `message` is the text to show; the previous result stays. The
                     // `error...` fields say where and why.
        Stopped,     // conversion error or overflow: the previous result stays, silently;
                     // `message` names the bound and says why, for logs, the command
                     // line and callers that choose to show it
        TooLarge,    // refused by the size guard: `message` is the text to show
        Cancelled,   // the progress callback returned false: the previous result stays
    };

    Outcome outcome = Outcome::Expanded;
    QString text;
    QString message;

    // ParseFailed only. The place is where the caret should go: 1-based line and column
    // (lines end at LF, CR LF or a lone CR; columns count UTF-16 code units) and the same
    // place as a 0-based offset into the template text (it may equal the text's length
    // when the template ends too early). The reason names the place(s) itself, such as
    // "group opened at line 2, column 5 is not closed".
    qsizetype errorLine = 0;
    qsizetype errorColumn = 0;
    qsizetype errorOffset = -1;
    QString errorReason;
};

// Parses the template, asks for every named bound, expands every token and puts the
// expansions where the tokens stood.
ExpansionResult GenerateResult(const QString& templateText, const ExpansionRequest& request);
// The same, asking each name through `ask` once per prompt pass.
ExpansionResult GenerateResult(const QString& templateText, bool compactStyle, const AskValue& ask,
                               qsizetype maxResultLength = kMaxResultLength);

// The name whose answer a bound is read with: the first character of a bound such as
// "n", "n+1" or "-". A written number ("5", "-5", " 2", ".5") has none: it is used as
// written, so nobody is asked for its sign or blank.
std::optional<QChar> NameOfBound(QStringView bound);

// The bound names a run of this template reads answers for, each once (letter case
// ignored, the first spelling kept), in the order they first stand in the text. Empty
// when the template has no named bound or cannot be parsed (a run then reports the parse
// failure). The window and the command-line tool both ask exactly these.
QStringList BoundNames(const QString& templateText);

// Bound Items of the token document, in document order.
using BoundItems = std::vector<pugi::xpath_node>;

// One prompt pass over bound Items: replaces each named bound by its number. Returns the
// reason when a value cannot be converted or overflows, nullopt when all went well.
std::optional<QString> ResolveBounds(const BoundItems& items,
                                     const std::function<QString(QChar name)>& answerFor);

// The smallest / largest converted value of the Items; stops quietly at the first value
// that does not convert (0 when none did).
qint32 MinBound(const BoundItems& items);
qint32 MaxBound(const BoundItems& items);
