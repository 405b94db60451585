#include "TemplateParser.h"

#include "NumericText.h"
#include "TextPlace.h"

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

qsizetype TemplateParser::FirstBracketBetween(qsizetype a, qsizetype b) const
{
    for (qsizetype position = a + 1; position < b; ++position) {
        if (IsBracket(parseText_[position - 1]))
            return position;
    }
    return 0;
}

QString TemplateParser::TextBetween(qsizetype a, qsizetype b) const
{
    return b > a + 1 ? parseText_.mid(a, b - a - 1) : QString();
}

QString TemplateParser::Place(qsizetype position) const
{
    return DescribePlace(PlaceAt(parseText_, position - 1));
}

bool TemplateParser::Fail(qsizetype position, const QString& reason)
{
    failure_ = {position - 1, reason};
    return false;
}

bool TemplateParser::ParseTemplate()
{
    cursor_ = 0;
    failure_ = {};
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
            return Fail(cursor_ + 1, QStringLiteral("token opened at %1 needs \"]\" right after its last group")
                                         .arg(Place(tokenStart)));
        document_.SetTokenValue(token, parseText_.mid(tokenStart - 1, tokenEnd - tokenStart + 1));
    }
}

bool TemplateParser::CheckBound(qsizetype groupStart, const char* which, qsizetype bar, qsizetype end)
{
    const auto group = [&] { return QStringLiteral("the group opened at ") + Place(groupStart); };
    if (const qsizetype bracket = FirstBracketBetween(bar, end))
        return Fail(bracket, QStringLiteral("\"%1\" at %2 cannot stand in the %3 bound of %4")
                                 .arg(parseText_[bracket - 1])
                                 .arg(Place(bracket), QLatin1String(which), group()));
    const QString bound = TextBetween(bar, end);
    if (bound.isEmpty())
        return Fail(bar + 1, QStringLiteral("the %1 bound of %2 is empty").arg(QLatin1String(which), group()));
    if (!IsValidBound(bound))
        return Fail(bar + 1, QStringLiteral("the %1 bound \"%2\" of %3 is not a number, a one-character "
                                            "name or a name with an offset such as n+1")
                                 .arg(QLatin1String(which), bound, group()));
    return true;
}

bool TemplateParser::ParseGroup(pugi::xml_node subTokens, qsizetype groupStart)
{
    // Places are worked out only on failure: finding a line is a scan from the start.
    const auto group = [&] { return QStringLiteral("group opened at ") + Place(groupStart); };
    const qsizetype firstBar = ExpectChar(u'|');
    if (firstBar == 0)
        return Fail(groupStart, group() + QStringLiteral(" has no \"|\" after its text"));
    const qsizetype secondBar = ExpectChar(u'|');
    if (secondBar == 0)
        return Fail(groupStart, group() + QStringLiteral(" has only one \"|\": it needs text|lower|upper"));
    if (!CheckBound(groupStart, "lower", firstBar, secondBar))
        return false;
    const qsizetype groupEnd = ExpectChar(u')');
    if (groupEnd == 0)
        return Fail(groupStart, group() + QStringLiteral(" is not closed"));
    if (!CheckBound(groupStart, "upper", secondBar, groupEnd))
        return false;
    document_.AddSubToken(subTokens, parseText_.mid(groupStart - 1, groupEnd - groupStart + 1));
    return true;
}
