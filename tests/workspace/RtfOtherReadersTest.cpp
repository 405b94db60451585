#include "PaneRichText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

// Our RTF read by another program: unrtf's HTML keeps both the text and the colours.
namespace {

QString UnrtfHtml(const QString& rtf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("pane.rtf");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(rtf.toLatin1());
    file.close();
    QProcess unrtf;
    unrtf.start("unrtf", {"--html", path});
    unrtf.waitForFinished(30000);
    return QString::fromUtf8(unrtf.readAllStandardOutput());
}

QString HtmlText(QString html)
{
    html = html.mid(html.indexOf("<body>"));
    html.replace(QRegularExpression("<br>\\s*"), "\n");
    html.remove(QRegularExpression("<[^>]*>"));
    html.replace("&quot;", "\"").replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
    return html.trimmed();
}

TEST(RtfOtherReaders, UnrtfReadsTheSameTextAndColours)
{
    if (QStandardPaths::findExecutable("unrtf").isEmpty())
        GTEST_SKIP() << "unrtf is not installed";
    struct Run
    {
        QString text;
        QColor colour;
    };
    const QList<Run> runs{
        {"INSERT INTO ", QColor(0, 0, 0)},      {"$Table!", QColor(255, 0, 0)},
        {" (\n", QColor(0, 0, 0)},              {"[(", QColor(0, 0, 255)},
        {"$Col!", QColor(255, 0, 0)},           {"|1|n)]", QColor(0, 0, 255)},
        {") -- \"q\" {a} \\ _$$$_001_$$$_", QColor(0, 0, 0)},
    };
    QTextEdit pane;
    QTextCursor cursor(pane.document());
    QString plain;
    for (const Run& run : runs) {
        QTextCharFormat format;
        format.setForeground(run.colour);
        cursor.insertText(run.text, format);
        plain += run.text;
    }
    const QString html = UnrtfHtml(PaneRichText(pane));
    ASSERT_FALSE(html.isEmpty());
    EXPECT_EQ(HtmlText(html), plain);
    for (const Run& run : runs) {
        if (run.text.contains('\n') || run.text.contains('"'))
            continue;
        EXPECT_TRUE(html.contains("<font color=\"" + run.colour.name() + "\">" + run.text + "</font>"))
            << run.text.toStdString() << " in " << html.toStdString();
    }
}

} // namespace
