#pragma once

#include <QLabel>

// A status bar panel for one line of text of any length: it takes the width the status bar
// gives it and never asks for more, shows as much of the text as fits, cut with an ellipsis,
// and the whole text in its tool-tip. A long hint therefore never widens the window.
class StatusPanel : public QLabel
{
public:
    explicit StatusPanel(QWidget* parent);

    // `about` is the tool-tip, and follows the text in it, on a line of its own.
    void setAbout(const QString& about);
    void setPanelText(const QString& text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString about_;
};
