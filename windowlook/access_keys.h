#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

namespace duct {

// The access keys of a window's buttons and labels, taken over so that they act at once (Qt
// animates a 100 ms press before the click) and answer with Shift held as well: Alt+Shift+V
// does what Alt+V does. A button's key clicks it, and an option button takes the focus first;
// a label's key puts the focus into its buddy.
class AccessKeys : public QObject {
  Q_OBJECT

 public:
  // Covers the buttons and labels below `window` as they stand now.
  explicit AccessKeys(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void Activate(QAbstractButton& button);
};

}  // namespace duct
