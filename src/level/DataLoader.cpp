#include "level/DataLoader.h"

#include "level/LevelReader.h"

#include <filesystem>
#include <fstream>
#include <iostream>

void DataLoader::parseLevelFile(const std::string& path) {
    // Binary, so that line ends are the reader's business on every platform. A directory
    // opens like a file here but yields nothing, so it counts as unopenable.
    std::ifstream file(path, std::ios::binary);
    std::error_code error;
    if (!file || std::filesystem::is_directory(path, error)) {
        std::cout << "Unable to open file " << path << std::endl;
        return;
    }
    parseLevelStream(file, path);
}

void DataLoader::parseLevelStream(std::istream& in, const std::string& fileName) {
    LevelReader(in, fileName).read(objectQueue, lightQueue);
}
