// The program's command line and its start without a display.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace duct {
namespace {

// Every line the program prints speaks Chinese, as its windows do, and names what it is about;
// an answer that cannot be written (a full device) is reported, never passed over.
TEST(Program, AnswersInChineseWithAnExitStatusAndNeverAborts) {
  const struct {
    QStringList arguments;
    bool outputFull;  // standard output goes to a device that is always full
    int exitStatus;
    QStringList names;  // what its text must name
    int lines;
  } cases[] = {
      {{}, false, 1, {"ductcalc", "display :77"}, 1},  // no display opens
      {{"--version"}, false, 0, {"ductcalc 1.0.1"}, 1},
      {{"--help"}, false, 0, {"ductcalc [--help | --version]", "  --help ", "  --version "}, 5},
      {{"-reverse"}, false, 2, {"ductcalc", "“-reverse”", "ductcalc --help"}, 1},
      {{"--help", "x"}, false, 2, {"“x”"}, 1},
      {{"--version"}, true, 1, {"ductcalc"}, 1},
      {{"--help"}, true, 1, {"ductcalc"}, 1},
  };
  for (const auto& [arguments, outputFull, exitStatus, names, lines] : cases) {
    if ((arguments.isEmpty() || outputFull) && !DUCTCALC_POSIX) {
      continue;  // Windows always has its display, and no full device
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
      environment.remove(name);
    }
    environment.insert("DISPLAY", ":77");
    program.setProcessEnvironment(environment);
    if (outputFull) {
      program.setStandardOutputFile("/dev/full");
    }
    program.start(DUCTCALC_PROGRAM, arguments);
    ASSERT_TRUE(program.waitForFinished(10000));
    // An answer on standard output, anything else on standard error.
    const QString output = program.readAllStandardOutput();
    const QString errors = program.readAllStandardError();
    const QString printed = exitStatus == 0 ? output : errors;
    SCOPED_TRACE(printed.toStdString());
    EXPECT_EQ(exitStatus == 0 ? errors : output, "");
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);  // no abort, no core
    EXPECT_EQ(program.exitCode(), exitStatus);
    EXPECT_EQ(printed.count('\n'), lines);
    for (const QString& name : names) {
      EXPECT_TRUE(printed.contains(name)) << name.toStdString();
    }
    for (const QString& line : printed.split('\n', Qt::SkipEmptyParts)) {
      EXPECT_TRUE(line == "ductcalc 1.0.1" || line.contains(QRegularExpression(R"(\p{Han})")))
          << "not Chinese: " << line.toStdString();
    }
  }
}

}  // namespace
}  // namespace duct
