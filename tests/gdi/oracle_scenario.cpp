#include "oracle_scenario.h"

#include <zlib.h>

#include <fstream>
#include <sstream>

#include "gdi/system_colors.h"

namespace vorbel::gdi::test {

namespace {

using namespace base::literals;

Pixel Rgb(int r, int g, int b) {
  return Pixel::FromRgb(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

std::string Hex(Pixel p) {
  std::ostringstream s;
  s << int{p.Red()} << ',' << int{p.Green()} << ',' << int{p.Blue()};
  return s.str();
}

// One surface with the state of its device context.
struct Surface {
  explicit Surface(int w, int h, bool mono) : bitmap(std::make_unique<Bitmap>(w, h, mono)) {
    canvas = std::make_unique<Canvas>(*bitmap);
  }
  std::unique_ptr<Bitmap> bitmap;
  std::unique_ptr<Canvas> canvas;
  Pixel text_color = kBlack;
  Pixel bk_color = kWhite;
};

}  // namespace

PixelMap LoadPixelMap(const std::string& path) {
  PixelMap out;
  // zlib reads a file that is not compressed as it is.
  gzFile in = gzopen(path.c_str(), "rb");
  if (in == nullptr) {
    out.error = "cannot open " + path;
    return out;
  }
  std::string text;
  char buffer[1 << 16];
  for (int n; (n = gzread(in, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  gzclose(in);
  std::vector<std::string> lines;
  std::istringstream textLines(text);
  for (std::string line; std::getline(textLines, line);) lines.push_back(line);
  std::map<char, Pixel> legend;
  for (const std::string& l : lines) {
    if (l.size() > 6 && l.compare(0, 2, "  ") == 0 && l.compare(3, 3, " = ") == 0) {
      std::istringstream v(l.substr(6));
      int r = 0, g = 0, b = 0;
      v >> r >> g >> b;
      legend[l[2]] = Rgb(r, g, b);
    }
  }
  std::vector<std::string> rows;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.size() < 5) continue;
    bool digits = false, others = false;
    for (int k = 0; k < 4; ++k) {
      if (l[static_cast<std::size_t>(k)] == ' ') continue;
      if (l[static_cast<std::size_t>(k)] >= '0' && l[static_cast<std::size_t>(k)] <= '9') {
        digits = true;
      } else {
        others = true;
      }
    }
    if (digits && !others) rows.push_back(l.substr(5));
  }
  if (rows.empty()) {
    out.error = "no pixel rows in " + path;
    return out;
  }
  const int w = static_cast<int>(rows[0].size());
  out.image = Bitmap(w, static_cast<int>(rows.size()));
  for (int y = 0; y < out.image.Height(); ++y) {
    const std::string& row = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < w && x < static_cast<int>(row.size()); ++x) {
      const auto it = legend.find(row[static_cast<std::size_t>(x)]);
      if (it == legend.end()) {
        out.error = "colour without legend in " + path;
        return out;
      }
      out.image.SetPixel(x, y, it->second);
    }
  }
  return out;
}

ScenarioResult RunScenario(const std::string& path) {
  ScenarioResult result;
  std::ifstream in(path);
  if (!in) {
    result.error = "cannot open " + path;
    return result;
  }
  std::map<std::string, Surface> surfaces;
  Surface* cur = nullptr;
  int lineNo = 0;
  const auto noteShape = [&](const Canvas& c, const Rect& box) {
    const Rect b = box.Normalized();
    const int reach = std::max(c.PenWidth(), 1) / 2 + 1;
    result.shapes.push_back({lineNo, {b.left - reach, b.top - reach, b.right + reach, b.bottom + reach}});
  };
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    std::istringstream s(line);
    std::string cmd;
    if (!(s >> cmd) || cmd[0] == '#') continue;
    const auto fail = [&](const std::string& what) {
      result.error = path + ":" + std::to_string(lineNo) + ": " + what;
    };
    const auto readColor = [&s]() {
      int r = 0, g = 0, b = 0;
      s >> r >> g >> b;
      return Rgb(r, g, b);
    };
    if (cmd == "size") {
      int w = 0, h = 0;
      s >> w >> h;
      cur = &surfaces.emplace("main", Surface(w, h, false)).first->second;
      continue;
    }
    if (cur == nullptr) {
      fail("drawing before size");
      return result;
    }
    Canvas& c = *cur->canvas;
    if (cmd == "fill") {
      cur->bitmap->Fill(readColor());
    } else if (cmd == "pen") {
      std::string first;
      s >> first;
      if (first == "none") {
        fail("a null pen is not supported");
        return result;
      }
      int g = 0, b = 0, w = 1;
      s >> g >> b >> w;
      c.SetPenColor(base::Color::FromPixel(Rgb(std::stoi(first), g, b)));
      c.SetPenWidth(w);
    } else if (cmd == "brush") {
      std::string first;
      s >> first;
      if (first == "clear") {
        c.SetBrushStyle(BrushStyle::Clear);
      } else {
        int g = 0, b = 0;
        s >> g >> b;
        c.SetBrushColor(base::Color::FromPixel(Rgb(std::stoi(first), g, b)));
      }
    } else if (cmd == "rect" || cmd == "ellipse" || cmd == "roundrect") {
      int x1 = 0, y1 = 0, x2 = 0, y2 = 0, cw = 0, ch = 0;
      s >> x1 >> y1 >> x2 >> y2;
      if (cur == &surfaces.at("main")) noteShape(c, {x1, y1, x2, y2});
      if (cmd == "rect") {
        c.Rectangle(x1, y1, x2, y2);
      } else if (cmd == "ellipse") {
        c.Ellipse(x1, y1, x2, y2);
      } else {
        s >> cw >> ch;
        c.RoundRect(x1, y1, x2, y2, cw, ch);
      }
    } else if (cmd == "moveto" || cmd == "lineto") {
      int x = 0, y = 0;
      s >> x >> y;
      if (cmd == "moveto") {
        c.MoveTo(x, y);
      } else {
        if (cur == &surfaces.at("main")) {
          noteShape(c, {std::min(x, c.PenX()), std::min(y, c.PenY()), std::max(x, c.PenX()) + 1,
                        std::max(y, c.PenY()) + 1});
        }
        c.LineTo(x, y);
      }
    } else if (cmd == "pixel") {
      int x = 0, y = 0;
      s >> x >> y;
      cur->bitmap->SetPixel(x, y, readColor());
    } else if (cmd == "floodfill") {
      int x = 0, y = 0;
      s >> x >> y;
      const Pixel border = readColor();
      const Bitmap& b = *cur->bitmap;
      // The call reports failure where it fills nothing by rule.
      if (!b.Inside(x, y) || b.GetPixel(x, y) == b.MapPixel(border)) {
        result.failures.push_back("failed line " + std::to_string(lineNo) + ": ExtFloodFill");
      }
      c.FloodFill(x, y, base::Color::FromPixel(border));
    } else if (cmd == "bitmap") {
      std::string name, kind;
      int w = 0, h = 0;
      s >> name >> w >> h >> kind;
      surfaces.erase(name);
      surfaces.emplace(name, Surface(w, h, kind == "mono"));
    } else if (cmd == "select") {
      std::string name;
      s >> name;
      const auto it = surfaces.find(name);
      if (it == surfaces.end()) {
        fail("no surface " + name);
        return result;
      }
      cur = &it->second;
    } else if (cmd == "textcolor") {
      cur->text_color = readColor();
    } else if (cmd == "bkcolor") {
      cur->bk_color = readColor();
    } else if (cmd == "blt" || cmd == "stretch") {
      int dx = 0, dy = 0, dw = 0, dh = 0, sx = 0, sy = 0, sw = 0, sh = 0;
      std::string srcName, rop;
      s >> dx >> dy >> dw >> dh >> srcName >> sx >> sy;
      if (cmd == "stretch") {
        s >> sw >> sh;
      } else {
        sw = dw;
        sh = dh;
      }
      s >> rop;
      const auto it = surfaces.find(srcName);
      if (it == surfaces.end()) {
        fail("no surface " + srcName);
        return result;
      }
      const Surface& src = it->second;
      RasterOp op = RasterOp::Copy;
      if (rop == "srcinvert") {
        op = RasterOp::Xor;
      } else if (rop == "srcand") {
        op = RasterOp::And;
      } else if (rop != "srccopy") {
        fail("raster operation " + rop + " is not supported");
        return result;
      }
      // The device-context colour rules of two-colour copies are applied
      // here; the canvas itself maps black to 0 and white to all ones.
      const Bitmap* from = src.bitmap.get();
      Bitmap converted;
      if (cur->bitmap->IsMono() && !from->IsMono()) {
        converted = Bitmap(from->Width(), from->Height(), true);
        for (int y = 0; y < from->Height(); ++y) {
          for (int x = 0; x < from->Width(); ++x) {
            converted.SetPixel(x, y, from->GetPixel(x, y) == src.bk_color ? kWhite : kBlack);
          }
        }
        from = &converted;
      } else if (!cur->bitmap->IsMono() && from->IsMono() &&
                 (cur->text_color != kBlack || cur->bk_color != kWhite)) {
        converted = Bitmap(from->Width(), from->Height());
        for (int y = 0; y < from->Height(); ++y) {
          for (int x = 0; x < from->Width(); ++x) {
            converted.SetPixel(x, y, from->GetPixel(x, y) == kWhite ? cur->bk_color : cur->text_color);
          }
        }
        from = &converted;
      }
      c.CopyRect({dx, dy, dx + dw, dy + dh}, *from, {sx, sy, sx + sw, sy + sh}, op);
    } else if (cmd == "stretchmode" || cmd == "bkmode" || cmd == "save" || cmd == "font" ||
               cmd == "text" || cmd == "textextent" || cmd == "tm" || cmd == "fonts" ||
               cmd == "addfont" || cmd == "getpixel") {
      // Stretching always samples without blending; text is compared elsewhere.
    } else {
      fail("unknown command " + cmd);
      return result;
    }
  }
  const auto it = surfaces.find("main");
  if (it == surfaces.end()) {
    result.error = "no size line in " + path;
    return result;
  }
  result.main = *it->second.bitmap;
  return result;
}

std::string DescribeDifference(const Bitmap& expected, const Bitmap& actual, int maxListed) {
  if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) {
    return "size " + std::to_string(actual.Width()) + "x" + std::to_string(actual.Height()) +
           ", expected " + std::to_string(expected.Width()) + "x" + std::to_string(expected.Height());
  }
  int count = 0;
  std::string listed;
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      const Pixel e = expected.GetPixel(x, y);
      const Pixel a = actual.GetPixel(x, y);
      if (e == a) continue;
      if (count++ < maxListed) {
        listed += " (" + std::to_string(x) + "," + std::to_string(y) + ") is " + Hex(a) + " not " + Hex(e) + ";";
      }
    }
  }
  if (count == 0) return "identical";
  return std::to_string(count) + " pixels differ:" + listed;
}

std::string DifferingLines(const ScenarioResult& run, const Bitmap& expected, int maxListed) {
  if (expected.Width() != run.main.Width() || expected.Height() != run.main.Height()) return {};
  std::map<int, int> pixelsPerLine;  // line 0: no shape reaches the pixel
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      if (expected.GetPixel(x, y) == run.main.GetPixel(x, y)) continue;
      int line = 0;
      for (const DrawnShape& shape : run.shapes) {
        if (shape.reach.Contains(x, y)) line = shape.line;  // the last one drawn there
      }
      ++pixelsPerLine[line];
    }
  }
  std::string out;
  int listed = 0;
  for (const auto& [line, pixels] : pixelsPerLine) {
    if (listed++ == maxListed) {
      out += " ...";
      break;
    }
    out += (line == 0 ? std::string(" no shape") : " line " + std::to_string(line)) + " (" +
           std::to_string(pixels) + " pixels)";
  }
  return out;
}

}  // namespace vorbel::gdi::test
