// The names the marker DLL is planted under, as the build lists them.
#pragma once

#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> PlantedDllNames() {
    std::vector<std::string> names;
    std::istringstream list(PLANTED_DLL_NAMES);
    for (std::string name; std::getline(list, name, ',');) names.push_back(name);
    return names;
}
