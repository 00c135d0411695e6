#pragma once
// What vqtool's commands share: loading a .twl file the way the window does, with one clear
// line on stderr for whatever goes wrong.
#include <QString>

class cVQPoints;

namespace ToolUtil {
void Error(const QString& message);
// Loads path into points; false (after the error line) when the name is not .twl or the file
// cannot be read. Left-out duplicates and a cut last record are reported on stderr as notes.
// true_datum reads the grid values as EPSG:28193 through PROJ (the window's datum option).
bool Load(const QString& path, cVQPoints& points, bool true_datum = false);
// False, after the error line, when PROJ cannot be set up.
bool Proj_Ready();
}  // namespace ToolUtil
