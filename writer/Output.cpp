// The writer's shared state: the output file, the category and the stamp.
#include "writer/Output.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <optional>

#include "model/Error.h"
#include "writer/AtomicFile.h"

namespace {

AtomicFile DiskFile;
OutputTarget* OutFile = &DiskFile;
// Text waiting to be written: the writers add small pieces at a time, and one
// write of a block costs much less than a write of each piece.
constexpr std::size_t kPendingLimit = 1 << 16;
char Pending[kPendingLimit];
std::size_t PendingSize = 0;
std::string CategoryNameText;
std::string StampSuffixText;
// What the stamps of the current output are made from: the environment is read
// once per output, and the clock's text is made again only when its second has
// changed, since the stamp of every class reads the clock.
std::optional<std::tm> StampFixedCalendar;
std::string StampAuthorText;
std::optional<std::time_t> StampSecond;

class WritingOut final : public TextSink {
 public:
  void Take(std::string_view text) override { WriteOut(text); }
};

// Hands the pending text to the file.
void WritePending() {
  const std::size_t size = PendingSize;
  PendingSize = 0;
  OutFile->Write(std::string_view(Pending, size));
}

// The instant SOURCE_DATE_EPOCH names, when it holds a non-negative decimal
// integer that time_t can represent.
std::optional<std::time_t> FixedInstant() {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (value == nullptr || *value == '\0') return std::nullopt;
  constexpr auto kMax = std::numeric_limits<std::time_t>::max();
  std::time_t seconds = 0;
  for (const char* p = value; *p != '\0'; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c < '0' || c > '9') return std::nullopt;
    std::time_t digit = c - '0';
    if (seconds > (kMax - digit) / 10) return std::nullopt;
    seconds = seconds * 10 + digit;
  }
  return seconds;
}

// The fixed instant as a calendar time in UTC, when there is one that the
// calendar can represent.
std::optional<std::tm> FixedCalendar() {
  std::tm calendar{};
  const std::optional<std::time_t> fixed = FixedInstant();
  if (!fixed || gmtime_r(&*fixed, &calendar) == nullptr) return std::nullopt;
  return calendar;
}

// The calendar time for the stamp: the fixed one when there is one, otherwise
// the local time of the clock's reading.
std::tm StampTime(const std::optional<std::tm>& fixed, std::time_t now) {
  if (fixed) return *fixed;
  std::tm calendar{};
  if (localtime_r(&now, &calendar) == nullptr) calendar = std::tm{};
  return calendar;
}

// The author the stamps name: PLIMKO_AUTHOR's ASCII letters and digits, as Pharo's
// own author names are; anything else could end the stamp's string or its chunk.
std::string StampAuthor() {
  std::string author;
  if (const char* value = std::getenv("PLIMKO_AUTHOR")) {
    for (const char c : std::string_view(value))
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) author += c;
  }
  return author.empty() ? "Tessaloom" : author;
}

std::string StampSuffixOf(const std::string& author, const std::tm& calendar) {
  long long year = static_cast<long long>(calendar.tm_year) + 1900;
  return "' stamp: '" + author + " " + std::to_string(calendar.tm_mon + 1) + "/" +
         std::to_string(calendar.tm_mday) + "/" + std::to_string(year) + " " +
         std::to_string(calendar.tm_hour) + ":" + std::to_string(calendar.tm_min) + "'!";
}

}  // namespace

void SetOutputTarget(OutputTarget* target) {
  AbandonOutFile();
  OutFile = target != nullptr ? target : &DiskFile;
}

void CreateOutFile(const std::string& path) {
  AbandonOutFile();
  OutFile->Open(path);
}

void CloseOutFile() {
  if (!OutFile->IsOpen()) return;
  WritePending();
  OutFile->Commit();
}

void AbandonOutFile() {
  PendingSize = 0;
  OutFile->Discard();
}

void WriteOut(std::string_view text) {
  if (!OutFile->IsOpen()) throw GenericError("output file is not open");
  if (text.empty()) return;
  if (text.size() > kPendingLimit - PendingSize) {
    WritePending();
    // A piece as large as the buffer goes to the file as it is.
    if (text.size() >= kPendingLimit) {
      OutFile->Write(text);
      return;
    }
  }
  std::memcpy(Pending + PendingSize, text.data(), text.size());
  PendingSize += text.size();
}

TextSink& OutFileSink() {
  static WritingOut sink;
  return sink;
}

void SetCategoryName(const std::string& name) {
  CategoryNameText = name;
}

const std::string& CategoryName() {
  return CategoryNameText;
}

const std::string& StampSuffix() {
  return StampSuffixText;
}

void StartStamps() {
  StampFixedCalendar = FixedCalendar();
  StampAuthorText = StampAuthor();
  StampSecond.reset();
}

void RenewStampSuffix() {
  // The author is never empty once the settings are read.
  if (StampAuthorText.empty()) StartStamps();
  const std::time_t now = StampFixedCalendar ? 0 : std::time(nullptr);
  if (StampSecond == now) return;
  StampSecond = now;
  StampSuffixText = StampSuffixOf(StampAuthorText, StampTime(StampFixedCalendar, now));
}

std::string MakeStampSuffix() {
  return StampSuffixOf(StampAuthor(), StampTime(FixedCalendar(), std::time(nullptr)));
}
