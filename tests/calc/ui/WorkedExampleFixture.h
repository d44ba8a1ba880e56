#pragma once
// The main window set to the worked examples through its real controls, for
// the windows and files that repeat its numbers.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {

class WorkedExampleTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        create();
        loadMenu("Eng");
        messages.clear();
    }
    // Three-way, Butterworth 2 everywhere, 8 ohm, a flat curve, both pads
    // equalised; `example` 1 adds Linkwitz 50 -> 25 Hz, 2 is the two-way
    // with the tweeter at 2000 Hz.
    void workedExample(int example) {
        // First: switching the midrange changes the cut-off boxes.
        check("CheckBoxMid")->setChecked(example != 2);
        flatCurve();
        typeWorkedExample(example == 2 ? "2000" : "3200", example == 1 ? "50" : "",
                          example == 1 ? "25" : "");
        calc();
    }
    void calc() { QTest::mouseClick(button("ButCalc"), Qt::LeftButton); }
    QAction* command(const char* name) const {
        QAction* a = main->findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    // The power part of a resistor label ("Rs=1.6   6.5 W" -> "6.5").
    static QString LabelPower(const QLabel* l) {
        const QString t = l->text();
        return t.isEmpty() ? QString() : t.section(QStringLiteral("   "), 1).chopped(2);
    }
    // What the main window shows for each sink in use: bass, midrange,
    // tweeter powers, then each resistor's power.
    QStringList windowTotals() const {
        QStringList out = {box(7)->text()};
        if (check("CheckBoxMid")->isChecked()) out << box(4)->text();
        out << box(8)->text();
        for (const QLabel* l :
             {label("Label40"), label("Label41"), label("Label42"), label("Label43")})
            if (!l->text().isEmpty()) out << LabelPower(l);
        return out;
    }
};

}  // namespace ampora::ui::testing
