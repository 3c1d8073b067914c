#include "commands/set_page.h"

#include <algorithm>
#include <cstdio>

#include "base/ascii_text.h"
#include "base/text_encoding.h"
#include "render/button_states.h"

namespace vorbel::commands {
namespace {

std::string Px(std::int64_t v) { return v == 0 ? "0" : std::to_string(v) + "px"; }

std::string HexColour(gdi::Pixel p) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(p.Rgb()));
  return text;
}

// The index of a state among the set's states, or -1.
int StateColumn(const ButtonSet& set, render::ButtonState state) {
  const auto& states = set.Options().states;
  const auto it = std::find(states.begin(), states.end(), state);
  return it == states.end() ? -1 : static_cast<int>(it - states.begin());
}

std::string ImageSet(const ButtonSet& set, const char* function) {
  std::string list;
  for (int scale : set.Options().scales) {
    list += std::string(list.empty() ? "" : ", ") + "url(\"" + SpriteSheetName(scale, set.Options().format) + "\") " +
            std::to_string(scale) + "x";
  }
  return std::string(function) + "(" + list + ")";
}

// Text fit for the inside of a CSS comment, whatever it holds: "*" (which
// could end the comment), "<" (which could end a <style> element the sheet
// is copied into), "\\", control characters and bytes that are not UTF-8
// become "_".
std::string CommentText(std::string_view text) {
  const bool utf8 = base::IsValidUtf8(text);
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unsafe = c == '*' || c == '<' || c == '>' || c == '\\' || byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !utf8);
    out += unsafe ? '_' : c;
  }
  return out;
}

std::string StateList(const ButtonSet& set) {
  std::string list;
  const auto& states = set.Options().states;
  for (std::size_t i = 0; i < states.size(); ++i) {
    list += std::string(i == 0                   ? ""
                        : i + 1 == states.size() ? " and "
                                                 : ", ") +
            std::string(render::ButtonStateName(states[i]));
  }
  return list;
}

}  // namespace

std::string UrlPathEscaped(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '@';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

std::string SetStyleSheet(const ButtonSet& set) {
  const SetOptions& options = set.Options();
  const int w = set.Width();
  const int h = set.Height();
  const int smallest = *std::min_element(options.scales.begin(), options.scales.end());
  // No caption goes into the sheet: the buttons are named by their slugs,
  // which hold letters, digits and "-" only, and the layout's name is made
  // safe for the comment.
  std::string css = "/* The buttons of " + CommentText(set.LayoutName()) +
                    ", drawn by Vorbel: " + std::to_string(set.ButtonCount()) + " captions in the looks " +
                    StateList(set) +
                    ", from one sprite sheet per screen density.\n"
                    "   Use a button as <button type=\"button\" class=\"btn btn-" +
                    set.Slug(0) +
                    "\">its caption</button>;\n   the class btn-disabled, or the attribute disabled, shows it disabled. "
                    "*/\n\n";
  css += ".btn {\n  display: inline-block;\n  box-sizing: content-box;\n  width: " + Px(w) + ";\n  height: " + Px(h) +
         ";\n  margin: 0;\n  padding: 0;\n  border: 0;\n  overflow: hidden;\n  font-size: 0;\n"
         "  color: transparent;\n  vertical-align: middle;\n  cursor: pointer;\n  background-color: transparent;\n"
         "  background-repeat: no-repeat;\n  background-image: url(\"" +
         SpriteSheetName(smallest, set.Options().format) + "\");\n";
  css += "  background-image: " + ImageSet(set, "-webkit-image-set") + ";\n";
  css += "  background-image: " + ImageSet(set, "image-set") + ";\n";
  css += "  background-size: " + Px(std::int64_t{w} * static_cast<std::int64_t>(options.states.size())) + " " +
         Px(std::int64_t{h} * set.ButtonCount()) + ";\n}\n";
  css += ".btn.btn-disabled, .btn:disabled, .btn[aria-disabled=\"true\"] {\n  cursor: default;\n}\n";

  const int normal = std::max(StateColumn(set, render::ButtonState::Normal), 0);
  const int hover = StateColumn(set, render::ButtonState::Hover);
  const int pressed = StateColumn(set, render::ButtonState::Pressed);
  const int disabled = StateColumn(set, render::ButtonState::Disabled);
  for (int button = 0; button < set.ButtonCount(); ++button) {
    const std::string cls = ".btn-" + set.Slug(button);
    const std::string y = Px(-std::int64_t{h} * button);
    const auto at = [&](int column) {
      return "  background-position: " + Px(-std::int64_t{w} * column) + " " + y + ";\n";
    };
    css += "\n" + cls + " {\n" + at(normal) + "}\n";
    if (hover >= 0) css += cls + ":hover {\n" + at(hover) + "}\n";
    // After :hover, so that a pressed button under the pointer shows pressed.
    if (pressed >= 0) css += cls + ":active {\n" + at(pressed) + "}\n";
    // Last, so that a disabled button stays disabled under the pointer.
    if (disabled >= 0) {
      css +=
          cls + ".btn-disabled, " + cls + ":disabled, " + cls + "[aria-disabled=\"true\"] {\n" + at(disabled) + "}\n";
    }
  }
  return css;
}

std::string SetPreviewPage(const ButtonSet& set) {
  const SetOptions& options = set.Options();
  const std::string title = base::EscapeMarkup(set.LayoutName());
  const std::string stage = HexColour(set.WorkArea());
  const std::string size = std::to_string(set.Width()) + " &times; " + std::to_string(set.Height());
  std::string scales;
  for (int scale : options.scales) scales += std::string(scales.empty() ? "" : ", ") + std::to_string(scale) + "x";

  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Buttons of " +
      title + "</title>\n<link rel=\"stylesheet\" href=\"" + std::string(kStyleSheetName) +
      "\">\n<style>\n"
      "body { font: 15px/1.5 sans-serif; margin: 2em; color: #222; background: #fff; }\n"
      ".stage { display: inline-flex; flex-wrap: wrap; gap: 12px; padding: 16px; border: 1px solid #ccc; background: " +
      stage +
      "; }\n"
      "table { border-collapse: collapse; margin: 1em 0; }\n"
      "th, td { padding: 6px 12px; text-align: left; vertical-align: middle; border-bottom: 1px solid #ddd; }\n"
      "td.picture { background: " +
      stage +
      "; }\n"
      "td.picture code { display: block; font-size: 12px; color: #000; background: #fff; }\n"
      "</style>\n</head>\n<body>\n<h1>Buttons of " +
      title + "</h1>\n<p>" + std::to_string(set.ButtonCount()) + (set.ButtonCount() == 1 ? " button" : " buttons") +
      " of " + size + " pixels in the looks " + StateList(set) + ", drawn for screens of " + scales +
      ". Point at a button to see its hover look and press it to see it pressed; the buttons come from the "
      "sprite sheets through <a href=\"" +
      std::string(kStyleSheetName) + "\">" + std::string(kStyleSheetName) + "</a>.</p>\n<div class=\"stage\">\n";
  const auto buttons = [&](const char* extra) {
    for (int button = 0; button < set.ButtonCount(); ++button) {
      page += "<button type=\"button\" class=\"btn btn-" + set.Slug(button) + "\"" + extra + ">" +
              base::EscapeMarkup(set.Caption(button)) + "</button>\n";
    }
  };
  buttons("");
  page += "</div>\n";
  if (std::find(options.states.begin(), options.states.end(), render::ButtonState::Disabled) != options.states.end()) {
    page += "<h2>Disabled</h2>\n<div class=\"stage\">\n";
    buttons(" disabled");
    page += "</div>\n";
  }

  page += "<h2>Files</h2>\n<table>\n<tr><th>Caption</th>";
  for (int scale : options.scales) {
    for (render::ButtonState state : options.states) {
      page += "<th>" + std::string(render::ButtonStateName(state)) + " " + std::to_string(scale) + "x</th>";
    }
  }
  page += "</tr>\n";
  for (int button = 0; button < set.ButtonCount(); ++button) {
    page += "<tr><td>" + base::EscapeMarkup(set.Caption(button)) + "</td>";
    for (std::size_t scale = 0; scale < options.scales.size(); ++scale) {
      for (std::size_t state = 0; state < options.states.size(); ++state) {
        const std::string& name = set.FileName(button, static_cast<int>(state), static_cast<int>(scale));
        page += "<td class=\"picture\"><img src=\"" + UrlPathEscaped(name) + "\" width=\"" +
                std::to_string(set.Width()) + "\" height=\"" + std::to_string(set.Height()) + "\" alt=\"" +
                base::EscapeMarkup(set.Caption(button)) + ", " +
                std::string(render::ButtonStateName(options.states[state])) + "\"><code>" + base::EscapeMarkup(name) +
                "</code></td>";
      }
    }
    page += "</tr>\n";
  }
  page += "</table>\n<p>Sprite sheets:";
  for (int scale : options.scales) {
    const std::string sheet = SpriteSheetName(scale, set.Options().format);
    page += " <a href=\"" + sheet + "\">" + sheet + "</a>";
  }
  page += "</p>\n</body>\n</html>\n";
  return page;
}

}  // namespace vorbel::commands
