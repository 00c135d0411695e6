#pragma once
// The transfers with a receiver seen as a USB drive, written once for the window and vqtool. The
// route upload writes the list as a GPX file (its waypoints and one route through them) into the
// folder the receiver reads, as a new file, whole or not at all; the receiver takes it in when it
// is next unplugged or started. The track download reads the active track log, or one saved
// track, into the list as a serial download does. A failure leaves the list as it was.
#include <QString>
#include <QStringList>

#include "text/Receiver_Names.h"

struct cGarminDrive;
class cVQPoints;

struct cUsbResult {
  enum Status { Done, Not_A_Drive, Empty_List, Cannot_Write, No_Log, Cannot_Read, No_Track };
  Status status = Done;
  QString path;   // the drive's folder, or the file written or read
  QString error;  // the system's or the GPX reader's reason
  int count = 0;  // points written or read
};

// Writes the points as route `number` titled `title` to the drive at `drive_folder`. With Latin
// rules every point's <name> is its Latin name (the label goes into <desc>) and the route's
// <name> the Latin title, for the receivers that show no Hebrew.
cUsbResult Usb_Upload_Route(const QString& drive_folder, const cVQPoints& points, int number,
                            const QString& title, const cNameRules& rules = {});
// The track files a download can read: the active log first (when it is there), then the saved
// tracks.
QStringList Usb_Track_Files(const cGarminDrive& drive);
// Replaces the points with every track point of `file` (all its tracks, in order): labels 1, 2, …,
// the local time as comment, the time itself kept; the list is titled `title`. Nothing changes
// unless it is Done. Does not redisplay.
cUsbResult Usb_Read_Track(const QString& file, const QString& title, cVQPoints& points);
// The active log of the drive at `drive_folder` read as Usb_Read_Track does.
cUsbResult Usb_Download_Track(const QString& drive_folder, cVQPoints& points);

// The window's message for a result, in Hebrew (lines joined by CR LF).
QString Usb_Message(const cUsbResult& r);
// vqtool's line for a result, in English.
QString Usb_Line(const cUsbResult& r);
