#pragma once
// Where the program finds its read-only files and where it keeps the user's.
// Decided once at start, before any window exists.

#include <functional>
#include <optional>
#include <string>

namespace ampora {

// The interface text table: read from the data folder, and beside the
// executable the mark of a portable copy.
inline constexpr const char* MenuFileName = "Menu.cds";

enum class FolderMode {
    // Everything beside the executable, which can be written: a build folder
    // or an unpacked copy carried around as it is.
    Portable,
    // The read-only files come from the install's data folder, the user's
    // curves from the per-user data folder of the desktop.
    Installed,
};

struct ProgramFolders {
    FolderMode mode = FolderMode::Portable;
    std::string program;  // the executable's folder
    std::string data;     // Menu.cds and the help files
    std::string user;     // Curves.cds, Ctmp.cds and kept-aside damaged curve files
    // Every folder ends with '/', so a file name can be appended.

    static ProgramFolders Portable(const std::string& folder);
};

// The install's data folder relative to its executable folder ("../share/ampora"
// for the usual layout), fixed when the program is built.
std::string InstalledDataRelativeToProgram();

// exeFolder: the executable's folder; userDataFolder: the desktop's per-user
// data folder for this program (may be empty when there is none); writable
// decides whether a folder can take the user's files.
// Portable when the executable's folder holds Menu.cds and can be written;
// otherwise installed, reading Menu.cds from the executable's folder if it is
// there (a read-only unpacked copy) or else from the install's data folder.
ProgramFolders ChooseProgramFolders(
    const std::string& exeFolder, const std::string& userDataFolder,
    const std::string& dataRelativeToProgram = InstalledDataRelativeToProgram(),
    const std::function<bool(const std::string&)>& writable = {});

// The folder of the running executable (symbolic links resolved), with '/'.
std::string ExecutableFolder();

// The desktop's per-user data folder of this program as Qt's AppDataLocation
// gives it on Linux, for the commands that run without Qt:
// $XDG_DATA_HOME/ampora, else $HOME/.local/share/ampora; an empty variable
// counts as unset, and without a home folder the root folder stands for it.
// Both may be null.
std::string UserDataFolder(const char* xdgDataHome, const char* home);

// `ampora` decides where the files are and starts the window program, which
// lives in a folder of its own (libexec when installed) and would decide
// differently: the decision travels in its environment.
void PassProgramFolders(const ProgramFolders& folders);
// The decision passed on, when every part of it is there and sound.
std::optional<ProgramFolders> PassedProgramFolders();

// Creates the user folder (and its parents) when it is missing. A folder that
// cannot be made does not stop the program: the write-back at the end says so.
bool PrepareUserFolder(const ProgramFolders& folders);

const char* FolderModeName(FolderMode mode);  // "portable", "installed"

}  // namespace ampora
