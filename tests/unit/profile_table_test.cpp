// The engine against the table of what the system's profile functions did with tricky settings
// files (tests/data/profile_strings.txt, recorded by scripts/record-profile-table under Wine).
// Where Wine departs from Windows (tests/data/wine_departures.txt, with the reason for each row)
// the engine follows Windows.
#include "profile_table/profile_table.h"
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace clipnest {
namespace {

using profile_table::Row;

std::vector<Row> DataRows(const std::string& name) {
  std::ifstream file(std::string(CLIPNEST_TEST_DATA) + "/" + name, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read tests/data/" + name);
  return profile_table::Parse(std::string(std::istreambuf_iterator<char>(file), {}));
}

// What the engine does with the row's call: the text read, or the file after the write. Names
// and values in the table are Windows-1251 bytes; the program hands the engine UTF-8.
std::optional<std::string> EngineResult(const Row& row) {
  headless::HeadlessPlatform h;
  const std::string path = headless::HeadlessPlatform::kSettingsPath;
  if (row.file) h.WriteSettings(*row.file);
  const std::string section = h.ansi.Decode(row.section), key = h.ansi.Decode(row.key);
  if (!row.write) return h.ansi.Encode(h.profile.Get(section, key, "no", 255, path));
  h.profile.Put(section, key, h.ansi.Decode(row.value), path);
  if (!h.disk.Exists(path)) return std::nullopt;
  return h.disk.Content(path);
}

TEST(ProfileTableTest, TheEngineReadsAndWritesEveryRecordedFileAsWindowsDoes) {
  const std::vector<Row> rows = DataRows("profile_strings.txt");
  std::map<std::string, Row> departures;
  for (Row& row : DataRows("wine_departures.txt")) departures[row.id] = std::move(row);
  ASSERT_GE(rows.size(), 80u);

  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    std::optional<std::string> expected = row.result;
    if (auto departure = departures.find(row.id); departure != departures.end()) {
      EXPECT_NE(departure->second.result, row.result) << "Wine now does as Windows does";
      expected = departure->second.result;
      departures.erase(departure);
    }
    EXPECT_EQ(EngineResult(row), expected);
  }
  for (const auto& [id, departure] : departures)
    ADD_FAILURE() << "no row " << id << " to depart from";
}

}  // namespace
}  // namespace clipnest
