// The transfers with a receiver seen as a USB drive, on drive folders made in a temporary folder.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <ctime>

#include "files/GpxRead.h"
#include "points/cVQPoints.h"
#include "storage/cGarminDrive.h"
#include "tests/storage/Drive.h"
#include "text/Receiver_Names.h"
#include "workflows/Usb_Transfer.h"

namespace {
using namespace Drive;

class UsbTransfer : public ::testing::Test {
 protected:
  void SetUp() override {
    list.Add(QStringLiteral("שער יפו"), 31.7767, 35.2275, 780, QStringLiteral("Jaffa Gate"));
    list.Add(QStringLiteral("Eilat"), 29.5577, 34.9519, 0, QString());
  }
  QTemporaryDir tmp;
  cVQPoints list;
};

// Where the input folder lies is the drive reader's matter (tests/storage); here, one layout.
TEST_F(UsbTransfer, UploadWritesANewGpxFileBesideTheOnesThere) {
  const QString input = tmp.filePath("Garmin/NewFiles");
  Put(tmp.filePath("Garmin/GarminDevice.xml"), Device_Xml("v2", "eTrex 30", "Garmin/NewFiles"));
  Put(input + "/Trip_ Ein Gedi.gpx", "old");
  const cUsbResult r = Usb_Upload_Route(tmp.path(), list, 7, "Trip: Ein Gedi");
  ASSERT_EQ(r.status, cUsbResult::Done) << r.error.toStdString();
  EXPECT_EQ(r.path, input + "/Trip_ Ein Gedi (2).gpx");
  EXPECT_EQ(Read(input + "/Trip_ Ein Gedi.gpx"), "old");
  EXPECT_TRUE(Read(r.path).contains("<number>7</number>"));
  const cGpxContent gpx = Parse_GPX(Read(r.path));
  ASSERT_EQ(gpx.routes.size(), 1);
  EXPECT_EQ(gpx.routes[0].name, "Trip: Ein Gedi");
  ASSERT_EQ(gpx.routes[0].points.size(), 2);
  EXPECT_EQ(gpx.routes[0].points[0].Label, QStringLiteral("שער יפו"));
  EXPECT_TRUE(Usb_Message(r).contains(r.path));
  // For a receiver without Hebrew: Latin names of up to 14 characters, the label in <desc>.
  cNameRules latin;
  latin.Latin = true;
  const QByteArray named = Read(Usb_Upload_Route(tmp.path(), list, 7, "Trip: Ein Gedi", latin).path);
  EXPECT_EQ(named.count("<name>SHAR YFO</name>"), 2);
  EXPECT_EQ(named.count("<desc>שער יפו</desc>"), 2);
  EXPECT_TRUE(named.contains("<name>TRIP EIN GEDI</name>"));
}

TEST_F(UsbTransfer, DownloadTakesEveryTrackWithLocalTimesAcrossDaylightSaving) {
  const QByteArray zone = qgetenv("TZ");
  qputenv("TZ", "Asia/Jerusalem");
  tzset();
  // Israel's clocks go forward at 02:00 local time on 27 March 2026.
  Put(tmp.filePath("Garmin/GPX/Current/Current.gpx"),
      Track_Log({Trkpt("2026-03-26T23:30:00Z") + Trkpt("2026-03-26T23:59:59Z"),
                 Trkpt("2026-03-27T00:30:00Z")}));
  const cUsbResult r = Usb_Download_Track(tmp.path(), list);
  qputenv("TZ", zone);
  tzset();
  ASSERT_EQ(r.status, cUsbResult::Done) << r.error.toStdString();
  ASSERT_EQ(list.Count(), 3);
  const char* local[] = {"2026/03/27-01:30:00", "2026/03/27-01:59:59", "2026/03/27-03:30:00"};
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(list.Item(i).Label, QString::number(i));
    EXPECT_EQ(list.Item(i).Comment, local[i - 1]);
  }
  EXPECT_EQ(list.Item(3).Time, QDateTime(QDate(2026, 3, 27), QTime(0, 30), Qt::UTC));
  EXPECT_TRUE(list.From_Track);
}

TEST_F(UsbTransfer, FailuresLeaveTheListAndNoFile) {
  const QString root = tmp.path();
  EXPECT_EQ(Usb_Upload_Route(root, list, 1, "x").status, cUsbResult::Not_A_Drive);
  EXPECT_EQ(Usb_Download_Track(root, list).status, cUsbResult::Not_A_Drive);
  QDir().mkpath(root + "/Garmin");
  EXPECT_EQ(Usb_Download_Track(root, list).status, cUsbResult::No_Log);
  Put(root + "/Garmin/GPX/Current/Current.gpx", "<gpx><trk><trkseg><trkpt lat=");
  EXPECT_EQ(Usb_Download_Track(root, list).status, cUsbResult::Cannot_Read);
  Put(root + "/Garmin/GPX/Current/Current.gpx", Track_Log({}));
  EXPECT_EQ(Usb_Download_Track(root, list).status, cUsbResult::No_Track);
  EXPECT_EQ(list.Count(), 2);
  // A saved track that links out of the drive is not one of its tracks.
  QDir().mkpath(root + "/Garmin/GPX/Archive");
  QFile::link("/etc/passwd", root + "/Garmin/GPX/Archive/t.gpx");
  cGarminDrive drive;
  ASSERT_TRUE(Open_Garmin_Drive(root, drive));
  EXPECT_EQ(Usb_Track_Files(drive), QStringList{drive.Log_File});
  cVQPoints empty;
  EXPECT_EQ(Usb_Upload_Route(root, empty, 1, "x").status, cUsbResult::Empty_List);
  QDir(root + "/Garmin/GPX").removeRecursively();
  Put(root + "/Garmin/GPX", "a file where the folder should be");
  const cUsbResult r = Usb_Upload_Route(root, list, 1, "x");
  EXPECT_EQ(r.status, cUsbResult::Cannot_Write);
  EXPECT_TRUE(Usb_Message(r).contains(root + "/Garmin/GPX" + "\r\ncannot make the folder: "))
      << r.error.toStdString();
  EXPECT_EQ(QDir(root + "/Garmin").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList({"GPX"}));
}
}  // namespace
