#include "calc/ui/PowerHandlingWiring.h"

#include <QAction>
#include <QMenu>

#include "calc/ui/PowerHandlingWindow.h"
#include "calc/ui/PowerRatingsHolder.h"
#include "i18n/Messages.h"
#include "kit/PictureExport.h"
#include "session/Session.h"

namespace ampora::ui {

namespace {

// Opens the window and keeps it on the calculations; one opened later starts
// from the session's last.
class PowerHandlingFollower : public QObject {
public:
    PowerHandlingFollower(Session& session, QWidget* main)
        : QObject(main), session_(session), main_(main) {
        setObjectName(QStringLiteral("PowerHandlingFollower"));
    }
    void recalculated(const Design& d, const Evaluation& ev, const QString& stop) {
        if (window_) window_->recalculated(d, ev, stop);
    }
    void open() {
        if (!window_) {
            window_ = new PowerHandlingWindow(main_);
            window_->setLanguage(TextIndex(session_.language()));
            window_->setRatings(session_.powerRatings());
            if (const auto& last = session_.lastCalculation())
                window_->recalculated(last->design, last->ev, last->stopMessage);
            QObject::connect(window_, &PowerHandlingWindow::ratingsEdited, &session_,
                             [s = &session_](const PowerRatings& r) { s->setPowerRatings(r); });
            installPictureCommands();
        }
        window_->show();
        window_->raise();
        window_->activateWindow();
    }
    // An opened design brings its own ratings into the boxes; the window's
    // own edits are already there.
    void ratingsChanged(const PowerRatings& ratings) {
        if (window_ && window_->ratings() != ratings) window_->setRatings(ratings);
    }
    void retranslate() {
        if (window_) window_->setLanguage(TextIndex(session_.language()));
        if (savePicture_) savePicture_->setText(session_.text(CaptionSavePicture));
        if (copyPicture_) copyPicture_->setText(session_.text(CaptionCopy));
    }
    PowerHandlingWindow* window() const { return window_; }

private:
    // "Save as picture…" and "Copy" in the curve's context menu.
    void installPictureCommands() {
        LimitPlot* plot = window_->plot();
        const PictureActions picture =
            AddPictureActions(plot, QStringLiteral("Limit"), [plot] { return plot->picture(); });
        savePicture_ = picture.save;
        copyPicture_ = picture.copy;
        QObject::connect(savePicture_, &QAction::triggered, plot, [this, plot] {
            const Session& s = session_;
            const PictureTexts texts{s.text(CaptionSavePicture), s.text(FilterPictureFiles),
                                     s.text(MsgFileWriteFailed), TextIndex(s.language())};
            SavePictureAs(window_, plot->picture(), s.text(NameLimitPicture),
                          {s.designPath(), s.userFolder()}, texts);
        });
        retranslate();
    }

    Session& session_;
    QWidget* main_;
    QAction* savePicture_ = nullptr;
    QAction* copyPicture_ = nullptr;
    PowerHandlingWindow* window_ = nullptr;
};

}  // namespace

void InstallPowerHandling(Session& session, QWidget* main, QMenu* service) {
    auto* holder = new PowerRatingsHolder(main, session.userFolder());
    session.setPowerRatings(holder->ratings());
    auto* follower = new PowerHandlingFollower(session, main);
    QAction* item = service->addAction(QString());
    item->setObjectName(QStringLiteral("CmdPowerHandling"));
    QObject::connect(item, &QAction::triggered, follower, [follower] { follower->open(); });
    QObject::connect(&session, &Session::recalculated, follower,
                     [follower](const Design& d, const Evaluation& ev, const QString& stop) {
                         follower->recalculated(d, ev, stop);
                     });
    QObject::connect(&session, &Session::powerRatingsChanged, follower,
                     [follower, holder](const PowerRatings& r) {
                         holder->setRatings(r);
                         follower->ratingsChanged(r);
                     });
    const auto retranslate = [&session, item, follower] {
        item->setText(session.text(CaptionPowerHandling));
        follower->retranslate();
    };
    retranslate();
    QObject::connect(&session, &Session::languageChanged, follower, retranslate);
}

PowerHandlingWindow* FindPowerHandling(const QWidget& main) {
    auto* follower = static_cast<PowerHandlingFollower*>(main.findChild<QObject*>(
        QStringLiteral("PowerHandlingFollower"), Qt::FindDirectChildrenOnly));
    return follower ? follower->window() : nullptr;
}

}  // namespace ampora::ui
