// Files dropped onto the main window: a picture onto the preview goes through the import
// command and its confirmation, a package anywhere through Import as Zip.
#include "frmmain.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

frmMain::Drop frmMain::dropOf(const QMimeData *data, QPoint pos, QString *path) const
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return Drop::None;
    const QString file = urls.first().toLocalFile();
    if (!QFileInfo(file).isFile())
        return Drop::None;
    if (path)
        *path = file;
    if (file.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
        return cmdImportZip->isEnabled() ? Drop::Package : Drop::None;
    const QRect preview(previewArea->mapTo(this, QPoint(0, 0)), previewArea->size());
    if (!preview.contains(pos) || !cmdImport->isEnabled())
        return Drop::None;
    for (const FileFilter &filter : importFilters()) {
        if (QDir::match(filter.pattern, QFileInfo(file).fileName()))
            return Drop::Picture;
    }
    return Drop::None;
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    // A picture may be dragged in elsewhere and only then over the preview.
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().size() == 1)
        event->acceptProposedAction();
}

void frmMain::dragMoveEvent(QDragMoveEvent *event)
{
    if (dropOf(event->mimeData(), event->position().toPoint()) != Drop::None)
        event->acceptProposedAction();
    else
        event->ignore();
}

void frmMain::dropEvent(QDropEvent *event)
{
    QString path;
    const Drop drop = dropOf(event->mimeData(), event->position().toPoint(), &path);
    if (drop == Drop::None) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The import asks questions in windows of its own: the program that the file came from
    // hears that the drop is done first.
    QTimer::singleShot(0, this, [this, drop, path] {
        if (drop == Drop::Package)
            importPackage(path);
        else
            importFile(path);
    });
}
