// The stamps of the methods of one output: author and instant.
#include "writer/Stamps.h"

#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

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

Stamps::Stamps() : fixedCalendar_(FixedCalendar()), author_(StampAuthor()) {}

void Stamps::RenewStampSuffix() {
  const std::time_t now = fixedCalendar_ ? 0 : std::time(nullptr);
  if (second_ == now) return;
  second_ = now;
  suffix_ = StampSuffixOf(author_, StampTime(fixedCalendar_, now));
}

std::string MakeStampSuffix() {
  return StampSuffixOf(StampAuthor(), StampTime(FixedCalendar(), std::time(nullptr)));
}
