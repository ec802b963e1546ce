#pragma once

#include <QLabel>

// A label for a file's path. It never asks its window for room: a path longer than the label
// is cut in the middle with an ellipsis and shows whole as the tooltip, while text() keeps it
// whole.
class PathLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PathLabel(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
    bool isElided() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
