#pragma once
// Garmin drives as folder trees in a temporary folder, for the tests of storage/, of the USB
// transfers and of the window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Drive {
inline void Put(const QString& path, const QByteArray& bytes = "x") {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}
inline QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// A GarminDevice.xml as an eTrex 30 writes it: the folder it reads GPX from, its active log.
inline QByteArray Device_Xml(const char* ns, const char* model, const char* input,
                             const char* log = "Garmin/GPX/Current") {
  return QStringLiteral(
             "<?xml version=\"1.0\"?><Device xmlns=\"http://www.garmin.com/xmlschemas/"
             "GarminDevice/%1\"><Model><PartNumber>006-B1305-00</PartNumber><Description>%2"
             "</Description></Model><MassStorageMode><DataType><Name>GPSData</Name>"
             "<File><Location><Path>%3</Path><FileExtension>GPX</FileExtension></Location>"
             "<TransferDirection>InputToUnit</TransferDirection></File><File><Location>"
             "<Path>%4</Path><BaseName>Current</BaseName><FileExtension>GPX</FileExtension>"
             "</Location><TransferDirection>OutputFromUnit</TransferDirection></File>"
             "</DataType></MassStorageMode></Device>")
      .arg(ns, model, input, log)
      .toUtf8();
}
// A GPX 1.1 track log, one track per entry of `tracks`, each a run of track points.
inline QByteArray Track_Log(const QList<QByteArray>& tracks) {
  QByteArray gpx = "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\">";
  for (const QByteArray& t : tracks) gpx += "<trk><trkseg>" + t + "</trkseg></trk>";
  return gpx + "</gpx>";
}
inline QByteArray Trkpt(const char* time = nullptr) {
  return QByteArray("<trkpt lat=\"31.5\" lon=\"35.3\"><ele>-400</ele>") +
         (time ? QByteArray("<time>") + time + "</time>" : QByteArray()) + "</trkpt>";
}
}  // namespace Drive
