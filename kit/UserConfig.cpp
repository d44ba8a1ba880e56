#include "kit/UserConfig.h"

namespace ampora::ui {

std::unique_ptr<QSettings> OpenUserConfig(const QString& userFolder) {
    return std::make_unique<QSettings>(userFolder + QLatin1String(UserConfigFileName),
                                       QSettings::IniFormat);
}

}  // namespace ampora::ui
