#pragma once
// The error raised when a colour or integer text does not convert.

#include <string>
#include <string_view>

#include "base/error.h"
#include "base/translation.h"

namespace vorbel::document {

// what() is the message shown to the user: "'<text>' is not a valid integer
// value", with the offending text exactly as it was given (blanks included).
// Drawers catch it to abandon one layer; editors let it reach the error box.
class ConversionError : public base::Error {
 public:
  explicit ConversionError(std::string_view text) : base::Error(Message(text)), text_(text) {}

  // The text that failed to convert.
  const std::string& text() const noexcept { return text_; }

 private:
  static std::string Message(std::string_view text) {
    return base::TranslateFormat("'%s' is not a valid integer value", {text});
  }

  std::string text_;
};

}  // namespace vorbel::document
