#include "tests/platform/test_platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace korvane::testing {

std::string WithoutPosixFiles() {
    return "Windows has no FIFOs, /dev/zero or /dev/full, no file modes, owners or groups, and no file size "
           "limit; the Windows save and reader have their own cases (WindowsFiles)";
}

bool MakeFifo(const std::string&) {
    return false;
}

void FeedFifo(const std::string&, long) {}

int TakeOneByteAndLeave(const std::string&) {
    return 0;
}

void WithDefaultPipeSignal(const std::function<void()>& what) {
    what();
}

unsigned ModeOf(const std::string&) {
    return 0;
}

bool SetMode(const std::string&, unsigned) {
    return false;
}

Owner OwnerOf(const std::string&) {
    return {};
}

bool GiveTo(const std::string&, Owner) {
    return false;
}

bool IsRoot() {
    return false;
}

void WithFileSizeLimit(long, const std::function<void()>&) {}

long LivingProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

} // namespace korvane::testing
