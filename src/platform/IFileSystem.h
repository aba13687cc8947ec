// Plain files. Paths are the program's own (backslash-separated on Windows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fg {

class IFileSystem {
  public:
    virtual ~IFileSystem() = default;
    virtual bool Exists(const std::wstring& path) = 0;     // a file or a folder
    virtual bool FileExists(const std::wstring& path) = 0; // a file, not a folder
    virtual bool Move(const std::wstring& from, const std::wstring& to) = 0;
    // Moves a file over another in one step: afterwards `to` is either the old file or the whole
    // of `from`, never missing. `to` need not exist.
    virtual bool Replace(const std::wstring& from, const std::wstring& to) = 0;
    // Creates or truncates the file and writes the bytes. On failure answers false and a reason.
    virtual bool WriteAll(const std::wstring& path, const std::vector<std::uint8_t>& bytes,
                          std::wstring& error) = 0;
    virtual bool ReadAll(const std::wstring& path, std::vector<std::uint8_t>& bytes) = 0;
    virtual bool Delete(const std::wstring& path) = 0;
    // A stamp that changes whenever the file's contents may have changed (its last-write time
    // and size); false when the file is missing.
    virtual bool Stamp(const std::wstring& path, std::uint64_t& stamp) = 0;
    struct FoundFile {
        std::wstring name; // without folder
        std::uint64_t size = 0;
        bool directory = false;
    };
    // The entries of a folder that match a pattern with * and ? (as the system's file search).
    virtual std::vector<FoundFile> FindFiles(const std::wstring& folder,
                                             const std::wstring& pattern) = 0;

    // Profile (INI) files, through the system's own profile routines: section and key names
    // compare without case; a missing value reads as the default.
    virtual std::wstring ProfileRead(const std::wstring& path, const std::wstring& section,
                                     const std::wstring& key, const std::wstring& def) = 0;
    // The same through a fixed buffer of bufferChars characters, as the system routine answers
    // it: a longer value comes back cut to bufferChars - 1 characters.
    virtual std::wstring ProfileReadCut(const std::wstring& path, const std::wstring& section,
                                        const std::wstring& key, const std::wstring& def,
                                        std::size_t bufferChars) {
        std::wstring value = ProfileRead(path, section, key, def);
        if (value.size() >= bufferChars) value.resize(bufferChars > 0 ? bufferChars - 1 : 0);
        return value;
    }
    virtual bool ProfileWrite(const std::wstring& path, const std::wstring& section,
                              const std::wstring& key, const std::wstring& value) = 0;
    virtual std::vector<std::wstring> ProfileSectionNames(const std::wstring& path) = 0;
    virtual std::vector<std::wstring> ProfileKeyNames(const std::wstring& path,
                                                      const std::wstring& section) = 0;
};

} // namespace fg
