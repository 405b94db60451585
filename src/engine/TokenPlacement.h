#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One stretch of the template that gives way to a token's expansion.
struct TokenPlacement
{
    qsizetype position = 0;
    qsizetype length = 0;
    qsizetype token = 0;
    friend bool operator==(const TokenPlacement&, const TokenPlacement&) = default;
};

// Where the tokens' texts are replaced: tokens in Id order, each taking, left to right,
// every occurrence of its text (letter case ignored) that overlaps nothing an earlier
// token took. An empty token text (a literal "[") takes nothing. Everything else stays
// the template's own text, even text that looks like a token placeholder, so a digit
// right after a token is never read as part of its number. Sorted by position.
//
// Linear in the template's length for ordinary templates: every occurrence of a token's
// text starts at a "[(" and has the extent a token starting there would have, so each
// "[(" is measured once and looked up by hash.
QList<TokenPlacement> PlaceTokens(const QString& text, const QStringList& tokenTexts);
