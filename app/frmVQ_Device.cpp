// The window's receiver commands: the settings dialog, the route upload and the track log
// download, and what the transfers show in the window.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>

#include "app/cListModel.h"
#include "app/cServices.h"
#include "app/frmOptions.h"
#include "app/frmRteData.h"
#include "app/frmVQ.h"
#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "workflows/Names_Store.h"
#include "workflows/Port_Device.h"
#include "workflows/cTransfer.h"

namespace {
QString Make() { return frmVQ::Setting(QStringLiteral("Settings/Make"), QStringLiteral("Garmin")); }
bool Make_Is_Garmin() { return Make() == QLatin1String("Garmin"); }
bool Make_Is_Usb() { return Make() == QLatin1String("Garmin USB"); }
qint16 Stored_Port() {
  const double port = frmVQ::Setting_Number(QStringLiteral("Settings/COM"), 1);
  return port >= 1 && port <= 32767 ? qint16(port) : qint16(1);
}
QString Stored_Line() {
  return frmVQ::Setting(QStringLiteral("Settings/Comm"), QStringLiteral("9600,N,8,1"));
}
}  // namespace

void frmVQ::mnuFileSettings_Click() {
  frmOptions dialog(this);
  dialog.exec();
}

void frmVQ::Build_Transfer_Controls() {
  cmdCancel = new QPushButton(QStringLiteral("ביטול"), this);
  cmdCancel->hide();
  statusBar()->addPermanentWidget(cmdCancel);
  connect(cmdCancel, &QPushButton::clicked, this, &frmVQ::cmdCancel_Click);
  // Esc cancels whatever has the focus (frmVQ::eventFilter).
  qApp->installEventFilter(this);
}

void frmVQ::cmdCancel_Click() {
  if (Transfer) Transfer->Cancel();
}

// Esc pressed anywhere in the window while a transfer runs, also in the menu bar after a menu
// was opened, cancels it; a message box of its own keeps its Esc.
bool frmVQ::Cancel_On_Escape(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !Transfer || !Transfer->Running()) return false;
  if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || QApplication::activeModalWidget()) return false;
  if (widget->window() != this && !QApplication::activePopupWidget()) return false;
  cmdCancel_Click();
  return !QApplication::activePopupWidget();
}

void frmVQ::mnuFileUpload_Click() {
  if (Transfer->Running()) return;
  if (lvModel->Row_Count() == 0) {
    Notice(QStringLiteral("אין מסלול לטעינה"));
    return;
  }
  if (!Offer_Simplify()) return;
  if (!RteData) RteData = new frmRteData(this);
  RteData->txtDesc->setText(cTransfer::Offered_Title(FileTitle));
  QStringList labels;
  for (const cVQPoint& p : Points) labels << p.Label;
  RteData->Set_Labels(labels, Make_Is_Usb());
  RteData->Idx = -1;
  RteData->exec();
  if (RteData->Idx == -1) return;
  if (Make_Is_Usb()) {
    Usb_Upload_Start(RteData->Idx, RteData->Desc, RteData->Rules);
    return;
  }
  if (!Make_Is_Garmin()) {
    Magellan_Upload_Start();
    return;
  }
  Transfer->Set_Handshake_Wait_Ms(Handshake_Wait_Ms);
  comm->setDevicePath(Port_Device(Stored_Port()));
  // What the dialog showed is what is sent: another receiver than the last one seen may take
  // other names, and the upload then stops before sending (Transfer_Ended shows them again).
  Transfer->Set_Name_Rules(RteData->Rules, RteData->Format);
  Transfer->Garmin_Upload_Start(Stored_Port(), Stored_Line(), RteData->Idx, RteData->Desc);
}

void frmVQ::mnuFileLogDnld_Click() {
  if (Transfer->Running()) return;
  if (!Confirm_Discard()) return;
  if (Make_Is_Usb()) {
    Usb_Download_Start();
    return;
  }
  if (!Make_Is_Garmin()) {
    Magellan_Download_Start();
    return;
  }
  Transfer->Set_Handshake_Wait_Ms(Handshake_Wait_Ms);
  comm->setDevicePath(Port_Device(Stored_Port()));
  Transfer->Garmin_Download_Start(Stored_Port(), Stored_Line());
}

void frmVQ::Magellan_Upload_Start() { Notice(QStringLiteral("Not implamented yet!")); }
void frmVQ::Magellan_Download_Start() { Notice(QStringLiteral("Not implamented yet!")); }

// The port's device and the likely causes follow the failure's own sentence.
bool frmVQ::Ask_Retry(const QString& text) {
  const QString more = QStringLiteral("\r\nההתקן: ") + comm->Device() +
                       QStringLiteral(
                           "\r\nיש לוודא שה-GPS מחובר ודולק ושהוא מוגדר לפרוטוקול "
                           "GRMN/GRMN.");
  return m_services.Message(this, text + more, cServices::cButtons::Retry_Cancel,
                            cServices::cIcon::None) == cServices::cAnswer::Retry;
}

bool frmVQ::Ask_Go_On(const QString& text) {
  return m_services.Message(this, text, cServices::cButtons::OK_Cancel,
                            cServices::cIcon::Exclamation) == cServices::cAnswer::OK;
}

// A download's count is said in words: "התקבלו 164 מתוך 300 נקודות", of the points the receiver
// announced (its count less the track headers so far).
void frmVQ::Show_Panel(int panel, const QString& text) {
  bool is_count = false;
  const int received = text.toInt(&is_count);
  if (panel == 2 && is_count && Transfer && Transfer->Kind() == cTransfer::cPhase::Download) {
    const int announced = int(Garmin->Incoming_Records_Count()) - Transfer->Track_Headers();
    sbPanel2->setText(announced > 0 ? QStringLiteral("התקבלו %1 מתוך %2 נקודות")
                                          .arg(received)
                                          .arg(qMax(announced, received))
                                    : QStringLiteral("התקבלו %1 נקודות").arg(received));
    return;
  }
  (panel == 1 ? sbPanel1 : sbPanel2)->setText(text);
}

void frmVQ::Show_Progress(int done, int total) {
  if (total <= 0) {
    sbProgress->hide();
    return;
  }
  sbProgress->setRange(0, total);
  sbProgress->setValue(qMin(done, total));
  sbProgress->show();
}

// While a transfer runs, nothing that changes the list, the display or the line can start; the
// list stays readable and Cancel stays at hand.
void frmVQ::Set_Busy(bool busy) {
  if (busy == m_busy) return;
  m_busy = busy;
  for (QAction* a : {mnuFileOpen, mnuFileSaveAs, mnuFileLogDnld, mnuFileUpload, mnuFileSettings})
    a->setEnabled(!busy);
  if (auto* display = qobject_cast<QMenu*>(mnuDisplayCorITM->parent()))
    display->menuAction()->setEnabled(!busy);
  lv->viewport()->setAcceptDrops(!busy);
  Edit_Enable(!busy);
  if (cmdCancel) cmdCancel->setVisible(busy);
  if (busy) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

// The receiver and the progress leave the status bar with the transfer; the summary tells the
// list.
void frmVQ::Transfer_Ended(bool list_from_receiver) {
  Set_Busy(false);
  sbPanel1->clear();
  sbPanel2->clear();
  sbProgress->hide();
  if (list_from_receiver) List_From_Receiver(Points.Title);
  Show_Summary();
  // The route dialog shows the names for the receiver seen last.
  Store_Last_Format(Transfer->Heard_Format());
  if (Transfer->Names_Changed()) QTimer::singleShot(0, this, &frmVQ::mnuFileUpload_Click);
}
