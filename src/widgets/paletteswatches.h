#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

// A colour table as a grid of 16 swatches a row: a click or the arrow keys choose an entry, and
// the chosen one is framed. Entries past the table's length are left empty.
class PaletteSwatches : public QWidget
{
    Q_OBJECT

public:
    explicit PaletteSwatches(QWidget *parent = nullptr);

    void setColours(const QList<QColor> &colours);
    const QList<QColor> &colours() const { return m_colours; }
    // -1 for none; the grid does not announce a choice made here.
    void setCurrentIndex(int index);
    int currentIndex() const { return m_current; }
    // The entry whose swatch holds a place of the widget, or -1.
    int indexAt(QPoint position) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void indexChosen(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int side() const; // pixels of a swatch, frame included
    void choose(int index);

    QList<QColor> m_colours;
    int m_current = -1;
};
