#pragma once
// The route dialog: route number 1 to 20 and title, and beside every label the name the receiver
// will show for it. The names are those the upload sends: Hebrew, or Latin (switched here and
// remembered), for the receiver's waypoint format (the receiver seen last) or for the drive.
// A Latin name edited here is checked as it is typed (OK waits until it is usable) and stored in
// names.csv. The dialog is hidden, not destroyed, after use, so the next upload finds the number
// chosen last.
#include <QDialog>

#include "text/Receiver_Names.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class frmRteData : public QDialog {
  Q_OBJECT
 public:
  explicit frmRteData(QWidget* parent = nullptr);

  // The chosen route number; -1 when the user cancelled (also by the close box).
  qint16 Idx = 0;
  QString Desc;
  // The rules the names were made by (the edits included) and the format they were made for.
  cNameRules Rules;
  QString Format;

  QLabel* Label1;
  QComboBox* cmbRteIdx;
  QLabel* Label2;
  QLineEdit* txtDesc;
  QLabel* lblTitle;
  QCheckBox* chkLatin;
  QLabel* lblFormat;
  QTableWidget* lvNames;
  QLabel* lblNote;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  // Fills the names for these labels from the settings: the drive's or the serial receiver's.
  void Set_Labels(const QStringList& labels, bool drive);
  // The names shown, in list order.
  QStringList Names() const;

  void cmdOK_Click();
  void cmdCancel_Click();
  void chkLatin_Click();

 protected:
  void reject() override;

 private:
  void Form_Load();
  void Show_Names();
  void Show_Title();
  void lvNames_Changed(int row, int column);
  void Mark(int row, const QString& fault);

  QStringList m_labels;
  bool m_drive = false;
  QString m_note;       // the names.csv lines left out
  QVector<bool> m_bad;  // rows whose typed name cannot be sent
};
