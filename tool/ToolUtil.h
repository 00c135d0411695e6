#pragma once
// What vqtool's commands share: loading a .twl, .gpx or .csv file the way the window does,
// with one clear line on stderr for whatever goes wrong.
#include <QString>

class cVQPoints;
struct cShapeChoice;

namespace ToolUtil {
void Error(const QString& message);
// Loads path into points, the part of a GPX file that pick names ("route:2"; empty: the
// first); false (after the error line) when the name has another ending, the file cannot be
// read, is not what its ending says, or has no such part. Left-out duplicates, a cut last
// record and the parts a GPX file holds besides the one taken are reported on stderr as notes.
// true_datum reads .twl grid values as EPSG:28193 through PROJ (the window's datum option).
bool Load(const QString& path, cVQPoints& points, const QString& pick = QString(),
          bool true_datum = false);
// The output kind by OUT's ending; false (after the error line) for another ending.
bool Check_Out_Name(const QString& out);
// Writes points to out as Save As does and says how many on stderr; false after the error line.
bool Write_Points(const QString& out, const cVQPoints& points);
// Reverses and simplifies points as shape says; a simplified list is a route from then on.
void Apply_Shape(const cShapeChoice& shape, cVQPoints& points);
// False, after the error line, when PROJ cannot be set up.
bool Proj_Ready();
}  // namespace ToolUtil
