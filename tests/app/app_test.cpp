// The program's command line, and its start without a display and with Qt's options.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <csignal>
#endif

namespace duct {
namespace {

struct Run {
  int exitCode;
  QString output;
  QString errors;
};

// Where the program's standard output goes.
enum class Output { Read, Full, ClosedPipe };

// Runs PROGRAM where no display is to be found: DISPLAY names a socket in an empty folder of the
// test's own, or is not set at all. The window opens only where an argument chooses Qt's
// offscreen platform.
// `settings` are more variables of its environment.
Run RunWithoutDisplay(const QString& program, const QStringList& arguments,
                      Output output = Output::Read, bool displaySet = true,
                      const QProcessEnvironment& settings = {}) {
  const QTemporaryDir empty;
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "DISPLAY"}) {
    environment.remove(name);
  }
  if (displaySet) {
    environment.insert("DISPLAY", empty.filePath("x11:0"));
  }
  environment.insert(settings);
  process.setProcessEnvironment(environment);
  if (output == Output::Full) {
    process.setStandardOutputFile("/dev/full");
  }
#ifdef Q_OS_UNIX
  // A pipe whose reader has gone, as after `ductcalc --help | true`.
  int pipe[2] = {-1, -1};
  if (output == Output::ClosedPipe && ::pipe(pipe) == 0) {
    ::close(pipe[0]);
    process.setChildProcessModifier([end = pipe[1]] {
      std::signal(SIGPIPE, SIG_DFL);  // as a shell leaves it
      ::dup2(end, STDOUT_FILENO);
    });
  }
#endif
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);  // no abort, no core, no signal
#ifdef Q_OS_UNIX
  ::close(pipe[1]);
#endif
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

// Every line the program prints speaks Chinese, as its windows do, and names what it is about;
// its own options answer before Qt starts, so without a display too, wherever they stand before
// "--"; anything else needs the window system, whose failure to start says why, in Qt's words
// (naming the display or the platform asked for); an answer that cannot be written (a full
// device, a pipe nobody reads) is reported, never passed over.
TEST(Program, AnswersInChineseWithAnExitStatusAndNeverAborts) {
  const QString noWindow = "ductcalc: 无法打开窗口：没有可用的显示器";
  const struct {
    QStringList arguments;
    Output output;
    int exitStatus;
    QStringList names;  // what its text must name
    int lines;
    bool displaySet = true;
  } cases[] = {
      {{}, Output::Read, 1, {noWindow, "x11:0"}, 1},
      {{}, Output::Read, 1, {noWindow}, 1, false},
      {{"-platform", "nosuch"}, Output::Read, 1, {noWindow, "nosuch"}, 1},
      {{"--", "--help"}, Output::Read, 1, {noWindow}, 1},  // the window, not the help
      {{"--bogus", "-style", "fusion"}, Output::Read, 1, {noWindow}, 1},  // refused by a window
      {{"--version"}, Output::Read, 0, {DUCTCALC_VERSION_LINE}, 1},
      {{"--help"}, Output::Read, 0, {"ductcalc [--help | --version]", "  --version ", "  -- "}, 7},
      {{"-style", "fusion", "C:\\图纸.txt", "--version", "--"},
       Output::Read,
       0,
       {DUCTCALC_VERSION_LINE},
       1},
      {{"--bogus", "--help"}, Output::Read, 0, {"ductcalc [--help | --version]"}, 7},
      {{"--version"}, Output::Full, 1, {"ductcalc: 无法写出输出"}, 1},
      {{"--help"}, Output::ClosedPipe, 1, {"ductcalc: 无法写出输出"}, 1},
  };
  for (const auto& [arguments, output, exitStatus, names, lines, displaySet] : cases) {
    if (!DUCTCALC_POSIX && (output != Output::Read || exitStatus != 0)) {
      continue;  // Windows always has its display, and no full device
    }
    // An answer on standard output, anything else on standard error.
    const auto [exitCode, answer, errors] =
        RunWithoutDisplay(DUCTCALC_PROGRAM, arguments, output, displaySet);
    const QString printed = exitStatus == 0 ? answer : errors;
    SCOPED_TRACE(arguments.join(' ').toStdString() + ": " + printed.toStdString());
    EXPECT_EQ(exitStatus == 0 ? errors : answer, "");
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

// Qt takes its own options as in any Qt program, and the window opens as they say, but laid out
// as designed under -reverse; a file dropped onto the program is passed over, and so is anything
// after "--"; an option that Qt leaves is refused, quoted as typed, before any window opens. The
// window's title, style, direction (of every control) and position are read from the started
// program.
TEST(Program, TakesQtsOptionsPassesOverFilesAndRefusesUnknownOptions) {
  const QString started = "当量直径计算|";
  const struct {
    QStringList arguments;  // after -platform offscreen
    int exitStatus;
    QString printed;  // a part of what it prints
  } cases[] = {
      {{}, 0, started},
      {{"-style", "fusion"}, 0, started + "fusion|ltr|"},
      {{"-reverse"}, 0, "|ltr|"},
      {{"-qwindowgeometry", "+40+50"}, 0, "|40,50"},
      {{"--qwindowtitle", "-x"}, 0, started},     // Qt takes what follows as the title
      {{"-session", "1a2b3c_4d5e"}, 0, started},  // as a session manager restores it
      {{"C:\\风管 工具\\断面 1.txt"}, 0, started},
      {{"/home/设计/断面.txt", "-style", "fusion"}, 0, "fusion"},
      {{"-"}, 0, started},
      {{"--", "-bogus", "--help", "-platform", "nosuch"}, 0, started},
      {{"-bogus"}, 2, "无法识别的参数“-bogus”（请尝试执行“ductcalc --help”）\n"},
      {{"断面.txt", "--hlep", "--"}, 2, "“--hlep”"},
      {{"-风管"}, 2, "“-风管”"},
      {{"--style", "fusion", "--bogus", "-v"}, 2, "“--bogus”"},  // the first that Qt left
      {{"-style"}, 2, "“-style”"},  // Qt takes it only with a style after it
  };
  for (const auto& [arguments, exitStatus, part] : cases) {
    const auto [exitCode, output, errors] =
        RunWithoutDisplay(DUCTCALC_PROBE, QStringList{"-platform", "offscreen"} + arguments);
    const QString printed = output + errors;
    SCOPED_TRACE(arguments.join(' ').toStdString() + ": " + printed.toStdString());
    EXPECT_EQ(exitCode, exitStatus);
    EXPECT_TRUE(printed.contains(part));
    EXPECT_EQ(printed.startsWith(started), exitStatus == 0);
  }
}

// Where no font shows Chinese, as on a system built from source without the font packages, the
// window still opens and standard error says which package to install; where one does, it says
// nothing.
TEST(Program, SaysWhichFontToInstallWhereNoFontShowsChinese) {
  if (!DUCTCALC_POSIX) {
    GTEST_SKIP() << "Windows always has its Chinese fonts";
  }
  const QTemporaryDir folder;
  QFile noFonts(folder.filePath("fonts.conf"));  // fontconfig with no font folder
  ASSERT_TRUE(noFonts.open(QIODevice::WriteOnly));
  noFonts.write(
      QString("<fontconfig><cachedir>%1</cachedir></fontconfig>").arg(folder.path()).toUtf8());
  noFonts.close();
  for (const bool fonts : {true, false}) {
    QProcessEnvironment settings;
    if (!fonts) {
      settings.insert("FONTCONFIG_FILE", noFonts.fileName());
    }
    const auto [exitCode, output, errors] =
        RunWithoutDisplay(DUCTCALC_PROBE, {"-platform", "offscreen"}, Output::Read, true, settings);
    SCOPED_TRACE(errors.toStdString());
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(output.startsWith("当量直径计算|"));
    EXPECT_EQ(errors.contains("请安装 fonts-arphic-uming 或 fonts-noto-cjk"), !fonts);
  }
}

}  // namespace
}  // namespace duct
