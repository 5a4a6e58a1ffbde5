#pragma once
// A fresh temporary directory per test, removed afterwards, and helpers to
// write small text files into it.

#include <string>

class TempDir {
public:
    TempDir();
    // A fresh directory inside `parent` (throws std::runtime_error when none can be made).
    explicit TempDir(const std::string& parent);
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

// A fresh directory from which scripts and copied programs can be run: in the
// temporary folder, or beside the running test program when the temporary
// folder's file system forbids running programs (a noexec TMPDIR).
std::string programFolderParent();

// The whole contents of a file ("" when it cannot be read).
std::string readWholeFile(const std::string& path);
