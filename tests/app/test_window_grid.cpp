// The display menu's New Israeli Grid and datum option on the real window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

#include "app/cListModel.h"
#include "app/frmVQ.h"
#include "tests/app/cFakeServices.h"

// A stored New Israeli Grid with the datum option: the file's 171714 1131593 becomes
// 221714.8897 631594.9615 (cs2cs EPSG:28193 EPSG:4326, then EPSG:4326 EPSG:2039).
TEST(WindowGrid, NewGridAndDatumOptionFromTheMenu) {
  QTemporaryDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
  QSettings store(QStringLiteral("VQ"), QStringLiteral("VQ"));
  for (const char* kv : {"Settings/1StUse=1", "Display/CoorSys=2", "Display/Datum=1"})
    store.setValue(QString(kv).section('=', 0, 0), QString(kv).section('=', 1));
  cFakeServices services;
  frmVQ w(services);
  ASSERT_TRUE(w.Form_Load(QStringLiteral(VQ_TEST_DATA "/mixed.twl")));
  const auto grid = [&] { return w.lvModel->Row_Text(1, 2) + " " + w.lvModel->Row_Text(1, 3); };
  EXPECT_TRUE(w.mnuDisplayCorNew->isChecked() && w.mnuDisplayDatum->isChecked());
  EXPECT_FALSE(w.mnuDisplayCorITM->isChecked() || w.mnuDisplayCorLL->isChecked());
  EXPECT_EQ(grid(), "221715 631595");
  EXPECT_EQ(w.sbGrid->text(), "רשת ישראל החדשה, ישראל 1993");
  // The old grid shows the file's own values, with the option on and off.
  w.mnuDisplayCorITM->trigger();
  EXPECT_FALSE(w.mnuDisplayCorNew->isChecked());
  EXPECT_EQ(w.sbGrid->text() + " " + grid(), "רשת ישראל, פלשתינה 1923 171714 1131593");
  w.mnuDisplayDatum->trigger();
  EXPECT_EQ(w.sbGrid->text() + " " + grid(), "רשת ישראל, ללא תיקון דאטום 171714 1131593");
  w.mnuDisplayCorNew->trigger();
  store.sync();
  EXPECT_EQ(store.value("Display/Datum").toString() + store.value("Display/CoorSys").toString(),
            "02");
  EXPECT_TRUE(services.messages.empty());
}
