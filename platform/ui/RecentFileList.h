#pragma once

// The most recently opened files, newest first, at most a fixed number and no
// path twice. It lives in a profile section as entries "File1", "File2", ...
// and shows in the File menu in place of its first item.

#include <string>
#include <vector>

namespace registry {
class Profile;
}

namespace ui {

class CRecentFileList {
public:
    CRecentFileList(std::string section, size_t size);

    size_t GetMaxSize() const { return m_size; }
    const std::vector<std::string>& GetFiles() const { return m_files; }
    // Puts the path at the top; an entry naming the same file moves there.
    void Add(const std::string& path);
    void Remove(size_t index);

    void Load(const registry::Profile& profile);
    void Save(registry::Profile& profile) const;
    // The menu text of an entry: "&1 path".
    std::string MenuText(size_t index) const;

private:
    std::string m_section;
    size_t m_size;
    std::vector<std::string> m_files;
};

} // namespace ui
