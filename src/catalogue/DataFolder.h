#pragma once

#include <QString>

// The places a data folder can come from, most wanted first.
struct DataFolderPlaces
{
    QString requested;     // --data DIR; empty when not given
    QString besideProgram; // <program folder>/Data, the portable layout
    QString perUser;       // <per-user application data>/Data
    QString sample;        // the installed sample catalogue a new folder starts from
};

// The folder the program opens, or why it cannot open any.
struct DataFolderChoice
{
    QString folder;  // absolute; empty when there is a problem
    QString problem; // a sentence for the user; empty when the folder is ready
    bool seeded = false; // the folder was just made from the sample catalogue
};

// Picks the data folder: the requested one wins; else the one beside the program when it is
// there and writable; else the per-user one. A requested or per-user folder that is missing or
// empty is made from the sample catalogue. A folder that holds no catalogue, or that cannot be
// created or written, is a problem rather than an empty tree whose additions would be lost.
DataFolderChoice ChooseDataFolder(const DataFolderPlaces& places);

// The places of an installed program (and of its command-line tool beside it), from the
// running program's folder and the per-user data folder of the application "Vellumatic".
// Needs a QCoreApplication.
DataFolderPlaces ProgramDataFolderPlaces(const QString& requested);
