#pragma once

#include "common/http/FileErrorCause.h"

#include <string>
#include <string_view>

namespace http {

// The local file a download is written to.
//
// The body goes into a new file beside the target, which takes the target's
// place only once the whole body has arrived. A download that fails half-way
// therefore leaves no partial file behind and an earlier file at the same path
// as it was, instead of a truncated program or component in its place. The new
// file keeps the permission bits of the one it replaces. Devices and pipes
// cannot be replaced, so they are written in place.
//
// The file is created by the first Write (or by Commit for an empty body);
// nothing touches the disk before that. An object that goes away without a
// successful Commit removes what it wrote.
class CDownloadFile {
public:
    explicit CDownloadFile(std::string path);
    ~CDownloadFile();
    CDownloadFile(const CDownloadFile&) = delete;
    CDownloadFile& operator=(const CDownloadFile&) = delete;

    // Appends exactly these bytes. False on a file error; see Cause().
    bool Write(std::string_view bytes);
    // Puts the complete file in place. False on a file error; see Cause().
    bool Commit();

    FileErrorCause Cause() const { return m_cause; }

private:
    bool Open();
    bool Fail(int error);
    void Discard();

    std::string m_path;
    std::string m_target;
    std::string m_partPath;
    int m_fd = -1;
    bool m_inPlace = false;
    bool m_committed = false;
    FileErrorCause m_cause = FileErrorCause::Generic;
};

} // namespace http
