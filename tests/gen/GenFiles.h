#pragma once
// The sample list that ships with VQ and the .twl files the tests read, all made here so that
// each can be made again byte for byte.
#include <QString>
#include <QVector>

#include "files/TwlFile.h"

namespace GenFiles {
// A dozen hiking places across the country, Hebrew labels and comments.
QVector<cTwlRecord> Sample_Records();
// Writes samples_dir/sample.twl; false on a write failure.
bool Write_Sample(const QString& samples_dir);
// Writes the test files into data_dir (see the list in GenFiles.cpp); false on a write failure.
bool Write_Test_Files(const QString& data_dir);
// The names Write_Test_Files writes, without folder.
QStringList Test_File_Names();
}  // namespace GenFiles
