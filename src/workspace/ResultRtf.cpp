#include "ResultRtf.h"

#include "RtfEscaping.h"

namespace {

const QLatin1String kParagraphEnd("\\par\r\n");

class ResultRtfWriter
{
public:
    ResultRtfWriter(const QString& text, bool coloured)
        : text_(text)
        , coloured_(coloured)
    {
        body_.reserve(text.size() * 11 / 10 + 64);
    }

    // Writes [start, end) in one colour, each line break as a paragraph end.
    void write(qsizetype start, qsizetype end, bool red)
    {
        for (qsizetype lineEnd; start < end && (lineEnd = text_.indexOf(u'\n', start)) >= 0 && lineEnd < end;
             start = lineEnd + 1) {
            writeColoured(start, lineEnd, red);
            body_ += kParagraphEnd;
        }
        writeColoured(start, end, red);
    }

    QString finish(const QFont& font)
    {
        // Like the rich edit control, the last paragraph gets its \par too.
        body_ += kParagraphEnd;
        const int halfPoints = font.pointSizeF() > 0 ? qRound(font.pointSizeF() * 2) : 20;
        QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 ");
        AppendRtfEscaped(out, font.family());
        out += QLatin1String(";}}\r\n{\\colortbl ;");
        // The colour table lists the colours in the order the text first uses them.
        for (int index = 1; index <= colourCount_; ++index)
            out += (index == redIndex_) ? QLatin1String("\\red255\\green0\\blue0;") : QLatin1String("\\red0\\green0\\blue0;");
        out += QStringLiteral("}\r\n\\uc1\\pard\\plain\\f0\\fs%1 ").arg(halfPoints);
        return out + body_ + u'}';
    }

private:
    void writeColoured(qsizetype start, qsizetype end, bool red)
    {
        if (start >= end)
            return;
        if (!coloured_) {
            AppendRtfEscaped(body_, QStringView(text_).mid(start, end - start));
            return;
        }
        int& index = red ? redIndex_ : blackIndex_;
        if (index == 0)
            index = ++colourCount_;
        if (index != current_) {
            body_ += QStringLiteral("\\cf%1 ").arg(index);
            current_ = index;
        }
        AppendRtfEscaped(body_, QStringView(text_).mid(start, end - start));
    }

    const QString& text_;
    const bool coloured_;
    QString body_;
    int colourCount_ = 0;
    int redIndex_ = 0;
    int blackIndex_ = 0;
    int current_ = 0;
};

} // namespace

QString ResultToRtf(const QString& text, const std::optional<QList<TextSpan>>& red, const QFont& font)
{
    ResultRtfWriter writer(text, red.has_value());
    qsizetype done = 0;
    for (const TextSpan& run : red.value_or(QList<TextSpan>())) {
        writer.write(done, run.start, false);
        writer.write(run.start, run.start + run.length, true);
        done = run.start + run.length;
    }
    writer.write(done, text.size(), false);
    return writer.finish(font);
}
