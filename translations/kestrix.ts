<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ContextHelp</name>
    <message>
        <source>Help topic %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>%1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create a folder in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>create the folder for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open for writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot %1 %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it changed while it was read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only .tga files are replaced with a change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot load file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select where you want to save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bit fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compression %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no line in Replaced Files.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ends before byte %2: %3 bytes from byte %4 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The path is longer than 254 characters and cannot be used:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not written: it is the same file as %2, which this command reads. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item catalogue BmpList.txt was not found in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put BmpList.txt into that folder and start Kestrix again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The setting %1 holds &quot;%2&quot;, which is neither True nor False nor a number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item catalogue %1 lists no entries after its two header lines.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item catalogue %1 ends before its two header lines.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lines of the item catalogue %1 end in LF alone; the catalogue needs CR LF line ends, as the game&apos;s own BmpList.txt has.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no line %2; the catalogue changed since Kestrix started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no description after its file type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the number of sub files &quot;%2&quot; is not a whole number from 1 to 32767.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 sub files need %3 fields, the line has %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the offset &quot;%2&quot; of sub file %3 is not a whole number from 1 to 2147483647.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the size &quot;%2&quot; of sub file %3 is not a number of kilobytes from 0 up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record at offset %1 cannot be an image: its header gives %2 x %3 pixels (each side must be at least 1, and at most 16384 x 16384 pixels in all).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record at offset %1 reaches to byte %2, past the end of %3 (%4 bytes). Check that the catalogue belongs to this GOB file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select torvane_pc.gob file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No record shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep a backup package of what a package import (Import as Zip) overwrites. Importing a bitmap or a picture keeps no backup.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The GOB file %1 is no longer there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width is not same as the image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height is not same as the image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> is not a 256 color image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported Successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File size is too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image type are not same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not a bitmap: it does not start with &quot;BM&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap has an OS/2 2.x header of %1 bytes, with no alpha byte; Kestrix reads headers of 12, 40, 52, 56, 108 and 124 bytes. Save it as a Windows bitmap and load it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap&apos;s info header is %1 bytes long; Kestrix reads headers of 12, 40, 52, 56, 108 and 124 bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is %1 bytes long, too short for the %2 header bytes of a bitmap.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap is compressed (%1); save it uncompressed and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap has %1 bits per pixel; Kestrix reads 1, 4, 8, 16, 24 and 32.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap says it is %1 x %2 pixels; Kestrix reads bitmaps of 1 to 16384 x 16384 pixels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap says it uses %1 colors, which %2 bits per pixel cannot name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap&apos;s pixels are said to start at byte %1, inside its headers and color table, which end at byte %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is %1 bytes long, too short for %2 x %3 pixels from byte %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pixel at %1, %2 uses color %3, but %4 holds %5 colors.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the bitmap&apos;s color table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap&apos;s bit fields overlap, have gaps or pass the pixel&apos;s bits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run at byte %1 passes the end of stored row %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run at byte %1 passes the end of the picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file ends at byte %1, before its runs fill the picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PNG file is damaged: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PNG file&apos;s palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels; Kestrix reads pictures of up to 16384 x 16384 pixels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is empty: it holds no picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Torvane Kestrix      Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x %1, y %2: red %3, green %4, blue %5, alpha %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, index %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom %1 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> — Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Kestrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestrix is free software: you can redistribute it and/or modify it under the terms of the &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU General Public License&lt;/a&gt;, version 3 or (at your option) any later version. It comes with no warranty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Torvane Kestrix  V%1.%2.%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> — </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported %1 into %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undone %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redone %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Is not a 256 color bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number is not between 0-255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type transparency value 255 - 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The palette index &quot;%1&quot; is not a whole number from 0 to %2: the bitmap&apos;s color table holds %3 colors.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap&apos;s color table has 3 bytes a color (an OS/2 bitmap), with no byte for transparency; save it as a Windows bitmap and load it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save the image. GDI+ Error:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 %2 cannot be used: type a whole number of pixels from 1 to 16384.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot load the picture %1: it is missing or not a bitmap Kestrix can read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sucessfully done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its not a KX Zip file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported Sucessfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup package is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You need Kestrix version 2 to import the contents of this zip file to the .gob</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTICE :This program uses libzip library to read and write zip file. libzip&apos;s software (a C library for reading, creating and modifying zip archives) is free and can be obtained as source code or executables from Internet/WWW sites, including https://libzip.org/</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected Items </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type to add manually</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset,Size(bytes),Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The second line of BmpList.txt lists no other items (each needs a caption, a position and a size in kilobytes).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not added: an item needs the three fields %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not added: its description is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not added: the position &quot;%2&quot; is not a whole number from 112 to 2147483647 (positions count from 1, and a package stores the position less 112).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not added: the size &quot;%2&quot; is no size from 0 to 2147483647 bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to include a readme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the readme file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the zip file to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to replace the following file(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter The Password!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item %1 &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the package&apos;s record %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has the package offset %2; a package cannot hold a negative offset.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has the size %2; a size cannot be negative.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 covers the bytes %2 to %3, past the end of %4 (%5 bytes).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package was not imported: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds %2 bytes, but the package&apos;s records need %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup package %1 could not be written (%2), so nothing was imported. The GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be unpacked (error %2): %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The zip file&apos;s entries expand to %1, more than the %2 a package for this GOB file can hold; nothing was unpacked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the entry expands past the size its header gives; the zip file is damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The zip file holds the entry &quot;%1&quot;, whose name points outside the folder it is unpacked into; nothing was unpacked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zip error: the name %1 would be stored twice in the archive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  adding: %1 (deflated %2%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  adding: %1 (stored 0%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zip error: cannot read %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported; the GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No package window is open to take the item: start Kestrix and open More Options (Ctrl+M) first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be loaded as an image.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sub file %1 of entry %2 in %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record: %1 x %2, %3; file: %4 x %5, %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The option --rotate needs 0, 1, 2 or 3, not &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The options --transparent and --rotate cannot be used together: the transparent preview is never turned.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The transparent preview is for bitmap entries only; entry %1 is a whole-file entry.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last change to %1 (%2) was interrupted; the GOB file was put back as it was before it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The undo of a change to %1 (%2) was interrupted; it was finished, so the GOB file is as it was before that change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history file %1 is damaged: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its first record cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1 of the history is damaged (%2): %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a record after its old bytes fails its checksum.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not finished, yet newer changes follow it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it was not finished, yet the GOB file no longer holds the bytes it kept, so its end was lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was replaced by another file since change %2 was made; nothing was written into it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo cannot pass change %1: its old bytes were not kept. Nothing was undone; the GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo cannot pass the damaged change kept as %1. Nothing was undone; the GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The redo of a change to %1 (%2) was interrupted; it was finished, so the GOB file holds that change again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bytes written again into %1 do not read back as the change left them; the history keeps them to write at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The old bytes written back into %1 do not read back as they were kept; the history keeps them to put back at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the old bytes at byte %1 of it fail their checksum.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new bytes at byte %1 of it fail their checksum.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Nothing of it was written into the GOB file; it was kept as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history file %1 holds bytes past the end of the GOB file, which must have been replaced since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another Kestrix is changing %1 now; try again when it has finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another Kestrix (process %1) is changing %2 now; try again when it has finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history could not keep the bytes this change overwrites (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This change needs %1 of history, more than the %2 the history of a GOB file keeps.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This change needs %1 of history, but the disk of %2 has only %3 free.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the change anyway, without a way to undo it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Nothing was written; give --no-undo to make the change without undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing else was written; try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bytes %1 to %2 of %3 lie outside the regions of the change; nothing was written there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no change of %1 to undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was undone; try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bytes %1 to %2 of %3 no longer hold what change %4 wrote there: something else has written there since. Nothing was undone; the GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no undone change of %1 to redo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was redone; try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1 cannot be redone: the bytes it wrote were not kept when it was undone. Nothing was redone; the GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bytes %1 to %2 of %3 no longer hold what the undo of change %4 left there: something else has written there since. Nothing was redone; the GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 no longer holds what change %2 put there: something else has written it since. Nothing was undone; the GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no longer as the undo of change %2 left it: something else has written it since. Nothing was redone; the GOB file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redone: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo change %1 and every later change, so that the GOB file is as it was before change %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history keeps at most %1 per GOB file; it holds %2 in %3 change(s).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> There is nothing to undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Undo reaches back to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This package is applied to the GOB file already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It overwrites these changes of the history: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 applied, %2 original, %3 other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>exact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record palette kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>quantized to %1, mean error %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PNG file of a %1 x %2 picture could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture could not be reduced to 256 colours (libimagequant error %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The records at offsets %1 and %2 of %3 overlap; nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no kestrix-export.tsv: only a folder that Kestrix exported can be imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not begin with the header line of an export.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fields instead of 6 separated by tabs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not the name of a file in the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the entry, sub file or offset of %1 is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the rows field is &quot;%1&quot;, not &quot;top&quot; or &quot;bottom&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sha256 of %1 is not 64 hexadecimal digits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry %1, sub file %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is missing or cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The catalogue no longer has sub file %1 of entry %2 at offset %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its record is changed by %1 already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not in kestrix-export.tsv; skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the changed file into the GOB file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the %1 changed files into the GOB file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files were changed since they were exported:<byte value="xd"/>
%1<byte value="xd"/>
Replace them with the records as the GOB file holds them? No keeps them and exports the rest.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files were changed since they were exported:<byte value="xd"/>
%1<byte value="xd"/>
Nothing was exported; give --overwrite to replace them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture has no alpha bytes, so there is no alpha to keep; import it without --keep-alpha.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 exported to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export stopped: %1 exported to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the folder to export into</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No package &quot;%1&quot; is applied to %2: give the number or the name that the installed packages list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1 can no longer be removed: the history limit dropped it (the history of %2 keeps changes from %3 on). Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1 is no package; undo it instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1 is %2: there is nothing to remove.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1 was removed already by change %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1 can no longer be removed: change %2 took out a package whose change the history limit has dropped since, so what lay there before that package is not known. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot remove past change %1: its old bytes were not kept. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bytes %1 to %2 of %3 do not hold what the history says change %4 left there: something outside Kestrix has written there. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program changed the history meanwhile. Nothing was written; try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1: %2 put back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packages applied before change %1 cannot be removed: the history limit dropped their changes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove package %1 (%2)? The bytes that lay there before it go back, except where a later change has written since. Undo puts it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking at %1 item(s)… Nothing is written before Apply.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 new item(s), %2 already in place (skipped), %3 conflicting with a change of the history. Nothing is written before Apply.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 new, %2 same, %3 conflicting; nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped %1 item(s) already in place and %2 conflicting item(s).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PackagePreview</name>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conflicts with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PictureView</name>
    <message>
        <source>Zoom &amp;In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actual &amp;Size</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmConfirm</name>
    <message>
        <source>%1 x %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to replace the file ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Transparent *</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>* Image palette must be formated correctly in oder to get transparent image in-game</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmHistory</name>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep at most (MiB):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo Back To Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmImportFolder</name>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What happens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show only the &amp;changed files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 file is unchanged and not listed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files are unchanged and not listed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmInstalledPackages</name>
    <message>
        <source>Installed Packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Still its bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preview Zip…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zip file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmJPEG</name>
    <message>
        <source>Bmp -&gt; Jpg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Resize image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg resize options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the bmp file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPG image</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>GOB file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select GOB file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sub Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import as Bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import as &amp;Zip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;More Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the record shown with a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the record shown as a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import a zip package into the GOB file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the package window: make and import zip packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version, licence and web site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import &amp;Zip…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed &amp;Packages…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;90 Degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;180 Degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;270 Degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Transparent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Auto preview transparent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Torvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Run Torvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;More Options…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Format Palette…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;BMP -&gt; JPG…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+J</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help Topic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Context Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;My Website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Torvane &amp;Fan Site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actual &amp;Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Torvane Kestrix Version %1.%2 by the Kestrix developers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit the Torvane fan site for the latest Torvane news and downloads.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Png File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Any Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the file you want to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestrix export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export &amp;All…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import &amp;Folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the kestrix-export.tsv of the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Torvane GOB File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the torvane GOB file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmPackagePreview</name>
    <message>
        <source>Apply &amp;all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply all &amp;but conflicts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmScript</name>
    <message>
        <source>Zip file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make &amp;Zip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import Zip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Dowload latest bmplist.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Combo1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DDE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add every sub file of the chosen entry to the package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the chosen sub file to the package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the chosen rows out of the package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty the package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a file that is no catalogue entry to the package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose one of the other files to add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make a zip package of the listed files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import a zip package into the GOB file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the page of the latest catalogue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmTransparent</name>
    <message>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Palette Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click a colour to choose its palette index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transparency of the chosen colour, 0 to 255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Make all Opaque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a 256-colour bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the transparency of the chosen colour into the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write one transparency for every colour into the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview as transparent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the file you want to load</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kestrix-cli</name>
    <message>
        <source>The option --%1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes a whole number from %2 to %3, not &quot;%4&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Makes a change too large for the history without undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item catalogue (BmpList.txt).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The GOB file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The entry, counting from 0 in list order.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sub file of the entry, counting from 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The option --format takes tsv or json, not &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints tab-separated lines (tsv, the default) or one JSON document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: kestrix-cli VERB [options]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entries count from 0, sub files from 1. kestrix-cli VERB --help describes a verb; kestrix-cli --version gives the version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows this text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown option &quot;%1&quot;; did you mean --%2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The option --%1 is given more than once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected word &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints nothing on success (a refusal is still reported).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give either --index I --value V or --all V.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sets the alpha of palette colour I of an 8-bit bitmap to V, or of every colour with --all (0 transparent, 255 opaque).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap, changed in place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The palette colour, from 0 to one less than the colours the table holds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its alpha, 0 to 255.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The alpha of every colour, 0 to 255.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imports a package into the GOB file, after listing the replaced items and asking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The GOB file, changed in place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package to import.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First writes what the package replaces to FILE_backup.zip.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where .tga files go (default: the bats folder beside the GOB file&apos;s data).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imports without asking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes nothing: prints each item&apos;s number, place, state (new, same: its bytes are there already, conflict) and the change it conflicts with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leaves out the items that conflict with a change of the history.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHELL is bash or zsh, not &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints the shell completion of kestrix-cli for bash or zsh (the package installs both).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bash or zsh.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes a sample game folder and its catalogue DIR/BmpList.txt, and drops the history of the GOB file it replaces.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder to write into.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give either --out FILE or --dir DIR.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--all goes with --dir.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--dir goes with either --all or --entry K.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exports a sub file (--out), or every sub file of an entry or of the catalogue into a folder (--dir) with the manifest kestrix-export.tsv. Image records become indexed PNG files with their palette&apos;s alpha; whole-file records the file they hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sub file of the entry, counting from 1 (with --out).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file to write for one sub file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every entry of the catalogue (with --dir).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder to export into, made when missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaces files changed since the folder&apos;s last export (with --dir).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the bytes the window&apos;s scratch bitmap temp.bmp would hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes what Save As writes, without its naming rules.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lists the changes the history keeps of the GOB file, newest first: number, time, kind, state, bytes written, description.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes a bitmap or image file into the record, with the window&apos;s checks; for an image record prints &quot;exact&quot;, &quot;record palette kept&quot; or &quot;quantized to N colours, mean error E&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap or image file to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keeps the bitmap&apos;s alpha bytes (else opaque).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the files of an exported folder that changed since the export back into their records, as one change of the history, after listing them (import, refused or unlisted, tab-separated) and asking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder an export wrote, with its kestrix-export.tsv.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes without asking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--size takes WIDTHxHEIGHT, for example 640x480.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converts a bitmap to a JPEG file of quality 100, optionally resized.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap to convert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The JPEG file to write (.jpg is added when missing).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scales the picture to exactly W x H pixels first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lists the entries (index, kind bitmap or file:TYPE, sub-file count, description), or the sub files of entry K (number, catalogue offset, area bytes, caption). Control characters in a field are written \n, \r, \t, \xHH and a backslash \\.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Makes a package of the items&apos; bytes in the GOB file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The GOB file to read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package to write (.zip is added when missing).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item catalogue, for items named K:I.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A readme to add to the package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;description|position|size&quot;, or K:I for sub file I of entry K.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lists the packages applied to the GOB file that its history keeps: number, name, time, items, and how many of them still hold its bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Takes one applied package out of the GOB file, whichever came after it; later changes keep their bytes. Undo puts it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package&apos;s file name or its number, as packages lists them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints where this copy keeps BmpList.txt, temp.bmp, its help pages and its settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draws the sub file as the main window&apos;s preview shows it, into a PNG file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turns it by that many quarter turns, as the View menu does.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows its palette transparency (bitmap entries only).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PNG file to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints the width, height and pixel-format value of an image file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes again the oldest change of the GOB file that undo took back, while no new change has been made since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The command must be one line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adds an item to the package window of a running Kestrix.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;description|position|size&quot;, as other programs send it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Says of each item of a package whether the GOB file holds its bytes (applied), the bytes from before every change of the history (original) or something else (other).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The option --to takes a change number from 0 up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undoes the newest change of the GOB file that is done, or with --to every change after number N.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keeps changes 1 to N (0: undoes every change kept).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kestrix-cli: &quot;%1&quot; needs %2, which cannot be loaded: %3. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
