#include "TempFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path().string()) {}

TempDir::TempDir(const std::string& parent) {
    std::string pattern = (std::filesystem::path(parent) / "teskadat-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory in " + parent);
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::write(const std::string& name, const std::string& contents) const {
    const std::string path = file(name);
    std::ofstream out(path, std::ios::binary);
    out << contents;
    return path;
}

namespace {

bool canRunProgramsIn(const std::string& folder) {
    TempDir probe(folder);
    const std::string script = probe.write("probe", "#!/bin/sh\n");
    ::chmod(script.c_str(), 0755);
    return ::access(script.c_str(), X_OK) == 0;
}

} // namespace

std::string programFolderParent() {
    const std::string temporary = std::filesystem::temp_directory_path().string();
    if (canRunProgramsIn(temporary))
        return temporary;
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
