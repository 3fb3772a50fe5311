#pragma once
// What the season-file fuzz targets share: a scratch folder, a season to spoil, and the checks
// every input must pass.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "season/Season.h"

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
// break in a value; then it saves and reads back equal.
void CheckAccepted(const Season& season);

// The checks of what follows the last team line of an accepted input: the history, whatever the
// bytes there hold, never changes the season before it.
void CheckTail(const Season& season, const uint8_t* data, size_t size, bool oldLayout);

} // namespace karven::fuzz
