#pragma once
// The exports of the point list: Turbo CD import text (.txt: DDMMSS latitude, longitude and
// comment) and CSV (.csv, with leg and total distances), both Windows-1255 with lines ending in
// CR LF, and GPX (.gpx, files/GpxWrite.h).
#include <QByteArray>
#include <QString>

class cVQPoints;

enum class cExportKind { Txt, Csv, Gpx, None };
// By the last four characters of the name, in any letter case.
cExportKind Export_Kind(const QString& path);

// Pure: the whole file's bytes.
QByteArray TXT_Bytes(const cVQPoints& points);
QByteArray CSV_Bytes(const cVQPoints& points);

struct cSaveResult {
  enum Status { Written, Not_Suitable, Write_Failed };
  Status status = Written;
  QString error;  // the system's reason for Write_Failed
};

// Writes the kind the name asks for whole or not at all (files/WholeFile.h): a failure leaves an
// existing file as it was.
cSaveResult Save_TXT(const QString& path, const cVQPoints& points);
cSaveResult Save_CSV(const QString& path, const cVQPoints& points);
cSaveResult Save_GPX(const QString& path, const cVQPoints& points);
cSaveResult Save_As(const QString& path, const cVQPoints& points);
