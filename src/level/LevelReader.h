#pragma once

#include "level/LightDescription.h"
#include "level/ObjectDescription.h"

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// Turns level text into object and light descriptions, in file order. Object blocks
// start with '#', light blocks with '*'; anything else between blocks is a comment.
// Whatever the bytes, it only reads what is there: lines it cannot use are reported
// on standard output as "file:line: ..." and reading goes on.
class LevelReader {
public:
    // fileName is only used to name the place of a problem in messages.
    LevelReader(std::istream& in, const std::string& fileName);

    // Reads to the end of the stream, appending one record per complete block.
    void read(std::vector<ObjectDescription>& objects, std::vector<LightDescription>& lights);

private:
    struct Line {
        std::string text;
        std::size_t number = 0; // 1-based, for messages
    };

    bool nextLine(Line& line);
    bool readBlock(const Line& header, std::size_t lineCount, const char* kind,
                   std::vector<Line>& block);
    ObjectDescription objectFrom(const std::vector<Line>& block) const;
    LightDescription lightFrom(const std::vector<Line>& block) const;
    void readLight(const Line& header, std::vector<LightDescription>& lights);
    std::vector<float> numbers(const Line& line, std::size_t wanted, const char* what) const;

    std::istream& in;
    const std::string& fileName;
    std::size_t linesRead = 0;
};
