#pragma once
// vqtool's command line: one QCommandLineParser for every command. Each option is one row of the
// table in Options.cpp, naming the commands that take it; each command is one row of the table
// in main.cpp. Adding an option or a command is adding a row.
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

struct cToolOption {
  const char* name;
  const char* value;     // the value's name in the help; nullptr for a flag
  const char* commands;  // the commands that take it, separated by spaces
  const char* help;
};

// Every option of every command.
const QVector<cToolOption>& Tool_Options();

// The link options: where the receiver is, its line settings, how long to wait.
struct cPortChoice {
  qint16 port = 1;  // the port number, also when a device path was given (for messages)
  QString device;   // the device to open
  QString settings;
  int timeout_ms = 2000;
  bool trace = false;
  // "N (device)" for messages.
  QString Where() const;
};

class cVQPoints;

// --reverse, --tolerance M and --max-points N: what show, convert and stats do to the list after
// loading it, in that order.
struct cShapeChoice {
  bool reverse = false;
  double tolerance_m = -1;  // none
  int max_points = 0;       // none
};

// A parsed command line: the command, its files and its options.
class cToolArgs {
 public:
  QString command;
  QStringList files;

  bool Is_Set(const char* name) const { return m_parser->isSet(QLatin1String(name)); }
  QString Value(const char* name) const { return m_parser->value(QLatin1String(name)); }
  // A whole number in [lo, hi]; false (after the error line) when the option holds another text.
  bool Number(const char* name, int lo, int hi, int& out) const;
  // --port (a number 1 to 255 or a device path), --settings, --timeout and --trace, each with the
  // stored or built-in default; false after the error line when one is not usable.
  bool Link(cPortChoice& out) const;
  // --reverse, --tolerance and --max-points; false after the error line when a value is not a
  // number in range (a tolerance of 0 m or more, a count of 2 or more).
  bool Shape(cShapeChoice& out) const;
  // The error line "COMMAND: problem"; returns 2, the exit status of a usage error.
  int Usage(const QString& problem) const;

  void Set_Parser(const QCommandLineParser* parser) { m_parser = parser; }

 private:
  const QCommandLineParser* m_parser = nullptr;
};
