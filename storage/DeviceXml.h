#pragma once
// Garmin/GarminDevice.xml, the description a Garmin receiver keeps on its drive (namespaces
// GarminDevice v2 and v3): the model, and under MassStorageMode the GPSData files, that is the
// folder the receiver reads GPX files from and the active track log it writes.
#include <QByteArray>
#include <QString>

struct cDeviceXml {
  bool Parsed = false;  // the bytes were a GarminDevice v2 or v3 document
  QString Description;  // Model/Description, "Garmin" when there is none
  QString Part_Number;  // Model/PartNumber, empty when there is none
  QString Input_Path;   // folder, relative to the drive, that the receiver reads GPX from
  QString Log_Path;     // folder, relative to the drive, of the active track log
  QString Log_Name;     // file name of the active track log
};

// The standard places, used for what the file does not give or gives as a path out of the drive.
inline const char* const Default_Input_Path = "Garmin/GPX";
inline const char* const Default_Log_Path = "Garmin/GPX/Current";
inline const char* const Default_Log_Name = "Current.gpx";

// Pure: any bytes give a complete description; what is missing, broken or unsafe in them falls
// back to the standard places and the description "Garmin".
cDeviceXml Parse_Device_Xml(const QByteArray& bytes);

// A path from the file as a path inside the drive, with "/" between its folders; empty when it
// is absolute, leads up ("..") or names no folder at all.
QString Drive_Relative_Path(const QString& path);
