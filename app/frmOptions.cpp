#include "app/frmOptions.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <cmath>

#include "app/cMapSettings.h"
#include "garmin/Serial_Ports.h"
#include "storage/cGarminDrive.h"
#include "workflows/Names_Store.h"
#include "workflows/Port_Device.h"

namespace {
QSettings Store() { return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")); }
const QString Usb_Make = QStringLiteral("Garmin USB");

// The entries of the list that drops down, left to right as well.
class cLtrDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->direction = Qt::LeftToRight;
  }
};

// A combo box whose text reads left to right inside the right-to-left dialog ("9600,N,8,1",
// "/dev/ttyUSB0"). The style draws the text with the painter's direction, which follows the
// application's, so the painter is set here.
class cLtrComboBox : public QComboBox {
 public:
  explicit cLtrComboBox(QWidget* parent) : QComboBox(parent) {
    setLayoutDirection(Qt::LeftToRight);
    view()->setItemDelegate(new cLtrDelegate(this));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    painter.setLayoutDirection(Qt::LeftToRight);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0 && !placeholderText().isEmpty()) {
      opt.palette.setBrush(QPalette::ButtonText, opt.palette.placeholderText());
      opt.currentText = placeholderText();
    }
    painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
  }
};

// The serial ports of this computer, as the port setting names them, a Garmin receiver marked.
QList<QPair<QString, QString>> Present_Ports() {
  QList<QPair<QString, QString>> ports;
  for (const cSerialPortInfo& p : Serial_Ports()) {
    QString description = p.Description;
    if (p.Garmin && !description.contains(QLatin1String("Garmin"), Qt::CaseInsensitive))
      description = QStringLiteral("Garmin ") + description;
    ports.append({p.Device, description.trimmed()});
  }
  return ports;
}

// Where the older USB receivers are found, and the ports that are Garmin receivers now.
QString Serial_Note() {
  QString text = QStringLiteral(
      "מכשיר Garmin ישן בחיבור USB נראה כערוץ טורי ‎/dev/ttyUSB0‎ "
      "דרך "
      "מודול "
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
  Label6 = new QLabel(QStringLiteral("ערוצים שנמצאו:"), this);
  cmbPorts = new cLtrComboBox(this);
  cmbPorts->setPlaceholderText(QStringLiteral("ההתקן אינו בין אלה"));
  Label2 = new QLabel(QStringLiteral("נתוני תקשורת:"), this);
  cmbComm = new cLtrComboBox(this);
  Label5 = new QLabel(QStringLiteral("כונן:"), this);
  cmbDrive = new QComboBox(this);
  cmbDrive->setEditable(true);
  cmbDrive->setLayoutDirection(Qt::LeftToRight);
  chkLatin = new QCheckBox(QStringLiteral("שמות לועזיים"), this);
  Label7 = new QLabel(QStringLiteral("אורך שם:"), this);
  txtNameLength = new QSpinBox(this);
  txtNameLength->setRange(kMin_Name_Length, kMax_Name_Length);
  chkNoHebrew = new QCheckBox(QStringLiteral("המכשיר אינו מציג עברית"), this);
  cmdBrowse = new QPushButton(QStringLiteral("עיון..."), this);
  Choose_Folder = [this](const QString& start) {
    return QFileDialog::getExistingDirectory(this, QStringLiteral("תיקיית הכונן"), start);
  };
  lblNote = new QLabel(this);
  lblNote->setWordWrap(true);
  // Wide enough that the note's lines and the ports' descriptions are read whole.
  lblNote->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
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
  grid->addWidget(Label6, 3, 0);
  grid->addWidget(cmbPorts, 3, 1);
  grid->addWidget(Label2, 4, 0);
  grid->addWidget(cmbComm, 4, 1);
  grid->addWidget(Label5, 5, 0);
  auto* drive = new QHBoxLayout;
  drive->addWidget(cmbDrive, 1);
  drive->addWidget(cmdBrowse);
  grid->addLayout(drive, 5, 1);
  grid->addWidget(chkLatin, 6, 0);
  auto* length = new QHBoxLayout;
  length->addWidget(Label7);
  length->addWidget(txtNameLength);
  grid->addLayout(length, 6, 1);
  grid->addWidget(chkNoHebrew, 7, 0, 1, 2);
  grid->addWidget(lblNote, 8, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  fraMap = new cMapSettings(this);
  grid->addWidget(fraMap, 9, 0, 1, 2);
  grid->addLayout(buttons, 10, 0, 1, 2);
  Fill_Ports(Present_Ports());
  connect(cmbPorts, &QComboBox::activated, this, &frmOptions::cmbPorts_Click);
  connect(txtDevice, &QLineEdit::textChanged, this, &frmOptions::Show_Port_Match);
  Form_Load();
  connect(cmbMake, &QComboBox::currentIndexChanged, this, &frmOptions::cmbMake_Click);
  connect(cmbCOM, &QComboBox::currentIndexChanged, this, &frmOptions::cmbCOM_Click);
  connect(lblNote, &QLabel::linkActivated, txtDevice, &QLineEdit::setText);
  connect(cmdBrowse, &QPushButton::clicked, this, &frmOptions::cmdBrowse_Click);
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
  chkLatin->setChecked(store.value(kLatin_Names_Key).toString() == QLatin1String("1"));
  chkNoHebrew->setChecked(store.value(kDrive_Latin_Key).toString() == QLatin1String("1"));
  txtNameLength->setValue(Name_Length_Setting(
      store.value(kName_Length_Key, QString::number(kDefault_Name_Length)).toString()));
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
                     static_cast<QWidget*>(cmbComm), static_cast<QWidget*>(chkLatin),
                     static_cast<QWidget*>(txtNameLength)})
    w->setEnabled(!usb);
  chkNoHebrew->setEnabled(usb);
  // The list has a port to choose only when this computer has one.
  cmbPorts->setEnabled(!usb && cmbPorts->itemData(0).isValid());
  cmbDrive->setEnabled(usb);
  cmdBrowse->setEnabled(usb);
  lblNote->setText(usb ? QStringLiteral("תיקיית הכונן שבה תיקיית Garmin של המכשיר.")
                       : Serial_Note());
}

void frmOptions::Fill_Ports(const QList<QPair<QString, QString>>& ports) {
  cmbPorts->clear();
  if (ports.isEmpty()) cmbPorts->addItem(QStringLiteral("לא נמצאו ערוצים טוריים"));
  for (const auto& [device, description] : ports) {
    const QString text = device + QStringLiteral(" \u2014 ") +
                         (description.isEmpty() ? QStringLiteral("ללא תיאור") : description);
    cmbPorts->addItem(text, device);
  }
  Show_Port_Match();
  Show_Kind();
}

// The entry of the device the port number stands for; none when that device is not here.
void frmOptions::Show_Port_Match() {
  if (!cmbPorts->itemData(0).isValid()) return;
  cmbPorts->setCurrentIndex(cmbPorts->findData(txtDevice->text().trimmed()));
}

// Choosing a port that exists sets the device (outside Windows) or the number (on Windows).
void frmOptions::cmbPorts_Click(int index) {
  const QString device = cmbPorts->itemData(index).toString();
  if (device.isEmpty()) return;
#ifdef Q_OS_WIN
  bool ok = false;
  const int n = device.mid(3).toInt(&ok);
  if (ok && n >= 1 && n <= 9) cmbCOM->setCurrentIndex(n - 1);
#else
  txtDevice->setText(device);
#endif
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
  store.setValue(kLatin_Names_Key, chkLatin->isChecked() ? "1" : "0");
  store.setValue(kDrive_Latin_Key, chkNoHebrew->isChecked() ? "1" : "0");
  store.setValue(kName_Length_Key, QString::number(txtNameLength->value()));
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
  fraMap->Save(store);
  store.sync();
  accept();
}

void frmOptions::cmdCancel_Click() { reject(); }

void frmOptions::cmdBrowse_Click() {
  const QString folder = Choose_Folder(cmbDrive->currentText().trimmed());
  if (!folder.isEmpty()) cmbDrive->setCurrentText(QDir::toNativeSeparators(folder));
}
