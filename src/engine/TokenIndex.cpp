#include "TokenIndex.h"

namespace {

QString TokenIdOf(const pugi::xpath_node& item)
{
    // Item -> Items -> SubToken -> SubTokens -> Token
    const pugi::xml_node token = item.node().parent().parent().parent().parent();
    return QString::fromUtf8(token.attribute("Id").value());
}

} // namespace

TokenIndex::TokenIndex(const TokenDocument& document)
{
    const auto file = [&](const char* query, std::vector<pugi::xpath_node> TokenItems::*list) {
        for (const pugi::xpath_node& item : document.SelectNodes(QString::fromLatin1(query)))
            (byId_[TokenIdOf(item)].*list).push_back(item);
    };
    file("//Tokens/Token/SubTokens/SubToken/Items/Item[@Id='0']", &TokenItems::texts);
    file("//Tokens/Token/SubTokens/SubToken/Items/Item[@Id='1']", &TokenItems::lowers);
    file("//Tokens/Token/SubTokens/SubToken/Items/Item[@Id='2']", &TokenItems::uppers);
}

const TokenItems& TokenIndex::ItemsOf(const QString& tokenId) const
{
    const auto found = byId_.constFind(tokenId);
    return found == byId_.constEnd() ? none_ : *found;
}
