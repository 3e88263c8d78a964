#include "engine_record.h"

#include <map>
#include <sstream>

#include "temp_directory.h"
#include "waiting.h"

namespace {

// "name=value" lines; the engine writes the module line last.
std::map<std::string, std::string> ReadFields(const std::string& path) {
    std::map<std::string, std::string> fields;
    std::istringstream lines(ReadWholeFile(path));
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos) fields[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return fields;
}

bool IsComplete(const std::string& path) {
    const std::string text = ReadWholeFile(path);
    return text.find("module=") != std::string::npos && text.back() == '\n';
}

}  // namespace

EngineRecord WaitForEngineRecord(const std::string& path) {
    if (!WaitUntil([&] { return PathExists(path) && IsComplete(path); }))
        throw RigFailure("no engine wrote " + path);
    std::map<std::string, std::string> fields = ReadFields(path);
    EngineRecord record;
    record.commandLine = fields["command_line"];
    for (int i = 0; i < std::stoi(fields["argc"]); ++i) record.arguments.push_back(fields["argv" + std::to_string(i)]);
    record.currentDirectory = fields["current_directory"];
    record.elevated = fields["elevated"];
    record.module = fields["module"];
    return record;
}
