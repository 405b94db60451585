#include "DataBackup.h"

#include "BusyCursor.h"
#include "Dialogs.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString fromPath(const fs::path& path)
{
    return QDir::toNativeSeparators(QFile::decodeName(path.c_str()));
}

QString reason(const std::error_code& error)
{
    return QString::fromLocal8Bit(error.message());
}

BackupOutcome failed(const QString& folder, const QString& text)
{
    return {false, folder, QStringLiteral("Backup failed: ") + text};
}

// Creating a folder that is already there is fine: a second backup on the same day reuses it.
QString createFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return QStringLiteral("cannot create the folder \"%1\": %2.").arg(fromPath(folder), reason(error));
    return {};
}

// Copies the tree below `from` into `to`, overwriting; returns the failure, empty when none.
QString copyTree(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::path current = from;
    for (fs::recursive_directory_iterator entry(from, error), end; !error && entry != end; entry.increment(error)) {
        current = entry->path();
        const fs::path target = to / current.lexically_relative(from);
        if (entry->is_directory(error))
            fs::create_directories(target, error);
        else if (!error && entry->is_regular_file(error))
            fs::copy_file(current, target, fs::copy_options::overwrite_existing, error);
        if (error)
            return QStringLiteral("cannot copy \"%1\" to \"%2\": %3.")
                .arg(fromPath(current), fromPath(target), reason(error));
    }
    if (error)
        return QStringLiteral("cannot read \"%1\": %2.").arg(fromPath(current), reason(error));
    return {};
}

} // namespace

QString DatedBackupFolder(const QString& dataFolder, const QDate& date)
{
    const QFileInfo data(QDir::cleanPath(dataFolder));
    return QStringLiteral("%1/Backup/%2_%3-%4-%5")
        .arg(data.absolutePath(), data.fileName())
        .arg(date.day())
        .arg(date.month())
        .arg(date.year());
}

BackupOutcome BackupData(const QString& dataFolder, const QDate& date)
{
    const QString folder = DatedBackupFolder(dataFolder, date);
    if (const QString failure = createFolder(toPath(folder)); !failure.isEmpty())
        return failed(folder, failure);

    const fs::path data = toPath(dataFolder);
    std::error_code error;
    if (!fs::is_directory(data, error))
        return failed(folder, QStringLiteral("there is no data folder \"%1\" to copy.").arg(fromPath(data)));
    if (const QString failure = copyTree(data, toPath(folder)); !failure.isEmpty())
        return failed(folder, failure);
    return {true, folder, QStringLiteral("Data backed up to %1").arg(QDir::toNativeSeparators(folder))};
}

void BackupCommand(QWidget* owner, const QString& dataFolder, const QDate& date,
                   const std::function<void(const QString&)>& showStatus)
{
    BackupOutcome outcome;
    {
        BusyCursor busy;
        outcome = BackupData(dataFolder, date);
    }
    if (outcome.succeeded)
        showStatus(outcome.text);
    else
        Dialogs::current().message(owner, outcome.text, Dialogs::Icon::Critical);
}
