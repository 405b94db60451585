#pragma once

#include <QString>

#include <functional>

class QDate;
class QWidget;

// What a backup did, in words the user is shown.
struct BackupOutcome
{
    bool succeeded = false;
    QString folder; // the dated backup folder
    QString text;   // status text on success, the failed step otherwise
};

// Beside the data folder: <its parent>/Backup/<its name>_<day>-<month>-<year>, numbers without
// leading zeros; for the usual folder named Data that is Backup/Data_9-3-2024.
QString DatedBackupFolder(const QString& dataFolder, const QDate& date);

// Copies everything in the data folder into the dated backup folder of `date`,
// creating the folders as needed and replacing earlier copies of the same files.
// Files a backup of the same day copied earlier stay, even when gone from the data folder since.
BackupOutcome BackupData(const QString& dataFolder, const QDate& date);

// File > Backup: backs up and tells the user, through `showStatus` when it worked and
// a message box naming the failed step when it did not.
void BackupCommand(QWidget* owner, const QString& dataFolder, const QDate& date,
                   const std::function<void(const QString&)>& showStatus);
