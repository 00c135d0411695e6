// The window's receiver commands with the make "Garmin USB", on a drive folder made in a
// temporary folder.
#include <QAction>
#include <QLabel>
#include <QTimer>

#include "app/frmRteData.h"
#include "tests/app/WindowTest.h"
#include "tests/storage/Drive.h"

namespace {
using Drive::Track_Log;
using Drive::Trkpt;

TEST_F(WindowTest, UsbUploadWritesToTheDriveAndDownloadOffersTheSavedTracks) {
  const QString drive = dir.filePath("drive");
  QDir().mkpath(drive + "/Garmin");
  Put("Settings/Make", "Garmin USB");
  Put("Settings/Drive", drive);
  auto w = Started(Data("mixed.twl"));
  QTimer::singleShot(0, [&] { w->RteData->cmdOK_Click(); });
  w->mnuFileUpload->trigger();
  ASSERT_EQ(services.messages.size(), 1);
  EXPECT_TRUE(services.messages[0].text.contains(drive + "/Garmin/GPX/MIXED.gpx"));
  EXPECT_TRUE(QFile::exists(drive + "/Garmin/GPX/MIXED.gpx"));
  EXPECT_TRUE(w->isEnabled());

  Drive::Put(drive + "/Garmin/GPX/Current/Current.gpx", Track_Log({Trkpt() + Trkpt()}));
  for (const char* other : {"Garmin/GPX/Archive/note.txt", "Garmin/GPX/Current/Saved.GPX"})
    Drive::Put(drive + "/" + other, Track_Log({Trkpt()}));
  Drive::Put(drive + "/Garmin/GPX/Archive/2026-03-27.gpx",
             Track_Log({Trkpt(), Trkpt() + Trkpt() + Trkpt() + Trkpt()}));
  services.chosen = -1;  // cancelled: the list stays
  w->mnuFileLogDnld->trigger();
  EXPECT_EQ(services.choices, QStringList({"ההקלטה הנוכחית", "2026-03-27", "Saved"}));
  EXPECT_EQ(w->Points.Count(), 4);
  services.chosen = 1;  // the saved track, both its tracks
  w->mnuFileLogDnld->trigger();
  EXPECT_EQ(w->Points.Count(), 5);
  EXPECT_TRUE(w->sbSummary->text().startsWith(QStringLiteral("5 נקודות")));
  EXPECT_EQ(services.messages.size(), 1);
}
}  // namespace
