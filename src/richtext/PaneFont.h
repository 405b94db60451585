#pragma once

#include <QFont>

// The panes' font: templates are code, so a fixed-pitch font, and one size everywhere so that
// the RTF we store carries no size of its own on any machine. Needs a QGuiApplication.
QFont PaneFont();
