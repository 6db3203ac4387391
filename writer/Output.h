// The writer's shared state: the output file, the category and the stamp.
#pragma once

#include <string>
#include <string_view>

// Creates or replaces the output file; answers false when it cannot be opened.
bool CreateOutFile(const std::string& path);
// Flushes and closes the output file; a failure raises GenericError with the
// system's message.
void CloseOutFile();
// Closes the output file after an error, keeping what was written and ignoring
// any further failure, so that the next run starts without a stream.
void AbandonOutFile();

// Writes laid-out text to the output file.
void WriteOut(std::string_view text);

// The class category of every class: the input file's base name.
void SetCategoryName(const std::string& name);
const std::string& CategoryName();

// The text that closes every method protocol header of the current class.
const std::string& StampSuffix();
// Reads the clock (or SOURCE_DATE_EPOCH) and replaces StampSuffix.
void RenewStampSuffix();
// The stamp text for the current instant, as RenewStampSuffix would store it.
std::string MakeStampSuffix();
