// The settings and route dialogs against a real settings store in a temporary folder.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QPushButton>

#include "app/Translations.h"
#include "app/frmOptions.h"
#include "app/frmRteData.h"
#include "tests/app/WindowTest.h"

namespace {
using Dialogs = WindowTest;

TEST_F(Dialogs, OptionsOkStoresTheTextsCancelNothingUsbTheDrive) {
  {
    frmOptions f;
    f.cmdOK_Click();
  }
  EXPECT_EQ(Stored("Settings/COM"), "1");
  EXPECT_EQ(Stored("Settings/Comm"), "9600,N,8,1");
  EXPECT_EQ(Stored("Settings/Make"), "Garmin");
  Put("Settings/Comm", "4800,N,8,1");
  Put("Settings/COM", "3");
  {
    frmOptions f;
    EXPECT_EQ(f.cmbComm->currentText(), "9600,N,8,1");  // the make's own settings win
    EXPECT_EQ(f.cmbCOM->currentText(), "3");
    f.cmdCancel_Click();
  }
  EXPECT_EQ(Stored("Settings/Comm"), "4800,N,8,1");
  frmOptions f;
  f.cmbMake->setCurrentIndex(2);
  EXPECT_EQ(f.cmbComm->currentText(), "4800,N,8,1");
  f.cmbMake->setCurrentIndex(0);
  EXPECT_EQ(f.cmbComm->currentText(), "9600,N,8,1");
  f.cmbComm->setCurrentIndex(0);  // the other entry can still be picked
  f.cmdOK_Click();
  EXPECT_EQ(Stored("Settings/Comm"), "4800,N,8,1");
  EXPECT_EQ(Stored("Settings/COM"), "3");
  // The USB make stores the drive folder and has no line settings.
  Put("Settings/Make", "Garmin USB");
  Put("Settings/Drive", "/media/GARMIN");
  frmOptions usb;
  EXPECT_EQ(usb.cmbDrive->currentText(), "/media/GARMIN");
  EXPECT_FALSE(usb.cmbComm->isEnabled());
  usb.Choose_Folder = [](const QString& start) {
    return start == "/media/GARMIN" ? "/mnt/etrex" : "";
  };
  usb.cmdBrowse->click();
  usb.cmdOK_Click();
  EXPECT_EQ(Stored("Settings/Make"), "Garmin USB");
  EXPECT_EQ(Stored("Settings/Drive"), "/mnt/etrex");
  frmOptions serial;
  serial.cmbMake->setCurrentIndex(0);
  EXPECT_FALSE(serial.cmbDrive->isEnabled());
  // The receiver's names: Latin and their length are remembered.
  serial.chkLatin->setChecked(true);
  serial.txtNameLength->setValue(14);
  serial.cmdOK_Click();
  frmOptions names;
  EXPECT_TRUE(names.chkLatin->isChecked());
  EXPECT_EQ(names.txtNameLength->value(), 14);
}

TEST_F(Dialogs, OptionsPortOutsideTheListAndNamedDevices) {
  for (const char* bad : {"12", "0", "abc"}) {
    Put("Settings/COM", bad);
    frmOptions f;
    if (QString(bad) == "abc") {
      EXPECT_EQ(f.cmbCOM->currentText(), "1");  // not a number: the default
    } else {
      EXPECT_EQ(f.cmbCOM->currentIndex(), -1) << bad;
    }
  }
#ifndef Q_OS_WIN
  Put("Settings/COM", "2");
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

TEST_F(Dialogs, QtTextsInHebrewLineSettingsLeftToRightAndThePortsThatExist) {
  ASSERT_TRUE(Install_Qt_Translations());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("ביטול"));
  frmOptions f;
  EXPECT_EQ(f.cmbComm->layoutDirection(), Qt::LeftToRight);
#ifndef Q_OS_WIN
  f.Fill_Ports({{"/dev/ttyACM0", "Garmin USB"}, {"/dev/ttyUSB0", ""}});
  EXPECT_EQ(f.cmbPorts->itemText(0), QStringLiteral("/dev/ttyACM0 \u2014 Garmin USB"));
  EXPECT_EQ(f.cmbPorts->currentIndex(), 1);  // the device port 1 stands for
  emit f.cmbPorts->activated(0);
  f.cmdOK_Click();
  EXPECT_EQ(Stored("Ports/1"), "/dev/ttyACM0");
#endif
}

TEST_F(Dialogs, RouteDialogNumbersAndCancel) {
  frmRteData f;
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
