#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "storage/DriveFiles.h"
#include "storage/MtpDrives.h"
#include "storage/TrackTitle.h"
#include "storage/cGarminDrive.h"
#include "tests/storage/Drive.h"

namespace {
using namespace Drive;

// Drives as receivers leave them, each with what the reader must make of it; the log is always
// the one at GARMIN/gpx/Current/Current.gpx.
TEST(GarminDrive, LayoutsGiveTheModelAndPlacesInsideTheDrive) {
  struct cCase {
    const char* name;
    QByteArray xml;  // empty: no GarminDevice.xml
    const char *model, *input;
  } cases[] = {
      {"etrex30", Device_Xml("v2", "eTrex 30", "Garmin/GPX"), "eTrex 30", "GARMIN/gpx"},
      {"newfiles", Device_Xml("v3", "GPSMAP 66", " Garmin\\NewFiles "), "GPSMAP 66",
       "GARMIN/NewFiles"},
      {"none", {}, "Garmin", "GARMIN/gpx"},
      {"broken", Device_Xml("v2", "Oregon", "Garmin/X", "Garmin/Y").left(300), "Garmin",
       "GARMIN/gpx"},
      {"v1", Device_Xml("v1", "Oregon", "Garmin/X", "Garmin/Y"), "Garmin", "GARMIN/gpx"},
      {"outward", Device_Xml("v2", "Dakota", "../../etc", "/etc"), "Dakota", "GARMIN/gpx"},
      {"linked", Device_Xml("v2", "Montana", "Garmin/Out", "C:/Garmin"), "Montana", "GARMIN/gpx"},
  };
  QTemporaryDir tmp;
  QDir().mkpath(tmp.filePath("elsewhere"));
  for (const cCase& c : cases) {
    const QString root = tmp.filePath(c.name);
    QDir().mkpath(root + "/GARMIN/gpx");  // the drive's own spelling wins over the file's
    if (!c.xml.isEmpty()) Put(root + "/GARMIN/garmindevice.XML", c.xml);
    QFile::link(tmp.filePath("elsewhere"), root + "/GARMIN/Out");
    cGarminDrive d;
    ASSERT_TRUE(Open_Garmin_Drive(root, d)) << c.name;
    EXPECT_EQ(d.Description, c.model) << c.name;
    EXPECT_EQ(d.Described, c.model != QString("Garmin")) << c.name;
    EXPECT_EQ(d.Input_Folder, root + "/" + c.input) << c.name;
    EXPECT_EQ(d.Log_File, root + "/GARMIN/gpx/Current/Current.gpx") << c.name;
    ASSERT_TRUE(Make_Input_Folder(d)) << c.name;
    EXPECT_TRUE(QFileInfo(d.Input_Folder).isDir()) << c.name;
  }
  EXPECT_TRUE(QDir(tmp.filePath("elsewhere")).isEmpty());
  cGarminDrive none;
  EXPECT_FALSE(Open_Garmin_Drive(tmp.filePath("elsewhere"), none));
  EXPECT_FALSE(Open_Garmin_Drive(tmp.filePath("missing"), none));
}

TEST(DriveFiles, NewNamesNeverReplaceAFile) {
  EXPECT_EQ(Drive_File_Title(QString::fromUtf8("עין גדי: נחל?ערוגות")),
            QString::fromUtf8("עין גדי_ נחל_ערוגות"));
  EXPECT_EQ(Drive_File_Title(" ..a/b\\c*\"<>|\t. "), "a_b_c______");
  EXPECT_EQ(Drive_File_Title(" . "), "VQ");
  EXPECT_EQ(Drive_File_Title(QString(100, 'x')).size(), 60);
  // Names Windows keeps for its devices get a suffix, with an ending too.
  const char* names[][2] = {{"nul", "nul_"},   {"CON.x", "CON_.x"}, {"lpt9 .gpx", "lpt9_ .gpx"},
                            {"Com1", "Com1_"}, {"com10", "com10"},  {"console", "console"},
                            {"aux ", "aux_"}};
  for (const auto& n : names) EXPECT_EQ(Drive_File_Title(n[0]), n[1]);
  QTemporaryDir tmp;
  Put(tmp.filePath("ROUTE.GPX"), "old");
  Put(tmp.filePath("Route (2).gpx"), "old");
  const QString path = New_File_Path(tmp.path(), "Route", "gpx");
  EXPECT_EQ(path, tmp.filePath("Route (3).gpx"));
  EXPECT_EQ(Write_New_File(path, "new").status, cWriteResult::Written);
  EXPECT_EQ(Write_New_File(tmp.filePath("ROUTE.GPX"), "new").status, cWriteResult::Exists);
  EXPECT_EQ(Read(tmp.filePath("ROUTE.GPX")), "old");
}

// Receivers over MTP, in a folder that stands in for gvfs's mounts: each storage with a Garmin
// folder is a drive, named by its GarminDevice.xml or else by its mount; files are written under
// their own name and read back.
TEST(GarminDrive, MtpMountsAreDrivesWrittenWithoutRename) {
  QTemporaryDir tmp;
  qputenv("XDG_RUNTIME_DIR", tmp.path().toUtf8());
  const QString gps67 = tmp.filePath("gvfs/mtp:host=Garmin_GPSMAP_67_0000ABCD/Internal Storage");
  const QString etrex = tmp.filePath("gvfs/mtp:host=091e_4cda_0000BEEF");
  QDir().mkpath(gps67 + "/Garmin/NewFiles");
  QDir().mkpath(gps67 + "/Music");
  Put(etrex + "/Garmin/GarminDevice.xml", Device_Xml("v3", "eTrex Solar", "Garmin/GPX"));
  Put(tmp.filePath("gvfs/smb-share:server=nas/Garmin/x"));
  const QVector<cGarminDrive> drives = Find_Garmin_Drives();
  ASSERT_EQ(Find_Mtp_Drives().size(), 2);
  ASSERT_GE(drives.size(), 2);
  EXPECT_EQ(drives[drives.size() - 2].Description, "eTrex Solar");  // in the mounts' order
  EXPECT_EQ(drives.last().Description, "Garmin GPSMAP 67");
  EXPECT_EQ(drives.last().Input_Folder, gps67 + "/Garmin/NewFiles");
  const QString route = gps67 + "/Garmin/NewFiles/Route.gpx";
  ASSERT_TRUE(Is_Mtp_Path(route));
  EXPECT_EQ(Write_New_File(route, "<gpx/>").status, cWriteResult::Written);
  EXPECT_EQ(QDir(gps67 + "/Garmin/NewFiles").entryList(QDir::Files), QStringList{"Route.gpx"});
  EXPECT_EQ(Write_New_File(route, "new").status, cWriteResult::Exists);
  EXPECT_EQ(Read(route), "<gpx/>");
  qunsetenv("XDG_RUNTIME_DIR");
  // A saved track is named by its first track's name and start.
  Put(route,
      Track_Log({Trkpt("2026-03-27T08:15:00Z")}).replace("<trk>", "<trk><name> Ein  Gedi </name>"));
  const cTrackTitle title = Read_Track_Title(route);
  EXPECT_EQ(title.Name, "Ein Gedi");
  EXPECT_EQ(title.Start, QDateTime(QDate(2026, 3, 27), QTime(8, 15), Qt::UTC));
}

}  // namespace
