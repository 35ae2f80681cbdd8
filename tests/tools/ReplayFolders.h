#ifndef ReplayFolders_h
#define ReplayFolders_h

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TemporaryDirectory.h"

// A reference folder and an output folder, as a capture and a failed
// replay leave them, for the tests of the tools that review and approve.
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
  TemporaryDirectory _Dir;
};

#endif
