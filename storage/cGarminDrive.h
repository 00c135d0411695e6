#pragma once
// A Garmin receiver seen as a USB drive: a folder holding a "Garmin" folder. File names on the
// drive are matched ignoring letter case, as the receiver's FAT file system does, and no place the
// drive's GarminDevice.xml names leads outside the drive's folder.
#include <QString>
#include <QStringList>
#include <QVector>

struct cGarminDrive {
  QString Root;            // the drive's folder, absolute and clean
  QString Description;     // the model ("eTrex 30"), "Garmin" when the drive does not say
  QString Part_Number;     // empty when the drive does not say
  bool Described = false;  // Garmin/GarminDevice.xml was there and could be read
  QString Input_Folder;    // where the receiver reads GPX files from (may not exist yet)
  QString Log_File;        // the active track log (may not exist)
};

// True when `root` is a folder holding a "Garmin" folder (any letter case).
bool Is_Garmin_Drive(const QString& root);
// Reads the drive at `root`; false (and `drive` untouched) when it is no Garmin drive.
bool Open_Garmin_Drive(const QString& root, cGarminDrive& drive);
// The Garmin drives among the mounted volumes, in the order of their folders, then those on
// gvfs MTP mounts (storage/MtpDrives.h).
QVector<cGarminDrive> Find_Garmin_Drives();

// `relative` ("Garmin/GPX") below `root`, each name matched ignoring letter case against what is
// on the drive; names that are not there keep the spelling given.
QString Path_Ignoring_Case(const QString& root, const QString& relative);
// True when `path` lies inside `root`, following whatever links the existing part of it holds.
bool Is_Inside(const QString& root, const QString& path);

// Makes the input folder when it is not there yet; false when that fails, with the system's
// reason in `error`.
bool Make_Input_Folder(const cGarminDrive& drive, QString* error = nullptr);
// The receiver's saved tracks: the .gpx files in an Archive folder beside or below the active
// log, and the other .gpx files in the log's own folder, each group in name order; none that
// links out of the drive.
QStringList Saved_Tracks(const cGarminDrive& drive);
