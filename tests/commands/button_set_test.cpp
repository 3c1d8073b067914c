// Button sets end to end: the plan, the files written, the looks, and the
// style sheet and page read back from the disk.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "commands/button_set.h"
#include "commands/export.h"
#include "commands/set_manifest.h"
#include "commands/set_page.h"
#include "document/button_document.h"
#include "document/property_string.h"
#include "render/button_renderer.h"
#include "support/test_support.h"

namespace vorbel::commands {
namespace {

using render::ButtonState;
using test::ReadBytes;
using test::ScratchDir;

// The navigation button of the examples: a rounded 3D face and a caption,
// white on the white work area.
std::unique_ptr<document::ButtonDocument> Navigation(const std::string& caption, const std::string& extra,
                                                     const std::string& left = "36", const std::string& top = "-1") {
  auto doc = std::make_unique<document::ButtonDocument>();
  doc->SetWidth(110);
  doc->SetHeight(28);
  doc->SetWorkAreaColor(base::Color::FromRgb(255, 255, 255));
  doc->AppendRow(document::LayerRow::Make(
      "Background", "Color=clTeal;Shape=RoundRect;Seed=10;Draw3D=Yes;Highlight=clAqua;ShadowClr=clNavy;"));
  doc->AppendRow(document::LayerRow::Make(
      "Text",
      "Text=" + caption + ";FontFace=DejaVu Sans;FontSize=10;Color=clWhite;Shadowed=Yes;ShadowOffset=1;" +
          "ShadowColor=clNavy;Angle=0;" + extra,
      left, top));
  return doc;
}

void WriteAll(ButtonSet& set, const std::string& folder) {
  SetWriter writer(set, folder);
  while (!writer.Done()) writer.WriteStep();
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ButtonSet, OneCaptionAtOneXIsTheSingleExportByteForByte) {
  const auto doc = Navigation("Home", "");
  ScratchDir dir;
  for (const ExportFormat format : {ExportFormat::Png, ExportFormat::Gif, ExportFormat::Jpeg, ExportFormat::Bmp}) {
    SetOptions options;
    options.captions = {"Home"};
    options.size = SetSize::Fixed;
    options.formats = {format};
    ButtonSet set(*doc, options);
    WriteAll(set, dir.path().string());
    const std::string single = dir.File(std::string("single") + std::string(FormatExtension(format)));
    render::ButtonRenderer renderer;
    ExportButton(*doc, renderer, single);
    EXPECT_EQ(ReadBytes(dir.path() / set.FileName(0, 0, 0)), ReadBytes(single)) << FormatExtension(format);
  }
}

// Captions of full blocks, whose ink is exactly their cell across, show where
// the cell stands.
TEST(ButtonSet, FitButtonsShareOneSizeAndCentreTheirCaptionsAtEveryScale) {
  const auto doc = Navigation("Home", "Shadowed=No;Align=5;", "0", "0");
  doc->SetRowSubItem(1, document::SubItem::Properties,
                     document::SetPropValue("Color", doc->Row(1).Properties(), "clYellow"));
  SetOptions options;
  options.captions = {"\u2588", "\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588", "\u2588\u2588"};
  options.scales = {1, 2, 3};
  ButtonSet set(*doc, options);
  EXPECT_GT(set.Width(), 110);
  EXPECT_EQ(set.Height(), 28);
  render::ButtonRenderer measure;
  for (int scale : options.scales) {
    for (int button = 0; button < set.ButtonCount(); ++button) {
      const gdi::Bitmap& picture = set.Draw(button, ButtonState::Normal, scale);
      ASSERT_EQ(picture.Width(), set.Width() * scale);
      ASSERT_EQ(picture.Height(), set.Height() * scale);
      int left = picture.Width(), right = -1, top = picture.Height(), bottom = -1;
      for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
          if (picture.GetPixel(x, y) != gdi::Pixel{0xFFFF00}) continue;
          left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
        }
      }
      const std::string props =
          "Text=" + set.Caption(button) + ";FontFace=DejaVu Sans;FontSize=" + std::to_string(10 * scale) + ";";
      const int width = measure.GetTextLayerWidth(props);
      EXPECT_EQ(right + 1 - left, width) << button << " at " << scale;
      EXPECT_EQ(left, (picture.Width() - width) / 2) << button << " at " << scale;
      EXPECT_LE(std::abs(top - (picture.Height() - 1 - bottom)), scale + 1) << button << " at " << scale;
    }
  }
}

// Captions in Arabic and Chinese are measured shaped, with their fallback
// font: each fits its button, centred; having no ASCII letters, they are
// named by their place.
TEST(ButtonSet, CaptionsInOtherScriptsFitAndAreNamedByTheirPlace) {
  const auto doc = Navigation("Home", "Shadowed=No;Align=5;", "0", "0");
  doc->SetRowSubItem(1, document::SubItem::Properties,
                     document::SetPropValue("Color", doc->Row(1).Properties(), "clYellow"));
  SetOptions options;
  options.captions = {
      "Home",
      "\u0627\u0644\u0633\u0648\u0642 \u0627\u0644\u0643\u0628\u064A\u0631 \u0644\u0644\u062C\u0645\u064A\u0639",
      "\u65E5\u672C\u8A9E\u306E\u30DC\u30BF\u30F3\u3067\u3059"};
  ButtonSet set(*doc, options);
  render::ButtonRenderer measure;
  for (int button = 0; button < set.ButtonCount(); ++button) {
    const gdi::Bitmap& picture = set.Draw(button, ButtonState::Normal, 1);
    int left = picture.Width(), right = -1;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        if (picture.GetPixel(x, y) != gdi::Pixel{0xFFFF00}) continue;
        left = std::min(left, x), right = std::max(right, x);
      }
    }
    const int width = measure.GetTextLayerWidth("Text=" + set.Caption(button) + ";FontFace=DejaVu Sans;FontSize=10;");
    EXPECT_GT(width, 30) << button;
    EXPECT_GT(right - left, width / 2) << button;  // drawn, not left out
    EXPECT_GE(left, (picture.Width() - width) / 2 - 1) << button;
    EXPECT_LE(right, (picture.Width() - width) / 2 + width) << button;
    EXPECT_LE(width + 10, set.Width()) << button;
  }
  EXPECT_EQ(set.FileName(0, 0, 0), "home-normal@1x.png");
  EXPECT_EQ(set.FileName(1, 0, 0), "button-2-normal@1x.png");
  EXPECT_EQ(set.FileName(2, 0, 0), "button-3-normal@1x.png");
}

TEST(ButtonSet, ACaptionThatDoesNotFitAFixedSetIsReported) {
  const auto doc = Navigation("Home", "Align=5;");
  SetOptions options;
  options.captions = {"Home", "Everything we make and sell"};
  options.size = SetSize::Fixed;
  try {
    ButtonSet set(*doc, options);
    FAIL() << "no error";
  } catch (const SetError& e) {
    EXPECT_NE(std::string(e.what()).find("\"Everything we make and sell\""), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).find("\"Home\""), std::string::npos) << e.what();
  }
  options.size = SetSize::Fit;
  EXPECT_GT(ButtonSet(*doc, options).Width(), 110);
}

TEST(ButtonSet, LooksFollowTheirRulesAndKeepTheWorkArea) {
  const auto doc = Navigation("Home", "Align=5;");
  SetOptions options;
  options.captions = {"Home"};
  ButtonSet set(*doc, options);
  const gdi::Bitmap normal = set.Draw(0, ButtonState::Normal, 1);
  const gdi::Pixel corner = normal.GetPixel(0, 0);  // outside the rounded face
  const gdi::Pixel face = normal.GetPixel(5, 14);
  const gdi::Pixel rim = normal.GetPixel(0, 14);  // the light left edge
  ASSERT_EQ(corner, gdi::kWhite);
  ASSERT_EQ(rim, gdi::Pixel{0x00FFFF});
  const gdi::Bitmap hover = set.Draw(0, ButtonState::Hover, 1);
  EXPECT_EQ(hover.GetPixel(0, 0), corner);
  // White on teal: lighter would lower the caption's contrast, so the face
  // darkens.
  EXPECT_EQ(hover.GetPixel(5, 14), render::HoverPixel(face, true));
  const ButtonSet::Readability& readability = set.CaptionReadability(0);
  EXPECT_NEAR(readability.contrast[0], 4.77, 0.01);
  EXPECT_GE(readability.contrast[static_cast<std::size_t>(ButtonState::Hover)], readability.contrast[0]);
  const gdi::Bitmap disabled = set.Draw(0, ButtonState::Disabled, 1);
  EXPECT_EQ(disabled.GetPixel(0, 0), corner);
  EXPECT_EQ(disabled.GetPixel(5, 14), render::DisabledPixel(face));
  const gdi::Bitmap pressed = set.Draw(0, ButtonState::Pressed, 1);
  EXPECT_EQ(pressed.GetPixel(0, 0), corner);
  EXPECT_EQ(pressed.GetPixel(0, 14), gdi::Pixel{0x000080});  // dark where it was light
  EXPECT_EQ(pressed.GetPixel(5, 14), face);
}

// The style sheet is read as a browser would: each class's cell is cut from
// the sprite sheet where it says and must be that button's own file.
// A smooth layout's set is smooth at every scale: drawn again finer, not
// enlarged; the looks change colours, never the alpha; the sprite sheet
// keeps the alpha of its cells.
TEST(ButtonSet, SmoothLayoutsStaySmoothAtEveryScaleAndInTheSpriteSheet) {
  auto layout = Navigation("Home", "");
  layout->SetTransparencyRule(document::Transparency::Unpainted);
  layout->SetSmooth(true);
  SetOptions options;
  options.captions = {"Home"};
  options.states = {ButtonState::Normal, ButtonState::Hover};
  options.scales = {1, 2};
  options.sprite = true;
  ButtonSet set(*layout, options);
  const gdi::Bitmap normal = set.Draw(0, ButtonState::Normal, 2);
  ASSERT_EQ(normal.Width(), set.Width() * 2);
  // At 2x, some 2 x 2 block has pixels of different alpha: it is not the 1x
  // picture enlarged.
  int partial = 0;
  int finer = 0;
  for (int y = 0; y + 1 < normal.Height(); y += 2) {
    for (int x = 0; x + 1 < normal.Width(); x += 2) {
      const int a = normal.Alpha(x, y);
      partial += a != 0 && a != 255;
      finer += a != normal.Alpha(x + 1, y) || a != normal.Alpha(x, y + 1) || a != normal.Alpha(x + 1, y + 1);
    }
  }
  EXPECT_GT(partial, 10);
  EXPECT_GT(finer, 10);
  const gdi::Bitmap& hover = set.Draw(0, ButtonState::Hover, 2);
  for (int y = 0; y < normal.Height(); ++y)
    for (int x = 0; x < normal.Width(); ++x) ASSERT_EQ(hover.Alpha(x, y), normal.Alpha(x, y)) << x << "," << y;

  EXPECT_EQ(set.SmoothLeftOutMessage(), "");

  ScratchDir dir;
  WriteAll(set, dir.File("set"));
  const test::RgbaImage sheet = test::ReadPng(ReadBytes(dir.path() / "set" / "sprite@2x.png"));
  ASSERT_EQ(sheet.width, normal.Width() * 2);
  for (int x = 0; x < normal.Width(); ++x) {
    const int y = normal.Height() / 2;
    EXPECT_EQ(sheet.pixels[static_cast<std::size_t>(y) * sheet.width + x] >> 24, normal.Alpha(x, y)) << x;
  }
}

TEST(ButtonSet, AScaleTooLargeForSmoothEdgesIsReported) {
  // 3000 pixels wide: smooth at 1x (12000 at four times), too wide at 3x.
  auto layout = Navigation("Home", "");
  layout->SetSmooth(true);
  layout->SetWidth(3000);
  SetOptions options;
  options.captions = {"Home"};
  options.scales = {1, 3};
  options.size = SetSize::Fixed;
  ButtonSet set(*layout, options);
  set.Draw(0, ButtonState::Normal, 1);
  EXPECT_EQ(set.SmoothLeftOutMessage(), "");
  set.Draw(0, ButtonState::Normal, 3);
  EXPECT_NE(set.SmoothLeftOutMessage().find("9000 x 84"), std::string::npos) << set.SmoothLeftOutMessage();
}

TEST(ButtonSet, TheStyleSheetNamesEveryCellOfTheSpriteSheets) {
  // PNG and WebP sets alike, each with sprite sheets of its own format.
  for (const ExportFormat format : {ExportFormat::Png, ExportFormat::Webp}) {
    const auto read = format == ExportFormat::Png ? test::ReadPng : test::ReadWebp;
    const auto doc = Navigation("Home", "Align=5;");
    SetOptions options;
    options.captions = {"Home", "Über uns", "Contact"};
    options.states = {ButtonState::Normal, ButtonState::Hover, ButtonState::Pressed, ButtonState::Disabled};
    options.scales = {1, 2};
    options.sprite = true;
    options.formats = {format};
    ButtonSet set(*doc, options);
    ScratchDir dir;
    WriteAll(set, dir.path().string());
    const std::string css = ReadText(dir.path() / "buttons.css");

    const std::regex size(R"(\.btn \{[^}]*width: (\d+)px;\s*height: (\d+)px;)");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(css, m, size)) << css;
    const int w = std::stoi(m[1]);
    const int h = std::stoi(m[2]);
    const std::regex rule(
        R"re((\.btn-[a-z0-9-]+)(:hover|:active|\.btn-disabled)?[^{]*\{\s*background-position: (-?\d+)(?:px)? (-?\d+)(?:px)?;)re");
    const std::map<std::string, int> columns = {{"", 0}, {":hover", 1}, {":active", 2}, {".btn-disabled", 3}};
    std::set<std::string> cells;
    for (auto it = std::sregex_iterator(css.begin(), css.end(), rule); it != std::sregex_iterator(); ++it) {
      const std::string cls = (*it)[1];
      const int state = columns.at((*it)[2]);
      const int x = -std::stoi((*it)[3]);
      const int y = -std::stoi((*it)[4]);
      int button = -1;
      for (int b = 0; b < set.ButtonCount(); ++b) {
        if (cls == ".btn-" + set.Slug(b)) button = b;
      }
      ASSERT_GE(button, 0) << cls;
      cells.insert(cls + (*it)[2].str());
      for (int scaleIndex = 0; scaleIndex < 2; ++scaleIndex) {
        const int k = options.scales[static_cast<std::size_t>(scaleIndex)];
        const test::RgbaImage sheet = read(ReadBytes(dir.path() / SpriteSheetName(k, format)));
        const test::RgbaImage own = read(ReadBytes(dir.path() / set.FileName(button, state, scaleIndex)));
        ASSERT_EQ(own.width, w * k);
        ASSERT_EQ(own.height, h * k);
        for (int py = 0; py < own.height; ++py) {
          for (int px = 0; px < own.width; ++px) {
            ASSERT_EQ(sheet.pixels[static_cast<std::size_t>((y * k + py) * sheet.width + x * k + px)],
                      own.pixels[static_cast<std::size_t>(py * own.width + px)])
                << cls << (*it)[2] << " at " << k << "x, pixel " << px << ", " << py;
          }
        }
      }
    }
    EXPECT_EQ(cells.size(), 12u) << FormatInfo(format).name;
    EXPECT_NE(css.find(SpriteSheetName(2, format)), std::string::npos) << css;
  }
}

TEST(ButtonSet, ThePageAndTheStyleSheetNameOnlyFilesTheSetWrote) {
  const auto doc = Navigation("Home", "Align=5;");
  SetOptions options;
  options.captions = {"Home", "<b>&\"Deals\"", "Home"};
  options.states = {ButtonState::Normal, ButtonState::Disabled};
  options.scales = {2, 3};
  options.pattern = "{index} {name} {state}%{scale}";
  options.sprite = true;
  ButtonSet set(*doc, options);
  ScratchDir dir;
  WriteAll(set, dir.path().string());
  const std::vector<std::string> written = dir.Entries();
  std::set<std::string> files(written.begin(), written.end());
  EXPECT_EQ(files.erase(std::string(kSetManifestName)), 1u);
  EXPECT_EQ(files.size(), set.FileNames().size());
  const std::string page = ReadText(dir.path() / "preview.html");
  const std::string css = ReadText(dir.path() / "buttons.css");
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  const std::regex reference(R"re((?:src|href)="([^"]*)"|url\("([^"]*)"\))re");
  int references = 0;
  for (const std::string* text : {&page, &css}) {
    for (auto it = std::sregex_iterator(text->begin(), text->end(), reference); it != std::sregex_iterator(); ++it) {
      std::string url = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
      std::string name;
      for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%') {
          name += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
          i += 2;
        } else {
          name += url[i];
        }
      }
      EXPECT_TRUE(files.count(name)) << url;
      ++references;
    }
  }
  EXPECT_GT(references, 12);
}

TEST(ButtonSet, PatternsThatCollideOrLeaveTheFolderAreRefusedBeforeAnythingIsWritten) {
  const auto doc = Navigation("Home", "Align=5;");
  SetOptions options;
  options.captions = {"Home", "Contact"};
  options.states = {ButtonState::Normal, ButtonState::Hover};
  const auto error = [&](const std::string& pattern) -> std::string {
    options.pattern = pattern;
    try {
      ButtonSet set(*doc, options);
    } catch (const SetError& e) {
      return e.what();
    }
    return {};
  };
  EXPECT_NE(error("{name}").find("add {state}"), std::string::npos) << error("{name}");
  EXPECT_NE(error("{state}").find("add {name}"), std::string::npos);
  EXPECT_NE(error("../{name}-{state}").find("\"/\""), std::string::npos);
  EXPECT_NE(error(".{name}-{state}").find("hidden"), std::string::npos);
  EXPECT_NE(error("{name}-{state}" + std::string(250, 'x')).find("255 bytes"), std::string::npos);
  EXPECT_NE(error("{name}-{colour}").find("{name}, {index}"), std::string::npos);
  // The sprite sheet's own name is taken too.
  options.captions = {"Sprite"};
  options.states = {ButtonState::Normal};
  options.sprite = true;
  EXPECT_NE(error("{name}").find("the sprite sheet"), std::string::npos);
}

TEST(ButtonSet, WritesOnlyIntoItsFolderAndReplacesLinksThere) {
  const auto doc = Navigation("Home", "Align=5;");
  SetOptions options;
  options.captions = {"Home"};
  ScratchDir dir;
  const std::string folder = dir.File("set");
  const std::string outside = dir.File("outside.png");
  test::WriteBytes(outside, {1, 2, 3});
  ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
  ASSERT_EQ(::symlink(outside.c_str(), (folder + "/home-normal@1x.png").c_str()), 0);
  ButtonSet set(*doc, options);
  WriteAll(set, folder);
  EXPECT_EQ(ReadBytes(outside), (std::vector<std::uint8_t>{1, 2, 3}));
  struct stat st {};
  ASSERT_EQ(::lstat((folder + "/home-normal@1x.png").c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));

  // A folder is made, but not its parents; a folder in a file's place stops
  // the set before it writes.
  EXPECT_THROW(SetWriter(set, dir.File("a/b")), SetError);
  ASSERT_EQ(::unlink((folder + "/home-normal@1x.png").c_str()), 0);
  ASSERT_EQ(::mkdir((folder + "/home-normal@1x.png").c_str(), 0777), 0);
  EXPECT_THROW(SetWriter(set, folder), SetError);
}

TEST(ButtonSet, CaptionsThatTheLayerWouldReadAsSettingsAreRefused) {
  const auto doc = Navigation("Home", "Align=5;");
  for (const char* caption : {"Buy; now", "Angle=90", "Size Color=red"}) {
    SetOptions options;
    options.captions = {caption};
    EXPECT_THROW(ButtonSet(*doc, options), SetError) << caption;
  }
  // Nor does a set take a layer that is no text layer.
  SetOptions options;
  options.captions = {"Home"};
  options.caption_layer = 0;
  EXPECT_THROW(ButtonSet(*doc, options), SetError);
  options.caption_layer = 1;
  EXPECT_NO_THROW(ButtonSet(*doc, options));
}

// Captions come from anyone's layout file. Nothing a caption holds ends a
// comment, a string or a <style> element of the files a set writes; control
// characters and absurd lengths are refused whoever gave the captions.
TEST(ButtonSet, HostileCaptionsAreRefusedOrWrittenHarmlessly) {
  const auto doc = Navigation("Home", "Align=5;");
  const std::vector<std::string> hostile = {"*/ body{display:none} /*", "</style><script>alert(1)</script>",
                                            "\" '}{\\ */"};
  SetOptions options;
  options.captions = hostile;
  options.sprite = true;
  ButtonSet set(*doc, options);
  ScratchDir dir;
  WriteAll(set, dir.path().string());
  const std::string css = ReadText(dir.path() / "buttons.css");
  const std::string page = ReadText(dir.path() / "preview.html");
  EXPECT_EQ(css.find("/*"), 0u);
  EXPECT_EQ(css.rfind("/*"), 0u);
  EXPECT_EQ(css.find("*/"), css.rfind("*/"));
  for (const std::string& caption : hostile) EXPECT_EQ(css.find(caption), std::string::npos) << caption;
  for (const std::string* text : {&css, &page}) {
    EXPECT_EQ(text->find("<script"), std::string::npos);
    EXPECT_EQ(text->find("</style><"), std::string::npos);
  }

  for (const std::string& bad : {std::string("Esc\x1b[31m"), std::string("Bell\x07"), std::string("Del\x7f"),
                                 std::string(100000, 'W'), std::string("\xff\xfe")}) {
    options.captions = {"Home", bad};
    EXPECT_THROW(ButtonSet(*doc, options), SetError) << bad.substr(0, 20);
  }
}

// A set adds up what it will draw before it draws anything: a thousand
// captions on a large layout is refused at once, naming the way out.
TEST(ButtonSet, ASetBeyondItsTotalBudgetIsRefusedBeforeDrawing) {
  auto doc = Navigation("Home", "");
  doc->SetWidth(3333);
  doc->SetHeight(3333);
  SetOptions options;
  for (int i = 0; i < 1000; ++i) options.captions.push_back("Caption " + std::to_string(i));
  try {
    ButtonSet set(*doc, options);
    ADD_FAILURE() << "a set of 11 billion pixels was planned";
  } catch (const SetError& e) {
    EXPECT_NE(std::string(e.what()).find("--scales"), std::string::npos) << e.what();
  }
  // The largest ordinary set stays within it.
  doc = Navigation("Home", "Align=5;");
  options.states = {ButtonState::Normal, ButtonState::Hover, ButtonState::Pressed, ButtonState::Disabled};
  options.scales = {1, 2, 3};
  options.size = SetSize::Fixed;
  for (std::string& caption : options.captions) caption = "Go";
  EXPECT_NO_THROW(ButtonSet(*doc, options));
}

// Another user's link as the set's folder, or as a folder on its way, in a
// shared folder such as /tmp, leads nowhere, whatever the system's setting.
TEST(ButtonSet, AnotherUsersLinkOnTheWayToTheFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "links of another user need the superuser";
  const auto doc = Navigation("Home", "Align=5;");
  SetOptions options;
  options.captions = {"Home"};
  options.sprite = true;
  ButtonSet set(*doc, options);
  ScratchDir dir;
  const std::filesystem::path shared = dir.path() / "shared";
  const std::filesystem::path victim = dir.path() / "victim";
  std::filesystem::create_directories(shared);
  std::filesystem::create_directories(victim);
  ::chmod(shared.c_str(), 01777);
  const std::string link = (shared / "set").string();
  ASSERT_EQ(::symlink(victim.c_str(), link.c_str()), 0);
  ASSERT_EQ(::lchown(link.c_str(), 4242, 4242), 0);
  for (const std::string& folder : {link, link + "/sub", link + "/../set/."}) {
    EXPECT_THROW(SetWriter(set, folder), SetError) << folder;
  }
  EXPECT_TRUE(std::filesystem::is_empty(victim));
}

}  // namespace
}  // namespace vorbel::commands

namespace vorbel::commands {
namespace {

// A set written again into its folder removes the files of the set before
// that it no longer writes, as its record names them, and nothing else: not
// the user's own files, not what the record names outside the folder, no
// link, no folder, nothing its naming could not give, and nothing at all
// when the record is damaged.
TEST(ButtonSet, WritingAgainRemovesOnlyThePreviousSetsFiles) {
  namespace fs = std::filesystem;
  const auto doc = Navigation("Home", "Align=5;");
  struct Case {
    const char* what;
    // What the record of the first set becomes before the second is written
    // ("" keeps it; "{record}" stands for it as written).
    std::string record;
    bool stale_removed;
  };
  const Case cases[] = {
      {"as written", "", true},
      {"naming the user's files", "{record}-notes.txt\nphoto.png\nsub-normal@1x.png\nlink-normal@1x.png\n", true},
      {"naming a path outside", "{record}-../outside-normal@1x.png\n", false},
      {"naming a hidden file", "{record}-.profile\n", false},
      {"cut short", "Vorbel button set 1\nproducts-normal@1x.png\n", false},
      {"of another kind", "products-normal@1x.png\nend\n", false},
      {"with something after its end", "{record}+junk\n", false},
      {"that is a link", "link", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    const fs::path set = dir.path() / "set";
    SetOptions options;
    options.captions = {"Home", "Products", "Contact"};
    options.states = {ButtonState::Normal, ButtonState::Hover};
    options.sprite = true;
    ButtonSet first(*doc, options);
    WriteAll(first, set.string());
    // The user's own files beside the set, one of them named like a button.
    for (const char* own : {"notes.txt", "photo.png", "mine-normal@1x.png"}) test::WriteBytes(set / own, {'x'});
    test::WriteBytes(dir.path() / "outside-normal@1x.png", {'x'});
    fs::create_directory(set / "sub-normal@1x.png");
    fs::create_symlink(dir.path() / "outside-normal@1x.png", set / "link-normal@1x.png");
    const fs::path record = set / std::string(kSetManifestName);
    std::string text = ReadText(record);
    if (c.record == "link") {
      test::WriteBytes(dir.path() / "elsewhere", {text.begin(), text.end()});
      fs::remove(record);
      fs::create_symlink(dir.path() / "elsewhere", record);
    } else if (c.record.rfind("{record}-", 0) == 0) {
      text.insert(text.rfind("end\n"), c.record.substr(9));
      test::WriteBytes(record, {text.begin(), text.end()});
    } else if (c.record.rfind("{record}+", 0) == 0) {
      text += c.record.substr(9);
      test::WriteBytes(record, {text.begin(), text.end()});
    } else if (!c.record.empty()) {
      test::WriteBytes(record, {c.record.begin(), c.record.end()});
    }

    options.captions = {"Home"};
    ButtonSet second(*doc, options);
    SetWriter writer(second, set.string());
    while (!writer.Done()) writer.WriteStep();
    for (const std::string& name : second.FileNames()) EXPECT_TRUE(fs::exists(set / name)) << name;
    EXPECT_EQ(fs::exists(set / "products-hover@1x.png"), !c.stale_removed);
    EXPECT_EQ(fs::exists(set / "contact-normal@1x.png"), !c.stale_removed);
    EXPECT_EQ(writer.FilesRemoved(), c.stale_removed ? 4 : 0);
    for (const char* own : {"notes.txt", "photo.png", "mine-normal@1x.png", "sub-normal@1x.png"}) {
      EXPECT_TRUE(fs::exists(set / own)) << own;
    }
    EXPECT_TRUE(fs::is_symlink(set / "link-normal@1x.png"));
    EXPECT_TRUE(fs::exists(dir.path() / "outside-normal@1x.png"));
    // The new record names the new set, and the next export starts from it.
    EXPECT_EQ(ParseSetManifest(ReadText(record)), std::optional(second.FileNames()));
  }
}

// The markup of a set in two formats: pictures offer the formats in the
// set's order, the last as the one every browser takes; captions stay text.
TEST(ButtonSet, MarkupOffersEveryFormatAndKeepsCaptionsText) {
  const auto doc = Navigation("Home", "Align=5;");
  SetOptions options;
  options.captions = {"Home", "\"><script>x</script>"};
  options.states = {ButtonState::Normal, ButtonState::Disabled};
  options.scales = {1, 2};
  options.formats = ParseFormats("png, gif");
  ButtonSet set(*doc, options);
  ScratchDir dir;
  WriteAll(set, dir.path().string());
  for (const char* name : {"home-normal@2x.png", "home-normal@2x.gif", "script-x-script-disabled@1x.gif"}) {
    EXPECT_TRUE(std::filesystem::exists(dir.path() / name)) << name;
  }
  const std::string snippet = ReadText(dir.path() / "buttons.html");
  EXPECT_NE(
      snippet.find("<a class=\"btn-img\" href=\"#\"><picture><source type=\"image/png\" srcset=\"home-normal@1x.png "
                   "1x, home-normal@2x.png 2x\"><img src=\"home-normal@1x.gif\" srcset=\"home-normal@1x.gif 1x, "
                   "home-normal@2x.gif 2x\" alt=\"Home\" width=\"" +
                   std::to_string(set.Width()) + "\" height=\"" + std::to_string(set.Height()) + "\"></picture></a>"),
      std::string::npos)
      << snippet;
  // A disabled link has no address to follow.
  EXPECT_NE(
      snippet.find("<a class=\"btn-img\" role=\"link\" aria-disabled=\"true\"><picture><source type=\"image/png\" "
                   "srcset=\"home-disabled@1x.png"),
      std::string::npos);
  for (const std::string& text : {snippet, ReadText(dir.path() / "preview.html")}) {
    EXPECT_EQ(text.find("<script"), std::string::npos);
    EXPECT_NE(text.find("alt=\"&quot;&gt;&lt;script&gt;x&lt;/script&gt;\""), std::string::npos);
  }
  EXPECT_THROW(ParseFormats("png,PNG"), SetError);
  EXPECT_THROW(ParseFormats(" , "), SetError);

  // Sprite sheets come in the formats that keep partial transparency, each
  // density offering them in the set's order with their types, after a
  // plain picture in the last of them.
  options.sprite = true;
  options.states = {ButtonState::Normal, ButtonState::Hover};
  options.formats.clear();
  for (const ExportFormatInfo& row : ExportFormats()) {
    if (row.partial_transparency) options.formats.insert(options.formats.begin(), row.format);
  }
  options.formats.push_back(ExportFormat::Gif);
  ButtonSet sprites(*doc, options);
  const std::vector<ExportFormat> sheets = sprites.SheetFormats();
  ASSERT_EQ(sheets.size(), options.formats.size() - 1);
  const std::string css = SetStyleSheet(sprites);
  std::string expected = "background-image: url(\"" + SpriteSheetName(1, sheets.back()) + "\");";
  EXPECT_NE(css.find(expected), std::string::npos) << css;
  std::string list;
  for (int scale : {1, 2}) {
    for (const ExportFormat format : sheets) {
      list += std::string(list.empty() ? "" : ", ") + "url(\"" + SpriteSheetName(scale, format) + "\")" +
              (sheets.size() > 1 ? " type(\"" + std::string(FormatInfo(format).mime_type) + "\")" : "") + " " +
              std::to_string(scale) + "x";
    }
  }
  EXPECT_NE(css.find("background-image: image-set(" + list + ");"), std::string::npos) << css;
  EXPECT_LT(css.find(expected), css.find("image-set("));
  // Hover only where there is hover; a disabled link takes no pointer.
  EXPECT_NE(css.find("@media (hover: hover) {\n  .btn-home:hover::after"), std::string::npos);
  EXPECT_NE(css.find("pointer-events: none"), std::string::npos);
  EXPECT_NE(css.find("@media (forced-colors: active)"), std::string::npos);
}

}  // namespace
}  // namespace vorbel::commands
