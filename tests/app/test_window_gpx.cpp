// The window with GPX and CSV files: the open and save filters, the question a GPX file with
// several parts asks (the real dialog, answered from a timer), a refused file keeping the list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include "app/frmPick.h"
#include "app/frmVQ.h"
#include "files/PointFile.h"
#include "tests/app/cFakeServices.h"

namespace {
QString Data(const QString& name) { return QStringLiteral(VQ_TEST_DATA "/") + name; }

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

TEST(WindowGpx, OpenAsksWhichPartSaveAsWritesGpxBadFilesKeepTheList) {
  QTemporaryDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
  QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")).setValue("Settings/1StUse", "1");
  cFakeServices services;
  services.program_folder = dir.path();
  frmVQ w(services);

  const QStringList& lines = Answer_Pick(2);
  ASSERT_TRUE(w.Form_Load(Data("gpx/parts.gpx")));
  EXPECT_EQ(lines, QStringList({"מסלול 1: North (2 נקודות)", "מסלול 2: South (1 נקודות)",
                                "הקלטה 1: Walked (3 נקודות)", "נקודות ציון (1 נקודות)"}));
  EXPECT_EQ(w.Points.Count(), 3);
  EXPECT_TRUE(w.Points.From_Track);
  EXPECT_EQ(w.windowTitle(), "VQ - parts.gpx");

  Answer_Pick(-1);
  w.Open_File(Data("gpx/parts.gpx"));
  EXPECT_EQ(w.Points.Count(), 3);  // cancelled: the track stays
  EXPECT_TRUE(services.messages.isEmpty());

  services.file_names << Data("gpx/bad_xml.gpx");
  w.mnuFileOpen->trigger();
  ASSERT_EQ(services.messages.size(), 1);
  EXPECT_TRUE(services.messages[0].text.startsWith("הקובץ לא נטען: הקובץ פגום, בשורה 3."));
  EXPECT_TRUE(services.dialog_filters[0].startsWith("קבצי נקודות (*.twl *.gpx *.csv)|"));
  for (const char* each : {"|*.twl|", "|*.gpx|", "|*.csv"})
    EXPECT_TRUE(services.dialog_filters[0].contains(each)) << each;
  EXPECT_EQ(w.Points.Count(), 3);
  EXPECT_EQ(w.windowTitle(), "VQ - parts.gpx");

  services.file_names << dir.filePath("walked.GPX");
  w.mnuFileSaveAs->trigger();
  EXPECT_TRUE(services.dialog_filters.last().endsWith("|קובץ GPX (*.gpx)|*.gpx"));
  cVQPoints back;
  ASSERT_EQ(Load_Point_File(dir.filePath("walked.GPX"), back).status, cLoadResult::Loaded);
  EXPECT_EQ(back.Count(), 3);
  EXPECT_TRUE(back.From_Track);
  EXPECT_EQ(services.messages.size(), 1);
}
}  // namespace
