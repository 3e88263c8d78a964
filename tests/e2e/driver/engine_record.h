// What the stand-in engine writes about its start when KVE_ENGINE_RECORD names
// a file: its command line, argument words, current directory, whether its
// token is elevated ("yes", "no" or "unknown") and its program path.
#pragma once

#include <string>
#include <vector>

constexpr const char* kEngineRecordVariable = "KVE_ENGINE_RECORD";

struct EngineRecord {
    std::string commandLine;
    std::vector<std::string> arguments;
    std::string currentDirectory;
    std::string elevated;
    std::string module;
};

// The record once the engine has written all of it; throws RigFailure when
// no engine writes one.
EngineRecord WaitForEngineRecord(const std::string& path);
