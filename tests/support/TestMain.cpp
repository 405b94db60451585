#include <QApplication>
#include <gmock/gmock.h>

// Widgets are tested for real, without a display: the offscreen platform unless the caller chose one.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vellumatic");
    QApplication::setOrganizationName("Vellumatic");
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
