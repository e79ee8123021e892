#pragma once

#include <string>
#include <vector>

// Splits text at runs of the delimiter characters; no empty pieces.
std::vector<std::string> tokenize(const std::string& text, const std::string& delimiters);
