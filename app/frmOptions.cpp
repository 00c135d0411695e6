#include "app/frmOptions.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <cmath>

#include "garmin/Serial_Ports.h"
#include "storage/cGarminDrive.h"
#include "workflows/Port_Device.h"

namespace {
QSettings Store() { return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")); }
const QString Usb_Make = QStringLiteral("Garmin USB");

// Where the older USB receivers are found, and the ports that are Garmin receivers now.
QString Serial_Note() {
  QString text = QStringLiteral(
      "מכשיר Garmin ישן בחיבור USB נראה כערוץ טורי ‎/dev/ttyUSB0‎ דרך מודול "
      "garmin_gps "
      "(‎sudo modprobe garmin_gps‎).");
  for (const cSerialPortInfo& p : Serial_Ports())
    if (p.Garmin)
      text += QStringLiteral("<br>נמצא מקלט Garmin: <a href=\"%1\">%1</a>")
                  .arg(p.Device.toHtmlEscaped());
  return text;
}
}  // namespace

frmOptions::frmOptions(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("הגדרות"));
  setLayoutDirection(Qt::RightToLeft);
  Label3 = new QLabel(QStringLiteral("יצרן:"), this);
  cmbMake = new QComboBox(this);
  Label1 = new QLabel(QStringLiteral("ערוץ טורי:"), this);
  cmbCOM = new QComboBox(this);
  Label4 = new QLabel(QStringLiteral("התקן:"), this);
  txtDevice = new QLineEdit(this);
  txtDevice->setLayoutDirection(Qt::LeftToRight);
#ifdef Q_OS_WIN
  txtDevice->setReadOnly(true);
#endif
  Label2 = new QLabel(QStringLiteral("נתוני תקשורת:"), this);
  cmbComm = new QComboBox(this);
  Label5 = new QLabel(QStringLiteral("כונן:"), this);
  cmbDrive = new QComboBox(this);
  cmbDrive->setEditable(true);
  cmbDrive->setLayoutDirection(Qt::LeftToRight);
  lblNote = new QLabel(this);
  lblNote->setWordWrap(true);
  cmdOK = new QPushButton(QStringLiteral("אישור"), this);
  cmdCancel = new QPushButton(QStringLiteral("ביטול"), this);
  cmdOK->setDefault(true);
  auto* grid = new QGridLayout(this);
  grid->addWidget(Label3, 0, 0);
  grid->addWidget(cmbMake, 0, 1);
  grid->addWidget(Label1, 1, 0);
  grid->addWidget(cmbCOM, 1, 1);
  grid->addWidget(Label4, 2, 0);
  grid->addWidget(txtDevice, 2, 1);
  grid->addWidget(Label2, 3, 0);
  grid->addWidget(cmbComm, 3, 1);
  grid->addWidget(Label5, 4, 0);
  grid->addWidget(cmbDrive, 4, 1);
  grid->addWidget(lblNote, 5, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  grid->addLayout(buttons, 6, 0, 1, 2);
  Form_Load();
  connect(cmbMake, &QComboBox::currentIndexChanged, this, &frmOptions::cmbMake_Click);
  connect(cmbCOM, &QComboBox::currentIndexChanged, this, &frmOptions::cmbCOM_Click);
  connect(lblNote, &QLabel::linkActivated, txtDevice, &QLineEdit::setText);
  connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
}

void frmOptions::Form_Load() {
  for (int i = 1; i <= 9; ++i) cmbCOM->addItem(QString::number(i));
  cmbComm->addItem(QStringLiteral("4800,N,8,1"));
  cmbComm->addItem(QStringLiteral("9600,N,8,1"));
  // The item's data is the text stored as "Make".
  cmbMake->addItem(QStringLiteral("Garmin"), QStringLiteral("Garmin"));
  cmbMake->addItem(QStringLiteral("Garmin (USB)"), Usb_Make);
  cmbMake->addItem(QStringLiteral("Magellan"), QStringLiteral("Magellan"));
  for (const cGarminDrive& d : Find_Garmin_Drives()) {
    cmbDrive->addItem(d.Root);
    cmbDrive->setItemData(cmbDrive->count() - 1, d.Description, Qt::ToolTipRole);
  }
  QSettings store = Store();
  bool ok = false;
  double com =
      store.value(QStringLiteral("Settings/COM"), QStringLiteral("1")).toString().toDouble(&ok);
  if (!ok) com = 1;
  // A port outside 1 to 9 has no item: nothing is selected, and the device still shows.
  const double index = std::nearbyint(com - 1);
  cmbCOM->setCurrentIndex(index >= 0 && index < 9 ? int(index) : -1);
  txtDevice->setText(Port_Device(index >= 0 && index < 9 ? int(index) + 1 : 1));
  const QString comm =
      store.value(QStringLiteral("Settings/Comm"), QStringLiteral("9600,N,8,1")).toString();
  cmbComm->setCurrentIndex(comm == QLatin1String("9600,N,8,1") ? 1 : 0);
  const QString make =
      store.value(QStringLiteral("Settings/Make"), QStringLiteral("Garmin")).toString();
  cmbMake->setCurrentIndex(make == QLatin1String("Garmin") ? 0 : make == Usb_Make ? 1 : 2);
  const QString drive = store.value(QStringLiteral("Settings/Drive")).toString();
  if (!drive.isEmpty()) cmbDrive->setCurrentText(drive);
  cmbMake_Click();
}

void frmOptions::cmbMake_Click() {
  cmbComm->setCurrentIndex(cmbMake->currentText() == QLatin1String("Magellan") ? 0 : 1);
  Show_Kind();
}

// A drive needs no port and line settings, a serial receiver no drive.
void frmOptions::Show_Kind() {
  const bool usb = cmbMake->currentData().toString() == Usb_Make;
  for (QWidget* w : {static_cast<QWidget*>(cmbCOM), static_cast<QWidget*>(txtDevice),
                     static_cast<QWidget*>(cmbComm)})
    w->setEnabled(!usb);
  cmbDrive->setEnabled(usb);
  lblNote->setText(usb ? QStringLiteral("תיקיית הכונן שבה תיקיית Garmin של המכשיר.")
                       : Serial_Note());
}

void frmOptions::cmbCOM_Click() {
  if (cmbCOM->currentIndex() >= 0) txtDevice->setText(Port_Device(cmbCOM->currentIndex() + 1));
}

QString frmOptions::Default_Device(int port) const {
  return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
}

void frmOptions::cmdOK_Click() {
  QSettings store = Store();
  if (cmbCOM->currentIndex() >= 0)
    store.setValue(QStringLiteral("Settings/COM"), cmbCOM->currentText());
  store.setValue(QStringLiteral("Settings/Comm"), cmbComm->currentText());
  store.setValue(QStringLiteral("Settings/Make"), cmbMake->currentData().toString());
  const QString drive = cmbDrive->currentText().trimmed();
  if (!drive.isEmpty()) store.setValue(QStringLiteral("Settings/Drive"), drive);
#ifndef Q_OS_WIN
  // The device is stored only when it differs from where the number points by itself.
  if (cmbCOM->currentIndex() >= 0) {
    const int port = cmbCOM->currentIndex() + 1;
    const QString key = QStringLiteral("Ports/%1").arg(port);
    const QString device = txtDevice->text().trimmed();
    if (device.isEmpty() || device == Default_Device(port)) {
      store.remove(key);
    } else {
      store.setValue(key, device);
    }
  }
#endif
  store.sync();
  accept();
}

void frmOptions::cmdCancel_Click() { reject(); }
