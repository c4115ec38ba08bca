#pragma once
// The catalogue's texts as Qt strings, for the windows.
#include <QString>
#include <string>
#include <string_view>

#include "messages/CliTexts.h"
#include "messages/InterfaceTexts.h"

namespace gui {

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString UiText(msg::Ui id) { return FromUtf8(msg::Text(id)); }
inline QString UiText(msg::Cli id) { return FromUtf8(msg::Text(id)); }

// A catalogue text with "{}" placeholders filled in order.
template <typename Id, typename... Args>
QString UiFormat(Id id, const Args&... args) {
  return FromUtf8(msg::Format(id, args...));
}

}  // namespace gui
