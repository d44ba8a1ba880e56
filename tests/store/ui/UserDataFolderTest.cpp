// `ampora --version` names the user folder without Qt; the window program
// asks Qt. Both must name the same folder.

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "store/ProgramFolders.h"

namespace {

// Sets or removes an environment variable for its lifetime.
class Variable {
public:
    Variable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~Variable() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(UserDataFolder, IsTheFolderQtGives) {
    const struct {
        const char* name;
        const char* xdgDataHome;  // nullptr: unset
        const char* home;
    } rows[] = {
        {"Home", nullptr, "/home/user"},
        {"HomeWithSlash", nullptr, "/home/user/"},
        {"XdgDataHome", "/data/me", "/home/user"},
        {"EmptyXdgDataHome", "", "/home/user"},
        {"RelativeXdgDataHome", "data", "/home/user"},
        {"NoHome", nullptr, nullptr},
        {"EmptyHome", nullptr, ""},
        {"HomeIsRoot", nullptr, "/"},
    };
    const QString appName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("ampora"));
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const Variable xdg("XDG_DATA_HOME", r.xdgDataHome);
        const Variable home("HOME", r.home);
        const std::string qt =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
        // Compared as the program uses them: chosen as the user folder.
        const auto chosen = [](const std::string& user) {
            return ampora::ChooseProgramFolders("/nowhere/bin", user, "../share/ampora",
                                                [](const std::string&) { return false; })
                .user;
        };
        EXPECT_EQ(chosen(ampora::UserDataFolder(r.xdgDataHome, r.home)), chosen(qt));
    }
    QCoreApplication::setApplicationName(appName);
}

}  // namespace
