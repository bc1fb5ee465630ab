#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "windowlook/window_frame.h"

namespace duct {
namespace {

// Windows gives a task-bar entry to every window without an owner, so the window gets an owner
// that is never shown. Unlike the main window as owner, it never keeps the window in front of
// the main window. The owner is set on the window's QWindow, which Qt has made by the show
// event and hands to Windows right after it.
class HiddenOwner final : public QObject {
 public:
  explicit HiddenOwner(QWidget& window) : QObject(&window) { window.installEventFilter(this); }
  ~HiddenOwner() override { delete owner_; }
  HiddenOwner(const HiddenOwner&) = delete;
  HiddenOwner& operator=(const HiddenOwner&) = delete;

  bool eventFilter(QObject* watched, QEvent* event) override {
    QWindow* native = static_cast<QWidget*>(watched)->windowHandle();
    if (event->type() == QEvent::Show && native != nullptr &&
        native->transientParent() == nullptr) {
      if (owner_ == nullptr) {
        owner_ = new QWindow();
        owner_->create();
      }
      native->setTransientParent(owner_);
    }
    return false;
  }

 private:
  QWindow* owner_ = nullptr;
};

}  // namespace

// Windows draws the frame from the window's styles, which Qt derives from its flags: a fixed
// frame from Qt::MSWindowsFixedSizeDialogHint, a dialog frame with only the close button for a
// dialog without a system menu. Only the task bar needs more.
void RequestFrame(QWidget& window, FrameRequest request) {
  if (request.offTaskBar) {
    new HiddenOwner(window);
  }
}

}  // namespace duct
