// Feeds arbitrary bytes to the property-string lookup and to every conversion
// of stored text. Each must return a value or raise ConversionError; any other
// exception, crash or sanitizer report is a fault.
//
// Input layout: key, property string and default separated by NUL bytes; the
// whole input and the looked-up value also go through the conversions.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/conversion_error.h"
#include "document/property_string.h"
#include "document/value_conversion.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void Convert(std::string_view text) {
  vorbel::document::YesNoToBool(text);
  vorbel::document::ReadOffset(text);
  const auto maybe = vorbel::document::TryStringToInt(text);
  try {
    const std::int32_t value = vorbel::document::StringToInt(text);
    Check(maybe && *maybe == value);
  } catch (const vorbel::document::ConversionError& e) {
    Check(!maybe);
    Check(e.text() == text);
  }
  try {
    const vorbel::base::Color color = vorbel::document::StringToColor(text);
    // Writing the colour and reading it back gives the same colour.
    Check(vorbel::document::StringToColor(vorbel::document::ColorToString(color)) == color);
  } catch (const vorbel::document::ConversionError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t first = input.find('\0');
  const std::string_view key = input.substr(0, first);
  std::string_view props;
  std::string_view def;
  if (first != std::string_view::npos) {
    const std::string_view rest = input.substr(first + 1);
    const std::size_t second = rest.find('\0');
    props = rest.substr(0, second);
    if (second != std::string_view::npos) def = rest.substr(second + 1);
  }

  const std::string value = vorbel::document::GetPropValue(key, props, def);
  // The lookup never returns an empty value unless the default is empty, and a
  // value found in the string never holds ";".
  Check(!value.empty() || def.empty());
  Check(value == def || value.find(';') == std::string::npos);

  Convert(value);
  Convert(input);
  return 0;
}
