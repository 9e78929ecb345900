#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "index/style_sheet.hpp"
#include "run_command.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

TEST(StyleSheetParse, EveryRuleAndDeclarationParses) {
  test::TempFolder folder;
  ASSERT_TRUE(WriteStyleSheet(folder.program()));
  const std::filesystem::path sheet = folder.native() / "paper.css";
  std::ifstream in(sheet, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};

  const test::CommandResult parsed = test::RunCommand(
      std::string(PLIMO_SYSTEM_PYTHON) + " " +
      test::ShellQuoted(PLIMO_CONSUMER_SCRIPTS "/check_style_sheet.py") + " " + test::ShellQuoted(sheet));
  EXPECT_EQ(parsed.exitStatus, 0) << parsed.output;
  EXPECT_EQ(parsed.output, "rules " + std::to_string(std::count(text.begin(), text.end(), '{')) + "\n");
}

}  // namespace
}  // namespace plimo
