#pragma once
#include <string>

inline namespace zz {

// A fresh directory below the system's temporary directory, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string File(const std::string& name) const;
    // Writes the bytes to Path()/name (creating directories on the way) and returns the path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // Makes the directory Path()/name (and parents) and returns its path.
    std::string MakeDir(const std::string& name) const;

private:
    std::string path_;
};

// The whole file, or an empty text when it cannot be read.
std::string ReadAll(const std::string& path);

// Runs `action` in a child process without the privileges of root when the tests run as root,
// so that permission bits apply to it as to an engineer; returns the child's exit status
// (0 when `action` returned true). Runs `action` directly when not root.
int RunUnprivileged(bool (*action)(const std::string&), const std::string& argument);

} // namespace zz
