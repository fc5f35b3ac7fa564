// Palette files read back: what the export writes loads to the same
// palette, hand-written .pxml files with one colour form, damaged files,
// and where a loaded palette goes in the menu.
#include <gtest/gtest.h>

#include "menu/colour.h"
#include "menu/palette_files.h"
#include "menu/palette_import.h"

namespace mirdal {
namespace {

IgPalette somePalette() {
  IgPalette p;
  for (std::size_t e = 0; e < 255; e += 7) {
    const PaletteRgb c{std::uint8_t(e), std::uint8_t(255 - e), std::uint8_t(e * 3)};
    p.colours[e] = {c.r, c.g, c.b, std::uint8_t(e % 2 ? 128 : 255)};
    p.ycrcb[e] = rgbToYCrCb(c, ColourMatrix::BT709);
  }
  return p;
}

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(PaletteImport, ExportedFilesLoadBack) {
  const IgPalette p = somePalette();
  IgPalette back;
  ASSERT_TRUE(readPaletteFile(paletteToPxml(p), "x.pxml", ColourMatrix::BT709, back));
  // Unused entries are listed as zeros: they come back as zeros with T 0.
  EXPECT_EQ(back, p);

  ASSERT_TRUE(readPaletteFile(paletteToAct(p), "X.ACT", ColourMatrix::BT709, back));
  for (std::size_t e = 0; e < 256; ++e) {
    EXPECT_EQ((PaletteRgb{back.colours[e].r, back.colours[e].g, back.colours[e].b}),
              (PaletteRgb{p.colours[e].r, p.colours[e].g, p.colours[e].b}));
    EXPECT_EQ(back.colours[e].t, 255);  // the table holds no transparency
  }
}

TEST(PaletteImport, PxmlWithOneColourForm) {
  const std::string pxml =
      "<PaletteDefinition>\n"
      "<PaletteData PaletteEntryId=\"3\"><Y>81</Y><Cr>240</Cr><Cb>90</Cb><T>200</T></PaletteData>\n"
      "<PaletteData PaletteEntryId=\"4\"><R>0</R><G>0</G><B>255</B></PaletteData>\n"
      "<PaletteData PaletteEntryId=\"999\"><R>1</R><G>1</G><B>1</B></PaletteData>\n"
      "</PaletteDefinition>\n";
  // The side an entry leaves out comes from the matrix of the menu's height.
  for (ColourMatrix mx : {ColourMatrix::BT601, ColourMatrix::BT709}) {
    IgPalette p;
    ASSERT_TRUE(readPaletteFile(bytesOf(pxml), "a.pxml", mx, p));
    const PaletteRgb red = yCrCbToRgb(YCrCb{81, 240, 90}, mx);
    EXPECT_EQ((Rgba{red.r, red.g, red.b, 200}), p.colours[3]);
    EXPECT_EQ((Rgba{0, 0, 255, 255}), p.colours[4]);  // no T: opaque
    EXPECT_EQ(p.ycrcb[4], rgbToYCrCb(PaletteRgb{0, 0, 255}, mx));
    EXPECT_TRUE(p.colours[5].unused());
  }
  IgPalette sd, hd;
  ASSERT_TRUE(readPaletteFile(bytesOf(pxml), "a.pxml", ColourMatrix::BT601, sd));
  ASSERT_TRUE(readPaletteFile(bytesOf(pxml), "a.pxml", ColourMatrix::BT709, hd));
  EXPECT_NE(sd.colours[3], hd.colours[3]);
  EXPECT_NE(sd.ycrcb[4], hd.ycrcb[4]);
}

TEST(PaletteImport, RefusesWhatIsNoPalette) {
  const std::pair<std::string, Bytes> cases[] = {
      {"a.pxml", bytesOf("<PaletteDefinition></PaletteDefinition>")},  // no entry
      {"a.pxml", bytesOf("hello")},
      {"a.act", Bytes(767, 0)},
      {"a.png", Bytes(768, 0)},
  };
  for (const auto& [path, data] : cases) {
    IgPalette p;
    std::string why;
    EXPECT_FALSE(readPaletteFile(data, path, ColourMatrix::BT709, p, &why)) << path << " " << data.size();
    EXPECT_FALSE(why.empty());
  }
  // The 772-byte table names its transparent entry.
  Bytes act(772, 9);
  act[770] = 0;
  act[771] = 7;
  IgPalette p;
  ASSERT_TRUE(readPaletteFile(act, "a.act", ColourMatrix::BT709, p));
  EXPECT_EQ(p.colours[7].t, 0);
  EXPECT_EQ(p.colours[8].t, 255);
}

TEST(PaletteImport, PutPaletteReplacesOrAppends) {
  IgMenu m;
  m.palettes.resize(2);
  m.objects.resize(1);
  m.cache.resize(1);
  m.cache[0].byPalette.resize(2);
  m.cache[0].byPalette[1] = RgbaPicture{1, 1, {1, 2, 3, 4}};
  const IgPalette p = somePalette();

  EXPECT_EQ(putPalette(m, p, 1), std::optional<std::size_t>(1));
  EXPECT_EQ(m.palettes.size(), 2u);
  EXPECT_EQ(m.palettes[1].paletteId, 1);
  EXPECT_EQ(m.palettes[1].colours, p.colours);
  EXPECT_FALSE(m.cache[0].byPalette[1]);  // the old picture is gone

  EXPECT_EQ(putPalette(m, p, std::nullopt), std::optional<std::size_t>(2));
  EXPECT_EQ(m.palettes[2].paletteId, 2);
  EXPECT_EQ(putPalette(m, p, 5), std::nullopt);
  m.palettes.resize(256);
  EXPECT_EQ(putPalette(m, p, std::nullopt), std::nullopt);
  EXPECT_EQ(m.palettes.size(), 256u);
}

}  // namespace
}  // namespace mirdal
