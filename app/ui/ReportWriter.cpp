#include "app/ui/ReportWriter.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>
#include <cmath>
#include <iostream>

#include "calc/BandBreakdown.h"
#include "calc/PowerHandling.h"
#include "calc/ui/BandBreakdownWindow.h"
#include "calc/ui/PowerHandlingWindow.h"
#include "cli/Report.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"
#include "kit/Controls.h"
#include "kit/FileChooser.h"
#include "session/Session.h"

namespace ampora::ui {

namespace {

QString Tr(const LangTexts& t, int language) { return Q(TextIn(t, LanguageOfTextIndex(language))); }

QString FilterText(const FilterChoice& f) {
    static const char* types[] = {"———", "Bessel", "Butterworth", "Linkwitz"};
    if (f.type == FilterType::None) return QString::fromUtf8(types[0]);
    return QString::fromUtf8(types[int(f.type)]) + QLatin1Char(' ') + QString::number(f.order) +
           QStringLiteral(", ") + QString::number(f.cutHz) + QStringLiteral(" Hz");
}

// The spectrum as the graph shows it: a bar per band from -40 dB up to its
// level, on the graph's 10 dB grid and frequency scale.
void PaintSpectrum(QPainter& p, const QRectF& area, const Design& d, double unit) {
    p.save();
    const QColor silver(0xC0, 0xC0, 0xC0), grey(0x80, 0x80, 0x80);
    const QRectF plot = area.adjusted(8 * unit, 2 * unit, -6 * unit, -5 * unit);
    p.fillRect(area, Qt::white);
    const double slot = plot.width() / BandCount;
    const auto yOf = [&](double db) { return plot.top() + (-db) / 40.0 * plot.height(); };
    p.setPen(QPen(silver, 0));
    for (int db = 0; db >= -40; db -= 10) {
        p.drawLine(QPointF(plot.left(), yOf(db)), QPointF(plot.right(), yOf(db)));
        p.setPen(grey);
        p.drawText(QRectF(area.left(), yOf(db) - 2 * unit, 7 * unit, 4 * unit),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(db));
        p.setPen(QPen(silver, 0));
    }
    for (int i = 0; i < BandCount; ++i) {
        const int32_t level = d.spectrumLevels[size_t(i)];
        if (level < -40) continue;
        // A band at -40 dB keeps a sliver, as on the graph: it has a level.
        const QRectF bar(
            QPointF(plot.left() + (i + 0.1) * slot, std::min(yOf(level), yOf(-40) - 0.8 * unit)),
            QPointF(plot.left() + (i + 0.9) * slot, yOf(-40)));
        p.fillRect(bar, QColor(0x00, 0x00, 0xFE));
    }
    p.drawRect(plot);
    static const char* hz[] = {"20",  "40",  "80", "160", "320", "640",
                               "1к2", "2к5", "5к", "10к", "20к"};
    p.setPen(grey);
    for (int k = 0; k < 11; ++k) {
        const double cx = plot.left() + (3 * k + 0.5) * slot;
        p.drawText(QRectF(cx - 8 * unit, plot.bottom() + unit, 16 * unit, 4 * unit),
                   Qt::AlignCenter, QString::fromUtf8(hz[k]));
    }
    p.drawText(QRectF(plot.right(), plot.bottom() + unit, 6 * unit, 4 * unit), Qt::AlignCenter,
               QStringLiteral("Hz"));
    p.drawText(QRectF(area.left(), area.top() - 2 * unit, 7 * unit, 4 * unit),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("dB"));
    p.restore();
}

// Draws rows of cells; column widths in millimetres. Returns the y below.
double Table(QPainter& p, double x, double y, double unit, const std::vector<double>& widths,
             const std::vector<QStringList>& rows, int boldRows = 1, bool boldLast = false,
             int headerLines = 1) {
    const QFont normal = p.font();
    QFont bold = normal;
    bold.setBold(true);
    const double h = QFontMetricsF(normal).height() * 1.25;
    for (size_t r = 0; r < rows.size(); ++r) {
        p.setFont((int(r) < boldRows || (boldLast && r + 1 == rows.size())) ? bold : normal);
        double cx = x;
        // Column titles may wrap over a few lines; the cells never do.
        const double rowHeight = int(r) < boldRows ? h * headerLines : h;
        for (size_t c = 0; c < size_t(rows[r].size()) && c < widths.size(); ++c) {
            const QRectF cell(cx, y, widths[c] * unit - unit, rowHeight);
            p.drawText(cell,
                       (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom |
                           (int(r) < boldRows ? Qt::TextWordWrap : 0),
                       rows[r][int(c)]);
            cx += widths[c] * unit;
        }
        y += rowHeight;
    }
    p.setFont(normal);
    return y;
}

std::string FileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A report over its own design would destroy the design.
FileStatus WriteReportBytes(const QString& path, const ReportData& r, std::string_view bytes) {
    if (!r.file.isEmpty() && IsSameFile(FileName(r.file), FileName(path)))
        return {FileFault::SameAsInput, 0};
    return WriteFileSafely(FileName(path), bytes);
}

// The power-handling page of a design with ratings: per driver what it
// receives against what it can take, the limits, the pad resistors and the
// curve over the crossover point, as the window shows them.
bool PaintPowerHandlingPage(QPainter& p, QPdfWriter& pdf, const ReportData& r, QFont font) {
    if (!pdf.newPage()) return false;
    const double unit = pdf.resolution() / 25.4;
    const double width = pdf.width();
    const PowerHandlingTexts t = PowerHandlingTexts::For(r.language);
    const PowerHandling ph = EvaluatePowerHandling(r.design, r.ev);
    const char sep = r.decimalSep;
    const auto num = [sep](double v) { return Q(FormatResult(v, sep)); };
    double y = 0;
    const auto line = [&](const QString& text, double pt, bool bold = false) {
        font.setPointSizeF(pt);
        font.setBold(bold);
        p.setFont(font);
        const double h = QFontMetricsF(p.font()).height();
        p.drawText(QRectF(0, y, width, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += h * 1.2;
    };
    const auto size = [&](double pt) {
        font.setPointSizeF(pt);
        font.setBold(false);
        p.setFont(font);
    };

    line(t.title, 13, true);
    std::vector<QStringList> drivers = {
        {QString(), t.receives, t.rating, t.kind, t.permissible, t.load, t.headroom, QString()}};
    for (int k = 0; k < DriverCount; ++k) {
        const DriverHandling& h = ph.drivers[size_t(k)];
        if (!h.inUse) continue;
        QStringList row = {t.drivers[size_t(k)], num(h.receivedW)};
        if (h.rated)
            row << Q(FormatGeneral(h.ratedW, sep))
                << (h.iec ? t.iec + QLatin1Char(' ') + QString::number(h.iecCutUsedHz) +
                                QStringLiteral(" Hz")
                          : t.inDriver)
                << Q(FormatPermissibleW(h.permissibleW, sep)) << num(h.loadPct)
                << (std::isfinite(h.headroomDb) ? num(h.headroomDb) : QString())
                << (k == ph.limiting ? t.limitMark : QString());
        drivers.push_back(row);
    }
    size(9);
    y = Table(p, 0, y, unit, {22, 22, 20, 38, 24, 18, 20, 16}, drivers, 1, false, 2);
    y += 2 * unit;
    if (ph.hasLimit()) {
        line(t.limiting + QStringLiteral(": ") + t.drivers[size_t(ph.limiting)], 10.5, true);
        line(t.maxAmp + QStringLiteral(": ") + num(ph.maxAmpW), 10.5, true);
        line(t.maxSpl + QStringLiteral(": ") + num(ph.maxSplDb), 10.5, true);
    } else {
        line(t.noRatings, 10.5);
    }
    QString crest = t.crest + QStringLiteral(": ") + Q(FormatGeneral(ph.crestFactorDb, sep));
    if (ph.hasLimit())
        crest += QStringLiteral("; ") + t.sine + QStringLiteral(": ") + num(ph.ampSineRatingW);
    line(crest, 9.5);
    if (ph.targetSplDb) {
        QString target = t.target + QStringLiteral(": ") + Q(FormatGeneral(*ph.targetSplDb, sep)) +
                         QStringLiteral("; ") + t.targetAmp + QStringLiteral(": ") +
                         num(ph.targetAmpW);
        if (ph.hasLimit())
            target += QStringLiteral(" (") + (ph.targetWithinMax ? t.within : t.beyond) + ")";
        line(target, 9.5);
    }
    y += 2 * unit;
    if (ph.resistorCount > 0) {
        line(t.pads, 11, true);
        std::vector<QStringList> pads = {{QString(), t.ohm, t.now, t.atMax, t.suggested}};
        for (int i = 0; i < ph.resistorCount; ++i) {
            const ResistorHandling& res = ph.resistors[size_t(i)];
            pads.push_back(
                {t.sinkName(res.sink), Q(FormatGeneral(res.ohm, sep)), num(res.nowW),
                 ph.hasLimit() ? num(res.atMaxW) : QString(),
                 res.suggestedW > 0 ? QString::number(res.suggestedW) : QStringLiteral("> 100")});
        }
        size(9);
        y = Table(p, 0, y, unit, {30, 18, 26, 36, 46}, pads, 1, false, 2);
        line(ph.hasLimit() ? t.notePeaks : t.noteNow, 8.5);
        y += 2 * unit;
    }
    if (ph.hasLimit()) {
        line(t.moves, 11, true);
        // Drawn at screen proportions and scaled, as the per-band plot.
        p.save();
        const double scale = width / 720.0;
        p.translate(0, y);
        p.scale(scale, scale);
        QFont plotFont(QStringLiteral("Liberation Sans"));
        plotFont.setPixelSize(11);
        p.setFont(plotFont);
        const LimitMark mark{true, r.design.tweeterHighPass.cutHz, ph.maxSplDb};
        PaintLimitCurve(p, QRectF(0, 0, 720, 240), WhatMovesTheLimit(r.design), mark, t, sep);
        p.restore();
    }
    return true;
}

}  // namespace

FileStatus WriteReportPdf(const QString& path, const ReportData& r) {
    // Drawn into memory: only a whole report reaches the file.
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const FileStatus drawFailed{FileFault::System, EIO};
    const int l = r.language;
    const BreakdownTexts bt = BreakdownTexts::For(l, r.decimalSep);
    {
        QPdfWriter pdf(&out);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
        pdf.setResolution(600);
        pdf.setTitle(QStringLiteral("Ampora: ") + r.name);
        pdf.setCreator(QStringLiteral("Ampora"));
        QPainter p;
        if (!p.begin(&pdf)) return drawFailed;
        const double unit = pdf.resolution() / 25.4;  // device pixels per millimetre
        const QRectF page(QPointF(0, 0), QSizeF(pdf.width(), pdf.height()));
        QFont font(QStringLiteral("Liberation Sans"));
        const auto setSize = [&](double pt, bool bold = false) {
            font.setPointSizeF(pt);
            font.setBold(bold);
            p.setFont(font);
        };
        double y = 0;
        const auto line = [&](const QString& text, double pt, bool bold = false) {
            setSize(pt, bold);
            const double h = QFontMetricsF(p.font()).height();
            p.drawText(QRectF(0, y, page.width(), h), Qt::AlignLeft | Qt::AlignVCenter, text);
            y += h * 1.2;
        };

        line(QStringLiteral("Ampora: ") + r.name, 18, true);
        line(Tr(LabelReportDate, l) + r.date.toString(Qt::ISODate) +
                 (r.file.isEmpty() ? QString()
                                   : QStringLiteral("   ") + QFileInfo(r.file).fileName()),
             9);
        y += 2 * unit;

        // Inputs.
        const Design& d = r.design;
        const auto real = [&](double v) { return Q(FormatGeneral(v, r.decimalSep)); };
        line(Tr(LabelReportInputs, l), 13, true);
        setSize(9.5);
        line(Tr(LabelAmpPowerW, l) + QStringLiteral(": ") + QString::number(d.ampPowerW), 9.5);
        line(Tr(LabelSpectrum, l) + QStringLiteral(": ") + Q(d.spectrumName), 9.5);
        // One column per driver, so that long captions keep to the left.
        const QString off = Tr(LabelMidOff, l);
        const auto yesNo = [&](bool v) { return Tr(v ? LabelYes : LabelNo, l); };
        QString midFilter = off;
        if (d.midOn) {
            const FilterChoice& lo = d.midHighPass;
            const FilterChoice& hi = d.midLowPass;
            midFilter = lo.type == hi.type && lo.order == hi.order && lo.type != FilterType::None
                            ? FilterText(lo).section(QLatin1Char(','), 0, 0) +
                                  QStringLiteral(", ") + QString::number(lo.cutHz) +
                                  QStringLiteral("–") + QString::number(hi.cutHz) +
                                  QStringLiteral(" Hz")
                            : FilterText(lo) + QStringLiteral(" / ") + FilterText(hi);
        }
        const std::vector<QStringList> inputs = {
            {QString(), bt.drivers[Bass], bt.drivers[Mid], bt.drivers[Tweeter]},
            {Tr(LabelSensitivity, l), real(d.bass.sensitivityDb),
             d.midOn ? real(d.mid.sensitivityDb) : off, real(d.tweeter.sensitivityDb)},
            {Tr(LabelImpedance, l), real(d.bass.impedanceOhm),
             d.midOn ? real(d.mid.impedanceOhm) : off, real(d.tweeter.impedanceOhm)},
            {Tr(LabelCrossover, l), FilterText(d.bassLowPass), midFilter,
             FilterText(d.tweeterHighPass)},
            {Tr(LabelEqualiseZ, l), QString(), d.midOn ? yesNo(d.midEqualise) : off,
             yesNo(d.tweeterEqualise)}};
        setSize(9);
        y = Table(p, 0, y, unit, {54, 42, 42, 42}, inputs);
        setSize(9.5);
        if (r.ev.linkwitz.active)
            line(Tr(LabelLinkwitz, l) + QStringLiteral(": F1 ") +
                     QString::number(r.ev.linkwitz.f1) + QStringLiteral(" Hz → F2 ") +
                     QString::number(r.ev.linkwitz.f2) + QStringLiteral(" Hz, ") +
                     QString::number(r.ev.linkwitz.db[0]),
                 9.5);
        else
            line(Tr(LabelLinkwitzOff, l), 9.5);
        y += 2 * unit;

        // Results.
        line(Tr(LabelReportResults, l), 13, true);
        const BandBreakdown b = MakeBandBreakdown(d, r.ev);
        if (!r.stopMessage.isEmpty()) {
            line(bt.stopped + r.stopMessage.simplified(), 10.5, true);
        } else {
            const PowerTexts& t = r.ev.texts;
            const PadTexts pad = FormatPadsWithUnit(r.ev.pads, r.ev.power, r.decimalSep);
            setSize(9.5);
            std::vector<QStringList> results = {
                {QString(), Tr(LabelPower, l), Tr(LabelSpl, l), Tr(LabelPad, l)},
                {bt.drivers[Bass], Q(t.bass), Q(t.splB), QString()}};
            if (d.midOn)
                results.push_back(
                    {bt.drivers[Mid], Q(t.mid), Q(t.splM),
                     Q(pad.rsM) + (pad.rsM.empty() || pad.rpM.empty() ? "" : "    ") + Q(pad.rpM)});
            results.push_back(
                {bt.drivers[Tweeter], Q(t.tweeter), Q(t.splT),
                 Q(pad.rsT) + (pad.rsT.empty() || pad.rpT.empty() ? "" : "    ") + Q(pad.rpT)});
            y = Table(p, 0, y, unit, {22, 30, 30, 98}, results);
            setSize(10.5, true);
            line(Tr(LabelTotalSpl, l) + QStringLiteral(": ") + Q(t.splTot), 10.5, true);
        }
        y += 2 * unit;

        // The spectrum, as a picture.
        line(Tr(LabelSpectrum, l) + QStringLiteral(": ") + Q(d.spectrumName), 11, true);
        setSize(7);
        PaintSpectrum(p, QRectF(0, y + 3 * unit, page.width(), 62 * unit), d, unit);
        y += 70 * unit;

        // The per-band plot and table on a page of their own.
        if (!pdf.newPage()) return drawFailed;
        y = 0;
        line(bt.title, 13, true);
        if (!r.stopMessage.isEmpty()) line(bt.stopped + r.stopMessage.simplified(), 10.5, true);
        setSize(7);
        // The plot is drawn at screen proportions and scaled, so its lines
        // and letters keep the window's weight.
        p.save();
        const double scale = page.width() / 720.0;
        p.translate(0, y);
        p.scale(scale, scale);
        QFont plotFont(QStringLiteral("Liberation Sans"));
        plotFont.setPixelSize(11);
        p.setFont(plotFont);
        PaintBandPlot(p, QRectF(0, 0, 720, 260), r.stopMessage.isEmpty() ? b : BandBreakdown{}, bt);
        p.restore();
        y += 260 * scale + 3 * unit;
        setSize(7);
        if (r.stopMessage.isEmpty()) {
            std::vector<QStringList> rows;
            QStringList head = {bt.frequency, bt.level};
            for (Sink s : b.sinks) {
                head << bt.columnName(b, s) + QStringLiteral(", ") + bt.watts;
                if (IsDriver(s)) head << QStringLiteral("%");
            }
            rows.push_back(head);
            const auto num = [&](double v, double scale10) {
                return Q(FormatGeneral(RoundHalfEven(v * scale10) / scale10, r.decimalSep));
            };
            for (const BandBreakdownRow& row : b.rows) {
                QStringList cells = {
                    QString::number(row.freqHz),
                    row.levelDb == NoBandLevel ? QString() : QString::number(row.levelDb)};
                for (Sink s : b.sinks) {
                    cells << num(row.powerW[size_t(s)], 100);
                    if (IsDriver(s)) cells << num(row.sharePct[size_t(s)], 10);
                }
                rows.push_back(cells);
            }
            QStringList total = {bt.total, QString()};
            for (Sink s : b.sinks) {
                total << Q(b.totalText[size_t(s)]);
                if (IsDriver(s)) total << QStringLiteral("100");
            }
            rows.push_back(total);
            std::vector<double> widths = {17, 22};
            const double rest =
                (page.width() / unit - 39) / std::max<double>(1, double(head.size() - 2));
            for (int c = 2; c < head.size(); ++c) widths.push_back(rest);
            // A pad resistor's column title takes three lines with its resistance.
            Table(p, 0, y, unit, widths, rows, 1, true, 3);
        }
        if (r.stopMessage.isEmpty() && !d.powerHandling.empty() &&
            !PaintPowerHandlingPage(p, pdf, r, QFont(QStringLiteral("Liberation Sans"))))
            return drawFailed;
        if (!p.end()) return drawFailed;
    }
    const QByteArray& pdf = out.data();
    return WriteReportBytes(path, r, std::string_view(pdf.constData(), size_t(pdf.size())));
}

FileStatus WriteReportCsv(const QString& path, const ReportData& r) {
    EvaluatedFile f;
    // The report names its design by the file's name; where it lies is the
    // writer's business, not the reader's.
    f.path = S(r.file.isEmpty() ? r.name : QFileInfo(r.file).fileName());
    f.design = r.design;
    f.evaluation = r.ev;
    return WriteReportBytes(path, r, ReportCsv(f, r.language));
}

ReportData CurrentReport(const Session& session) {
    ReportData r;
    r.design = session.design();
    r.language = TextIndex(session.language());
    r.ev = Evaluate(r.design);
    if (r.ev.stop != CalcStop::None) r.stopMessage = Q(StopMessage(r.ev.stop, r.language));
    r.file = session.designPath();
    r.name = r.file.isEmpty() ? session.CurCurveName : QFileInfo(r.file).completeBaseName();
    if (r.name.isEmpty()) r.name = QStringLiteral("Ampora");
    r.date = QDate::currentDate();
    r.decimalSep = r.design.decimalSeparator;
    return r;
}

void InstallReportCommand(const Session& session, QWidget* main, QMenu* file, QAction* before) {
    auto* item = new QAction(file);
    item->setObjectName(QStringLiteral("CmdExportReport"));
    file->insertAction(before, item);
    QObject::connect(item, &QAction::triggered, main, [&session, main] {
        const ReportData r = CurrentReport(session);
        QString path = ChooseExportFile(main, {session.designPath(), session.userFolder()},
                                        Tr(CaptionExportReport, r.language), r.name,
                                        QStringLiteral(".pdf"), Tr(FilterReportFiles, r.language));
        if (!path.isEmpty()) {
            if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
            const bool csv =
                QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
            const FileStatus s = csv ? WriteReportCsv(path, r) : WriteReportPdf(path, r);
            if (!s.ok())
                ShowMessage(main, session.text(MsgFileWriteFailed) + path + QLatin1Char('\n') +
                                      Q(FileStatusText(s, TextIndex(session.language()))));
        }
        main->activateWindow();
    });
    const auto retranslate = [&session, item] { item->setText(session.text(CaptionExportReport)); };
    retranslate();
    QObject::connect(&session, &Session::languageChanged, item, retranslate);
}

int RunReportCommand(int argc, char** argv) {
    return cli::RunReport(argc, argv, std::cout, std::cerr,
                          [argv](const cli::ReportOptions& o, const EvaluatedFile& f) {
                              ReportData r;
                              r.file = QFile::decodeName(QByteArray::fromStdString(o.input));
                              r.name = QFileInfo(r.file).completeBaseName();
                              r.date = QDate::currentDate();
                              r.design = f.design;
                              r.ev = f.evaluation;
                              r.stopMessage = Q(StopMessage(f.evaluation.stop, o.language));
                              r.language = o.language;
                              r.decimalSep = f.design.decimalSeparator;
                              // Painting needs an application object; no display is asked for.
                              qputenv("QT_QPA_PLATFORM", "offscreen");
                              int qargc = 1;
                              char* qargv[] = {argv[0], nullptr};
                              QApplication app(qargc, qargv);
                              return WriteReportPdf(
                                  QFile::decodeName(QByteArray::fromStdString(o.output)), r);
                          });
}

}  // namespace ampora::ui
