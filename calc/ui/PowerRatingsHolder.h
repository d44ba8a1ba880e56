#pragma once
// The power ratings of the design on screen, owned by the main window. They
// belong to the design (Save design writes them, Open design brings them), and
// between runs they stay in the per-user configuration file, so that the
// ratings of the drivers on the bench survive a restart without a design file.

#include <QObject>
#include <QString>

#include "calc/PowerRatings.h"

class QSettings;

namespace ampora::ui {

class PowerRatingsHolder : public QObject {
    Q_OBJECT
public:
    // Reads the ratings kept in userFolder's configuration file.
    PowerRatingsHolder(QObject* parent, const QString& userFolder);

    const PowerRatings& ratings() const { return ratings_; }
    // Keeps them (and writes them to the configuration file) when they differ.
    void setRatings(const PowerRatings& ratings);

signals:
    void changed();

private:
    QString userFolder_;
    PowerRatings ratings_;
};

// The ratings in a configuration file's "powerHandling" group; a value that
// is missing or out of the design file's range counts as not given.
PowerRatings ReadRatings(QSettings& config);
void WriteRatings(QSettings& config, const PowerRatings& ratings);

}  // namespace ampora::ui
