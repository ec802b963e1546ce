#pragma once

#include "gobregion.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>

class QFile;
class TrackedFile;

// Bytes of the GOB file as they would read after a series of writes, worked out without
// writing: a base file, with layers of pieces of other files laid over it in order. Undo checks
// what a change left against the GOB file as the newer changes' undos would leave it; package
// status compares the GOB file with the package's bytes and with the bytes before any change.
class Overlay
{
public:
    // GOB byte g of the base lies in base at g + shift.
    Overlay(QFile &base, qint64 shift = 0);
    ~Overlay();

    // GOB bytes [start, start + length) lie in file at fileOffset.
    struct Piece
    {
        qint64 start = 0;
        qint64 length = 0;
        qint64 fileOffset = 0;
    };
    // A layer of pieces of one file, sorted by start and apart; it lies over the ones before.
    void addLayer(const QString &file, const QList<Piece> &pieces);

    // Reads GOB bytes [start, start + length) as the overlay shows them.
    void read(qint64 start, char *data, qint64 length) const;
    // The BLAKE2b-256 hash of a region as the overlay shows it.
    QByteArray hash(const GobRegion &region) const;
    // Whether two overlays show the same bytes in a region.
    static bool same(const Overlay &a, const Overlay &b, const GobRegion &region);

    static constexpr qint64 BlockSize = 1 << 20;

private:
    struct Layer
    {
        QString file;
        QList<Piece> pieces;
    };
    QFile &file(const QString &path) const;

    QFile &m_base;
    qint64 m_shift;
    QList<Layer> m_layers;
    mutable QHash<QString, std::shared_ptr<TrackedFile>> m_files;
};
