// The real main window on the offscreen platform, with its settings in a temporary folder and
// its message boxes and dialogs answered by cFakeServices.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QUndoStack>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTreeView>
#include <QUrl>

#include "app/cListModel.h"
#include "geo/Xlate.h"
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

// The command line's file is opened (see the edit tests); the whole text is its name.
TEST_F(Window, CommandLineOpensTheFile) {
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
  // An edit asks the same; Save As clears the caption's mark.
  ASSERT_TRUE(w->lvModel->setData(w->lvModel->index(0, 4), "x", Qt::EditRole));
  services.answers = {A::Cancel};
  w->Open_File(Data("mixed.twl"));
  EXPECT_EQ(w->windowTitle(), "VQ - duplicates.twl*");
  EXPECT_TRUE(services.messages.last().text.startsWith(QStringLiteral("השינויים ברשימה")));
  services.file_names = {dir.filePath("edited.csv")};
  w->mnuFileSaveAs->trigger();
  EXPECT_EQ(w->windowTitle(), "VQ - edited.csv");
  EXPECT_FALSE(w->List_Unsaved());

  // Save: the list is written first, then the program ends.
  w->List_From_Receiver("eTrex Legend");
  services.answers = {A::Save};
  services.file_names = {dir.filePath("track.txt")};
  w->mnuFileExit->trigger();
  EXPECT_TRUE(QFile::exists(dir.filePath("track.txt")));
  EXPECT_EQ(services.ended, 1);
}

// A typed cell changes its point and the legs beside it in place; what is no value is refused
// with a message and the cell keeps its text; every edit undoes.
TEST_F(Window, CellEditsFollowTheDisplayAndRefuseWhatIsNoValue) {
  auto w = Started(Data("mixed.twl"));
  cListModel& m = *w->lvModel;
  const auto edit = [&](int row, int column, const char* text) {
    return m.setData(m.index(row, column), QString::fromUtf8(text), Qt::EditRole);
  };
  int resets = 0;
  QObject::connect(&m, &QAbstractItemModel::modelReset, [&] { ++resets; });
  ASSERT_TRUE(edit(1, 1, "171000"));  // the easting typed, the northing kept
  EXPECT_EQ(m.Row_Text(2, 2) + " " + m.Row_Text(2, 3), "171000 1132069");
  EXPECT_EQ(m.Row_Text(2, 6) + " " + m.Row_Text(3, 6), "0.86 53.16");
  EXPECT_EQ(resets, 0);
  EXPECT_EQ(w->windowTitle(), "VQ - mixed.twl*");
  const struct {
    int row, column;
    const char* text;
  } refused[] = {{0, 0, "jlm2"}, {0, 0, " "}, {0, 1, "abc"}, {0, 2, "1e12"}, {0, 3, "12 m"}};
  for (const auto& r : refused) {
    const QString before = m.Row_Text(r.row + 1, r.column + 1);
    EXPECT_FALSE(edit(r.row, r.column, r.text)) << r.text;
    EXPECT_EQ(m.Row_Text(r.row + 1, r.column + 1), before) << r.text;
  }
  ASSERT_EQ(services.messages.size(), 5);
  EXPECT_TRUE(services.messages[0].text.contains("JLM2"));
  w->mnuDisplayCorLL->trigger();
  ASSERT_TRUE(edit(3, 2, "N31 46' 36.1\" E35 14' 4.2\""));
  ASSERT_TRUE(edit(3, 0, "eilat2") && edit(3, 3, "-412.5") && edit(3, 4, "ים המלח"));
  EXPECT_EQ(m.Row_Text(4, 1) + "|" + m.Row_Text(4, 2) + "|" + m.Row_Text(4, 3) + "|" +
                m.Row_Text(4, 4) + "|" + m.Row_Text(4, 5),
            "eilat2|N31 46' 36.1|E35 14' 4.2|-412.5|ים המלח");
  // Insert types a place; a new point gets a free number as its name.
  w->lv->selectionModel()->clearSelection();
  services.texts = {"31.7767 x", "31.5 35"};
  w->mnuEditInsert->trigger();
  w->mnuEditInsert->trigger();
  ASSERT_EQ(w->Points.Count(), 5);
  EXPECT_EQ(m.Row_Text(5, 1) + "|" + m.Row_Text(5, 2), "5|N31 30' 00");
  for (int n = 0; n < 6; ++n) w->mnuEditUndo->trigger();
  EXPECT_EQ(w->windowTitle(), "VQ - mixed.twl");
  EXPECT_EQ(w->Points.Count(), 4);
  EXPECT_EQ(m.Row_Text(2, 6), "0.5");
  EXPECT_EQ(m.Row_Text(4, 1) + m.Row_Text(4, 4), "Eilat12");
}

// Selected rows move, are dragged and deleted together, and come back with undo; copy gives
// them as shown; find goes to the next point that holds the text.
TEST_F(Window, RowsMoveAndDeleteTogetherAndUndo) {
  auto w = Started(Data("mixed.twl"));
  w->show();
  QApplication::processEvents();
  const auto labels = [&] {
    QStringList l;
    for (int r = 1; r <= w->lvModel->Row_Count(); ++r) l << w->lvModel->Row_Text(r, 1);
    return l.join(",").toStdString();
  };
  const auto select = [&](std::initializer_list<int> rows) {
    w->lv->selectionModel()->clearSelection();
    for (int r : rows)
      w->lv->selectionModel()->select(w->lvModel->index(r, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  };
  select({0, 1});
  w->mnuEditDown->trigger();
  EXPECT_EQ(labels(), ",שער יפו,JLM2,Eilat");
  w->mnuEditDown->trigger();
  w->mnuEditDown->trigger();  // already at the bottom
  EXPECT_EQ(labels(), ",Eilat,שער יפו,JLM2");
  w->mnuEditCopy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            "שער יפו\t171714\t1131593\t770\tירושלים, העיר העתיקה\t247.98\nJLM2\t171856\t1132069\t765\t\t0.5\n");
  // Dropped on the first row's upper half: before it.
  QMimeData data;
  data.setData(cListModel::kRowsMime, "3");
  const QPoint top = w->lv->visualRect(w->lvModel->index(0, 0)).topLeft() + QPoint(2, 1);
  QDragEnterEvent enter(top, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w->lv->viewport(), &enter);
  QDropEvent drop(top, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w->lv->viewport(), &drop);
  EXPECT_EQ(labels(), "JLM2,,Eilat,שער יפו");
  select({0, 2});
  w->mnuEditDelete->trigger();
  EXPECT_EQ(labels(), ",שער יפו");
  services.texts = {"ים", "תל"};
  w->mnuEditFind->trigger();
  EXPECT_EQ(w->lv->currentIndex().row(), 1);  // the comment holds it
  w->mnuEditFind->trigger();
  EXPECT_EQ(w->lv->currentIndex().row(), 0);  // round to the top
  for (int n = 0; n < 3; ++n) w->mnuEditUndo->trigger();
  EXPECT_EQ(labels(), ",שער יפו,JLM2,Eilat");
  EXPECT_EQ(w->Selected_Rows(), (std::vector<int>{1, 2}));
  w->mnuEditRedo->trigger();
  EXPECT_EQ(labels(), ",Eilat,שער יפו,JLM2");
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
  // A list longer than a receiver's route is offered simplification first.
  const QString many = dir.filePath("many.twl");
  ASSERT_TRUE(TwlGen::Write_File(many, TwlGen::Make_TWL(TwlGen::Spread_Records(251))));
  empty->Open_File(many);
  services.answers = {cServices::cAnswer::Cancel};
  empty->mnuFileUpload->trigger();
  EXPECT_EQ(services.messages.last().buttons, cServices::cButtons::Yes_No_Cancel);
  EXPECT_TRUE(empty->RteData.isNull());
}
}  // namespace
