#include "storage/DriveFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include "storage/MtpDrives.h"

namespace {

// Long names are legal on FAT (255 characters), but the receiver's list shows only a few words.
constexpr int Max_Title_Chars = 60;

bool Refused_By_FAT(QChar c) {
  return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\"*/:<>?\\|").contains(c);
}

}  // namespace

QString Drive_File_Title(const QString& title) {
  QString out;
  for (const QChar c : title) out += Refused_By_FAT(c) ? QChar(u'_') : c;
  auto trim = [&out] {
    while (!out.isEmpty() && (out.front() == u' ' || out.front() == u'.')) out.remove(0, 1);
    while (!out.isEmpty() && (out.back() == u' ' || out.back() == u'.')) out.chop(1);
  };
  trim();
  if (out.size() > Max_Title_Chars) {
    out.truncate(Max_Title_Chars);
    if (out.back().isHighSurrogate()) out.chop(1);
    trim();
  }
  return out.isEmpty() ? QStringLiteral("VQ") : out;
}

QString New_File_Path(const QString& folder, const QString& title, const QString& extension) {
  QSet<QString> taken;
  for (const QString& entry : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::System | QDir::NoDotAndDotDot))
    taken.insert(entry.toCaseFolded());
  const QString base = Drive_File_Title(title);
  QString name = base + QLatin1Char('.') + extension;
  for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
    name = QStringLiteral("%1 (%2).%3").arg(base).arg(n).arg(extension);
  return QDir::cleanPath(folder + QLatin1Char('/') + name);
}

cWriteResult Write_New_File(const QString& path, const QByteArray& bytes) {
  cWriteResult r;
  if (QFileInfo::exists(path)) {
    r.status = cWriteResult::Exists;
    return r;
  }
  // gvfs cannot rename on an MTP device: the file is written under its name and read back.
  if (Is_Mtp_Path(path)) return Write_Mtp_File(path, bytes);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    r.error = file.errorString();
    file.cancelWriting();
    return r;
  }
  // Another program may have made the name meanwhile; it stays as it is.
  if (QFileInfo::exists(path)) {
    file.cancelWriting();
    file.commit();
    r.status = cWriteResult::Exists;
    return r;
  }
  if (!file.commit()) {
    r.error = file.errorString();
    return r;
  }
  r.status = cWriteResult::Written;
  return r;
}
