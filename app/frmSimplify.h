#pragma once
// The simplification of the list: at most a number of points (250, what a receiver's route
// holds; 50, for turn-by-turn; or any number) or the fewest points within a distance in metres.
// Before the user accepts, it shows how many points remain and how far the farthest dropped
// point lies from the line of those kept.
#include <QDialog>

#include "points/cVQShape.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class cVQPoints;

class frmSimplify : public QDialog {
  Q_OBJECT
 public:
  // max_points: the number offered first.
  frmSimplify(const cVQPoints& points, int max_points, QWidget* parent = nullptr);

  QRadioButton* optCount;
  QSpinBox* txtCount;
  QPushButton *cmd250, *cmd50;
  QRadioButton* optTolerance;
  QDoubleSpinBox* txtTolerance;
  QLabel* lblResult;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  // What the choice keeps, brought up to date with every change.
  const cSimplified& Result() const { return m_result; }
  // Shows the dialog modally; false when the user cancelled.
  static bool Ask(QWidget* owner, const cVQPoints& points, int max_points, cSimplified& result);

 private:
  void Update();
  const cVQPoints& m_points;
  cSimplified m_result;
};
