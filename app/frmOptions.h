#pragma once
// The settings dialog: receiver make, serial port and line settings, read from the settings
// store when it opens and written back by OK. Beside the port it shows the device the number
// stands for on this system and, outside Windows, lets the user name another one. A receiver seen
// as a USB drive ("Garmin (USB)") is reached through a folder instead: the drives found are
// offered, and any folder can be typed.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmOptions : public QDialog {
  Q_OBJECT
 public:
  explicit frmOptions(QWidget* parent = nullptr);

  QLabel* Label3;
  QComboBox* cmbMake;
  QLabel* Label1;
  QComboBox* cmbCOM;
  QLabel* Label4;
  QLineEdit* txtDevice;
  QLabel* Label2;
  QComboBox* cmbComm;
  QLabel* Label5;
  QComboBox* cmbDrive;
  QLabel* lblNote;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  void cmbMake_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

 private:
  void Form_Load();
  void cmbCOM_Click();
  QString Default_Device(int port) const;
  void Show_Kind();
};
