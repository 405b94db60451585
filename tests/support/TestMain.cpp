#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gmock/gmock.h>

// Widgets are tested for real, without a display: the offscreen platform unless the caller chose one.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vellumatic");
    QApplication::setOrganizationName("Vellumatic");
    // What the program remembers goes to a folder of this run, never to the user's own settings.
    QTemporaryDir settingsDir;
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsDir.path());
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
