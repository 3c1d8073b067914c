#include "base/translation.h"

#include <libintl.h>

#include <vector>

namespace vorbel::base {

void BindMessageCatalog(const std::string& folder, const char* codeset) {
  ::bindtextdomain(kTextDomain, folder.c_str());
  if (codeset != nullptr) ::bind_textdomain_codeset(kTextDomain, codeset);
}

const char* Translate(const char* text) { return ::dgettext(kTextDomain, text); }

std::string TranslateFormat(const char* format, std::initializer_list<std::string_view> values) {
  return FormatMessage(Translate(format), values);
}

std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> values) {
  const std::vector<std::string_view> given(values);
  std::string out;
  std::size_t next = 0;  // the value a plain %s takes
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      out += format[i];
      continue;
    }
    if (format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    if (format[i + 1] == 's') {
      if (next < given.size()) out += given[next];
      ++next;
      ++i;
      continue;
    }
    // %N$s: the value numbered N, from 1.
    std::size_t j = i + 1;
    std::size_t number = 0;
    while (j < format.size() && format[j] >= '0' && format[j] <= '9' && number < 1000) {
      number = number * 10 + static_cast<std::size_t>(format[j] - '0');
      ++j;
    }
    if (number > 0 && j + 1 < format.size() && format[j] == '$' && format[j + 1] == 's') {
      if (number <= given.size()) out += given[number - 1];
      i = j + 1;
      continue;
    }
    // Anything else is no placeholder: the text stays as it is.
    out += '%';
  }
  return out;
}

}  // namespace vorbel::base
