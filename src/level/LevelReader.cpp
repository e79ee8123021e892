#include "level/LevelReader.h"

#include "platform/Diagnostics.h"

#include <locale>
#include <sstream>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t kObjectLines = 9;
constexpr std::size_t kCharacterLines = 8;
constexpr std::size_t kLightLines = 5;

bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The next word of a line from `pos` on, words being split at runs of spaces and tabs.
// Empty at the end of the line.
std::string_view nextWord(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isSeparator(text[pos])) {
        ++pos;
    }
    const std::size_t start = pos;
    while (pos < text.size() && !isSeparator(text[pos])) {
        ++pos;
    }
    return text.substr(start, pos - start);
}

// Plain decimal notation only: sign, digits, fraction, exponent. The stream would also
// skip leading control characters or stop halfway through "1.5cm"; a word either is a
// number as a whole or it is not one.
bool isDecimalNumber(std::string_view word) {
    std::size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < word.size() && isDigit(word[i]); ++i) {
        ++digits;
    }
    if (i < word.size() && word[i] == '.') {
        for (++i; i < word.size() && isDigit(word[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        if (i < word.size() && (word[i] == '+' || word[i] == '-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        for (; i < word.size() && isDigit(word[i]); ++i) {
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == word.size();
}

// The classic locale keeps "0.5" a half whatever locale the player runs under. A value
// beyond the float range fails in the stream and so counts as no number.
bool toFloat(std::string_view word, float& value) {
    if (!isDecimalNumber(word)) {
        return false;
    }
    std::istringstream stream{std::string(word)};
    stream.imbue(std::locale::classic());
    float parsed = 0.0f;
    stream >> parsed;
    if (stream.fail()) {
        return false;
    }
    value = parsed;
    return true;
}

// The character is the one object without a physics line; its block is a line shorter.
// A type the game does not know (no rule) is read as a full block.
bool hasPhysicsLine(const RecordRule* rule) {
    return !rule || rule->physicsLine;
}

// Only the first character decides; "u", "u 1 2 3" and "unset" all mean the defaults.
bool asksForDefaults(const std::string& text) {
    return !text.empty() && text[0] == 'u';
}

template <typename Field> void assign(Field& field, const std::vector<float>& numbers) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        field[i] = numbers[i];
    }
}

} // namespace

LevelReader::LevelReader(std::istream& in, const std::string& fileName, ProblemHandler onProblem)
    : in(in), fileName(fileName), onProblem(std::move(onProblem)) {}

void LevelReader::read(std::vector<ObjectDescription>& objects,
                       std::vector<LightDescription>& lights) {
    Line line;
    while (nextLine(line)) {
        if (line.text.empty()) {
            continue;
        }
        if (line.text[0] == '*') {
            readLight(line, lights);
            continue;
        }
        if (line.text[0] != '#') {
            continue; // a comment
        }
        // The type is resolved once, here: it decides how long the block is.
        const RecordRule* rule = recordRuleFor(std::string_view(line.text).substr(1));
        const std::size_t lines = hasPhysicsLine(rule) ? kObjectLines : kCharacterLines;
        std::vector<Line> block;
        if (!readBlock(line, lines, "object", block)) {
            continue;
        }
        objects.push_back(objectFrom(block, rule));
        objectHeaderLines.push_back(line.number);
        // A parameter line starting with '*' is the header of a light block as well.
        const Line& parameterLine = block.back();
        if (!parameterLine.text.empty() && parameterLine.text[0] == '*') {
            readLight(parameterLine, lights);
        }
    }
}

bool LevelReader::nextLine(Line& line) {
    if (!std::getline(in, line.text)) {
        return false;
    }
    line.number = ++linesRead;
    // Files saved on Windows end their lines in CR LF. The last line of a file without
    // a final LF ends at the end of the file, so its CR goes as well.
    if (!line.text.empty() && line.text.back() == '\r') {
        line.text.pop_back();
    }
    return true;
}

// The header and the lines after it, lineCount in all. Blocks are not delimited in the
// file, so inside one every line counts, empty lines and comments included.
bool LevelReader::readBlock(const Line& header, std::size_t lineCount, const char* kind,
                            std::vector<Line>& block) {
    block.clear();
    block.push_back(header);
    Line line;
    while (block.size() < lineCount) {
        if (!nextLine(line)) {
            // Half a record would build an object from whatever the defaults say.
            std::ostringstream message;
            message << "the file ends inside this " << kind << " block (" << block.size() << " of "
                    << lineCount << " lines); the block is dropped";
            report(header.number, message.str());
            return false;
        }
        block.push_back(line);
    }
    return true;
}

ObjectDescription LevelReader::objectFrom(const std::vector<Line>& block,
                                          const RecordRule* rule) const {
    ObjectDescription object;
    object.recordType = block[0].text.substr(1);
    object.kind = rule ? rule->kind : RecordKind::Unknown;
    std::size_t next = 1;
    if (hasPhysicsLine(rule)) {
        const std::string_view physics = block[next++].text;
        std::size_t pos = 0;
        object.physicsType = nextWord(physics, pos);
        toFloat(nextWord(physics, pos), object.density); // stays 0 unless it is a number
        // A static mesh is its own collision shape.
        const std::string_view lowPoly = nextWord(physics, pos);
        if (object.physicsType != "static") {
            object.lowPolyMeshFile = lowPoly;
        }
    }
    object.meshFile = block[next++].text;
    object.materialFile = block[next++].text;
    object.textureFile = block[next++].text;

    const Line& position = block[next++];
    if (!asksForDefaults(position.text)) {
        assign(object.position, numbers(position, 3, "position"));
    }
    const Line& rotation = block[next++];
    if (!asksForDefaults(rotation.text)) {
        assign(object.rotation, numbers(rotation, 4, "rotation"));
    }
    const Line& scale = block[next++];
    if (!asksForDefaults(scale.text)) {
        assign(object.scale, numbers(scale, 3, "scale"));
    }
    const Line& parameters = block[next++];
    if (!asksForDefaults(parameters.text)) {
        assign(object.params, numbers(parameters, object.params.size(), "parameter"));
    }
    return object;
}

// Light lines have no 'u' shortcut: a light always gives its numbers.
LightDescription LevelReader::lightFrom(const std::vector<Line>& block) const {
    LightDescription light;
    light.name = block[0].text.substr(1);
    assign(light.position, numbers(block[1], 3, "light position"));
    assign(light.color, numbers(block[2], 4, "light colour"));
    assign(light.ambientColor, numbers(block[3], 4, "ambient colour"));
    assign(light.specularColor, numbers(block[4], 4, "specular colour"));
    return light;
}

void LevelReader::readLight(const Line& header, std::vector<LightDescription>& lights) {
    std::vector<Line> block;
    if (readBlock(header, kLightLines, "light", block)) {
        lights.push_back(lightFrom(block));
    }
}

// The first character of a number line is a marker and never part of a number. Reading
// stops at the first word that is not a number; numbers beyond `wanted` are ignored.
std::vector<float> LevelReader::numbers(const Line& line, std::size_t wanted,
                                        const char* what) const {
    std::vector<float> result;
    const std::string_view text = std::string_view(line.text).substr(line.text.empty() ? 0 : 1);
    std::size_t pos = 0;
    float value = 0.0f;
    while (result.size() < wanted && toFloat(nextWord(text, pos), value)) {
        result.push_back(value);
    }
    if (result.size() < wanted) {
        std::ostringstream message;
        message << what << " line has " << result.size() << " of " << wanted
                << " numbers; the rest keep their defaults";
        report(line.number, message.str());
    }
    return result;
}

void LevelReader::report(std::size_t line, const std::string& message) const {
    if (onProblem) {
        onProblem(line, message);
        return;
    }
    platform::DiagnosticLine() << fileName << ':' << line << ": " << message;
}
