#ifndef ReplayFolders_h
#define ReplayFolders_h

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "CompareRun.h"
#include "TemporaryDirectory.h"

// A reference folder and an output folder, as a capture and a failed
// replay leave them, and the compare tool run on them or on two files.
class ReplayFolders : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  // Both folders empty.
  void Reset() {
    for (const char* folder : {"ref", "out"}) {
      std::filesystem::remove_all(_Dir.File(folder));
      std::filesystem::create_directory(_Dir.File(folder));
    }
  }
  // A file by its path below the temporary directory ("ref/T_D_Ref_1.xml").
  void Put(const std::string& file, const std::string& content) const {
    WriteWholeFile(_Dir.File(file), content);
  }
  std::string Read(const std::string& file) const {
    return ReadWholeFile(_Dir.File(file));
  }
  bool Exists(const std::string& file) const {
    return FileExists(_Dir.File(file));
  }
  std::string Ref() const { return _Dir.File("ref"); }
  std::string Out() const { return _Dir.File("out"); }
  // The text with "{ref}" and "{out}" replaced by the folders' paths.
  std::string Expand(std::string text) const {
    for (const auto& [mark, path] :
         {std::pair{"{ref}", Ref()}, std::pair{"{out}", Out()}})
      for (std::size_t at = text.find(mark); at != std::string::npos;
           at = text.find(mark, at + path.size()))
        text.replace(at, std::string(mark).size(), path);
    return text;
  }
  // The words of a command line, for tables of them.
  static std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
  }
  // The comparison of the two paths, the options first; its status, the
  // printed texts kept.
  int Run(std::vector<std::string> args, const std::string& reference,
          const std::string& output) {
    args.insert(args.end(), {reference, output});
    const CompareArguments parsed = ParseCompareArguments(args);
    EXPECT_EQ(parsed.command, CompareCommand::Compare) << parsed.error;
    std::ostringstream out, err;
    const int status = RunCompare(parsed.options, out, err);
    _Out = out.str();
    _Err = err.str();
    return status;
  }
  // The comparison of the two documents, written to files first.
  int Compare(const std::string& reference, const std::string& output,
              const std::vector<std::string>& args) {
    Put("ref.xml", reference);
    Put("out.xml", output);
    return Run(args, _Dir.File("ref.xml"), _Dir.File("out.xml"));
  }
  TemporaryDirectory _Dir;
  std::string _Out, _Err;
};

#endif
