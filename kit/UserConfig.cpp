#include "kit/UserConfig.h"

#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ampora::ui {

std::unique_ptr<QSettings> OpenUserConfig(const QString& userFolder) {
    return std::make_unique<QSettings>(userFolder + QLatin1String(UserConfigFileName),
                                       QSettings::IniFormat);
}

// --- recent design files and the sizes of the non-modal windows

namespace {

constexpr const char* RecentKey = "recentFiles";
constexpr const char* SizesGroup = "windowSizes";

// Sees the window's size change and writes it when the window goes out of
// sight, or at the latest when it is destroyed with the program.
class WindowSizeKeeper final : public QObject {
public:
    WindowSizeKeeper(QWidget* window, const QString& userFolder, const QString& key)
        : QObject(window), window_(window), userFolder_(userFolder), key_(key) {
        setObjectName(QStringLiteral("WindowSizeKeeper"));
        window->installEventFilter(this);
    }
    ~WindowSizeKeeper() override { write(); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) return false;
        switch (event->type()) {
            case QEvent::Show:
                if (!restored_) restore();
                break;
            case QEvent::Resize:
                if (restored_) size_ = window_->size();
                break;
            case QEvent::Hide:
                if (restored_) size_ = window_->size();
                write();
                break;
            default: break;
        }
        return false;
    }

private:
    void restore() {
        restored_ = true;
        const std::unique_ptr<QSettings> config = OpenUserConfig(userFolder_);
        written_ = config->value(QLatin1String(SizesGroup) + QLatin1Char('/') + key_).toSize();
        QSize size = written_;
        // A size from a bigger screen, or a broken value, would put the
        // window's edges out of reach.
        const QScreen* screen = window_->screen();
        const QSize room = screen ? screen->availableSize() : QSize(1024, 768);
        if (size.isValid() && size.width() <= room.width() && size.height() <= room.height())
            window_->resize(size.expandedTo(window_->minimumSize()));
        size_ = window_->size();
    }
    void write() {
        if (!restored_ || size_ == written_) return;
        const std::unique_ptr<QSettings> config = OpenUserConfig(userFolder_);
        config->setValue(QLatin1String(SizesGroup) + QLatin1Char('/') + key_, size_);
        config->sync();
        written_ = size_;
    }

    QWidget* window_;
    QString userFolder_, key_;
    bool restored_ = false;
    QSize size_, written_;
};

}  // namespace

QStringList RecentFilesWith(QStringList recent, const QString& path) {
    const QString file = QFileInfo(path).absoluteFilePath();
    recent.removeIf(
        [&](const QString& entry) { return entry == file || QFileInfo(entry) == QFileInfo(file); });
    recent.prepend(file);
    while (recent.size() > RecentFilesKept) recent.removeLast();
    return recent;
}

QStringList ReadRecentFiles(QSettings& config) {
    const QStringList stored = config.value(QLatin1String(RecentKey)).toStringList();
    QStringList recent;
    for (const QString& path : stored)
        if (!path.isEmpty() && QFileInfo(path).isFile() && recent.size() < RecentFilesKept)
            recent << path;
    if (recent != stored) WriteRecentFiles(config, recent);
    return recent;
}

void WriteRecentFiles(QSettings& config, const QStringList& recent) {
    if (recent.isEmpty())
        config.remove(QLatin1String(RecentKey));
    else
        config.setValue(QLatin1String(RecentKey), recent);
    config.sync();
}

void KeepWindowSize(QWidget* window, const QString& userFolder, const QString& key) {
    if (window->findChild<QObject*>(QStringLiteral("WindowSizeKeeper"), Qt::FindDirectChildrenOnly))
        return;
    new WindowSizeKeeper(window, userFolder, key);  // owned by the window
}

// --- the folder the last export went to

namespace {
const QString ExportFolderKey = QStringLiteral("export/lastFolder");
}

QString LastExportFolder(const QString& userFolder) {
    const QString folder = OpenUserConfig(userFolder)->value(ExportFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void KeepLastExportFolder(const QString& userFolder, const QString& folder) {
    auto config = OpenUserConfig(userFolder);
    if (config->value(ExportFolderKey).toString() != folder)
        config->setValue(ExportFolderKey, folder);
}

}  // namespace ampora::ui
