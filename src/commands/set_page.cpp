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

// The sprite sheets for image-set(): with `typed`, every sheet format at
// every scale with its type(), in the set's order; else the sheets of the
// last format, the one every browser takes.
std::string ImageSet(const ButtonSet& set, const char* function, bool typed) {
  const std::vector<ExportFormat> formats = set.SheetFormats();
  std::string list;
  for (int scale : set.Options().scales) {
    for (std::size_t i = typed ? 0 : formats.size() - 1; i < formats.size(); ++i) {
      list += std::string(list.empty() ? "" : ", ") + "url(\"" + SpriteSheetName(scale, formats[i]) + "\")" +
              (typed ? " type(\"" + std::string(FormatInfo(formats[i]).mime_type) + "\")" : std::string()) + " " +
              std::to_string(scale) + "x";
    }
  }
  return std::string(function) + "(" + list + ")";
}

// A ring of two colours around the opaque pixels of a picture, whatever its
// shape: one-pixel shadows to four sides, dark inside and light outside, so
// that it shows on any page.
constexpr const char* kFocusRing =
    "drop-shadow(1px 0 0 #000) drop-shadow(-1px 0 0 #000) drop-shadow(0 1px 0 #000) drop-shadow(0 -1px 0 #000)\n"
    "          drop-shadow(1px 0 0 #fff) drop-shadow(-1px 0 0 #fff) drop-shadow(0 1px 0 #fff) "
    "drop-shadow(0 -1px 0 #fff)";

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

// The column of the look a button shows at rest, and of its disabled look.
int RestColumn(const ButtonSet& set) { return std::max(StateColumn(set, render::ButtonState::Normal), 0); }

// <img srcset> of one look of a button, in a <picture> with a <source> per
// further format when the set has several; the caption is its alternative
// text.
std::string PictureMarkup(const ButtonSet& set, int button, int state) {
  const SetOptions& options = set.Options();
  const auto srcset = [&](std::size_t format) {
    std::string list;
    for (std::size_t scale = 0; scale < options.scales.size(); ++scale) {
      list += std::string(list.empty() ? "" : ", ") +
              UrlPathEscaped(set.FileName(button, state, static_cast<int>(scale), static_cast<int>(format))) + " " +
              std::to_string(options.scales[scale]) + "x";
    }
    return list;
  };
  const std::size_t last = options.formats.size() - 1;
  const auto smallest = std::min_element(options.scales.begin(), options.scales.end()) - options.scales.begin();
  const std::string img =
      "<img src=\"" + UrlPathEscaped(set.FileName(button, state, static_cast<int>(smallest), static_cast<int>(last))) +
      "\" srcset=\"" + srcset(last) + "\" alt=\"" + base::EscapeMarkup(set.Caption(button)) + "\" width=\"" +
      std::to_string(set.Width()) + "\" height=\"" + std::to_string(set.Height()) + "\">";
  if (last == 0) return img;
  std::string picture = "<picture>";
  for (std::size_t format = 0; format < last; ++format) {
    picture += "<source type=\"" + std::string(FormatInfo(options.formats[format]).mime_type) + "\" srcset=\"" +
               srcset(format) + "\">";
  }
  return picture + img + "</picture>";
}

// A button as a page shows it: `element` is "button" or "a"; `attributes`
// what it takes besides its class.
std::string ButtonMarkup(const ButtonSet& set, int button, const std::string& element, const std::string& attributes,
                         bool disabledLook) {
  if (set.Options().sprite) {
    return "<" + element + " class=\"btn btn-" + set.Slug(button) + "\"" + attributes + ">" +
           base::EscapeMarkup(set.Caption(button)) + "</" + element + ">";
  }
  const int state = disabledLook ? StateColumn(set, render::ButtonState::Disabled) : RestColumn(set);
  return "<" + element + " class=\"btn-img\"" + attributes + ">" + PictureMarkup(set, button, state) + "</" + element +
         ">";
}

bool HasDisabledLook(const ButtonSet& set) { return StateColumn(set, render::ButtonState::Disabled) >= 0; }

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
  const std::vector<ExportFormat> sheetFormats = set.SheetFormats();
  // No caption goes into the sheet: the buttons are named by their slugs,
  // which hold letters, digits and "-" only, and the layout's name is made
  // safe for the comment.
  std::string css = "/* The buttons of " + CommentText(set.LayoutName()) +
                    ", drawn by Vorbel: " + std::to_string(set.ButtonCount()) + " captions in the looks " +
                    StateList(set);
  // The focus ring, the inert disabled link and forced colours hold for both
  // kinds of markup.
  const std::string common = ":focus-visible {\n  outline: 2px solid transparent;\n  outline-offset: 2px;\n}\n";
  if (!options.sprite) {
    css += ".\n   Each button is <img srcset> of its files, as in " + std::string(kSnippetName) +
           "; a link or button of the class btn-img holds it. */\n\n";
    css +=
        ".btn-img {\n  display: inline-block;\n  margin: 0;\n  padding: 0;\n  border: 0;\n"
        "  background: transparent;\n  color: inherit;\n  font: 12px sans-serif;\n  vertical-align: middle;\n"
        "  cursor: pointer;\n}\n"
        ".btn-img img {\n  display: block;\n}\n"
        ".btn-img" +
        common + ".btn-img:focus-visible img {\n  filter: " + kFocusRing +
        ";\n}\n"
        ".btn-img:disabled, .btn-img[aria-disabled=\"true\"] {\n  cursor: default;\n  pointer-events: none;\n}\n";
    return css;
  }
  css +=
      ", from one sprite sheet per screen density.\n"
      "   Use a button as <button type=\"button\" class=\"btn btn-" +
      set.Slug(0) + "\">its caption</button>, or a link as in " + std::string(kSnippetName) +
      ";\n   the class btn-disabled, or the attribute disabled, shows it disabled. */\n\n";
  // The caption lies under the picture: it shows where the picture does not
  // load, and names the button to screen readers.
  css += ".btn {\n  position: relative;\n  display: inline-block;\n  box-sizing: border-box;\n  width: " + Px(w) +
         ";\n  height: " + Px(h) + ";\n  margin: 0;\n  padding: 0 " + Px(h / 2) +
         ";\n  border: 0;\n  overflow: hidden;\n  font: 12px/" + Px(h) +
         " sans-serif;\n  white-space: nowrap;\n  text-align: center;\n  text-decoration: none;\n"
         "  color: inherit;\n  vertical-align: middle;\n  cursor: pointer;\n  background: transparent;\n}\n";
  css +=
      ".btn::after {\n  content: \"\";\n  position: absolute;\n  top: 0;\n  left: 0;\n  width: 100%;\n"
      "  height: 100%;\n  background-repeat: no-repeat;\n  background-image: url(\"" +
      SpriteSheetName(smallest, sheetFormats.back()) + "\");\n";
  css += "  background-image: " + ImageSet(set, "-webkit-image-set", false) + ";\n";
  css += "  background-image: " + ImageSet(set, "image-set", sheetFormats.size() > 1) + ";\n";
  css += "  background-size: " + Px(std::int64_t{w} * static_cast<std::int64_t>(options.states.size())) + " " +
         Px(std::int64_t{h} * set.ButtonCount()) + ";\n}\n";
  css += ".btn" + common + ".btn:focus-visible::after {\n  filter: " + kFocusRing + ";\n}\n";
  css +=
      ".btn.btn-disabled, .btn:disabled, .btn[aria-disabled=\"true\"] {\n  cursor: default;\n"
      "  pointer-events: none;\n}\n";
  // Forced colours leave out background pictures: the caption shows as text
  // in the system's colours instead.
  css += "@media (forced-colors: active) {\n  .btn {\n    width: auto;\n    min-width: " + Px(w) +
         ";\n    border: 1px solid ButtonText;\n    color: ButtonText;\n    background: ButtonFace;\n  }\n"
         "  .btn::after {\n    display: none;\n  }\n"
         "  .btn.btn-disabled, .btn:disabled, .btn[aria-disabled=\"true\"] {\n    border-color: GrayText;\n"
         "    color: GrayText;\n  }\n}\n";

  const int normal = std::max(StateColumn(set, render::ButtonState::Normal), 0);
  const int hover = StateColumn(set, render::ButtonState::Hover);
  const int pressed = StateColumn(set, render::ButtonState::Pressed);
  const int disabled = StateColumn(set, render::ButtonState::Disabled);
  std::string hovers;
  for (int button = 0; button < set.ButtonCount(); ++button) {
    const std::string cls = ".btn-" + set.Slug(button);
    const std::string y = Px(-std::int64_t{h} * button);
    const auto at = [&](int column, const char* indent) {
      return std::string(indent) + "  background-position: " + Px(-std::int64_t{w} * column) + " " + y + ";\n" +
             indent + "}\n";
    };
    css += "\n" + cls + "::after {\n" + at(normal, "");
    // Only where there is hover: a tap must not leave the hover look behind.
    if (hover >= 0) hovers += "  " + cls + ":hover::after {\n" + at(hover, "  ");
    if (pressed >= 0) css += cls + ":active::after {\n" + at(pressed, "");
    // Last, so that a disabled button stays disabled whatever else holds.
    if (disabled >= 0) {
      css += cls + ".btn-disabled::after, " + cls + ":disabled::after, " + cls + "[aria-disabled=\"true\"]::after {\n" +
             at(disabled, "");
    }
  }
  // The hover rules come before the pressed and disabled ones of the same
  // weight, so that a pressed or disabled button under the pointer shows so.
  if (!hovers.empty()) {
    const std::size_t first = css.find("\n.btn-");
    css.insert(first, "\n@media (hover: hover) {\n" + hovers + "}\n");
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
      (options.sprite ? ". Point at a button to see its hover look and press it to see it pressed; the buttons come "
                        "from the sprite sheets through <a href=\"" +
                            std::string(kStyleSheetName) + "\">" + std::string(kStyleSheetName) + "</a>."
                      : ". Each button is a picture of its files, as in <a href=\"" + std::string(kSnippetName) +
                            "\">" + std::string(kSnippetName) + "</a>.") +
      "</p>\n<div class=\"stage\">\n";
  for (int button = 0; button < set.ButtonCount(); ++button) {
    page += ButtonMarkup(set, button, "button", " type=\"button\"", false) + "\n";
  }
  page += "</div>\n";
  if (HasDisabledLook(set)) {
    // A disabled button, and a disabled link: one without an address, which
    // nothing can follow.
    page += "<h2>Disabled</h2>\n<div class=\"stage\">\n";
    for (int button = 0; button < set.ButtonCount(); ++button) {
      page += ButtonMarkup(set, button, "button", " type=\"button\" disabled", true) + "\n";
      page += ButtonMarkup(set, button, "a", " role=\"link\" aria-disabled=\"true\"", true) + "\n";
    }
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
        std::string names;
        for (std::size_t format = 0; format < options.formats.size(); ++format) {
          names += std::string(names.empty() ? "" : "<br>") +
                   base::EscapeMarkup(set.FileName(button, static_cast<int>(state), static_cast<int>(scale),
                                                   static_cast<int>(format)));
        }
        page += "<td class=\"picture\"><img src=\"" + UrlPathEscaped(name) + "\" width=\"" +
                std::to_string(set.Width()) + "\" height=\"" + std::to_string(set.Height()) + "\" alt=\"" +
                base::EscapeMarkup(set.Caption(button)) + ", " +
                std::string(render::ButtonStateName(options.states[state])) + "\"><code>" + names + "</code></td>";
      }
    }
    page += "</tr>\n";
  }
  page += "</table>\n";
  if (options.sprite) {
    page += "<p>Sprite sheets:";
    for (int scale : options.scales) {
      for (const ExportFormat format : set.SheetFormats()) {
        const std::string sheet = SpriteSheetName(scale, format);
        page += " <a href=\"" + sheet + "\">" + sheet + "</a>";
      }
    }
    page += "</p>\n";
  }
  page += "</body>\n</html>\n";
  return page;
}

std::string SetSnippet(const ButtonSet& set) {
  std::string snippet = "<!-- The buttons of " + base::EscapeMarkup(set.LayoutName()) + ", drawn by Vorbel: with " +
                        std::string(kStyleSheetName) + "; give each link its address. -->\n";
  for (int button = 0; button < set.ButtonCount(); ++button) {
    snippet += ButtonMarkup(set, button, "a", " href=\"#\"", false) + "\n";
  }
  if (HasDisabledLook(set)) {
    snippet += "<!-- Disabled: a link without an address, which nothing can follow. -->\n";
    for (int button = 0; button < set.ButtonCount(); ++button) {
      snippet += ButtonMarkup(set, button, "a", " role=\"link\" aria-disabled=\"true\"", true) + "\n";
    }
  }
  return snippet;
}

}  // namespace vorbel::commands
