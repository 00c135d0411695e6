#pragma once
// Shared pieces of the driver tests: packets with their checksum, and a driver wired to the
// in-memory serial control and a short timer, with every event recorded.
#include <QCoreApplication>
#include <QList>
#include <QTimer>
#include <memory>

#include "garmin/Framing.h"
#include "garmin/cGarmin.h"
#include "tests/doubles/cMemComm.h"

inline QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(char(v));
  return out;
}

// The unstuffed packet for id and data, checksum in place.
inline QByteArray Packet_Of(quint8 id, const QByteArray& data) {
  QByteArray p(data.size() + 6, '\0');
  p[0] = 0x10;
  p[1] = char(id);
  p[2] = char(data.size());
  for (int i = 0; i < data.size(); ++i) p[3 + i] = data[i];
  p[p.size() - 2] = 0x10;
  p[p.size() - 1] = 0x03;
  p[p.size() - 3] = char(Framing::Packet_Checksum(p));
  return p;
}
inline QByteArray Wire_Of(quint8 id, const QByteArray& data) {
  return Framing::Stuff(Packet_Of(id, data));
}

struct cEvents {
  QList<QPair<quint8, quint8>> Receive;
  QList<QPair<QString, bool>> Nmea;
  struct cErr {
    qint16 Num;
    QString Msg;
    QByteArray Packet;
  };
  QList<cErr> Errors;
  QStringList Hex;
};

// A driver on the in-memory control, port open, with a 50 ms timer.
struct cLinkRig {
  cMemComm Comm;
  QTimer Timer;
  cGarmin Garmin;
  cEvents Ev;

  cLinkRig() {
    Timer.setInterval(50);
    Garmin.setComGarmin(&Comm);
    Garmin.setTmrTimeout(&Timer);
    Garmin.setSettings(QStringLiteral("9600,N,8,1"));
    Garmin.setPort(3);
    QObject::connect(&Garmin, &cGarmin::Receive, [this](quint8 p, quint8 f) {
      Ev.Receive.append({p, f});
    });
    QObject::connect(&Garmin, &cGarmin::NMEA, [this](const QString& s, bool ok) {
      Ev.Nmea.append({s, ok});
    });
    QObject::connect(&Garmin, &cGarmin::cError,
                     [this](qint16 n, const QString& m, const QByteArray& p) {
                       Ev.Errors.append({n, m, p});
                     });
    QObject::connect(&Garmin, &cGarmin::HexDebug, [this](const QString& h) { Ev.Hex.append(h); });
    Garmin.PortOpen();
  }
  // Runs queued notifications (the driver takes one unit per pass).
  void Pump() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  }
};
