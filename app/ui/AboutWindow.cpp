#include "app/ui/AboutWindow.h"

#include <QLabel>
#include <QShowEvent>
#include <cmath>

#include "kit/Widgets.h"
#include "session/Session.h"
#include "session/WindowTexts.h"

namespace ampora::ui {

TF_About::TF_About(Session& session, QWidget* main) : QDialog(main), session_(session) {
    setObjectName(QStringLiteral("F_About"));
    setWindowTitle(QString::fromUtf8(" О программе"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(405, 194);

    auto* name = new QLabel(QStringLiteral("Ampora"), this);
    name->setObjectName(QStringLiteral("LabelName"));
    QFont big = name->font();
    big.setBold(true);
    big.setPixelSize(16);
    name->setFont(big);
    name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    name->setGeometry(80, 40, 100, 20);

    QFont mid = font();
    mid.setPixelSize(13);
    auto* version = new QLabel(QStringLiteral("Version 1.0"), this);
    version->setObjectName(QStringLiteral("LabelVersion"));
    version->setFont(mid);
    version->move(33, 80);
    version->adjustSize();
    auto* third = new QLabel(QStringLiteral("Power load of loudspeaker drivers"), this);
    third->setObjectName(QStringLiteral("LabelPurpose"));
    third->move(60, 104);
    third->adjustSize();

    auto* picture = new PictureBox(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(216, 12, 169, 137);
    picture->setPicture(SpeakerPicture());

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(6, 160, 396, 33);
    auto* line =
        new QLabel(QStringLiteral("For designers of two- and three-way loudspeakers"), panel);
    line->setObjectName(QStringLiteral("LabelPanel"));
    line->setFont(mid);
    line->move(8, 8);
    line->adjustSize();

    if (session_.languageChosen()) retranslate();
    connect(&session_, &Session::languageChanged, this, [this] { retranslate(); });
}

void TF_About::retranslate() {
    ApplyTexts(session_.textTable(), session_.language(), TextWindow::About, this);
}

QPoint TF_About::CentredOver(const QRect& mainFrame, const QSize& aboutFrame) {
    const int left =
        int(std::nearbyint((mainFrame.width() - aboutFrame.width()) / 2.0)) + mainFrame.left();
    const int top =
        int(std::nearbyint((mainFrame.height() - aboutFrame.height()) / 2.0)) + mainFrame.top();
    return {left, top};
}

void TF_About::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    move(CentredOver(parentWidget()->frameGeometry(), frameGeometry().size()));
}

}  // namespace ampora::ui
