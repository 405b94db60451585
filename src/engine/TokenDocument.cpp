#include "TokenDocument.h"

#include <QStringList>

#include <string_view>

namespace {

// Text is stored as UTF-8 in which a lone surrogate (from damaged rich text) keeps its own
// three-byte form instead of becoming U+FFFD: a token's text must read back exactly, or it
// is no longer found in the template.
void AppendCodePoint(std::string& bytes, char32_t c)
{
    if (c < 0x80) {
        bytes += char(c);
    } else if (c < 0x800) {
        bytes += char(0xC0 | (c >> 6));
        bytes += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes += char(0xE0 | (c >> 12));
        bytes += char(0x80 | ((c >> 6) & 0x3F));
        bytes += char(0x80 | (c & 0x3F));
    } else {
        bytes += char(0xF0 | (c >> 18));
        bytes += char(0x80 | ((c >> 12) & 0x3F));
        bytes += char(0x80 | ((c >> 6) & 0x3F));
        bytes += char(0x80 | (c & 0x3F));
    }
}

std::string ToStored(const QString& text)
{
    if (text.isValidUtf16())
        return text.toStdString();
    std::string bytes;
    bytes.reserve(size_t(text.size()) * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            AppendCodePoint(bytes, QChar::surrogateToUcs4(unit, text[++i].unicode()));
        else
            AppendCodePoint(bytes, unit);
    }
    return bytes;
}

// A lone surrogate's form: 0xED, then a byte from 0xA0 (no valid UTF-8 sequence has it).
bool IsStoredSurrogate(std::string_view bytes, size_t at)
{
    return at + 2 < bytes.size() && (static_cast<unsigned char>(bytes[at + 1]) & 0xE0) == 0xA0;
}

QString FromStored(std::string_view bytes)
{
    QString text;
    size_t copied = 0;
    for (size_t at = bytes.find('\xED'); at != std::string_view::npos; at = bytes.find('\xED', at + 1)) {
        if (!IsStoredSurrogate(bytes, at))
            continue;
        text += QString::fromUtf8(bytes.data() + copied, qsizetype(at - copied));
        text += QChar(char16_t(0xD000 | ((static_cast<unsigned char>(bytes[at + 1]) & 0x3F) << 6)
                               | (static_cast<unsigned char>(bytes[at + 2]) & 0x3F)));
        copied = at + 3;
        at += 2;
    }
    if (copied == 0)
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    return text + QString::fromUtf8(bytes.data() + copied, qsizetype(bytes.size() - copied));
}

void AddAttribute(pugi::xml_node node, const char* name, const QString& value)
{
    node.append_attribute(name).set_value(ToStored(value).c_str());
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
    token.attribute("Value").set_value(ToStored(text).c_str());
}

pugi::xpath_node_set TokenDocument::SelectNodes(const QString& query) const
{
    pugi::xpath_node_set nodes = document_.select_nodes(query.toStdString().c_str());
    nodes.sort();
    return nodes;
}

QString TokenDocument::ValueOf(const pugi::xpath_node& node)
{
    return FromStored(node.node().attribute("Value").value());
}

void TokenDocument::SetValueOf(const pugi::xpath_node& node, const QString& value)
{
    node.node().attribute("Value").set_value(ToStored(value).c_str());
}
