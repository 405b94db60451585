// A Qt generic plugin that stands in for a hurried user of an installed, unchanged vellumatic:
// loaded through QT_QPA_GENERIC_PLUGINS, it waits for the main window, does what its plugin key
// asks, prints what it saw on standard output and quits the program.
//   vellumatic-user:shown          quit as soon as the main window is shown
//   vellumatic-user:add-value=NAME type NAME into the value box and press its Add button
//   vellumatic-user:report=FILE    leave the program to a real user (xdotool) and keep FILE telling
//                                  where the controls are, in screen pixels (see writeReport)
// A message box shown instead of the main window is printed and answered. The wall-clock time
// of the main window's first paint (of any part of it) is printed as "painted-at: <ns since the epoch>" for the
// start-up benchmark.
#include <QApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTextEdit>
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
        const bool reporting = task_.startsWith(QLatin1String("report="));
        if (reporting && painted_) {
            poll_.setInterval(50);
            if (QWidget* main = shownMainWindow())
                writeReport(main, task_.mid(7));
            return;
        }
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

    // One line a thing, rewritten whole when it changes:
    //   control NAME X Y W H    a shown, named widget of the main window or of a dialog over it
    //   menu CAPTION X Y W H    a menu title, or an item of the menu that is open
    //   modal NAME              the modal window that has the input, if any
    //   caret NAME X Y          a point on the first selected character of a text pane
    //   chars NAME N            the number of characters a text pane holds
    void writeReport(QWidget* main, const QString& file)
    {
        QString report;
        auto line = [&report](const QString& kind, const QString& name, const QRect& r) {
            report += QStringLiteral("%1 %2 %3 %4 %5 %6\n").arg(kind, name).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        auto global = [](const QWidget* w, const QRect& r) { return QRect(w->mapToGlobal(r.topLeft()), r.size()); };
        QList<QWidget*> windows{main};
        if (QWidget* modal = QApplication::activeModalWidget()) {
            windows << modal;
            report += QStringLiteral("modal %1\n").arg(modal->objectName().isEmpty() ? QString::fromLatin1(modal->metaObject()->className()) : modal->objectName());
        }
        for (QWidget* window : windows)
            for (QWidget* w : window->findChildren<QWidget*>())
                if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) && w->isVisible())
                    line(QStringLiteral("control"), w->objectName(), global(w, w->rect()));
        auto menuLines = [&](const QWidget* owner, const QList<QAction*>& actions, auto geometry) {
            for (QAction* a : actions)
                if (a->isVisible() && !a->isSeparator() && !geometry(a).isEmpty())
                    line(QStringLiteral("menu"), a->text().remove(u' '), global(owner, geometry(a)));
        };
        if (auto* bar = main->findChild<QMenuBar*>())
            menuLines(bar, bar->actions(), [bar](QAction* a) { return bar->actionGeometry(a); });
        if (auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            menuLines(open, open->actions(), [open](QAction* a) { return open->actionGeometry(a); });
        for (auto* pane : main->findChildren<QTextEdit*>()) {
            QTextCursor first(pane->document());
            first.setPosition(std::min(pane->textCursor().selectionStart() + 1, pane->document()->characterCount() - 1));
            const QPoint caret = pane->viewport()->mapToGlobal(pane->cursorRect(first).center());
            report += QStringLiteral("caret %1 %2 %3\nchars %1 %4\n").arg(pane->objectName()).arg(caret.x()).arg(caret.y()).arg(pane->document()->characterCount() - 1);
        }
        if (report == reported_)
            return;
        reported_ = report;
        QSaveFile out(file);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(report.toUtf8());
            out.commit();
        }
    }

    QString task_;
    QString reported_;
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
