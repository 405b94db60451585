#include "DataFolder.h"
#include "DialogFailureReporter.h"
#include "Dialogs.h"
#include "LargeBuffers.h"
#include "MainWindow.h"
#include "ProgramIcon.h"
#include "ShownColours.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char** argv)
{
    KeepLargeBuffersInHeap();
    // No organisation name: the per-user data folder is then ~/.local/share/Vellumatic/Data.
    // The window settings name their own file.
    QCoreApplication::setApplicationName(QStringLiteral("Vellumatic"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUMATIC_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Expands bracket templates into repetitive source text and fills their fields with values."));
    const QCommandLineOption help = options.addHelpOption();
    const QCommandLineOption version = options.addVersionOption();
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("Open the catalogues in <folder> (Tempalates.app, Values.app and the "
                                                 "template bodies). A missing or empty folder starts from the sample."),
                                  QStringLiteral("folder"));
    options.addOption(data);

    // --help and --version answer without a display; Qt's own options are checked once the GUI is up.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    options.parse(arguments);
    if (options.isSet(help) || options.isSet(QStringLiteral("help-all")) || options.isSet(version)) {
        QCoreApplication textOnly(argc, argv);
        options.process(textOnly);
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("vellumatic"));
    QApplication::setWindowIcon(ProgramIcon());
    options.process(app);
    if (const std::optional<QPalette> readable = WithReadablePlaceholders(QApplication::palette()))
        QApplication::setPalette(*readable);

    const DataFolderChoice choice = ChooseDataFolder(ProgramDataFolderPlaces(options.value(data)));
    if (!choice.problem.isEmpty()) {
        std::fprintf(stderr, "vellumatic: %s\n", qPrintable(choice.problem));
        Dialogs::current().message(nullptr, choice.problem, Dialogs::Icon::Critical);
        return 1;
    }

    DialogFailureReporter failures;
    FailureReporter::install(&failures);

    MainWindow window(choice.folder);
    window.show();
    return app.exec();
}
