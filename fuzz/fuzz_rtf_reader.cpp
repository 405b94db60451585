// Two ways in, picked by the first byte: any bytes read as a body's rich text (the reader must
// not fail on them, and the quick result reader must agree with it), or bytes that drive a coloured text, control characters included, which
// must come back character for character after it is written as RTF and read again.
#include "FuzzChecks.h"
#include "PaneLooks.h"
#include "ResultRtfReader.h"
#include "RtfReader.h"
#include "RtfWriter.h"
#include "Windows1252.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdlib>

namespace {

// A cleared document of the pane's font; two of them, for what is written and what is read.
QTextDocument& Document(int which)
{
    static QTextDocument documents[2];
    QTextDocument& document = documents[which];
    document.clear();
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans Mono"), 10));
    return document;
}

// Characters that stress the writer's escaping and the reader's skipping.
QChar Character(uint8_t byte)
{
    static const char16_t pieces[] = {u'\\', u'{', u'}', u'$', u'"', u'\t', u'\n', 0x2028, 0x00A0, 0x00E9,
                                      0x20AC, 0x0416, 0xFFFD, 0xD83D, 0xDE00, u'?', u'a', u' ', u';', 0x0081};
    constexpr int count = int(sizeof pieces / sizeof pieces[0]);
    if (byte < 32)
        return QChar(char16_t(byte)); // every control character, line ends included
    return QChar(byte < 32 + count ? pieces[byte - 32] : char16_t(byte));
}

QTextCharFormat Format(uint8_t byte)
{
    static const QColor colours[] = {QColor(0, 0, 0), QColor(0, 0, 255), QColor(255, 0, 0), QColor(1, 2, 3)};
    QTextCharFormat format;
    if (byte & 4)
        format.setForeground(colours[byte & 3]);
    if (byte & 8)
        format.setFontWeight(QFont::Bold);
    if (byte & 16)
        format.setFontItalic(true);
    if (byte & 32)
        format.setFontUnderline(true);
    if (byte & 64)
        format.setFontPointSize(6 + (byte >> 7) * 5.5);
    return format;
}

QString SingleLineFeeds(QString text)
{
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return text;
}

// Where the quick reader of our own result shape takes the bytes, it reads what the general one does.
void ReadAnyBytes(const uint8_t* data, size_t size)
{
    const QString text = Windows1252::decode(QByteArrayView(data, qsizetype(size)));
    const QList<RichTextRun> runs = ReadRichTextRuns(text, 10);
    QTextDocument& document = Document(0);
    QTextCursor cursor(&document);
    InsertRichTextRuns(cursor, runs);
    if (const std::optional<ResultRtfText> quick = ReadResultRtf(text)) {
        QString general;
        bool coloured = false;
        for (const RichTextRun& run : runs) {
            general += run.text;
            coloured = coloured || run.format.hasProperty(QTextFormat::ForegroundBrush);
        }
        Check(!quick->text.contains(u'\r'));
        Check(SingleLineFeeds(quick->text) == SingleLineFeeds(general));
        Check(quick->coloured == coloured);
    }
}

// Runs: a format byte whose top bits give the run's length (1 to 4), then its characters.
void WriteThenRead(const uint8_t* data, size_t size)
{
    QTextDocument& source = Document(0);
    QTextCursor cursor(&source);
    for (size_t i = 0; i < size;) {
        const uint8_t format = data[i++];
        QString run;
        for (int n = 0; n <= (format >> 6) && i < size; ++n)
            run += Character(data[i++]);
        cursor.insertText(run, Format(format));
    }
    const QList<CharLook> written = Looks(source);
    const QString plain = source.toPlainText();
    const QString rtf = DocumentToRtf(source);
    for (const QChar c : rtf)
        Check((c.unicode() >= 0x20 && c.unicode() < 0x7F) || c == u'\r' || c == u'\n');

    QTextDocument& copy = Document(1);
    QTextCursor into(&copy);
    InsertRichTextRuns(into, ReadRichTextRuns(rtf, 10));
    Check(copy.toPlainText() == plain);
    Check(Looks(copy) == written);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] & 1)
        WriteThenRead(data + 1, size - 1);
    else
        ReadAnyBytes(data + 1, size - 1);
    return 0;
}
