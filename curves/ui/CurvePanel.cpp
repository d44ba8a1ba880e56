// The graph panel and the picker: their fixed layout, the wiring of their
// controls, and the settings they keep.

#include "curves/ui/CurvePanel.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <cmath>

#include "curves/CurveStore.h"
#include "curves/ui/CurveGridModel.h"
#include "curves/ui/GraphImage.h"
#include "kit/Controls.h"
#include "kit/Widgets.h"
#include "session/Session.h"
#include "store/Settings.h"
#include "store/Table.h"

namespace ampora::ui {

CurvePanel::CurvePanel(Session& session, QWidget* client)
    : session_(session), curveColor_(DefaultCurveColor) {
    buildPicker(client);
    buildGraph(client);
    for (int i = 0; i < 31; ++i) {
        bandDepth_[size_t(i)] = -1;
        bandX_[size_t(i)] = int32_t(std::nearbyint((i + 1) * GraphStepX + GraphLeft));
    }
    connectHandlers();
}

CurvePanel::~CurvePanel() = default;

QWidget* CurvePanel::window() const { return graph_->window(); }

void CurvePanel::buildPicker(QWidget* client) {
    picker_ = new QFrame(client);
    picker_->setObjectName(QStringLiteral("Panel2"));
    picker_->setGeometry(9, 6, 736, 515);
    picker_->setAutoFillBackground(true);
    pickerCaption_ = MakeLabel(picker_, "Label25", 21, 6, QString::fromUtf8("Имя кривой:"));
    {
        QFont f = pickerCaption_->font();
        f.setBold(true);
        f.setPixelSize(13);
        pickerCaption_->setFont(f);
        pickerCaption_->adjustSize();
    }
    grid_ = new QTableView(picker_);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setGeometry(0, 24, 417, 185);
    // The grid gets its model (and with it its 32 columns) when the picker
    // first opens: most runs never open it, and laying it out costs start-up.
    gridModel_ = new CurveGridModel(&session_.curveTable(), grid_);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(18);
    grid_->verticalHeader()->setFixedWidth(12);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A curve is picked by its row; Tab goes on to the name box and buttons.
    grid_->setTabKeyNavigation(false);
    nameBox_ = MakeEdit(picker_, 2, 16, 216, 225, QString());
    ok_ = new QPushButton(QStringLiteral("OK"), picker_);
    ok_->setObjectName(QStringLiteral("ButCurveOK"));
    ok_->setGeometry(245, 216, 75, 23);
    cancel_ = new QPushButton(QString::fromUtf8("Отмена"), picker_);
    cancel_->setObjectName(QStringLiteral("ButCancel"));
    cancel_->setGeometry(341, 216, 75, 23);
    // Enter on a focused button clicks it, as Space does.
    for (QPushButton* b : {ok_, cancel_}) b->setAutoDefault(true);
    printerBox_ = new QGroupBox(picker_);
    printerBox_->setObjectName(QStringLiteral("GroupBox4"));
    printerBox_->setGeometry(680, 480, 49, 30);
    printerBox_->setFlat(true);
    printer_ = new PictureBox(printerBox_);
    printer_->setObjectName(QStringLiteral("Image6"));
    printer_->setGeometry(0, 6, 49, 22);
    printer_->setPicture(PrinterPicture());
    printer_->setCursor(Qt::PointingHandCursor);
    // The picker lies behind everything until a curve command needs it, and
    // out of reach of the keyboard while it does.
    picker_->lower();
    for (QWidget* w : pickerControls()) w->setEnabled(false);
}

void CurvePanel::buildGraph(QWidget* client) {
    auto* panel = new QFrame(client);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 6, 729, 265);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    {
        QPalette pal = panel->palette();
        pal.setColor(QPalette::Window, Qt::white);
        panel->setPalette(pal);
    }
    graph_ = new GraphImage(panel, 616, 249);
    graph_->setObjectName(QStringLiteral("Image1"));
    graph_->setGeometry(8, 8, 616, 249);
    // A stop for the keyboard, so that a screen reader reads the curve; the
    // preset labels follow it.
    graph_->setFocusPolicy(Qt::TabFocus);

    auto grey = [](QLabel* l) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, QColor(128, 128, 128));
        l->setPalette(pal);
    };
    const char* dbTexts[] = {"0", "-10", "-20", "-30", "-40"};
    for (int i = 0; i < 5; ++i) {
        QLabel* l = MakeLabel(panel, QStringLiteral("Label%1").arg(i + 1), i == 0 ? 30 : 21,
                              38 + 36 * i, dbTexts[i]);
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
        grey(l);
    }
    grey(MakeLabel(panel, "Label6", 25, 15, "dB"));
    const char* hzTexts[] = {"20",  "40",  "80", "160", "320", "640",
                             "1к2", "2к5", "5к", "10к", "20к"};
    const int hzLefts[] = {50, 104, 158, 210, 264, 318, 372, 426, 480, 534, 582};
    for (int i = 0; i < 11; ++i)
        grey(MakeLabel(panel, QStringLiteral("Label%1").arg(i + 8), hzLefts[i], 212,
                       QString::fromUtf8(hzTexts[i])));
    grey(MakeLabel(panel, "Label7", 612, 212, "Hz"));
    MakeLabel(panel, "Label19", 40, 228, QString::fromUtf8("Уровень"));
    MakeLabel(panel, "Label20", 40, 240, QString::fromUtf8("Частота"));
    levelReadout_ = MakeLabel(panel, "Label21", 105, 228, "=");
    freqReadout_ = MakeLabel(panel, "Label22", 105, 240, "=");
    QLabel* title = MakeLabel(panel, "Label31", 104, 6,
                              QString::fromUtf8("Спектральное распределение мощности сигнала"));
    {
        QFont f = title->font();
        f.setBold(true);
        title->setFont(f);
        title->adjustSize();
    }
    curveName_ = MakeLabel(panel, "Label24", 250, 228, QString());

    const int presetTops[] = {31, 55, 79, 103, 127, 151};
    const char* presetNames[] = {"Label29", "Label30", "Label32", "Label33", "Label34", "Label35"};
    const char* presetTexts[] = {PresetCurveNames[0], PresetCurveNames[1], PresetCurveNames[2],
                                 PresetCurveNames[3], PresetCurveNames[4], "Другая"};
    for (int i = 0; i < 6; ++i) {
        auto* marker = new ShapeBox(panel, Qt::white, Qt::black, 5);
        marker->setObjectName(QStringLiteral("Shp%1").arg(i + 1));
        marker->setGeometry(630, 30 + 24 * i, 90, 16);
        marker->hide();
        markers_[size_t(i)] = marker;
    }
    for (int i = 0; i < 6; ++i) {
        QLabel* l =
            MakeLabel(panel, presetNames[i], 645, presetTops[i], QString::fromUtf8(presetTexts[i]));
        l->setCursor(Qt::PointingHandCursor);
        // Reached by Tab too, and opened by Space or Enter like a button.
        l->setTextInteractionFlags(Qt::NoTextInteraction);  // sets a focus policy too
        l->setFocusPolicy(Qt::TabFocus);
        presets_[size_t(i)] = l;
    }
    // Squares from left to right: Shape10, Shape9, Shape5, Shape7, Shape8, Shape6.
    const struct {
        int no;
        int left;
        uint32_t colour;
    } squares[] = {{5, 523, 0x0B7006}, {6, 595, 0x739BD8}, {7, 547, 0xFE0000},
                   {8, 571, 0x41B171}, {9, 499, 0x818101}, {10, 475, 0x818181}};
    for (const auto& s : squares) {
        auto* sq = new ShapeBox(panel, ColorFromInt(s.colour), Qt::black, 0);
        sq->setObjectName(QStringLiteral("Shape%1").arg(s.no));
        sq->setGeometry(s.left, 240, 12, 12);
        sq->setCursor(Qt::PointingHandCursor);
        sq->onMouseUp = [this, sq](Qt::MouseButton) {
            curveColor_ = IntFromColor(sq->brush());
            DrawGrid();
        };
    }
}

void CurvePanel::connectHandlers() {
    connect(ok_, &QPushButton::clicked, this, [this] { ButCurveOKClick(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { ButSelectCurveCancelClick(); });
    connect(nameBox_, &QLineEdit::returnPressed, this, [this] { ButCurveOKClick(); });
    connect(grid_, &QTableView::clicked, this, [this] { DBGrid1CellClick(); });
    auto pickerKeys = [this](QWidget* target, bool enterIsOk) {
        OnEvent(target, QEvent::KeyPress, [this, target, enterIsOk](QEvent* e) {
            // Only while the picker is in front.
            if (!target->isEnabled()) return false;
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (enterIsOk && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                ButCurveOKClick();
                return true;
            }
            if (key == Qt::Key_Escape) {
                ButSelectCurveCancelClick();
                return true;
            }
            return false;
        });
    };
    pickerKeys(grid_, true);
    pickerKeys(nameBox_, false);

    graph_->onMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };
    graph_->onClick = [this] { Image1Click(); };
    graph_->onMouseUp = [this](Qt::MouseButton b, int x, int y) { Image1MouseUp(b, x, y); };
    printer_->onClick = [this] { Image6Click(); };
    for (int i = 0; i < 6; ++i) {
        const QString name = i < 5 ? QString::fromUtf8(PresetCurveNames[size_t(i)]) : QString();
        const auto open = [this, i, name] {
            if (i < 5)
                CurveOpen(name);  // Shp1MouseUp .. Shp5MouseUp
            else
                CmdCurveOpenClick();  // Shp6MouseUp
        };
        QLabel* preset = presets_[size_t(i)];
        OnEvent(preset, QEvent::MouseButtonRelease, [open](QEvent*) {
            open();
            return true;
        });
        OnEvent(preset, QEvent::KeyPress, [open](QEvent* e) {
            const auto* key = static_cast<QKeyEvent*>(e);
            if (key->isAutoRepeat() ||
                (key->key() != Qt::Key_Space && key->key() != Qt::Key_Return &&
                 key->key() != Qt::Key_Enter))
                return false;
            open();
            return true;
        });
        // A label draws no focus frame of its own: underlined while it has the
        // focus.
        for (const QEvent::Type type : {QEvent::FocusIn, QEvent::FocusOut})
            OnEvent(preset, type, [preset, type](QEvent*) {
                QFont f = preset->font();
                f.setUnderline(type == QEvent::FocusIn);
                preset->setFont(f);
                return false;
            });
    }
    connect(&session_, &Session::curvePickCancelled, this, [this] { ButSelectCurveCancelClick(); });
    connect(&session_, &Session::designChanged, this,
            [this](const Design& d) { showDesignCurve(d); });
}

void CurvePanel::takeSettings(const SettingsValues& stored) { curveColor_ = stored.curveColor; }

void CurvePanel::openStoredCurve(int32_t recNo) {
    Table& table = session_.curveTable();
    try {
        table.setRecNo(recNo);
    } catch (const TableError&) {
        // An unreachable number: the table stays on its first record.
    }
    CurveOpen(table.recordCount() > 0 ? Q(table.fieldText(0)) : QString());
}

void CurvePanel::storeSettings(SettingsValues& stored) const {
    stored.savedCurveRecNo = session_.curveTable().recNo();
    stored.curveColor = curveColor_;
}

void CurvePanel::refreshGrid() { gridModel_->refresh(); }

void CurvePanel::detachGrid() {
    // The widgets outlive the tables: the grid must not read the curve table
    // after it is gone.
    grid_->setModel(nullptr);
}

}  // namespace ampora::ui
