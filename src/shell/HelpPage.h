#pragma once

#include <QString>

// The help window's page: what the program does and how templates are written.
QString HelpPageHtml();
