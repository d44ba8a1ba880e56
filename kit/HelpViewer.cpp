#include "kit/HelpViewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>

#include "kit/UserDialogs.h"

namespace ampora::ui {

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Ampora"));
    resize(880, 600);
    auto* layout = new QHBoxLayout(this);
    contents_ = new QListWidget(this);
    contents_->setObjectName(QStringLiteral("HelpContents"));
    // Section titles wrap instead of scrolling sideways.
    contents_->setFixedWidth(260);
    contents_->setWordWrap(true);
    contents_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("HelpText"));
    text_->setOpenExternalLinks(false);
    layout->addWidget(contents_);
    layout->addWidget(text_, 1);
    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) text_->scrollToAnchor(contents_->item(row)->data(Qt::UserRole).toString());
    });
}

bool HelpViewer::open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.isEmpty()) return false;
    const QString html = QString::fromUtf8(bytes);
    text_->setHtml(html);
    contents_->clear();
    // Sections are the second-level headings that carry an id.
    static const QRegularExpression heading(
        QStringLiteral("<h2[^>]*id=\"([^\"]+)\"[^>]*>(.*?)</h2>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        auto* item = new QListWidgetItem(m.captured(2).remove(tags).trimmed(), contents_);
        item->setData(Qt::UserRole, m.captured(1));
    }
    const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                   QRegularExpression::CaseInsensitiveOption);
    const auto t = title.match(html);
    setWindowTitle(t.hasMatch() ? t.captured(1) : QStringLiteral("Ampora"));
    text_->moveCursor(QTextCursor::Start);
    return true;
}

bool ShowHelp(QWidget* parent, const QString& path) { return Dialogs().help(parent, path); }

}  // namespace ampora::ui
