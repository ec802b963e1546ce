#pragma once

#include "gobpatches.h"
#include "recordpicture.h"

#include <QString>

#include <functional>

class BitmapLayout;

// Any picture of an image record's size into that record: what the record will hold is worked
// out in full before the GOB file is opened for writing.
//  - A picture with a palette (an indexed PNG, a GIF, a bitmap read as it is) keeps its indexes,
//    colours and alpha exactly; entries it does not have become opaque black.
//  - A true-colour picture whose every colour, alpha included, is in the record's palette keeps
//    the palette: each pixel keeps its index when the record's colour there is the same, else
//    takes the first entry of that colour; a fully transparent pixel may take the first entry of
//    alpha 0.
//  - Any other picture is reduced to at most 256 colours with alpha (Quantizer).
namespace PictureImport {

enum class Outcome { Exact, PaletteKept, Quantized };

struct Plan
{
    QString gobPath;
    RecordPicture before; // the record as it is
    RecordPicture after; // the record as it will be
    Outcome outcome = Outcome::Exact;
    int colours = 0; // entries a quantized picture uses
    double meanError = 0; // see meanError()
    QString name; // how the history names the record ("Kits/Home/Shirt")
    WithoutUndo withoutUndo; // what to do when the history cannot keep the change

    GobPatch patch() const { return {after.pixelsStart(), after.storedBytes()}; }
    // "exact", "record palette kept" or "quantized to N colours, mean error E".
    QString description() const;
};

// Whether the file is an 8-bit bitmap stored plainly, which the bitmap import writes as it is
// (with its alpha bytes only when asked); every other picture for an image record comes through
// here.
bool isBitmap8(const QString &path);
bool isBitmap8(const BitmapLayout &layout);

// How the picture's rows map to the record's. A bitmap's stored rows are the record's rows, so
// the top row a viewer shows is the record's last; every other picture goes in as it looks, its
// top row the record's first (the top of the preview). PNG files exported before the record's
// first row was their top row are read the bitmap's way.
enum class Rows { AsItLooks, TopRowLast };

// Reads the record and the picture; throws the record's failures, and failure 481 naming the
// picture when it cannot be read as one (with the reader's reason) or its width or height
// differs from the record's. A picture that is not a bitmap takes rows.
Plan check(const QString &gobPath, qint32 catalogueOffset, const QString &picturePath,
           Rows rows = Rows::AsItLooks);

// The same for a picture already loaded.
Plan plan(const QString &gobPath, RecordPicture before, const QImage &picture,
          const QString &picturePath, Rows rows);

// Writes the pixels and the palette as one change of kind "picture".
void write(const Plan &plan, const std::function<void()> &pendingEvents = {});

// How far the stored picture is from the original: the mean over all pixels and the four
// channels of the difference, on the scale 0 to 255, of red, green and blue weighted by their
// alpha (what the picture shows over black) and of alpha itself.
double meanError(const QImage &original, const RecordPicture &stored);

} // namespace PictureImport
