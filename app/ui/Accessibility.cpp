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

#include "app/ui/MainWindow.h"
#include "kit/Widgets.h"
#include "curves/ui/GraphImage.h"
#include "i18n/ui/LangText.h"
#include "i18n/Messages.h"
#include "iec/ui/IecWindow.h"

namespace ampora::ui {

namespace {

// Widgets whose spoken text changes with what they show (a resistor label
// after each calculation, the graph with its curve) answer through their own
// accessible interface, which reads these properties at the moment of asking.
constexpr const char* NameProperty = "amporaAccessibleName";
constexpr const char* RoleProperty = "amporaAccessibleRole";
constexpr const char* WithTextProperty = "amporaAccessibleWithText";  // the label's text follows
constexpr const char* PressProperty = "amporaAccessiblePress";        // mouse button of a click
constexpr const char* GraphProperty = "amporaAccessibleGraph";        // curve name in the description

QString Clean(const QString& s) { return s.simplified(); }

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
        if (t == QAccessible::Description && w->property(GraphProperty).toBool()) {
            const auto* main = qobject_cast<const TF_Main*>(w->window());
            const int lang = main ? main->LangIndex : 0;
            const QString curve = main && !main->CurCurveName.isEmpty()
                                      ? LangText(AccGraphCurve, lang).arg(main->CurCurveName)
                                      : LangText(MsgNoCurve, lang);
            return curve + QLatin1Char(' ') + LangText(AccGraphEditing, lang);
        }
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

void NameIecTool(TF_IecGost& iec) {
    const QString rated = Caption(iec.GroupBox1), real = Caption(iec.GroupBox2);
    const QString power = Caption(iec.Label1), cut = Caption(iec.Label4), order = Caption(iec.Label5);
    Name(iec.GroupBox1, rated);
    Name(iec.GroupBox2, real);
    Name(iec.GroupBox3, Caption(iec.GroupBox3));
    Name(iec.Edit1, Join({rated, power}));
    Name(iec.Edit3, Join({rated, cut}));
    Name(iec.Edit4, Join({rated, order}));
    Name(iec.Edit5, Join({real, power}));
    Name(iec.Edit7, Join({real, cut}));
    Name(iec.ComboBox1, Join({real, order}));
}

}  // namespace

void UpdateAccessibleNames(TF_Main& m) {
    // Installed once a QApplication exists, after Qt's own widget factory, so
    // that it is asked first.
    static const bool installed = [] {
        QAccessible::installFactory(LiveFactory);
        return true;
    }();
    (void)installed;

    auto tr = [&m](const LangTexts& t) { return LangText(t, m.LangIndex); };
    auto row = [&m](const char* label) { return Caption(m.Panel3->findChild<QLabel*>(label)); };
    auto own = [](QWidget* parent, const char* name) { return Caption(parent->findChild<QWidget*>(name)); };

    const QString amp = row("Label36"), sens = row("Label37"), imp = row("Label38"),
                  cut = row("Label50"), type = row("Label51"), order = row("Label52"),
                  load = row("Label53"), total = row("Label44");
    // The midrange group's own caption is blank: its switch names the column.
    const QString bass = Caption(m.GroupBox1), mid = Caption(m.CheckBoxMid),
                  tweeter = Caption(m.GroupBox3);
    const QString lower = tr(AccLowerEdge), upper = tr(AccUpperEdge);

    Name(m.edit(9), amp);
    Name(m.edit(19), total);
    struct Column {
        QString driver;
        int sens, imp, power, spl;
    };
    for (const Column& c : {Column{bass, 10, 11, 7, 16}, Column{mid, 12, 13, 4, 17},
                            Column{tweeter, 14, 15, 8, 18}}) {
        Name(m.edit(c.sens), Join({c.driver, sens}));
        Name(m.edit(c.imp), Join({c.driver, imp}));
        Name(m.edit(c.power), Join({c.driver, load}));
        Name(m.edit(c.spl), Join({c.driver, tr(AccSplAt1m)}));
    }
    // Cut-off, type and order of each filter, and the plain boxes standing in
    // for the lists on paper (Edit20..Edit27 in the lists' order 5, 7, 1, 3, 2, 4, 6, 8).
    struct Filter {
        QString driver, edge;
        int cutBox, typeList, orderList, typeCopy;
    };
    for (const Filter& f : {Filter{bass, {}, 5, 5, 7, 20}, Filter{mid, lower, 1, 1, 3, 22},
                            Filter{mid, upper, 3, 2, 4, 24}, Filter{tweeter, {}, 6, 6, 8, 26}}) {
        Name(m.edit(f.cutBox), Join({f.driver, cut, f.edge}));
        Name(m.combo(f.typeList), Join({f.driver, type, f.edge}));
        Name(m.combo(f.orderList), Join({f.driver, order, f.edge}));
        Name(m.edit(f.typeCopy), Join({f.driver, type, f.edge}));
        Name(m.edit(f.typeCopy + 1), Join({f.driver, order, f.edge}));
    }
    // The Linkwitz boxes sit in the bass column beside their own captions.
    Name(m.edit(28), Join({bass, own(m.GroupBox1, "Label23")}));
    Name(m.edit(29), Join({bass, own(m.GroupBox1, "Label26")}));
    Name(m.edit(30), Join({bass, Caption(m.Label27)}));
    MakeLive(m.Label27, Join({bass, Caption(m.Label27)}), QAccessible::StaticText, false, Qt::RightButton);
    m.Label27->setAccessibleDescription(tr(AccLinkwitzListingHint));
    Name(m.ListBox1, Join({bass, tr(AccLinkwitzListing)}));

    // Pictograms of the filter slopes, Image2..Image5.
    const QString pictures[] = {Join({bass, tr(AccLowPass)}), Join({mid, tr(AccHighPass)}),
                                Join({mid, tr(AccLowPass)}), Join({tweeter, tr(AccHighPass)})};
    for (size_t i = 0; i < m.Pictograms.size(); ++i)
        MakeLive(m.Pictograms[i], pictures[i], QAccessible::Graphic);

    // A group is announced when the focus enters it; the midrange group's
    // caption of blanks must not be what is heard.
    Name(m.GroupBox1, bass);
    Name(m.GroupBox2, mid);
    Name(m.GroupBox3, tweeter);

    Name(m.CheckBoxMid, mid);
    Name(m.CBMidEq, Join({mid, Caption(m.CBMidEq)}));
    Name(m.CBHighEq, Join({tweeter, Caption(m.CBHighEq)}));
    Name(m.ButCalc, Caption(m.ButCalc));
    Name(m.ButFType, Caption(m.ButFType));
    MakeLive(m.Label40, Join({mid, tr(AccSeriesResistor)}), QAccessible::StaticText, true);
    MakeLive(m.Label41, Join({mid, tr(AccParallelResistor)}), QAccessible::StaticText, true);
    MakeLive(m.Label42, Join({tweeter, tr(AccSeriesResistor)}), QAccessible::StaticText, true);
    MakeLive(m.Label43, Join({tweeter, tr(AccParallelResistor)}), QAccessible::StaticText, true);

    // The graph and what lies around it.
    MakeLive(m.Image1, Caption(m.Label31), QAccessible::Chart);
    m.Image1->setProperty(GraphProperty, true);
    MakeLive(m.Label21, Caption(m.Label19), QAccessible::StaticText, true);
    MakeLive(m.Label22, Caption(m.Label20), QAccessible::StaticText, true);
    MakeLive(m.Label24, tr(AccCurrentCurve), QAccessible::StaticText, true);
    for (size_t i = 0; i < m.PresetLabels.size(); ++i) {
        QLabel* preset = m.PresetLabels[i];
        const QString name = i + 1 < m.PresetLabels.size()
                                 ? tr(AccOpenCurve) + QLatin1Char(' ') + Caption(preset)
                                 : tr(AccOpenOtherCurve);
        MakeLive(preset, name, QAccessible::Button, false, Qt::LeftButton);
    }
    for (size_t i = 0; i < m.Shapes.size(); ++i)
        MakeLive(m.Shapes[i], Join({tr(AccBarColour), tr(AccColourNames[i])}), QAccessible::Button,
                 false, Qt::LeftButton);

    // The curve picker.
    Name(m.DBGrid1, tr(AccSavedCurves));
    Name(m.edit(2), tr(AccCurveName));
    Name(m.ButCurveOK, Caption(m.ButCurveOK));
    Name(m.ButCancel, Caption(m.ButCancel));
    MakeLive(m.Image6, tr(AccPrint), QAccessible::Button, false, Qt::LeftButton);

    if (TF_IecGost* iec = m.iecWindow()) NameIecTool(*iec);
}

void SetScreenTabOrder(TF_Main& m) {
    QWidget* chain[] = {
        m.edit(9),
        m.edit(10), m.edit(11), m.edit(5), m.combo(5), m.combo(7), m.edit(28), m.edit(29),
        m.CheckBoxMid, m.edit(12), m.edit(13), m.CBMidEq,
        m.edit(1), m.combo(1), m.combo(3), m.edit(3), m.combo(2), m.combo(4),
        m.edit(14), m.edit(15), m.CBHighEq, m.edit(6), m.combo(6), m.combo(8),
        m.ButCalc, m.ButFType,
        m.DBGrid1, m.edit(2), m.ButCurveOK, m.ButCancel,
        m.edit(20), m.edit(21), m.edit(22), m.edit(23), m.edit(24), m.edit(25), m.edit(26), m.edit(27),
    };
    for (size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    // Tab leaves the picker's grid instead of walking its 32 columns; the
    // arrow keys move within it.
    m.DBGrid1->setTabKeyNavigation(false);
}

}  // namespace ampora::ui
