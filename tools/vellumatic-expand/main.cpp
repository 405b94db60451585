// vellumatic-expand: the template expansion of Vellumatic for scripts and build steps.
#include "CataloguePaths.h"
#include "ExpandOptions.h"
#include "Expansion.h"
#include "FailureReporter.h"
#include "FileBytes.h"
#include "PaneFont.h"
#include "ResultFills.h"
#include "ResultRtf.h"
#include "StoredTemplate.h"
#include "TemplatePaneText.h"
#include "TextRules.h"
#include "Utf8Text.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <csignal>
#include <memory>
#include <cstdio>
#include <cstdlib>

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

std::optional<QString> DecodeTemplate(const QByteArray& bytes)
{
    // Keep a byte order mark as it is: the output should differ from the input only by
    // the expansion.
    return DecodeUtf8(bytes, true);
}

QByteArray OutputOf(const ExpandOptions& options, const QString& result)
{
    if (!options.fields)
        return result.toUtf8();
    const QChar terminator = options.nullTerminated ? QChar(0) : QChar(u'\n');
    QString list;
    for (const QString& field : ListFields(result).toList())
        list.append(field).append(terminator);
    return list.toUtf8();
}

// Each name once, as the window asks them: by --set, else by the next --answer.
BoundAnswers AnswersByName(const ExpandOptions& options, const QStringList& names, const FillSources& sources)
{
    BoundAnswers answers;
    if (const std::optional<QString> rowCount = RowCountAnswer(options, sources, names)) {
        answers.Set(names.first(), *rowCount);
        return answers;
    }
    qsizetype nextAnswer = 0;
    for (const QString& name : names) {
        if (options.showPrompts)
            WriteError(PromptFor(name[0]));
        const auto fixed = std::find_if(options.fixed.cbegin(), options.fixed.cend(), [&](const auto& setting) {
            return QString(setting.first).compare(name, Qt::CaseInsensitive) == 0;
        });
        if (fixed != options.fixed.cend())
            answers.Set(name, fixed->second);
        else
            answers.Set(name, options.answers.value(nextAnswer++));
    }
    return answers;
}

// The store's failures go to standard error; any of them fails the run.
class FailuresToStandardError final : public FailureReporter
{
public:
    void reportFailure(const QString& text) override
    {
        WriteError(QStringLiteral("vellumatic-expand: ") + text);
        failed = true;
    }
    bool failed = false;
};

// Only storing a result needs the panes' font, and so a GUI application; without a display
// (a build machine) the offscreen platform gives the same text.
std::unique_ptr<QCoreApplication> StartApplication(int& argc, char** argv, bool save)
{
    QCoreApplication::setApplicationName(QStringLiteral("Vellumatic"));
    if (!save)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int Write(const ExpandOptions& options, const QByteArray& bytes)
{
    QString error;
    const bool written = options.output.isEmpty() ? WriteToStandardOutput(bytes, &error)
                                                  : WriteOutputFile(options.output, bytes, &error);
    return written ? kWritten : Fail(kUsageOrFileError, error);
}

} // namespace

int main(int argc, char** argv)
{
    // Past a file size limit a write fails with a reason instead of killing the tool,
    // so it can say so and remove its temporary file.
    std::signal(SIGXFSZ, SIG_IGN);

    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    const auto parsed = ParseExpandOptions(arguments);
    if (const QString* usageError = std::get_if<QString>(&parsed))
        return Fail(kUsageOrFileError, *usageError + QStringLiteral(" (see --help)"));
    const ExpandOptions& options = std::get<ExpandOptions>(parsed);
    if (options.help || options.version) {
        const QString text = options.help ? ExpandHelpText()
                                          : QStringLiteral("vellumatic-expand " VELLUMATIC_VERSION "\n");
        QString error;
        return WriteToStandardOutput(text.toUtf8(), &error) ? kWritten : Fail(kUsageOrFileError, error);
    }

    FailuresToStandardError failures;
    FailureReporter::install(&failures);
    std::unique_ptr<QCoreApplication> application;
    std::unique_ptr<StoredTemplates> stored;
    QString key;
    TemplateBody body;
    std::optional<QString> templateText;
    if (options.usesCatalogue()) {
        application = StartApplication(argc, argv, options.save);
        QString error;
        stored = StoredTemplates::open(QString::fromLocal8Bit(options.data), &error);
        if (!stored)
            return Fail(kUsageOrFileError, error);
        if (options.list) {
            QString lines;
            for (const QString& path : CataloguePaths(stored->catalogue()))
                lines.append(path).append(u'\n');
            return Write(options, lines.toUtf8());
        }
        if (options.templatePath.isNull())
            return Fail(kUsageOrFileError, QStringLiteral("--data needs --list or --template"));
        key = stored->keyAt(options.templatePath, &error);
        if (key.isEmpty())
            return Fail(kUsageOrFileError, error);
        body = stored->body(key);
        if (failures.failed)
            return kUsageOrFileError;
        templateText = TemplatePaneTextOf(body.templateRichText);
    } else {
        QString readError;
        const QByteArray bytes = ReadAllBytes(options.file, &readError);
        if (!readError.isEmpty())
            return Fail(kUsageOrFileError, readError);
        templateText = DecodeTemplate(bytes);
        if (!templateText)
            return Fail(kUsageOrFileError, QStringLiteral("the template is not valid UTF-8"));
    }
    QString sourceError;
    QStringList notes;
    const std::optional<FillSources> sources =
        ReadFillSources(options, stored ? stored->typeMapPath() : QString(), &sourceError, &notes);
    if (!sources)
        return Fail(kUsageOrFileError, sourceError);
    ExpansionRequest request;
    request.compactStyle = options.compactStyle;
    request.strict = options.strict;
    request.answers = AnswersByName(options, BoundNames(*templateText), *sources);
    ExpansionResult result = GenerateResult(*templateText, request);

    switch (result.outcome) {
    case ExpansionResult::Outcome::ParseFailed:
        WriteError(result.message);
        WriteError(QStringLiteral("%1:%2:%3: %4")
                       .arg(stored ? options.templatePath
                            : options.file.isEmpty() || options.file == "-" ? QStringLiteral("<stdin>")
                                                                             : DisplayName(options.file))
                       .arg(result.errorLine)
                       .arg(result.errorColumn)
                       .arg(result.errorReason));
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
    notes += FillResult(result.text, *templateText, options, *sources);
    for (const QString& note : std::as_const(notes))
        WriteError(QStringLiteral("vellumatic-expand: ") + note);
    if (options.save) {
        // What Run (and the fills) leave in the result pane: a template without groups uncoloured.
        const bool coloured = result.outcome == ExpansionResult::Outcome::Expanded;
        if (!stored->saveResult(key, body, ResultPaneRtf(result.text, coloured, PaneFont())))
            return kUsageOrFileError;
    }
    // Everything is written; the system takes back the result, the rows and their many
    // strings at once, far faster than freeing them one by one.
    std::_Exit(Write(options, OutputOf(options, result.text)));
}
