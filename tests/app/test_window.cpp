// The real main window on the offscreen platform, with its settings in a temporary folder and
// its message boxes and dialogs answered by cFakeServices.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTreeView>
#include <QUrl>

#include "app/cListModel.h"
#include "tests/app/WindowTest.h"
#include "tests/gen/TwlGen.h"

namespace {
// What Qt itself measures for a column's cells.
int Qt_Need(QAbstractItemView* view, int column) { return view->sizeHintForColumn(column); }
QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
using Window = WindowTest;

// A readme that fails to open shows the message (why, and where the readme is) once for the
// version, the window goes on, and the readme is offered again at the next start; once opened it
// is not offered again. Without a viewer the Help menu shows it in VQ's own window.
TEST_F(Window, FirstStartOpensTheReadmeOnceAndCloseSavesSizes) {
  services.open_document_ok = false;
  {
    frmVQ w(services), again(services);
    EXPECT_TRUE(w.Form_Load({}));
    ASSERT_EQ(services.messages.size(), 1);
    EXPECT_TRUE(services.messages[0].text.contains(dir.path() + "/Readme.htm"));
    EXPECT_TRUE(again.Form_Load({}));
    EXPECT_EQ(services.messages.size(), 1);
    EXPECT_FALSE(Has("Settings/1StUse"));
    QFile readme(dir.filePath("Readme.htm"));
    ASSERT_TRUE(readme.open(QIODevice::WriteOnly) && readme.write("<p>VQ</p>") > 0);
    readme.close();
    w.mnuHelpReadme->trigger();
    ASSERT_TRUE(w.Readme && w.Readme->isVisible());
    EXPECT_TRUE(w.Readme->toPlainText().contains("VQ"));
    services.open_document_ok = true;
  }
  {
    frmVQ w(services);
    ASSERT_TRUE(w.Form_Load({}));
    ASSERT_EQ(services.opened.size(), 4);
    EXPECT_EQ(services.opened[3], dir.path() + "/Readme.htm");
    w.show();
    // No stored size: wide enough for every column; the list reaches the status bar.
    int columns = 0;
    for (int c = 0; c < 6; ++c) columns += w.lv->columnWidth(c);
    EXPECT_LE(columns, w.lv->viewport()->width());
    EXPECT_EQ(w.lv->mapTo(&w, QPoint(0, w.lv->height())).y(), w.statusBar()->geometry().top());
    w.resize(640, 480);
    w.close();
  }
  EXPECT_FALSE(Has("Display/CoorSys"));
  for (int n = 1; n <= 6; ++n) EXPECT_TRUE(Has(QStringLiteral("ColWidths/%1").arg(n))) << n;
  frmVQ again(services);
  ASSERT_TRUE(again.Form_Load({}));
  again.show();
  EXPECT_EQ(again.size(), QSize(640, 480));  // the stored size gives back the same window
  EXPECT_EQ(services.opened.size(), 4);      // not again
  EXPECT_EQ(services.ended, 0);
  // Installed, the program is in bin and the readme under share/vq.
  services.program_folder = dir.filePath("bin");
  ASSERT_TRUE(QDir().mkpath(dir.filePath("share/vq")));
  ASSERT_TRUE(QFile::copy(dir.filePath("Readme.htm"), dir.filePath("share/vq/Readme.htm")));
  again.mnuHelpReadme->trigger();
  EXPECT_EQ(services.opened.last(), dir.path() + "/share/vq/Readme.htm");
}

TEST_F(Window, StoredDisplaySizesAndBadValues) {
  Put("Display/CoorSys", "0");
  Put("ColWidths/2", "3000");
  Put("ColWidths/3", "0");  // no number may be cut: the column gets its need
  Put("ColWidths/5", "2000");
  Put("Display/Width", "7200");
  auto w = Started(Data("mixed.twl"));
  EXPECT_TRUE(w->mnuDisplayCorLL->isChecked());
  EXPECT_EQ(w->lvModel->Row_Text(1, 2), "N31 46' 36.13");
  EXPECT_EQ(w->lv->columnWidth(1), w->Twips_To_Px(3000));
  EXPECT_GE(w->lv->columnWidth(2), Qt_Need(w->lv, 2));
  EXPECT_EQ(w->lv->columnWidth(4), w->Twips_To_Px(2000));
  EXPECT_EQ(w->frameGeometry().width(), w->Twips_To_Px(7200));
  for (const char* odd : {"5", "abc"}) {
    Put("Display/CoorSys", odd);
    auto v = Started(Data("mixed.twl"));
    EXPECT_TRUE(v->mnuDisplayCorITM->isChecked()) << odd;
    const bool grid = QString(odd) == "abc";  // not a number: the grid, as by default
    EXPECT_EQ(v->lvModel->Row_Text(1, 2).isEmpty(), !grid) << odd;
    EXPECT_EQ(v->lvModel->Row_Text(1, 4), "770");
  }
}

TEST_F(Window, CommandLineOpensTheFile) {
  auto w = Started(Data("mixed.twl"));
  EXPECT_EQ(w->windowTitle(), "VQ - mixed.twl");
  ASSERT_EQ(w->lvModel->Row_Count(), 4);
  EXPECT_EQ(w->lvModel->Row_Text(1, 2), "171714");

  auto q = Started("\"" + Data("mixed.twl") + "\"");
  ASSERT_EQ(services.messages.size(), 1);
  EXPECT_EQ(q->lvModel->Row_Count(), 0);
}

TEST_F(Window, OpenDialogDropAndUnreadableFiles) {
  auto w = Started();
  services.file_names = {Data("duplicates.twl")};
  w->mnuFileOpen->trigger();
  EXPECT_EQ(services.dialog_folders.value(0), dir.path());
  EXPECT_EQ(Stored("Settings/Path"), QStringLiteral(VQ_TEST_DATA));
  EXPECT_EQ(w->Points.Count(), 4);
  ASSERT_EQ(services.messages.size(), 1);  // two left out, the first named
  EXPECT_TRUE(services.messages[0].text.contains("2"));
  EXPECT_TRUE(services.messages[0].text.contains("jlm2"));
  w->mnuFileOpen->trigger();  // cancelled
  EXPECT_EQ(w->Points.Count(), 4);

  // A missing file or one that is not a list of points keeps the list, the caption and the file
  // title; which bytes are refused is the loader's concern.
  ASSERT_TRUE(TwlGen::Write_File(dir.filePath("bad.twl"), "A text file, not a list of points.\n"));
  w->Open_File(dir.filePath("gone.twl"));
  w->Open_File(dir.filePath("bad.twl"));
  EXPECT_EQ(w->Points.Count(), 4);
  EXPECT_EQ(w->windowTitle(), "VQ - duplicates.twl");
  ASSERT_EQ(services.messages.size(), 3);
  EXPECT_TRUE(services.messages[2].text.startsWith(QStringLiteral("הקובץ אינו קובץ נקודות.")));

  const auto drop = [&](const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    // A drop reaches the widget that took the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->lv->viewport(), &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->lv->viewport(), &event);
  };
  drop({QUrl::fromLocalFile(Data("mixed.twl"))});
  EXPECT_EQ(w->windowTitle(), "VQ - mixed.twl");
  const int before = services.messages.size();
  drop({QUrl::fromLocalFile(Data("mixed.twl")), QUrl::fromLocalFile(Data("cut.twl"))});
  ASSERT_EQ(services.messages.size(), before + 1);
  EXPECT_EQ(services.messages.last().text, QStringLiteral("קובץ אינו מתאים"));
  EXPECT_EQ(w->windowTitle(), "VQ - mixed.twl");
}

TEST_F(Window, SaveAsWritesByTheNameAndRecordsTheFolder) {
  auto w = Started(Data("mixed.twl"));
  const QString csv = dir.filePath("out/TRIP.CSV");
  QDir().mkpath(dir.filePath("out"));
  services.file_names = {csv, dir.filePath("trip.doc"), dir.filePath("none/x.txt")};
  EXPECT_EQ(Stored("Settings/Path"), QStringLiteral(VQ_TEST_DATA));  // the command line's folder
  w->mnuFileSaveAs->trigger();
  EXPECT_EQ(services.dialog_names.value(0), "mixed");
  EXPECT_EQ(services.offered_filters.value(0), 0);  // nothing saved yet: text first
  EXPECT_EQ(services.dialog_folders.value(0), QStringLiteral(VQ_TEST_DATA));
  EXPECT_EQ(Read(csv), Read(Data("mixed.csv")));
  EXPECT_EQ(Stored("Settings/Path"), dir.filePath("out"));
  EXPECT_EQ(w->windowTitle(), "VQ - TRIP.CSV");
  EXPECT_TRUE(services.messages.isEmpty());
  w->mnuFileSaveAs->trigger();
  EXPECT_FALSE(QFile::exists(dir.filePath("trip.doc")));
  EXPECT_EQ(Stored("Settings/Path"), dir.path());
  ASSERT_EQ(services.messages.size(), 1);
  w->mnuFileSaveAs->trigger();
  EXPECT_EQ(services.messages.size(), 2);

  // A name without an ending takes the chosen type's; an existing file is replaced only on OK.
  services.save_filter = 1;
  services.file_names = {dir.filePath("track"), csv};
  services.answers = {cServices::cAnswer::Cancel};
  w->mnuFileSaveAs->trigger();
  EXPECT_EQ(Read(dir.filePath("track.csv")), Read(Data("mixed.csv")));
  EXPECT_EQ(services.offered_filters.last(), 1);  // the type saved last: CSV
  QFile::resize(csv, 0);
  w->mnuFileSaveAs->trigger();
  EXPECT_EQ(services.messages.last().buttons, cServices::cButtons::OK_Cancel);
  EXPECT_EQ(QFileInfo(csv).size(), 0);
}

TEST_F(Window, ColumnsShowEveryNumberWholeUnderTheRightHeader) {
  const QString many = dir.filePath("many.twl");
  ASSERT_TRUE(TwlGen::Write_File(many, TwlGen::Make_TWL(TwlGen::Spread_Records(147))));
  auto w = Started(many);
  w->show();
  QApplication::processEvents();
  const auto header = [&](int c) {
    return w->lvModel->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
  };
  for (QAction* display : {w->mnuDisplayCorLL, w->mnuDisplayCorITM}) {
    display->trigger();
    display->trigger();  // again: still checked, still written
    QApplication::processEvents();
    const bool grid = display == w->mnuDisplayCorITM;
    EXPECT_TRUE(display->isChecked());
    EXPECT_EQ(Stored("Display/CoorSys"), grid ? "1" : "0");
    for (int c : {1, 2, 3, 5}) EXPECT_GE(w->lv->columnWidth(c), Qt_Need(w->lv, c)) << c;
    // Every column inside the viewport, beside the vertical scroll bar, none behind it.
    int columns = 0;
    for (int c = 0; c < 6; ++c) columns += w->lv->columnWidth(c);
    EXPECT_TRUE(w->lv->verticalScrollBar()->isVisible());
    EXPECT_LE(columns, w->lv->viewport()->width());
    EXPECT_EQ(header(1), grid ? "מזרחית" : "צפונית");
    EXPECT_EQ(header(2), grid ? "צפונית" : "מזרחית");
  }
  EXPECT_EQ(w->lvModel->data(w->lvModel->index(0, 4), Qt::ToolTipRole).toString(), "נקודה 1");
  EXPECT_TRUE(w->sbSummary->text().startsWith(QStringLiteral("147 נקודות, ")));
  // A long receiver description gives way in a narrow window; the summary's numbers do not.
  w->sbPanel1->setText("eTrex Legend HCx Software Version 3.70 with a long name");
  w->resize(w->Twips_To_Px(5000), w->height());
  QApplication::processEvents();
  EXPECT_LT(w->sbPanel1->width(), w->sbPanel1->sizeHint().width());
  EXPECT_GE(w->sbSummary->width(), w->sbSummary->sizeHint().width());
  w->Open_File(Data("mixed.twl"));
  EXPECT_EQ(w->sbSummary->text(), QStringLiteral("4 נקודות, 335.08 ק\"מ"));
  EXPECT_TRUE(w->sbPanel1->text().isEmpty());
}

TEST_F(Window, AListFromTheReceiverAsksBeforeItIsReplaced) {
  auto w = Started(Data("mixed.twl"));
  w->List_From_Receiver("eTrex Legend");
  EXPECT_EQ(w->windowTitle(), "VQ - eTrex Legend");
  using A = cServices::cAnswer;
  services.answers = {A::Cancel, A::Cancel, A::Cancel, A::Discard};
  w->Open_File(Data("duplicates.twl"));
  w->mnuFileExit->trigger();
  w->show();
  w->close();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(services.ended, 0);
  EXPECT_EQ(services.messages[0].buttons, cServices::cButtons::Save_Discard_Cancel);
  EXPECT_EQ(w->Points.Count(), 4);
  w->Open_File(Data("duplicates.twl"));
  EXPECT_EQ(w->windowTitle(), "VQ - duplicates.twl");
  EXPECT_FALSE(w->List_Unsaved());

  // Save: the list is written first, then the program ends.
  w->List_From_Receiver("eTrex Legend");
  services.answers = {A::Save};
  services.file_names = {dir.filePath("track.txt")};
  w->mnuFileExit->trigger();
  EXPECT_TRUE(QFile::exists(dir.filePath("track.txt")));
  EXPECT_EQ(services.ended, 1);
}

TEST_F(Window, ExitAndReceiverAnswers) {
  auto w = Started(Data("mixed.twl"));
  Put("Settings/Make", "Magellan");
  w->mnuFileLogDnld->trigger();
  EXPECT_EQ(services.messages.size(), 1);
  EXPECT_EQ(w->Points.Count(), 4);
  w->mnuFileExit->trigger();
  EXPECT_EQ(services.ended, 1);
  EXPECT_FALSE(Has("Display/Width"));  // Exit saves nothing

  auto empty = Started();
  empty->mnuFileUpload->trigger();
  EXPECT_EQ(services.messages.last().text, QStringLiteral("אין מסלול לטעינה"));
}
}  // namespace
