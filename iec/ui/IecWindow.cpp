#include "iec/ui/IecWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>

#include "kit/Controls.h"
#include "iec/IecPower.h"
#include "inputs/Numbers.h"

namespace ampora::ui {

namespace {
QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromUtf8(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}
QLineEdit* MakeEdit(QWidget* parent, const char* name, int y, const char* text, bool readOnly) {
    auto* e = new QLineEdit(QString::fromUtf8(text), parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setGeometry(40, y, 89, 21);
    e->setReadOnly(readOnly);
    if (readOnly) e->setFocusPolicy(Qt::NoFocus);  // not a tab stop
    return e;
}
}  // namespace

TF_IecGost::TF_IecGost(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("F_IecGost"));
    setWindowTitle(QStringLiteral("ReCalc Power"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(567, 284);

    GroupBox3 = new QGroupBox(
        QString::fromUtf8(" Расчёт реально допустимой мощности ВЧ головки по паспортным данным ( IEC ) "),
        this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(16, 24, 537, 201);
    Label1 = MakeLabel(GroupBox3, "Label1", 12, 57, "Максимальная мощность, Вт");
    Label3 = MakeLabel(GroupBox3, "Label3", 12, 104, "При условиях:");
    Label4 = MakeLabel(GroupBox3, "Label4", 44, 129, "частота среза ФВЧ, Гц");
    Label5 = MakeLabel(GroupBox3, "Label5", 44, 150, "порядок ФВЧ");
    GroupBox1 = new QGroupBox(QString::fromUtf8(" Паспортные данные по IEC "), GroupBox3);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(177, 24, 169, 161);
    GroupBox2 = new QGroupBox(QString::fromUtf8(" Реально допустимо "), GroupBox3);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(354, 24, 169, 161);
    Edit1 = MakeEdit(GroupBox1, "Edit1", 27, "100", false);
    Edit3 = MakeEdit(GroupBox1, "Edit3", 99, "3000", false);
    Edit4 = MakeEdit(GroupBox1, "Edit4", 120, "2", true);
    Edit5 = MakeEdit(GroupBox2, "Edit5", 27, "", true);
    Edit7 = MakeEdit(GroupBox2, "Edit7", 99, "3000", false);
    Edit7->hide();
    ComboBox1 = new QComboBox(GroupBox2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({"1", "2", "3", "4"});
    ComboBox1->setGeometry(40, 120, 89, 21);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->hide();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 265, 567, 19);
    StatusBar1->setSizeGripEnabled(false);

    for (QLineEdit* e : {Edit1, Edit3, Edit7}) {
        OnEvent(e, QEvent::FocusOut, [this](QEvent*) {
            CalcPower();  // Edit1Exit, Edit3Exit, Edit7Exit
            return false;
        });
    }
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit3),
                       static_cast<QWidget*>(Edit7), static_cast<QWidget*>(ComboBox1)}) {
        OnEvent(w, QEvent::KeyRelease, [this](QEvent* e) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) CalcPower();  // Edit1KeyUp
            return false;
        });
    }
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Exit(); });
    OnEvent(ComboBox1, QEvent::FocusOut, [this](QEvent*) {
        ComboBox1Exit();
        return false;
    });
}

TF_IecGost::~TF_IecGost() {
    // Deleting a box that holds the focus moves the focus out of it, which
    // would run the leave handler over boxes already gone. The boxes go here,
    // while the window is still whole, with the handlers switched off.
    destroying_ = true;
    delete GroupBox3;
    GroupBox1 = GroupBox2 = GroupBox3 = nullptr;
    Label1 = Label3 = Label4 = Label5 = nullptr;
    Edit1 = Edit3 = Edit4 = Edit5 = Edit7 = nullptr;
    ComboBox1 = nullptr;
}

void TF_IecGost::setInputs(int power, int cutFreq, int realCutFreq, int realOrderIdx) {
    Edit1->setText(QString::number(power));
    Edit3->setText(QString::number(cutFreq));
    Edit7->setText(QString::number(realCutFreq));
    ComboBox1->setCurrentIndex(realOrderIdx >= 0 && realOrderIdx < 4 ? realOrderIdx : -1);
    RealOrderIdx = realOrderIdx;
}

QString TF_IecGost::powerText() const { return Edit1->text(); }
QString TF_IecGost::cutText() const { return Edit3->text(); }
QString TF_IecGost::realCutText() const { return Edit7->text(); }
// The list without a selection counts as its default, second order, as the
// calculation itself would choose.
int TF_IecGost::realOrderIndex() const {
    const int i = ComboBox1->currentIndex();
    return i >= 0 ? i : 1;
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
    if (ComboBox1->currentIndex() < 0) ComboBox1->setCurrentIndex(1);
    CalcPower();
}

void TF_IecGost::CalcPower() {
    // Moving the focus below must not start it again.
    if (calculating_ || destroying_) return;
    calculating_ = true;
    Edit5->clear();
    const auto power = ParseInt(S(Edit1->text()));
    if (!power) {
        Edit1->setFocus();
        calculating_ = false;
        return;
    }
    auto cut = ParseInt(S(Edit3->text()));
    if (!cut) {
        Edit3->setFocus();
        calculating_ = false;
        return;
    }
    if (*cut < IecMinCutHz) {
        cut = IecMinCutHz;
        Edit3->setText(QString::number(IecMinCutHz));
    }
    if (ComboBox1->currentIndex() < 0) ComboBox1->setCurrentIndex(1);
    RealOrderIdx = ComboBox1->currentIndex();
    Edit7->setText(Edit3->text());
    const IecResult r = CalcIecPower(*power, *cut, RealOrderIdx);
    Edit5->setText(Q(FormatGeneral(r.power, DecimalSeparator())));
    calculating_ = false;
}

}  // namespace ampora::ui
