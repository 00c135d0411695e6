#include "storage/MtpDrives.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {
const QString kMtpPrefix = QStringLiteral("mtp:host=");

// "mtp:host=Garmin_GPSMAP_67_0000ABCD" is "Garmin GPSMAP 67": its words without the serial
// number. A host given otherwise (by bus numbers) says nothing of the model: "Garmin".
QString Model_From_Host(const QString& mount) {
  QStringList words =
      QUrl::fromPercentEncoding(mount.mid(kMtpPrefix.size()).toUtf8()).split(QLatin1Char('_'));
  if (words.size() > 2) words.removeLast();
  const QString model = words.join(QLatin1Char(' ')).trimmed();
  return model.startsWith(QLatin1String("Garmin "), Qt::CaseInsensitive) ? model
                                                                         : QStringLiteral("Garmin");
}

void Add_Drive(const QString& root, const QString& mount, QVector<cGarminDrive>& out) {
  cGarminDrive d;
  if (!Open_Garmin_Drive(root, d)) return;
  if (!d.Described) {
    d.Description = Model_From_Host(mount);
    const QString new_files = Path_Ignoring_Case(d.Root, QStringLiteral("Garmin/NewFiles"));
    if (QFileInfo(new_files).isDir() && Is_Inside(d.Root, new_files)) d.Input_Folder = new_files;
  }
  out << d;
}
}  // namespace

QString Gvfs_Folder() {
  QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (runtime.isEmpty()) runtime = QStringLiteral("/run/user/%1").arg(getuid());
  return QDir::cleanPath(runtime + QStringLiteral("/gvfs"));
}

QVector<cGarminDrive> Find_Mtp_Drives() {
  QVector<cGarminDrive> out;
  const QDir gvfs(Gvfs_Folder());
  for (const QString& mount : gvfs.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    if (!mount.startsWith(kMtpPrefix, Qt::CaseInsensitive)) continue;
    const QString device = gvfs.filePath(mount);
    // A device shows its storages ("Internal Storage", "SD Card") as folders; one that shows a
    // single storage may put its folders right at the mount.
    Add_Drive(device, mount, out);
    for (const QString& storage :
         QDir(device).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
      Add_Drive(device + QLatin1Char('/') + storage, mount, out);
  }
  return out;
}

bool Is_Mtp_Path(const QString& path) {
  return QDir::cleanPath(path).contains(QLatin1String("/gvfs/") + kMtpPrefix, Qt::CaseInsensitive);
}

cWriteResult Write_Mtp_File(const QString& path, const QByteArray& bytes) {
  cWriteResult r;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
    r.status = QFileInfo::exists(path) ? cWriteResult::Exists : cWriteResult::Failed;
    r.error = file.errorString();
    return r;
  }
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  r.error = file.errorString();
  file.close();
  QFile back(path);
  if (written && back.open(QIODevice::ReadOnly) && back.readAll() == bytes) {
    r.status = cWriteResult::Written;
    r.error.clear();
    return r;
  }
  // A part of a file is worse than none: the receiver would show half a route.
  if (written) r.error = QStringLiteral("the file read back from the device differs");
  back.close();
  QFile::remove(path);
  return r;
}
