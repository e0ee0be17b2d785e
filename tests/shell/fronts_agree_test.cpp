// One table of values applied through every front that sets a channel value: the panel's fields
// (typed key by key), the parameter dialogs, a settings file, a CSV file and SCPI. Each result is
// checked against the channel rules. A value the panel's and the dialogs' fields cannot take
// (they accept digits, point and signs only) is not typed; SCPI and the settings reader refuse
// what is not a finite number, and must then leave the channel as it was.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "engine/channel_rules.h"
#include "formats/csv_file.h"
#include "formats/settings_file.h"
#include "formats/str_convert.h"
#include "i18n/language_table.h"
#include "remote/scpi_instrument.h"
#include "remote/scpi_session.h"
#include "view/dialogs/am_fm_dialog.h"
#include "view/dialogs/duty_dialog.h"
#include "view/dialogs/exponent_dialog.h"
#include "view/entry/num_edit.h"
#include "view/view_panel_fixture.h"

namespace korvane {
namespace {

enum class Field {
    Frequency,
    Amplitude,
    Offset,
    Carrier,
    Deviation,
    Depth,
    SquareDuty,
    TimeConstant
};

struct Row {
    const char* name;
    Field field;
    int waveType;
    const char* text;
};

bool Typeable(const char* text) {
    return std::string_view(text).find_first_not_of("0123456789.-") == std::string_view::npos;
}

// What the rules make of `value` for the row's field, in the field's stored precision.
double RuleResult(const Row& row, double value) {
    switch (row.field) {
        case Field::Frequency:
            return Limit(value, FrequencyRange(row.waveType));
        case Field::Amplitude:
            return static_cast<float>(Limit(value, kAmplitudeRange));
        case Field::Offset:
            return Limit(value, kOffsetRange);
        case Field::Carrier:
            return LimitWhole(value, 0, static_cast<int>(kCarrierRange.high));
        case Field::Deviation:
            return LimitWhole(value, 0, static_cast<int>(kDeviationRange.high));
        case Field::Depth:
        case Field::SquareDuty:
            return static_cast<float>(Limit(value, kFractionRange));
        case Field::TimeConstant:
            return static_cast<float>(Limit(value, kTimeConstantRange));
    }
    return 0.0;
}

double Stored(const ChannelState& c, Field field) {
    switch (field) {
        case Field::Frequency:
            return c.frequency;
        case Field::Amplitude:
            return c.amplitude;
        case Field::Offset:
            return c.offset;
        case Field::Carrier:
            return c.carrierFrequency;
        case Field::Deviation:
            return c.fmDeviation;
        case Field::Depth:
            return c.amDepth;
        case Field::SquareDuty:
            return c.squareDuty;
        case Field::TimeConstant:
            return c.exponentTimeConstant;
    }
    return 0.0;
}

const char* ScpiHeader(Field field) {
    switch (field) {
        case Field::Frequency:
            return "FREQ ";
        case Field::Amplitude:
            return "VOLT ";
        case Field::Offset:
            return "VOLT:OFFS ";
        case Field::Carrier:
            return "FUNC:AMFM:CARR ";
        case Field::Deviation:
            return "FUNC:AMFM:DEV ";
        case Field::Depth:
            return "FUNC:AMFM:DEPT ";
        case Field::SquareDuty:
            return "FUNC:SQU:DCYC ";
        case Field::TimeConstant:
            return "FUNC:EXP:TCON ";
    }
    return "";
}

const char* ScpiWave(int type) {
    static const char* const kWords[] = {"SIN",  "RAMP", "SQU", "EXP", "USER",
                                         "TRAP", "AMFM", "GNO", "WNO"};
    return kWords[type];
}

class FrontsAgree : public test::FrontPanelTest, public ::testing::WithParamInterface<Row> {
  protected:
    FrontsAgree() {
        folder = std::filesystem::temp_directory_path() /
                 ("korvane-fronts-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    ~FrontsAgree() override { std::filesystem::remove_all(folder); }

    void SelectOnPanel(int type) {
        if (channel().waveType != type) {
            Press(*form().waveKeys[static_cast<std::size_t>(type)]);
        }
        ASSERT_EQ(channel().waveType, type);
    }

    // The result of the panel, or nothing when the panel has no field for it.
    std::optional<double> ThroughPanel(const Row& row) {
        QLineEdit* field = row.field == Field::Frequency   ? form().frequency
                           : row.field == Field::Amplitude ? form().amplitude
                           : row.field == Field::Offset    ? form().offset
                                                           : nullptr;
        if (field == nullptr) {
            return std::nullopt;
        }
        SelectOnPanel(row.waveType);
        ChooseUnit(row.field == Field::Frequency   ? *form().frequencyUnit
                   : row.field == Field::Amplitude ? *form().amplitudeUnit
                                                   : *form().offsetUnit,
                   row.field == Field::Frequency ? 0 : 1);  // Hz, V
        TypeInto(*field, row.text);
        return Stored(channel(), row.field);
    }

    std::optional<double> ThroughDialog(const Row& row) {
        ChannelState& c = channel();
        switch (row.field) {
            case Field::Carrier:
            case Field::Deviation:
            case Field::Depth: {
                AmFmDialog dialog(c);
                dialog.show();
                QLineEdit& field = row.field == Field::Carrier ? dialog.CarrierField()
                                   : row.field == Field::Depth ? dialog.DepthField()
                                                               : dialog.DeviationField();
                TypeInto(field, row.text);
                dialog.Apply();
                break;
            }
            case Field::SquareDuty: {
                DutyDialog dialog(c, DutyDialog::kSquare);
                dialog.show();
                TypeInto(dialog.Field(), row.text);
                break;
            }
            case Field::TimeConstant: {
                c.exponentUnit = 1;  // seconds
                ExponentDialog dialog(c);
                dialog.show();
                TypeInto(dialog.Field(), row.text);
                break;
            }
            default:
                return std::nullopt;
        }
        return Stored(c, row.field);
    }

    // A settings file holding the row's value; the number it carries is the record's own type.
    double ThroughSettings(const Row& row, double& carried) {
        SettingsRecord record = CaptureSettings(channel());
        record.waveType = row.waveType;
        const double value = std::strtod(row.text, nullptr);
        switch (row.field) {
            case Field::Frequency:
                record.frequency = value;
                carried = record.frequency;
                break;
            case Field::Amplitude:
                record.amplitude = static_cast<float>(value);
                carried = record.amplitude;
                break;
            case Field::Offset:
                record.offset = value;
                carried = record.offset;
                break;
            case Field::Carrier:
                record.carrierFrequency = static_cast<std::int32_t>(value);
                carried = record.carrierFrequency;
                break;
            case Field::Deviation:
                record.fmDeviation = static_cast<std::int32_t>(value);
                carried = record.fmDeviation;
                break;
            case Field::Depth:
                record.amDepth = static_cast<float>(value);
                carried = record.amDepth;
                break;
            case Field::SquareDuty:
                record.squareDuty = static_cast<float>(value);
                carried = record.squareDuty;
                break;
            case Field::TimeConstant:
                record.exponentTimeConstant = static_cast<float>(value);
                carried = record.exponentTimeConstant;
                break;
        }
        const SettingsBytes bytes = EncodeSettings(record);
        std::ofstream(folder / "row.set", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        LoadSettings(channel(), folder / "row.set", language);
        return Stored(channel(), row.field);
    }

    // A CSV file of one point whose clock is the row's value: the frequency it plays at.
    double ThroughCsv(const Row& row) {
        std::ofstream(folder / "row.csv", std::ios::binary)
            << "#CLOCK=" << row.text << "\r\n#SIZE=1\r\n0.5,0,0\r\n";
        ImportCsv(channel(), folder / "row.csv", language);
        return channel().frequency;
    }

    // SCPI gives the duty cycle in percent, the other fields in their base units.
    static std::string ScpiValue(const Row& row) {
        const double value = std::strtod(row.text, nullptr);
        if (row.field == Field::SquareDuty && std::isfinite(value)) {
            return std::to_string(value * 100.0);
        }
        return row.text;
    }

    double ThroughScpi(const Row& row) {
        scpi::Instrument instrument("9.9.9");
        scpi::Session session(instrument);
        instrument.SetChannels({&channel()});
        session.Submit(std::string("FUNC ") + ScpiWave(row.waveType));
        session.Submit(ScpiHeader(row.field) + ScpiValue(row));
        session.TakeOutput();
        instrument.SetChannels({});
        return Stored(channel(), row.field);
    }

    std::filesystem::path folder;
    LanguageTable language;
};

TEST_P(FrontsAgree, EveryFrontStoresWhatTheRulesGive) {
    const Row& row = GetParam();
    const double value = std::strtod(row.text, nullptr);
    const bool finite = std::isfinite(value);

    if (Typeable(row.text)) {
        if (const std::optional<double> panel = ThroughPanel(row)) {
            EXPECT_EQ(*panel, RuleResult(row, value)) << "panel";
        }
        if (const std::optional<double> dialog = ThroughDialog(row)) {
            EXPECT_EQ(*dialog, RuleResult(row, value)) << "dialog";
        }
    }

    const double beforeScpi = Stored(channel(), row.field);
    const int typeBeforeScpi = channel().waveType;
    const double scpi = ThroughScpi(row);
    if (finite) {
        EXPECT_EQ(scpi, RuleResult(row, value)) << "SCPI";
    } else if (typeBeforeScpi == row.waveType) {
        EXPECT_EQ(scpi, beforeScpi) << "SCPI refuses what is not a finite number";
    }

    const double beforeSettings = Stored(channel(), row.field);
    double carried = 0.0;
    const double settings = ThroughSettings(row, carried);
    if (finite) {
        EXPECT_EQ(settings, RuleResult(row, carried)) << "settings file";
    } else {
        EXPECT_EQ(settings, beforeSettings)
            << "a settings file with a non-finite number is refused";
    }

    if (row.field == Field::Frequency && row.waveType == Arbitrary) {
        const double rate = static_cast<float>(CStrConvert::TextAsDouble(row.text));
        EXPECT_EQ(ThroughCsv(row), RuleResult(row, rate)) << "CSV file";
    }
}

constexpr Row kRows[] = {
    // frequency, by wave type: in range, at the limits, beyond them, NaN, infinities
    {"sine_in_range", Field::Frequency, Sine, "1234.5"},
    {"sine_at_low", Field::Frequency, Sine, "1"},
    {"sine_at_high", Field::Frequency, Sine, "75000000"},
    {"sine_above", Field::Frequency, Sine, "1000000000"},
    {"sine_below", Field::Frequency, Sine, "0.5"},
    {"sine_negative", Field::Frequency, Sine, "-5"},
    {"sine_nan", Field::Frequency, Sine, "nan"},
    {"sine_inf", Field::Frequency, Sine, "inf"},
    {"square_30MHz", Field::Frequency, Square, "30000000"},
    {"square_at_high", Field::Frequency, Square, "25000000"},
    {"square_minus_inf", Field::Frequency, Square, "-inf"},
    {"arbitrary_in_range", Field::Frequency, Arbitrary, "5000"},
    {"arbitrary_above", Field::Frequency, Arbitrary, "80000000"},
    {"arbitrary_below", Field::Frequency, Arbitrary, "0.5"},
    {"arbitrary_nan", Field::Frequency, Arbitrary, "nan"},
    {"arbitrary_inf", Field::Frequency, Arbitrary, "inf"},
    // amplitude and offset
    {"amplitude_in_range", Field::Amplitude, Sine, "1.25"},
    {"amplitude_at_high", Field::Amplitude, Sine, "3.5"},
    {"amplitude_above", Field::Amplitude, Sine, "3.6"},
    {"amplitude_negative", Field::Amplitude, Sine, "-1"},
    {"amplitude_inf", Field::Amplitude, Sine, "inf"},
    {"offset_in_range", Field::Offset, Sine, "-3"},
    {"offset_at_low", Field::Offset, Sine, "-7"},
    {"offset_above", Field::Offset, Sine, "9"},
    {"offset_nan", Field::Offset, Sine, "nan"},
    // the AM/FM, Square and Exponent dialogs' values
    {"carrier_in_range", Field::Carrier, AmFm, "20000"},
    {"carrier_above", Field::Carrier, AmFm, "99999999"},
    {"carrier_negative", Field::Carrier, AmFm, "-5"},
    {"deviation_in_range", Field::Deviation, AmFm, "500"},
    {"deviation_negative", Field::Deviation, AmFm, "-5"},
    {"depth_in_range", Field::Depth, AmFm, "0.75"},
    {"depth_above", Field::Depth, AmFm, "1.5"},
    {"duty_in_range", Field::SquareDuty, Square, "0.25"},
    {"duty_at_high", Field::SquareDuty, Square, "1"},
    {"duty_above", Field::SquareDuty, Square, "1.5"},
    {"duty_negative", Field::SquareDuty, Square, "-0.5"},
    {"duty_nan", Field::SquareDuty, Square, "nan"},
    {"time_constant_in_range", Field::TimeConstant, Exponent, "0.002"},
    {"time_constant_above", Field::TimeConstant, Exponent, "5"},
};

INSTANTIATE_TEST_SUITE_P(Table, FrontsAgree, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane
