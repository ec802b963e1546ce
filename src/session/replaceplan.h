#pragma once

#include "pictures/pictureimport.h"

#include <QString>

#include <optional>

// A file chosen to replace the selected record: what the confirmation shows and, once it has
// been answered yes, what the session writes.
struct ReplacePlan
{
    QString file; // the chosen file
    QString gobPath;
    qint32 offset = 0; // catalogue offset of the record
    bool wholeFile = false;
    bool keepAlpha = false; // a bitmap's palette alpha goes into the record too
    std::optional<PictureImport::Plan> picture; // a picture that is no 8-bit bitmap, as stored
};
