#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Uniform and attribute locations of GL programs, asked of GL once each and then
// remembered: a lookup by name costs the driver a string search on every draw.
// An owner keeps one for the few programs it draws with; it must not outlive their
// GL context, as a program name may come back for another program in a new one.
class LocationCache {
public:
    std::int32_t uniform(std::uint32_t program, const char* name);
    std::int32_t attribute(std::uint32_t program, const char* name);
    // Forgets every location, for programs relinked or deleted.
    void clear() { entries.clear(); }

private:
    struct Entry {
        std::uint32_t program;
        bool isAttribute;
        std::string name;
        std::int32_t location;
    };
    std::int32_t find(std::uint32_t program, const char* name, bool isAttribute);

    // Owners use a handful of names: a short list searched in order beats a map.
    std::vector<Entry> entries;
};
