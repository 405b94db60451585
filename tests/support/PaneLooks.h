#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <ostream>

class ResultView;

// The result pane's text as it paints it, every red run between "<" and ">", so a test reads the
// colouring at a glance. The view is rendered first, so this reads the colours it gave the lines
// it showed; lines it left uncoloured read as "?".
QString PaintedText(ResultView& view);

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// How one character of a pane looks, for comparing documents character by character.
struct CharLook
{
    QChar character;
    QRgb colour = 0; // 0 together with hasColour false: no colour of its own
    bool hasColour = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    qreal pointSize = 0;
    friend bool operator==(const CharLook&, const CharLook&) = default;
    friend std::ostream& operator<<(std::ostream& out, const CharLook& look)
    {
        return out << "'" << QString(look.character).toStdString() << "' colour "
                   << (look.hasColour ? int(look.colour & 0xFFFFFF) : -1) << (look.bold ? " bold" : "")
                   << (look.italic ? " italic" : "") << (look.underline ? " underline" : "") << " size " << look.pointSize;
    }
};

// Every character, paragraph ends and line breaks included as '\n' (their format is not compared).
inline QList<CharLook> Looks(const QTextDocument& document)
{
    QList<CharLook> looks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            looks.append({QChar('\n')});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            CharLook look;
            look.hasColour = format.hasProperty(QTextFormat::ForegroundBrush);
            look.colour = look.hasColour ? format.foreground().color().rgb() : 0;
            look.bold = format.fontWeight() >= QFont::DemiBold;
            look.italic = format.fontItalic();
            look.underline = format.fontUnderline();
            // A size equal to the document's own looks the same as no size at all.
            look.pointSize = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : 0;
            if (look.pointSize == document.defaultFont().pointSizeF())
                look.pointSize = 0;
            // A line break inside a paragraph is stored as a paragraph end.
            for (const QChar c : it.fragment().text()) {
                look.character = c;
                looks.append(c == QChar::LineSeparator ? CharLook{QChar('\n')} : look);
            }
        }
    }
    return looks;
}

// The colour of each character as a string: 'k' black, 'b' blue, 'r' red, '.' none, '?' other.
inline QString ColourMap(const QTextDocument& document)
{
    static const QHash<QRgb, QChar> letters{{qRgb(0, 0, 0), u'k'}, {qRgb(0, 0, 255), u'b'}, {qRgb(255, 0, 0), u'r'}};
    QString map;
    for (const CharLook& look : Looks(document))
        map += look.character == u'\n' ? u'\n' : look.hasColour ? letters.value(look.colour, u'?') : QChar(u'.');
    return map;
}
