#include "folderexport.h"

#include "exportnames.h"
#include "recordexport.h"

#include "records/catalogue.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/fileidentity.h"
#include "services/messages.h"
#include "services/outputfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace FolderExport {

namespace {

// The lines of the folder's manifest, or none when it has no manifest of ours.
QList<ManifestLine> earlierLines(const QString &folder)
{
    try {
        return Manifest::read(folder).lines;
    } catch (const Failure &) {
        return {};
    }
}

// The lines of the files written now, then the earlier lines of the files still there that
// were not written over.
QList<ManifestLine> describedFiles(const QDir &dir, const QList<ManifestLine> &earlier,
                                   const QList<ManifestLine> &written)
{
    QList<ManifestLine> lines = written;
    QSet<QString> named;
    for (const ManifestLine &line : written)
        named.insert(line.name);
    for (const ManifestLine &line : earlier)
        if (!named.contains(line.name) && QFileInfo::exists(dir.filePath(line.name))) {
            lines << line;
            named.insert(line.name);
        }
    return lines;
}

} // namespace

QStringList editedFiles(const QString &folder)
{
    const QDir dir(folder);
    QStringList edited;
    for (const ManifestLine &line : earlierLines(folder)) {
        const QString path = dir.filePath(line.name);
        if (QFileInfo::exists(path) && Manifest::sha256Of(path) != line.sha256)
            edited << line.name;
    }
    return edited;
}

Result run(const QString &cataloguePath, const QString &gobPath, const QList<int> &entries,
           const QString &folder, const std::function<bool(int, int)> &progress,
           const QStringList &keep)
{
    const Catalogue catalogue = Catalogue::read(cataloguePath);
    QList<int> chosen = entries;
    if (chosen.isEmpty())
        for (int k = 0; k < catalogue.entryCount(); ++k)
            chosen << k;

    Result result;
    QList<std::pair<int, CatalogueEntry>> parsed;
    int total = 0;
    for (int k : chosen) {
        try {
            parsed.append({k, catalogue.entry(k)});
            total += parsed.last().second.count();
        } catch (const Failure &failure) {
            result.refused.append({Messages::exportedEntry(k), failure.description()});
        }
    }

    auto gob = FileAccess::openForReading(gobPath);
    if (!QDir().mkpath(folder))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("create"),
                                            FileAccess::displayPath(folder),
                                            Messages::folderNotMade()));
    const QDir dir(folder);
    const QStringList inputs {gobPath, cataloguePath}; // never written over
    const QString manifest = dir.filePath(Manifest::fileName());
    FileIdentity::refuseInputs(manifest, inputs);
    const QList<ManifestLine> earlier = earlierLines(folder);
    // Whatever stops the export, the manifest describes what the folder then holds.
    OutputFolder out(folder);
    const auto writeManifest = [&] {
        OutputFile::write(manifest, Manifest::text(describedFiles(dir, earlier, result.written)));
    };
    const QSet<QString> kept(keep.begin(), keep.end());
    ExportNames names({Manifest::fileName()});
    int done = 0;
    try {
        for (const auto &[k, entry] : parsed) {
            for (int i = 1; i <= entry.count() && !result.cancelled; ++i, ++done) {
                if (progress && !progress(done, total)) {
                    result.cancelled = true;
                    break;
                }
                const SubFile &sub = entry.subFile(i);
                try {
                    const RecordExport::Exported exported = RecordExport::exportOf(*gob, entry, i);
                    const QString name =
                        names.take(entry.description(), sub.caption, exported.suffix);
                    if (kept.contains(name)) {
                        result.kept << name;
                        continue;
                    }
                    const QString target = dir.filePath(name);
                    FileIdentity::refuseInputs(target, inputs);
                    out.write(target, exported.bytes);
                    result.written.append(
                        {name, k, i, sub.offset, exported.kind, Manifest::sha256(exported.bytes)});
                } catch (const Failure &failure) {
                    // A file that cannot be written, or would land on an input, stops the export.
                    if (failure.number() != FailureNumber::BadRecord)
                        throw;
                    result.refused.append({Messages::exportedSubFile(k, i), failure.description()});
                }
            }
            if (result.cancelled)
                break;
        }
    } catch (const Failure &) {
        writeManifest();
        try {
            out.finish();
        } catch (const Failure &) {
            // The first failure is the one to report.
        }
        throw;
    }
    writeManifest();
    out.finish();
    if (progress && !result.cancelled)
        progress(done, total);
    return result;
}

} // namespace FolderExport
