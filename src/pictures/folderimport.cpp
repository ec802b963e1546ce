#include "folderimport.h"

#include "pictureimport.h"

#include "records/catalogue.h"
#include "records/pngimport.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QDir>
#include <QSet>

#include <map>

namespace FolderImport {

namespace {

// The picture scaled to fit side x side; an image record's mirrored top to bottom, as the main
// preview shows it.
QImage thumbnail(const QImage &image, int side, bool imageRecord)
{
    if (image.isNull())
        return image;
    const QImage scaled = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return imageRecord ? scaled.mirrored(false, true) : scaled;
}

// The change for one file of a record of the catalogue; throws the import's refusals.
Change changeOf(const QString &gobPath, const CatalogueEntry &entry, const ManifestLine &line,
                const QString &path, int side)
{
    Change change {line, path, Messages::importedExact(), {}, {}, {}};
    const SubFile &sub = entry.subFile(line.subFile);
    if (!entry.isWholeFile()) {
        const PictureImport::Plan plan = PictureImport::check(
            gobPath, sub.offset, path,
            line.firstRowOnTop ? PictureImport::Rows::AsItLooks : PictureImport::Rows::TopRowLast);
        change.outcome = plan.description();
        change.patch = plan.patch();
        if (side > 0) {
            change.before = thumbnail(plan.before.image(), side, true);
            change.after = thumbnail(plan.after.image(), side, true);
        }
        return change;
    }
    const PngImport::Plan plan = PngImport::check(gobPath, sub.offset, sub.areaSize, path);
    auto file = FileAccess::openForReading(path);
    change.patch = {plan.areaStart, FileAccess::readAt(*file, 0, plan.length)};
    change.patch.bytes.append(QByteArray(plan.areaSize - plan.length, '\0'));
    if (side > 0) {
        auto gob = FileAccess::openForReading(gobPath);
        change.before = thumbnail(
            QImage::fromData(FileAccess::readAt(*gob, plan.areaStart, plan.areaSize)), side, false);
        change.after = thumbnail(QImage::fromData(change.patch.bytes), side, false);
    }
    return change;
}

} // namespace

QList<GobPatch> Plan::patches() const
{
    QList<GobPatch> patches;
    for (const Change &change : changes)
        patches << change.patch;
    return patches;
}

Plan check(const QString &cataloguePath, const QString &gobPath, const QString &folder,
           int thumbnailSide)
{
    const Manifest::Contents manifest = Manifest::read(folder);
    const Catalogue catalogue = Catalogue::read(cataloguePath);
    FileAccess::openForReading(gobPath); // a GOB file that cannot be read refuses the folder
    const QDir dir(folder);
    Plan plan;
    plan.gobPath = gobPath;
    plan.folder = folder;
    for (const QString &problem : manifest.problems)
        plan.refused.append({Manifest::fileName(), problem});

    QSet<QString> listed {Manifest::fileName()};
    std::map<qint32, QString> changedOffsets;
    for (const ManifestLine &line : manifest.lines) {
        listed.insert(line.name);
        const QString path = dir.filePath(line.name);
        const QByteArray hash = Manifest::sha256Of(path);
        if (hash.isEmpty()) {
            plan.refused.append({line.name, Messages::exportedFileMissing()});
            continue;
        }
        if (hash == line.sha256) {
            ++plan.unchanged;
            continue;
        }
        try {
            const Failure notInCatalogue(
                FailureNumber::BadCatalogue,
                Messages::recordNotInCatalogue(line.entry, line.subFile, line.offset));
            if (line.entry >= catalogue.entryCount())
                throw notInCatalogue;
            const CatalogueEntry entry = catalogue.entry(line.entry);
            if (line.subFile > entry.count() || entry.subFile(line.subFile).offset != line.offset
                || entry.kind() != line.kind)
                throw notInCatalogue;
            if (const auto twice = changedOffsets.find(line.offset); twice != changedOffsets.end())
                throw Failure(FailureNumber::BadCatalogue,
                              Messages::recordNamedTwice(twice->second));
            plan.changes << changeOf(gobPath, entry, line, path, thumbnailSide);
            changedOffsets[line.offset] = line.name;
        } catch (const Failure &failure) {
            plan.refused.append({line.name, failure.description()});
        }
    }
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        if (!listed.contains(name))
            plan.unlisted << name;
    return plan;
}

void write(const Plan &plan, const std::function<void()> &pendingEvents)
{
    GobPatches::write(plan.gobPath,
                      {ChangeKind::Folder, QDir::toNativeSeparators(plan.folder), plan.withoutUndo},
                      plan.patches(), pendingEvents);
}

} // namespace FolderImport
