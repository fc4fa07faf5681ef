// Reads gzip files: the recorded screenshots are kept compressed beside the test that compares them.
#pragma once

#include <cstdint>
#include <vector>

namespace screens {

// The bytes a gzip file holds; raises std::runtime_error saying what is wrong with a damaged file (bad
// header, broken compressed data, checksum or length not matching).
std::vector<std::uint8_t> Gunzip(const std::vector<std::uint8_t>& file);

} // namespace screens
