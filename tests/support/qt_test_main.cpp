// Entry point of the widget tests: one QApplication, on Qt's offscreen platform so that the
// tests run without a display, or with --on-display on the system's own (X11, Windows), where
// native windows and the window manager's hints are real, under the platform theme that
// QT_QPA_PLATFORMTHEME names.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLoggingCategory>
#include <cstring>

namespace {

// Qt tells which theme it created only in its debug log.
QString createdTheme;
void NoteCreatedTheme(QtMsgType /*type*/, const QMessageLogContext& /*context*/,
                      const QString& text) {
  if (text.startsWith("Successfully created platform theme ")) {
    createdTheme = text.section('"', 1, 1);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2 || std::strcmp(argv[1], "--on-display") != 0) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QLoggingCategory::setFilterRules("qt.qpa.theme.debug=true");
  const QtMessageHandler previous = qInstallMessageHandler(NoteCreatedTheme);
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  qInstallMessageHandler(previous);
  QLoggingCategory::setFilterRules({});
  // A theme that failed to load leaves Qt's fallback: the tests would say nothing of the desktop.
  const QString requested = qEnvironmentVariable("QT_QPA_PLATFORMTHEME");
  if (!requested.isEmpty() && createdTheme != requested) {
    qCritical() << "the platform theme" << requested << "was asked for, but Qt created"
                << createdTheme;
    return 1;
  }
  return RUN_ALL_TESTS();
}
