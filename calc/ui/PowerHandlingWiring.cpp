#include "calc/ui/PowerHandlingWiring.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "app/ui/MainWindow.h"
#include "calc/ui/PowerHandlingWindow.h"
#include "calc/ui/PowerRatingsHolder.h"
#include "i18n/ui/LangText.h"

namespace ampora::ui {

namespace {

PowerRatingsHolder* Holder(const TF_Main& main) {
    return main.findChild<PowerRatingsHolder*>(QStringLiteral("PowerRatingsHolder"),
                                               Qt::FindDirectChildrenOnly);
}

// Keeps the last calculation so that the window shows it when opened.
class PowerHandlingFollower : public QObject {
public:
    PowerHandlingFollower(TF_Main* main, PowerRatingsHolder* holder)
        : QObject(main), main_(main), holder_(holder) {
        setObjectName(QStringLiteral("PowerHandlingFollower"));
    }
    void recalculated(const Design& d, const Evaluation& ev, const QString& stop) {
        design_ = d;
        ev_ = ev;
        stop_ = stop;
        have_ = true;
        if (window_) window_->recalculated(design_, ev_, stop_);
    }
    void open() {
        if (!window_) {
            window_ = new PowerHandlingWindow(main_);
            window_->setLanguage(std::clamp(main_->LangIndex, 0, 2));
            window_->setRatings(holder_->ratings());
            if (have_) window_->recalculated(design_, ev_, stop_);
            QObject::connect(window_, &PowerHandlingWindow::ratingsEdited, holder_,
                             [holder = holder_](const PowerRatings& r) { holder->setRatings(r); });
        }
        window_->show();
        window_->raise();
        window_->activateWindow();
    }
    // An opened design brings its own ratings into the boxes; the window's
    // own edits are already there.
    void ratingsChanged() {
        if (window_ && window_->ratings() != holder_->ratings()) window_->setRatings(holder_->ratings());
    }
    PowerHandlingWindow* window() const { return window_; }

private:
    TF_Main* main_;
    PowerRatingsHolder* holder_;
    PowerHandlingWindow* window_ = nullptr;
    Design design_;
    Evaluation ev_;
    QString stop_;
    bool have_ = false;
};

}  // namespace

void InstallPowerHandling(TF_Main& main) {
    auto* holder = new PowerRatingsHolder(&main, main.UserFolder);
    auto* follower = new PowerHandlingFollower(&main, holder);
    QMenu* service = main.MenuItems.value(QStringLiteral("MenuService"))->menu();
    QAction* item = service->addAction(QString());
    item->setObjectName(QStringLiteral("CmdPowerHandling"));
    QObject::connect(item, &QAction::triggered, follower, [follower] { follower->open(); });
    QObject::connect(&main, &TF_Main::recalculated, follower,
                     [follower](const Design& d, const Evaluation& ev, const QString& stop) {
                         follower->recalculated(d, ev, stop);
                     });
    QObject::connect(holder, &PowerRatingsHolder::changed, follower,
                     [follower] { follower->ratingsChanged(); });
    const auto retranslate = [&main, item, follower] {
        const int language = std::clamp(main.LangIndex, 0, 2);
        item->setText(LangText(CaptionPowerHandling, language));
        if (follower->window()) follower->window()->setLanguage(language);
    };
    retranslate();
    QObject::connect(&main, &TF_Main::languageChanged, follower, retranslate);
}

PowerHandlingWindow* FindPowerHandling(const TF_Main& main) {
    auto* follower = static_cast<PowerHandlingFollower*>(main.findChild<QObject*>(
        QStringLiteral("PowerHandlingFollower"), Qt::FindDirectChildrenOnly));
    return follower ? follower->window() : nullptr;
}

PowerRatings PowerRatingsOf(const TF_Main& main) {
    const PowerRatingsHolder* holder = Holder(main);
    return holder ? holder->ratings() : PowerRatings{};
}

void SetPowerRatingsOf(TF_Main& main, const PowerRatings& ratings) {
    if (PowerRatingsHolder* holder = Holder(main)) holder->setRatings(ratings);
}

}  // namespace ampora::ui
