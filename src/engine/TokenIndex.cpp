#include "TokenIndex.h"

namespace {

qint64 TokenIdOf(const pugi::xpath_node& item)
{
    // Item -> Items -> SubToken -> SubTokens -> Token
    const pugi::xml_node token = item.node().parent().parent().parent().parent();
    return token.attribute("Id").as_llong(-1);
}

} // namespace

TokenIndex::TokenIndex(const TokenDocument& document)
{
    const auto file = [&](const char* query, std::vector<pugi::xpath_node> TokenItems::*list) {
        for (const pugi::xpath_node& item : document.SelectNodes(QString::fromLatin1(query))) {
            const qint64 id = TokenIdOf(item);
            if (id < 0)
                continue;
            if (size_t(id) >= byId_.size())
                byId_.resize(size_t(id) + 1);
            (byId_[size_t(id)].*list).push_back(item);
        }
    };
    file("//Tokens/Token/SubTokens/SubToken/Items/Item[@Id='0']", &TokenItems::texts);
    file("//Tokens/Token/SubTokens/SubToken/Items/Item[@Id='1']", &TokenItems::lowers);
    file("//Tokens/Token/SubTokens/SubToken/Items/Item[@Id='2']", &TokenItems::uppers);
}

const TokenItems& TokenIndex::ItemsOf(qint64 tokenId) const
{
    return tokenId >= 0 && size_t(tokenId) < byId_.size() ? byId_[size_t(tokenId)] : none_;
}
