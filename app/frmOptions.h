#pragma once
// The settings dialog: receiver make, serial port and line settings, read from the settings
// store when it opens and written back by OK. Beside the port it shows the device the number
// stands for on this system and, outside Windows, lets the user name another one; below it the
// serial ports this computer has, with their descriptions. A receiver seen as a USB drive
// ("Garmin (USB)") is reached through a folder instead: the drives found are offered, and any
// folder can be typed or browsed to.
#include <QDialog>
#include <QList>
#include <QPair>
#include <functional>

class QCheckBox;
class QComboBox;
class QSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class cMapSettings;

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
  QLabel* Label6;
  QComboBox* cmbPorts;
  QLabel* Label2;
  QComboBox* cmbComm;
  QLabel* Label5;
  QComboBox* cmbDrive;
  // The names a receiver gets: Latin for a serial receiver, and their length; Latin for a drive.
  QCheckBox* chkLatin;
  QLabel* Label7;
  QSpinBox* txtNameLength;
  QCheckBox* chkNoHebrew;
  QPushButton* cmdBrowse;
  // Asks for the drive's folder, starting at the one given; empty when cancelled. A file dialog
  // by default; the tests answer it.
  std::function<QString(const QString&)> Choose_Folder;
  QLabel* lblNote;
  cMapSettings* fraMap;  // the base map
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  void cmbMake_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdBrowse_Click();
  // The ports offered in cmbPorts: device and description. Form_Load lists those that exist.
  void Fill_Ports(const QList<QPair<QString, QString>>& ports);

 private:
  void Form_Load();
  void cmbCOM_Click();
  void cmbPorts_Click(int index);
  void Show_Port_Match();
  QString Default_Device(int port) const;
  void Show_Kind();
};
