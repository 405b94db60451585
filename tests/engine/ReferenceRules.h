#pragma once

// Literal, deliberately naive forms of the text rules, written straight from their
// description, for differential tests against the production code.

#include "NumericText.h"
#include "RandomText.h"
#include "TemplateParser.h"
#include "TokenDocument.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <optional>

namespace reference {

// Fields in order of first appearance: the first "$...!", blotted out everywhere once listed.
inline QStringList ListFields(QString text)
{
    QStringList fields;
    for (qsizetype open = text.indexOf(u'$'); open >= 0 && text.indexOf(u'!', open) >= 0; open = text.indexOf(u'$')) {
        fields.append(text.mid(open, text.indexOf(u'!', open) - open + 1));
        text.replace(fields.last(), "###", Qt::CaseInsensitive);
    }
    return fields;
}

// Every "$...!" span of the group's text, wherever it occurs, with the counter before its "!".
inline QString NumberFields(const QString& groupText, qint64 counter)
{
    QStringList spans;
    for (qsizetype open = groupText.indexOf(u'$'), close = 0; open >= 0 && (close = groupText.indexOf(u'!', open)) >= 0;
         open = groupText.indexOf(u'$', close + 1))
        spans.append(groupText.mid(open, close - open + 1));
    QString text = groupText;
    for (const QString& span : spans)
        text.replace(span, span.chopped(1) + QString::number(counter).rightJustified(4, u'0') + u'!', Qt::CaseInsensitive);
    return text;
}

struct Group { QString text; qint32 lower, upper; };

// One token's expansion: CR LF after each step unless compact, then CR LF -> LF.
inline QString ExpandToken(const QList<Group>& groups, qint32 start, qint32 end, bool compact)
{
    QString raw;
    for (qint64 k = start; k <= end; ++k) {
        for (const Group& group : groups)
            if (group.lower <= k && k <= group.upper)
                raw += NumberFields(group.text, k);
        if (!compact)
            raw += "\r\n";
    }
    return raw.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A whole run, literally: the per-token queries as written, one replace-all per token,
// and a placeholder that cannot be mistaken for text (a private-use character per
// token). Every named bound is answered with `answer`. Empty when the template does not
// parse; the caller keeps bounds convertible.
inline std::optional<QString> GenerateResult(const QString& templateText, bool compact, qint32 answer)
{
    TokenDocument document;
    if (!TemplateParser(document, templateText).ParseTemplate())
        return std::nullopt;
    if (document.SelectNodes("//Item[@Id='1']").empty())
        return templateText;
    const auto resolve = [answer](const QString& v) -> qint32 {
        if (IsNumeric(v)) // a written number is used as written, whatever its first character
            return ToInteger(v).value();
        if (v.size() == 1)
            return answer;
        const qint32 offset = ToInteger(v.mid(2)).value();
        return v[1] == u'+' ? answer + offset : answer - offset;
    };
    const pugi::xpath_node_set tokens = document.SelectNodes("//Tokens/Token");
    QString text = templateText;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const QString value = TokenDocument::ValueOf(tokens[i]);
        if (!value.isEmpty())
            text.replace(value, QString(QChar(char16_t(0xE000 + i))), Qt::CaseInsensitive);
    }
    for (size_t i = 0; i < tokens.size(); ++i) {
        const QString query = QStringLiteral("//Tokens/Token[@Id='%1']/SubTokens/SubToken/Items/Item[@Id='%2']")
                                  .arg(QString::fromUtf8(tokens[i].node().attribute("Id").value()));
        const pugi::xpath_node_set texts = document.SelectNodes(query.arg(0));
        const pugi::xpath_node_set lowers = document.SelectNodes(query.arg(1));
        const pugi::xpath_node_set uppers = document.SelectNodes(query.arg(2));
        const QChar placeholder(char16_t(0xE000 + i));
        if (texts.empty() || !text.contains(placeholder))
            continue;
        QList<Group> groups;
        qint32 start = resolve(TokenDocument::ValueOf(lowers[0]));
        qint32 end = resolve(TokenDocument::ValueOf(uppers[0]));
        for (size_t j = 0; j < texts.size(); ++j) {
            groups.append({TokenDocument::ValueOf(texts[j]), resolve(TokenDocument::ValueOf(lowers[j])),
                           resolve(TokenDocument::ValueOf(uppers[j]))});
            start = std::min(start, groups.back().lower);
            end = std::max(end, groups.back().upper);
        }
        text.replace(placeholder, ExpandToken(groups, start, end, compact));
    }
    return text;
}

// Words by the rules as written: separators become spaces, then a space goes before each
// upper-case letter that starts a word.
inline QStringList SplitWords(const QString& value)
{
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{Nd}\\p{M}]+"));
    static const QRegularExpression strayMarks(QStringLiteral("(^|\\s)\\p{M}+"));
    static const QRegularExpression beforeCapitalized(
        QStringLiteral("([\\p{Lu}\\p{Lt}]\\p{M}*)(?=[\\p{Lu}\\p{Lt}]\\p{M}*\\p{Ll})"));
    static const QRegularExpression afterLowerOrDigit(QStringLiteral("([\\p{Ll}\\p{Nd}]\\p{M}*)(?=[\\p{Lu}\\p{Lt}])"));
    QString text = value;
    text.replace(separators, QStringLiteral(" "));
    text.replace(strayMarks, QStringLiteral("\\1"));
    text.replace(beforeCapitalized, QStringLiteral("\\1 "));
    text.replace(afterLowerOrDigit, QStringLiteral("\\1 "));
    return text.split(u' ', Qt::SkipEmptyParts);
}

// The modifiers a field marker may end in, letter cases first, then the shipped languages.
inline const QStringList& Modifiers()
{
    static const QStringList names = {"upper", "lower", "pascal", "camel", "snake", "kebab", "constant",
                                      "csharp", "java", "typescript", "cpp", "python", "go"};
    return names;
}

inline QString InCase(const QString& value, const QString& modifier)
{
    if (modifier == "upper")
        return value.toUpper();
    if (modifier == "lower")
        return value.toLower();
    QStringList words = SplitWords(value);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const qsizetype first = words[i][0].isHighSurrogate() ? 2 : 1;
        if (modifier == "pascal" || (modifier == "camel" && i > 0))
            words[i] = words[i].left(first).toUpper() + words[i].mid(first).toLower();
        else
            words[i] = modifier == "constant" ? words[i].toUpper() : words[i].toLower();
    }
    const QString separator = modifier == "snake" || modifier == "constant" ? "_" : modifier == "kebab" ? "-" : "";
    return words.join(separator);
}

// The field a mirror marker stands for ("$Col:pascal0001!" -> "$Col0001!", "pascal").
struct MirrorOf { QString field, modifier; };
inline std::optional<MirrorOf> FieldOf(const QString& marker)
{
    static const QRegularExpression mirror = [] {
        QStringList names = Modifiers();
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
        return QRegularExpression(QStringLiteral("^\\$([^$!]+):(%1)([0-9-]*)!$").arg(names.join(u'|')),
                                  QRegularExpression::CaseInsensitiveOption);
    }();
    const QRegularExpressionMatch match = mirror.match(marker);
    if (!match.hasMatch())
        return std::nullopt;
    return MirrorOf{u'$' + match.captured(1) + match.captured(3) + u'!', match.captured(2).toLower()};
}

// The literal field list with each mirror standing for its field, listed once.
inline QStringList ListFieldsWithMirrors(const QString& text)
{
    QStringList fields;
    QSet<QString> seen;
    for (const QString& marker : ListFields(text)) {
        const std::optional<MirrorOf> mirror = FieldOf(marker);
        const QString field = mirror ? mirror->field : marker;
        if (!seen.contains(field.toCaseFolded()))
            fields.append(field);
        seen.insert(field.toCaseFolded());
    }
    return fields;
}

} // namespace reference
