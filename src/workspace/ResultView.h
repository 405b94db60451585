#pragma once

#include "ResultDocument.h"

#include <QPlainTextEdit>

// The result pane: a plain text view over a ResultDocument that colours the markers of the
// lines it is about to paint, so a million-line result costs no more to show than a screenful.
// Text follows the palette; markers show in a red that reads on its base (ShownColours).
class ResultView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ResultView(QWidget* parent = nullptr);

    ResultDocument* resultDocument() const { return document_; }

    // Shows a new result: the document replaced, the caret at its end with nothing selected.
    void showResult(QString text, ResultDocument::Markers markers = ResultDocument::Markers::Red);

    // The colour markers show in under the pane's palette.
    QColor markerColour() const;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void colourVisibleBlocks();

    ResultDocument* document_;
};
