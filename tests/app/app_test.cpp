// The program's command line, and its start without a display and with Qt's options.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace duct {
namespace {

struct Run {
  int exitCode;
  QString output;
  QString errors;
};

// Runs PROGRAM with no display to be found (an X display whose socket would be a file under
// /dev/null, which no server can make): the window opens only where an argument chooses Qt's
// offscreen platform.
Run RunWithoutDisplay(const QString& program, const QStringList& arguments, bool outputFull) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
    environment.remove(name);
  }
  environment.insert("DISPLAY", "/dev/null/X0");
  process.setProcessEnvironment(environment);
  if (outputFull) {
    process.setStandardOutputFile("/dev/full");
  }
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);  // no abort, no core
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

// Every line the program prints speaks Chinese, as its windows do, and names what it is about;
// its own options answer before Qt starts, so without a display too, wherever they stand; an
// answer that cannot be written (a full device) is reported, never passed over.
TEST(Program, AnswersInChineseWithAnExitStatusAndNeverAborts) {
  const struct {
    QStringList arguments;
    bool outputFull;  // standard output goes to a device that is always full
    int exitStatus;
    QStringList names;  // what its text must name
    int lines;
  } cases[] = {
      {{}, false, 1, {"ductcalc", "display /dev/null/X0"}, 1},  // no display opens
      {{"--version"}, false, 0, {DUCTCALC_VERSION_LINE}, 1},
      {{"--help"}, false, 0, {"ductcalc [--help | --version]", "  --help ", "  --version "}, 6},
      {{"-style", "fusion", "C:\\图纸.txt", "--version"}, false, 0, {DUCTCALC_VERSION_LINE}, 1},
      {{"--version"}, true, 1, {"ductcalc"}, 1},
      {{"--help"}, true, 1, {"ductcalc"}, 1},
  };
  for (const auto& [arguments, outputFull, exitStatus, names, lines] : cases) {
    if ((arguments.isEmpty() || outputFull) && !DUCTCALC_POSIX) {
      continue;  // Windows always has its display, and no full device
    }
    // An answer on standard output, anything else on standard error.
    const auto [exitCode, output, errors] =
        RunWithoutDisplay(DUCTCALC_PROGRAM, arguments, outputFull);
    const QString printed = exitStatus == 0 ? output : errors;
    SCOPED_TRACE(printed.toStdString());
    EXPECT_EQ(exitStatus == 0 ? errors : output, "");
    EXPECT_EQ(exitCode, exitStatus);
    EXPECT_EQ(printed.count('\n'), lines);
    for (const QString& name : names) {
      EXPECT_TRUE(printed.contains(name)) << name.toStdString();
    }
    for (const QString& line : printed.split('\n', Qt::SkipEmptyParts)) {
      EXPECT_TRUE(line == DUCTCALC_VERSION_LINE || line.contains(QRegularExpression(R"(\p{Han})")))
          << "not Chinese: " << line.toStdString();
    }
  }
}

// Qt takes its own options as in any Qt program, and the window opens as they say; a file
// dropped onto the program is passed over; an option that neither the program nor Qt knows is
// refused, quoted as typed, before any window opens. The window's title, style, direction and
// position are read from the started program.
TEST(Program, TakesQtsOptionsPassesOverFilesAndRefusesUnknownOptions) {
  const QString started = "当量直径计算|";
  const struct {
    QStringList arguments;  // after -platform offscreen
    int exitStatus;
    QString printed;  // a part of what it prints
  } cases[] = {
      {{}, 0, started},
      {{"-style", "fusion"}, 0, started + "fusion|ltr|"},
      {{"-style=windows"}, 0, started + "windows|"},
      {{"-reverse"}, 0, "|rtl|"},
      {{"-qwindowgeometry", "+40+50"}, 0, "|40,50"},
      {{"-session", "1a2b3c_4d5e"}, 0, started},  // as a session manager restores it
      {{"C:\\风管 工具\\断面 1.txt"}, 0, started},
      {{"/home/设计/断面.txt", "-style", "fusion"}, 0, "fusion"},
      {{"-"}, 0, started},
      {{"-bogus"}, 2, "无法识别的参数“-bogus”（请尝试执行“ductcalc --help”）\n"},
      {{"断面.txt", "--hlep"}, 2, "“--hlep”"},
      {{"-风管"}, 2, "“-风管”"},
      {{"-style"}, 2, "“-style”"},  // Qt takes it only with a style after it
  };
  for (const auto& [arguments, exitStatus, part] : cases) {
    const auto [exitCode, output, errors] =
        RunWithoutDisplay(DUCTCALC_PROBE, QStringList{"-platform", "offscreen"} + arguments, false);
    const QString printed = output + errors;
    SCOPED_TRACE(arguments.join(' ').toStdString() + ": " + printed.toStdString());
    EXPECT_EQ(exitCode, exitStatus);
    EXPECT_TRUE(printed.contains(part));
    EXPECT_EQ(printed.startsWith(started), exitStatus == 0);
  }
}

}  // namespace
}  // namespace duct
