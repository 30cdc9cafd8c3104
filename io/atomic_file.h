#pragma once
// Replacing a file without ever leaving it half written: the new content goes to a temporary file
// in the same folder, is flushed to the disk and then renamed over the old file. Until the rename
// the old file is untouched; when anything fails the temporary file is removed and the reason is
// returned. A write-protected file is refused and left as it is; a symbolic link is followed, so
// the link stays and the file it points to takes the new content.

#include <string>
#include <string_view>

namespace korvane {

struct WriteOutcome {
    bool ok = false;
    std::string reason; // empty when ok
};

WriteOutcome WriteFileAtomically(const std::string& path, std::string_view bytes);

// The whole content of a file; false with the reason when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason);

} // namespace korvane
