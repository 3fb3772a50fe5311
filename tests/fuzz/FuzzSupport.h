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

// The checks of a season a reader accepted: counts, tables and numbers in their bounds; then it
// saves (unless a value holds a line break, which the format cannot carry) and reads back equal.
void CheckAccepted(const Season& season);

} // namespace karven::fuzz
