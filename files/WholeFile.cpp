#include "files/WholeFile.h"

#include <QSaveFile>

bool Write_Whole_File(const QString& path, const QByteArray& bytes, QString& error,
                      const std::function<bool()>& keep) {
  return Write_Whole_File(
      path, [&bytes](const cPut& put) { return put(bytes); }, error, keep);
}

bool Write_Whole_File(const QString& path, const std::function<bool(const cPut&)>& fill,
                      QString& error, const std::function<bool()>& keep) {
  error.clear();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    error = file.errorString();
    return false;
  }
  // A write the file system takes only in part returns what it took; the next one then fails
  // with the system's reason.
  const cPut put = [&file](const QByteArray& bytes) {
    for (qint64 done = 0; done < bytes.size();) {
      const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
      if (n <= 0) return false;
      done += n;
    }
    return true;
  };
  if (!fill(put)) {
    error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.flush()) {
    error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (keep && !keep()) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}
