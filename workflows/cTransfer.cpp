// The transfer's start, its handshake, its link errors and its one ending.
#include "workflows/cTransfer.h"


#include "files/PointFile.h"
#include "garmin/cGarmin.h"
#include "workflows/cTransferUI.h"

namespace {
// Four product requests without an answer, then the user is asked.
constexpr int kRequestsPerQuestion = 4;
}  // namespace

cTransfer::cTransfer(cGarmin& garmin, cVQPoints& points, cTransferUI& ui, QObject* parent)
    : QObject(parent), Garmin(garmin), Points(points), m_ui(ui) {
  connect(&Garmin, &cGarmin::Receiver_Said, this, &cTransfer::Garmin_Receiver_Said);
  connect(&Garmin, &cGarmin::NMEA, this, &cTransfer::Garmin_NMEA);
  connect(&Garmin, &cGarmin::cError, this, &cTransfer::Garmin_cError);
  connect(&Garmin, &cGarmin::Acked, this, &cTransfer::Garmin_Acked);
  connect(&Garmin, &cGarmin::Records_Announced, this, &cTransfer::Garmin_Records);
  connect(&Garmin, &cGarmin::Track_Received, this, &cTransfer::Garmin_Track);
  connect(&Garmin, &cGarmin::Transfer_Complete, this, &cTransfer::Garmin_Transfer_Complete);
  m_Deadline.setSingleShot(true);
  connect(&m_Deadline, &QTimer::timeout, this, &cTransfer::Deadline_Passed);
}

QString cTransfer::Offered_Title(const QString& FileTitle) {
  if (Point_File_Kind(FileTitle) != cPointFileKind::None)
    return FileTitle.left(FileTitle.size() - 4).toUpper();
  return FileTitle.toUpper();
}

QString cTransfer::T(const char* hebrew, const char* english) const {
  return QString::fromUtf8(m_English ? english : hebrew);
}

// The window names the port by its number, vqtool by the device it opened.
QString cTransfer::Port_Text() const {
  if (m_English && Garmin.comGarmin()) return Garmin.comGarmin()->Device_Name();
  return QString::number(Garmin.Port());
}

// A second transfer does not start while one runs: both would share the driver. The line opens
// afresh, with this transfer's settings, and the driver starts from nothing known.
bool cTransfer::Begin(cPhase kind, qint16 port, const QString& settings) {
  if (m_phase != cPhase::Idle) return false;
  Garmin.PortClose();
  Garmin.setPort(port);
  Garmin.setSettings(settings);
  // A port that cannot be opened is said at once, with the system's reason; the transfer does
  // not start.
  if (!Garmin.PortOpen()) {
    m_ui.Notice(Open_Failure_Text());
    return false;
  }
  m_kind = kind;
  m_phase = cPhase::Handshake;
  m_heard = cHeard::Nothing;
  m_Receiver = cReceiver();
  m_Heard_Format.clear();
  m_Product_Text.clear();
  m_attempts = 0;
  m_ui.Set_Busy(true);
  Request_Product();
  return true;
}

QString cTransfer::Open_Failure_Text() const {
  const cCommControl* comm = Garmin.comGarmin();
  const QString device = comm ? comm->Device_Name() : Port_Text();
  const QString reason = comm ? comm->Open_Error() : QString();
  if (comm && comm->Open_Denied())
    return T("אין הרשאה לפתוח את %1.\r\n"
             "יש להוסיף את המשתמש לקבוצה dialout ולהתחבר מחדש.",
             "no permission to open %1; add your user to the dialout group and log in again")
        .arg(device);
  return T("פתיחת %1 נכשלה:\r\n%2", "cannot open %1: %2").arg(device, reason);
}

void cTransfer::Request_Product() {
  ++m_attempts;
  Garmin.Request_Product_Data();
  m_Deadline.start(m_wait_ms);
}

void cTransfer::Deadline_Passed() {
  if (m_phase == cPhase::Handshake) {
    Handshake_Deadline();
  } else if (m_phase == cPhase::Settle) {
    Start_Records();
  }
}

// The time for one product request is up. A receiver that answered goes on (its capability
// array had this long to follow); one that talks sentences is turned away; silence asks again,
// and after every fourth request asks the user.
void cTransfer::Handshake_Deadline() {
  if (m_heard == cHeard::Product) {
    Handshake_Done();
    return;
  }
  if (m_heard == cHeard::Sentences) {
    End(cEnd::Failed, T("מכשיר ה-GPS משתמש בפרוטוקול NMEA או TEXT.\r\n"
                        "יש להשתמש בפרוטוקול 'GRMN/GRMN' או 'Garmin'.",
                        "the receiver is sending NMEA or TEXT sentences; set its serial interface "
                        "to GARMIN"));
    return;
  }
  if (m_attempts % kRequestsPerQuestion != 0) {
    Request_Product();
    return;
  }
  const QString text = m_English ? QStringLiteral("no answer from a receiver on %1")
                                 : QStringLiteral("התקשורת למכשיר בערוץ טורי %1 נכשלה.");
  if (!Ask(true, text.arg(Port_Text()))) return;
  m_phase = cPhase::Handshake;
  Request_Product();
}

// A question while the transfer waits: the line is ignored meanwhile. True to go on; false when
// the user said no (the transfer has ended then) or the transfer ended while the question was
// open.
bool cTransfer::Ask(bool retry, const QString& text) {
  const cPhase before = m_phase;
  m_phase = cPhase::Asking;
  const bool yes = retry ? m_ui.Ask_Retry(text) : m_ui.Ask_Go_On(text);
  if (m_phase != cPhase::Asking) return false;
  if (!yes) {
    // Cancel abandons the transfer; the list, saved or not, stays.
    End(cEnd::Failed, QString());
    return false;
  }
  m_phase = before;
  return true;
}

void cTransfer::Handshake_Done() {
  m_Deadline.stop();
  m_Heard_Format = m_Receiver.Route_Waypoint_Format();
  if (m_kind == cPhase::Upload)
    Upload_Begin();
  else
    Download_Begin();
}

// The product data ends the handshake once the capability array is in too; without an array the
// product table applies, at the request's deadline.
void cTransfer::Garmin_Receiver_Said(const cReceiver& receiver) {
  if (m_phase != cPhase::Handshake) return;
  m_Receiver = receiver;
  if (receiver.Product_Known && m_heard != cHeard::Product) {
    m_heard = cHeard::Product;
    const cProduct_Data& p = receiver.Product;
    m_Product_Text = QStringLiteral("PID ") + QString::number(p.Product_ID);
    m_Product_Desc = p.Product_Description_1 + QLatin1Char(' ') + p.Product_Description_2;
    m_ui.Show_Panel(1, m_Product_Desc);
  }
  if (m_heard == cHeard::Product && receiver.Array_Seen) Handshake_Done();
}

void cTransfer::Garmin_NMEA(const QString& /*sentence*/, bool /*checksumok*/) {
  // A sentence in the middle of a transfer is line noise to it: the transfer goes on, and the
  // driver's time-out ends it if nothing else comes. In the handshake it says the receiver is set
  // to a sentence mode, so that it is turned away instead of asked for ever.
  if (m_phase == cPhase::Handshake && m_heard == cHeard::Nothing) m_heard = cHeard::Sentences;
}

QString cTransfer::Link_Error_Text(qint16 errnum) const {
  const QString port = Port_Text();
  switch (errnum) {
    case 1:
      // A receiver switched to sentences in the middle stops answering: that is what it is told.
      if (Garmin.NMEA_Mode())
        return T(
            "מכשיר ה-GPS משתמש בפרוטוקול NMEA או TEXT.\r\n"
            "יש להשתמש בפרוטוקול 'GRMN/GRMN' או 'Garmin'.",
            "the receiver turned to NMEA or TEXT sentences");
      return T("המכשיר בערוץ טורי %1 הפסיק לענות.", "the receiver on %1 stopped answering")
          .arg(port);
    case 2:
      return T("המכשיר בערוץ טורי %1 דוחה את הנתונים שנשלחו אליו.",
               "the receiver on %1 refuses the data sent to it")
          .arg(port);
    case 3:
      return T("התקבלו נתונים פגומים מהמכשיר בערוץ טורי %1.",
               "the receiver on %1 sends spoilt data")
          .arg(port);
    case 4:
      return T("המכשיר בערוץ טורי %1 נותק.", "the receiver on %1 was unplugged").arg(port);
    default:
      return T("תקלת תקשורת בערוץ טורי %1.", "a line error on %1").arg(port);
  }
}

void cTransfer::Garmin_cError(qint16 errnum, const QString& /*errmsg*/,
                              const QByteArray& /*packet*/) {
  // Checksum errors of sentences do not stop a transfer; the handshake asks again on its own,
  // unless the receiver is gone.
  if (errnum == 0 || m_phase == cPhase::Idle || m_phase == cPhase::Asking) return;
  if (errnum != 4 && (m_phase == cPhase::Handshake || m_phase == cPhase::Settle)) return;
  const QString reason = Link_Error_Text(errnum);
  if (m_kind == cPhase::Upload) {
    Upload_Failed(reason);
  } else {
    Download_Stopped(reason);
  }
}

void cTransfer::Cancel(bool tell_user) {
  if (m_phase == cPhase::Idle) return;
  if (m_kind == cPhase::Upload) {
    if (m_phase == cPhase::Upload) {
      Upload_Failed(T("הטעינה בוטלה.", "cancelled"));
      return;
    }
    End(cEnd::Failed,
        tell_user ? T("טעינת המסלול ל-GPS בוטלה.", "route upload cancelled") : QString());
    return;
  }
  if (Log_Points() > 0) {
    Download_Stopped(T("הקריאה בוטלה.", "cancelled"));
    return;
  }
  End(cEnd::Failed, tell_user ? T("קריאת ההקלטה מה-GPS בוטלה.\r\nהרשימה לא שונתה.",
                                  "track log download cancelled; the list is unchanged")
                              : QString());
}

// A receiver may send more than it announced, or announce a count that is not one: the bar
// shows no more than full, and no bar without a total.
void cTransfer::Show_Progress(int done, int total) {
  if (total <= 0) {
    m_ui.Show_Progress(0, 0);
    return;
  }
  m_ui.Show_Progress(qBound(0, done, total), total);
}

// Every ending: first the teardown (the abort where the receiver is mid-transfer, the port
// closed and with it the response timer, phase Idle), then the user. Whatever the receiver
// still sends belongs to no transfer.
void cTransfer::Teardown(bool completed) {
  const bool upload = m_kind == cPhase::Upload;
  m_Deadline.stop();
  // The abort tells a receiver that is sending, or being sent, to stop.
  if (!completed &&
      (m_phase == cPhase::Settle || m_phase == cPhase::Upload || m_phase == cPhase::Download))
    Garmin.Reset();
  Garmin.PortClose();
  m_phase = cPhase::Idle;
  m_Receiver = cReceiver();
  m_Log.clear();
  m_Log.shrink_to_fit();
  m_ui.Show_Progress(0, 0);
  if (upload) {
    m_ui.Show_Panel(1, QString());
    m_ui.Show_Panel(2, QString());
  }
  m_ui.Set_Busy(false);
}

void cTransfer::End(cEnd how, const QString& message) {
  if (m_phase == cPhase::Idle) return;
  Teardown(how == cEnd::Completed || how == cEnd::Mismatch);
  if (!message.isEmpty()) m_ui.Notice(message);
  emit Ended(how);
}
