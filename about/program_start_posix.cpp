#include <QProcess>
#include <QString>

#include "about/program_start.h"

namespace duct {

bool StartProgram(const std::string& path) {
  // The path is the program itself: an unquoted path with blanks must not become another
  // program with arguments.
  return QProcess::startDetached(QString::fromStdString(path), {});
}

}  // namespace duct
