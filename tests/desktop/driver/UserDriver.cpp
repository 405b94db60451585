// A Qt generic plugin that stands in for a hurried user of an installed, unchanged vellumatic:
// loaded through QT_QPA_GENERIC_PLUGINS, it waits for the main window, does what its plugin key
// asks, prints what it saw on standard output and quits the program.
//   vellumatic-user:shown          quit as soon as the main window is shown
//   vellumatic-user:add-value=NAME type NAME into the value box and press its Add button
// A message box shown instead of the main window is printed and answered. The wall-clock time
// of the main window's first paint (of any part of it) is printed as "painted-at: <ns since the epoch>" for the
// start-up benchmark.
#include <QApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

QWidget* shownMainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("MainWindow") && w->isVisible())
            return w;
    return nullptr;
}

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class UserDriver : public QObject
{
public:
    explicit UserDriver(const QString& task)
        : task_(task)
    {
        // Polling keeps the program untouched: nothing in it knows a driver is there.
        connect(&poll_, &QTimer::timeout, this, &UserDriver::look);
        poll_.start(5);
        waited_.start();
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window()->objectName() == QLatin1String("MainWindow")) {
            painted_ = true;
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            say(QStringLiteral("painted-at: %1").arg(qint64(now.tv_sec) * 1000000000 + now.tv_nsec));
            qApp->removeEventFilter(this);
        }
        return false;
    }

private:
    void look()
    {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say(QStringLiteral("message: ") + box->text());
            box->accept();
            return;
        }
        QWidget* main = shownMainWindow();
        if (!main || !painted_) {
            if (waited_.elapsed() > 30000) {
                say(QStringLiteral("no main window"));
                QCoreApplication::exit(3);
            }
            return;
        }
        poll_.stop();
        if (auto* panel = main->findChild<QLabel*>(QStringLiteral("statusPanel")))
            say(QStringLiteral("panel: ") + panel->text());
        if (task_.startsWith(QLatin1String("add-value="))) {
            auto* box = main->findChild<QLineEdit*>(QStringLiteral("valueNameBox"));
            auto* add = main->findChild<QPushButton*>(QStringLiteral("addValueButton"));
            if (!box || !add) {
                say(QStringLiteral("no value box"));
                QCoreApplication::exit(3);
                return;
            }
            if (auto* lists = main->findChild<QTabBar*>(QStringLiteral("catalogueTabs")))
                QTest::mouseClick(lists, Qt::LeftButton, {}, lists->tabRect(1).center());
            if (!box->isVisible()) {
                say(QStringLiteral("the value box stayed hidden"));
                QCoreApplication::exit(3);
                return;
            }
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClicks(box, task_.mid(10));
            QTest::mouseClick(add, Qt::LeftButton);
            say(QStringLiteral("added: ") + task_.mid(10));
        }
        main->close();
    }

    QString task_;
    bool painted_ = false;
    QTimer poll_;
    QElapsedTimer waited_;
};

} // namespace

class UserDriverPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "UserDriver.json")

public:
    QObject* create(const QString&, const QString& request) override { return new UserDriver(request); }
};

#include "UserDriver.moc"
