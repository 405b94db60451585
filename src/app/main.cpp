#include "DialogFailureReporter.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumatic"));
    QApplication::setOrganizationName(QStringLiteral("Vellumatic"));

    DialogFailureReporter failures;
    FailureReporter::install(&failures);

    frmMain window(QCoreApplication::applicationDirPath());
    window.show();
    return app.exec();
}
