// The window's receiver commands against the simulator on a pseudo-terminal.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtEndian>

#include "app/cListModel.h"
#include "app/frmRteData.h"
#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "tests/app/WindowTest.h"
#include "tests/sim/cSimReceiver.h"
#include "workflows/cTransfer.h"

namespace {
class WindowDevice : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Put("Settings/COM", "5");
    Put("Ports/5", sim.Slave_Path());
    sim.Protocol_Array = cSimReceiver::Array_Of({"P000", "L001", "A010", "A100", "D108", "A201",
                                                 "D202", "D108", "D210", "A301", "D310", "D301"});
    w = Started(Data("mixed.twl"));
    w->tmr.setInterval(25);
    w->Handshake_Wait_Ms = 150;
  }
  // Runs the event loop until done() holds, for ten seconds at most.
  template <typename F>
  bool Wait_Until(F done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
  }
  cSimReceiver sim;
  std::unique_ptr<frmVQ> w;
};

TEST_F(WindowDevice, UploadFromTheLatLonDisplaySendsThePointsThemselves) {
  w->mnuDisplayCorLL->trigger();
  QString offered;
  QTimer::singleShot(0, [&] {
    offered = w->RteData->txtDesc->text();
    w->RteData->cmbRteIdx->setCurrentIndex(6);
    w->RteData->cmdOK_Click();
  });
  w->mnuFileUpload->trigger();
  EXPECT_EQ(offered, "MIXED");
  EXPECT_FALSE(w->mnuFileOpen->isEnabled());
  ASSERT_TRUE(Wait_Until([&] { return !services.messages.isEmpty(); }));
  EXPECT_EQ(services.messages[0].text, QStringLiteral("הטעינה הסתיימה\r\nנטענו 4 נצ"));
  EXPECT_TRUE(w->mnuFileOpen->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(w->Garmin->Route.Number, 7);
  EXPECT_TRUE(w->sbPanel2->text().isEmpty());
  // The first route waypoint carries the first point's latitude, not a zero from the list text.
  QByteArray wpt;
  for (const QByteArray& p : sim.Received)
    if (quint8(p[1]) == 30 && wpt.isEmpty()) wpt = p;
  ASSERT_GE(wpt.size(), 3 + 32);
  const double lat = qFromLittleEndian<qint32>(wpt.constData() + 3 + 24) * 180.0 / 2147483648.0;
  EXPECT_NEAR(lat, w->Points.Item(1).lat, 1e-6);
}

// Latin names switched on in the route dialog (and remembered), one name edited there (checked as
// typed, kept in names.csv): the names shown are the names on the wire.
TEST_F(WindowDevice, RouteDialogNamesAreTheNamesSent) {
  QStringList shown;
  QTimer::singleShot(0, [&] {
    frmRteData* d = w->RteData;
    d->chkLatin->click();
    d->lvNames->item(1, 1)->setText("shar yfo");  // another point's name
    EXPECT_FALSE(d->cmdOK->isEnabled());
    d->lvNames->item(1, 1)->setText("jlm-2");
    shown = d->Names();
    d->cmdOK_Click();
    if (d->isVisible()) d->cmdCancel_Click();  // OK still waiting: the test fails, not hangs
  });
  w->mnuFileUpload->trigger();
  ASSERT_TRUE(Wait_Until([&] { return !services.messages.isEmpty(); }));
  EXPECT_EQ(shown, QStringList({"SHAR YFO", "JLM-2", "3", "EILAT"}));
  EXPECT_EQ(Stored("Settings/LatinNames"), "1");
  QFile names(dir.filePath("VQ/names.csv"));
  ASSERT_TRUE(names.open(QIODevice::ReadOnly));
  EXPECT_EQ(names.readAll(), "JLM2,JLM-2\n");
  QStringList sent;
  for (const QByteArray& p : sim.Received)
    if (quint8(p[1]) == 30) sent << QString::fromLatin1(p.mid(3 + 48).split('\0').first());
  EXPECT_EQ(sent, shown);
}

TEST_F(WindowDevice, DownloadReplacesTheListAndCancelledHandshakeKeepsIt) {
  sim.Set_Script(6, {{27, QByteArray("\x02\x00", 2)},
                     {34, QByteArray(21, '\0')},
                     {34, QByteArray(21, '\1')},
                     {12, QByteArray("\x06\x00", 2)}});
  w->mnuFileLogDnld->trigger();
  ASSERT_TRUE(Wait_Until([&] { return w->lvModel->Row_Count() == 2; }));
  ASSERT_TRUE(Wait_Until([&] { return !w->Transfer->Running(); }));
  // The receiver and the count leave the status bar with the transfer; the summary counts.
  EXPECT_TRUE(w->sbPanel1->text().isEmpty() && w->sbPanel2->text().isEmpty());
  EXPECT_TRUE(w->sbSummary->text().startsWith(QStringLiteral("2 נקודות")));
  EXPECT_TRUE(services.messages.isEmpty());
  EXPECT_EQ(w->windowTitle(), "VQ - " + w->Transfer->Product_Desc().trimmed());
  EXPECT_TRUE(w->List_Unsaved());

  // The unsaved log is discarded for a file; then the receiver is gone: after four requests
  // the user cancels, and the list stays.
  sim.Silent = true;
  services.answers = {cServices::cAnswer::Discard, cServices::cAnswer::Cancel};
  w->Open_File(Data("mixed.twl"));
  Put("Settings/COM", "6");
  Put("Ports/6", sim.Slave_Path());
  w->mnuFileLogDnld->trigger();
  ASSERT_TRUE(Wait_Until([&] { return !w->Transfer->Running(); }));
  ASSERT_EQ(services.messages.size(), 2);
  EXPECT_EQ(services.messages[0].buttons, cServices::cButtons::Save_Discard_Cancel);
  EXPECT_EQ(services.messages[1].buttons, cServices::cButtons::Retry_Cancel);
  EXPECT_EQ(services.messages[1].text,
            QStringLiteral("התקשורת למכשיר בערוץ טורי 6 נכשלה.\r\nההתקן: ") + sim.Slave_Path() +
                QStringLiteral("\r\nיש לוודא שה-GPS מחובר ודולק ושהוא מוגדר לפרוטוקול GRMN/GRMN."));
  EXPECT_EQ(w->Points.Count(), 4);
  EXPECT_EQ(services.ended, 0);
}
// While a download runs the list cannot change from elsewhere and the status bar counts; Esc,
// wherever the focus is (here the menu bar), ends it and keeps the list unless the user keeps
// what arrived; closing the window or Exit ends a transfer first.
TEST_F(WindowDevice, RunningTransferLocksTheListAndCancelKeepsIt) {
  w->tmr.setInterval(2000);
  sim.Set_Script(6, {{27, QByteArray("\x05\x00", 2)}, {34, QByteArray(21, '\0')}});
  services.answers = {cServices::cAnswer::Cancel};  // the points that arrived are not kept
  w->mnuFileLogDnld->trigger();
  ASSERT_TRUE(Wait_Until([&] { return w->sbPanel2->text() == "התקבלו 1 מתוך 5 נקודות"; }));
  for (QAction* a :
       {w->mnuFileOpen, w->mnuFileSaveAs, w->mnuFileLogDnld, w->mnuFileUpload, w->mnuFileSettings})
    EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
  EXPECT_FALSE(w->cmdCancel->isHidden());
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(w->menuBar(), &esc);
  ASSERT_EQ(services.messages.size(), 1);
  EXPECT_TRUE(services.messages[0].text.contains(QStringLiteral("לשמור")));
  EXPECT_EQ(w->lvModel->Row_Count(), 4);
  EXPECT_EQ(w->Points.Count(), 4);
  EXPECT_TRUE(w->mnuFileOpen->isEnabled());
  EXPECT_TRUE(w->cmdCancel->isHidden());
  EXPECT_FALSE(w->comm->PortOpen());

  // Kept, a log cut short says so in the caption and asks to be saved before the window
  // closes; the close ends the transfer first (the abort packet, the port closed).
  const auto cut_short = [&] {
    w->sbPanel2->clear();
    w->mnuFileLogDnld->trigger();
    ASSERT_TRUE(Wait_Until([&] { return w->sbPanel2->text() == "התקבלו 1 מתוך 5 נקודות"; }));
  };
  cut_short();
  services.messages.clear();
  services.answers = {cServices::cAnswer::OK, cServices::cAnswer::Cancel};
  w->close();
  EXPECT_FALSE(w->comm->PortOpen());
  EXPECT_FALSE(w->Transfer->Running());
  EXPECT_EQ(w->Garmin->Last_Sent().mid(1, 3), QByteArray("\x0A\x02\x00", 3));  // abort packet
  EXPECT_EQ(w->Points.Count(), 1);
  EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("(חלקי)")));
  EXPECT_TRUE(w->List_Unsaved());
  ASSERT_EQ(services.messages.size(), 2);
  EXPECT_EQ(services.messages[1].buttons, cServices::cButtons::Save_Discard_Cancel);

  // Exit during a transfer ends it the same way before the process ends.
  // (The unsaved log is discarded for the download, which is then cut short and not kept.)
  services.answers = {cServices::cAnswer::Discard, cServices::cAnswer::Cancel,
                      cServices::cAnswer::Discard};
  cut_short();
  w->mnuFileExit->trigger();
  EXPECT_FALSE(w->comm->PortOpen());
  EXPECT_FALSE(w->Transfer->Running());
  EXPECT_EQ(w->Points.Count(), 1);
  EXPECT_EQ(services.ended, 1);
}
}  // namespace
