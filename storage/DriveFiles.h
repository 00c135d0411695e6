#pragma once
// New files on a receiver's drive: a name made from a title that a FAT drive accepts and that no
// file there has yet, and bytes written whole or not at all.
#include <QByteArray>
#include <QString>

// The title as a file name a FAT drive accepts: the characters it refuses (control characters and
// " * / : < > ? \ |) become "_", spaces and dots at the ends go, and it is kept short. Hebrew and
// other letters stay. An empty result becomes "VQ"; a name Windows reserves ("nul", "COM1.x")
// gets "_" after it ("nul_", "COM1_.x").
QString Drive_File_Title(const QString& title);

// A path in `folder` for a new file named after `title` with `extension` ("gpx"): "TITLE.gpx",
// or "TITLE (2).gpx", "TITLE (3).gpx" … when a file of that name is there, ignoring letter case.
QString New_File_Path(const QString& folder, const QString& title, const QString& extension);

struct cWriteResult {
  enum Status { Written, Exists, Failed };
  Status status = Failed;
  QString error;  // the system's reason when it Failed
};

// Writes `bytes` as the new file `path` through a temporary file beside it that takes the name
// only once every byte is on the drive: a full or vanished drive leaves no part of a file. A
// file already at `path` is never replaced.
cWriteResult Write_New_File(const QString& path, const QByteArray& bytes);
