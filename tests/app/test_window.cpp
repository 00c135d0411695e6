// The real main window on the offscreen platform, with its settings in a temporary folder and
// its message boxes and dialogs answered by cFakeServices.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>

#include "app/cListModel.h"
#include "app/frmVQ.h"
#include "tests/app/cFakeServices.h"

namespace {
QString Data(const QString& name) { return QStringLiteral(VQ_TEST_DATA "/") + name; }
QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    services.program_folder = dir.path();
  }
  QString Stored(const QString& key) { return Store().value(key).toString(); }
  bool Has(const QString& key) { return Store().contains(key); }
  void Put(const QString& key, const QString& value) {
    QSettings s = Store();
    s.setValue(key, value);
  }
  // A window that has been started before: no readme at start.
  std::unique_ptr<frmVQ> Started(const QString& command_line = {}) {
    Put("Settings/1StUse", "1");
    auto w = std::make_unique<frmVQ>(services);
    EXPECT_TRUE(w->Form_Load(command_line));
    return w;
  }
  static QSettings Store() { return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")); }
  QTemporaryDir dir;
  cFakeServices services;
};

TEST_F(Window, FirstStartOpensTheReadmeOnceAndCloseSavesSizes) {
  {
    frmVQ w(services);
    ASSERT_TRUE(w.Form_Load({}));
    ASSERT_EQ(services.opened.size(), 1);
    EXPECT_EQ(services.opened[0], dir.path() + "/Readme.htm");
    EXPECT_EQ(Stored("Settings/1StUse"), "1");
    EXPECT_EQ(w.windowTitle(), "VQ");
    EXPECT_EQ(w.layoutDirection(), Qt::RightToLeft);
    EXPECT_TRUE(w.mnuDisplayCorITM->isChecked());
    EXPECT_FALSE(w.mnuDisplayCorLL->isChecked());
    EXPECT_EQ(w.Points.CoorSys(), 1);
    EXPECT_EQ(w.lvModel->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "צפונית");
    EXPECT_EQ(w.lv->columnWidth(4), w.Twips_To_Px(1700));
    w.show();
    w.close();
  }
  EXPECT_FALSE(Has("Display/CoorSys"));
  EXPECT_FALSE(Stored("Display/Width").isEmpty());
  EXPECT_FALSE(Stored("Display/Height").isEmpty());
  for (int n = 1; n <= 6; ++n) EXPECT_TRUE(Has(QStringLiteral("ColWidths/%1").arg(n))) << n;
  frmVQ again(services);
  ASSERT_TRUE(again.Form_Load({}));
  EXPECT_EQ(services.opened.size(), 1);  // not a second time
}

TEST_F(Window, ReadmeFailureShowsTheMessageAndEnds) {
  services.open_document_ok = false;
  frmVQ w(services);
  EXPECT_FALSE(w.Form_Load({}));
  EXPECT_EQ(services.ended, 1);
  ASSERT_EQ(services.messages.size(), 1);
  EXPECT_EQ(
      services.messages[0].text,
      QStringLiteral("פתיחת קובץ readme נכשלה.\r\nכלי זה מגיע ללא אחריות כלשהי.\r\nיש לקרוא את "
                     "קובץ readme המגיע עם כלי זה"));
  EXPECT_EQ(services.messages[0].icon, cServices::cIcon::None);
  EXPECT_FALSE(Has("Settings/1StUse"));
}

TEST_F(Window, StoredDisplaySizesAndBadValues) {
  Put("Display/CoorSys", "0");
  Put("ColWidths/2", "1440");
  Put("ColWidths/3", "0");
  Put("ColWidths/4", "-1");
  Put("ColWidths/5", "wide");
  Put("Display/Width", "7200");
  auto w = Started(Data("mixed.twl"));
  EXPECT_TRUE(w->mnuDisplayCorLL->isChecked());
  EXPECT_FALSE(w->mnuDisplayCorITM->isChecked());
  EXPECT_EQ(w->lvModel->Row_Text(1, 2), "N31 46' 36.13");
  EXPECT_EQ(w->lv->columnWidth(1), w->Twips_To_Px(1440));
  EXPECT_EQ(w->lv->columnWidth(2), 0);
  EXPECT_EQ(w->lv->columnWidth(3), w->Twips_To_Px(560));
  EXPECT_EQ(w->lv->columnWidth(4), w->Twips_To_Px(1700));
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

TEST_F(Window, CommandLineAndDisplaySwitch) {
  auto w = Started(Data("mixed.twl"));
  EXPECT_EQ(w->windowTitle(), "VQ - mixed.twl");
  EXPECT_EQ(w->FileTitle, "mixed.twl");
  ASSERT_EQ(w->lvModel->Row_Count(), 4);
  EXPECT_EQ(w->lvModel->Row_Text(1, 2), "171714");
  w->mnuDisplayCorLL->trigger();
  EXPECT_EQ(Stored("Display/CoorSys"), "0");
  EXPECT_TRUE(w->mnuDisplayCorLL->isChecked());
  EXPECT_FALSE(w->mnuDisplayCorITM->isChecked());
  EXPECT_EQ(w->lvModel->Row_Text(1, 2), "N31 46' 36.13");
  w->mnuDisplayCorITM->trigger();
  w->mnuDisplayCorITM->trigger();  // again: still checked, still written
  EXPECT_TRUE(w->mnuDisplayCorITM->isChecked());
  EXPECT_EQ(Stored("Display/CoorSys"), "1");
  EXPECT_EQ(w->lvModel->Row_Text(1, 2), "171714");

  auto q = Started("\"" + Data("mixed.twl") + "\"");
  ASSERT_EQ(services.messages.size(), 1);
  EXPECT_EQ(services.messages[0].text, QStringLiteral("קובץ אינו מתאים"));
  EXPECT_EQ(services.messages[0].icon, cServices::cIcon::Exclamation);
  EXPECT_EQ(q->lvModel->Row_Count(), 0);
}

TEST_F(Window, OpenDialogDropAndUnreadableFiles) {
  auto w = Started();
  services.file_names = {Data("duplicates.twl")};
  w->mnuFileOpen->trigger();
  EXPECT_EQ(services.dialog_titles.value(0), QStringLiteral("פתיחת קובץ:"));
  EXPECT_EQ(services.dialog_folders.value(0), dir.path());
  EXPECT_EQ(Stored("Settings/Path"), QStringLiteral(VQ_TEST_DATA));
  EXPECT_EQ(w->Points.Count(), 4);
  ASSERT_EQ(services.messages.size(), 1);  // two left out, the first named
  EXPECT_TRUE(services.messages[0].text.contains("2"));
  EXPECT_TRUE(services.messages[0].text.contains("jlm2"));
  w->mnuFileOpen->trigger();  // cancelled
  EXPECT_EQ(w->Points.Count(), 4);

  // A missing file keeps the list, the caption and the file title.
  w->Open_File(dir.filePath("gone.twl"));
  EXPECT_EQ(w->Points.Count(), 4);
  EXPECT_EQ(w->windowTitle(), "VQ - duplicates.twl");
  EXPECT_EQ(services.messages.size(), 2);

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
  w->mnuFileSaveAs->trigger();
  EXPECT_EQ(Read(csv), Read(Data("mixed.csv")));
  EXPECT_EQ(Stored("Settings/Path"), dir.filePath("out"));
  EXPECT_TRUE(services.messages.isEmpty());
  w->mnuFileSaveAs->trigger();
  EXPECT_FALSE(QFile::exists(dir.filePath("trip.doc")));
  EXPECT_EQ(Stored("Settings/Path"), dir.path());
  ASSERT_EQ(services.messages.size(), 1);
  w->mnuFileSaveAs->trigger();
  EXPECT_EQ(services.messages.size(), 2);
}

TEST_F(Window, ExitAboutAndReceiverAnswers) {
  auto w = Started(Data("mixed.twl"));
  w->mnuHelpAbout->trigger();
  ASSERT_EQ(services.messages.size(), 1);
  EXPECT_TRUE(services.messages[0].text.startsWith(
      QStringLiteral("נכתב למטרת ניסוי בלבד!\r\nהשימוש הוא על אחריות המשתמש!!!\r\n")));
  EXPECT_EQ(services.messages[0].text.count("\r\n"), 2);
  Put("Settings/Make", "Magellan");
  w->mnuFileLogDnld->trigger();
  services.file_names.clear();
  EXPECT_EQ(services.messages.last().text, "Not implamented yet!");
  EXPECT_EQ(w->Points.Count(), 4);
  w->mnuFileExit->trigger();
  EXPECT_EQ(services.ended, 1);
  EXPECT_FALSE(Has("Display/Width"));  // Exit saves nothing

  auto empty = Started();
  empty->mnuFileUpload->trigger();
  EXPECT_EQ(services.messages.last().text, QStringLiteral("אין מסלול לטעינה"));
}
}  // namespace
