#pragma once

#include <QLabel>

// A one-line label that never widens its window: a text longer than its room is shown with its
// middle left out ("/home/…/show.vnr"), so a long path or notice keeps its start and its end, and
// the window stays as wide as the screen lets it. text() stays whole (assistive tools and tests
// read it), and so does the tool tip, which shows it all.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
