#pragma once
// A fresh temporary directory per test, removed afterwards, and helpers to
// write small text files into it.

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // Writes `contents` byte for byte to `name` inside the directory; returns its path.
    std::string write(const std::string& name, const std::string& contents) const;
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// The whole contents of a file ("" when it cannot be read).
std::string readWholeFile(const std::string& path);
