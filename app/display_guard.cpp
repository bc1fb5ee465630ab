#include "app/display_guard.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "base/application_info.h"

namespace duct {
namespace {

struct HeldMessage {
  QtMsgType type;
  const char* category;  // Qt's category names are string literals
  QString text;
};

// Qt takes a plain function as its message handler, so what the handler holds back must live
// outside any object; only one guard is ever alive, around the start of the application.
std::vector<HeldMessage> heldMessages;
QtMessageHandler handlerBefore = nullptr;

// The text of the first held message that contains `part`; empty when none does.
QString HeldText(const QString& part) {
  const auto held = std::find_if(heldMessages.begin(), heldMessages.end(),
                                 [&part](const HeldMessage& m) { return m.text.contains(part); });
  return held != heldMessages.end() ? held->text : QString();
}

// Why the window system did not start, in one line: a platform that -platform or QT_QPA_PLATFORM
// names but that does not exist, or else no display to show the window on.
QString Explanation(const QString& fatal) {
  const QString unknown = HeldText("Could not find the Qt platform plugin \"");
  if (!unknown.isEmpty()) {
    const QString available =
        fatal.section("Available platform plugins are: ", 1).section('\n', 0, 0).chopped(1);
    return "找不到 Qt 平台插件“" + unknown.section('"', 1, 1) + "”" +
           (available.isEmpty() ? QString() : "（可用的平台插件：" + available + "）");
  }
  // Such as "could not connect to display :0"; Qt puts the blank before the display's name even
  // when it has none.
  const QString display = HeldText("display");
  return "无法打开显示器，窗口无处显示（" +
         (display.isEmpty() ? fatal.section('\n', 0, 0) : display).trimmed() + "）";
}

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    heldMessages.push_back({type, context.category, text});
    return;
  }
  std::fprintf(stderr, "%s: %s\n", kProgramName, Explanation(text).toLocal8Bit().constData());
  std::_Exit(EXIT_FAILURE);  // not abort(): a missing display is no crash
}

}  // namespace

DisplayGuard::DisplayGuard() { handlerBefore = qInstallMessageHandler(HoldOrEnd); }

DisplayGuard::~DisplayGuard() {
  qInstallMessageHandler(handlerBefore);
  for (const auto& [type, category, text] : std::exchange(heldMessages, {})) {
    const QMessageLogContext context(nullptr, 0, nullptr, category);
    (handlerBefore != nullptr ? handlerBefore : qt_message_output)(type, context, text);
  }
}

}  // namespace duct
