#pragma once
// The record objects the driver exchanges with the receiver: plain public fields, nothing
// else. A new record has every number 0, every flag false and every text empty. Positions are
// decimal degrees; altitude, depth and proximity distance are metres.
#include <QString>
#include <QtGlobal>

class cWaypoint {
 public:
  QString Ident;
  double lat = 0;
  double lon = 0;
  QString Cmnt;
  qint16 Dspl = 0;
  qint16 Smbl = 0;
  qint32 Unused1 = 0;
  float Dist = 0;
  qint16 Prox_Index = 0;
  qint32 Color = 0;
  float alt = 0;
  float Dpth = 0;
  qint16 Wpt_Class = 0;
  QString Sub_Class;
  qint16 Attrib = 0;
  QString Link;
  QString State;
  QString Country;
  QString City;
  QString Address;
  QString Facility;
  QString Cross_Road;
  qint32 Unused2 = 0;
  qint32 Ete = 0;
  qint16 Dtype = 0;
  // D110 only: temperature, time (device seconds) and category bits.
  float Temp = 0;
  qint32 Time = 0;
  qint16 Category = 0;

  void Clear() { *this = cWaypoint(); }
};

class cRoute {
 public:
  qint16 Number = 0;
  QString Ident;
  QString Cmnt;
  qint16 Link_Class = 0;
  QString Link_Sub_Class;
  QString Link_Ident;

  void Clear() { *this = cRoute(); }
};

class cTrack {
 public:
  double lat = 0;
  double lon = 0;
  QString Time;  // YYYY/MM/DD-HH:MM:SS
  bool New_Segment = false;
  float alt = 0;
  float Dpth = 0;
  bool Dspl = false;
  quint8 Color = 0;
  QString Ident;
  QString Datum;
  // D311 header only: the track's index, which fitness runs refer to.
  quint16 Index = 0;

  void Clear() { *this = cTrack(); }
};

class cPosition {
 public:
  double lat = 0;
  double lon = 0;
};

class cDate_Time {
 public:
  quint8 month = 0;
  quint8 day = 0;
  qint16 year = 0;
  qint16 hour = 0;
  quint8 minute = 0;
  quint8 second = 0;
};

class cPvtData {
 public:
  float alt = 0;
  float epe = 0;
  float eph = 0;
  float epv = 0;
  qint16 pfix = 0;
  double tow = 0;
  double lat = 0;
  double lon = 0;
  float east = 0;
  float north = 0;
  float up = 0;
  float msl_hght = 0;
  qint16 leap_scnds = 0;
  qint32 wn_days = 0;
};

class cAlmanac {
 public:
  quint8 svid = 0;
  qint16 wn = 0;
  float toa = 0, af0 = 0, af1 = 0, e = 0, sqrta = 0, m0 = 0, w = 0, omg0 = 0, odot = 0, i = 0;
  quint8 hlth = 0;
};

class cProduct_Data {
 public:
  qint16 Product_ID = 0;
  qint16 Software_Version = 0;
  QString Product_Description_1;
  QString Product_Description_2;
};

class cVoltages {
 public:
  float Internal_Voltage = 0;
  float External_Voltage = 0;

  void Clear() { *this = cVoltages(); }
};

class cDisplay {
 public:
  qint16 Record_Type = 0;
  qint16 Record_Length = 0;
  quint8 First_Byte = 0;
  qint16 Line_Length = 0;
  qint16 Bits_Per_Pixel = 0;
  qint16 Pixels = 0;
  qint16 Display_Lines = 0;
  QString packet;  // the whole received frame, one character per byte
  qint16 Unknown0 = 0, Unknown1 = 0, Unknown2 = 0, Unknown3 = 0;
};
