// The .twl reader on arbitrary bytes, and what the points it yields go through: the
// collection, both displays' texts and both exports.
#include <QByteArray>

#include "FuzzSupport.h"
#include "files/Exports.h"
#include "files/TwlFile.h"
#include "points/cVQPoints.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::App();
  const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
  cVQPoints points;
  const cLoadResult result = Load_TWL_Bytes(bytes, points);
  if (result.loaded != points.Count()) Fuzz::Broken("loaded count");
  if (points.Rows(0).size() != points.Count() || points.Rows(1).size() != points.Count())
    Fuzz::Broken("a row per point");
  const QByteArray txt = TXT_Bytes(points), csv = CSV_Bytes(points);
  if (points.Count() > 0 && (txt.isEmpty() || csv.isEmpty())) Fuzz::Broken("empty export");
  return 0;
}
