#pragma once
// The serial control over QSerialPort, for the window and vqtool.
#include <QSerialPort>

#include "garmin/cCommControl.h"

// Line settings "9600,N,8,1": baud, parity N/E/O/M/S, data bits 5..8, stop bits 1, 1.5 or 2.
struct cLineSettings {
  qint32 Baud = 9600;
  QSerialPort::Parity Parity = QSerialPort::NoParity;
  QSerialPort::DataBits Data_Bits = QSerialPort::Data8;
  QSerialPort::StopBits Stop_Bits = QSerialPort::OneStop;
};
// False when the text is not four such fields (spaces around them are allowed).
bool Parse_Line_Settings(const QString& text, cLineSettings& out);

// The device of port n where nobody named another: COMn on Windows, /dev/ttyUSB(n-1), where a
// USB-serial cable appears, on Linux.
QString Default_Port_Device(int port);

class cSerialPort : public cCommControl {
  Q_OBJECT
 public:
  explicit cSerialPort(QObject* parent = nullptr);
  ~cSerialPort() override;

  // The device to open, given by the owner; empty uses Default_Port_Device(CommPort).
  void setDevicePath(const QString& path) { Device_Path_ = path; }
  // The device the next open uses.
  QString Device() const;
  QString Device_Name() const override { return Device(); }

  bool PortOpen() const override { return Port_.isOpen(); }
  void setPortOpen(bool open) override;
  int InBufferCount() const override { return int(Port_.bytesAvailable()); }
  void setInBufferCount(int count) override;
  QByteArray Input() override;
  void Output(const QByteArray& bytes) override;

 private:
  void Port_Error(QSerialPort::SerialPortError error);
  QSerialPort Port_;
  QString Device_Path_;
};
