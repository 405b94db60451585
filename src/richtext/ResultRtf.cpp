#include "ResultRtf.h"

#include "MarkerColouring.h"
#include "RtfEscaping.h"

#include <algorithm>

namespace {

const QLatin1String kParagraphEnd("\\par\r\n");
const QLatin1String kRed("\\red255\\green0\\blue0;");
const QLatin1String kBlack("\\red0\\green0\\blue0;");
constexpr qsizetype kColourSwitchSize = 5; // "\cf1 "

// Room for the text part: exact but for the colour switches, at most one each side of a
// run. A million-line result's RTF is the largest buffer a Run keeps, so no spare room.
qsizetype textSizeBound(QStringView text, qsizetype runs)
{
    qsizetype size = 0;
    for (const QChar c : text)
        size += c == u'\n' ? kParagraphEnd.size() : RtfEscapedSize(c.unicode());
    return size + kParagraphEnd.size() + (2 * runs + 1) * kColourSwitchSize + 1;
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
        const qsizetype size = header.size() + textSizeBound(text, red ? red->size() : 0);
        out_.reserve(size); // exactly: growing by resize() would round up to a power of two
        out_.resize(size);
        at_ = std::copy(header.utf16(), header.utf16() + header.size(), begin());
    }

    // Writes [start, end) in one colour, each line break as a paragraph end.
    void write(qsizetype start, qsizetype end, bool red)
    {
        const int index = red ? redIndex_ : blackIndex_;
        for (const QChar c : QStringView(text_).sliced(start, end - start)) {
            if (c == u'\n') {
                at_ = writeAscii(kParagraphEnd);
                continue;
            }
            // The colour switches where coloured text starts, so line breaks never carry one.
            if (coloured_ && index != current_) {
                at_ = writeAscii(QLatin1String("\\cf"));
                *at_++ = char16_t(u'0' + index); // never more than two colours
                *at_++ = u' ';
                current_ = index;
            }
            if (IsPlainRtf(c.unicode()))
                *at_++ = c.unicode();
            else
                at_ = WriteRtfEscape(at_, c.unicode());
        }
    }

    QString finish()
    {
        // Like the rich edit control, the last paragraph gets its \par too.
        at_ = writeAscii(kParagraphEnd);
        *at_++ = u'}';
        out_.truncate(at_ - begin());
        return std::move(out_);
    }

private:
    char16_t* begin() { return reinterpret_cast<char16_t*>(out_.data()); }
    char16_t* writeAscii(QLatin1String ascii) { return std::copy(ascii.begin(), ascii.end(), at_); }

    const QString& text_;
    const bool coloured_;
    int redIndex_ = 0;
    int blackIndex_ = 0;
    int current_ = 0;
    QString out_;
    char16_t* at_ = nullptr;
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

QString ResultPaneRtf(const QString& text, bool coloured, const QFont& font)
{
    if (!coloured)
        return ResultToRtf(text, std::nullopt, font);
    return ResultToRtf(text, MarkerRunsIn(text, 0, text.size()), font);
}
