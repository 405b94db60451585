#include "DataFolder.h"

#include "StoredNames.h"
#include "DataStore.h"

#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QStringList tablePaths(const QString& folder)
{
    const DataStore store = DataStore::forDataFolder(folder);
    return {store.tablePath(kTemplateCatalogueFile), store.tablePath(kValueCatalogueFile)};
}

bool holdsCatalogue(const QString& folder)
{
    const QStringList tables = tablePaths(folder);
    return std::all_of(tables.begin(), tables.end(), [](const QString& table) { return QFileInfo(table).isFile(); });
}

bool isMissingOrEmpty(const QString& folder)
{
    const QFileInfo info(folder);
    return !info.exists() ||
           (info.isDir() && QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
}

// Writing is the only sure test: permission bits say little to root or on a network share.
QString writeProblem(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.vellumatic-XXXXXX"));
    if (!probe.open())
        return QStringLiteral("The data folder \"%1\" cannot be written: %2.").arg(shown(folder), probe.errorString());
    for (const QString& table : tablePaths(folder)) {
        QFile file(table);
        if (file.exists() && !file.open(QIODevice::ReadWrite))
            return QStringLiteral("The catalogue file \"%1\" cannot be written: %2.").arg(shown(table), file.errorString());
    }
    return {};
}

// Copies the sample into a fresh folder beside the target and renames it into place, so a start
// that fails half-way leaves no half catalogue behind.
QString seedProblem(const QString& folder, const QString& sample)
{
    if (sample.isEmpty() || !holdsCatalogue(sample))
        return QStringLiteral("The data folder \"%1\" is empty and there is no sample catalogue in \"%2\" to start it from.")
            .arg(shown(folder), shown(sample));
    const QString parent = QFileInfo(folder).absolutePath();
    if (!QDir().mkpath(parent))
        return QStringLiteral("The folder \"%1\" cannot be created.").arg(shown(parent));
    QTemporaryDir staging(parent + QStringLiteral("/.Data-XXXXXX"));
    if (!staging.isValid())
        return QStringLiteral("The data folder \"%1\" cannot be created: %2.").arg(shown(folder), staging.errorString());

    for (const QFileInfo& file : QDir(sample).entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString copy = staging.filePath(file.fileName());
        if (!QFile::copy(file.absoluteFilePath(), copy))
            return QStringLiteral("The sample file \"%1\" cannot be copied to \"%2\".")
                .arg(shown(file.absoluteFilePath()), shown(folder));
        // Installed files may be read-only; the user's copy is theirs to change.
        QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ReadOwner | QFile::WriteOwner);
    }
    // An empty folder gives way to the copy. A second copy of the program started at the same
    // moment (a double-click on the launcher) may have put its copy in place first; that one serves.
    const bool placed = (!QFileInfo(folder).isDir() || QDir().rmdir(folder)) && QDir().rename(staging.path(), folder);
    if (placed)
        staging.setAutoRemove(false);
    else if (!holdsCatalogue(folder))
        return QStringLiteral("The data folder \"%1\" cannot be created.").arg(shown(folder));
    return {};
}

DataFolderChoice open(const QString& wanted, const QString& sample)
{
    DataFolderChoice choice;
    // An empty path would otherwise mean the current folder.
    if (wanted.isEmpty()) {
        choice.problem = QStringLiteral("There is no folder for the catalogues: the per-user data folder is unknown.");
        return choice;
    }
    const QString folder = QDir::cleanPath(QFileInfo(wanted).absoluteFilePath());
    if (!holdsCatalogue(folder)) {
        if (!isMissingOrEmpty(folder)) {
            choice.problem = QStringLiteral("The folder \"%1\" holds no catalogue (Tempalates.app and Values.app).")
                                 .arg(shown(folder));
            return choice;
        }
        choice.problem = seedProblem(folder, sample);
        if (!choice.problem.isEmpty())
            return choice;
        choice.seeded = true;
    }
    choice.problem = writeProblem(folder);
    if (choice.problem.isEmpty())
        choice.folder = folder;
    return choice;
}

} // namespace

DataFolderChoice ChooseDataFolder(const DataFolderPlaces& places)
{
    if (!places.requested.isEmpty())
        return open(places.requested, places.sample);
    if (QFileInfo(places.besideProgram).isDir() && writeProblem(places.besideProgram).isEmpty())
        return open(places.besideProgram, places.sample);
    return open(places.perUser, places.sample);
}

DataFolderPlaces ProgramDataFolderPlaces(const QString& requested)
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return {requested, program.filePath(QStringLiteral("Data")),
            perUser.isEmpty() ? QString() : perUser + QStringLiteral("/Data"),
            QDir::cleanPath(program.filePath(QStringLiteral(VELLUMATIC_SAMPLE_FROM_PROGRAM)))};
}
