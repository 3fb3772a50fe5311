#pragma once
// What the season-file fuzz targets share: a scratch folder, a season to spoil, and the checks
// every input must pass.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "season/Season.h"
#include "season/SeasonFile.h"

namespace karven::fuzz {

// A folder of this process for the files the targets write; in memory where the system has one.
const std::string& ScratchFolder();
// Writes the input to a file of the scratch folder and returns its path.
std::string WriteInput(const uint8_t* data, size_t size);

// A full season that a failed read must leave exactly as it was.
const Season& Sentinel();

// Stops the run with a message when a property does not hold.
void Require(bool condition, const char* property);

// The checks of a season a reader accepted: counts, tables and numbers in their bounds, no line
// break in a value, a principal and a world that fit the season; then it saves and reads back equal.
void CheckAccepted(const Season& season);

// The checks of what follows the last team line of an accepted input: the history, whatever the
// bytes there hold, never changes the season before it.
void CheckTail(const Season& season, const uint8_t* data, size_t size, bool oldLayout);

// What follows the last team line of an accepted input, read into `season` with `notes`: a save
// writes back every byte of it, those it understood as the very bytes they were and the rest as
// they came, and what it understood reads back equal.
void CheckAdditionsKept(const Season& season, const ReadNotes& notes, size_t size);

} // namespace karven::fuzz
