#pragma once
// The question a GPX file with more than one route, track or set of waypoints asks: which of
// them becomes the list. Each is listed with its name and number of points; the first is
// chosen at the start.
#include <QDialog>
#include <QVector>

#include "files/LoadResult.h"

class QLabel;
class QListWidget;
class QPushButton;

class frmPick : public QDialog {
  Q_OBJECT
 public:
  frmPick(const QVector<cChoice>& choices, QWidget* parent = nullptr);

  QLabel* Label1;
  QListWidget* lstChoices;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  // Shows the question modally: the index of the chosen part, or -1 when the user cancelled.
  static int Ask(QWidget* owner, const QVector<cChoice>& choices);
  // One line of the list: "מסלול 2: צפון (14 נקודות)", "(נקודה אחת)" for one point.
  static QString Choice_Text(const cChoice& choice);
  // The part without its count: "מסלול 2: צפון".
  static QString Part_Name(const cChoice& choice);
};

// The Hebrew message for a file that was not loaded; empty when there is nothing to say (a
// load that succeeded, or a question the user cancelled).
QString Load_Failure_Text(const cLoadResult& result, const QString& path);
