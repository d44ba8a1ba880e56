#include "store/ProgramFolders.h"

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

bool WritableFolder(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

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

bool PrepareUserFolder(const ProgramFolders& folders) {
    std::error_code ec;
    fs::create_directories(folders.user, ec);
    return fs::is_directory(folders.user, ec);
}

const char* FolderModeName(FolderMode mode) {
    return mode == FolderMode::Portable ? "portable" : "installed";
}

}  // namespace ampora
