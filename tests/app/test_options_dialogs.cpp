#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>

#include "app/frmOptions.h"
#include "app/frmRteData.h"

namespace {
// Each test gets a settings store of its own in a temporary folder.
class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
  }
  QString Stored(const QString& key) {
    return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")).value(key).toString();
  }
  void Store(const QString& key, const QString& value) {
    QSettings s(QStringLiteral("VQ"), QStringLiteral("VQ"));
    s.setValue(key, value);
  }
  QTemporaryDir dir;
};

TEST_F(Dialogs, OptionsStartFromDefaultsAndOkStoresTheTexts) {
  frmOptions f;
  EXPECT_EQ(f.windowTitle(), QStringLiteral("הגדרות"));
  EXPECT_EQ(f.cmbCOM->currentText(), "1");
  EXPECT_EQ(f.cmbMake->currentText(), "Garmin");
  EXPECT_EQ(f.cmbComm->currentText(), "9600,N,8,1");
  EXPECT_EQ(f.cmbCOM->count(), 9);
#ifndef Q_OS_WIN
  EXPECT_EQ(f.txtDevice->text(), "/dev/ttyUSB0");
#endif
  f.cmdOK_Click();
  EXPECT_EQ(Stored("Settings/COM"), "1");
  EXPECT_EQ(Stored("Settings/Comm"), "9600,N,8,1");
  EXPECT_EQ(Stored("Settings/Make"), "Garmin");
  EXPECT_EQ(Stored("Ports/1"), "");
}

TEST_F(Dialogs, OptionsCoupleMakeAndLineSettings) {
  Store("Settings/Comm", "4800,N,8,1");
  Store("Settings/COM", "3");
  {
    frmOptions f;
    EXPECT_EQ(f.cmbComm->currentText(), "9600,N,8,1");  // the make's own settings win
    EXPECT_EQ(f.cmbCOM->currentText(), "3");
    f.cmdCancel_Click();
  }
  EXPECT_EQ(Stored("Settings/Comm"), "4800,N,8,1");
  frmOptions f;
  EXPECT_EQ(f.cmbMake->itemText(1), "Garmin (USB)");
  f.cmbMake->setCurrentIndex(2);
  EXPECT_EQ(f.cmbComm->currentText(), "4800,N,8,1");
  f.cmbMake->setCurrentIndex(0);
  EXPECT_EQ(f.cmbComm->currentText(), "9600,N,8,1");
  f.cmbComm->setCurrentIndex(0);  // the other entry can still be picked
  f.cmdOK_Click();
  EXPECT_EQ(Stored("Settings/Comm"), "4800,N,8,1");
  EXPECT_EQ(Stored("Settings/COM"), "3");
}

TEST_F(Dialogs, OptionsPortOutsideTheListAndNamedDevices) {
  for (const char* bad : {"12", "0", "abc"}) {
    Store("Settings/COM", bad);
    frmOptions f;
    if (QString(bad) == "abc") {
      EXPECT_EQ(f.cmbCOM->currentText(), "1");  // not a number: the default
    } else {
      EXPECT_EQ(f.cmbCOM->currentIndex(), -1) << bad;
    }
  }
#ifndef Q_OS_WIN
  Store("Settings/COM", "2");
  frmOptions f;
  EXPECT_EQ(f.txtDevice->text(), "/dev/ttyUSB1");
  f.txtDevice->setText("/dev/ttyS0");
  f.cmdOK_Click();
  EXPECT_EQ(Stored("Ports/2"), "/dev/ttyS0");
  frmOptions again;
  EXPECT_EQ(again.txtDevice->text(), "/dev/ttyS0");
  again.cmbCOM->setCurrentIndex(3);
  EXPECT_EQ(again.txtDevice->text(), "/dev/ttyUSB3");
#endif
}

TEST_F(Dialogs, OptionsUsbMakeStoresTheDriveFolder) {
  Store("Settings/Make", "Garmin USB");
  Store("Settings/Drive", "/media/GARMIN");
  frmOptions f;
  EXPECT_EQ(f.cmbMake->currentText(), "Garmin (USB)");
  EXPECT_EQ(f.cmbDrive->currentText(), "/media/GARMIN");
  EXPECT_FALSE(f.cmbComm->isEnabled());
  f.cmbDrive->setCurrentText("/mnt/etrex");
  f.cmdOK_Click();
  EXPECT_EQ(Stored("Settings/Make"), "Garmin USB");
  EXPECT_EQ(Stored("Settings/Drive"), "/mnt/etrex");
  frmOptions serial;
  serial.cmbMake->setCurrentIndex(0);
  EXPECT_FALSE(serial.cmbDrive->isEnabled());
  EXPECT_TRUE(serial.lblNote->text().contains("modprobe garmin_gps"));
}

TEST_F(Dialogs, RouteDialogNumbersAndCancel) {
  frmRteData f;
  EXPECT_EQ(f.cmbRteIdx->count(), 20);
  EXPECT_EQ(f.cmbRteIdx->itemText(19), "20");
  f.cmbRteIdx->setCurrentIndex(6);
  f.txtDesc->setText("Trip");
  f.cmdOK_Click();
  EXPECT_EQ(f.Idx, 7);
  EXPECT_EQ(f.Desc, "Trip");
  f.cmdCancel_Click();
  EXPECT_EQ(f.Idx, -1);
  f.Idx = 3;
  f.show();
  f.close();  // the close box
  EXPECT_EQ(f.Idx, -1);
  EXPECT_EQ(f.cmbRteIdx->currentIndex(), 6);  // hidden, not reset
}
}  // namespace
