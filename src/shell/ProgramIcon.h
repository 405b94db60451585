#pragma once

#include <QIcon>

// The program's own icon, the one the launcher shows, in every size it is drawn at.
QIcon ProgramIcon();
