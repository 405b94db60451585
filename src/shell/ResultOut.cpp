#include "ResultOut.h"

#include "Dialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSaveFile>

QByteArray ResultFileBytes(const QString& text, LineEnd lineEnd)
{
    QByteArray bytes = text.toUtf8();
    if (lineEnd == LineEnd::CRLF)
        bytes.replace('\n', QByteArrayLiteral("\r\n"));
    return bytes;
}

void CopyResult(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString SaveResultAs(QWidget* owner, const QString& text)
{
    Dialogs& dialogs = Dialogs::current();
    const std::optional<QString> file =
        dialogs.saveFileName(owner, QStringLiteral("Save Result As"), QStringLiteral("Text files (*.txt);;All files (*)"));
    if (!file)
        return {};
    const LineEnd lineEnd =
        dialogs.confirm(owner, QStringLiteral("End the lines the Windows way (CR LF)? No ends them with LF alone."))
            ? LineEnd::CRLF
            : LineEnd::LF;
    const QByteArray bytes = ResultFileBytes(text, lineEnd);
    QSaveFile out(*file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        dialogs.message(owner, QStringLiteral("Cannot write %1: %2").arg(*file, out.errorString()),
                        Dialogs::Icon::Warning);
        return {};
    }
    return *file;
}
