// GarminDevice.xml on arbitrary bytes, read as a drive holds it: the reader never fails, and every
// place it gives lies inside the drive's folder, whatever paths the bytes name ("../..", "/etc",
// "C:\", or a folder of the drive that is a link to elsewhere).
#include <QDir>
#include <QTemporaryDir>

#include "FuzzSupport.h"
#include "storage/DeviceXml.h"
#include "storage/cGarminDrive.h"

namespace {

// One drive for the whole run; its Garmin/Out folder is a link out of the drive.
const QString& Drive() {
  static QTemporaryDir* dir = new QTemporaryDir;
  static const QString root = [] {
    QDir().mkpath(dir->filePath("drive/Garmin/GPX"));
    QDir().mkpath(dir->filePath("outside"));
    QFile::link(dir->filePath("outside"), dir->filePath("drive/Garmin/Out"));
    return dir->filePath("drive");
  }();
  return root;
}

void Check_Place(const QString& path) {
  if (path.isEmpty()) return;
  const QString clean = QDir::cleanPath(path);
  if (!clean.startsWith(Drive() + "/") || clean != path) Fuzz::Broken("place outside the drive");
  // The link itself or anything below it; a sibling such as "Garmin/Outbox" is inside.
  const QString link = Drive() + "/Garmin/Out";
  if (clean.compare(link, Qt::CaseInsensitive) == 0 ||
      clean.startsWith(link + "/", Qt::CaseInsensitive))
    Fuzz::Broken("place through a link out of the drive");
}

void Check_Relative(const QString& path) {
  if (path.isEmpty() || path.startsWith('/') || path.contains('\\') ||
      path.split('/').contains(".."))
    Fuzz::Broken("relative path leads out");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::App();
  const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
  const cDeviceXml xml = Parse_Device_Xml(bytes);
  if (xml.Description.isEmpty()) Fuzz::Broken("no description");
  Check_Relative(xml.Input_Path);
  Check_Relative(xml.Log_Path);
  Check_Relative(xml.Log_Name);
  QFile file(Drive() + "/Garmin/GarminDevice.xml");
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return 0;
  file.close();
  cGarminDrive drive;
  if (!Open_Garmin_Drive(Drive(), drive)) Fuzz::Broken("the drive is not seen");
  Check_Place(drive.Input_Folder);
  Check_Place(drive.Log_File);
  for (const QString& track : Saved_Tracks(drive)) Check_Place(track);
  return 0;
}
