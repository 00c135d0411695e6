#include "app/frmSimplify.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "geo/NumText.h"
#include "points/cVQPoints.h"

frmSimplify::frmSimplify(const cVQPoints& points, int max_points, QWidget* parent)
    : QDialog(parent), m_points(points) {
  setWindowTitle(QStringLiteral("VQ"));
  setLayoutDirection(Qt::RightToLeft);
  optCount = new QRadioButton(QStringLiteral("לכל היותר"), this);
  txtCount = new QSpinBox(this);
  txtCount->setRange(2, qMax(2, points.Count()));
  txtCount->setValue(qBound(2, max_points, qMax(2, points.Count())));
  txtCount->setSuffix(QStringLiteral(" נקודות"));
  cmd250 = new QPushButton(QStringLiteral("250 (מסלול)"), this);
  cmd50 = new QPushButton(QStringLiteral("50 (פנייה אחר פנייה)"), this);
  optTolerance = new QRadioButton(QStringLiteral("סטייה של עד"), this);
  txtTolerance = new QDoubleSpinBox(this);
  txtTolerance->setRange(0, 100000);
  txtTolerance->setDecimals(1);
  txtTolerance->setValue(10);
  txtTolerance->setSuffix(QStringLiteral(" מ'"));
  lblResult = new QLabel(this);
  cmdOK = new QPushButton(QStringLiteral("פשט"), this);
  cmdCancel = new QPushButton(QStringLiteral("ביטול"), this);
  cmdOK->setDefault(true);
  optCount->setChecked(true);

  auto* choice = new QGridLayout;
  choice->addWidget(optCount, 0, 0);
  choice->addWidget(txtCount, 0, 1);
  choice->addWidget(cmd250, 0, 2);
  choice->addWidget(cmd50, 0, 3);
  choice->addWidget(optTolerance, 1, 0);
  choice->addWidget(txtTolerance, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choice);
  layout->addWidget(lblResult);
  layout->addLayout(buttons);

  connect(cmd250, &QPushButton::clicked, this, [this] {
    optCount->setChecked(true);
    txtCount->setValue(250);
  });
  connect(cmd50, &QPushButton::clicked, this, [this] {
    optCount->setChecked(true);
    txtCount->setValue(50);
  });
  connect(txtTolerance, &QDoubleSpinBox::valueChanged, this,
          [this] { optTolerance->setChecked(true); });
  for (QRadioButton* o : {optCount, optTolerance})
    connect(o, &QRadioButton::toggled, this, &frmSimplify::Update);
  connect(txtCount, &QSpinBox::valueChanged, this, &frmSimplify::Update);
  connect(txtTolerance, &QDoubleSpinBox::valueChanged, this, &frmSimplify::Update);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  Update();
}

void frmSimplify::Update() {
  const bool count = optCount->isChecked();
  m_result = Simplify(m_points, count ? -1 : txtTolerance->value(), count ? txtCount->value() : 0);
  QString far = QString::fromStdString(NumText::Rounded_Text(m_result.Max_Dev_m, 1));
  if (far.startsWith(QLatin1Char('.'))) far.prepend(QLatin1Char('0'));
  lblResult->setText(QStringLiteral("יישארו %1 מתוך %2 נקודות.")
                         .arg(m_result.Kept.size())
                         .arg(m_points.Count()) +
                     QStringLiteral("\n") +
                     QStringLiteral("הנקודה הרחוקה ביותר שהושמטה: %1 מ' מהקו.").arg(far));
}

bool frmSimplify::Ask(QWidget* owner, const cVQPoints& points, int max_points,
                      cSimplified& result) {
  frmSimplify dialog(points, max_points, owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  result = dialog.Result();
  return true;
}
