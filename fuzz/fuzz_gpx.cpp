// The GPX and VQ CSV readers on arbitrary bytes (the same input as both), the GPX one also in two
// pieces, every part a GPX file offers, and what each list goes through: both displays' texts
// and every export. The GPX export must read back to the same points, less those whose labels
// then repeat.
#include "FuzzSupport.h"
#include "files/Exports.h"
#include "files/GpxRead.h"
#include "files/GpxWrite.h"
#include "files/PointFile.h"
#include "points/cVQPoints.h"

namespace {
void Check_List(const cVQPoints& points) {
  if (points.Rows(0).size() != points.Count() || points.Rows(1).size() != points.Count())
    Fuzz::Broken("a row per point");
  const QByteArray txt = TXT_Bytes(points), csv = CSV_Bytes(points), gpx = GPX_Bytes(points, 1);
  if (points.Count() > 0 && (txt.isEmpty() || csv.isEmpty())) Fuzz::Broken("empty export");
  cVQPoints back;
  const cLoadResult r = Load_Point_Bytes(gpx, cPointFileKind::Gpx, back);
  if (r.status != cLoadResult::Loaded) Fuzz::Broken("the GPX export does not read back");
  if (back.Count() + r.duplicates != points.Count() || back.From_Track != points.From_Track)
    Fuzz::Broken("the GPX export reads back to other points");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::App();
  const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
  // A file is read in pieces: where they split must not change what is read.
  cGpxReader pieces;
  const qsizetype split = size > 0 ? qsizetype(data[0]) * 7 % qsizetype(size) : 0;
  if (pieces.Feed(bytes.constData(), split)) pieces.Feed(bytes.constData() + split, size - split);
  const cGpxContent whole = Parse_GPX(bytes), split_read = pieces.Finish();
  if (whole.fault != split_read.fault || whole.tracks.size() != split_read.tracks.size() ||
      whole.waypoints.points.size() != split_read.waypoints.points.size())
    Fuzz::Broken("a split read differs from the whole");
  for (const cPointFileKind kind : {cPointFileKind::Gpx, cPointFileKind::Csv}) {
    cVQPoints points;
    points.Add("Kept", 31, 35, 0, "");
    const cLoadResult first = Load_Point_Bytes(bytes, kind, points);
    if (first.status != cLoadResult::Loaded) {
      if (points.Count() != 1 || points.Item(1).Label != "Kept")
        Fuzz::Broken("a refused file changed the list");
      continue;
    }
    if (first.loaded != points.Count()) Fuzz::Broken("loaded count");
    Check_List(points);
    for (const cChoice& c : first.choices) {
      if (Load_Point_Bytes(bytes, kind, points, c.pick).status != cLoadResult::Loaded)
        Fuzz::Broken("an offered part does not load");
      if (points.Count() > c.count) Fuzz::Broken("more points than the part holds");
      Check_List(points);
    }
  }
  return 0;
}
