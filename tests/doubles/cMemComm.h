#pragma once
// An in-memory serial control for tests: what the driver writes is collected in Written, and
// Feed hands bytes to the driver as if they had arrived on the line.
#include <QList>

#include "garmin/cCommControl.h"

class cMemComm : public cCommControl {
  Q_OBJECT
 public:
  using cCommControl::cCommControl;

  bool PortOpen() const override { return Open_; }
  void setPortOpen(bool open) override;
  int InBufferCount() const override { return int(Pending_.size()); }
  void setInBufferCount(int count) override;
  QByteArray Input() override;
  void Output(const QByteArray& bytes) override { Written.append(bytes); }

  // Appends bytes to the waiting input and notifies with CommEvent 2.
  void Feed(const QByteArray& bytes);
  // Notifies with a line or buffer error (above 1000) or any other CommEvent.
  void Raise_Event(int event) { Notify(event); }

  // Every write, in order; tests clear it as they like.
  QList<QByteArray> Written;
  // Each open and close, for tests of what the driver left alone.
  int Open_Calls = 0;

 private:
  bool Open_ = false;
  QByteArray Pending_;
};
