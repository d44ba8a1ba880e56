#include "store/ProgramFolders.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#ifndef AMPORA_DATA_FROM_BIN
#define AMPORA_DATA_FROM_BIN "../share/ampora"
#endif

namespace fs = std::filesystem;

namespace ampora {
namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// "/usr/bin/../share/ampora" is shown to the user in --version: keep it plain.
std::string Normal(const std::string& folder) {
    std::string n = fs::path(folder).lexically_normal().string();
    return WithSlash(n);
}

bool WritableFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool HoldsTextTable(const std::string& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder + MenuFileName, ec);
}

}  // namespace

ProgramFolders ProgramFolders::Portable(const std::string& folder) {
    const std::string f = WithSlash(folder);
    return {FolderMode::Portable, f, f, f};
}

std::string InstalledDataRelativeToProgram() { return AMPORA_DATA_FROM_BIN; }

ProgramFolders ChooseProgramFolders(const std::string& exeFolder, const std::string& userDataFolder,
                                    const std::string& dataRelativeToProgram,
                                    const std::function<bool(const std::string&)>& writable) {
    const std::string program = WithSlash(exeFolder);
    const bool besideProgram = HoldsTextTable(program);
    const bool canWrite = writable ? writable(program) : WritableFolder(program);
    if (besideProgram && canWrite) return ProgramFolders::Portable(program);

    ProgramFolders f;
    f.mode = FolderMode::Installed;
    f.program = program;
    f.data = besideProgram ? program : Normal(program + dataRelativeToProgram);
    // Without a per-user folder there is nowhere better than the program's
    // own; writing there fails visibly at the end instead of somewhere random.
    f.user = userDataFolder.empty() ? program : Normal(userDataFolder);
    return f;
}

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("./") : WithSlash(exe.parent_path().string());
}

std::string UserDataFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && *xdgDataHome) return std::string(xdgDataHome) + "/ampora";
    return std::string(home && *home ? home : "/") + "/.local/share/ampora";
}

namespace {

// Mode, program, data and user folder, in this order.
constexpr std::array<const char*, 4> PassedNames = {"AMPORA_FOLDER_MODE", "AMPORA_PROGRAM_FOLDER",
                                                    "AMPORA_DATA_FOLDER", "AMPORA_USER_FOLDER"};

}  // namespace

void PassProgramFolders(const ProgramFolders& folders) {
    const std::array<std::string, 4> values = {FolderModeName(folders.mode), folders.program,
                                               folders.data, folders.user};
    for (size_t i = 0; i < PassedNames.size(); ++i) ::setenv(PassedNames[i], values[i].c_str(), 1);
}

std::optional<ProgramFolders> PassedProgramFolders() {
    std::array<std::string, 4> values;
    for (size_t i = 0; i < PassedNames.size(); ++i) {
        const char* v = std::getenv(PassedNames[i]);
        if (!v) return std::nullopt;
        values[i] = v;
    }
    ProgramFolders f;
    if (values[0] == FolderModeName(FolderMode::Portable))
        f.mode = FolderMode::Portable;
    else if (values[0] == FolderModeName(FolderMode::Installed))
        f.mode = FolderMode::Installed;
    else
        return std::nullopt;
    for (size_t i = 1; i < values.size(); ++i)
        if (values[i].empty() || values[i].front() != '/' || values[i].back() != '/')
            return std::nullopt;
    f.program = values[1];
    f.data = values[2];
    f.user = values[3];
    return f;
}

bool PrepareUserFolder(const ProgramFolders& folders) {
    std::error_code ec;
    fs::create_directories(folders.user, ec);
    return fs::is_directory(folders.user, ec);
}

const char* FolderModeName(FolderMode mode) {
    return mode == FolderMode::Portable ? "portable" : "installed";
}

}  // namespace ampora
