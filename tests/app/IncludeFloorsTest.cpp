// The program is built in floors, and an include may only run down: a
// change to a window can then never break the calculation, and a panel
// never reaches into another. This reads the includes of every source file
// of the program and names each one that runs up or sideways.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Lowest first.
enum class Floor { Core, Kit, Session, Panels, App };
const char* const FloorNames[] = {"core", "window kit", "session", "panels", "app"};

// Where a file lives decides its floor; the first row whose prefix the path
// starts with wins ("*/ui/" is the ui/ folder of any subsystem).
struct Place {
    std::string_view prefix;
    Floor floor;
};
const Place Floors[] = {
    {"app/", Floor::App},     {"kit/", Floor::Kit}, {"session/", Floor::Session},
    {"*/ui/", Floor::Panels}, {"", Floor::Core},
};
// The folders of the program itself (tests, benchmarks, tools and fuzz
// targets stand outside and may use any floor).
const char* const ProgramFolders[] = {"app", "calc",   "cli", "curves",  "i18n",
                                      "iec", "inputs", "kit", "session", "store"};

Floor FloorOf(const std::string& path) {
    for (const Place& p : Floors) {
        if (p.prefix.substr(0, 2) == "*/") {
            const size_t slash = path.find('/');
            if (slash != std::string::npos &&
                path.compare(slash, p.prefix.size() - 1, p.prefix.substr(1)) == 0)
                return p.floor;
        } else if (path.compare(0, p.prefix.size(), p.prefix) == 0) {
            return p.floor;
        }
    }
    return Floor::Core;
}

std::string SubsystemOf(const std::string& path) { return path.substr(0, path.find('/')); }

struct Include {
    std::string file, target;  // both relative to the source folder
    int line;
    bool project;  // "..." naming a file of the tree, not <...>
};

std::vector<Include> ProgramIncludes(const fs::path& root, int& files) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> out;
    for (const char* folder : ProgramFolders) {
        if (!fs::is_directory(root / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
            ++files;
            std::ifstream in(entry.path());
            const std::string file = fs::relative(entry.path(), root).generic_string();
            std::string text;
            for (int no = 1; std::getline(in, text); ++no) {
                std::smatch m;
                if (std::regex_search(text, m, include))
                    out.push_back({file, m[2], no, m[1] == "\"" && fs::exists(root / m[2].str())});
            }
        }
    }
    return out;
}

TEST(IncludeFloorsTest, EveryIncludeRunsDownAndNoPanelReachesIntoAnother) {
    const fs::path root(AMPORA_SOURCE_DIR);
    int files = 0;
    const std::vector<Include> includes = ProgramIncludes(root, files);
    ASSERT_GT(files, 80) << "the program's sources were not found under " << root;
    int checked = 0;
    for (const Include& i : includes) {
        const Floor from = FloorOf(i.file);
        const std::string where = i.file + ":" + std::to_string(i.line) + " includes " + i.target;
        if (!i.project) {
            // The ground floor knows no Qt.
            EXPECT_FALSE(from == Floor::Core && i.target.rfind('Q', 0) == 0) << where;
            continue;
        }
        ++checked;
        const Floor to = FloorOf(i.target);
        EXPECT_LE(int(to), int(from))
            << where << ": " << FloorNames[int(from)] << " below " << FloorNames[int(to)];
        if (from == Floor::Panels && to == Floor::Panels) {
            EXPECT_EQ(SubsystemOf(i.file), SubsystemOf(i.target))
                << where << ": a panel of another subsystem";
        }
    }
    EXPECT_GT(checked, 150);
}

}  // namespace
