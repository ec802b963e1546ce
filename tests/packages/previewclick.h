#pragma once

#include "tools/frmpackagepreview.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Answers the package preview that the next import shows with Apply all, once every state is
// known; the summary it showed then goes to summary.
inline void clickPreviewWhenShown(QString *summary = nullptr)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        auto *preview = qobject_cast<frmPackagePreview *>(QApplication::activeModalWidget());
        if (!preview || preview->lblSummary->text().startsWith(QStringLiteral("Looking")))
            return;
        if (summary)
            *summary = preview->lblSummary->text();
        QTest::mouseClick(preview->cmdApply, Qt::LeftButton);
        poll->deleteLater();
    });
    poll->start(5);
}
