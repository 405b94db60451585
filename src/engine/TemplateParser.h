#pragma once

#include "TokenDocument.h"

#include <QString>

// A bound is a number, a single character (a digit or a bound name such as "n"), or a
// name with an offset such as "n+1" / "n-2".
bool IsValidBound(QStringView bound);

// One left-to-right scan of a template that records every token, group and bound in
// the token document. Positions are 1-based; 0 means "not found" / "before the text".
class TemplateParser
{
public:
    TemplateParser(TokenDocument& document, const QString& parseText);

    // True when every token is well formed; false at the first malformed one (what was
    // recorded before it stays in the document).
    bool ParseTemplate();

    // After a failed parse: where the caret should go (0-based offset) and why.
    struct Failure
    {
        qsizetype offset = -1;
        QString reason;
    };
    const Failure& LastFailure() const { return failure_; }

    // Without an offset: the first `c` after the cursor. With one: only the character at
    // cursor + offset. On success the cursor moves to the found position.
    qsizetype ExpectChar(QChar c, qsizetype offset = 0);
    // The position of the first bracket character between a and b, 0 when there is none.
    qsizetype FirstBracketBetween(qsizetype a, qsizetype b) const;
    QString TextBetween(qsizetype a, qsizetype b) const;

private:
    bool ParseGroup(pugi::xml_node subTokens, qsizetype groupStart);
    bool CheckBound(qsizetype groupStart, const char* which, qsizetype bar, qsizetype end);
    // Records the failure; `position` is 1-based. Always false.
    bool Fail(qsizetype position, const QString& reason);
    QString Place(qsizetype position) const;

    TokenDocument& document_;
    QString parseText_;
    qsizetype cursor_ = 0;
    Failure failure_;
};
