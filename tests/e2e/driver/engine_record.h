// What the stand-in engine writes about its start when KVE_ENGINE_RECORD names
// a file: its command line, argument words, current directory and program path.
#pragma once

#include <string>
#include <vector>

constexpr const char* kEngineRecordVariable = "KVE_ENGINE_RECORD";

struct EngineRecord {
    std::string commandLine;
    std::vector<std::string> arguments;
    std::string currentDirectory;
    std::string module;
};

// The record once the engine has written all of it; throws RigFailure when
// no engine writes one.
EngineRecord WaitForEngineRecord(const std::string& path);
