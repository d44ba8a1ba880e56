// The driver columns: their layout, the filter list coupling, the "one for
// all" copy, the midrange switch and the silent checking of every box.

#include "inputs/ui/InputPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <vector>

#include "inputs/Numbers.h"
#include "kit/Controls.h"
#include "kit/Widgets.h"
#include "session/Session.h"
#include "store/Settings.h"

namespace ampora::ui {

namespace {

// Which box holds which input, in the design and in the settings record.
struct DriverField {
    DriverData Design::*design;
    double SettingsValues::*sensitivity;
    double SettingsValues::*impedance;
    int sensitivityBox, impedanceBox;  // EditN
};
constexpr DriverField DriverFields[] = {
    {&Design::bass, &SettingsValues::lfSens, &SettingsValues::lfImp, 10, 11},
    {&Design::mid, &SettingsValues::mfSens, &SettingsValues::mfImp, 12, 13},
    {&Design::tweeter, &SettingsValues::hfSens, &SettingsValues::hfImp, 14, 15},
};

struct FilterField {
    FilterChoice Design::*design;
    int32_t SettingsValues::*cutHz;
    int32_t SettingsValues::*typeIdx;
    int32_t SettingsValues::*orderIdx;
    int cutBox, typeList, orderList, typeOnPaper;  // EditN, ComboBoxN, ComboBoxN, EditN (+1: order)
    Driver column;
    int left;  // in its column
};
// In the order of the design; the midrange column holds its lower edge on
// the left, its upper edge on the right.
constexpr FilterField FilterFields[] = {
    {&Design::bassLowPass, &SettingsValues::lfCutFreq, &SettingsValues::lfTypeIdx,
     &SettingsValues::lfOrderIdx, 5, 5, 7, 20, Bass, 12},
    {&Design::midHighPass, &SettingsValues::mfLowCutFreq, &SettingsValues::mfLowTypeIdx,
     &SettingsValues::mfLowOrderIdx, 1, 1, 3, 22, Mid, 12},
    {&Design::midLowPass, &SettingsValues::mfHighCutFreq, &SettingsValues::mfHighTypeIdx,
     &SettingsValues::mfHighOrderIdx, 3, 2, 4, 24, Mid, 93},
    {&Design::tweeterHighPass, &SettingsValues::hfCutFreq, &SettingsValues::hfTypeIdx,
     &SettingsValues::hfOrderIdx, 6, 6, 8, 26, Tweeter, 12},
};

const QStringList FilterTypes = {QString::fromUtf8("———"), QStringLiteral("Bessel"),
                                 QStringLiteral("Butterworth"), QStringLiteral("Linkwitz")};
const QStringList FilterOrders = {"1", "2", "3", "4"};

QString Real(double v) { return Q(FormatGeneral(v, DecimalSeparator())); }

}  // namespace

InputPanel::InputPanel(Session& session, QWidget* client) : session_(session) {
    build(client);
    connectHandlers();
    // Bessel, order 2 everywhere, silently.
    for (QComboBox* c : lists()) select(c, 1);
}

InputPanel::~InputPanel() = default;

void InputPanel::build(QWidget* client) {
    const Design fresh;
    rows_ = new QFrame(client);
    rows_->setObjectName(QStringLiteral("Panel3"));
    rows_->setGeometry(8, 276, 207, 237);
    const struct {
        const char* name;
        int top;
        const char* text;
    } rows[] = {{"Label36", 9, "Мощность усилителя, Вт"},
                {"Label37", 36, "Характ. чувствительность, дБ/Вт/м"},
                {"Label38", 57, "Номинальный импеданс, Ом"},
                {"Label50", 95, "Частота раздела, Гц"},
                {"Label51", 116, "Тип фильтра"},
                {"Label52", 137, "Порядок фильтра"},
                {"Label53", 172, "Нагрузка по мощности, Вт"},
                {"Label44", 216, "Общий SPL на 1 м, дБ"}};
    for (const auto& r : rows) MakeLabel(rows_, r.name, 6, r.top, QString::fromUtf8(r.text));
    ampPower_ = MakeEdit(rows_, 9, 165, 6, 36, QString::number(fresh.ampPowerW));
    oneForAll_ = new QPushButton(QString::fromUtf8("один для всех"), rows_);
    oneForAll_->setObjectName(QStringLiteral("ButFType"));
    oneForAll_->setGeometry(112, 117, 89, 36);
    oneForAll_->setToolTip(QString::fromUtf8("Тип и порядок как для НЧ"));
    // Enter on a focused button clicks it, as Space does.
    oneForAll_->setAutoDefault(true);
    const int lineTops[] = {31, 79, 160, 204};
    for (int i = 0; i < 4; ++i) {
        auto* line = new QFrame(rows_);
        line->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setStyleSheet(QStringLiteral("color: #a0a0a0"));
        line->setGeometry(2, lineTops[i], 203, 1);
    }

    const struct {
        const char* name;
        QRect place;
        const char* title;
    } columns[] = {{"GroupBox1", QRect(219, 285, 166, 198), "   динамик НЧ   "},
                   {"GroupBox2", QRect(392, 285, 186, 198), "   "},
                   {"GroupBox3", QRect(586, 285, 153, 198), "   динамик ВЧ   "}};
    for (int d = 0; d < 3; ++d) {
        auto* g = new QGroupBox(QString::fromUtf8(columns[d].title), client);
        g->setObjectName(QString::fromUtf8(columns[d].name));
        g->setGeometry(columns[d].place);
        columns_[size_t(d)] = g;
    }

    const auto makeList = [](QWidget* parent, int no, int x, int y, const QStringList& items) {
        auto* c = new QComboBox(parent);
        c->setObjectName(QStringLiteral("ComboBox%1").arg(no));
        MakeEditableList(c, items);
        c->setGeometry(x, y, 81, 21);
        return c;
    };
    // The plain boxes under the lists stand in for them on paper; lying
    // under their list, they must never catch typing meant for it.
    const auto paperBox = [](QWidget* parent, int no, int x, int y) {
        QLineEdit* e = MakeEdit(parent, no, x, y, 81, QString());
        e->setFocusPolicy(Qt::NoFocus);
        return e;
    };
    const auto pictogram = [](QWidget* parent, int no, int kind, int x, int y) {
        auto* p = new PictureBox(parent);
        p->setObjectName(QStringLiteral("Image%1").arg(no));
        p->setGeometry(x, y, 34, 20);
        p->setPicture(FilterPictogram(kind));
    };
    // Column by column in the order of the screen: the driver's data, the
    // cut-off boxes, the paper boxes, then the lists over them.
    for (int d = 0; d < 3; ++d) {
        QGroupBox* column = columns_[size_t(d)];
        const DriverField& df = DriverFields[d];
        const DriverData& data = fresh.*df.design;
        drivers_[size_t(d)].sensitivity =
            MakeEdit(column, df.sensitivityBox, 12, 22, 42, Real(data.sensitivityDb));
        drivers_[size_t(d)].impedance =
            MakeEdit(column, df.impedanceBox, 12, 43, 42, Real(data.impedanceOhm));
        for (int f = 0; f < 4; ++f)
            if (FilterFields[f].column == d)
                filters_[size_t(f)].cut =
                    MakeEdit(column, FilterFields[f].cutBox, FilterFields[f].left, 87, 81,
                             QString::number((fresh.*FilterFields[f].design).cutHz));
        for (int f = 0; f < 4; ++f) {
            if (FilterFields[f].column != d) continue;
            filters_[size_t(f)].typeOnPaper =
                paperBox(column, FilterFields[f].typeOnPaper, FilterFields[f].left, 108);
            filters_[size_t(f)].orderOnPaper =
                paperBox(column, FilterFields[f].typeOnPaper + 1, FilterFields[f].left, 129);
        }
        // The midrange's lists go type, order, type, order from left to right.
        for (int f = 0; f < 4; ++f) {
            if (FilterFields[f].column != d) continue;
            filters_[size_t(f)].type =
                makeList(column, FilterFields[f].typeList, FilterFields[f].left, 108, FilterTypes);
            filters_[size_t(f)].order = makeList(column, FilterFields[f].orderList,
                                                 FilterFields[f].left, 129, FilterOrders);
        }
    }
    QGroupBox* bass = columns_[Bass];
    MakeLabel(bass, "Label23", 64, 25, "F1, Hz");
    MakeLabel(bass, "Label26", 64, 46, "F2, Hz");
    linkwitzF1_ = MakeEdit(bass, 28, 116, 22, 40, QString());
    linkwitzF2_ = MakeEdit(bass, 29, 116, 43, 40, QString());
    pictogram(bass, 2, 0, 108, 118);

    // The equalisation switches start ticked.
    midEqualise_ = new QCheckBox(QString::fromUtf8(" ровнять  Z "), columns_[Mid]);
    midEqualise_->setObjectName(QStringLiteral("CBMidEq"));
    midEqualise_->setGeometry(64, 22, 118, 19);
    midEqualise_->setChecked(true);
    pictogram(columns_[Mid], 3, 1, 76, 164);
    pictogram(columns_[Mid], 4, 2, 130, 164);

    tweeterEqualise_ = new QCheckBox(QString::fromUtf8(" ровнять  Z "), columns_[Tweeter]);
    tweeterEqualise_->setObjectName(QStringLiteral("CBHighEq"));
    tweeterEqualise_->setGeometry(56, 22, 96, 19);
    tweeterEqualise_->setChecked(true);
    pictogram(columns_[Tweeter], 5, 3, 106, 118);

    midrange_ = new QCheckBox(QString::fromUtf8("динамик СЧ"), client);
    midrange_->setObjectName(QStringLiteral("CheckBoxMid"));
    midrange_->setGeometry(410, 285, 110, 17);
    midrange_->setChecked(fresh.midOn);
    midrange_->setAutoFillBackground(true);
}

std::array<QComboBox*, 8> InputPanel::lists() const {
    std::array<QComboBox*, 8> out{};
    for (size_t f = 0; f < filters_.size(); ++f) {
        out[2 * f] = filters_[f].type;
        out[2 * f + 1] = filters_[f].order;
    }
    return out;
}

QWidget* InputPanel::rowCaptions() const { return rows_; }
QWidget* InputPanel::column(Driver driver) const { return columns_[size_t(driver)]; }

void InputPanel::connectHandlers() {
    connect(oneForAll_, &QPushButton::clicked, this, [this] { ButFTypeClick(); });
    connect(midrange_, &QCheckBox::toggled, this, [this] { CheckBoxMidClick(); });
    for (int f = 0; f < 4; ++f) {
        FilterBoxes& b = filters_[size_t(f)];
        const auto filter = Filter(f);
        connect(b.type, &QComboBox::activated, this, [this, filter] { TypeBoxChange(filter); });
        connect(b.type->lineEdit(), &QLineEdit::textEdited, this,
                [this, filter] { TypeBoxChange(filter); });
        OnFocusMove(b.type, QEvent::FocusIn, [&b] {
            const int idx = ItemIndex(b.type);
            if (idx >= 0) b.typeKept = int16_t(idx);
            b.orderWithTypeKept = int16_t(ItemIndex(b.order));
        });
        connect(b.order, &QComboBox::activated, this, [this, filter] { OrderBoxChange(filter); });
        connect(b.order->lineEdit(), &QLineEdit::textEdited, this,
                [this, filter] { OrderBoxChange(filter); });
        // A list left with text that names no item goes back to its item.
        // Typing offered the Linkwitz orders; the type and its orders as
        // they were come back with it, else the order shown would not be
        // the order calculated.
        OnFocusMove(b.type, QEvent::FocusOut, [this, &b] {
            if (ItemIndex(b.type) >= 0) return;
            const int order = b.orderWithTypeKept;
            select(b.type, b.typeKept);
            FillOrders(b);
            select(b.order, order >= 0 && order < b.order->count() ? order : DefaultOrderItem(b));
            session_.clearResultsAndCalculate();
        });
        // The results shown were made from the order's text: made again.
        OnFocusMove(b.order, QEvent::FocusOut, [this, &b] {
            if (ItemIndex(b.order) >= 0) return;
            select(b.order, b.orderKept);
            session_.clearResultsAndCalculate();
        });
    }
    // Enter released in any input box calculates; leaving one does nothing.
    std::vector<QLineEdit*> boxes = {ampPower_, linkwitzF1_, linkwitzF2_};
    for (const DriverBoxes& d : drivers_) boxes.insert(boxes.end(), {d.sensitivity, d.impedance});
    for (const FilterBoxes& f : filters_)
        boxes.insert(boxes.end(), {f.cut, f.typeOnPaper, f.orderOnPaper});
    for (QLineEdit* e : boxes) OnEnterReleased(e, [this] { session_.calculate(); });

    // The session holds the design as the boxes hold it at every moment.
    for (QLineEdit* e : boxes) connect(e, &QLineEdit::textChanged, this, [this] { publish(); });
    for (QComboBox* c : lists()) {
        connect(c, &QComboBox::currentIndexChanged, this, [this] { publish(); });
        connect(c, &QComboBox::editTextChanged, this, [this] { publish(); });
    }
    for (QCheckBox* c : {midrange_, midEqualise_, tweeterEqualise_})
        connect(c, &QCheckBox::toggled, this, [this] { publish(); });

    connect(&session_, &Session::inputsCheckRequested, this, [this] { CheckBoxes(); });
    connect(&session_, &Session::inputsCorrected, this,
            [this](const Evaluation& ev) { showCorrections(ev); });
    connect(&session_, &Session::designChanged, this, [this](const Design& d) { showDesign(d); });
    connect(&session_, &Session::printing, this, [this](bool on) { showOnPaper(on); });
}

Design InputPanel::designFromBoxes(const Design& numbers) const {
    Design d = numbers;
    for (int f = 0; f < 4; ++f) {
        const FilterBoxes& b = filters_[size_t(f)];
        FilterChoice& choice = d.*FilterFields[f].design;
        // The midrange edges are read as they stand, the other inputs as the
        // last check left them.
        const bool midrange = f == MidHighPass || f == MidLowPass;
        const int32_t cut =
            midrange ? ParseInt(S(b.cut->text())).value_or(choice.cutHz) : choice.cutHz;
        choice = FilterFromItems(ItemIndex(b.type), ItemIndex(b.order), cut);
    }
    d.midOn = midrange_->isChecked();
    d.midEqualise = midEqualise_->isChecked();
    d.tweeterEqualise = tweeterEqualise_->isChecked();
    d.linkwitzF1 = ParseInt(S(linkwitzF1_->text()));
    d.linkwitzF2 = ParseInt(S(linkwitzF2_->text()));
    return d;
}

void InputPanel::publish() {
    session_.setInputs(designFromBoxes(checked_), designFromBoxes(numbersAsChecked()));
}

Design InputPanel::numbersAsChecked() const {
    const Design fresh;
    const char sep = DecimalSeparator();
    Design c = checked_;
    c.ampPowerW = ParseInt(S(ampPower_->text())).value_or(fresh.ampPowerW);
    for (int d = 0; d < 3; ++d) {
        DriverData& data = c.*DriverFields[d].design;
        const DriverData& none = fresh.*DriverFields[d].design;
        const auto tenths = [sep](QLineEdit* box, double fallback) {
            return RoundTenth(ParseReal(S(box->text()), sep).value_or(fallback));
        };
        data.sensitivityDb = tenths(drivers_[size_t(d)].sensitivity, none.sensitivityDb);
        data.impedanceOhm = tenths(drivers_[size_t(d)].impedance, none.impedanceOhm);
    }
    for (int f = 0; f < 4; ++f)
        (c.*FilterFields[f].design).cutHz = ParseInt(S(filters_[size_t(f)].cut->text()))
                                                .value_or((fresh.*FilterFields[f].design).cutHz);
    return c;
}

void InputPanel::select(QComboBox* list, int index) {
    // Silently, as a user's pick is not, but the session learns of it.
    SetItemIndex(list, index);
    // What the program shows is what text that names no item goes back to.
    if (index >= 0)
        for (FilterBoxes& b : filters_) {
            if (list == b.type) b.typeKept = int16_t(index);
            if (list == b.order) b.orderKept = int16_t(index);
            if (list == b.order && ItemIndex(b.type) == b.typeKept)
                b.orderWithTypeKept = int16_t(index);
        }
    publish();
}

void InputPanel::takeSettings(const SettingsValues& s) {
    checked_.ampPowerW = s.ampPower;
    for (const DriverField& df : DriverFields) {
        (checked_.*df.design).sensitivityDb = s.*df.sensitivity;
        (checked_.*df.design).impedanceOhm = s.*df.impedance;
    }
    for (const FilterField& ff : FilterFields) (checked_.*ff.design).cutHz = s.*ff.cutHz;
    publish();
}

void InputPanel::showSettings(const SettingsValues& s) {
    for (int f = 0; f < 4; ++f)
        filters_[size_t(f)].cut->setText(QString::number((checked_.*FilterFields[f].design).cutHz));
    ampPower_->setText(QString::number(checked_.ampPowerW));
    for (int d = 0; d < 3; ++d)
        drivers_[size_t(d)].sensitivity->setText(
            Real((checked_.*DriverFields[d].design).sensitivityDb));
    for (int d = 0; d < 3; ++d)
        drivers_[size_t(d)].impedance->setText(
            Real((checked_.*DriverFields[d].design).impedanceOhm));
    for (int f = 0; f < 4; ++f) select(filters_[size_t(f)].type, s.*FilterFields[f].typeIdx);
    for (int f = 0; f < 4; ++f) TypeBoxChange(Filter(f));
    for (int f = 0; f < 4; ++f) select(filters_[size_t(f)].order, s.*FilterFields[f].orderIdx);
    midrange_->setChecked(s.midOn == 1);  // runs CheckBoxMidClick on a change
}

void InputPanel::storeSettings(SettingsValues& s) {
    CheckBoxes();
    // What a box that holds no number stores.
    const Design fresh;
    for (int f = 0; f < 4; ++f) {
        const FilterBoxes& b = filters_[size_t(f)];
        const FilterField& ff = FilterFields[f];
        s.*ff.cutHz = ParseInt(S(b.cut->text())).value_or((fresh.*ff.design).cutHz);
        s.*ff.typeIdx = ItemIndex(b.type);
        s.*ff.orderIdx = ItemIndex(b.order);
    }
    s.midOn = midrange_->isChecked() ? 1 : 0;
    s.ampPower = ParseInt(S(ampPower_->text())).value_or(fresh.ampPowerW);
    const char sep = DecimalSeparator();
    for (int d = 0; d < 3; ++d) {
        const DriverField& df = DriverFields[d];
        const DriverData& none = fresh.*df.design;
        s.*df.sensitivity =
            ParseReal(S(drivers_[size_t(d)].sensitivity->text()), sep).value_or(none.sensitivityDb);
        s.*df.impedance =
            ParseReal(S(drivers_[size_t(d)].impedance->text()), sep).value_or(none.impedanceOhm);
    }
}

void InputPanel::FillOrders(FilterBoxes& b) {
    {
        const QSignalBlocker block(b.order);
        b.order->clear();
    }
    select(b.order, -1);
    const int t = ItemIndex(b.type);
    if (t == 0) return;  // no filter: no order either
    if (t == 1 || t == 2)
        b.order->addItems({"1", "2", "3", "4"});
    else
        b.order->addItems({"2", "4"});  // Linkwitz, or text that names no type
}

int InputPanel::DefaultOrderItem(const FilterBoxes& b) {
    if (b.order->count() == 0) return -1;
    return b.order->count() < 3 ? 0 : 1;  // order 2 either way
}

void InputPanel::ComboChange(Filter f) {
    FilterBoxes& b = filters_[size_t(f)];
    FillOrders(b);
    if (b.order->count() > 0) select(b.order, DefaultOrderItem(b));
    publish();
}

void InputPanel::TypeBoxChange(Filter f) {
    ComboChange(f);
    session_.clearResultsAndCalculate();
}

void InputPanel::OrderBoxChange(Filter f) {
    FilterBoxes& b = filters_[size_t(f)];
    const int idx = ItemIndex(b.order);
    if (idx >= 0) b.orderKept = int16_t(idx);
    session_.clearResultsAndCalculate();
}

void InputPanel::ButFTypeClick() {
    const int t = ItemIndex(filters_[BassLowPass].type);
    for (Filter f : {MidHighPass, MidLowPass, TweeterHighPass}) select(filters_[size_t(f)].type, t);
    ComboBox1Change();
    ComboBox2Change();
    ComboBox6Change();
    session_.focusCalc();
    const int k = ItemIndex(filters_[BassLowPass].order);
    if (k == -1) return;
    for (Filter f : {MidHighPass, MidLowPass, TweeterHighPass})
        select(filters_[size_t(f)].order, k);
    session_.calculate();
}

void InputPanel::CheckBoxMidClick() {
    const bool on = midrange_->isChecked();
    session_.switchMidrange(on);
    if (on) {
        filters_[BassLowPass].cut->setText(filters_[MidHighPass].cut->text());
        filters_[MidLowPass].cut->setText(filters_[TweeterHighPass].cut->text());
    } else {
        // Bass and tweeter share one crossover.
        filters_[BassLowPass].cut->setText(filters_[TweeterHighPass].cut->text());
    }
    columns_[Mid]->setVisible(on);
    session_.focusCalc();
}

void InputPanel::CheckBoxes() {
    const Design c = numbersAsChecked();
    const char sep = DecimalSeparator();
    // A box that holds no number shows the number taken instead; reals
    // always show their tenths.
    if (!ParseInt(S(ampPower_->text()))) ampPower_->setText(QString::number(c.ampPowerW));
    for (int d = 0; d < 3; ++d) {
        const DriverData& data = c.*DriverFields[d].design;
        drivers_[size_t(d)].sensitivity->setText(Q(FormatGeneral(data.sensitivityDb, sep)));
        drivers_[size_t(d)].impedance->setText(Q(FormatGeneral(data.impedanceOhm, sep)));
    }
    for (int f = 0; f < 4; ++f) {
        QLineEdit* box = filters_[size_t(f)].cut;
        if (!ParseInt(S(box->text())))
            box->setText(QString::number((c.*FilterFields[f].design).cutHz));
    }
    checked_ = c;
    publish();
}

void InputPanel::showDesign(const Design& d) {
    // The midrange switch first: its click handler copies cut-off boxes.
    midrange_->setChecked(d.midOn);
    ampPower_->setText(QString::number(d.ampPowerW));
    for (int i = 0; i < 3; ++i) {
        const DriverData& data = d.*DriverFields[i].design;
        drivers_[size_t(i)].sensitivity->setText(Real(data.sensitivityDb));
        drivers_[size_t(i)].impedance->setText(Real(data.impedanceOhm));
    }
    for (int f = 0; f < 4; ++f) {
        FilterBoxes& b = filters_[size_t(f)];
        const FilterChoice& choice = d.*FilterFields[f].design;
        select(b.type, static_cast<int>(choice.type));
        ComboChange(Filter(f));
        if (choice.type != FilterType::None) select(b.order, OrderItemIndex(choice));
        b.cut->setText(QString::number(choice.cutHz));
    }
    midEqualise_->setChecked(d.midEqualise);
    tweeterEqualise_->setChecked(d.tweeterEqualise);
    linkwitzF1_->setText(d.linkwitzF1 ? QString::number(*d.linkwitzF1) : QString());
    linkwitzF2_->setText(d.linkwitzF2 ? QString::number(*d.linkwitzF2) : QString());
}

void InputPanel::showCorrections(const Evaluation& ev) {
    if (ev.linkwitz.active) {
        linkwitzF1_->setText(QString::number(ev.linkwitz.f1));
        linkwitzF2_->setText(QString::number(ev.linkwitz.f2));
    }
    if (ev.midEqCleared) midEqualise_->setChecked(false);
    if (ev.tweeterEqCleared) tweeterEqualise_->setChecked(false);
    if (ev.midEdgesSwapped) {
        const QString low = filters_[MidHighPass].cut->text();
        filters_[MidHighPass].cut->setText(filters_[MidLowPass].cut->text());
        filters_[MidLowPass].cut->setText(low);
    }
}

void InputPanel::showOnPaper(bool printing) {
    // On paper the lists show as plain boxes with the same text.
    if (printing)
        for (FilterBoxes& b : filters_) {
            b.typeOnPaper->setText(b.type->currentText());
            b.orderOnPaper->setText(b.order->currentText());
        }
    for (QComboBox* c : lists()) c->setVisible(!printing);
}

}  // namespace ampora::ui
