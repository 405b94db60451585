#include "TokenDocument.h"

#include <QStringList>

namespace {

void AddAttribute(pugi::xml_node node, const char* name, const QString& value)
{
    node.append_attribute(name).set_value(value.toStdString().c_str());
}

} // namespace

void TokenDocument::CreateTokenDocument(const QString& parseText)
{
    document_.reset();
    tokenIdCounter_ = 0;
    groupIdCounter_ = 0;
    pugi::xml_node root = document_.append_child("String");
    AddAttribute(root, "Value", parseText);
    root.append_child("Tokens");
}

pugi::xml_node TokenDocument::AddToken(const QString& text)
{
    pugi::xml_node token = document_.document_element().first_child().append_child("Token");
    AddAttribute(token, "Id", QString::number(tokenIdCounter_));
    AddAttribute(token, "Value", text);
    ++tokenIdCounter_;
    return token;
}

pugi::xml_node TokenDocument::AddSubTokens(pugi::xml_node token)
{
    return token.append_child("SubTokens");
}

pugi::xml_node TokenDocument::AddSubToken(pugi::xml_node subTokens, const QString& groupText)
{
    pugi::xml_node subToken = subTokens.append_child("SubToken");
    AddAttribute(subToken, "Id", QString::number(groupIdCounter_));
    AddAttribute(subToken, "Value", groupText);

    const QStringList parts = groupText.mid(1, groupText.size() - 2).split(u'|');
    pugi::xml_node items = subToken.append_child("Items");
    for (qsizetype i = 0; i < parts.size(); ++i) {
        pugi::xml_node item = items.append_child("Item");
        AddAttribute(item, "Id", QString::number(i));
        AddAttribute(item, "Value", parts[i]);
    }
    ++groupIdCounter_;
    return subToken;
}

void TokenDocument::SetTokenValue(pugi::xml_node token, const QString& text)
{
    token.attribute("Value").set_value(text.toStdString().c_str());
}

pugi::xpath_node_set TokenDocument::SelectNodes(const QString& query) const
{
    pugi::xpath_node_set nodes = document_.select_nodes(query.toStdString().c_str());
    nodes.sort();
    return nodes;
}

QString TokenDocument::ValueOf(const pugi::xpath_node& node)
{
    return QString::fromUtf8(node.node().attribute("Value").value());
}

void TokenDocument::SetValueOf(const pugi::xpath_node& node, const QString& value)
{
    node.node().attribute("Value").set_value(value.toStdString().c_str());
}
