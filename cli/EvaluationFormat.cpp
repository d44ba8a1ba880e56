#include "cli/EvaluationFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <vector>

#include "calc/LPad.h"
#include "calc/PowerHandling.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"

namespace ampora {

namespace {

using Json = nlohmann::ordered_json;

size_t Lang(int language) { return language >= 0 && language <= 2 ? size_t(language) : 0; }

// Width in characters, for columns that hold Cyrillic labels.
size_t Width(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string Pad(std::string s, size_t width) {
    const size_t w = Width(s);
    if (w < width) s.append(width - w, ' ');
    return s;
}

std::string Message(const EvaluatedFile& f, int language) {
    if (f.problem) return DesignProblemText(f.problem, language);
    return StopMessage(f.evaluation.stop, language);
}

bool HasSeries(double rs) { return rs > 0.0; }
bool HasParallel(double rp) { return rp > 0.0 && rp < NoParallelResistor; }

Json Pad(double rs, double rp, double rsW, double rpW) {
    Json j;
    j["seriesOhm"] = HasSeries(rs) ? Json(rs) : Json();
    j["seriesW"] = HasSeries(rs) ? Json(rsW) : Json();
    j["parallelOhm"] = HasParallel(rp) ? Json(rp) : Json();
    j["parallelW"] = HasParallel(rp) ? Json(rpW) : Json();
    return j;
}

Json PerDriver(double bass, double mid, double tweeter) {
    return Json{{"bass", bass}, {"midrange", mid}, {"tweeter", tweeter}};
}

// The UTF-8 sequence at s[i]: its length when it is a valid one (0 when not)
// and, when not, how many bytes its ill-formed start takes (at least one),
// which become one U+FFFD.
struct Utf8Step {
    size_t valid = 0, invalid = 0;
};

Utf8Step StepUtf8(std::string_view s, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = b(i);
    if (lead < 0x80) return {1, 0};
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead == 0xE0)
        length = 3, low = 0xA0;
    else if (lead >= 0xE1 && lead <= 0xEC)
        length = 3;
    else if (lead == 0xED)
        length = 3, high = 0x9F;
    else if (lead >= 0xEE && lead <= 0xEF)
        length = 3;
    else if (lead == 0xF0)
        length = 4, low = 0x90;
    else if (lead >= 0xF1 && lead <= 0xF3)
        length = 4;
    else if (lead == 0xF4)
        length = 4, high = 0x8F;
    else
        return {0, 1};
    size_t k = 1;
    for (; k < length && i + k < s.size(); ++k) {
        const unsigned char c = b(i + k);
        if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF)) return {0, k};
    }
    if (k < length) return {0, k};
    return {length, 0};
}

std::string Escaped(const char* format, unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, format, c);
    return buf;
}

// Power-handling rows as the window shows them: a driver's name, then
// resistor names as the per-band window writes them ("Tweeter Rs").
std::string SinkLabel(Sink s, size_t l) {
    const char* drivers[] = {LabelBass[l], LabelMid[l], LabelTweeter[l]};
    switch (s) {
        case Sink::MidSeries: return std::string(drivers[Mid]) + " Rs";
        case Sink::MidParallel: return std::string(drivers[Mid]) + " Rp";
        case Sink::TweeterSeries: return std::string(drivers[Tweeter]) + " Rs";
        case Sink::TweeterParallel: return std::string(drivers[Tweeter]) + " Rp";
        default: return drivers[int(s)];
    }
}

// Rows of cells in columns two blanks apart, each line indented.
std::string Columns(const std::vector<std::vector<std::string>>& rows) {
    std::vector<size_t> width;
    for (const auto& r : rows)
        for (size_t c = 0; c < r.size(); ++c) {
            if (width.size() <= c) width.push_back(0);
            width[c] = std::max(width[c], Width(r[c]) + 2);
        }
    std::string out;
    for (const auto& r : rows) {
        std::string line = "  ";
        for (size_t c = 0; c < r.size(); ++c) line += Pad(r[c], width[c]);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

std::string PowerHandlingText(const EvaluatedFile& f, size_t l) {
    const PowerHandling ph = EvaluatePowerHandling(f.design, f.evaluation);
    const char sep = f.design.decimalSeparator;
    const auto num = [sep](double v) { return FormatResult(v, sep); };
    std::string out = "  " + std::string(CaptionPowerHandling[l]) + "\n";
    std::vector<std::vector<std::string>> rows = {{"", LabelReceivedW[l], LabelRatingW[l],
                                                   LabelRatingKind[l], LabelPermissibleW[l],
                                                   LabelLoadPct[l], LabelHeadroomDb[l]}};
    const char* names[] = {LabelBass[l], LabelMid[l], LabelTweeter[l]};
    for (int k = 0; k < DriverCount; ++k) {
        const DriverHandling& h = ph.drivers[size_t(k)];
        if (!h.inUse) continue;
        std::vector<std::string> row = {names[k], num(h.receivedW)};
        if (h.rated) {
            row.push_back(FormatGeneral(h.ratedW, sep));
            row.push_back(h.iec ? std::string(LabelKindIec[l]) + " " +
                                      std::to_string(h.iecCutUsedHz) + " Hz"
                                : LabelKindInDriver[l]);
            row.push_back(FormatPermissibleW(h.permissibleW, sep));
            row.push_back(num(h.loadPct));
            row.push_back(std::isfinite(h.headroomDb) ? num(h.headroomDb) : "");
            if (k == ph.limiting) row.push_back(LabelLimitingMark[l]);
        }
        rows.push_back(row);
    }
    out += Columns(rows);
    if (!ph.hasLimit()) {
        out += "  " + std::string(LabelNoRatings[l]) + "\n";
    } else {
        out += "  " + std::string(LabelLimitingDriver[l]) + ": " + names[ph.limiting] + "\n";
        out += "  " + std::string(LabelMaxAmpW[l]) + ": " + num(ph.maxAmpW) + "\n";
        out += "  " + std::string(LabelMaxSplDb[l]) + ": " + num(ph.maxSplDb) + "\n";
    }
    out += "  " + std::string(LabelCrestFactorDb[l]) + ": " + FormatGeneral(ph.crestFactorDb, sep);
    if (ph.hasLimit()) out += "; " + std::string(LabelAmpSineW[l]) + ": " + num(ph.ampSineRatingW);
    out += "\n";
    if (ph.targetSplDb) {
        out += "  " + std::string(LabelTargetSplDb[l]) + ": " +
               FormatGeneral(*ph.targetSplDb, sep) + "; " + LabelTargetAmpW[l] + ": " +
               num(ph.targetAmpW);
        if (ph.hasLimit())
            out += std::string(" (") +
                   (ph.targetWithinMax ? LabelWithinMax[l] : LabelBeyondMax[l]) + ")";
        out += "\n";
    }
    if (ph.resistorCount > 0) {
        std::vector<std::vector<std::string>> pads = {
            {LabelPadResistors[l], LabelOhm[l], LabelNowW[l], LabelAtMaxW[l], LabelSuggestedW[l]}};
        for (int i = 0; i < ph.resistorCount; ++i) {
            const ResistorHandling& r = ph.resistors[size_t(i)];
            pads.push_back({SinkLabel(r.sink, l), FormatGeneral(r.ohm, sep), num(r.nowW),
                            ph.hasLimit() ? num(r.atMaxW) : "",
                            r.suggestedW > 0 ? std::to_string(r.suggestedW) : "> 100"});
        }
        out += Columns(pads);
        out += "  " + std::string(ph.hasLimit() ? NoteResistorPeaks[l] : NoteResistorNow[l]) + "\n";
    }
    const LimitCurve curve = WhatMovesTheLimit(f.design);
    if (curve.any()) {
        out += "  " + std::string(LabelWhatMovesLimit[l]) + ":";
        for (int i = 0; i < LimitCurvePoints; ++i) {
            const LimitPoint& p = curve.points[size_t(i)];
            out += i == 0 ? " " : ", ";
            out += std::to_string(p.freqHz) + " Hz " + (p.limiting >= 0 ? num(p.maxSplDb) : "-");
        }
        out += "\n";
    }
    return out;
}

Json Finite(double v) { return std::isfinite(v) ? Json(v) : Json(); }

Json PowerHandlingJson(const EvaluatedFile& f) {
    const PowerHandling ph = EvaluatePowerHandling(f.design, f.evaluation);
    const bool ran = ph.stop == CalcStop::None;
    Json j;
    Json drivers;
    for (int k = 0; k < DriverCount; ++k) {
        const DriverHandling& h = ph.drivers[size_t(k)];
        Json d;
        d["inUse"] = h.inUse;
        d["rated"] = h.rated;
        d["kind"] = !h.rated ? Json() : Json(h.iec ? "iecDataSheet" : "inDriver");
        d["ratedW"] = h.rated ? Json(h.ratedW) : Json();
        d["iecCutHz"] = h.iec ? Json(h.iecCutHz) : Json();
        d["iecCutUsedHz"] = h.iec ? Json(h.iecCutUsedHz) : Json();
        d["permissibleW"] = h.rated ? Json(h.permissibleW) : Json();
        d["receivedW"] = ran && h.inUse ? Json(h.receivedW) : Json();
        d["loadPct"] = ran && h.rated ? Json(h.loadPct) : Json();
        d["headroomDb"] = ran && h.rated ? Finite(h.headroomDb) : Json();
        drivers[DriverKey(k)] = d;
    }
    j["drivers"] = drivers;
    const bool limit = ph.hasLimit();
    j["limitingDriver"] = limit ? Json(DriverKey(ph.limiting)) : Json();
    j["headroomDb"] = limit ? Json(ph.headroomDb) : Json();
    j["maxAmplifierW"] = limit ? Json(ph.maxAmpW) : Json();
    j["maxSplDb"] = limit ? Json(ph.maxSplDb) : Json();
    j["crestFactorDb"] = ph.crestFactorDb;
    j["amplifierSineRatingW"] = limit ? Json(ph.ampSineRatingW) : Json();
    Json resistors = Json::array();
    for (int i = 0; i < ph.resistorCount; ++i) {
        const ResistorHandling& r = ph.resistors[size_t(i)];
        resistors.push_back({{"resistor", SinkKey(r.sink)},
                             {"ohm", r.ohm},
                             {"nowW", r.nowW},
                             {"atMaxW", limit ? Json(r.atMaxW) : Json()},
                             {"suggestedW", r.suggestedW > 0 ? Json(r.suggestedW) : Json()}});
    }
    j["resistors"] = resistors;
    if (ph.targetSplDb && ran) {
        j["target"] = {{"splDb", *ph.targetSplDb},
                       {"amplifierW", ph.targetAmpW},
                       {"withinMax", limit ? Json(ph.targetWithinMax) : Json()}};
    } else {
        j["target"] = ph.targetSplDb ? Json{{"splDb", *ph.targetSplDb}} : Json();
    }
    const LimitCurve curve = ran && limit ? WhatMovesTheLimit(f.design) : LimitCurve{};
    if (curve.any()) {
        Json points = Json::array();
        for (const LimitPoint& p : curve.points)
            points.push_back(
                {{"crossoverHz", p.freqHz},
                 {"maxSplDb", p.limiting >= 0 ? Json(p.maxSplDb) : Json()},
                 {"limitingDriver", p.limiting >= 0 ? Json(DriverKey(p.limiting)) : Json()}});
        j["whatMovesTheLimit"] = {
            {"follower", curve.follower >= 0 ? Json(DriverKey(curve.follower)) : Json()},
            {"points", points}};
    } else {
        j["whatMovesTheLimit"] = Json();
    }
    return j;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const Utf8Step step = StepUtf8(text, i);
        if (step.valid) {
            out.append(text.substr(i, step.valid));
            i += step.valid;
        } else {
            out += "\xEF\xBF\xBD";
            i += step.invalid;
        }
    }
    return out;
}

std::string TerminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const Utf8Step step = StepUtf8(text, i);
        const auto c = static_cast<unsigned char>(text[i]);
        if (step.valid == 1 && (c < 0x20 || c == 0x7F)) {
            out += Escaped("\\x%02x", c);
        } else if (step.valid == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            out += Escaped("\\u00%02x", static_cast<unsigned char>(text[i + 1]));
        } else if (!step.valid && c >= 0x80 && c <= 0x9F) {
            out += Escaped("\\x%02x", c);  // a C1 control of an 8-bit terminal
            i += 1;
            continue;
        } else if (!step.valid) {
            out += char(c);
            i += 1;
            continue;
        } else {
            out.append(text.substr(i, step.valid));
        }
        i += step.valid;
    }
    return out;
}

const char* StatusName(const EvaluatedFile& f) {
    if (f.problem) return "error";
    return f.evaluation.stop == CalcStop::None ? "ok" : "stopped";
}

const char* StopName(CalcStop stop) {
    switch (stop) {
        case CalcStop::None: return "";
        case CalcStop::MidTooWeak: return "midrangeTooWeak";
        case CalcStop::TweeterTooWeak: return "tweeterTooWeak";
        case CalcStop::BadImpedance: return "badImpedance";
        case CalcStop::BadAmpPower: return "badAmplifierPower";
        case CalcStop::NoSignal: return "noSignal";
        case CalcStop::OutOfRange: return "outOfRange";
        case CalcStop::NoCurve: return "noCurve";
    }
    return "";
}

std::string EvaluationText(const EvaluatedFile& f, int language) {
    const size_t l = Lang(language);
    std::string out = TerminalText(f.path) + "\n";
    if (f.problem) return out + "  " + LabelError[l] + TerminalText(Message(f, language)) + "\n\n";
    out += "  " + std::string(LabelSpectrum[l]) + ": " + TerminalText(f.design.spectrumName) + "\n";
    if (f.evaluation.stop != CalcStop::None)
        return out + "  " + LabelStopped[l] + TerminalText(Message(f, language)) + "\n\n";

    const PowerTexts& t = f.evaluation.texts;
    const std::string names[] = {LabelBass[l], LabelMid[l], LabelTweeter[l], LabelTotal[l]};
    size_t nameWidth = 0;
    for (const std::string& n : names) nameWidth = std::max(nameWidth, Width(n));
    nameWidth += 2;
    const size_t powerWidth = std::max<size_t>(Width(LabelPower[l]), 6) + 2;
    const size_t splWidth = std::max<size_t>(Width(LabelSpl[l]), 6) + 2;
    auto row = [&](const std::string& name, const std::string& power, const std::string& spl,
                   std::string pads) {
        std::string line = "  " + Pad(name, nameWidth) + Pad(power, powerWidth);
        line += pads.empty() ? spl : Pad(spl, splWidth) + pads;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        return line + "\n";
    };
    auto pads = [](const std::string& rs, const std::string& rp) {
        if (rs.empty() || rp.empty()) return rs + rp;
        return rs + "   " + rp;
    };
    out += row("", LabelPower[l], LabelSpl[l], LabelPad[l]);
    out += row(names[0], t.bass, t.splB, "");
    const PadTexts r =
        FormatPadsWithUnit(f.evaluation.pads, f.evaluation.power, f.design.decimalSeparator);
    out += row(names[1], t.mid, t.splM, pads(r.rsM, r.rpM));
    out += row(names[2], t.tweeter, t.splT, pads(r.rsT, r.rpT));
    out += row(names[3], "", t.splTot, "");
    const LinkwitzResult& lw = f.evaluation.linkwitz;
    if (lw.active) {
        out += "  " + std::string(LabelLinkwitz[l]) + ":";
        for (int b = 0; b < LinkwitzBands; ++b) {
            out += b == 0 ? " " : ", ";
            out += std::to_string(BandGrid[size_t(b)]) + " Hz " + std::to_string(lw.db[size_t(b)]);
        }
        out += "\n";
    }
    if (!f.design.powerHandling.empty()) out += PowerHandlingText(f, l);
    return out + "\n";
}

std::string EvaluationJson(const EvaluatedFile& f, int language) {
    Json j;
    j["file"] = ValidUtf8(f.path);
    j["status"] = StatusName(f);
    // Replacing what is still not UTF-8 keeps dump() from throwing.
    const auto dump = [](const Json& value) {
        return value.dump(2, ' ', false, Json::error_handler_t::replace);
    };
    if (f.problem) {
        j["message"] = Message(f, language);
        return dump(j);
    }
    const Evaluation& e = f.evaluation;
    j["stop"] = e.stop == CalcStop::None ? Json() : Json(StopName(e.stop));
    j["message"] = e.stop == CalcStop::None ? Json() : Json(Message(f, language));
    j["spectrum"] = f.design.spectrumName;
    Json lw;
    lw["active"] = e.linkwitz.active;
    lw["f1Hz"] = e.linkwitz.f1;
    lw["f2Hz"] = e.linkwitz.f2;
    lw["boostDb"] = e.linkwitz.db;
    lw["listing"] = e.linkwitz.listing;
    j["linkwitz"] = lw;
    j["midrangeEqualiseCleared"] = e.midEqCleared;
    j["tweeterEqualiseCleared"] = e.tweeterEqCleared;
    j["midrangeEdgesHz"] = {e.midLowHz, e.midHighHz};
    j["midrangeEdgesSwapped"] = e.midEdgesSwapped;
    const LevelMatch& m = e.pads;
    const PowerResult& p = e.power;
    j["reference"] = {{"bassVoltageV", m.uB}, {"bassCurrentA", m.iB}};
    j["pads"] = {{"midrange", Pad(m.rsM, m.rpM, p.wRsM, p.wRpM)},
                 {"tweeter", Pad(m.rsT, m.rpT, p.wRsT, p.wRpT)}};
    j["signal"] = PerDriver(p.eB, p.eM, p.eT);
    j["scale"] = p.k;
    j["powerW"] = PerDriver(p.pB, p.pM, p.pT);
    Json spl = PerDriver(p.lB, p.lM, p.lT);
    spl["total"] = p.lTot;
    j["splDb"] = spl;
    const PowerTexts& t = e.texts;
    j["texts"] = {{"bassW", t.bass},     {"midrangeW", t.mid},  {"tweeterW", t.tweeter},
                  {"midrangeRs", t.rsM}, {"midrangeRp", t.rpM}, {"tweeterRs", t.rsT},
                  {"tweeterRp", t.rpT},  {"bassDb", t.splB},    {"midrangeDb", t.splM},
                  {"tweeterDb", t.splT}, {"totalDb", t.splTot}};
    Json bands = Json::array();
    for (const BandShare& b : e.bands) {
        bands.push_back({{"freqHz", b.freqHz},
                         {"weight", b.weight},
                         {"gain", PerDriver(b.gain[Bass], b.gain[Mid], b.gain[Tweeter])},
                         {"powerW", PerDriver(b.powerW[Bass], b.powerW[Mid], b.powerW[Tweeter])}});
    }
    j["bands"] = bands;
    j["filterChainsBuilt"] = e.filterChainsBuilt;
    j["lastFilterGain"] = e.filterGain;
    j["lastNearestBandIndex"] = e.nearestBandIndex;
    j["powerHandling"] = PowerHandlingJson(f);
    return dump(j);
}

std::string CsvField(const std::string& value) {
    std::string v = ValidUtf8(value);
    if (!v.empty() && std::string_view("=+-@\t\r").find(v[0]) != std::string_view::npos)
        v.insert(0, 1, '\'');
    if (v.find_first_of(",\"\r\n") == std::string::npos) return v;
    std::string out = "\"";
    for (char c : v) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string CsvHeader() {
    return "file,status,message,spectrum,bass_w,midrange_w,tweeter_w,"
           "midrange_rs_ohm,midrange_rs_w,midrange_rp_ohm,midrange_rp_w,"
           "tweeter_rs_ohm,tweeter_rs_w,tweeter_rp_ohm,tweeter_rp_w,"
           "bass_db,midrange_db,tweeter_db,total_db,linkwitz_boost_db,"
           "limiting_driver,max_amp_w,max_spl_db,bass_headroom_db,midrange_headroom_db,"
           "tweeter_headroom_db,amp_sine_rating_w\r\n";
}

std::string CsvRow(const EvaluatedFile& f, int language) {
    std::string row = CsvField(f.path) + "," + StatusName(f) + "," + CsvField(Message(f, language));
    const bool ok = !f.problem && f.evaluation.stop == CalcStop::None;
    row += "," + (f.problem ? std::string() : CsvField(f.design.spectrumName));
    auto num = [&](double v, bool present = true) {
        row += ",";
        if (ok && present) row += FormatResult(v, '.');
    };
    const LevelMatch& m = f.evaluation.pads;
    const PowerResult& p = f.evaluation.power;
    num(p.pB);
    num(p.pM);
    num(p.pT);
    num(m.rsM, HasSeries(m.rsM));
    num(p.wRsM, HasSeries(m.rsM));
    num(m.rpM, HasParallel(m.rpM));
    num(p.wRpM, HasParallel(m.rpM));
    num(m.rsT, HasSeries(m.rsT));
    num(p.wRsT, HasSeries(m.rsT));
    num(m.rpT, HasParallel(m.rpT));
    num(p.wRpT, HasParallel(m.rpT));
    num(p.lB);
    num(p.lM);
    num(p.lT);
    num(p.lTot);
    row += ",";
    if (ok && f.evaluation.linkwitz.active) row += std::to_string(f.evaluation.linkwitz.db[0]);

    const PowerHandling ph = ok ? EvaluatePowerHandling(f.design, f.evaluation) : PowerHandling{};
    const bool limit = ph.hasLimit();
    row += ",";
    if (limit) row += DriverKey(ph.limiting);
    num(ph.maxAmpW, limit);
    num(ph.maxSplDb, limit);
    for (const DriverHandling& h : ph.drivers)
        num(h.headroomDb, limit && h.rated && std::isfinite(h.headroomDb));
    num(ph.ampSineRatingW, limit);
    return row + "\r\n";
}

}  // namespace ampora
