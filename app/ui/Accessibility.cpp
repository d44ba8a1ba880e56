#include "app/ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include "i18n/Messages.h"
#include "kit/Widgets.h"
#include "session/Session.h"
#include "session/WindowTexts.h"

namespace ampora::ui {

namespace {

// Widgets whose spoken text changes with what they show (a resistor label
// after each calculation, the graph with its curve) answer through their own
// accessible interface, which reads these properties at the moment of asking.
constexpr const char* NameProperty = "amporaAccessibleName";
constexpr const char* RoleProperty = "amporaAccessibleRole";
constexpr const char* WithTextProperty = "amporaAccessibleWithText";  // the label's text follows
constexpr const char* PressProperty = "amporaAccessiblePress";        // mouse button of a click

QString Clean(const QString& s) { return s.simplified(); }

// The graph's description names the current curve, which changes with every
// curve command: it is read from the session when asked.
class GraphDescription : public QObject {
public:
    GraphDescription(QWidget* graph, const Session& session) : QObject(graph), session_(session) {}
    QString text() const {
        const QString curve = session_.CurCurveName.isEmpty()
                                  ? session_.text(MsgNoCurve)
                                  : session_.text(AccGraphCurve).arg(session_.CurCurveName);
        return curve + QLatin1Char(' ') + session_.text(AccGraphEditing);
    }

private:
    const Session& session_;
};

const GraphDescription* DescriptionOf(const QWidget* w) {
    for (const QObject* child : w->children())
        if (auto* d = dynamic_cast<const GraphDescription*>(child)) return d;
    return nullptr;
}

// Blank parts (a caption of blanks only, an empty label) never reach a name.
QString Join(const QStringList& parts) {
    QStringList out;
    for (const QString& p : parts)
        if (const QString c = Clean(p); !c.isEmpty()) out << c;
    return out.join(QStringLiteral(", "));
}

QString Caption(const QWidget* w) {
    if (!w) return {};
    if (auto* l = qobject_cast<const QLabel*>(w)) return Clean(l->text());
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return Clean(g->title());
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return Clean(b->text());
    return {};
}

void Click(QWidget* w, Qt::MouseButton button) {
    const QPointF centre = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, button, button, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, button, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
}

class LiveInterface : public QAccessibleWidget {
public:
    LiveInterface(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    QString text(QAccessible::Text t) const override {
        QWidget* w = widget();
        if (t == QAccessible::Name) {
            QString name = w->property(NameProperty).toString();
            if (w->property(WithTextProperty).toBool())
                if (auto* l = qobject_cast<QLabel*>(w)) name = Join({name, l->text()});
            return name;
        }
        if (t == QAccessible::Description)
            if (const GraphDescription* d = DescriptionOf(w)) return d->text();
        if (t == QAccessible::Description) return w->accessibleDescription();
        if (t == QAccessible::Value)
            if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressButton() != Qt::NoButton) names.prepend(pressAction());
        if (list()) names.prepend(showMenuAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && pressButton() != Qt::NoButton) {
            Click(widget(), pressButton());
            return;
        }
        if (action == showMenuAction() && list()) {
            list()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* list() const { return qobject_cast<QComboBox*>(widget()); }
    Qt::MouseButton pressButton() const {
        return Qt::MouseButton(widget()->property(PressProperty).toInt());
    }
};

QAccessibleInterface* LiveFactory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || !w->property(NameProperty).isValid()) return nullptr;
    return new LiveInterface(w, QAccessible::Role(w->property(RoleProperty).toInt()));
}

void MakeLive(QWidget* w, const QString& name, QAccessible::Role role, bool withText = false,
              Qt::MouseButton press = Qt::NoButton) {
    // Installed once a QApplication exists, after Qt's own widget factory, so
    // that it is asked first.
    static const bool installed = [] {
        QAccessible::installFactory(LiveFactory);
        return true;
    }();
    (void)installed;
    w->setProperty(NameProperty, name);
    w->setProperty(RoleProperty, int(role));
    w->setProperty(WithTextProperty, withText);
    w->setProperty(PressProperty, int(press));
    // A label announces itself when its text is set, which can make Qt build
    // its own interface before this one is in place; that one goes.
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (iface && !dynamic_cast<LiveInterface*>(iface))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void Name(QWidget* w, const QString& name) {
    if (!w) return;
    w->setAccessibleName(name);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        // Qt speaks a list by its current item on this platform and leaves
        // the caption to label relations, which a caption composed from a
        // row and a column cannot give.
        MakeLive(c, name, QAccessible::ComboBox);
        if (c->lineEdit()) c->lineEdit()->setAccessibleName(name);
    }
}

// A window's controls by name, looked up once per naming pass; every name
// asked for exists.
class Controls {
public:
    explicit Controls(const QWidget& window) : byName_(OwnControls(&window)) {}
    QWidget* operator()(const QString& name) const { return byName_.value(name); }
    QWidget* operator()(const char* name) const { return byName_.value(QString::fromUtf8(name)); }
    QWidget* box(int no) const { return byName_.value(QStringLiteral("Edit%1").arg(no)); }
    QWidget* list(int no) const { return byName_.value(QStringLiteral("ComboBox%1").arg(no)); }

private:
    QHash<QString, QWidget*> byName_;
};

}  // namespace

void UpdateAccessibleNamesOfIecTool(QWidget& iec) {
    const Controls c(iec);
    const auto caption = [&c](const char* name) { return Caption(c(name)); };
    const QString rated = caption("GroupBox1"), real = caption("GroupBox2");
    const QString power = caption("Label1"), cut = caption("Label4"), order = caption("Label5");
    Name(c("GroupBox1"), rated);
    Name(c("GroupBox2"), real);
    Name(c("GroupBox3"), caption("GroupBox3"));
    Name(c("Edit1"), Join({rated, power}));
    Name(c("Edit3"), Join({rated, cut}));
    Name(c("Edit4"), Join({rated, order}));
    Name(c("Edit5"), Join({real, power}));
    Name(c("Edit7"), Join({real, cut}));
    Name(c("ComboBox1"), Join({real, order}));
}

void UpdateAccessibleNames(QWidget& m, const Session& session) {
    auto tr = [&session](const LangTexts& t) { return session.text(t); };
    const Controls c(m);
    auto caption = [&c](const char* name) { return Caption(c(name)); };

    const QString amp = caption("Label36"), sens = caption("Label37"), imp = caption("Label38"),
                  cut = caption("Label50"), type = caption("Label51"), order = caption("Label52"),
                  load = caption("Label53"), total = caption("Label44");
    // The midrange group's own caption is blank: its switch names the column.
    const QString bass = caption("GroupBox1"), mid = caption("CheckBoxMid"),
                  tweeter = caption("GroupBox3");
    const QString lower = tr(AccLowerEdge), upper = tr(AccUpperEdge);

    Name(c.box(9), amp);
    Name(c.box(19), total);
    struct Column {
        QString driver;
        int sens, imp, power, spl;
    };
    for (const Column& col : {Column{bass, 10, 11, 7, 16}, Column{mid, 12, 13, 4, 17},
                              Column{tweeter, 14, 15, 8, 18}}) {
        Name(c.box(col.sens), Join({col.driver, sens}));
        Name(c.box(col.imp), Join({col.driver, imp}));
        Name(c.box(col.power), Join({col.driver, load}));
        Name(c.box(col.spl), Join({col.driver, tr(AccSplAt1m)}));
    }
    // Cut-off, type and order of each filter, and the plain boxes standing in
    // for the lists on paper (Edit20..Edit27 in the lists' order 5, 7, 1, 3, 2, 4, 6, 8).
    struct Filter {
        QString driver, edge;
        int cutBox, typeList, orderList, typeCopy;
    };
    for (const Filter& f : {Filter{bass, {}, 5, 5, 7, 20}, Filter{mid, lower, 1, 1, 3, 22},
                            Filter{mid, upper, 3, 2, 4, 24}, Filter{tweeter, {}, 6, 6, 8, 26}}) {
        Name(c.box(f.cutBox), Join({f.driver, cut, f.edge}));
        Name(c.list(f.typeList), Join({f.driver, type, f.edge}));
        Name(c.list(f.orderList), Join({f.driver, order, f.edge}));
        Name(c.box(f.typeCopy), Join({f.driver, type, f.edge}));
        Name(c.box(f.typeCopy + 1), Join({f.driver, order, f.edge}));
    }
    // The Linkwitz boxes sit in the bass column beside their own captions.
    QWidget* kmax = c("Label27");
    Name(c.box(28), Join({bass, caption("Label23")}));
    Name(c.box(29), Join({bass, caption("Label26")}));
    Name(c.box(30), Join({bass, Caption(kmax)}));
    MakeLive(kmax, Join({bass, Caption(kmax)}), QAccessible::StaticText, false, Qt::RightButton);
    kmax->setAccessibleDescription(tr(AccLinkwitzListingHint));
    Name(c("ListBox1"), Join({bass, tr(AccLinkwitzListing)}));

    // Pictograms of the filter slopes, Image2..Image5.
    const QString pictures[] = {Join({bass, tr(AccLowPass)}), Join({mid, tr(AccHighPass)}),
                                Join({mid, tr(AccLowPass)}), Join({tweeter, tr(AccHighPass)})};
    for (int i = 0; i < 4; ++i)
        MakeLive(c(QStringLiteral("Image%1").arg(i + 2)), pictures[i], QAccessible::Graphic);

    // A group is announced when the focus enters it; the midrange group's
    // caption of blanks must not be what is heard.
    Name(c("GroupBox1"), bass);
    Name(c("GroupBox2"), mid);
    Name(c("GroupBox3"), tweeter);

    Name(c("CheckBoxMid"), mid);
    Name(c("CBMidEq"), Join({mid, caption("CBMidEq")}));
    Name(c("CBHighEq"), Join({tweeter, caption("CBHighEq")}));
    Name(c("ButCalc"), caption("ButCalc"));
    Name(c("ButFType"), caption("ButFType"));
    const struct {
        const char* label;
        const QString& driver;
        const LangTexts& resistor;
    } pads[] = {{"Label40", mid, AccSeriesResistor},
                {"Label41", mid, AccParallelResistor},
                {"Label42", tweeter, AccSeriesResistor},
                {"Label43", tweeter, AccParallelResistor}};
    for (const auto& p : pads)
        MakeLive(c(p.label), Join({p.driver, tr(p.resistor)}), QAccessible::StaticText, true);

    // The graph and what lies around it.
    QWidget* graph = c("Image1");
    MakeLive(graph, caption("Label31"), QAccessible::Chart);
    if (!DescriptionOf(graph)) new GraphDescription(graph, session);
    MakeLive(c("Label21"), caption("Label19"), QAccessible::StaticText, true);
    MakeLive(c("Label22"), caption("Label20"), QAccessible::StaticText, true);
    MakeLive(c("Label24"), tr(AccCurrentCurve), QAccessible::StaticText, true);
    const char* presets[] = {"Label29", "Label30", "Label32", "Label33", "Label34", "Label35"};
    for (const char* name : presets) {
        QWidget* preset = c(name);
        const QString spoken = name != presets[5]
                                   ? tr(AccOpenCurve) + QLatin1Char(' ') + Caption(preset)
                                   : tr(AccOpenOtherCurve);
        MakeLive(preset, spoken, QAccessible::Button, false, Qt::LeftButton);
    }
    // The colour squares Shape5..Shape10 in the order of AccColourNames.
    for (int i = 0; i < 6; ++i)
        MakeLive(c(QStringLiteral("Shape%1").arg(i + 5)),
                 Join({tr(AccBarColour), tr(AccColourNames[size_t(i)])}), QAccessible::Button,
                 false, Qt::LeftButton);

    // The curve picker.
    Name(c("DBGrid1"), tr(AccSavedCurves));
    Name(c.box(2), tr(AccCurveName));
    Name(c("ButCurveOK"), caption("ButCurveOK"));
    Name(c("ButCancel"), caption("ButCancel"));
    MakeLive(c("Image6"), tr(AccPrint), QAccessible::Button, false, Qt::LeftButton);
}

void SetScreenTabOrder(QWidget& m) {
    const char* chain[] = {
        "Edit9",     "Edit10",    "Edit11",      "Edit5",   "ComboBox5", "ComboBox7",
        "Edit28",    "Edit29",    "CheckBoxMid", "Edit12",  "Edit13",    "CBMidEq",
        "Edit1",     "ComboBox1", "ComboBox3",   "Edit3",   "ComboBox2", "ComboBox4",
        "Edit14",    "Edit15",    "CBHighEq",    "Edit6",   "ComboBox6", "ComboBox8",
        "ButCalc",   "ButFType",  "Image1",      "Label29", "Label30",   "Label32",
        "Label33",   "Label34",   "Label35",     "DBGrid1", "Edit2",     "ButCurveOK",
        "ButCancel", "Edit20",    "Edit21",      "Edit22",  "Edit23",    "Edit24",
        "Edit25",    "Edit26",    "Edit27",
    };
    const Controls c(m);
    for (size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(c(chain[i - 1]), c(chain[i]));
    // Tab leaves the picker's grid instead of walking its 32 columns; the
    // arrow keys move within it.
    qobject_cast<QTableView*>(c("DBGrid1"))->setTabKeyNavigation(false);
}

}  // namespace ampora::ui
