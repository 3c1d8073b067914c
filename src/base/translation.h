#pragma once
// Messages in the user's language, through GNU gettext (part of the C
// library), text domain "vorbel".
//
// The English texts in the source are the message ids and what is shown when
// no catalog has a translation. Adding a language needs no code change:
// po/<language>.po is compiled and installed as
// share/locale/<language>/LC_MESSAGES/vorbel.mo (the window's own texts go
// through Qt's tr() and translations/vorbel_<language>.ts instead; see the
// README's "Translations").
//
// How to write a message that users see:
//  - in the core and the command line: Translate("Some text"), and for a text
//    with values TranslateFormat("Cannot create file %s", {path}), with %s (or
//    %1$s, %2$s ... where a translation reorders them) for each value, %% for
//    a percent sign; numbers go in as std::to_string. Build the sentence as one
//    format, never by gluing translated pieces together.
//  - a text defined where it cannot be translated yet (a table, a constant):
//    mark it with VORBEL_TRANSLATABLE("...") so that extraction finds it, and
//    pass it through Translate where it is shown.
//  - in the window (src/ui, src/controls): tr("...") in a QObject class,
//    QCoreApplication::translate("Context", "...") elsewhere.
// `cmake --build build --target vorbel_pot` extracts the core's texts into
// po/vorbel.pot; the window's are gathered by lupdate into the .ts files.
//
// The locale is the program's to set: the command line sets LC_MESSAGES and
// LC_CTYPE only (never LC_NUMERIC, so numbers in files never change with it);
// Qt sets the window's.

#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text for extraction without translating it.
#define VORBEL_TRANSLATABLE(text) text

namespace vorbel::base {

inline constexpr const char* kTextDomain = "vorbel";

// Finds the catalogs of the text domain in `folder`
// (<folder>/<language>/LC_MESSAGES/vorbel.mo). `codeset` names the encoding
// the translations are given in; nullptr for the locale's own (LC_CTYPE).
// Call once at start, before the first message.
void BindMessageCatalog(const std::string& folder, const char* codeset = nullptr);

// The text in the user's language when the catalog has it, else the text.
const char* Translate(const char* text);

// The format translated, with its %s placeholders replaced by the values in
// order (%1$s, %2$s ... by number), and %% by a percent sign.
std::string TranslateFormat(const char* format, std::initializer_list<std::string_view> values);

// The same, without translating `format` (already translated, or no message).
std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> values);

}  // namespace vorbel::base
