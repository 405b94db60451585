// vellumatic-expand: the template expansion of Vellumatic for scripts and build steps.
#include "ExpandOptions.h"
#include "Expansion.h"
#include "TextRules.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdio>

namespace {

enum ExitStatus
{
    kWritten = 0,
    kUsageOrFileError = 1,
    kParseFailed = 2,
    kStopped = 3,
    kTooLarge = 4,
};

void WriteError(const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

int Fail(int status, const QString& message)
{
    WriteError(QStringLiteral("vellumatic-expand: ") + message);
    return status;
}

bool ReadTemplate(const QString& path, QString* text, QString* error)
{
    QFile file;
    const bool fromStdin = path.isEmpty() || path == u"-";
    const bool opened = fromStdin ? file.open(stdin, QIODevice::ReadOnly)
                                  : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = QStringLiteral("cannot read %1: %2")
                     .arg(fromStdin ? QStringLiteral("standard input") : path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    // Keep a byte order mark as it is: the output should differ from the input only by
    // the expansion.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    *text = decoder(bytes);
    if (decoder.hasError()) {
        *error = QStringLiteral("the template is not valid UTF-8");
        return false;
    }
    return true;
}

bool WriteOutput(const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const auto parsed = ParseExpandOptions(arguments);
    if (const QString* usageError = std::get_if<QString>(&parsed))
        return Fail(kUsageOrFileError, *usageError + QStringLiteral(" (see --help)"));
    const ExpandOptions& options = std::get<ExpandOptions>(parsed);
    if (options.help) {
        const QByteArray help = ExpandHelpText().toUtf8();
        return WriteOutput(help) ? kWritten : kUsageOrFileError;
    }

    QString templateText;
    QString readError;
    if (!ReadTemplate(options.file, &templateText, &readError))
        return Fail(kUsageOrFileError, readError);

    qsizetype nextAnswer = 0;
    const AskValue ask = [&](const QString& prompt) -> std::optional<QString> {
        if (options.showPrompts)
            WriteError(prompt);
        for (const auto& [name, value] : options.fixed) {
            if (prompt.compare(PromptFor(name), Qt::CaseInsensitive) == 0)
                return value;
        }
        return nextAnswer < options.answers.size() ? options.answers[nextAnswer++] : QString();
    };
    const ExpansionResult result = GenerateResult(templateText, options.compactStyle, ask);

    switch (result.outcome) {
    case ExpansionResult::Outcome::ParseFailed:
        WriteError(result.message);
        return kParseFailed;
    case ExpansionResult::Outcome::Stopped:
    case ExpansionResult::Outcome::Cancelled: // no progress callback: never happens
        return Fail(kStopped, QStringLiteral("generation stopped: ") + result.message);
    case ExpansionResult::Outcome::TooLarge:
        return Fail(kTooLarge, result.message);
    case ExpansionResult::Outcome::Expanded:
    case ExpansionResult::Outcome::NoGroups:
        break;
    }

    QByteArray output;
    if (options.fields) {
        const QChar terminator = options.nullTerminated ? QChar(0) : QChar(u'\n');
        QString list;
        for (const QString& field : ListFields(result.text))
            list.append(field).append(terminator);
        output = list.toUtf8();
    } else {
        output = result.text.toUtf8();
    }
    if (!WriteOutput(output))
        return Fail(kUsageOrFileError, QStringLiteral("cannot write the output"));
    return kWritten;
}
