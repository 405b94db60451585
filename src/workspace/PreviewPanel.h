#pragma once

#include "Expansion.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class QHBoxLayout;
class QLabel;
class QSpinBox;
class ResultView;
struct PreviewText;

// The preview's controls: a bar with a number box per bound name (`previewBounds`, boxes
// `previewBound0`, `previewBound1`, ...) over a read-only pane (`previewPane`) shown in the
// result pane's font and colours.
class PreviewPanel : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    ResultView* pane() const { return pane_; }

    // One box per name, in order; a name already in the bar keeps its number, a new one
    // starts from `startFor(name)`. Boxes are rebuilt only when the names changed.
    void setBoundNames(const QStringList& names, const std::function<int(const QString& name)>& startFor);
    QStringList boundNames() const { return names_; }
    BoundAnswers answers() const;

    void show(const PreviewText& preview);

signals:
    // The user changed a number.
    void answersChanged();

private:
    // A piece of the preview shown in one turn of the event loop.
    static constexpr int kLinesPerPiece = 200; // whole paragraphs of the pane's grouping
    static qsizetype pieceEnd(const QString& text, qsizetype from);
    void showMore();

    QWidget* bar_;
    QHBoxLayout* boxes_;
    ResultView* pane_;
    QStringList names_;
    QList<QLabel*> labels_;
    QList<QSpinBox*> spinBoxes_;
    // What is still to be shown, and where the reader was.
    QString rest_;
    int top_ = 0;
    QTimer pieces_;
};
