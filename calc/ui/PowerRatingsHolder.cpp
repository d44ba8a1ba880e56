#include "calc/ui/PowerRatingsHolder.h"

#include <QSettings>

#include "kit/UserConfig.h"

namespace ampora::ui {

namespace {

constexpr const char* Group = "powerHandling";
constexpr const char* DriverKeys[] = {"bass", "midrange", "tweeter"};
constexpr int TweeterKey = 2;

std::optional<double> Real(const QSettings& c, const QString& key, double low, double high) {
    bool ok = false;
    const double v = c.value(key).toDouble(&ok);
    if (!ok || !(v >= low && v <= high)) return std::nullopt;
    return v;
}

}  // namespace

PowerRatings ReadRatings(QSettings& c) {
    PowerRatings r;
    c.beginGroup(QLatin1String(Group));
    for (int k = 0; k < 3; ++k) {
        const QString prefix = QLatin1String(DriverKeys[k]) + QLatin1Char('/');
        const std::optional<double> watts = Real(c, prefix + "ratedW", 0, MaxRatedW);
        if (!watts || *watts <= 0) continue;
        DriverRating d{*watts, {}};
        if (k == TweeterKey && c.contains(prefix + "iecCutHz")) {
            bool ok = false;
            const int cut = c.value(prefix + "iecCutHz").toInt(&ok);
            if (!ok || cut < 1 || cut > MaxIecCutHz) continue;
            d.iecCutHz = cut;
        }
        r.drivers[size_t(k)] = d;
    }
    r.crestFactorDb = Real(c, QStringLiteral("crestFactorDb"), 0, MaxCrestFactorDb)
                          .value_or(DefaultCrestFactorDb);
    r.targetSplDb = Real(c, QStringLiteral("targetSplDb"), 0, MaxTargetSplDb);
    c.endGroup();
    return r;
}

void WriteRatings(QSettings& c, const PowerRatings& r) {
    c.beginGroup(QLatin1String(Group));
    c.remove(QString());  // the whole group: what is not given now goes
    for (int k = 0; k < 3; ++k) {
        const std::optional<DriverRating>& d = r.drivers[size_t(k)];
        if (!d) continue;
        const QString prefix = QLatin1String(DriverKeys[k]) + QLatin1Char('/');
        c.setValue(prefix + "ratedW", d->ratedW);
        if (d->iecCutHz) c.setValue(prefix + "iecCutHz", *d->iecCutHz);
    }
    c.setValue(QStringLiteral("crestFactorDb"), r.crestFactorDb);
    if (r.targetSplDb) c.setValue(QStringLiteral("targetSplDb"), *r.targetSplDb);
    c.endGroup();
}

PowerRatingsHolder::PowerRatingsHolder(QObject* parent, const QString& userFolder)
    : QObject(parent), userFolder_(userFolder) {
    setObjectName(QStringLiteral("PowerRatingsHolder"));
    ratings_ = ReadRatings(*OpenUserConfig(userFolder_));
}

void PowerRatingsHolder::setRatings(const PowerRatings& ratings) {
    if (ratings == ratings_) return;
    ratings_ = ratings;
    // Kept for the next run; a configuration file that cannot be written
    // costs only that memory, never the design on screen.
    const std::unique_ptr<QSettings> config = OpenUserConfig(userFolder_);
    WriteRatings(*config, ratings_);
    config->sync();
    emit changed();
}

}  // namespace ampora::ui
