#include "nav/program_export.h"

#include <gtest/gtest.h>

#include "support/byte_builder.h"
#include "support/temp_dir.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

const CommandList kProgram = {
    {0x50000001, 0x00000003, 0x80000004},
    {0x20810000, 0x00000000, 0x00000000},
    {0x00000001, 0x00000000, 0x00000000},
};

TEST(ProgramExport, List) {
  const std::string rule = ";------------------------------------------------------------\r\n";
  const std::string expected =
      rule + ";\r\n;             MovieObject program list by Mirdal\r\n;\r\n" + rule +
      "0000  [50000001,00000003 ,80000004 ]  Move GPR3, PSR4       ;PSR4: Title Number (b15-b0) "
      "{1-999,$ffff}\r\n"
      "0001  [20810000,00000000 ,00000000]  GoTo 0\r\n"
      "0002  [00000001,00000000,00000000]  !NOP  ; Invalid opcode\r\n";
  EXPECT_EQ(programList(kProgram), expected);
}

TEST(ProgramExport, Binary) {
  const Bytes expected = test::ByteBuilder()
                             .u32(0x50000001).u32(3).u32(0x80000004)
                             .u32(0x20810000).u32(0).u32(0)
                             .u32(1).u32(0).u32(0);
  EXPECT_EQ(programBinary(kProgram), expected);
  EXPECT_TRUE(programBinary({}).empty());
}

TEST(ProgramExport, TheChosenNameDecidesTheForm) {
  struct Case {
    const char* name;
    bool option;
    bool binary;
  };
  for (const Case& c : {Case{"p.bin", false, true}, Case{"p.BIN", false, true}, Case{"p.lst", true, false},
                        Case{"p.Lst", true, false}, Case{"p.txt", true, true}, Case{"p.txt", false, false},
                        Case{"p", true, true}, Case{"p.bin.txt", false, false}, Case{"lst", true, true}}) {
    EXPECT_EQ(binaryProgramFor(c.name, c.option), c.binary) << c.name << " option " << c.option;
  }
}

TEST(ProgramExport, FileNamesAndSaving) {
  EXPECT_EQ(programFileName(7, false), "program_007.lst");
  EXPECT_EQ(programFileName(1234, true), "program_1234.bin");
  test::TempDir dir;
  const std::string path = (dir.path() / "p.bin").string();
  dir.write("p.bin", std::string("old content that is longer"));
  ASSERT_TRUE(saveProgram(path, kProgram, true, mirdal::test::testReporter()));
  EXPECT_EQ(dir.read("p.bin"), programBinary(kProgram));
}

}  // namespace
}  // namespace mirdal
