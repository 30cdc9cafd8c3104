// The core's file calls on Windows. Paths come in as UTF-8 and go to the system as UTF-16; only the
// wide calls are used, so a name in any script reaches the disk as it was given.
#include "io/platform/file_system.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <random>

namespace korvane::platform {

namespace {

std::wstring wide(std::string_view s) {
    if (s.empty())
        return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view s) {
    if (s.empty())
        return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// The system's words for an error code, without the closing full stop and line end.
std::string errorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out = n > 0 ? narrow(std::wstring_view(text, n)) : std::string();
    if (text)
        ::LocalFree(text);
    while (!out.empty() && (std::isspace(static_cast<unsigned char>(out.back())) || out.back() == '.'))
        out.pop_back();
    return out.empty() ? "error " + std::to_string(code) : out;
}

std::string lastError() {
    return errorText(::GetLastError());
}

HANDLE handleOf(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

FileHandle opened(HANDLE h, std::string& error) {
    if (h == INVALID_HANDLE_VALUE) {
        error = lastError();
        return kNoFile;
    }
    return reinterpret_cast<FileHandle>(h);
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// Where the name in its folder begins: after the last separator, or after a drive ("C:name").
std::size_t nameStart(const std::string& path) {
    const auto sep = path.find_last_of("\\/");
    if (sep != std::string::npos)
        return sep + 1;
    return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

// A device of the system rather than a file: every name in the \\.\ space (\\.\COM12, \\.\pipe\name),
// and the reserved names of DOS devices, which name the device in any folder and with any extension
// ("C:\jobs\nul.zeb" is NUL).
bool isDevicePath(const std::string& path) {
    if (path.size() >= 4 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] == '.' && isSeparator(path[3]))
        return true;
    std::string name = path.substr(nameStart(path));
    name = name.substr(0, name.find('.'));
    while (!name.empty() && (name.back() == ' ' || name.back() == ':'))
        name.pop_back();
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return std::toupper(c); });
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" || name == "CONOUT$")
        return true;
    return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) && name[3] >= '1' && name[3] <= '9';
}

DWORD attributesOf(const std::string& path) {
    return ::GetFileAttributesW(wide(path).c_str());
}

} // namespace

FileKind KindOf(const std::string& path) {
    if (isDevicePath(path))
        return FileKind::Special;
    const DWORD attrs = attributesOf(path);
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return FileKind::Missing;
    return (attrs & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder : FileKind::Regular;
}

bool OpenStandardStream(const std::string&, FileHandle&) {
    return false;
}

bool IsLinkOfAnotherUser(const std::string&, std::string&) {
    return false;
}

bool FollowLink(const std::string& path, std::string& target, std::string& error) {
    target = path;
    if (isDevicePath(path))
        return true;
    const DWORD attrs = attributesOf(path);
    if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    const HANDLE h = ::CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = lastError();
        return false;
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD n = ::GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    if (n >= final.size()) {
        final.resize(n);
        n = ::GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    }
    if (n == 0 || n >= final.size()) {
        error = lastError();
        ::CloseHandle(h);
        return false;
    }
    ::CloseHandle(h);
    final.resize(n);
    // The system answers in its long form: \\?\C:\… or \\?\UNC\server\share\….
    if (final.starts_with(L"\\\\?\\UNC\\"))
        final = L"\\\\" + final.substr(8);
    else if (final.starts_with(L"\\\\?\\"))
        final = final.substr(4);
    target = narrow(final);
    return true;
}

bool IsWriteProtected(const std::string& path) {
    if (isDevicePath(path))
        return false;
    const DWORD attrs = attributesOf(path);
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return false; // a new file
    if (attrs & FILE_ATTRIBUTE_READONLY)
        return true;
    if (attrs & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    // Another program holding the file open does not protect it; only the access rights do.
    const HANDLE h =
        ::CreateFileW(wide(path).c_str(), FILE_WRITE_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    ::CloseHandle(h);
    return false;
}

std::string FolderOf(const std::string& path) {
    const auto sep = path.find_last_of("\\/");
    if (sep == std::string::npos)
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
    if (sep == 0 || (sep == 2 && path[1] == ':'))
        return path.substr(0, sep + 1); // the root of the drive: "\" or "C:\"
    return path.substr(0, sep);
}

std::string NameOf(const std::string& path) {
    return path.substr(nameStart(path));
}

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty() || isSeparator(folder.back()) || (folder.size() == 2 && folder[1] == ':'))
        return folder + name;
    return folder + "\\" + name;
}

FileHandle OpenForReading(const std::string& path, std::string& error) {
    // Backup semantics let a folder open too, so that it can be told from a file.
    const HANDLE h =
        ::CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h != INVALID_HANDLE_VALUE && ::GetFileType(h) == FILE_TYPE_CHAR) {
        // A serial port waits for bytes without end; a silent one ends the reading after a second.
        COMMTIMEOUTS timeouts{};
        if (::GetCommTimeouts(h, &timeouts)) {
            timeouts = {0, 0, 1000, 0, 0};
            ::SetCommTimeouts(h, &timeouts);
        }
    }
    return opened(h, error);
}

bool IsFolder(FileHandle file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileType(handleOf(file)) == FILE_TYPE_DISK && ::GetFileInformationByHandle(handleOf(file), &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

long long ReadSome(FileHandle file, char* buf, std::size_t size, std::string& error) {
    DWORD got = 0;
    if (::ReadFile(handleOf(file), buf, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &got, nullptr))
        return got;
    const DWORD code = ::GetLastError();
    if (code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF)
        return 0; // the writing end of a pipe has closed: that is its end
    error = errorText(code);
    return -1;
}

bool IsFifo(FileHandle) {
    return false; // a Windows pipe reads as ended only once its writer has closed it
}

bool WaitForData(FileHandle, int) {
    return true; // reading waits by itself (a serial port for a second at most)
}

std::string SecondsText(int ms) {
    const int s = (ms + 999) / 1000;
    return std::to_string(s) + (s == 1 ? " second" : " seconds");
}

FileHandle OpenInPlace(const std::string& path, int, std::string& error) {
    return opened(::CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                  error);
}

FileHandle CreateUniqueFile(const std::string& stem, std::string& path, std::string& error) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = stem;
        for (int i = 0; i < 6; ++i)
            path += kLetters[pick(random)];
        const HANDLE h =
            ::CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return reinterpret_cast<FileHandle>(h);
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            error = errorText(code);
            return kNoFile;
        }
    }
    error = errorText(ERROR_FILE_EXISTS);
    return kNoFile;
}

bool WriteAll(FileHandle file, std::string_view bytes, std::string& error, int) {
    while (!bytes.empty()) {
        DWORD done = 0;
        if (!::WriteFile(handleOf(file), bytes.data(),
                         static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30)), &done, nullptr)) {
            error = lastError();
            return false;
        }
        bytes.remove_prefix(done);
    }
    return true;
}

bool TakeOverAttributes(FileHandle file, const std::string& target, bool replacing, std::string& error) {
    // The access rights and the owner come along with the replacement itself (ReplaceFileW); the
    // attributes are given here so that a hidden or system file stays one. The archive bit is set as
    // on every changed file; read-only never comes here (such a file is refused).
    const DWORD attrs = replacing ? attributesOf(target) : INVALID_FILE_ATTRIBUTES;
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return true;
    FILE_BASIC_INFO info{}; // times of 0 stay as they are
    info.FileAttributes =
        (attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)) |
        FILE_ATTRIBUTE_ARCHIVE;
    if (::SetFileInformationByHandle(handleOf(file), FileBasicInfo, &info, sizeof info))
        return true;
    error = lastError();
    return false;
}

bool FlushToDisk(FileHandle file, std::string& error) {
    if (::FlushFileBuffers(handleOf(file)))
        return true;
    error = lastError();
    return false;
}

bool Close(FileHandle file, std::string& error) {
    if (::CloseHandle(handleOf(file)))
        return true;
    error = lastError();
    return false;
}

bool MoveInPlaceOf(const std::string& from, const std::string& to, bool replacing, std::string& error) {
    const std::wstring wfrom = wide(from);
    const std::wstring wto = wide(to);
    constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!replacing) {
        if (::MoveFileExW(wfrom.c_str(), wto.c_str(), kMoveFlags))
            return true;
        error = lastError();
        return false;
    }
    // A file another program holds open without letting it be deleted cannot be replaced: said before
    // the replacement is tried (Wine's ReplaceFileW leaves a file of its own behind when it fails so).
    const HANDLE probe =
        ::CreateFileW(wto.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
        error = lastError();
        return false;
    }
    if (probe != INVALID_HANDLE_VALUE)
        ::CloseHandle(probe);
    // ReplaceFileW keeps the replaced file's identity: access rights, owner, creation time, streams.
    // Access rights it may not copy do not stop the save, as on POSIX an owner that cannot be given.
    if (::ReplaceFileW(wto.c_str(), wfrom.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return true;
    const DWORD code = ::GetLastError();
    // The old file is gone or renamed and the new one still has its temporary name: move it on.
    if ((code == ERROR_UNABLE_TO_MOVE_REPLACEMENT || code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
         code == ERROR_FILE_NOT_FOUND) &&
        ::MoveFileExW(wfrom.c_str(), wto.c_str(), kMoveFlags))
        return true;
    error = errorText(code);
    return false;
}

bool RemoveFile(const std::string& path) {
    return ::DeleteFileW(wide(path).c_str()) != 0;
}

std::vector<FolderEntry> RegularFilesIn(const std::string& folder, std::string_view prefix) {
    std::vector<FolderEntry> out;
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileExW(wide(InFolder(folder, std::string(prefix) + "*")).c_str(), FindExInfoBasic,
                                           &found, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return out;
    FILETIME nowTime{};
    ::GetSystemTimeAsFileTime(&nowTime);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<long long>(t.dwHighDateTime) << 32) | static_cast<long long>(t.dwLowDateTime);
    };
    constexpr DWORD kNotRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    do {
        const std::string name = narrow(found.cFileName);
        // The pattern also matches short 8.3 names; only the name itself counts.
        if (!(found.dwFileAttributes & kNotRegular) && name.starts_with(prefix))
            out.push_back({name, (ticks(nowTime) - ticks(found.ftLastWriteTime)) / 10'000'000});
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return out;
}

long CurrentProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

bool ProcessHasEnded(long pid) {
    if (pid <= 0)
        return true;
    const HANDLE process =
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return ::GetLastError() == ERROR_INVALID_PARAMETER; // no such process; another user's runs
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

} // namespace korvane::platform
