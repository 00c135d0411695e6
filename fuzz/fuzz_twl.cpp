// The .twl reader on arbitrary bytes, and what the points it yields go through: the
// collection, the displays' texts and both exports; with the last byte odd, with the datum option
// on through PROJ, turned off and on again after the load.
#include "FuzzSupport.h"
#include "files/Exports.h"
#include "files/TwlFile.h"
#include "points/cVQPoints.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::App();
  const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
  cVQPoints points;
  const bool datum = size > 0 && (data[size - 1] & 1);
  if (datum && !points.Set_Datum(true)) Fuzz::Broken("PROJ not set up");
  const cLoadResult result = Load_TWL_Bytes(bytes, points);
  if (result.loaded != points.Count()) Fuzz::Broken("loaded count");
  if (datum && !(points.Set_Datum(false) && points.Set_Datum(true))) Fuzz::Broken("datum switch");
  for (qint16 coorSys : {0, 1, 2})
    if (points.Rows(coorSys).size() != points.Count()) Fuzz::Broken("a row per point");
  const QByteArray txt = TXT_Bytes(points), csv = CSV_Bytes(points);
  if (points.Count() > 0 && (txt.isEmpty() || csv.isEmpty())) Fuzz::Broken("empty export");
  return 0;
}
