#include "workflows/Usb_Transfer.h"

#include <QFile>
#include <QFileInfo>

#include "files/GpxRead.h"
#include "files/GpxWrite.h"
#include "points/cVQPoints.h"
#include "storage/DriveFiles.h"
#include "storage/cGarminDrive.h"
#include "text/Receiver_Names.h"
#include "text/TimeText.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// A track log of the receivers' 10,000 points is about 2 MB; nothing near this is a track file.
constexpr qint64 Max_Track_File_Bytes = 256 * 1024 * 1024;

cUsbResult Result(cUsbResult::Status status, const QString& path, const QString& error = {}) {
  cUsbResult r;
  r.status = status;
  r.path = path;
  r.error = error;
  return r;
}

}  // namespace

cUsbResult Usb_Upload_Route(const QString& drive_folder, const cVQPoints& points, int number,
                            const QString& title, const cNameRules& rules) {
  cGarminDrive drive;
  if (!Open_Garmin_Drive(drive_folder, drive)) return Result(cUsbResult::Not_A_Drive, drive_folder);
  if (points.Count() == 0) return Result(cUsbResult::Empty_List, drive_folder);
  QString why;
  if (!Make_Input_Folder(drive, &why))
    return Result(cUsbResult::Cannot_Write,
                  drive.Input_Folder.isEmpty() ? drive.Root : drive.Input_Folder,
                  QStringLiteral("cannot make the folder: ") + why);
  cVQPoints route = points;
  route.Title = Receiver_Title(title, kGpx_Format, rules);
  QStringList names;
  if (rules.Latin) {
    for (const cVQPoint& p : points) names << p.Label;
    names = Receiver_Names(names, kGpx_Format, rules);
  }
  const QByteArray bytes = GPX_Bytes(route, number, names);
  // Another program may take the chosen name meanwhile: then the next free one is taken.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const QString path = New_File_Path(drive.Input_Folder, title, QStringLiteral("gpx"));
    if (!Is_Inside(drive.Root, path))
      return Result(cUsbResult::Cannot_Write, path, QStringLiteral("it leads outside the drive"));
    const cWriteResult w = Write_New_File(path, bytes);
    if (w.status == cWriteResult::Exists) continue;
    if (w.status == cWriteResult::Failed) return Result(cUsbResult::Cannot_Write, path, w.error);
    cUsbResult r = Result(cUsbResult::Done, path);
    r.count = points.Count();
    return r;
  }
  return Result(cUsbResult::Cannot_Write, drive.Input_Folder, QStringLiteral("no free name"));
}

QStringList Usb_Track_Files(const cGarminDrive& drive) {
  QStringList files;
  if (QFileInfo(drive.Log_File).isFile() && Is_Inside(drive.Root, drive.Log_File))
    files << drive.Log_File;
  return files + Saved_Tracks(drive);
}

cUsbResult Usb_Read_Track(const QString& file, const QString& title, cVQPoints& points) {
  QFile f(file);
  if (!QFileInfo(file).isFile()) return Result(cUsbResult::No_Log, file);
  if (f.size() > Max_Track_File_Bytes) return Result(cUsbResult::Cannot_Read, file, "too large");
  if (!f.open(QIODevice::ReadOnly)) return Result(cUsbResult::Cannot_Read, file, f.errorString());
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError)
    return Result(cUsbResult::Cannot_Read, file, f.errorString());
  const cGpxContent gpx = Parse_GPX(bytes);
  if (gpx.fault != cGpxContent::None) return Result(cUsbResult::Cannot_Read, file, gpx.error);
  cVQPoints track;
  for (const cGpxPart& part : gpx.tracks) {
    for (cVQPoint p : part.points) {
      p.Label = QString::number(track.Count() + 1);
      p.Comment = Local_Time_Text(p.Time);
      track.Add(p);
    }
  }
  if (track.Count() == 0) return Result(cUsbResult::No_Track, file);
  points.Clear();
  for (int i = 1; i <= track.Count(); ++i) points.Add(track.Item(i));
  points.Title = title;
  points.From_Track = true;
  cUsbResult r = Result(cUsbResult::Done, file);
  r.count = points.Count();
  return r;
}

cUsbResult Usb_Download_Track(const QString& drive_folder, cVQPoints& points) {
  cGarminDrive drive;
  if (!Open_Garmin_Drive(drive_folder, drive)) return Result(cUsbResult::Not_A_Drive, drive_folder);
  if (!drive.Log_File.isEmpty() && !Is_Inside(drive.Root, drive.Log_File))
    return Result(cUsbResult::Cannot_Read, drive.Log_File,
                  QStringLiteral("it leads outside the drive"));
  return Usb_Read_Track(drive.Log_File, drive.Description, points);
}

QString Usb_Message(const cUsbResult& r) {
  switch (r.status) {
    case cUsbResult::Done:
      return QStringLiteral("הטעינה הסתיימה") + kCrLf + QStringLiteral("נטענו ") +
             QString::number(r.count) + QStringLiteral(" נצ לקובץ") + kCrLf + r.path + kCrLf +
             QStringLiteral("המסלול יופיע במכשיר אחרי ניתוקו מהמחשב או הפעלתו מחדש.");
    case cUsbResult::Not_A_Drive:
      return QStringLiteral("התיקייה אינה כונן של מכשיר Garmin:") + kCrLf + r.path + kCrLf +
             QStringLiteral("בחרו את הכונן בהגדרות.");
    case cUsbResult::Empty_List:
      return QStringLiteral("אין מסלול לטעינה");
    case cUsbResult::Cannot_Write:
      return QStringLiteral("הכתיבה למכשיר נכשלה:") + kCrLf + r.path + kCrLf + r.error;
    case cUsbResult::No_Log:
      return QStringLiteral("לא נמצאה הקלטה במכשיר:") + kCrLf + r.path;
    case cUsbResult::Cannot_Read:
      return QStringLiteral("לא ניתן לקרוא את ההקלטה:") + kCrLf + r.path + kCrLf + r.error;
    case cUsbResult::No_Track:
      return QStringLiteral("אין נקודות בהקלטה:") + kCrLf + r.path;
  }
  return {};
}

QString Usb_Line(const cUsbResult& r) {
  const QString why = r.error.isEmpty() ? QString() : QStringLiteral(": ") + r.error;
  switch (r.status) {
    case cUsbResult::Done:
      return QStringLiteral(
                 "%1 point(s) written to %2; the receiver shows them once it is "
                 "unplugged or restarted")
          .arg(r.count)
          .arg(r.path);
    case cUsbResult::Not_A_Drive:
      return r.path + QStringLiteral(": not a Garmin drive (no Garmin folder)");
    case cUsbResult::Empty_List:
      return QStringLiteral("the list is empty: nothing to upload");
    case cUsbResult::Cannot_Write:
      return r.path + QStringLiteral(": cannot write") + why;
    case cUsbResult::No_Log:
      return r.path + QStringLiteral(": no active track log");
    case cUsbResult::Cannot_Read:
      return r.path + QStringLiteral(": cannot read") + why;
    case cUsbResult::No_Track:
      return r.path + QStringLiteral(": no track points");
  }
  return {};
}
