// The window's transfers with a receiver seen as a USB drive (the make "Garmin USB"): the route
// written as a GPX file into the folder the receiver reads, the track log read from its drive.
#include <QDir>
#include <QFileInfo>

#include "app/cServices.h"
#include "app/frmVQ.h"
#include "storage/TrackTitle.h"
#include "storage/cGarminDrive.h"
#include "workflows/Usb_Transfer.h"

namespace {
// The drive the settings name, else the first one found.
QString Drive_Folder() {
  const QString stored = frmVQ::Setting(QStringLiteral("Settings/Drive"), QString()).trimmed();
  if (!stored.isEmpty()) return stored;
  const QVector<cGarminDrive> drives = Find_Garmin_Drives();
  return drives.isEmpty() ? QString() : drives.first().Root;
}

// A track offered for the download: its name (the file's when the track has none) and the day
// and hour it began, in the computer's time.
QString Track_Item(const QString& path, bool current) {
  const cTrackTitle title = Read_Track_Title(path);
  QString text = current                ? QStringLiteral("ההקלטה הנוכחית")
                 : title.Name.isEmpty() ? QFileInfo(path).completeBaseName()
                                        : title.Name;
  if (title.Start.isValid())
    text += QStringLiteral(" \u2014 ") + title.Start.toLocalTime().toString(u"dd/MM/yyyy HH:mm");
  return text;
}

cUsbResult Failure(cUsbResult::Status status, const QString& path) {
  cUsbResult r;
  r.status = status;
  r.path = path;
  return r;
}
}  // namespace

void frmVQ::Usb_Upload_Start(qint16 Idx, const QString& Desc, const cNameRules& rules) {
  Set_Busy(true);
  const cUsbResult r = Usb_Upload_Route(Drive_Folder(), Points, Idx, Desc, rules);
  Set_Busy(false);
  Notice(Usb_Message(r));
}

void frmVQ::Usb_Download_Start() {
  const QString folder = Drive_Folder();
  cGarminDrive drive;
  if (!Open_Garmin_Drive(folder, drive)) {
    Notice(Usb_Message(Failure(cUsbResult::Not_A_Drive, folder)));
    return;
  }
  const QStringList files = Usb_Track_Files(drive);
  if (files.isEmpty()) {
    Notice(Usb_Message(Failure(cUsbResult::No_Log, drive.Log_File)));
    return;
  }
  QString file = files.first();
  if (files.size() > 1) {
    QStringList items;
    for (const QString& f : files) items << Track_Item(f, f == drive.Log_File);
    const int chosen = m_services.Choose(this, QStringLiteral("איזו הקלטה לקרוא?"), items);
    if (chosen < 0 || chosen >= files.size()) return;
    file = files[chosen];
  }
  const cUsbResult r = Usb_Read_Track(file, drive.Description, Points);
  if (r.status != cUsbResult::Done) {
    Notice(Usb_Message(r));
    return;
  }
  Points.Redisplay();
  // The caption names the receiver, the summary counts the points.
  List_From_Receiver(drive.Description);
}
