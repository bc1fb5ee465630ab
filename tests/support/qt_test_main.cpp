// Entry point of the widget tests: one QApplication, on Qt's offscreen platform so that the
// tests run without a display, or with --on-display on the system's own (X11, Windows), where
// native windows and the window manager's hints are real, under the platform theme that
// QT_QPA_PLATFORMTHEME names.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <cstring>

namespace {

// A theme that failed to load leaves Qt's fallback, and the tests would say nothing of the
// desktop. A theme of a plugin (gtk3, xdgdesktopportal) is there when the plugin that offers its
// name is loaded. Qt builds the gnome and kde themes into its X11 platform, which makes them by
// name and tells which one it made only in its debug log: those are taken as made.
bool ThemeLoaded(const QString& theme) {
  if (theme == "generic" || theme == "gnome" || theme == "kde") {
    return true;
  }
  for (const QString& folder : QCoreApplication::libraryPaths()) {
    const QDir themes(folder + "/platformthemes");
    for (const QString& file : themes.entryList(QDir::Files)) {
      QPluginLoader plugin(themes.filePath(file));
      const QJsonArray names = plugin.metaData()["MetaData"].toObject()["Keys"].toArray();
      if (names.contains(theme) && plugin.isLoaded()) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2 || std::strcmp(argv[1], "--on-display") != 0) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  const QString requested = qEnvironmentVariable("QT_QPA_PLATFORMTHEME");
  if (!requested.isEmpty() && !ThemeLoaded(requested)) {
    qCritical() << "the platform theme" << requested << "was asked for, but no plugin of it loaded";
    return 1;
  }
  return RUN_ALL_TESTS();
}
