#include "garmin/cSerialPort.h"

#include <QStringList>

bool Parse_Line_Settings(const QString& text, cLineSettings& out) {
  const QStringList f = text.split(QLatin1Char(','));
  if (f.size() != 4) return false;
  bool ok = false;
  cLineSettings s;
  s.Baud = f[0].trimmed().toInt(&ok);
  if (!ok || s.Baud <= 0) return false;
  const QString parity = f[1].trimmed().toUpper();
  if (parity == QLatin1String("N"))
    s.Parity = QSerialPort::NoParity;
  else if (parity == QLatin1String("E"))
    s.Parity = QSerialPort::EvenParity;
  else if (parity == QLatin1String("O"))
    s.Parity = QSerialPort::OddParity;
  else if (parity == QLatin1String("M"))
    s.Parity = QSerialPort::MarkParity;
  else if (parity == QLatin1String("S"))
    s.Parity = QSerialPort::SpaceParity;
  else
    return false;
  const int bits = f[2].trimmed().toInt(&ok);
  if (!ok || bits < 5 || bits > 8) return false;
  s.Data_Bits = QSerialPort::DataBits(bits);
  const QString stop = f[3].trimmed();
  if (stop == QLatin1String("1"))
    s.Stop_Bits = QSerialPort::OneStop;
  else if (stop == QLatin1String("1.5"))
    s.Stop_Bits = QSerialPort::OneAndHalfStop;
  else if (stop == QLatin1String("2"))
    s.Stop_Bits = QSerialPort::TwoStop;
  else
    return false;
  out = s;
  return true;
}

QString Default_Port_Device(int port) {
#ifdef Q_OS_WIN
  return QStringLiteral("COM%1").arg(port);
#else
  return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
#endif
}

cSerialPort::cSerialPort(QObject* parent) : cCommControl(parent) {
  connect(&Port_, &QSerialPort::readyRead, this, [this] {
    if (Port_.bytesAvailable() > 0) Notify(CommEvents::comEvReceive);
  });
  connect(&Port_, &QSerialPort::errorOccurred, this, &cSerialPort::Port_Error);
}

cSerialPort::~cSerialPort() = default;

QString cSerialPort::Device() const {
  return Device_Path_.isEmpty() ? Default_Port_Device(CommPort_) : Device_Path_;
}

void cSerialPort::setPortOpen(bool open) {
  if (!open) {
    if (Port_.isOpen()) {
      Port_.clear(QSerialPort::Input);
      Port_.close();
    }
    return;
  }
  if (Port_.isOpen()) return;
  Open_Error_.clear();
  Open_Denied_ = false;
  cLineSettings line;
  if (!Parse_Line_Settings(Settings_, line)) {
    Open_Error_ = QStringLiteral("bad line settings '%1'").arg(Settings_);
    return;
  }
  Port_.setPortName(Device());
  if (!Port_.open(QIODevice::ReadWrite)) {
    Open_Denied_ = Port_.error() == QSerialPort::PermissionError;
    Open_Error_ = Port_.errorString();
    return;
  }
  if (!Port_.setBaudRate(line.Baud) || !Port_.setParity(line.Parity) ||
      !Port_.setDataBits(line.Data_Bits) || !Port_.setStopBits(line.Stop_Bits)) {
    // A line the device cannot run stays closed rather than open with the wrong settings.
    Open_Error_ = Port_.errorString();
    Port_.close();
    return;
  }
  Port_.setFlowControl(QSerialPort::NoFlowControl);
  Port_.setReadBufferSize(0);
}

void cSerialPort::setInBufferCount(int count) {
  if (count != 0 || !Port_.isOpen()) return;
  Port_.clear(QSerialPort::Input);
  Port_.readAll();
}

QByteArray cSerialPort::Input() {
  if (!Port_.isOpen()) return QByteArray();
  return InputLen > 0 ? Port_.read(InputLen) : Port_.readAll();
}

void cSerialPort::Output(const QByteArray& bytes) {
  if (!Port_.isOpen()) return;
  Port_.write(bytes);
  // Hand the bytes to the device now; the event loop may not run before the next read.
  Port_.flush();
}

void cSerialPort::Port_Error(QSerialPort::SerialPortError error) {
  int event = 0;
  switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
    case QSerialPort::NotOpenError:
    case QSerialPort::UnsupportedOperationError:
      // Open failures are PortOpen's answer, not line errors.
      return;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::UnknownError:
      event = CommEvents::comEventDeviceLost;
      break;
  }
  Port_.clearError();
  if (event == CommEvents::comEventDeviceLost && Port_.isOpen()) {
    // The device is gone: closing lets a later PortOpen try again.
    Port_.close();
  }
  Notify(event);
}
