#pragma once

#include "Expansion.h"

#include <QObject>

#include <functional>

class PreviewPanel;
class PreviewUpdates;
class QAbstractButton;
class QSplitter;
class QTextEdit;
class ResultView;
struct PreviewText;

// The live preview beside the template pane: a splitter holding the pane and the preview,
// which follows the pane's text, Compact Style and its own bound numbers. It only reads the
// template pane; the underline it puts under the place a template goes wrong is an extra
// selection, never part of the text.
class TemplatePreview : public QObject
{
    Q_OBJECT

public:
    // `templateKey` names the template the pane belongs to, whose remembered answers the
    // numbers start from.
    TemplatePreview(QTextEdit& templatePane, QAbstractButton& compactStyle, std::function<QString()> templateKey,
                    QWidget* parent);
    ~TemplatePreview() override;

    // The splitter to lay out where the template pane would go.
    QSplitter* splitter() const { return splitter_; }
    ResultView* pane() const;
    PreviewPanel* panel() const { return panel_; }

    bool isShown() const;
    // Shows or hides the preview and remembers the choice.
    void setShown(bool shown);
    // The numbers in the bar while the preview is shown, for Run to start from.
    BoundAnswers shownAnswers() const;

    // A window this wide or wider starts with the preview on until the user chooses.
    static constexpr int kWideWindow = 1001;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPreview(const PreviewText& preview);
    void markError(qsizetype offset);
    int startingNumber(const QString& name) const;
    void rememberSplit() const;

    QTextEdit& templatePane_;
    QAbstractButton& compactStyle_;
    std::function<QString()> templateKey_;
    QSplitter* splitter_;
    PreviewPanel* panel_;
    PreviewUpdates* updates_;
    // The template the bar's numbers belong to.
    QString numbersFor_;
    bool placed_ = false;
};
