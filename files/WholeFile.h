#pragma once
// A file written whole or not at all. QSaveFile buffers, so write() reports every byte taken
// and Qt 6.4's commit() misses a flush that failed on a full drive: the file is opened
// unbuffered, so that every write reaches the file system and its failure is seen before the
// commit. On any failure the old file stays as it was and no part file is left.
#include <QByteArray>
#include <QString>
#include <functional>

// Writes `bytes` as `path`; false with the system's reason in `error` when that fails. `keep`,
// when given, is asked once every byte is written, just before the file takes its name: false
// abandons the file (error stays empty).
bool Write_Whole_File(const QString& path, const QByteArray& bytes, QString& error,
                      const std::function<bool()>& keep = {});
