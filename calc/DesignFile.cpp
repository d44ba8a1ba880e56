#include "calc/DesignFile.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "i18n/Messages.h"
#include "inputs/Numbers.h"

namespace ampora {

namespace {

using nlohmann::json;

constexpr int32_t MaxAmpPowerW = 1000000;
constexpr double MaxSensitivityDb = 200;
constexpr double MaxImpedanceOhm = 1000;
constexpr int32_t MaxCutHz = 100000;
constexpr int32_t MaxLinkwitzHz = 20000;

constexpr const char* FilterNames[] = {"none", "bessel", "butterworth", "linkwitz"};

// A failed check unwinds to DecodeDesign with the problem it found.
struct Refusal {
    DesignProblem problem;
};

[[noreturn]] void Refuse(DesignIssue issue, std::string field, std::string detail = {}) {
    throw Refusal{{issue, std::move(field), std::move(detail)}};
}

int CodePoints(std::string_view s) {
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

const json& Member(const json& obj, const std::string& path, const char* key) {
    const auto it = obj.find(key);
    if (it == obj.end()) Refuse(DesignIssue::Missing, path + key);
    return *it;
}

const json& Object(const json& obj, const std::string& path, const char* key) {
    const json& v = Member(obj, path, key);
    if (!v.is_object()) Refuse(DesignIssue::Missing, path + key);
    return v;
}

int32_t Whole(const json& v, const std::string& field) {
    if (!v.is_number()) Refuse(DesignIssue::NotNumber, field);
    if (!v.is_number_integer()) Refuse(DesignIssue::NotWholeNumber, field);
    // Unsigned values above the signed range come out negative here: test
    // the range before the conversion.
    if (v.is_number_unsigned() ? v.get<uint64_t>() > uint64_t(INT32_MAX)
                               : (v.get<int64_t>() > INT32_MAX || v.get<int64_t>() < INT32_MIN))
        Refuse(DesignIssue::OutOfRange, field, "-2147483648 … 2147483647");
    return static_cast<int32_t>(v.get<int64_t>());
}

int32_t WholeIn(const json& v, const std::string& field, int32_t low, int32_t high) {
    const int32_t x = Whole(v, field);
    if (x < low || x > high)
        Refuse(DesignIssue::OutOfRange, field, std::to_string(low) + " … " + std::to_string(high));
    return x;
}

int32_t Positive(const json& v, const std::string& field, int32_t high) {
    const int32_t x = Whole(v, field);
    if (x <= 0) Refuse(DesignIssue::NotPositive, field);
    if (x > high) Refuse(DesignIssue::OutOfRange, field, "1 … " + std::to_string(high));
    return x;
}

double Tenths(const json& v, const std::string& field) {
    if (!v.is_number()) Refuse(DesignIssue::NotNumber, field);
    return RoundTenth(v.get<double>());
}

bool TrueFalse(const json& v, const std::string& field) {
    if (!v.is_boolean()) Refuse(DesignIssue::NotTrueFalse, field);
    return v.get<bool>();
}

constexpr const char* DriverKeys[] = {"bass", "midrange", "tweeter"};
constexpr int TweeterKey = 2;

std::string RangeText(double low, double high) {
    return FormatGeneral(low, '.') + " … " + FormatGeneral(high, '.');
}

void CheckPowerHandling(const PowerRatings& ph) {
    for (int k = 0; k < 3; ++k) {
        const std::optional<DriverRating>& r = ph.drivers[size_t(k)];
        if (!r) continue;
        const std::string p = std::string("powerHandling.") + DriverKeys[k] + ".";
        if (!(r->ratedW > 0)) Refuse(DesignIssue::NotPositive, p + "ratedW");
        if (!(r->ratedW <= MaxRatedW))
            Refuse(DesignIssue::OutOfRange, p + "ratedW", RangeText(0, MaxRatedW));
        if (!r->iecCutHz) continue;
        if (k != TweeterKey) Refuse(DesignIssue::IecTweeterOnly, p + "iecCutHz");
        if (*r->iecCutHz < 1 || *r->iecCutHz > MaxIecCutHz)
            Refuse(DesignIssue::OutOfRange, p + "iecCutHz", RangeText(1, MaxIecCutHz));
    }
    if (!(ph.crestFactorDb >= 0 && ph.crestFactorDb <= MaxCrestFactorDb))
        Refuse(DesignIssue::OutOfRange, "powerHandling.crestFactorDb",
               RangeText(0, MaxCrestFactorDb));
    if (ph.targetSplDb && !(*ph.targetSplDb >= 0 && *ph.targetSplDb <= MaxTargetSplDb))
        Refuse(DesignIssue::OutOfRange, "powerHandling.targetSplDb", RangeText(0, MaxTargetSplDb));
}

// Checks shared by reading and writing, on values already in the Design.
void CheckValues(const Design& d) {
    if (CodePoints(d.spectrumName) > 50) Refuse(DesignIssue::NameTooLong, "spectrum.name");
    for (int i = 0; i < BandCount; ++i) {
        const int32_t l = d.spectrumLevels[size_t(i)];
        if (l < NoBandLevel || l > 0)
            Refuse(DesignIssue::OutOfRange, "spectrum.levels[" + std::to_string(i) + "]",
                   "-100 … 0");
    }
    if (d.ampPowerW <= 0) Refuse(DesignIssue::NotPositive, "amplifierPowerW");
    if (d.ampPowerW > MaxAmpPowerW)
        Refuse(DesignIssue::OutOfRange, "amplifierPowerW", "1 … " + std::to_string(MaxAmpPowerW));
    const struct {
        const char* name;
        const DriverData* data;
    } drivers[] = {{"bass", &d.bass}, {"midrange", &d.mid}, {"tweeter", &d.tweeter}};
    for (const auto& dr : drivers) {
        const std::string p = std::string(dr.name) + ".";
        const double s = dr.data->sensitivityDb;
        if (!(s >= 0 && s <= MaxSensitivityDb))
            Refuse(DesignIssue::OutOfRange, p + "sensitivityDb", "0 … 200");
        const double z = dr.data->impedanceOhm;
        if (!(z > 0)) Refuse(DesignIssue::NotPositive, p + "impedanceOhm");
        if (!(z <= MaxImpedanceOhm))
            Refuse(DesignIssue::OutOfRange, p + "impedanceOhm", "0.1 … 1000");
    }
    const struct {
        const char* name;
        const FilterChoice* data;
    } filters[] = {{"bass.lowPass", &d.bassLowPass},
                   {"midrange.highPass", &d.midHighPass},
                   {"midrange.lowPass", &d.midLowPass},
                   {"tweeter.highPass", &d.tweeterHighPass}};
    for (const auto& f : filters) {
        const std::string p = std::string(f.name) + ".";
        if (f.data->cutHz <= 0) Refuse(DesignIssue::NotPositive, p + "cutHz");
        if (f.data->cutHz > MaxCutHz)
            Refuse(DesignIssue::OutOfRange, p + "cutHz", "1 … " + std::to_string(MaxCutHz));
        if (f.data->type != FilterType::None && OrderItemIndex(*f.data) < 0)
            Refuse(DesignIssue::BadOrder, p + "order");
    }
    for (const auto& [name, f] :
         {std::pair{"linkwitz.f1Hz", &d.linkwitzF1}, std::pair{"linkwitz.f2Hz", &d.linkwitzF2}}) {
        if (*f && (**f < 0 || **f > MaxLinkwitzHz))
            Refuse(DesignIssue::OutOfRange, name, "0 … " + std::to_string(MaxLinkwitzHz));
    }
    if (d.decimalSeparator != '.' && d.decimalSeparator != ',')
        Refuse(DesignIssue::BadSeparator, "decimalSeparator");
    CheckPowerHandling(d.powerHandling);
}

FilterChoice ReadFilter(const json& owner, const std::string& path, const char* key) {
    const json& f = Object(owner, path, key);
    const std::string p = path + key + ".";
    FilterChoice filter;
    const json& type = Member(f, p, "type");
    if (!type.is_string()) Refuse(DesignIssue::NotText, p + "type");
    int t = -1;
    for (int i = 0; i < 4; ++i)
        if (type.get<std::string>() == FilterNames[i]) t = i;
    if (t < 0) Refuse(DesignIssue::UnknownFilter, p + "type");
    filter.type = static_cast<FilterType>(t);
    filter.order = 0;
    if (filter.type != FilterType::None) {
        filter.order = Whole(Member(f, p, "order"), p + "order");
        if (OrderItemIndex(filter) < 0) Refuse(DesignIssue::BadOrder, p + "order");
    }
    filter.cutHz = Positive(Member(f, p, "cutHz"), p + "cutHz", MaxCutHz);
    return filter;
}

DriverData ReadDriver(const json& d, const std::string& p) {
    DriverData s;
    s.sensitivityDb = Tenths(Member(d, p, "sensitivityDb"), p + "sensitivityDb");
    s.impedanceOhm = Tenths(Member(d, p, "impedanceOhm"), p + "impedanceOhm");
    return s;
}

std::optional<int32_t> ReadLinkwitz(const json& lw, const char* key) {
    const auto it = lw.find(key);
    if (it == lw.end() || it->is_null()) return std::nullopt;
    return WholeIn(*it, std::string("linkwitz.") + key, 0, MaxLinkwitzHz);
}

double Real(const json& v, const std::string& field) {
    if (!v.is_number()) Refuse(DesignIssue::NotNumber, field);
    return v.get<double>();
}

// "powerHandling": a driver left out or null has no rating; iecCutHz makes
// the IEC data-sheet kind. The ranges are CheckPowerHandling's.
PowerRatings ReadPowerHandling(const json& ph) {
    if (!ph.is_object()) Refuse(DesignIssue::NotObject, "powerHandling");
    PowerRatings out;
    for (int k = 0; k < 3; ++k) {
        const auto it = ph.find(DriverKeys[k]);
        if (it == ph.end() || it->is_null()) continue;
        const std::string p = std::string("powerHandling.") + DriverKeys[k];
        if (!it->is_object()) Refuse(DesignIssue::NotObject, p);
        DriverRating r;
        r.ratedW = Real(Member(*it, p + ".", "ratedW"), p + ".ratedW");
        const auto cut = it->find("iecCutHz");
        if (cut != it->end() && !cut->is_null()) {
            if (k != TweeterKey) Refuse(DesignIssue::IecTweeterOnly, p + ".iecCutHz");
            r.iecCutHz = WholeIn(*cut, p + ".iecCutHz", 1, MaxIecCutHz);
        }
        out.drivers[size_t(k)] = r;
    }
    const auto crest = ph.find("crestFactorDb");
    if (crest != ph.end() && !crest->is_null())
        out.crestFactorDb = Real(*crest, "powerHandling.crestFactorDb");
    const auto target = ph.find("targetSplDb");
    if (target != ph.end() && !target->is_null())
        out.targetSplDb = Real(*target, "powerHandling.targetSplDb");
    CheckPowerHandling(out);
    return out;
}

Design Read(const json& root) {
    if (!root.is_object()) Refuse(DesignIssue::WrongFormat, {});
    const auto format = root.find("format");
    if (format == root.end() || !format->is_string() ||
        format->get<std::string>() != DesignFormatName)
        Refuse(DesignIssue::WrongFormat, {});
    const auto version = root.find("version");
    if (version == root.end() || !version->is_number_integer()) Refuse(DesignIssue::BadVersion, {});
    if (version->is_number_unsigned() ? version->get<uint64_t>() > uint64_t(DesignFormatVersion)
                                      : version->get<int64_t>() > DesignFormatVersion)
        Refuse(DesignIssue::NewerVersion, {}, version->dump());
    if (version->get<int64_t>() < 1) Refuse(DesignIssue::BadVersion, {});

    Design d;
    const json& spectrum = Object(root, "", "spectrum");
    const json& name = Member(spectrum, "spectrum.", "name");
    if (!name.is_string()) Refuse(DesignIssue::NotText, "spectrum.name");
    d.spectrumName = name.get<std::string>();
    if (CodePoints(d.spectrumName) > 50) Refuse(DesignIssue::NameTooLong, "spectrum.name");
    const json& levels = Member(spectrum, "spectrum.", "levels");
    if (!levels.is_array()) Refuse(DesignIssue::LevelCount, "spectrum.levels", "0");
    if (levels.size() != BandCount)
        Refuse(DesignIssue::LevelCount, "spectrum.levels", std::to_string(levels.size()));
    for (int i = 0; i < BandCount; ++i) {
        const json& l = levels[size_t(i)];
        d.spectrumLevels[size_t(i)] =
            l.is_null() ? NoBandLevel
                        : WholeIn(l, "spectrum.levels[" + std::to_string(i) + "]", NoBandLevel, 0);
    }

    d.ampPowerW = Positive(Member(root, "", "amplifierPowerW"), "amplifierPowerW", MaxAmpPowerW);

    const json& bass = Object(root, "", "bass");
    d.bass = ReadDriver(bass, "bass.");
    d.bassLowPass = ReadFilter(bass, "bass.", "lowPass");

    const json& mid = Object(root, "", "midrange");
    d.midOn = TrueFalse(Member(mid, "midrange.", "on"), "midrange.on");
    d.mid = ReadDriver(mid, "midrange.");
    d.midEqualise = TrueFalse(Member(mid, "midrange.", "equalise"), "midrange.equalise");
    d.midHighPass = ReadFilter(mid, "midrange.", "highPass");
    d.midLowPass = ReadFilter(mid, "midrange.", "lowPass");

    const json& tw = Object(root, "", "tweeter");
    d.tweeter = ReadDriver(tw, "tweeter.");
    d.tweeterEqualise = TrueFalse(Member(tw, "tweeter.", "equalise"), "tweeter.equalise");
    d.tweeterHighPass = ReadFilter(tw, "tweeter.", "highPass");

    const auto lw = root.find("linkwitz");
    if (lw != root.end() && !lw->is_null()) {
        if (!lw->is_object()) Refuse(DesignIssue::Missing, "linkwitz.f1Hz");
        d.linkwitzF1 = ReadLinkwitz(*lw, "f1Hz");
        d.linkwitzF2 = ReadLinkwitz(*lw, "f2Hz");
    }

    const auto sep = root.find("decimalSeparator");
    if (sep != root.end()) {
        if (!sep->is_string()) Refuse(DesignIssue::NotText, "decimalSeparator");
        const std::string s = sep->get<std::string>();
        if (s != "." && s != ",") Refuse(DesignIssue::BadSeparator, "decimalSeparator");
        d.decimalSeparator = s[0];
    }
    const auto ph = root.find("powerHandling");
    if (ph != root.end() && !ph->is_null()) d.powerHandling = ReadPowerHandling(*ph);
    CheckValues(d);
    return d;
}

// Whole values are written without a fraction, so that a hand-written file
// and a saved one look alike.
json Number(double v) {
    if (std::isfinite(v) && v == std::nearbyint(v) && std::fabs(v) < 1e15)
        return static_cast<int64_t>(v);
    return v;
}

json FilterJson(const FilterChoice& f) {
    json j;
    j["type"] = FilterNames[static_cast<int>(f.type)];
    if (f.type != FilterType::None) j["order"] = f.order;
    j["cutHz"] = f.cutHz;
    return j;
}

}  // namespace

std::string EncodeDesign(const Design& d) {
    // ordered_json keeps the fields in the order a reader expects them.
    nlohmann::ordered_json j;
    j["format"] = DesignFormatName;
    j["version"] = d.powerHandling.empty() ? 1 : 2;
    json levels = json::array();
    for (int32_t l : d.spectrumLevels) levels.push_back(l == NoBandLevel ? json() : json(l));
    j["spectrum"] = {{"name", d.spectrumName}, {"levels", levels}};
    j["amplifierPowerW"] = d.ampPowerW;
    nlohmann::ordered_json bass;
    bass["sensitivityDb"] = Number(d.bass.sensitivityDb);
    bass["impedanceOhm"] = Number(d.bass.impedanceOhm);
    bass["lowPass"] = FilterJson(d.bassLowPass);
    j["bass"] = bass;
    nlohmann::ordered_json mid;
    mid["on"] = d.midOn;
    mid["sensitivityDb"] = Number(d.mid.sensitivityDb);
    mid["impedanceOhm"] = Number(d.mid.impedanceOhm);
    mid["equalise"] = d.midEqualise;
    mid["highPass"] = FilterJson(d.midHighPass);
    mid["lowPass"] = FilterJson(d.midLowPass);
    j["midrange"] = mid;
    nlohmann::ordered_json tw;
    tw["sensitivityDb"] = Number(d.tweeter.sensitivityDb);
    tw["impedanceOhm"] = Number(d.tweeter.impedanceOhm);
    tw["equalise"] = d.tweeterEqualise;
    tw["highPass"] = FilterJson(d.tweeterHighPass);
    j["tweeter"] = tw;
    if (d.linkwitzF1 || d.linkwitzF2) {
        nlohmann::ordered_json lw;
        lw["f1Hz"] = d.linkwitzF1 ? json(*d.linkwitzF1) : json();
        lw["f2Hz"] = d.linkwitzF2 ? json(*d.linkwitzF2) : json();
        j["linkwitz"] = lw;
    } else {
        j["linkwitz"] = nullptr;
    }
    j["decimalSeparator"] = std::string(1, d.decimalSeparator);
    if (!d.powerHandling.empty()) {
        const PowerRatings& ph = d.powerHandling;
        nlohmann::ordered_json p;
        for (int k = 0; k < 3; ++k) {
            const std::optional<DriverRating>& r = ph.drivers[size_t(k)];
            if (!r) {
                p[DriverKeys[k]] = nullptr;
                continue;
            }
            nlohmann::ordered_json rating;
            rating["ratedW"] = Number(r->ratedW);
            if (r->iecCutHz) rating["iecCutHz"] = *r->iecCutHz;
            p[DriverKeys[k]] = rating;
        }
        p["crestFactorDb"] = Number(ph.crestFactorDb);
        p["targetSplDb"] = ph.targetSplDb ? Number(*ph.targetSplDb) : json();
        j["powerHandling"] = p;
    }
    return j.dump(2) + "\n";
}

DesignRead DecodeDesign(std::string_view text) {
    DesignRead r;
    if (text.size() > MaxDesignFileBytes) {
        r.problem.issue = DesignIssue::TooLarge;
        return r;
    }
    // The JSON library throws more than parse errors (a number beyond a
    // double is out_of_range.406, a misused value a type_error): every
    // failure ends here as a refusal, never as an exception to the caller.
    try {
        r.design = Read(json::parse(text));
    } catch (const Refusal& refusal) {
        r.problem = refusal.problem;
    } catch (const json::parse_error& e) {
        r.problem = {DesignIssue::NotJson, {}, "byte " + std::to_string(e.byte)};
    } catch (const json::out_of_range& e) {
        r.problem = {DesignIssue::Unreadable, {}, e.what()};
        // "... number overflow parsing '1e309'": the number as the file has it.
        const std::string_view what = e.what();
        const size_t open = what.find('\'');
        const size_t close = what.rfind('\'');
        if (e.id == 406 && open != std::string_view::npos && close > open)
            r.problem = {DesignIssue::NumberTooLarge,
                         {},
                         std::string(what.substr(open + 1, close - open - 1))};
    } catch (const std::exception& e) {
        r.problem = {DesignIssue::Unreadable, {}, e.what()};
    }
    if (r.problem) r.design.reset();
    return r;
}

DesignProblem CheckDesign(const Design& design) {
    try {
        CheckValues(design);
    } catch (const Refusal& refusal) {
        return refusal.problem;
    }
    return {};
}

DesignRead ReadDesignFile(const std::string& path) {
    FileBytes file = ReadFileSafely(path, MaxDesignFileBytes);
    if (file.status.fault == FileFault::TooLarge) return {std::nullopt, {DesignIssue::TooLarge}};
    if (!file.status.ok()) return {std::nullopt, {DesignIssue::CannotRead, {}, {}, file.status}};
    return DecodeDesign(file.bytes);
}

bool IsDesignFile(const std::string& path) {
    const std::string_view ext = DesignFileExtension;
    if (path.size() > ext.size()) {
        bool same = true;
        for (size_t i = 0; i < ext.size(); ++i) {
            char c = path[path.size() - ext.size() + i];
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
            same = same && c == ext[i];
        }
        if (same) return true;
    }
    const FileBytes file = ReadFileSafely(path, MaxDesignFileBytes);
    if (!file.status.ok()) return false;
    try {
        const json root = json::parse(file.bytes, nullptr, false);
        if (!root.is_object()) return false;
        const auto format = root.find("format");
        return format != root.end() && format->is_string() &&
               format->get<std::string>() == DesignFormatName;
    } catch (const std::exception&) {
        return false;
    }
}

DesignProblem WriteDesignFile(const std::string& path, const Design& design) {
    if (DesignProblem p = CheckDesign(design)) return p;
    const FileStatus s = WriteFileSafely(path, EncodeDesign(design));
    if (!s.ok()) return {DesignIssue::CannotWrite, {}, {}, s};
    return {};
}

std::string DesignProblemText(const DesignProblem& p, int language) {
    const size_t l = language >= 0 && language <= 2 ? size_t(language) : 0;
    const LangTexts* t = nullptr;
    switch (p.issue) {
        case DesignIssue::None: return {};
        case DesignIssue::CannotRead: t = &MsgDesignCannotRead; break;
        case DesignIssue::CannotWrite: t = &MsgDesignCannotWrite; break;
        case DesignIssue::TooLarge: t = &MsgDesignTooLarge; break;
        case DesignIssue::NotJson: t = &MsgDesignNotJson; break;
        case DesignIssue::NumberTooLarge: t = &MsgDesignNumberTooLarge; break;
        case DesignIssue::Unreadable: t = &MsgDesignUnreadable; break;
        case DesignIssue::WrongFormat: t = &MsgDesignWrongFormat; break;
        case DesignIssue::BadVersion: t = &MsgDesignBadVersion; break;
        case DesignIssue::NewerVersion: t = &MsgDesignNewerVersion; break;
        case DesignIssue::Missing: t = &MsgDesignMissing; break;
        case DesignIssue::NotNumber: t = &MsgDesignNotNumber; break;
        case DesignIssue::NotWholeNumber: t = &MsgDesignNotWhole; break;
        case DesignIssue::NotText: t = &MsgDesignNotText; break;
        case DesignIssue::NotTrueFalse: t = &MsgDesignNotTrueFalse; break;
        case DesignIssue::NotPositive: t = &MsgDesignNotPositive; break;
        case DesignIssue::OutOfRange: t = &MsgDesignOutOfRange; break;
        case DesignIssue::LevelCount: t = &MsgDesignLevelCount; break;
        case DesignIssue::NameTooLong: t = &MsgDesignNameTooLong; break;
        case DesignIssue::UnknownFilter: t = &MsgDesignUnknownFilter; break;
        case DesignIssue::BadOrder: t = &MsgDesignBadOrder; break;
        case DesignIssue::BadSeparator: t = &MsgDesignBadSeparator; break;
        case DesignIssue::NotObject: t = &MsgDesignNotObject; break;
        case DesignIssue::IecTweeterOnly: t = &MsgDesignIecTweeterOnly; break;
    }
    const bool onFile = p.issue == DesignIssue::CannotRead || p.issue == DesignIssue::CannotWrite;
    const std::string detail = onFile ? FileStatusText(p.file, int(l)) : p.detail;
    std::string out;
    const std::string_view tmpl = (*t)[l];
    for (size_t i = 0; i < tmpl.size(); ++i) {
        if (tmpl[i] == '%' && i + 1 < tmpl.size() && (tmpl[i + 1] == '1' || tmpl[i + 1] == '2')) {
            out += tmpl[i + 1] == '1' ? p.field : detail;
            ++i;
        } else {
            out += tmpl[i];
        }
    }
    return out;
}

}  // namespace ampora
