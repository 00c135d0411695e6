#pragma once
// vqtool's commands: each takes the arguments after its name and returns the exit status.
#include <QStringList>

int Cmd_Show(const QStringList& args);
int Cmd_Convert(const QStringList& args);
int Cmd_Info(const QStringList& args);
int Cmd_Download_Track(const QStringList& args);
int Cmd_Upload_Route(const QStringList& args);
