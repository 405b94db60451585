#include "RtfReader.h"

#include "LineGrouping.h"
#include "Windows1252.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

namespace {

enum class Destination { Text, Skip, ColourTable };

struct GroupState
{
    Destination destination = Destination::Text;
    int colour = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0; // 0: the document's own size
    int unicodeSkip = 1;

    bool sameLook(const GroupState& other) const
    {
        return colour == other.colour && bold == other.bold && italic == other.italic
               && underline == other.underline && halfPoints == other.halfPoints;
    }
    void resetCharacter()
    {
        colour = 0;
        bold = italic = underline = false;
        halfPoints = 0;
    }
};

// Destinations whose content is not document text.
bool IsSkippedDestination(QStringView word)
{
    static const QSet<QStringView> names{
        u"fonttbl",   u"stylesheet",   u"info",      u"pict",     u"object",    u"header",
        u"headerl",   u"headerr",      u"headerf",   u"footer",   u"footerl",   u"footerr",
        u"footerf",   u"footnote",     u"fldinst",   u"listtable", u"listoverridetable",
        u"rsidtbl",   u"revtbl",       u"filetbl",   u"xmlnstbl", u"themedata", u"colorschememapping",
        u"datastore", u"latentstyles", u"generator", u"pgdsctbl", u"pntext",    u"pn",
        u"listtext",  u"annotation",   u"atnid",     u"atnauthor", u"bkmkstart", u"bkmkend",
        u"xe",        u"tc",           u"txe",       u"private",  u"nonshppict", u"shppict",
    };
    return names.contains(word);
}

bool IsUnderlineOn(QStringView word)
{
    static const QSet<QStringView> names{u"ul",      u"uld",      u"uldb",    u"ulw",     u"ulwave", u"ulth",
                                         u"uldash",  u"uldashd",  u"uldashdd", u"ulhwave", u"ulldash", u"ulthd"};
    return names.contains(word);
}

class RtfParser
{
public:
    RtfParser(QStringView rtf, qreal defaultPointSize)
        : in_(rtf), defaultHalfPoints_(qRound(defaultPointSize * 2))
    {
    }

    QList<RichTextRun> parse()
    {
        while (pos_ < in_.size()) {
            const QChar c = in_[pos_++];
            switch (c.unicode()) {
            case '{':
                stack_.append(state_);
                skipCount_ = 0;
                break;
            case '}':
                skipCount_ = 0;
                if (stack_.isEmpty())
                    break;
                state_ = stack_.takeLast();
                if (stack_.isEmpty())
                    pos_ = in_.size(); // anything after the closing brace is not RTF
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
                break;
            default:
                --pos_;
                plainText();
                break;
            }
        }
        flush();
        return std::move(runs_);
    }

private:
    // Ordinary characters up to the next brace, backslash or line end, taken in one go.
    void plainText()
    {
        const qsizetype start = pos_;
        while (pos_ < in_.size()) {
            const char16_t u = in_[pos_].unicode();
            if (u == '{' || u == '}' || u == '\\' || u < 0x20)
                break;
            ++pos_;
        }
        if (pos_ == start) {
            // Of the raw control characters only a tab is text; the others a writer sends as \'hh or \uN.
            if (in_[pos_++] == u'\t')
                text(QChar(u'\t'));
            return;
        }
        QStringView chunk = in_.mid(start, pos_ - start);
        while (!chunk.isEmpty() && skipCount_ > 0) {
            chunk = chunk.mid(1);
            --skipCount_;
        }
        if (chunk.isEmpty())
            return;
        if (state_.destination != Destination::Text) {
            for (const QChar c : chunk)
                text(c);
            return;
        }
        startText();
        pending_ += chunk;
    }

    void control()
    {
        if (pos_ >= in_.size())
            return;
        const QChar c = in_[pos_];
        if (!isAsciiLetter(c)) {
            ++pos_;
            symbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < in_.size() && isAsciiLetter(in_[pos_]))
            ++pos_;
        const QStringView word = in_.mid(start, pos_ - start);
        std::optional<int> parameter;
        const qsizetype numberStart = pos_;
        if (pos_ < in_.size() && in_[pos_] == u'-')
            ++pos_;
        while (pos_ < in_.size() && in_[pos_].isDigit() && in_[pos_].unicode() < 0x80)
            ++pos_;
        if (pos_ > numberStart && in_[pos_ - 1] != u'-')
            parameter = in_.mid(numberStart, pos_ - numberStart).toInt();
        else
            pos_ = numberStart;
        if (pos_ < in_.size() && in_[pos_] == u' ')
            ++pos_;
        if (skipCount_ > 0 && word != u"bin") {
            --skipCount_;
            return;
        }
        controlWord(word, parameter);
    }

    static bool isAsciiLetter(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    }

    void symbol(QChar c)
    {
        switch (c.unicode()) {
        case '\\':
        case '{':
        case '}': text(c); break;
        case '~': text(QChar(0x00A0)); break;
        case '_': text(QChar('-')); break;
        case '*': state_.destination = Destination::Skip; break;
        case '\'': hexByte(); break;
        case '\r':
        case '\n': paragraph(); break;
        default: break; // \- optional hyphen, \| and \: index marks
        }
    }

    void hexByte()
    {
        if (pos_ + 2 > in_.size())
            return;
        bool ok = false;
        const int byte = in_.mid(pos_, 2).toInt(&ok, 16);
        pos_ += 2;
        if (ok)
            text(Windows1252::decodeByte(static_cast<unsigned char>(byte)));
    }

    void controlWord(QStringView word, std::optional<int> parameter)
    {
        const int value = parameter.value_or(0);
        const bool on = !parameter || value != 0;
        if (state_.destination == Destination::ColourTable) {
            if (word == u"red") red_ = value;
            else if (word == u"green") green_ = value;
            else if (word == u"blue") blue_ = value;
            return;
        }
        if (word == u"par" || word == u"sect" || word == u"page" || word == u"row") paragraph();
        else if (word == u"line") text(QChar(0x2028));
        else if (word == u"tab" || word == u"cell") text(QChar('\t'));
        else if (word == u"cf") state_.colour = value;
        else if (word == u"b") state_.bold = on;
        else if (word == u"i") state_.italic = on;
        else if (IsUnderlineOn(word)) state_.underline = on;
        else if (word == u"ulnone") state_.underline = false;
        else if (word == u"fs") state_.halfPoints = parameter ? value : 24;
        else if (word == u"plain") state_.resetCharacter();
        else if (word == u"uc") state_.unicodeSkip = qMax(0, value);
        else if (word == u"u") unicode(value);
        else if (word == u"bin") pos_ = qMin(in_.size(), pos_ + qMax(0, value));
        else if (word == u"colortbl") state_.destination = Destination::ColourTable;
        else if (word == u"emdash") text(QChar(0x2014));
        else if (word == u"endash") text(QChar(0x2013));
        else if (word == u"bullet") text(QChar(0x2022));
        else if (word == u"lquote") text(QChar(0x2018));
        else if (word == u"rquote") text(QChar(0x2019));
        else if (word == u"ldblquote") text(QChar(0x201C));
        else if (word == u"rdblquote") text(QChar(0x201D));
        else if (word == u"emspace" || word == u"enspace" || word == u"qmspace") text(QChar(' '));
        else if (IsSkippedDestination(word)) state_.destination = Destination::Skip;
        // every other word (\pard, \f, \rtf, \ansi, ...) changes nothing we keep
    }

    void unicode(int value)
    {
        text(QChar(static_cast<char16_t>(value < 0 ? value + 65536 : value)));
        skipCount_ = state_.unicodeSkip; // the fallback characters that follow
    }

    void text(QChar c)
    {
        if (skipCount_ > 0) {
            --skipCount_;
            return;
        }
        if (state_.destination == Destination::ColourTable) {
            if (c == u';')
                endColour();
            return;
        }
        // Line ends come only from \par and \line; other control characters are the user's text.
        if (state_.destination != Destination::Text || c == u'\r' || c == u'\n')
            return;
        startText();
        pending_ += c;
    }

    void startText()
    {
        if (!runState_.sameLook(state_)) {
            flush();
            runState_ = state_;
        }
        if (pendingParagraph_) {
            pending_ += LineBreakAfter(++lines_);
            pendingParagraph_ = false;
        }
    }

    // A paragraph mark takes effect once text follows it: the last \par of a document
    // closes its last paragraph instead of opening an empty one, as in rich edit.
    void paragraph()
    {
        if (state_.destination != Destination::Text)
            return;
        if (pendingParagraph_)
            pending_ += LineBreakAfter(++lines_);
        pendingParagraph_ = true;
    }

    void endColour()
    {
        if (red_ || green_ || blue_)
            colours_.append(QColor(qBound(0, red_.value_or(0), 255), qBound(0, green_.value_or(0), 255),
                                   qBound(0, blue_.value_or(0), 255)));
        else
            colours_.append(std::nullopt);
        red_.reset();
        green_.reset();
        blue_.reset();
    }

    // Runs of one look share one format object, which keeps inserting them cheap.
    QTextCharFormat format(const GroupState& state)
    {
        const quint64 key = quint64(quint32(state.colour)) << 32 | quint64(state.halfPoints & 0xFFFF) << 3
                            | (state.bold ? 4 : 0) | (state.italic ? 2 : 0) | (state.underline ? 1 : 0);
        auto it = formats_.constFind(key);
        if (it == formats_.cend())
            it = formats_.insert(key, makeFormat(state));
        return *it;
    }

    QTextCharFormat makeFormat(const GroupState& state) const
    {
        QTextCharFormat format;
        if (state.colour >= 0 && state.colour < colours_.size() && colours_[state.colour])
            format.setForeground(*colours_[state.colour]);
        if (state.bold)
            format.setFontWeight(QFont::Bold);
        if (state.italic)
            format.setFontItalic(true);
        if (state.underline)
            format.setFontUnderline(true);
        if (state.halfPoints > 0 && state.halfPoints != defaultHalfPoints_)
            format.setFontPointSize(state.halfPoints / 2.0);
        return format;
    }

    void flush()
    {
        if (!pending_.isEmpty())
            runs_.append({std::move(pending_), format(runState_)});
        pending_.clear();
    }

    QStringView in_;
    qsizetype pos_ = 0;
    const int defaultHalfPoints_;
    GroupState state_;
    QList<GroupState> stack_;
    int skipCount_ = 0;
    std::optional<int> red_, green_, blue_;
    QList<std::optional<QColor>> colours_;
    GroupState runState_;
    QString pending_;
    bool pendingParagraph_ = false;
    qsizetype lines_ = 0;
    QList<RichTextRun> runs_;
    QHash<quint64, QTextCharFormat> formats_;
};

QList<RichTextRun> PlainTextRuns(const QString& text)
{
    QString converted;
    converted.reserve(text.size());
    qsizetype lines = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            converted += LineBreakAfter(++lines);
        } else {
            converted += c;
        }
    }
    if (converted.isEmpty())
        return {};
    return {{converted, QTextCharFormat()}};
}

} // namespace

QList<RichTextRun> ReadRichTextRuns(const QString& text, qreal defaultPointSize)
{
    if (!text.startsWith(QLatin1String("{\\rtf")))
        return PlainTextRuns(text);
    return RtfParser(text, defaultPointSize).parse();
}

void InsertRichTextRuns(QTextCursor& cursor, const QList<RichTextRun>& runs)
{
    for (const RichTextRun& run : runs)
        cursor.insertText(run.text, run.format);
}
