#pragma once
// The route dialog: route number 1 to 20 and title. It is hidden, not destroyed, after use, so
// the next upload finds the number chosen last.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmRteData : public QDialog {
  Q_OBJECT
 public:
  explicit frmRteData(QWidget* parent = nullptr);

  // The chosen route number; -1 when the user cancelled (also by the close box).
  qint16 Idx = 0;
  QString Desc;

  QLabel* Label1;
  QComboBox* cmbRteIdx;
  QLabel* Label2;
  QLineEdit* txtDesc;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  void cmdOK_Click();
  void cmdCancel_Click();

 protected:
  void reject() override;

 private:
  void Form_Load();
};
