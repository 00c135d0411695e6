#include "storage/DeviceXml.h"

#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

namespace {

struct cFileEntry {
  QString Path, Base_Name, Extension, Direction;
};

bool Is_Device_Namespace(QStringView ns) {
  return ns == u"http://www.garmin.com/xmlschemas/GarminDevice/v2" ||
         ns == u"http://www.garmin.com/xmlschemas/GarminDevice/v3";
}

bool Is_Gpx(const QString& extension) {
  return extension.isEmpty() || extension.compare(u"gpx", Qt::CaseInsensitive) == 0;
}

// The GPSData entries decide the two places. The input folder: the first InputToUnit entry of
// GPX files, else the first InputOutput one. The active log: the OutputFromUnit (or InputOutput)
// entry whose base name is "Current". An entry without a path, or with one out of the drive, is
// passed over.
void Apply_GPS_Data(const QVector<cFileEntry>& files, cDeviceXml& out, bool& input_found,
                    bool& log_found) {
  for (const char16_t* direction : {u"InputToUnit", u"InputOutput"}) {
    for (const cFileEntry& f : files) {
      if (input_found || f.Direction != direction || !Is_Gpx(f.Extension)) continue;
      const QString path = Drive_Relative_Path(f.Path);
      if (path.isEmpty()) continue;
      out.Input_Path = path;
      input_found = true;
    }
  }
  for (const cFileEntry& f : files) {
    if (log_found || (f.Direction != u"OutputFromUnit" && f.Direction != u"InputOutput")) continue;
    if (f.Base_Name.compare(u"Current", Qt::CaseInsensitive) != 0 || !Is_Gpx(f.Extension)) continue;
    const QString path = Drive_Relative_Path(f.Path);
    if (path.isEmpty()) continue;
    out.Log_Path = path;
    out.Log_Name = f.Base_Name + QStringLiteral(".gpx");
    log_found = true;
  }
}

// "Device/Model/Description" and the like; nothing of interest lies deeper than six elements.
QString Place(const QStringList& where) {
  return where.size() <= 6 ? where.join(QLatin1Char('/')) : QString();
}

cDeviceXml Defaults() {
  cDeviceXml d;
  d.Description = QStringLiteral("Garmin");
  d.Input_Path = QString::fromLatin1(Default_Input_Path);
  d.Log_Path = QString::fromLatin1(Default_Log_Path);
  d.Log_Name = QString::fromLatin1(Default_Log_Name);
  return d;
}

}  // namespace

QString Drive_Relative_Path(const QString& path) {
  QString p = path.simplified();
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  // "/x" and "C:x" name places outside the drive's own folder.
  if (p.startsWith(QLatin1Char('/')) || (p.size() >= 2 && p[1] == QLatin1Char(':'))) return {};
  QStringList parts;
  for (const QString& part : p.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    const QString t = part.trimmed();
    if (t == u"..") return {};
    if (t.isEmpty() || t == u".") continue;
    for (const QChar c : t)
      if (c.unicode() < 0x20) return {};
    parts << t;
  }
  return parts.join(QLatin1Char('/'));
}

cDeviceXml Parse_Device_Xml(const QByteArray& bytes) {
  cDeviceXml out = Defaults();
  QXmlStreamReader xml(bytes);
  QStringList where;  // the names of the open elements, from the root down
  QString root_ns, data_name;
  QVector<cFileEntry> files;
  cFileEntry file;
  bool input_found = false, log_found = false;
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::StartElement) {
      if (where.isEmpty()) {
        if (xml.name() != u"Device" || !Is_Device_Namespace(xml.namespaceUri())) return Defaults();
        root_ns = xml.namespaceUri().toString();
      } else if (xml.namespaceUri() != root_ns) {
        xml.skipCurrentElement();  // extensions of other schemas
        continue;
      }
      where << xml.name().toString();
      const QString at = Place(where);
      QString* text = nullptr;
      if (at == u"Device/Model/Description")
        text = &out.Description;
      else if (at == u"Device/Model/PartNumber")
        text = &out.Part_Number;
      else if (at == u"Device/MassStorageMode/DataType/Name")
        text = &data_name;
      else if (at == u"Device/MassStorageMode/DataType/File/Location/Path")
        text = &file.Path;
      else if (at == u"Device/MassStorageMode/DataType/File/Location/BaseName")
        text = &file.Base_Name;
      else if (at == u"Device/MassStorageMode/DataType/File/Location/FileExtension")
        text = &file.Extension;
      else if (at == u"Device/MassStorageMode/DataType/File/TransferDirection")
        text = &file.Direction;
      else if (at == u"Device/MassStorageMode/DataType") {
        data_name.clear();
        files.clear();
      } else if (at == u"Device/MassStorageMode/DataType/File") {
        file = {};
      }
      if (text) {
        *text = xml.readElementText(QXmlStreamReader::SkipChildElements).simplified();
        where.removeLast();
      }
    } else if (token == QXmlStreamReader::EndElement && !where.isEmpty()) {
      const QString at = Place(where);
      if (at == u"Device/MassStorageMode/DataType/File") files << file;
      if (at == u"Device/MassStorageMode/DataType" && data_name == u"GPSData")
        Apply_GPS_Data(files, out, input_found, log_found);
      where.removeLast();
    }
  }
  if (xml.hasError() || root_ns.isEmpty()) return Defaults();
  if (out.Description.isEmpty()) out.Description = QStringLiteral("Garmin");
  out.Parsed = true;
  return out;
}
