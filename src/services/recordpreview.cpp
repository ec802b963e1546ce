#include "recordpreview.h"

#include "imaging.h"

namespace RecordPreview {

namespace {

constexpr qint32 ImageRecordCodes[4] = {MainModule::Rotate180FlipX, MainModule::Rotate90FlipX,
                                        MainModule::RotateNoneFlipX, MainModule::Rotate270FlipX};
constexpr qint32 WholeFileCodes[4] = {MainModule::RotateNoneFlipNone, MainModule::Rotate90FlipNone,
                                      MainModule::Rotate180FlipNone, MainModule::Rotate270FlipNone};

} // namespace

qint32 rotationCode(bool wholeFile, int rotation)
{
    return wholeFile ? WholeFileCodes[rotation & 3] : ImageRecordCodes[rotation & 3];
}

void drawTurned(Canvas &view, bool wholeFile, int rotation, qint32 &width, qint32 &height,
                QString &fileName)
{
    // A whole-file record that holds no picture has no size: none of the previous record's.
    qint32 w = wholeFile ? 0 : width, h = wholeFile ? 0 : height;
    MainModule::DrawImageFile(view, false, rotationCode(wholeFile, rotation), w, h, fileName);
    if (wholeFile) {
        width = w;
        height = h;
    }
}

void drawTransparent(Canvas &view, QString &fileName)
{
    MainModule::DrawTransparentBitmap(view, false, 0, 0, fileName);
}

} // namespace RecordPreview
