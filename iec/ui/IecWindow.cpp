#include "iec/ui/IecWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>

#include "iec/IecPower.h"
#include "inputs/Numbers.h"
#include "kit/Controls.h"
#include "session/Session.h"
#include "session/WindowTexts.h"
#include "store/Settings.h"

namespace ampora::ui {

namespace {
QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromUtf8(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}
QLineEdit* MakeEdit(QWidget* parent, const char* name, int y, const QString& text, bool readOnly) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setGeometry(40, y, 89, 21);
    e->setReadOnly(readOnly);
    if (readOnly) e->setFocusPolicy(Qt::NoFocus);  // not a tab stop
    return e;
}
}  // namespace

TF_IecGost::TF_IecGost(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("F_IecGost"));
    setWindowTitle(QStringLiteral("ReCalc Power"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(567, 284);

    tool_ = new QGroupBox(
        QString::fromUtf8(
            " Расчёт реально допустимой мощности ВЧ головки по паспортным данным ( IEC ) "),
        this);
    tool_->setObjectName(QStringLiteral("GroupBox3"));
    tool_->setGeometry(16, 24, 537, 201);
    MakeLabel(tool_, "Label1", 12, 57, "Максимальная мощность, Вт");
    MakeLabel(tool_, "Label3", 12, 104, "При условиях:");
    MakeLabel(tool_, "Label4", 44, 129, "частота среза ФВЧ, Гц");
    MakeLabel(tool_, "Label5", 44, 150, "порядок ФВЧ");
    auto* rated = new QGroupBox(QString::fromUtf8(" Паспортные данные по IEC "), tool_);
    rated->setObjectName(QStringLiteral("GroupBox1"));
    rated->setGeometry(177, 24, 169, 161);
    auto* real = new QGroupBox(QString::fromUtf8(" Реально допустимо "), tool_);
    real->setObjectName(QStringLiteral("GroupBox2"));
    real->setGeometry(354, 24, 169, 161);
    // Until the stored inputs come: what a first start stores.
    const SettingsValues fresh;
    power_ = MakeEdit(rated, "Edit1", 27, QString::number(fresh.iecPower), false);
    cut_ = MakeEdit(rated, "Edit3", 99, QString::number(fresh.iecCutFreq), false);
    MakeEdit(rated, "Edit4", 120, QStringLiteral("2"),
             true);  // the data sheet's filter: second order
    result_ = MakeEdit(real, "Edit5", 27, QString(), true);
    realCut_ = MakeEdit(real, "Edit7", 99, QString::number(fresh.realCutFreq), false);
    realCut_->hide();
    realOrder_ = new QComboBox(real);
    realOrder_->setObjectName(QStringLiteral("ComboBox1"));
    realOrder_->addItems({"1", "2", "3", "4"});
    realOrder_->setGeometry(40, 120, 89, 21);
    realOrder_->setCurrentIndex(-1);
    realOrder_->hide();
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setGeometry(0, 265, 567, 19);
    status->setSizeGripEnabled(false);

    for (QLineEdit* e : {power_, cut_, realCut_}) {
        OnEvent(e, QEvent::FocusOut, [this](QEvent*) {
            CalcPower();  // Edit1Exit, Edit3Exit, Edit7Exit
            return false;
        });
    }
    for (QWidget* w : {static_cast<QWidget*>(power_), static_cast<QWidget*>(cut_),
                       static_cast<QWidget*>(realCut_), static_cast<QWidget*>(realOrder_)}) {
        OnEvent(w, QEvent::KeyRelease, [this](QEvent* e) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) CalcPower();  // Edit1KeyUp
            return false;
        });
    }
    connect(realOrder_, &QComboBox::activated, this, [this] { ComboBox1Exit(); });
    OnEvent(realOrder_, QEvent::FocusOut, [this](QEvent*) {
        ComboBox1Exit();
        return false;
    });

    if (session_.languageChosen()) retranslate();
    connect(&session_, &Session::languageChanged, this, [this] { retranslate(); });
}

void TF_IecGost::retranslate() {
    ApplyTexts(session_.textTable(), session_.language(), TextWindow::Iec, this);
}

TF_IecGost::~TF_IecGost() {
    // Deleting a box that holds the focus moves the focus out of it, which
    // would run the leave handler over boxes already gone. The boxes go here,
    // while the window is still whole, with the handlers switched off.
    destroying_ = true;
    delete tool_;
    tool_ = nullptr;
    power_ = cut_ = result_ = realCut_ = nullptr;
    realOrder_ = nullptr;
}

void TF_IecGost::takeSettings(const SettingsValues& s) {
    power_->setText(QString::number(s.iecPower));
    cut_->setText(QString::number(s.iecCutFreq));
    realCut_->setText(QString::number(s.realCutFreq));
    realOrder_->setCurrentIndex(s.realOrderIdx >= 0 && s.realOrderIdx < 4 ? s.realOrderIdx : -1);
    realOrderIdx_ = s.realOrderIdx;
}

void TF_IecGost::storeSettings(SettingsValues& stored) const {
    const SettingsValues defaults;
    stored.iecPower = ParseInt(S(power_->text())).value_or(defaults.iecPower);
    stored.iecCutFreq = ParseInt(S(cut_->text())).value_or(defaults.iecCutFreq);
    stored.realCutFreq = ParseInt(S(realCut_->text())).value_or(defaults.realCutFreq);
    // The list without a selection counts as its default, second order, as
    // the calculation itself would choose.
    const int i = realOrder_->currentIndex();
    stored.realOrderIdx = i >= 0 ? i : 1;
}

void TF_IecGost::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        const QSize outer = frameGeometry().size();
        move(g.x() + (g.width() - outer.width()) / 2, g.y() + (g.height() - outer.height()) / 2);
    }
    CalcPower();  // FormShow
}

void TF_IecGost::ComboBox1Exit() {
    if (destroying_) return;
    if (realOrder_->currentIndex() < 0) realOrder_->setCurrentIndex(1);
    CalcPower();
}

void TF_IecGost::CalcPower() {
    // Moving the focus below must not start it again.
    if (calculating_ || destroying_) return;
    calculating_ = true;
    result_->clear();
    const auto power = ParseInt(S(power_->text()));
    if (!power) {
        power_->setFocus();
        calculating_ = false;
        return;
    }
    auto cut = ParseInt(S(cut_->text()));
    if (!cut) {
        cut_->setFocus();
        calculating_ = false;
        return;
    }
    if (*cut < IecMinCutHz) {
        cut = IecMinCutHz;
        cut_->setText(QString::number(IecMinCutHz));
    }
    if (realOrder_->currentIndex() < 0) realOrder_->setCurrentIndex(1);
    realOrderIdx_ = realOrder_->currentIndex();
    realCut_->setText(cut_->text());
    const IecResult r = CalcIecPower(*power, *cut, realOrderIdx_);
    result_->setText(Q(FormatGeneral(r.power, DecimalSeparator())));
    calculating_ = false;
}

}  // namespace ampora::ui
