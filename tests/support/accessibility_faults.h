#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <string>

namespace duct {

// True when a screen reader that reads `earlier` before `later` goes backwards: up within a
// column, or leftwards within a row.
inline bool ReadsBackwards(const QRect& earlier, const QRect& later) {
  const bool sameColumn = later.left() <= earlier.right() && earlier.left() <= later.right();
  const bool sameRow = later.top() <= earlier.bottom() && earlier.top() <= later.bottom();
  return (sameColumn && later.bottom() < earlier.top()) ||
         (sameRow && later.right() < earlier.left());
}

// What a screen reader would stumble over in `window`, read back from its accessibility tree: a
// window not announced with `role` and its caption, objects without a name (decoration is not
// to be listed), and objects read out of order (top to bottom in a column, left to right in a
// row); each fault in a few words, none when the window reads well.
inline std::string AccessibilityFaults(QWidget& window, QAccessible::Role role) {
  QStringList faults;
  QList<QAccessibleInterface*> nodes = {QAccessible::queryAccessibleInterface(&window)};
  if (nodes[0]->role() != role || nodes[0]->text(QAccessible::Name) != window.windowTitle()) {
    faults.append(QString("the window reads as %1, role %2")
                      .arg(nodes[0]->text(QAccessible::Name))
                      .arg(nodes[0]->role()));
  }
  for (qsizetype at = 0; at < nodes.size(); ++at) {
    for (int i = 0; i < nodes[at]->childCount(); ++i) {
      QAccessibleInterface* node = nodes.emplace_back(nodes[at]->child(i));
      const QString name = node->text(QAccessible::Name);
      if (name.isEmpty()) {
        faults.append("no name: " + node->object()->objectName());
      }
      for (int before = 0; before < i; ++before) {
        if (ReadsBackwards(nodes[at]->child(before)->rect(), node->rect())) {
          faults.append(name + " read after " + nodes[at]->child(before)->text(QAccessible::Name));
        }
      }
    }
  }
  return faults.join("; ").toStdString();
}

}  // namespace duct
