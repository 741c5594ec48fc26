#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace kelto {
namespace {

std::string DetectProgramFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    auto folder = exe.parent_path().string();
    return folder.empty() ? "/" : folder;
}

std::string& Folder() {
    static std::string folder = DetectProgramFolder();
    return folder;
}

WriteFault g_fault = WriteFault::None;

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n <= 0) return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

const std::string& ProgramFolder() {
    return Folder();
}

void SetProgramFolder(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    Folder() = std::move(folder);
}

std::string DataPath(std::string_view name) {
    return ProgramFolder() + (ProgramFolder() == "/" ? "" : "/") + "Data/" + std::string(name);
}

std::string ShownPath(const std::string& path) {
    const std::string prefix = ProgramFolder() + "/";
    if (path.rfind(prefix, 0) == 0) return path.substr(prefix.size());
    return path;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> ReadFile(const std::string& path, size_t limit) {
    struct stat st;
    // A file known to be over the limit is refused before a byte of it is read.
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<uint64_t>(st.st_size) > limit)
        return std::nullopt;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string data;
    data.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        data.append(buf, n);
        if (data.size() > limit) {
            std::fclose(f);
            return std::nullopt;
        }
    }
    bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) return std::nullopt;
    return data;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

bool WriteFileReplacing(const std::string& path, std::string_view content) {
    const std::string temp = path + ".new";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool ok;
    if (g_fault == WriteFault::AfterPartialWrite) {
        WriteAll(fd, content.substr(0, content.size() / 2));
        ok = false;
    } else {
        ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    }
    ok = (::close(fd) == 0) && ok;
    if (ok && g_fault == WriteFault::AtRename) ok = false;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

void InjectWriteFault(WriteFault fault) {
    g_fault = fault;
}

}  // namespace kelto
