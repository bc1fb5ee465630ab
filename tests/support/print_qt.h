#pragma once

#include <QString>
#include <ostream>

// GoogleTest shows a QString that fails a check as its text, not as its bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
