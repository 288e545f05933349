#pragma once

// Profile strings: the table recorded under Wine with the code page 1251 (tests/data), and what it
// leaves out. Our own engine follows Windows where Wine departs (wine_departures.txt). A subject
// offers: profile, follows_wine, Path, Read, Write, Exists, Entries.

#include "contract/contract.h"
#include "platform/ansi/code_pages.h"
#include "platform/profile_strings.h"
#include "profile_table/profile_table.h"

#include <fstream>
#include <iterator>
#include <map>

namespace clipnest::contract {

inline std::vector<profile_table::Row> TableRows(const std::string& name) {
  std::ifstream file(std::string(CLIPNEST_TEST_DATA) + "/" + name, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read tests/data/" + name);
  return profile_table::Parse(std::string(std::istreambuf_iterator<char>(file), {}));
}

template <typename Subject>
class ProfileStringsContract : public Contract<Subject> {};
TYPED_TEST_SUITE_P(ProfileStringsContract);

TYPED_TEST_P(ProfileStringsContract, EveryRecordedFileReadsAndWritesAsTheTableSays) {
  auto& s = this->s;
  const std::vector<profile_table::Row> rows = TableRows("profile_strings.txt");
  std::map<std::string, profile_table::Row> departures;
  for (auto& row : TableRows("wine_departures.txt")) departures[row.id] = std::move(row);
  ASSERT_GE(rows.size(), 80u);
  // Names and values in the table are Windows-1251 bytes; the program hands over UTF-8.
  SingleByteCodePage ansi = *SingleByteCodePage::Make(1251);
  for (const profile_table::Row& row : rows) {
    SCOPED_TRACE(row.id);
    std::optional<std::string> expected = row.result;
    if (auto departure = departures.find(row.id); departure != departures.end()) {
      EXPECT_NE(departure->second.result, row.result) << "Wine now does as Windows does";
      if (!s.follows_wine) expected = departure->second.result;
      departures.erase(departure);
    }
    const std::string path = s.Path(row.id + ".ini");
    if (row.file) s.Write(path, *row.file);
    const std::string section = ansi.Decode(row.section), key = ansi.Decode(row.key);
    std::optional<std::string> seen;
    if (!row.write) {
      seen = ansi.Encode(s.profile.Get(section, key, "no", 255, path));
    } else {
      s.profile.Put(section, key, ansi.Decode(row.value), path);
      if (s.Exists(path)) seen = s.Read(path);
    }
    EXPECT_EQ(seen, expected);
  }
  for (const auto& [id, departure] : departures) ADD_FAILURE() << "no row " << id;
}

TYPED_TEST_P(ProfileStringsContract, ALongValueIsCutToOneLessThanTheBuffer) {
  auto& s = this->s;
  const std::string path = s.Path("Settings.ini"), long_value(300, 'x');
  s.profile.Put("Setup", "SavePath", long_value, path);
  EXPECT_EQ(s.profile.Get("Setup", "SavePath", "no", 255, path), std::string(254, 'x'));
  EXPECT_EQ(s.profile.Get("Setup", "SavePath", "no", 1000, path), long_value);
}

TYPED_TEST_P(ProfileStringsContract, ReadingCreatesNothingAndAWriteCreatesTheFileInAnsi) {
  auto& s = this->s;
  const std::string path = s.Path("Settings.ini");
  EXPECT_EQ(s.profile.Get("Setup", "SavePath", "no", 255, path), "no");
  EXPECT_THAT(s.Entries(), ::testing::IsEmpty());
  s.profile.Put("Setup", "SavePath", "Д:\\Папка", path);
  EXPECT_EQ(s.Read(path), "[Setup]\r\nSavePath=\xC4:\\\xCF\xE0\xEF\xEA\xE0\r\n");
  EXPECT_EQ(s.profile.Get("Setup", "SavePath", "no", 255, path), "Д:\\Папка");
  // A missing folder: the write fails unnoticed and creates nothing.
  s.profile.Put("Setup", "Left", "1", s.Path("Missing/Settings.ini"));
  EXPECT_THAT(s.Entries(), ::testing::ElementsAre("Settings.ini"));
}

REGISTER_TYPED_TEST_SUITE_P(ProfileStringsContract, EveryRecordedFileReadsAndWritesAsTheTableSays,
                            ALongValueIsCutToOneLessThanTheBuffer,
                            ReadingCreatesNothingAndAWriteCreatesTheFileInAnsi);

}  // namespace clipnest::contract
