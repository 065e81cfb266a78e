// The temporary files Vek gives libxlsxwriter while its writer runs: what the library does
// with them is the library's business, but bytes of theirs can only be counted, never given,
// so any use other than the library's copy and zip of a whole file must fail the workbook.
#include "writers/WorkbookTemporaryFile.h"

#include <cstdio>
#include <functional>

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include "writers/WorkbookCompression.h"

namespace vek {
namespace {

void print(FILE* file, const char* text) {
  ASSERT_GE(std::fputs(text, file), 0);
}

TEST(WorkbookTemporaryFile, UsesOtherThanACopyOrAPartFailTheWorkbook) {
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"bytes read that go nowhere",
       [] {
         FILE* file = lxw_tmpfile(nullptr);
         print(file, "<row/>");
         std::rewind(file);
         char bytes[6];
         EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), sizeof bytes);
         std::fclose(file);
       }},
      {"a read from the middle",
       [] {
         FILE* file = lxw_tmpfile(nullptr);
         print(file, "<row/><row/>");
         std::fseek(file, 6, SEEK_SET);
         std::fgetc(file);
         std::fclose(file);
       }},
      {"a copy that stops before the end of the file",
       [] {
         FILE* rows = lxw_tmpfile(nullptr);
         FILE* sheet = lxw_tmpfile(nullptr);
         for (int i = 0; i < 20000; ++i) print(rows, "<row r=\"1\"><c/></row>");
         std::rewind(rows);
         char bytes[4096];
         const std::size_t n = std::fread(bytes, 1, sizeof bytes, rows);
         std::fwrite(bytes, 1, n, sheet);
         print(sheet, "</sheetData>");
         std::fflush(sheet);
         std::fclose(rows);
         std::fclose(sheet);
       }},
      {"a write after the read began",
       [] {
         FILE* file = lxw_tmpfile(nullptr);
         print(file, "<row/>");
         std::rewind(file);
         print(file, "<row/>");
         std::fflush(file);
         std::fclose(file);
       }},
  };
  for (const auto& [what, use] : cases) {
    const FastWorkbookCompression scope;
    use();
    EXPECT_NE(FastWorkbookCompression::failure(), 0) << what;
  }
}

// A whole file copied into another, as the library assembles a sheet: no failure, and the
// next workbook of the thread starts clean after a failed one.
TEST(WorkbookTemporaryFile, AWholeCopyIsNoFailure) {
  for (int round = 0; round < 2; ++round) {
    const FastWorkbookCompression scope;
    FILE* rows = lxw_tmpfile(nullptr);
    FILE* sheet = lxw_tmpfile(nullptr);
    print(sheet, "<sheetData>");
    for (int i = 0; i < 20000; ++i) print(rows, "<row r=\"1\"><c/></row>");
    std::rewind(rows);
    char bytes[4096];
    for (std::size_t n; (n = std::fread(bytes, 1, sizeof bytes, rows)) > 0;)
      ASSERT_EQ(std::fwrite(bytes, 1, n, sheet), n);
    std::fclose(rows);
    print(sheet, "</sheetData>");
    EXPECT_EQ(std::fflush(sheet), 0);
    EXPECT_EQ(FastWorkbookCompression::failure(), 0);
    std::fclose(sheet);
    if (round == 0) WorkbookTemporaryFile::recordFailure(ENOSPC);
  }
}

}  // namespace
}  // namespace vek
