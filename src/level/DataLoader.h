#pragma once

#include "level/LightDescription.h"
#include "level/ObjectDescription.h"

#include <istream>
#include <string>
#include <vector>

// Reads the level file into description queues, from which the level is then built.
class DataLoader {
public:
    virtual ~DataLoader() = default;

    // Appends one record per block of the file to the queues, in file order. A file
    // that cannot be opened is reported on standard output and leaves them unchanged.
    void parseLevelFile(const std::string& path);

    // The same for level text from any stream; fileName names it in messages.
    void parseLevelStream(std::istream& in, const std::string& fileName);

    // In file order; the level is built by taking records from the back.
    std::vector<ObjectDescription> objectQueue;
    std::vector<LightDescription> lightQueue;
};
