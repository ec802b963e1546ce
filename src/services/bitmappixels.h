#pragma once

#include <QImage>
#include <QString>

class BitmapLayout;
class QFile;

// The pixels of a bitmap, decoded strictly: every depth the layout reader takes (1, 4 and 8 bits
// with a colour table, 16 and 32 with their bit fields, 24), and run-length 4 and 8 with every
// run checked against its row and the picture. A file that is damaged or unusual is refused
// with what is wrong; it never becomes a picture with guessed pixels.
namespace BitmapPixels {

// Whether decode() takes the file: readable as stored rows, or run-length encoded and
// otherwise sound.
bool decodable(const BitmapLayout &layout);

// Whether the bit fields of a 16- or 32-bit bitmap neither overlap, have gaps nor reach past
// the pixel's bits: only then do they name a colour.
bool masksSound(const BitmapLayout &layout);

// One stored row unpacked into a line of the picture decode() makes: the colour indexes for 1,
// 4 and 8 bits, 32-bit colours for the others.
void unpackRow(const BitmapLayout &layout, const uchar *stored, uchar *line);

// The picture, top row first as a viewer shows it: Format_Indexed8 with 256 colours (black past
// the file's table) for 1, 4 and 8 bits, ARGB32 where the header has an alpha mask, else RGB32.
// Throws failure 481 naming the file (path) when the layout is not decodable, a pixel names a
// colour past the table, a run passes the end of its row or of the picture, the bit fields
// overlap or have gaps, or the file ends early.
QImage decode(QFile &file, const BitmapLayout &layout, const QString &path);

} // namespace BitmapPixels
