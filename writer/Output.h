// The output file of one run: what the layouts hand it, gathered into blocks for its target.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "writer/OutputTarget.h"
#include "writer/TextSink.h"

// The target (an AtomicFile, or one that fuzzing keeps in memory, say) must outlive
// the file. Whatever is not closed when the file goes is discarded: nothing of it
// appears, and a file that was at its path stays as it was.
class OutFile final : public TextSink {
 public:
  explicit OutFile(OutputTarget& target);
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;
  ~OutFile();

  // Starts the file at the path: nothing appears there until Close. Raises
  // GenericError as AtomicFile::Open does.
  void Create(const std::string& path);
  // Writes laid-out text to the file; raises GenericError "output file is not
  // open" before Create.
  void Take(std::string_view text) override;
  // Writes the rest and puts the file in place; a failure raises GenericError with
  // the system's message and leaves no file.
  void Close();

 private:
  void WritePending();

  OutputTarget& target_;
  // Text waiting to be written: the writers add small pieces at a time, and one
  // write of a block costs much less than a write of each piece.
  std::unique_ptr<char[]> pending_;
  std::size_t pendingSize_ = 0;
};
