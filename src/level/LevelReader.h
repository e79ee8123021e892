#pragma once

#include "level/LightDescription.h"
#include "level/ObjectDescription.h"

#include <cstddef>
#include <functional>
#include <istream>
#include <string>
#include <vector>

// Turns level text into object and light descriptions, in file order. Object blocks
// start with '#', light blocks with '*'; anything else between blocks is a comment.
// Whatever the bytes, it only reads what is there: lines it cannot use are reported
// and reading goes on.
class LevelReader {
public:
    // Told of each line the reader cannot use: its number (1-based) and what is wrong.
    using ProblemHandler = std::function<void(std::size_t line, const std::string& message)>;

    // fileName is only used to name the place of a problem in messages. Without a
    // handler, problems go to standard output as "file:line: message".
    LevelReader(std::istream& in, const std::string& fileName, ProblemHandler onProblem = {});

    // Reads to the end of the stream, appending one record per complete block.
    void read(std::vector<ObjectDescription>& objects, std::vector<LightDescription>& lights);

    // The header line of every object record read, in the order of the records; the
    // other lines of a block follow it directly.
    const std::vector<std::size_t>& objectLines() const { return objectHeaderLines; }

private:
    struct Line {
        std::string text;
        std::size_t number = 0; // 1-based, for messages
    };

    bool nextLine(Line& line);
    bool readBlock(const Line& header, std::size_t lineCount, const char* kind,
                   std::vector<Line>& block);
    // `rule` is the block's record type as read resolved it; null for an unknown one.
    ObjectDescription objectFrom(const std::vector<Line>& block, const RecordRule* rule) const;
    LightDescription lightFrom(const std::vector<Line>& block) const;
    void readLight(const Line& header, std::vector<LightDescription>& lights);
    std::vector<float> numbers(const Line& line, std::size_t wanted, const char* what) const;
    void report(std::size_t line, const std::string& message) const;

    std::istream& in;
    const std::string& fileName;
    ProblemHandler onProblem;
    std::size_t linesRead = 0;
    std::vector<std::size_t> objectHeaderLines;
};
