#pragma once

#include <QString>

// What a change to a GOB file did. The history, the Undo and Redo commands and the History
// window tell changes apart by this, never by a text; the change file keeps the kind's name.
enum class ChangeKind {
    Bitmap, // a record replaced by a 256-colour bitmap
    Png, // a whole-file area replaced by a file
    Picture, // a record replaced by a picture of another kind, converted
    Folder, // a folder of pictures imported as one change
    Package, // a package applied
    Remove, // an applied package taken out again, whichever came after it
    Other, // a kind this program does not know (made by a newer one)
};

// "bitmap", "png", "picture", "folder", "package", "remove"; "change" for Other.
QString nameOf(ChangeKind kind);
// The kind a name stands for; Other for a name no kind has.
ChangeKind changeKindNamed(const QString &name);
// How the commands name a change: the kind and what it changed ("bitmap Kits/Home/File 1").
QString describe(ChangeKind kind, const QString &subject);
