#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Every text that the program shows to the user, in one place. The quoted texts of the program
// are kept exactly as they have always read, misspellings included, because users know them.
namespace Messages {

// Title of every message box unless a caller gives its own.
QString defaultTitle();
// The About dialog's title and its licence paragraph (HTML, the licence a link).
QString aboutTitle();
// The palette editor's title with the bitmap it edits.
QString paletteEditorTitle(const QString &fileName);
QString licenceHtml();

// --- files ---
QString fileFailure(const QString &action, const QString &path, const QString &reason);
// The reasons that fileFailure() and the picture messages give.
QString folderNotMade(); // "the folder could not be made"
QString fileDoesNotExist();
QString fileNotRemoved();
QString changedWhileRead();
QString onlyTgaReplaced();
QString isAFolder(); // "it is a folder"
QString fileIsEmpty();
// The descriptions of the failures that number conversion and imaging throw.
QString typeMismatch(); // "Type mismatch"
QString overflow(); // "Overflow"
QString cannotLoadFile(); // "Cannot load file"
QString saveDialogTitle(); // "Select where you want to save"
QString bitFields(); // a bitmap's compression: "bit fields"
QString compressionNumber(qint32 compression);
QString noReplacedFilesLine(); // "(no line in Replaced Files.txt)"
QString unexpectedEnd(const QString &path, qint64 position, qint64 length);
QString pathTooLong(const QString &path);
QString outputIsInput(const QString &output, const QString &input);
QString replaceExisting(const QString &path); // the question before a file is replaced

// --- catalogue ---
QString catalogueMissing(const QString &folder);
QString badBooleanSetting(const QString &key, const QString &value);
QString catalogueNoEntries(const QString &path);
QString catalogueTooShort(const QString &path);
QString catalogueLineFeedsOnly(const QString &path); // lines that end in LF without CR
QString catalogueLineMissing(const QString &path, int lineNumber);
// "PATH line N", the line that the messages below are about.
QString catalogueLine(const QString &path, int lineNumber);
QString catalogueLineEmpty(const QString &line);
QString catalogueNoDescription(const QString &line);
QString catalogueBadCount(const QString &line, const QString &value);
QString catalogueTooFewFields(const QString &line, int count, int needed, int found);
QString catalogueBadOffset(const QString &line, int subFile, const QString &value);
QString catalogueBadSize(const QString &line, int subFile, const QString &value);

// --- records ---
QString recordBadSize(qint64 offset, qint32 width, qint32 height);
QString recordOutsideFile(const QString &gobPath, qint64 offset, qint64 end, qint64 fileSize);
QString selectGobFile(); // "Please select torvane_pc.gob file"
QString gobFileGone(const QString &path); // a GOB file of the recent list that is no longer there
QString nothingShown(); // the preview's text while no record is shown
// The status bar's words on the pixel under the pointer, its colour 0xAARRGGBB (a QRgb, kept as
// a plain number so that the texts need no Qt Gui); index -1 when it has none.
QString pixelUnderPointer(int x, int y, unsigned int colour, int index);
// The status bar's words on the preview's zoom, in percent.
QString zoomPercent(double scale);
// The backup option of the main window and of the package window.
QString backupTip();

// --- importing into a record ---
QString widthNotSame(const QString &path);
QString heightNotSame(const QString &path);
QString not256Colours(const QString &path);
QString importedSuccessfully(); // "Imported Successfully"
QString fileSizeTooLong(); // "File size is too long"
QString imageTypeNotSame(); // "Image type are not same"
// A bitmap whose layout cannot be read, each naming the file.
QString notABitmap(const QString &path);
QString bitmapHeaderSize(const QString &path, qint32 headerSize);
QString bitmapHeaderTooShort(const QString &path, qint64 length, qint64 needed);
QString bitmapCompressed(const QString &path, const QString &compression); // "RLE"
QString bitmapBitCount(const QString &path, int bits);
QString bitmapBadSize(const QString &path, qint32 width, qint64 height);
QString bitmapColourCount(const QString &path, qint32 coloursUsed, int bits);
QString bitmapPixelOffsetInHeader(const QString &path, qint64 pixelOffset, qint64 tableEnd);
QString bitmapPixelsTooShort(const QString &path, qint64 length, qint32 w, qint32 h,
                             qint64 pixelOffset);
// What the strict picture readers refuse, each naming the file; x and y count from the top left.
QString bitmapIndexPastTable(const QString &path, int index, int entries, int x, int y);
QString bitmapBadMasks(const QString &path);
QString bitmapRunPastRow(const QString &path, qint64 offset, qint64 row);
QString bitmapRunPastPicture(const QString &path, qint64 offset);
QString bitmapRunsEndEarly(const QString &path, qint64 length);
QString pngNotRead(const QString &path, const QString &reason);
QString pngIndexPastPalette(const QString &path, int index, int entries, int x, int y);
QString pictureTooLarge(const QString &path, qint64 width, qint64 height);
QString pictureNotOpened(const QString &path, const QString &reason);
QString pictureEmpty(const QString &path);
QString confirmTitle(); // "Torvane Kestrix      Preview"
// The main window's title, led by the GOB file's name when one is chosen.
QString mainTitle(const QString &gobName);
// What the last command did, for the main window's status bar.
QString statusImported(const QString &record, const QString &gobName);
QString statusSaved(const QString &path);
QString statusUndone(const QString &change); // "Undone bitmap Kits/Home/File 1"
QString statusRedone(const QString &change);

// --- palette editor ---
QString notA256ColourBitmap(const QString &path);
QString numberNotBetween(); // "Number is not between 0-255"
QString done(); // "Done"
QString typeTransparency(); // "Type transparency value 255 - 0"

QString paletteIndexOutOfRange(const QString &value, int entries);
QString paletteWithoutAlpha(const QString &path);

// --- converter ---
QString cannotSaveImage(int status); // "Cannot save the image. GDI+ Error:" and the status
QString jpegSizeOutOfRange(const QString &which, qint32 value);
QString cannotLoadPicture(const QString &path);

// --- packages ---
QString successfullyDone(); // "Sucessfully done"
QString zipError(int result); // "2 error"
QString zipError(int result, const QString &reason); // "2 error", and the reason on a line below
QString notKxZip(); // "Its not a KX Zip file"
// "Imported Sucessfully" CR LF result, and the backup package written, if any, on a third line
QString importedSucessfully(int moveResult, const QString &backupPath = QString());
QString zipComment();

// --- package window, making and importing packages, zip services ---
QString zipLibraryNotice();
QString selectedItems(); // "Selected Items "
QString selectedItems(int count); // "Selected Items 3"
QString subItemCount(int count); // "3 items"
QString typeToAddManually(); // "Type to add manually" CR LF "Offset,Size(bytes),Description"
QString noOtherItems();
QString itemNeedsThreeFields(const QString &text, const QString &layout);
QString itemNoDescription(const QString &text);
QString itemBadPosition(const QString &text, const QString &position);
QString itemBadSize(const QString &text, const QString &size);
QString includeReadme(); // "Do you want to include a readme"
QString selectReadmeTitle(); // "Select the readme file"
QString selectZipToImportTitle(); // "Select the zip file to import"
QString replaceQuestionTitle(); // "Do you want to replace the following file(s)"
QString replacedCount(int count); // "2 files:", the line above the replace question's list
QString passwordPrompt(); // "Please Enter The Password!"
QString packageItem(int item, const QString &description); // Item 2 "Kits/Away"
QString packageRecord(int record, const QString &line); // the package's record 2 "Kits/Away"
QString negativeOffset(const QString &subject, qint64 offset);
QString negativeSize(const QString &subject, qint64 size);
QString regionPastEnd(const QString &subject, qint64 start, qint64 end, const QString &gobPath,
                      qint64 gobSize);
QString nothingWritten(const QString &reason); // a refused make
QString packageRefused(const QString &reason); // a refused import
QString fileDataTooShort(const QString &fileData, qint64 length, qint64 needed);
QString gobNotWritable(const QString &gobPath);
QString backupNotWritten(const QString &backupPath, const QString &reason);
QString packageNotUnpacked(const QString &package, int result, const QString &reason);
QString unsafeEntryName(const QString &name);
QString packageExpandsTooFar(qint64 bytes, qint64 bound);
QString entryLongerThanSaid();
QString entryNameRepeated(const QString &name);
QString zipAdding(const QString &name, int percent, bool deflated);
QString zipFileMissing(const QString &path);
QString nothingImported();
QString noPackageWindow();
// --- kestrix-cli: preview, info and import ---
QString notAnImage(const QString &path);
// "Sub file 1 of entry 7 in PATH", a record as the command line names it.
QString subFileOfEntry(int entry, int subFile, const QString &gobPath);
// "Image type are not same" with both sizes and pixel formats on a second line.
QString imageTypeNotSameAs(qint32 recordWidth, qint32 recordHeight, qint32 recordFormat,
                           qint32 fileWidth, qint32 fileHeight, qint32 fileFormat);
QString rotateValue(const QString &value);
QString transparentNotTurned();
QString transparentForBitmapsOnly(int entry);

// --- history of changes, undo and recovery ---
// A time as ISO 8601 in local time with its offset: "2024-05-01T14:03:22+02:00".
QString isoTime(const QDateTime &time);
QString byteSize(qint64 bytes); // "1.0 GiB"
// "bitmap, Kits/Home/File 1, 2024-05-01T14:03:22+02:00", a change as messages name it.
QString changeNamed(const QString &kind, const QString &description, const QDateTime &time);
// "3 (bitmap, ...)", a change with its number in the history.
QString changeNumbered(int number, const QString &kind, const QString &description,
                       const QDateTime &time);
QString changeInterrupted(const QString &gobPath, const QString &change);
QString undoInterrupted(const QString &gobPath, const QString &change);
QString redoInterrupted(const QString &gobPath, const QString &change);
QString historyFileDamaged(const QString &path, const QString &what);
QString historyHeadUnreadable();
// A change file whose HEAD is readable: its number and what it is.
QString historyChangeDamaged(const QString &path, const QString &change, const QString &what);
QString historyRecordDamaged();
QString historyOutOfOrder();
QString historyNotPutBack();
QString gobReplaced(const QString &gobPath, const QString &change);
QString undoBarrier(const QString &change);
QString undoPastDamaged(const QString &aside);
QString gobNotPutBack(const QString &gobPath);
QString gobNotRedone(const QString &gobPath);
QString historyOldBytesDamaged(qint64 position);
QString historyNewBytesDamaged(qint64 position); // the bytes a change wrote, kept
QString historySetAside(const QString &damage, const QString &aside);
QString historyOutsideGob(const QString &path);
QString historyBusy(const QString &gobPath, qint64 pid);
QString historyNotWritten(const QString &reason);
QString changeLargerThanHistory(qint64 size, qint64 limit);
QString noRoomForHistory(const QString &folder, qint64 size, qint64 available);
QString askWithoutUndo(const QString &reason);
QString refusedWithoutUndo(const QString &reason); // kestrix-cli: names --no-undo
QString nothingWrittenThisTime();
QString writeOutsideChange(const QString &gobPath, qint64 start, qint64 end);
QString nothingToUndo(const QString &gobPath);
QString nothingUndone();
QString undoRefused(const QString &gobPath, qint64 start, qint64 end, const QString &change);
QString undone(const QString &change);
QString nothingToRedo(const QString &gobPath);
QString nothingRedone();
QString redoNotKept(const QString &change);
QString redoRefused(const QString &gobPath, qint64 start, qint64 end, const QString &change);
QString undoFileRefused(const QString &path, const QString &change);
QString redoFileRefused(const QString &path, const QString &change);
QString redone(const QString &change);
QString undoCaption(const QString &change); // "&Undo bitmap ..."
QString undoCaption(); // "&Undo", nothing to undo
QString redoCaption(const QString &change); // "&Redo bitmap ..."
QString redoCaption(); // "&Redo", nothing to redo
QString askUndoBackTo(int number);
// The limit, the bytes kept and how far back undo reaches.
QString historySummary(int changes, qint64 size, qint64 limit, const QDateTime &reach);
// The replace question's note on an applied package and the changes it overwrites.
QString packageHistoryNote(bool applied, const QStringList &overwritten);
QString packageStatusSummary(int applied, int original, int other);

// --- pictures: PNG export, any picture in, folders out and back in ---
QString importedExact(); // "exact"
QString importedPaletteKept(); // "record palette kept"
QString importedQuantized(int colours, double meanError); // "quantized to 256 colours, ..."
QString pngNotMade(int width, int height);
QString quantizingFailed(int code);
QString regionsOverlap(const QString &gobPath, qint64 offset, qint64 otherOffset);
QString manifestMissing(const QString &folder);
QString manifestNotOurs(const QString &path);
QString manifestLine(int lineNumber, const QString &problem);
QString manifestFieldCount(int count);
QString manifestBadName(const QString &name);
QString manifestBadNumbers(const QString &name);
QString manifestBadHash(const QString &name);
QString manifestBadRows(const QString &value);
QString exportedEntry(int entry); // "Entry 3"
QString exportedSubFile(int entry, int subFile); // "Entry 3, sub file 2"
QString exportedFileMissing();
QString recordNotInCatalogue(int entry, int subFile, qint32 offset);
QString recordNamedTwice(const QString &name);
QString notInManifest(); // a file of the folder that the manifest does not name
QString nothingToImport(); // "Nothing to import"
QString importFolderQuestion(int count);
// Files of an export folder that were changed since they were exported, one a line.
QString editedFilesQuestion(const QStringList &names);
QString editedFilesNotReplaced(const QStringList &names); // without --overwrite
QString noAlphaToKeep(const QString &path); // --keep-alpha on a picture without alpha
QString exportDone(int written, const QString &folder);
QString exportStopped(int written, const QString &folder);
QString importFolderTitle();
QString exportAllTitle();
QString exportFolderTitle(); // the folder chooser of Export All

// --- package library: what a package changes, installed packages, removing one ---
QString removeNotFound(const QString &what, const QString &gobPath);
QString removeDropped(qint64 number, qint64 oldestKept, const QString &gobPath);
QString removeNotPackage(const QString &change);
QString removeNotApplied(const QString &change, const QString &state);
QString removeAlreadyRemoved(const QString &change, const QString &removal);
QString removeBlocked(const QString &change);
// A removal over what a removal of a package the history limit dropped left.
QString removeLost(const QString &package, const QString &removal);
QString removeRefused(const QString &gobPath, qint64 start, qint64 end, const QString &change);
QString historyChangedMeanwhile();
QString removed(const QString &package, qint64 bytes);
QString installedDropped(qint64 oldestKept);
QString askRemovePackage(const QString &number, const QString &name);
// Before the states of a package preview are all known.
QString previewLooking(int items);
QString previewSummary(int newItems, int same, int conflicts);
QString dryRunSummary(int newItems, int same, int conflicts);
QString skippedItems(int same, int conflicts);

} // namespace Messages
