#pragma once

#include <QString>

#include <pugixml.hpp>

#include <functional>
#include <optional>

// Asked once per bound name and prompt pass; nullopt means the box was cancelled.
// Cancelled and empty answers both mean 1.
using AskValue = std::function<std::optional<QString>(const QString& prompt)>;

// Size guard: a run whose result would exceed this many characters (256 MiB as held in
// memory) is refused instead of exhausting memory. A few million lines stay well below.
inline constexpr qsizetype kMaxResultLength = qsizetype(128) * 1024 * 1024;

inline const QString kParseFailedMessage =
    QStringLiteral("Can't Proceed, Parser failed to parse the string.");

// "Please Enter value for: n (Default is 1)"
QString PromptFor(QChar boundName);

struct ExpansionResult
{
    enum class Outcome
    {
        Expanded,    // `text` is the result
        NoGroups,    // no token has a group: `text` is the template unchanged; the caller
                     // must neither colour it nor move the caret
        ParseFailed, // `message` is the text to show; the previous result stays
        Stopped,     // conversion error or overflow: the previous result stays, silently;
                     // `message` is a one-line reason for logs and the command line
        TooLarge,    // refused by the size guard: `message` is the text to show
    };

    Outcome outcome = Outcome::Expanded;
    QString text;
    QString message;
};

// Parses the template, asks for every named bound, expands every token and puts the
// expansions where the tokens stood.
ExpansionResult GenerateResult(const QString& templateText, bool compactStyle, const AskValue& ask,
                               qsizetype maxResultLength = kMaxResultLength);

// One prompt pass over bound Items: replaces each named bound by its number. Returns the
// reason when a value cannot be converted or overflows, nullopt when all went well.
std::optional<QString> ResolveBounds(const pugi::xpath_node_set& items, const AskValue& ask);

// The smallest / largest converted value of the Items; stops quietly at the first value
// that does not convert (0 when none did).
qint32 MinBound(const pugi::xpath_node_set& items);
qint32 MaxBound(const pugi::xpath_node_set& items);

// "_$$$_003_$$$_" + index: what stands in the text for a token while tokens expand.
QString TokenPlaceholder(qsizetype index);
