#include "RtfWriter.h"

#include "RtfEscaping.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>

namespace {

struct RunStyle
{
    int colour = 0; // index into the colour table; 0 is the reader's default colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;
};

int DefaultHalfPoints(const QTextDocument& document)
{
    const qreal points = document.defaultFont().pointSizeF();
    return points > 0 ? qRound(points * 2) : 20;
}

class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument& document)
        : document_(document), defaultHalfPoints_(DefaultHalfPoints(document))
    {
        state_.halfPoints = defaultHalfPoints_;
    }

    QString write()
    {
        body_.reserve(document_.characterCount() * 11 / 10 + 64);
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.isValid())
                    writeRun(fragment.charFormat(), fragment.text());
            }
            // Windows writes \par after every paragraph, the last one included.
            body_ += QLatin1String("\\par\r\n");
        }
        return header() + body_ + QLatin1Char('}');
    }

private:
    int colourIndex(const QTextCharFormat& format)
    {
        if (!format.hasProperty(QTextFormat::ForegroundBrush))
            return 0;
        const QRgb rgb = format.foreground().color().rgb() & 0xFFFFFF;
        auto it = colourIndexes_.constFind(rgb);
        if (it != colourIndexes_.cend())
            return *it;
        colours_.append(rgb);
        return *colourIndexes_.insert(rgb, int(colours_.size()));
    }

    RunStyle styleOf(const QTextCharFormat& format)
    {
        RunStyle style;
        style.colour = colourIndex(format);
        style.bold = format.hasProperty(QTextFormat::FontWeight) && format.fontWeight() >= QFont::DemiBold;
        style.italic = format.fontItalic();
        style.underline = format.fontUnderline();
        style.halfPoints = format.hasProperty(QTextFormat::FontPointSize)
                               ? qRound(format.fontPointSize() * 2)
                               : defaultHalfPoints_;
        return style;
    }

    // Windows' rich edit reads \line as a character of its own rather than the line break
    // the pane shows, so a line break is written as a paragraph end, which like a real
    // one carries no format.
    void writeRun(const QTextCharFormat& format, const QString& text)
    {
        qsizetype start = 0;
        for (qsizetype end; (end = text.indexOf(QChar::LineSeparator, start)) >= 0; start = end + 1) {
            writeStyled(format, QStringView(text).mid(start, end - start));
            body_ += QLatin1String("\\par\r\n");
        }
        writeStyled(format, QStringView(text).mid(start));
    }

    void writeStyled(const QTextCharFormat& format, QStringView text)
    {
        if (text.isEmpty())
            return;
        const RunStyle style = styleOf(format);
        bool changed = false;
        auto word = [&](const char* control, int value, bool withValue) {
            body_ += QLatin1Char('\\');
            body_ += QLatin1String(control);
            if (withValue)
                body_ += QString::number(value);
            changed = true;
        };
        if (style.colour != state_.colour)
            word("cf", style.colour, true);
        if (style.bold != state_.bold)
            word(style.bold ? "b" : "b0", 0, false);
        if (style.italic != state_.italic)
            word(style.italic ? "i" : "i0", 0, false);
        if (style.underline != state_.underline)
            word(style.underline ? "ul" : "ulnone", 0, false);
        if (style.halfPoints != state_.halfPoints)
            word("fs", style.halfPoints, true);
        if (changed)
            body_ += QLatin1Char(' ');
        state_ = style;
        AppendRtfEscaped(body_, text);
    }

    QString header() const
    {
        QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 ");
        AppendRtfEscaped(out, document_.defaultFont().family());
        out += QLatin1String(";}}\r\n{\\colortbl ;");
        for (const QRgb rgb : colours_) {
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(qRed(rgb)).arg(qGreen(rgb)).arg(qBlue(rgb));
        }
        out += QStringLiteral("}\r\n\\uc1\\pard\\plain\\f0\\fs%1 ").arg(defaultHalfPoints_);
        return out;
    }

    const QTextDocument& document_;
    const int defaultHalfPoints_;
    RunStyle state_;
    QList<QRgb> colours_;
    QHash<QRgb, int> colourIndexes_;
    QString body_;
};

} // namespace

QString DocumentToRtf(const QTextDocument& document)
{
    return RtfWriter(document).write();
}
