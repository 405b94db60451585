#include "PaneFont.h"

#include <QFontDatabase>

namespace {
constexpr int kPanePointSize = 10;
} // namespace

QFont PaneFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kPanePointSize);
    return font;
}
