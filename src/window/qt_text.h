// The kinds' UTF-8 texts as Qt strings, for captions, names and messages of the windows.
#pragma once

#include <QString>
#include <string_view>

namespace fondara::window {

inline QString qt_text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The text with its first letter in upper case, as a caption begins.
inline QString capitalised(std::string_view utf8) {
  const QString text = qt_text(utf8);
  return text.left(1).toUpper() + text.mid(1);
}

}  // namespace fondara::window
