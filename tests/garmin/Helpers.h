#pragma once
// A driver wired to the in-memory serial control and a short timer, with every event recorded.
#include <QCoreApplication>
#include <QList>
#include <QTimer>
#include <memory>

#include "garmin/Framing.h"
#include "garmin/cGarmin.h"
#include "tests/doubles/Packets.h"
#include "tests/doubles/cMemComm.h"

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
