#include "workflows/Names_Store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "files/WholeFile.h"

namespace {
QSettings Store() { return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")); }

QString Fault_Text(cNameFault fault, bool hebrew) {
  if (hebrew)
    return fault == cNameFault::Bad_Char ? QStringLiteral("יש בשם תו שהמכשיר אינו מציג")
                                         : QStringLiteral("אין בשורה שם אחרי פסיק");
  return fault == cNameFault::Bad_Char ? QStringLiteral(
                                             "the name has a character other than A-Z, "
                                             "0-9, space and hyphen")
                                       : QStringLiteral("no name after a comma");
}
}  // namespace

QString Names_File_Path() {
  return QFileInfo(Store().fileName()).absolutePath() + QStringLiteral("/names.csv");
}

QHash<QString, QString> Load_Names_File(const QString& path, bool hebrew, QStringList& problems) {
  QFile f(path);
  if (!f.exists()) return {};
  if (!f.open(QIODevice::ReadOnly)) {
    problems << (hebrew ? QStringLiteral("לא ניתן לקרוא את קובץ השמות %1: %2")
                        : QStringLiteral("cannot read %1: %2"))
                    .arg(path, f.errorString());
    return {};
  }
  const cNamesText text = Parse_Names(f.readAll());
  for (const cNamesText::cFault& fault : text.faults)
    problems << (hebrew ? QStringLiteral("%1, שורה %2: %3 - השורה דולגה.")
                        : QStringLiteral("%1:%2: %3"))
                    .arg(path)
                    .arg(fault.line)
                    .arg(Fault_Text(fault.fault, hebrew));
  return text.names;
}

bool Store_Name(const QString& path, const QString& label, const QString& name, QString& error) {
  QByteArray before;
  QFile old(path);
  if (old.exists()) {
    if (!old.open(QIODevice::ReadOnly)) {
      error = old.errorString();
      return false;
    }
    before = old.readAll();
  }
  // Before the first settings are written their folder may not be there yet.
  QDir().mkpath(QFileInfo(path).absolutePath());
  return Write_Whole_File(path, With_Name(before, label, name), error);
}

cNameRules Stored_Name_Rules(bool drive, QStringList& problems) {
  QSettings store = Store();
  cNameRules rules;
  rules.Latin =
      store.value(drive ? kDrive_Latin_Key : kLatin_Names_Key).toString() == QLatin1String("1");
  rules.Length = Name_Length_Setting(
      store.value(kName_Length_Key, QString::number(kDefault_Name_Length)).toString());
  rules.Own = Load_Names_File(Names_File_Path(), true, problems);
  return rules;
}

QString Last_Format() {
  const QString format = Store().value(kLast_Format_Key).toString();
  return format.isEmpty() ? QStringLiteral("D108") : format;
}

void Store_Last_Format(const QString& format) {
  if (!format.isEmpty()) Store().setValue(kLast_Format_Key, format);
}
