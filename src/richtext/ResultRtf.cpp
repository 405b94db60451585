#include "ResultRtf.h"

#include "RtfEscaping.h"

namespace {

const QLatin1String kParagraphEnd("\\par\r\n");
const QLatin1String kRed("\\red255\\green0\\blue0;");
const QLatin1String kBlack("\\red0\\green0\\blue0;");
constexpr qsizetype kColourSwitchSize = 5; // "\cf1 "

// Room for the text part: exact but for the colour switches, at most one each side of a
// run. A million-line result's RTF is the largest buffer a Run keeps, so no spare room.
qsizetype textSizeBound(QStringView text, qsizetype runs)
{
    const qsizetype breaks = text.count(u'\n');
    return RtfEscapedSize(text) + breaks * (kParagraphEnd.size() - RtfEscapedSize(u"\n")) + kParagraphEnd.size()
           + (2 * runs + 1) * kColourSwitchSize + 1;
}

bool hasTextBetween(QStringView text, qsizetype start, qsizetype end)
{
    for (qsizetype i = start; i < end; ++i)
        if (text[i] != u'\n')
            return true;
    return false;
}

// The colour table lists the colours in the order the text first shows them, and only those;
// line breaks show no colour. Part of the header, so worked out before any text is written.
QString colourTable(QStringView text, const QList<TextSpan>& red, bool& redFirst)
{
    bool black = false;
    qsizetype firstBlack = -1;
    qsizetype done = 0;
    for (const TextSpan& run : red) {
        if (!black && hasTextBetween(text, done, run.start)) {
            black = true;
            firstBlack = done;
        }
        done = run.start + run.length;
    }
    if (!black && hasTextBetween(text, done, text.size())) {
        black = true;
        firstBlack = done;
    }
    redFirst = !red.isEmpty() && (!black || red.first().start < firstBlack);
    QString table;
    if (redFirst)
        table += kRed;
    if (black)
        table += kBlack;
    if (!redFirst && !red.isEmpty())
        table += kRed;
    return table;
}

class ResultRtfWriter
{
public:
    ResultRtfWriter(const QString& text, const std::optional<QList<TextSpan>>& red, const QFont& font)
        : text_(text)
        , coloured_(red.has_value())
    {
        QString header = QLatin1String("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 ");
        AppendRtfEscaped(header, font.family());
        header += QLatin1String(";}}\r\n{\\colortbl ;");
        if (red) {
            bool redFirst = false;
            header += colourTable(text, *red, redFirst);
            redIndex_ = redFirst ? 1 : 2;
            blackIndex_ = redFirst ? 2 : 1;
        }
        const int halfPoints = font.pointSizeF() > 0 ? qRound(font.pointSizeF() * 2) : 20;
        header += QStringLiteral("}\r\n\\uc1\\pard\\plain\\f0\\fs%1 ").arg(halfPoints);
        out_.reserve(header.size() + textSizeBound(text, red ? red->size() : 0));
        out_ += header;
    }

    // Writes [start, end) in one colour, each line break as a paragraph end.
    void write(qsizetype start, qsizetype end, bool red)
    {
        for (qsizetype lineEnd; start < end && (lineEnd = text_.indexOf(u'\n', start)) >= 0 && lineEnd < end;
             start = lineEnd + 1) {
            writeColoured(start, lineEnd, red);
            out_ += kParagraphEnd;
        }
        writeColoured(start, end, red);
    }

    QString finish()
    {
        // Like the rich edit control, the last paragraph gets its \par too.
        out_ += kParagraphEnd;
        out_ += u'}';
        return std::move(out_);
    }

private:
    void writeColoured(qsizetype start, qsizetype end, bool red)
    {
        if (start >= end)
            return;
        const int index = red ? redIndex_ : blackIndex_;
        if (coloured_ && index != current_) {
            out_ += QLatin1String("\\cf");
            out_ += QChar(u'0' + index); // never more than two colours
            out_ += u' ';
            current_ = index;
        }
        AppendRtfEscaped(out_, QStringView(text_).mid(start, end - start));
    }

    const QString& text_;
    const bool coloured_;
    int redIndex_ = 0;
    int blackIndex_ = 0;
    int current_ = 0;
    QString out_;
};

} // namespace

QString ResultToRtf(const QString& text, const std::optional<QList<TextSpan>>& red, const QFont& font)
{
    ResultRtfWriter writer(text, red, font);
    qsizetype done = 0;
    for (const TextSpan& run : red.value_or(QList<TextSpan>())) {
        writer.write(done, run.start, false);
        writer.write(run.start, run.start + run.length, true);
        done = run.start + run.length;
    }
    writer.write(done, text.size(), false);
    return writer.finish();
}
