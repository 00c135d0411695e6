#pragma once
// The serial control the driver talks to: the members of the platform's communications control
// that the driver uses, by their names. cSerialPort is the real one over QSerialPort; the tests
// have an in-memory one. Every call is cheap and none of them throws.
#include <QByteArray>
#include <QObject>
#include <QString>

// CommEvent values. 2 means data waits in the control; values above 1000 are line or buffer
// errors, after which the waiting input is worthless.
namespace CommEvents {
constexpr int comEvReceive = 2;
constexpr int comEventBreak = 1001;
constexpr int comEventFrame = 1004;
constexpr int comEventOverrun = 1006;
constexpr int comEventRxOver = 1008;
constexpr int comEventRxParity = 1009;
constexpr int comEventTxFull = 1010;
// The device went away (USB cable pulled, pseudo-terminal closed) or a read or write failed.
constexpr int comEventDeviceLost = 1100;
}  // namespace CommEvents

class cCommControl : public QObject {
  Q_OBJECT
 public:
  explicit cCommControl(QObject* parent = nullptr) : QObject(parent) {}
  ~cCommControl() override = default;

  // Port number; the serial control maps it to a device unless its owner names one.
  qint16 CommPort() const { return CommPort_; }
  void setCommPort(qint16 port) { CommPort_ = port; }
  // Line settings "baud,parity,data,stop" such as "9600,N,8,1"; checked when the port opens.
  QString Settings() const { return Settings_; }
  void setSettings(const QString& settings) { Settings_ = settings; }
  // Stored for the owner's sake: notifications come whenever bytes wait, and InputLen 0 makes
  // Input take everything waiting.
  int RThreshold = 0;
  int SThreshold = 0;
  int InBufferSize = 1024;
  int OutBufferSize = 512;
  int InputLen = 0;

  virtual bool PortOpen() const = 0;
  // true opens with the current CommPort and Settings (stays closed when either is unusable);
  // false closes and drops unread input.
  virtual void setPortOpen(bool open) = 0;
  virtual int InBufferCount() const = 0;
  // Only 0 is meaningful: it discards the input waiting in the control.
  virtual void setInBufferCount(int count) = 0;
  // Takes the waiting input (all of it when InputLen is 0, else at most InputLen bytes).
  virtual QByteArray Input() = 0;
  virtual void Output(const QByteArray& bytes) = 0;
  // The reason of the last OnComm notification.
  int CommEvent() const { return CommEvent_; }
  // What the port stands for in messages: the device it opens (a path), else "port n".
  virtual QString Device_Name() const { return QStringLiteral("port %1").arg(CommPort_); }
  // Why the last open failed, in the system's words (empty after a good open), and whether the
  // system refused it for want of permission.
  QString Open_Error() const { return Open_Error_; }
  bool Open_Denied() const { return Open_Denied_; }

 signals:
  void OnComm();

 protected:
  void Notify(int event) {
    CommEvent_ = event;
    emit OnComm();
  }
  qint16 CommPort_ = 1;
  QString Settings_ = QStringLiteral("9600,N,8,1");
  int CommEvent_ = 0;
  QString Open_Error_;
  bool Open_Denied_ = false;
};
