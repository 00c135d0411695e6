// The display menu's New Israeli Grid and datum option on the real window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

#include "app/cListModel.h"
#include "app/frmVQ.h"
#include "tests/app/cFakeServices.h"

namespace {
QSettings Store() { return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")); }

// A stored New Israeli Grid with the datum option (cs2cs EPSG:28193 EPSG:4326, then EPSG:4326
// EPSG:2039, take the file's 171714 1131593 to 221714.8897 631594.9615), then the switches.
TEST(WindowGrid, NewGridAndDatumOptionFromTheMenu) {
  QTemporaryDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
  {
    QSettings s = Store();
    s.setValue("Settings/1StUse", "1");
    s.setValue("Display/CoorSys", "2");
    s.setValue("Display/Datum", "1");
  }
  cFakeServices services;
  frmVQ w(services);
  ASSERT_TRUE(w.Form_Load(QStringLiteral(VQ_TEST_DATA "/mixed.twl")));
  EXPECT_TRUE(w.mnuDisplayCorNew->isChecked());
  EXPECT_FALSE(w.mnuDisplayCorITM->isChecked() || w.mnuDisplayCorLL->isChecked());
  EXPECT_TRUE(w.mnuDisplayDatum->isChecked());
  EXPECT_EQ(w.lvModel->Row_Text(1, 2) + " " + w.lvModel->Row_Text(1, 3), "221715 631595");
  EXPECT_EQ(w.sbGrid->text(), "רשת ישראל החדשה, ישראל 1993");

  // The old grid shows the file's own values, with the option on and off.
  w.mnuDisplayCorITM->trigger();
  EXPECT_FALSE(w.mnuDisplayCorNew->isChecked());
  EXPECT_EQ(w.sbGrid->text(), "רשת ישראל, פלשתינה 1923");
  EXPECT_EQ(w.lvModel->Row_Text(1, 2) + " " + w.lvModel->Row_Text(1, 3), "171714 1131593");
  w.mnuDisplayDatum->trigger();
  EXPECT_EQ(Store().value("Display/Datum").toString(), "0");
  EXPECT_EQ(w.sbGrid->text(), "רשת ישראל, ללא תיקון דאטום");
  EXPECT_EQ(w.lvModel->Row_Text(1, 2) + " " + w.lvModel->Row_Text(1, 3), "171714 1131593");
  w.mnuDisplayCorNew->trigger();
  EXPECT_EQ(Store().value("Display/CoorSys").toString(), "2");
  EXPECT_TRUE(w.mnuDisplayCorNew->isChecked());
  EXPECT_TRUE(services.messages.empty());
}
}  // namespace
