#include "app/frmRteData.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmRteData::frmRteData(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("נתוני מסלול"));
  setLayoutDirection(Qt::RightToLeft);
  Label1 = new QLabel(QStringLiteral("מס' מסלול:"), this);
  cmbRteIdx = new QComboBox(this);
  Label2 = new QLabel(QStringLiteral("כותרת מסלול:"), this);
  txtDesc = new QLineEdit(this);
  cmdOK = new QPushButton(QStringLiteral("אישור"), this);
  cmdCancel = new QPushButton(QStringLiteral("ביטול"), this);
  cmdOK->setDefault(true);
  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(cmbRteIdx, 0, 1);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(txtDesc, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  grid->addLayout(buttons, 2, 0, 1, 2);
  connect(cmdOK, &QPushButton::clicked, this, &frmRteData::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmRteData::cmdCancel_Click);
  Form_Load();
}

void frmRteData::Form_Load() {
  for (int i = 1; i <= 20; ++i) cmbRteIdx->addItem(QString::number(i));
  cmbRteIdx->setCurrentIndex(0);
}

void frmRteData::cmdOK_Click() {
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
