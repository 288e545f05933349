#pragma once

// Files: whole writes, closed files, the error numbers of failures, nothing blocked or left
// behind. A subject offers: files, Path, MakeFolder, Read, Write, Entries, Closed, NotFiles()
// (FIFOs, pipes, devices) and FailingBytes() (bytes the next write cannot write).

#include "contract/contract.h"
#include "platform/files.h"

namespace clipnest::contract {

template <typename Subject>
class FilesContract : public Contract<Subject> {};
TYPED_TEST_SUITE_P(FilesContract);

TYPED_TEST_P(FilesContract, AppendCreatesTheFileAddsEveryByteAndClosesIt) {
  auto& s = this->s;
  const std::string path = s.Path("Заметки ✓.txt");
  s.files.Append(path, "\xCF\xF0\xE8\r\n");
  s.files.Append(path, std::string("two\0\xFF\r\n", 7));
  s.files.AppendPieces(path, PiecesOf({"th", "", "ree"}));
  EXPECT_EQ(s.Read(path), std::string("\xCF\xF0\xE8\r\ntwo\0\xFF\r\nthree", 17));
  EXPECT_TRUE(s.Closed(path));
}

TYPED_TEST_P(FilesContract, ReplaceWritesTheWholeFileOverALongerOneAndLeavesNothingElse) {
  auto& s = this->s;
  const std::string path = s.Path("Sc.bmp");
  s.files.Replace(path, std::string(100000, 'a'));
  s.files.Replace(path, "BM short");
  EXPECT_EQ(s.Read(path), "BM short");
  EXPECT_TRUE(s.Closed(path));
  EXPECT_THAT(s.Entries(), ::testing::ElementsAre("Sc.bmp"));
}

TYPED_TEST_P(FilesContract, ReadingGivesTheStartOrTheWholeUpToItsLimitAndNothingForNoFile) {
  auto& s = this->s;
  const std::string path = s.Path("name.txt");
  EXPECT_EQ(s.files.ReadStart(path, 3), "");
  EXPECT_EQ(s.files.ReadWhole(path, 10), "");
  EXPECT_EQ(s.files.ReadStart(s.Path("Missing/None.txt"), 3), "");
  s.Write(path, std::string("\xEF\xBB\xBFtext\0", 8));
  EXPECT_EQ(s.files.ReadStart(path, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(s.files.ReadWhole(path, 8), std::string("\xEF\xBB\xBFtext\0", 8));
  EXPECT_EQ(ErrorOf([&] { s.files.ReadWhole(path, 7); }), 7);
  EXPECT_TRUE(s.Closed(path));
}

TYPED_TEST_P(FilesContract, FailuresHaveTheNumberOfTheirCauseAndCreateNothing) {
  auto& s = this->s;
  s.Write(s.Path("plain"), "");
  s.MakeFolder("report.txt");
  const auto errors = [&](const std::string& path) {
    return std::to_string(ErrorOf([&] { s.files.Append(path, "x"); })) + " " +
           std::to_string(ErrorOf([&] { s.files.Replace(path, "x"); }));
  };
  // A missing folder, or a file in its place: path not found.
  EXPECT_EQ(errors(s.Path("Missing/x.txt")), "76 76");
  EXPECT_EQ(errors(s.Path("plain/x.txt")), "76 76");
  // A pasted line break in the name: a bad file name. A folder under the name: an access error.
  EXPECT_EQ(errors(s.Path("two\nlines.txt")), "52 52");
  EXPECT_EQ(errors(s.Path("report.txt")), "75 75");
  EXPECT_EQ(ErrorOf([&] { s.files.ReadStart(s.Path("report.txt"), 3); }), 75);
  EXPECT_THAT(s.Entries(), ::testing::ElementsAre("plain", "report.txt"));
}

TYPED_TEST_P(FilesContract, WhatIsNotARegularFileFailsAtOnceAndIsLeftAlone) {
  auto& s = this->s;
  const std::vector<std::string> not_files = s.NotFiles();
  const std::vector<std::string> before = s.Entries();
  for (const std::string& path : not_files) {
    SCOPED_TRACE(path);
    EXPECT_EQ(ErrorOf([&] { s.files.Append(path, "x"); }), 75);
    EXPECT_EQ(ErrorOf([&] { s.files.Replace(path, "x"); }), 75);
    EXPECT_EQ(ErrorOf([&] { s.files.ReadStart(path, 3); }), 75);
    EXPECT_EQ(ErrorOf([&] { s.files.ReadWhole(path, 100); }), 75);
  }
  EXPECT_EQ(s.Entries(), before) << "a replacement was left in the folder";
}

TYPED_TEST_P(FilesContract, AFailedWriteLeavesTheFileAsItWasAndNoNewFile) {
  auto& s = this->s;
  const std::string text = s.Path("Text.txt"), picture = s.Path("Sc.bmp");
  s.Write(text, "before\r\n");
  s.Write(picture, "old picture");
  EXPECT_NE(ErrorOf([&] { s.files.Append(text, s.FailingBytes()); }), 0);
  EXPECT_NE(ErrorOf([&] { s.files.Replace(picture, s.FailingBytes()); }), 0);
  EXPECT_NE(ErrorOf([&] { s.files.Append(s.Path("Text-new.txt"), s.FailingBytes()); }), 0);
  EXPECT_NE(ErrorOf([&] { s.files.Replace(s.Path("Sc-new.bmp"), s.FailingBytes()); }), 0);
  // Contents in pieces whose second piece cannot be made: the first is taken back.
  const auto broken = [] {
    return Files::NextPiece([calls = 0]() mutable -> std::string_view {
      if (++calls == 2) throw RuntimeError(ErrorNumber::kPathFileAccess);
      return "partial";
    });
  };
  for (const std::string& path : {text, s.Path("Text-new.txt")})
    EXPECT_EQ(ErrorOf([&] { s.files.AppendPieces(path, broken()); }), 75);
  for (const std::string& path : {picture, s.Path("Sc-new.bmp")})
    EXPECT_EQ(ErrorOf([&] { s.files.ReplaceWithPieces(path, broken()); }), 75);
  EXPECT_EQ(s.Read(text), "before\r\n");
  EXPECT_EQ(s.Read(picture), "old picture");
  EXPECT_TRUE(s.Closed(text));
  EXPECT_THAT(s.Entries(), ::testing::ElementsAre("Sc.bmp", "Text.txt"));
}

REGISTER_TYPED_TEST_SUITE_P(FilesContract, AppendCreatesTheFileAddsEveryByteAndClosesIt,
                            ReplaceWritesTheWholeFileOverALongerOneAndLeavesNothingElse,
                            ReadingGivesTheStartOrTheWholeUpToItsLimitAndNothingForNoFile,
                            FailuresHaveTheNumberOfTheirCauseAndCreateNothing,
                            WhatIsNotARegularFileFailsAtOnceAndIsLeftAlone,
                            AFailedWriteLeavesTheFileAsItWasAndNoNewFile);

}  // namespace clipnest::contract
