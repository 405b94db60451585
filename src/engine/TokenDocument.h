#pragma once

#include <QString>

#include <pugixml.hpp>

// The tree the tokenizer records tokens in and the expansion reads back with XPath:
// String/Tokens/Token/SubTokens/SubToken/Items/Item, each with Id then Value.
class TokenDocument
{
public:
    // Empties the document, restarts both Id counters and installs String (holding the
    // parse text) with its Tokens child.
    void CreateTokenDocument(const QString& parseText);

    // A new Token with the next token Id and the given Value, appended to Tokens.
    pugi::xml_node AddToken(const QString& text);
    pugi::xml_node AddSubTokens(pugi::xml_node token);
    // A SubToken for "(" text "|" lower "|" upper ")" with its three Items (Ids 0, 1, 2).
    pugi::xml_node AddSubToken(pugi::xml_node subTokens, const QString& groupText);
    void SetTokenValue(pugi::xml_node token, const QString& text);

    // Runs an XPath query; the nodes come back in document order.
    pugi::xpath_node_set SelectNodes(const QString& query) const;

    const pugi::xml_document& Document() const { return document_; }

    static QString ValueOf(const pugi::xpath_node& node);
    static void SetValueOf(const pugi::xpath_node& node, const QString& value);

private:
    pugi::xml_document document_;
    qint32 tokenIdCounter_ = 0;
    qint32 groupIdCounter_ = 0;
};
