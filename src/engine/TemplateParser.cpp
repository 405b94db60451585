#include "TemplateParser.h"

#include "NumericText.h"

namespace {

bool IsBracket(QChar c)
{
    return c == u'[' || c == u'(' || c == u'|' || c == u')' || c == u']';
}

bool SameIgnoringCase(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

bool IsValidBound(QStringView bound)
{
    if (IsNumeric(bound))
        return true;
    if (bound.size() == 1)
        return true;
    return bound.size() >= 2 && !IsNumeric(bound.first(1))
        && (bound[1] == u'+' || bound[1] == u'-') && IsNumeric(bound.sliced(2));
}

TemplateParser::TemplateParser(TokenDocument& document, const QString& parseText)
    : document_(document), parseText_(parseText)
{
}

qsizetype TemplateParser::ExpectChar(QChar c, qsizetype offset)
{
    if (offset != 0) {
        const qsizetype position = cursor_ + offset;
        if (position < 1 || position > parseText_.size()
            || !SameIgnoringCase(parseText_[position - 1], c))
            return 0;
        cursor_ = position;
        return position;
    }
    for (qsizetype i = cursor_; i < parseText_.size(); ++i) {
        if (SameIgnoringCase(parseText_[i], c)) {
            cursor_ = i + 1;
            return cursor_;
        }
    }
    return 0;
}

bool TemplateParser::HasBracketBetween(qsizetype a, qsizetype b) const
{
    for (qsizetype position = a + 1; position < b; ++position) {
        if (IsBracket(parseText_[position - 1]))
            return true;
    }
    return false;
}

QString TemplateParser::TextBetween(qsizetype a, qsizetype b) const
{
    return b > a + 1 ? parseText_.mid(a, b - a - 1) : QString();
}

bool TemplateParser::ParseTemplate()
{
    cursor_ = 0;
    document_.CreateTokenDocument(parseText_);
    for (;;) {
        const qsizetype tokenStart = ExpectChar(u'[');
        if (tokenStart == 0)
            return true;
        pugi::xml_node token = document_.AddToken(QString());
        pugi::xml_node subTokens = document_.AddSubTokens(token);

        bool groupSeen = false;
        while (const qsizetype groupStart = ExpectChar(u'(', 1)) {
            groupSeen = true;
            if (!ParseGroup(subTokens, groupStart))
                return false;
        }
        if (!groupSeen)
            continue; // a literal "[": the search goes on after it

        const qsizetype tokenEnd = ExpectChar(u']', 1);
        if (tokenEnd == 0)
            return false;
        document_.SetTokenValue(token, parseText_.mid(tokenStart - 1, tokenEnd - tokenStart + 1));
    }
}

bool TemplateParser::ParseGroup(pugi::xml_node subTokens, qsizetype groupStart)
{
    const qsizetype firstBar = ExpectChar(u'|');
    if (firstBar == 0)
        return false;
    const qsizetype secondBar = ExpectChar(u'|');
    if (secondBar == 0 || HasBracketBetween(firstBar, secondBar)
        || !IsValidBound(TextBetween(firstBar, secondBar)))
        return false;
    const qsizetype groupEnd = ExpectChar(u')');
    if (groupEnd == 0 || HasBracketBetween(secondBar, groupEnd)
        || !IsValidBound(TextBetween(secondBar, groupEnd)))
        return false;
    document_.AddSubToken(subTokens, parseText_.mid(groupStart - 1, groupEnd - groupStart + 1));
    return true;
}
