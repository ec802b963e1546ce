#pragma once

#include <QColor>
#include <QWidget>

// The package window's progress display: a blue bar from the left edge across p percent of the
// box and the number p followed by "%", the number centred, red below 55 and white from 55.
class ProgressDisplay : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressDisplay(QWidget *parent = nullptr);

    static QColor fillColour(); // blue, the colour value 16711680
    static QColor textColour(int percent); // red (255) below 55, white (16777215) from 55

    // Draws the bar and the text for p (0 to 100) at once, so that the box moves during long
    // work.
    void setPercent(int percent);
    // Clears the box: no bar and no text; the text colour goes back to red.
    void clear();

    int percent() const { return m_percent; } // -1 when cleared
    QColor currentTextColour() const { return m_textColour; }

signals:
    void percentShown(int percent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_percent = -1;
    QColor m_textColour = textColour(0);
};
