#pragma once
// vqtool's commands: each takes the parsed command line and returns the exit status.
class cToolArgs;

int Cmd_Show(const cToolArgs& args);
int Cmd_Convert(const cToolArgs& args);
int Cmd_Info(const cToolArgs& args);
int Cmd_Download_Track(const cToolArgs& args);
int Cmd_Upload_Route(const cToolArgs& args);
int Cmd_Devices(const cToolArgs& args);
int Cmd_Names(const cToolArgs& args);
int Cmd_Plot(const cToolArgs& args);
int Cmd_Stats(const cToolArgs& args);
// The two transfers with --storage DIR (tool/cmd_storage.cpp).
int Cmd_Download_Track_Storage(const cToolArgs& args);
int Cmd_Upload_Route_Storage(const cToolArgs& args);
class cVQPoints;
class QString;
// upload-route's FILE, --number and title, for both kinds of receiver: 0 when they are all
// there, else the exit status (after the error line).
int Load_Route(const cToolArgs& args, cVQPoints& points, int& number, QString& title);
struct cNameRules;
// --latin-names, --name-length, names.csv and --names as rules: 0, else the exit status (after the
// error line).
int Name_Rules(const cToolArgs& args, cNameRules& rules);
