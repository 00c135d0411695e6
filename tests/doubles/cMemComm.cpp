#include "tests/doubles/cMemComm.h"

#include "garmin/cSerialPort.h"

void cMemComm::setPortOpen(bool open) {
  ++Open_Calls;
  if (!open) {
    Open_ = false;
    Pending_.clear();
    return;
  }
  cLineSettings line;
  if (!Parse_Line_Settings(Settings_, line)) return;
  Open_ = true;
}

void cMemComm::setInBufferCount(int count) {
  if (count == 0) Pending_.clear();
}

QByteArray cMemComm::Input() {
  const int n = InputLen > 0 ? qMin(InputLen, int(Pending_.size())) : int(Pending_.size());
  const QByteArray out = Pending_.left(n);
  Pending_.remove(0, n);
  return out;
}

void cMemComm::Feed(const QByteArray& bytes) {
  Pending_.append(bytes);
  Notify(CommEvents::comEvReceive);
}
