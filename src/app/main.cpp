#include "DialogFailureReporter.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumatic"));
    QApplication::setOrganizationName(QStringLiteral("Vellumatic"));

    DialogFailureReporter failures;
    FailureReporter::install(&failures);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vellumatic"));
    window.show();
    return app.exec();
}
