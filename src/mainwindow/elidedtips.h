#pragma once

#include <QObject>

class QListWidget;

// Shows the whole text of a list row as its tooltip when the row is too narrow for it: rows of
// one height and width are cut with an ellipsis instead of widening the list.
class ElidedTips : public QObject
{
public:
    explicit ElidedTips(QListWidget *list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QListWidget *m_list;
};
