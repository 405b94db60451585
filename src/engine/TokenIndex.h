#pragma once

#include "TokenDocument.h"

#include <vector>

// One token's text, lower-bound and upper-bound Items, aligned by group.
struct TokenItems
{
    std::vector<pugi::xpath_node> texts;
    std::vector<pugi::xpath_node> lowers;
    std::vector<pugi::xpath_node> uppers;
};

// The Items of every token, filed by token Id. The same nodes the per-token queries
// ("//Tokens/Token[@Id='7']/SubTokens/SubToken/Items/Item[@Id='1']") select, found with
// one query per Item kind for the whole document: a query per token made runs with many
// tokens quadratic.
class TokenIndex
{
public:
    explicit TokenIndex(const TokenDocument& document);

    // Empty lists for an Id no token has.
    const TokenItems& ItemsOf(qint64 tokenId) const;

private:
    std::vector<TokenItems> byId_; // Ids count from 0 without gaps
    TokenItems none_;
};
