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

namespace FolderExport {

Result run(const QString &cataloguePath, const QString &gobPath, const QList<int> &entries,
           const QString &folder, const std::function<bool(int, int)> &progress)
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
                                            QStringLiteral("the folder cannot be made")));
    const QDir dir(folder);
    const QStringList inputs {gobPath, cataloguePath}; // never written over
    ExportNames names({Manifest::fileName()});
    int done = 0;
    for (const auto &[k, entry] : parsed) {
        for (int i = 1; i <= entry.count(); ++i, ++done) {
            if (progress && !progress(done, total)) {
                result.cancelled = true;
                break;
            }
            const SubFile &sub = entry.subFile(i);
            try {
                const RecordExport::Exported exported = RecordExport::exportOf(*gob, entry, i);
                const QString name = names.take(entry.description(), sub.caption, exported.suffix);
                const QString target = dir.filePath(name);
                FileIdentity::refuseInputs(target, inputs);
                OutputFile::write(target, exported.bytes);
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
    const QString manifest = dir.filePath(Manifest::fileName());
    FileIdentity::refuseInputs(manifest, inputs);
    OutputFile::write(manifest, Manifest::text(result.written));
    if (progress && !result.cancelled)
        progress(done, total);
    return result;
}

} // namespace FolderExport
