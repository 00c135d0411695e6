#pragma once
// Garmin receivers that appear over MTP (GPSMAP 67, eTrex SE and Solar, some Edge models), which
// the desktop mounts through gvfs as $XDG_RUNTIME_DIR/gvfs/mtp:host=…: each storage of the
// device that holds a Garmin folder is a drive. gvfs cannot rename a file on such a device, so a
// file is written under its final name and read back.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "storage/DriveFiles.h"
#include "storage/cGarminDrive.h"

// gvfs's folder of mounts: $XDG_RUNTIME_DIR/gvfs, else /run/user/UID/gvfs.
QString Gvfs_Folder();
// The Garmin drives on MTP mounts, in the order of their folders. A device without a
// GarminDevice.xml reads GPX files from Garmin/NewFiles when it has that folder, else from
// Garmin/GPX, and is named after its mount ("mtp:host=Garmin_GPSMAP_67_…" is "Garmin GPSMAP 67").
QVector<cGarminDrive> Find_Mtp_Drives();
// True when `path` lies on a gvfs MTP mount.
bool Is_Mtp_Path(const QString& path);
// Writes `bytes` as the new file `path` under its own name, then reads it back: a file that does
// not read back the same is removed and reported as Failed. A file already there stays.
cWriteResult Write_Mtp_File(const QString& path, const QByteArray& bytes);
