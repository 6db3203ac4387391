// The stamps of the methods of one output: author and instant.
#pragma once

#include <ctime>
#include <optional>
#include <string>

// What the stamps are made from (SOURCE_DATE_EPOCH, PLIMKO_AUTHOR) is read once,
// when they are made, and the clock's text is made again only when its second has
// changed, since the stamp of every class reads the clock.
class Stamps {
 public:
  Stamps();
  // Reads the clock (unless SOURCE_DATE_EPOCH fixes the instant) and replaces
  // StampSuffix.
  void RenewStampSuffix();
  // The text that closes every method protocol header of the current class.
  const std::string& StampSuffix() const { return suffix_; }

 private:
  std::optional<std::tm> fixedCalendar_;
  std::string author_;
  std::optional<std::time_t> second_;
  std::string suffix_;
};

// The stamp text for the current instant, as RenewStampSuffix would store it.
std::string MakeStampSuffix();
