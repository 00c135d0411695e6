#include "app/frmRteData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QTableWidget>

#include "text/Cp1255.h"
#include "workflows/Names_Store.h"

namespace {
enum { kLabelColumn, kNameColumn, kCountColumn };

QString Fault_Text(cNameFault fault) {
  switch (fault) {
    case cNameFault::Empty:
      return QStringLiteral("שם ריק");
    case cNameFault::Too_Long:
      return QStringLiteral("השם ארוך מדי");
    case cNameFault::Bad_Char:
      return QStringLiteral("יש בשם תו שהמכשיר אינו מציג");
    case cNameFault::None:
      break;
  }
  return {};
}

QTableWidgetItem* Item(const QString& text, bool editable) {
  auto* item = new QTableWidgetItem(text);
  if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}
}  // namespace

frmRteData::frmRteData(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("נתוני מסלול"));
  setLayoutDirection(Qt::RightToLeft);
  Label1 = new QLabel(QStringLiteral("מס' מסלול:"), this);
  cmbRteIdx = new QComboBox(this);
  Label2 = new QLabel(QStringLiteral("כותרת מסלול:"), this);
  txtDesc = new QLineEdit(this);
  lblTitle = new QLabel(this);
  chkLatin = new QCheckBox(QStringLiteral("שמות לועזיים"), this);
  lblFormat = new QLabel(this);
  lvNames = new QTableWidget(0, 3, this);
  lvNames->setHorizontalHeaderLabels(
      {QStringLiteral("שם ברשימה"), QStringLiteral("שם במכשיר"), QStringLiteral("תווים")});
  lvNames->verticalHeader()->hide();
  lvNames->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  lblNote = new QLabel(this);
  lblNote->setWordWrap(true);
  cmdOK = new QPushButton(QStringLiteral("אישור"), this);
  cmdCancel = new QPushButton(QStringLiteral("ביטול"), this);
  cmdOK->setDefault(true);
  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(cmbRteIdx, 0, 1);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(txtDesc, 1, 1);
  grid->addWidget(lblTitle, 2, 1);
  grid->addWidget(chkLatin, 3, 0);
  grid->addWidget(lblFormat, 3, 1);
  grid->addWidget(lvNames, 4, 0, 1, 2);
  grid->addWidget(lblNote, 5, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  grid->addLayout(buttons, 6, 0, 1, 2);
  connect(cmdOK, &QPushButton::clicked, this, &frmRteData::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmRteData::cmdCancel_Click);
  connect(chkLatin, &QCheckBox::clicked, this, &frmRteData::chkLatin_Click);
  connect(txtDesc, &QLineEdit::textChanged, this, &frmRteData::Show_Title);
  connect(lvNames, &QTableWidget::cellChanged, this, &frmRteData::lvNames_Changed);
  Form_Load();
}

void frmRteData::Form_Load() {
  for (int i = 1; i <= 20; ++i) cmbRteIdx->addItem(QString::number(i));
  cmbRteIdx->setCurrentIndex(0);
}

void frmRteData::Set_Labels(const QStringList& labels, bool drive) {
  m_labels = labels;
  m_drive = drive;
  QStringList problems;
  Rules = Stored_Name_Rules(drive, problems);
  Format = drive ? kGpx_Format : Last_Format();
  chkLatin->setText(drive ? QStringLiteral("המכשיר אינו מציג עברית")
                          : QStringLiteral("שמות לועזיים"));
  chkLatin->setChecked(Rules.Latin);
  m_note = problems.join(QLatin1Char('\n'));
  lblNote->setText(m_note);
  Show_Names();
}

QStringList frmRteData::Names() const {
  QStringList names;
  for (int r = 0; r < lvNames->rowCount(); ++r) names << lvNames->item(r, kNameColumn)->text();
  return names;
}

// Every row afresh from the rules: the label, its name, the count of its characters.
void frmRteData::Show_Names() {
  const QStringList names = Receiver_Names(m_labels, Format, Rules);
  const int L = Name_Length(Format, Rules.Length);
  const bool fixed = Rules.Latin || Six_Wide_Format(Format);
  lblFormat->setText(fixed ? QStringLiteral("%1, עד %2 תווים").arg(Format).arg(Rules.Latin ? L : 6)
                           : Format);
  QSignalBlocker quiet(lvNames);
  lvNames->setRowCount(int(names.size()));
  m_bad.fill(false, names.size());
  QHash<QString, int> seen;
  for (int r = 0; r < names.size(); ++r) {
    lvNames->setItem(r, kLabelColumn, Item(m_labels[r], false));
    lvNames->setItem(r, kNameColumn, Item(names[r], Rules.Latin));
    const QString count = QString::number(names[r].size());
    lvNames->setItem(r, kCountColumn,
                     Item(Rules.Latin ? count + QStringLiteral("/%1").arg(L) : count, false));
    // Hebrew names are the labels: one the code page cannot carry, or one that repeats, is
    // marked (the upload asks about repeats).
    if (Rules.Latin) continue;
    if (Format != kGpx_Format &&
        Cp1255::From_Text(names[r]).count('?') != names[r].count(QLatin1Char('?')))
      Mark(r, Fault_Text(cNameFault::Bad_Char));
    const auto it = seen.constFind(names[r]);
    if (it != seen.constEnd()) {
      Mark(r, QStringLiteral("השם חוזר על שם הנקודה %1").arg(*it + 1));
    } else {
      seen.insert(names[r], r);
    }
  }
  quiet.unblock();
  cmdOK->setEnabled(true);
  Show_Title();
}

void frmRteData::Show_Title() {
  lblTitle->setText(QStringLiteral("במכשיר: ") + Receiver_Title(txtDesc->text(), Format, Rules));
}

// Marking changes the items, which the table reports as edits: they are not.
void frmRteData::Mark(int row, const QString& fault) {
  const QSignalBlocker quiet(lvNames);
  for (int c : {kNameColumn, kCountColumn}) {
    lvNames->item(row, c)->setBackground(fault.isEmpty() ? QBrush()
                                                         : QBrush(QColor(255, 200, 200)));
    lvNames->item(row, c)->setToolTip(fault);
  }
}

// A typed name is used once it can be sent as typed: not empty, at most L characters of the set,
// no other point's name. It is stored in names.csv; an emptied cell takes the suggestion back.
void frmRteData::lvNames_Changed(int row, int column) {
  if (column != kNameColumn || row < 0 || row >= m_labels.size()) return;
  QTableWidgetItem* item = lvNames->item(row, kNameColumn);
  const QString name = item->text().toUpper();
  const int L = Name_Length(Format, Rules.Length);
  {
    const QSignalBlocker quiet(lvNames);
    item->setText(name);
    lvNames->item(row, kCountColumn)->setText(QStringLiteral("%1/%2").arg(name.size()).arg(L));
  }
  QString fault = name.isEmpty() ? QString() : Fault_Text(Name_Fault(name, L));
  const QStringList names = Names();
  if (fault.isEmpty() && !name.isEmpty()) {
    for (int r = 0; r < names.size(); ++r)
      if (r != row && names[r] == name && !m_bad[r])
        fault = QStringLiteral("השם חוזר על שם הנקודה %1").arg(r + 1);
  }
  m_bad[row] = !fault.isEmpty();
  Mark(row, fault);
  cmdOK->setEnabled(!m_bad.contains(true));
  if (!fault.isEmpty()) return;
  const QString label = m_labels[row];
  if (name.isEmpty())
    Rules.Own.remove(label);
  else
    Rules.Own.insert(label, name);
  QString error;
  const bool stored = Store_Name(Names_File_Path(), label, name, error);
  Show_Names();
  lblNote->setText(stored ? m_note : QStringLiteral("השם לא נשמר בקובץ השמות: ") + error);
}

void frmRteData::chkLatin_Click() {
  Rules.Latin = chkLatin->isChecked();
  QSettings(QStringLiteral("VQ"), QStringLiteral("VQ"))
      .setValue(m_drive ? kDrive_Latin_Key : kLatin_Names_Key, Rules.Latin ? "1" : "0");
  Show_Names();
}

void frmRteData::cmdOK_Click() {
  if (!cmdOK->isEnabled()) return;
  Idx = qint16(cmbRteIdx->currentIndex() + 1);
  Desc = txtDesc->text();
  hide();
  done(Accepted);
}

void frmRteData::cmdCancel_Click() {
  Idx = -1;
  hide();
  done(Rejected);
}

// The close box and Escape are Cancel.
void frmRteData::reject() {
  Idx = -1;
  QDialog::reject();
}
