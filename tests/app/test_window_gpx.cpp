// The window with GPX and CSV files: the open and save filters, the question a GPX file with
// several parts asks (the real dialog, answered from a timer).
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include <QLabel>
#include <QSpinBox>
#include <QUndoStack>

#include "app/frmPick.h"
#include "app/frmSimplify.h"
#include "files/PointFile.h"
#include "tests/app/WindowTest.h"

namespace {
// Answers the next pick dialog with row (-1: Cancel) and keeps its lines; whatever modal
// window is still open after two seconds is closed, so a missing dialog fails instead of hanging.
const QStringList& Answer_Pick(int row) {
  static QStringList lines;
  lines.clear();
  QTimer::singleShot(0, [row] {
    auto* pick = qobject_cast<frmPick*>(QApplication::activeModalWidget());
    if (!pick) return;
    for (int i = 0; i < pick->lstChoices->count(); ++i) lines << pick->lstChoices->item(i)->text();
    if (row < 0) return pick->cmdCancel->click();
    pick->lstChoices->setCurrentRow(row);
    pick->cmdOK->click();
  });
  QTimer::singleShot(2000, [] {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  return lines;
}

// Answers the next simplify dialog through `answer`, closing it after two seconds as above.
void Answer_Simplify(std::function<void(frmSimplify&)> answer) {
  QTimer::singleShot(0, [answer] {
    if (auto* d = qobject_cast<frmSimplify*>(QApplication::activeModalWidget())) answer(*d);
  });
  QTimer::singleShot(2000, [] {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
}

// A track shows its numbers; reversed and simplified it comes back with undo; simplified it is
// a route, and is written as one.
TEST_F(WindowTest, ATrackShowsItsNumbersSimplifiesToARouteAndReverses) {
  auto w = Started(Data("gpx/garmin.gpx"));
  const QString numbers = w->sbSummary->text();
  EXPECT_TRUE(numbers.startsWith("3 נקודות, ")) << numbers.toStdString();
  EXPECT_TRUE(numbers.contains(", 0:00:51 שעות, עלייה ")) << numbers.toStdString();
  EXPECT_TRUE(numbers.contains("(בסף של 5 מ')")) << numbers.toStdString();
  w->mnuEditReverse->trigger();
  EXPECT_EQ(w->Points.Item(1).Label + w->Points.Item(3).Label, "31");
  QString shown;
  Answer_Simplify([&](frmSimplify& d) {
    d.txtCount->setValue(2);
    shown = d.lblResult->text();
    d.cmdOK->click();
  });
  w->mnuEditSimplify->trigger();
  EXPECT_TRUE(shown.startsWith("יישארו 2 מתוך 3 נקודות.")) << shown.toStdString();
  ASSERT_EQ(w->Points.Count(), 2);
  EXPECT_EQ(w->sbSummary->text().left(10), "2 נקודות, ");
  services.file_names << dir.filePath("route.gpx");
  w->mnuFileSaveAs->trigger();
  cVQPoints back;
  ASSERT_EQ(Load_Point_File(dir.filePath("route.gpx"), back).status, cLoadResult::Loaded);
  EXPECT_FALSE(back.From_Track);
  EXPECT_EQ(back.Count(), 2);
  w->mnuEditUndo->trigger();
  w->mnuEditUndo->trigger();
  EXPECT_TRUE(w->Points.From_Track);
  EXPECT_EQ(w->Points.Item(1).Label + w->Points.Item(2).Label + w->Points.Item(3).Label, "123");
  EXPECT_TRUE(w->Points.Item(3).New_Segment);
}

TEST_F(WindowTest, GpxOpenAsksWhichPartSaveAsWritesGpx) {
  const QStringList& lines = Answer_Pick(2);
  auto owner = Started(Data("gpx/parts.gpx"));
  frmVQ& w = *owner;
  EXPECT_EQ(lines, QStringList({"מסלול 1: North (2 נקודות)", "מסלול 2: South (נקודה אחת)",
                                "הקלטה 1: Walked (3 נקודות)", "נקודות ציון (נקודה אחת)"}));
  EXPECT_EQ(w.Points.Count(), 3);
  EXPECT_TRUE(w.Points.From_Track);
  EXPECT_EQ(w.windowTitle(), "VQ - parts.gpx - הקלטה 1: Walked");

  Answer_Pick(-1);
  w.Open_File(Data("gpx/parts.gpx"));
  EXPECT_EQ(w.Points.Count(), 3);  // cancelled: the track stays
  EXPECT_TRUE(services.messages.isEmpty());

  services.file_names << Data("gpx/bad_xml.gpx");
  w.mnuFileOpen->trigger();
  EXPECT_TRUE(services.messages.value(0).text.startsWith("הקובץ לא נטען: הקובץ פגום, בשורה 3."));
  EXPECT_TRUE(services.dialog_filters[0].startsWith("קבצי נקודות (*.twl *.gpx *.csv)|"));
  EXPECT_EQ(w.Points.Count(), 3);

  services.file_names << dir.filePath("walked.GPX");
  w.mnuFileSaveAs->trigger();
  EXPECT_TRUE(services.dialog_filters.last().endsWith("|קובץ GPX (*.gpx)|*.gpx"));
  cVQPoints back;
  ASSERT_EQ(Load_Point_File(dir.filePath("walked.GPX"), back).status, cLoadResult::Loaded);
  EXPECT_EQ(back.Count(), 3);
  EXPECT_TRUE(back.From_Track);
  EXPECT_EQ(services.messages.size(), 1);  // the bad file's only
}
}  // namespace
