#include "app/frmPick.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

frmPick::frmPick(const QVector<cChoice>& choices, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("VQ"));
  setLayoutDirection(Qt::RightToLeft);
  Label1 = new QLabel(QStringLiteral("בקובץ יש יותר מרשימה אחת. איזו לטעון?"), this);
  lstChoices = new QListWidget(this);
  for (const cChoice& c : choices) lstChoices->addItem(Choice_Text(c));
  lstChoices->setCurrentRow(0);
  cmdOK = new QPushButton(QStringLiteral("אישור"), this);
  cmdCancel = new QPushButton(QStringLiteral("ביטול"), this);
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(lstChoices, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(lstChoices);
  layout->addLayout(buttons);
}

QString frmPick::Part_Name(const cChoice& choice) {
  QString text;
  switch (choice.pick.kind) {
    case cPick::Route:
      text = QStringLiteral("מסלול %1").arg(choice.pick.number);
      break;
    case cPick::Track:
      text = QStringLiteral("הקלטה %1").arg(choice.pick.number);
      break;
    default:
      text = QStringLiteral("נקודות ציון");
      break;
  }
  if (!choice.name.isEmpty()) text += QStringLiteral(": ") + choice.name;
  return text;
}

QString frmPick::Choice_Text(const cChoice& choice) {
  return Part_Name(choice) + (choice.count == 1 ? QStringLiteral(" (נקודה אחת)")
                                                : QStringLiteral(" (%1 נקודות)").arg(choice.count));
}

// Centred on the window, or, before the window is shown (a file named on the command line), on
// the screen, where the window will open.
int frmPick::Ask(QWidget* owner, const QVector<cChoice>& choices) {
  frmPick dialog(choices, owner);
  dialog.adjustSize();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect around = owner && owner->isVisible() ? owner->frameGeometry()
                       : screen                    ? screen->availableGeometry()
                                                   : QRect();
  if (around.isValid()) dialog.move(around.center() - dialog.rect().center());
  return dialog.exec() == QDialog::Accepted ? dialog.lstChoices->currentRow() : -1;
}

QString Load_Failure_Text(const cLoadResult& result, const QString& path) {
  switch (result.status) {
    case cLoadResult::Loaded:
    case cLoadResult::Cancelled:
      return {};
    case cLoadResult::Not_Suitable:
    case cLoadResult::No_Such_Pick:
      return QStringLiteral("קובץ אינו מתאים");
    case cLoadResult::Cannot_Read:
      return QStringLiteral("לא ניתן לקרוא את הקובץ") + kCrLf + path;
    case cLoadResult::Bad_Content:
      break;
  }
  if (result.fault == cLoadResult::Not_Waypoint_File)
    return QStringLiteral("הקובץ אינו קובץ נקודות.") + kCrLf + path + kCrLf +
           QStringLiteral("הרשימה לא שונתה.");
  QString why;
  switch (result.fault) {
    case cLoadResult::Not_Gpx:
      why = QStringLiteral("הקובץ אינו קובץ GPX");
      break;
    case cLoadResult::Bad_Point:
      why = QStringLiteral("נקודה בלי קו רוחב וקו אורך תקינים");
      break;
    case cLoadResult::Declares_Entities:
      why = QStringLiteral("הקובץ מגדיר ישויות (DTD), ולכן אינו נקרא");
      break;
    case cLoadResult::Not_Vq_Csv:
      why = QStringLiteral("הקובץ אינו קובץ CSV ש-VQ שמר");
      break;
    case cLoadResult::Bad_Csv_Line:
      why = QStringLiteral("שורה שאינה שם, חמישה מספרים והערה");
      break;
    default:
      why = QStringLiteral("הקובץ פגום");
      break;
  }
  return QStringLiteral("הקובץ לא נטען: %1, בשורה %2.").arg(why).arg(result.line) + kCrLf + path;
}
