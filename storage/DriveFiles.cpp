#include "storage/DriveFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "files/WholeFile.h"
#include "storage/MtpDrives.h"

namespace {

// Long names are legal on FAT (255 characters), but the receiver's list shows only a few words.
constexpr int Max_Title_Chars = 60;

bool Refused_By_FAT(QChar c) {
  return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\"*/:<>?\\|").contains(c);
}

// A device name Windows reserves; it is so also with an ending ("nul.txt") and with spaces
// before the ending, and no program there can open a file so named.
bool Reserved_By_Windows(QString stem) {
  stem = stem.toLower();
  if (stem == u"con" || stem == u"prn" || stem == u"aux" || stem == u"nul") return true;
  return stem.size() == 4 && (stem.startsWith(u"com") || stem.startsWith(u"lpt")) &&
         stem[3] >= QLatin1Char('1') && stem[3] <= QLatin1Char('9');
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
  if (out.isEmpty()) return QStringLiteral("VQ");
  int end = out.indexOf(QLatin1Char('.'));
  if (end < 0) end = out.size();
  while (end > 0 && out[end - 1] == QLatin1Char(' ')) --end;
  if (Reserved_By_Windows(out.left(end))) out.insert(end, QLatin1Char('_'));
  return out;
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
  // Another program may have made the name meanwhile; it stays as it is.
  bool taken = false;
  const auto free = [&] { return !(taken = QFileInfo::exists(path)); };
  if (Write_Whole_File(path, bytes, r.error, free))
    r.status = cWriteResult::Written;
  else if (taken)
    r.status = cWriteResult::Exists;
  return r;
}
