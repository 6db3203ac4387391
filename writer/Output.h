// The writer's shared state: the output file, the category and the stamp.
#pragma once

#include <string>
#include <string_view>

#include "writer/Compose.h"
#include "writer/OutputTarget.h"

// The output file's bytes go to the target from now on (one that fuzzing keeps in
// memory, say); nullptr restores the atomic file. The target must outlive its use.
void SetOutputTarget(OutputTarget* target);
// Starts the output file at the path (an AtomicFile: nothing appears there until
// CloseOutFile); raises GenericError as AtomicFile::Open does.
void CreateOutFile(const std::string& path);
// Writes the rest and puts the output file in place; a failure raises GenericError
// with the system's message and leaves no file.
void CloseOutFile();
// Drops the output file after an error: nothing of it appears, and a file that was
// at its path stays as it was. The next run starts without a stream.
void AbandonOutFile();

// Writes laid-out text to the output file.
void WriteOut(std::string_view text);
// The sink that writes what it takes to the output file.
TextSink& OutFileSink();

// The class category of every class: the input file's base name.
void SetCategoryName(const std::string& name);
const std::string& CategoryName();

// The text that closes every method protocol header of the current class.
const std::string& StampSuffix();
// Reads what the stamps of one output are made from (SOURCE_DATE_EPOCH,
// PLIMKO_AUTHOR), for the RenewStampSuffix calls that follow.
void StartStamps();
// Reads the clock (unless SOURCE_DATE_EPOCH fixes the instant) and replaces
// StampSuffix.
void RenewStampSuffix();
// The stamp text for the current instant, as RenewStampSuffix would store it.
std::string MakeStampSuffix();
