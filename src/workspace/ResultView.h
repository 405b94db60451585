#pragma once

#include "ResultDocument.h"

#include <QPlainTextEdit>

// The result pane: a plain text view over a ResultDocument that colours the markers of the
// lines it is about to paint, so a million-line result costs no more to show than a screenful.
class ResultView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ResultView(QWidget* parent = nullptr);

    ResultDocument* resultDocument() const { return document_; }

    // Shows a new result: the document replaced, the caret at its end with nothing selected.
    void showResult(QString text, ResultDocument::Markers markers = ResultDocument::Markers::Red);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void colourVisibleBlocks();

    ResultDocument* document_;
};
