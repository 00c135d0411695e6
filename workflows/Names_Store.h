#pragma once
// Where the receiver names' settings live: the choice of Latin names for a serial receiver and
// for a drive, the name length, the last receiver's waypoint format, and the hiker's own names in
// names.csv beside the settings file VQ.conf. The window and vqtool read them through here.
#include <QString>
#include <QStringList>

#include "text/Receiver_Names.h"

// The settings keys.
inline const QString kLatin_Names_Key = QStringLiteral("Settings/LatinNames");
inline const QString kDrive_Latin_Key = QStringLiteral("Settings/DriveLatinNames");
inline const QString kName_Length_Key = QStringLiteral("Settings/NameLength");
inline const QString kLast_Format_Key = QStringLiteral("Settings/LastFormat");

// names.csv in the settings file's folder.
QString Names_File_Path();
// The names of a names file; a missing file has none. Each line left out, and a file that cannot
// be read, adds a line to problems (in Hebrew when hebrew, else in English, naming the file).
QHash<QString, QString> Load_Names_File(const QString& path, bool hebrew, QStringList& problems);
// Stores label's name in the names file (an empty name removes it), the file written whole;
// false with the system's reason in error.
bool Store_Name(const QString& path, const QString& label, const QString& name, QString& error);

// The rules the settings give for a serial receiver or a drive, names.csv included.
cNameRules Stored_Name_Rules(bool drive, QStringList& problems);
// The waypoint format of the receiver seen last; D108 before any.
QString Last_Format();
void Store_Last_Format(const QString& format);
