#include "ResultRtfReader.h"

#include "Windows1252.h"

namespace {

class ResultRtfScanner
{
public:
    explicit ResultRtfScanner(QStringView rtf)
        : in_(rtf)
    {
    }

    std::optional<ResultRtfText> read()
    {
        if (!header() || !body())
            return std::nullopt;
        // Like rich edit, the last \par closes the last line rather than opening an empty one.
        if (pendingLineBreaks_ > 0)
            --pendingLineBreaks_;
        out_.text.resize(out_.text.size() + pendingLineBreaks_, u'\n');
        return std::move(out_);
    }

private:
    bool take(QLatin1StringView literal)
    {
        if (!in_.sliced(pos_).startsWith(literal))
            return false;
        pos_ += literal.size();
        return true;
    }

    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
    static bool isLowerAscii(QChar c) { return c >= u'a' && c <= u'z'; }

    // An optional minus and one to six digits; longer numbers are left to the general reader.
    std::optional<int> number()
    {
        const qsizetype start = pos_;
        if (pos_ < in_.size() && in_[pos_] == u'-')
            ++pos_;
        const qsizetype digitsStart = pos_;
        while (pos_ < in_.size() && isDigit(in_[pos_]))
            ++pos_;
        if (pos_ == digitsStart || pos_ - digitsStart > 6)
            return std::nullopt;
        return in_.sliced(start, pos_ - start).toInt();
    }

    // The font name is skipped; one with RTF specials or controls is left to the general reader.
    bool header()
    {
        if (!take(QLatin1StringView("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 ")))
            return false;
        while (pos_ < in_.size() && in_[pos_] != u';') {
            const char16_t u = in_[pos_].unicode();
            if (u < 0x20 || u >= 0x7F || u == '\\' || u == '{' || u == '}')
                return false;
            ++pos_;
        }
        if (!take(QLatin1StringView(";}}\r\n{\\colortbl ;")))
            return false;
        while (take(QLatin1StringView("\\red"))) {
            if (!number() || !take(QLatin1StringView("\\green")) || !number()
                || !take(QLatin1StringView("\\blue")) || !number() || !take(QLatin1StringView(";")))
                return false;
            ++colours_;
        }
        if (!take(QLatin1StringView("}\r\n\\uc1\\pard\\plain\\f0\\fs")) || !number() || !take(QLatin1StringView(" ")))
            return false;
        return true;
    }

    bool body()
    {
        while (pos_ < in_.size()) {
            const char16_t u = in_[pos_].unicode();
            if (u == '}')
                return pos_ + 1 == in_.size();
            if (u == '\\') {
                ++pos_;
                if (!control())
                    return false;
            } else if (u == '\r' || u == '\n') {
                ++pos_;
            } else if (u == '{' || (u < 0x20 && u != '\t')) {
                return false;
            } else {
                plainText();
            }
        }
        return false; // no closing brace
    }

    void plainText()
    {
        const qsizetype start = pos_;
        while (pos_ < in_.size()) {
            const char16_t u = in_[pos_].unicode();
            if (u == '{' || u == '}' || u == '\\' || (u < 0x20 && u != '\t'))
                break;
            ++pos_;
        }
        textStarts();
        out_.text.append(in_.sliced(start, pos_ - start));
    }

    void text(QChar c)
    {
        // As in the general reader, line ends come only from \par.
        if (c == u'\r' || c == u'\n')
            return;
        textStarts();
        out_.text.append(c);
    }

    void textStarts()
    {
        out_.text.resize(out_.text.size() + pendingLineBreaks_, u'\n');
        pendingLineBreaks_ = 0;
        if (colour_ > 0 && colour_ <= colours_)
            out_.coloured = true;
    }

    bool control()
    {
        if (pos_ >= in_.size())
            return false;
        const QChar c = in_[pos_];
        switch (c.unicode()) {
        case '\\':
        case '{':
        case '}': ++pos_; text(c); return true;
        case '\'': ++pos_; return hexByte();
        default: break;
        }
        const qsizetype start = pos_;
        while (pos_ < in_.size() && isLowerAscii(in_[pos_]))
            ++pos_;
        const QStringView word = in_.sliced(start, pos_ - start);
        // RTF words take capitals too, and none of ours has one.
        if (pos_ < in_.size() && in_[pos_] >= u'A' && in_[pos_] <= u'Z')
            return false;
        std::optional<int> parameter;
        if (pos_ < in_.size() && (isDigit(in_[pos_]) || in_[pos_] == u'-') && !(parameter = number()))
            return false;
        if (pos_ < in_.size() && in_[pos_] == u' ')
            ++pos_;
        if (word == u"par" && !parameter) {
            ++pendingLineBreaks_;
            return true;
        }
        if (word == u"tab" && !parameter) {
            text(QChar(u'\t'));
            return true;
        }
        if (word == u"cf" && parameter) {
            colour_ = *parameter;
            return true;
        }
        if (word == u"u" && parameter && *parameter >= -32768 && *parameter <= 65535)
            return unicode(*parameter);
        // Other words and symbols: not our shape.
        return false;
    }

    bool hexByte()
    {
        if (pos_ + 2 > in_.size() || !isHexDigit(in_[pos_]) || !isHexDigit(in_[pos_ + 1]))
            return false;
        const int byte = in_.sliced(pos_, 2).toInt(nullptr, 16);
        pos_ += 2;
        text(Windows1252::decodeByte(static_cast<unsigned char>(byte)));
        return true;
    }

    static bool isHexDigit(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
    }

    // \uc1 is set: one plain fallback character follows, which is skipped.
    bool unicode(int value)
    {
        if (pos_ >= in_.size())
            return false;
        const char16_t fallback = in_[pos_].unicode();
        if (fallback < 0x20 || fallback == '\\' || fallback == '{' || fallback == '}')
            return false;
        ++pos_;
        text(QChar(static_cast<char16_t>(value < 0 ? value + 65536 : value)));
        return true;
    }

    QStringView in_;
    qsizetype pos_ = 0;
    int colours_ = 0;
    int colour_ = 0;
    qsizetype pendingLineBreaks_ = 0;
    ResultRtfText out_;
};

} // namespace

std::optional<ResultRtfText> ReadResultRtf(QStringView rtf)
{
    return ResultRtfScanner(rtf).read();
}
