#pragma once

#include <QRadioButton>

// An option button of the sub-file panel. Its caption stays whole in text(); on the screen a
// caption too long for the panel is cut with an ellipsis and shows whole as the tooltip.
class SubFileButton : public QRadioButton
{
    Q_OBJECT

public:
    SubFileButton(int index, const QString &caption, QWidget *parent);

    // Its place in the panel: 0 for the template, then 1, 2, ...
    int index() const { return m_index; }
    bool isElided() const;
    // A long caption does not widen the panel: it is cut instead.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect captionRect() const;

    int m_index;
};
