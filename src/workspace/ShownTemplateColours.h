#pragma once

#include <QObject>

class QTextEdit;

// Paints the template pane's stored colours in colours that read on the pane's base
// (ShownColours): just before the pane paints, the lines it is about to paint get layout
// formats over their stored colours. The document keeps the stored colours, so a body is
// written byte for byte as it was read, whatever the desktop's palette; a palette change
// repaints in the new one.
class ShownTemplateColours : public QObject
{
public:
    explicit ShownTemplateColours(QTextEdit& pane);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void colourVisibleBlocks();

    QTextEdit& pane_;
};
