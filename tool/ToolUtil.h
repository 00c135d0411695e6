#pragma once
// What vqtool's commands share: loading a .twl file the way the window does, with one clear
// line on stderr for whatever goes wrong.
#include <QString>

class cVQPoints;

namespace ToolUtil {
void Error(const QString& message);
// Loads path into points; false (after the error line) when the name is not .twl or the file
// cannot be read. Left-out duplicates and a cut last record are reported on stderr as notes.
bool Load(const QString& path, cVQPoints& points);
}  // namespace ToolUtil
