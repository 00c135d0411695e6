#include "storage/cGarminDrive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <filesystem>

#include "storage/DeviceXml.h"
#include "storage/MtpDrives.h"

namespace {

// Real GarminDevice.xml files are tens of kilobytes; a larger one is not read.
constexpr qint64 Max_Device_Xml_Bytes = 4 * 1024 * 1024;

const QDir::Filters All_Entries =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

// The name in `folder` equal to `name` ignoring letter case; empty when there is none.
QString Entry_Ignoring_Case(const QString& folder, const QString& name) {
  if (QFileInfo::exists(folder + QLatin1Char('/') + name)) return name;
  for (const QString& entry : QDir(folder).entryList(All_Entries))
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
  return {};
}

// The drive's place for `relative`, or for `fallback` when that one leads out of the drive;
// empty when both do (a link on the drive pointing elsewhere).
QString Place_On_Drive(const QString& root, const QString& relative, const QString& fallback) {
  for (const QString& p : {relative, fallback}) {
    const QString path = Path_Ignoring_Case(root, p);
    if (Is_Inside(root, path)) return path;
  }
  return {};
}

QStringList Gpx_Files(const QString& folder, const QString& except) {
  QStringList out;
  if (folder.isEmpty()) return out;
  const QFileInfoList entries =
      QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& f : entries)
    if (f.suffix().compare(u"gpx", Qt::CaseInsensitive) == 0 && f.absoluteFilePath() != except)
      out << f.absoluteFilePath();
  return out;
}

// Network file systems can stall a listing; a receiver's drive is never one of them.
bool Is_Network(const QByteArray& type) {
  return type.startsWith("nfs") || type.startsWith("cifs") || type.startsWith("smb") ||
         type.contains("sshfs") || type == "9p";
}

}  // namespace

QString Path_Ignoring_Case(const QString& root, const QString& relative) {
  QString at = QDir::cleanPath(root);
  for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    const QString found = Entry_Ignoring_Case(at, part);
    at += QLatin1Char('/') + (found.isEmpty() ? part : found);
  }
  return at;
}

bool Is_Inside(const QString& root, const QString& path) {
  const QString base = QFileInfo(root).canonicalFilePath();
  if (base.isEmpty()) return false;
  // The deepest part of the path that exists decides where it leads.
  QString existing = QDir::cleanPath(path), rest;
  while (!QFileInfo::exists(existing)) {
    const int cut = existing.lastIndexOf(QLatin1Char('/'));
    if (cut <= 0) return false;
    rest.prepend(existing.mid(cut));
    existing.truncate(cut);
  }
  const QString real = QFileInfo(existing).canonicalFilePath() + rest;
  // A volume's root ("/", "E:/") already ends in the separator.
  const QString prefix = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
  return real.startsWith(prefix) && real.size() > prefix.size();
}

bool Is_Garmin_Drive(const QString& root) {
  if (!QFileInfo(root).isDir()) return false;
  const QString garmin = Entry_Ignoring_Case(root, QStringLiteral("Garmin"));
  return !garmin.isEmpty() && QFileInfo(root + QLatin1Char('/') + garmin).isDir();
}

bool Open_Garmin_Drive(const QString& root, cGarminDrive& drive) {
  if (!Is_Garmin_Drive(root)) return false;
  cGarminDrive d;
  d.Root = QDir::cleanPath(QFileInfo(root).absoluteFilePath());
  QFile file(Path_Ignoring_Case(d.Root, QStringLiteral("Garmin/GarminDevice.xml")));
  QByteArray bytes;
  if (Is_Inside(d.Root, file.fileName()) && file.size() <= Max_Device_Xml_Bytes &&
      file.open(QIODevice::ReadOnly))
    bytes = file.readAll();
  const cDeviceXml xml = Parse_Device_Xml(bytes);
  d.Described = xml.Parsed;
  d.Description = xml.Description;
  d.Part_Number = xml.Part_Number;
  d.Input_Folder = Place_On_Drive(d.Root, xml.Input_Path, QString::fromLatin1(Default_Input_Path));
  d.Log_File = Place_On_Drive(d.Root, xml.Log_Path + QLatin1Char('/') + xml.Log_Name,
                              QString::fromLatin1(Default_Log_Path) + QLatin1Char('/') +
                                  QString::fromLatin1(Default_Log_Name));
  drive = d;
  return true;
}

QVector<cGarminDrive> Find_Garmin_Drives() {
  QVector<cGarminDrive> out;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady() || Is_Network(volume.fileSystemType())) continue;
    cGarminDrive drive;
    if (Open_Garmin_Drive(volume.rootPath(), drive)) out << drive;
  }
  out << Find_Mtp_Drives();
  std::sort(out.begin(), out.end(),
            [](const cGarminDrive& a, const cGarminDrive& b) { return a.Root < b.Root; });
  return out;
}

bool Make_Input_Folder(const cGarminDrive& drive, QString* error) {
  QString why;
  if (!Is_Inside(drive.Root, drive.Input_Folder)) {
    why = QStringLiteral("the folder the receiver reads leads outside the drive");
  } else {
    // QDir::mkpath keeps the system's reason to itself.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(drive.Input_Folder.toStdU16String()),
                                        ec);
    if (ec)
      why = QString::fromLocal8Bit(ec.message().c_str());
    else if (!QFileInfo(drive.Input_Folder).isDir())
      why = QStringLiteral("not a folder");
  }
  if (error) *error = why;
  return why.isEmpty();
}

QStringList Saved_Tracks(const cGarminDrive& drive) {
  if (drive.Log_File.isEmpty()) return {};
  const QString log_folder = QFileInfo(drive.Log_File).absolutePath();
  QStringList out;
  for (const QString& base : {QFileInfo(log_folder).absolutePath(), log_folder}) {
    const QString archive = Entry_Ignoring_Case(base, QStringLiteral("Archive"));
    if (!archive.isEmpty() && Is_Inside(drive.Root, base + QLatin1Char('/') + archive))
      out << Gpx_Files(base + QLatin1Char('/') + archive, QString());
  }
  out << Gpx_Files(log_folder, QFileInfo(drive.Log_File).absoluteFilePath());
  out.removeDuplicates();
  // A file that links out of the drive is none of the receiver's tracks.
  out.removeIf([&drive](const QString& f) { return !Is_Inside(drive.Root, f); });
  return out;
}
