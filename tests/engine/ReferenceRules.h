#pragma once

// Literal, deliberately naive forms of the text rules, written straight from their
// description, for differential tests against the production code.

#include "NumericText.h"
#include "RandomText.h"
#include "TemplateParser.h"
#include "TokenDocument.h"

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

} // namespace reference
