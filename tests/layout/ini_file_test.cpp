// The INI reading rules and the writer's line format.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/ini_file.h"
#include "layout/ini_writer.h"

namespace vorbel::layout {
namespace {

std::string Read(const IniFile& ini, std::string_view section, std::string_view key) {
  return ini.ReadString(section, key, "<missing>");
}

TEST(IniFile, SectionAndKeyNamesIgnoreCaseAndBlanks) {
  const IniFile ini(std::string("[ BUTTON ]\r\n  hEiGhT =42\r\n[layer0]\r\nTYPE=Text\r\n"));
  EXPECT_EQ(Read(ini, "Button", "Height"), "42");
  EXPECT_EQ(Read(ini, "Layer0", "Type"), "Text");
  EXPECT_EQ(Read(ini, "Layer0", "Height"), "<missing>");
  EXPECT_EQ(Read(ini, "Layer1", "Type"), "<missing>");
}

TEST(IniFile, ValueIsEverythingAfterTheFirstEqualsSign) {
  const IniFile ini(std::string("[S]\nP=Color=clRed;Text=a=b;  \nE=\nK ey=x\n"));
  EXPECT_EQ(Read(ini, "S", "P"), "Color=clRed;Text=a=b;  ");
  EXPECT_EQ(Read(ini, "S", "E"), "");  // present and empty is not missing
  EXPECT_EQ(Read(ini, "S", "K ey"), "x");
}

TEST(IniFile, EveryLineEndIsAccepted) {
  const IniFile ini(std::string("[A]\nx=1\r\ny=2\rz=3\r\n\r\n[B]\rw=4"));
  EXPECT_EQ(Read(ini, "A", "x"), "1");
  EXPECT_EQ(Read(ini, "A", "y"), "2");
  EXPECT_EQ(Read(ini, "A", "z"), "3");
  EXPECT_EQ(Read(ini, "B", "w"), "4");
  EXPECT_EQ(Read(ini, "A", "w"), "<missing>");
}

TEST(IniFile, FirstSectionAndFirstKeyWin) {
  const IniFile ini(std::string("orphan=1\n[A]\nk=first\nk=second\n[a]\nk=third\nonly=here\n"));
  EXPECT_EQ(Read(ini, "A", "k"), "first");
  // A key only in the repeated section is not found: the first section is the one read.
  EXPECT_EQ(Read(ini, "A", "only"), "<missing>");
  std::vector<std::string> names;
  ini.ForEachSection([&](const IniFile::Section& s) { names.emplace_back(s.Name()); });
  EXPECT_EQ(names, (std::vector<std::string>{"A", "a"}));
}

TEST(IniFile, LinesThatAreNeitherHeadNorKeyAreIgnored) {
  const IniFile ini(std::string("garbage\n[A\n[A]\n; comment\n[no close\nk=v\n[B] trailing ] text\nq=1\n"));
  EXPECT_EQ(Read(ini, "A", "k"), "v");
  EXPECT_EQ(Read(ini, "B] trailing", "q"), "1");  // the name runs to the last "]"
}

TEST(IniFile, IntegersAreDecimalOrHexadecimalElseTheDefault) {
  const IniFile ini(
      std::string("[N]\ndec=-42\nplus=+7\ndollar=$FF\nlower=0x10\nupper=0X1f\nneg=$FFFFFFFF\n"
                  "junk=12a\nempty=\nspace=1 2\nbig=2147483648\nfloat=1.5\nbarex=x10\nbareX=X1f\n"
                  "padded= \t-5 \t\nblanks=  \nspacedx= x10 \n"));
  EXPECT_EQ(ini.ReadInteger("N", "dec", 0), -42);
  EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("N", "dollar", 0), 255);
  EXPECT_EQ(ini.ReadInteger("N", "lower", 0), 16);
  EXPECT_EQ(ini.ReadInteger("N", "upper", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -1);
  EXPECT_EQ(ini.ReadInteger("N", "padded", 0), -5);  // blanks on either side
  for (const char* key : {"junk", "empty", "space", "big", "float", "barex", "bareX", "blanks", "spacedx", "absent"}) {
    EXPECT_EQ(ini.ReadInteger("N", key, 99), 99) << key;
  }
  EXPECT_EQ(ini.ReadInteger("Absent", "dec", 5), 5);
}

TEST(IniFile, ValuesAreCutTo2047Characters) {
  const std::string ascii(3000, 'a');
  std::string umlauts;
  for (int i = 0; i < 3000; ++i) umlauts += "\xC3\xBC";  // ü
  const IniFile ini("[S]\na=" + ascii + "\nu=" + umlauts + "\n");
  EXPECT_EQ(Read(ini, "S", "a"), ascii.substr(0, 2047));
  EXPECT_EQ(Read(ini, "S", "u"), umlauts.substr(0, 2 * 2047));  // characters, not bytes
}

TEST(IniFile, TextThatIsNotUtf8IsReadAsWindows1252) {
  const IniFile legacy(std::string("[S]\nT=\xDC" "ber\n"));
  EXPECT_FALSE(legacy.IsUtf8());
  EXPECT_EQ(Read(legacy, "S", "T"), "\xC3\x9C" "ber");
  // One stray byte anywhere decides for the whole file.
  const IniFile mixed(std::string("[S]\nT=\xC3\x9C" "ber\nU=\xE9\n"));
  EXPECT_EQ(Read(mixed, "S", "T"), "\xC3\x83\xC5\x93" "ber");
  EXPECT_EQ(Read(mixed, "S", "U"), "\xC3\xA9");
  // A byte order mark is not part of the first line.
  const IniFile bom(std::string("\xEF\xBB\xBF[S]\nT=\xC3\x9C" "ber\n"));
  EXPECT_TRUE(bom.IsUtf8());
  EXPECT_EQ(Read(bom, "S", "T"), "\xC3\x9C" "ber");
}

TEST(IniWriter, WritesCrLfLinesInOrderAndKeepsValuesOnTheirLine) {
  IniWriter w;
  w.Section("Button");
  w.Key("Height", std::int64_t{-3});
  w.Key("Text", std::string("two\r\nlines\nhere\0!", 17));
  w.Key("Legacy", "\xDC" "ber");
  EXPECT_EQ(w.Text(), "[Button]\r\nHeight=-3\r\nText=two  lines here !\r\nLegacy=\xC3\x9C" "ber\r\n");
}

}  // namespace
}  // namespace vorbel::layout
