// The display menu's New Israeli Grid and datum option on the real window.
#include <QAction>
#include <QLabel>

#include "app/cListModel.h"
#include "tests/app/WindowTest.h"

// A stored New Israeli Grid with the datum option: the file's 171714 1131593 becomes
// 221714.8897 631594.9615 (cs2cs EPSG:28193 EPSG:4326, then EPSG:4326 EPSG:2039).
TEST_F(WindowTest, NewGridAndDatumOptionFromTheMenu) {
  Put("Display/CoorSys", "2");
  Put("Display/Datum", "1");
  auto w = Started(Data("mixed.twl"));
  const auto grid = [&] { return w->lvModel->Row_Text(1, 2) + " " + w->lvModel->Row_Text(1, 3); };
  EXPECT_TRUE(w->mnuDisplayCorNew->isChecked() && w->mnuDisplayDatum->isChecked());
  EXPECT_EQ(w->sbGrid->text() + " " + grid(), "רשת ישראל החדשה, ישראל 1993 221715 631595");
  // The old grid shows the file's own values, with the option on and off.
  w->mnuDisplayCorITM->trigger();
  EXPECT_FALSE(w->mnuDisplayCorNew->isChecked());
  EXPECT_EQ(w->sbGrid->text() + " " + grid(), "רשת ישראל, פלשתינה 1923 171714 1131593");
  w->mnuDisplayDatum->trigger();
  EXPECT_EQ(w->sbGrid->text() + " " + grid(), "רשת ישראל, ללא תיקון דאטום 171714 1131593");
  w->mnuDisplayCorNew->trigger();
  EXPECT_EQ(Stored("Display/Datum") + Stored("Display/CoorSys"), "02");
  EXPECT_TRUE(services.messages.empty());
}
