// The section store's reads over arbitrary registry values: any type, any
// bytes, sizes the registry claims whatever the data holds, reads that fail.
// Each read gives the value, the default, or raises ERegistryException,
// exactly as a small model of the stored values predicts, and leaves no key
// handle open.
#include "core/settings/ERegistryException.h"
#include "core/settings/ParseIntText.h"
#include "core/settings/RegistryValueText.h"
#include "core/settings/TRegIniFile.h"

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "settings/FakeRegistry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using fuzz::Require;

const std::string kStorePath = "Software\\Fuzz";
const std::string kSectionPath = kStorePath + "\\S";
const char* const kNames[] = {"Width", "Name", "Flag"};

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// What reading a value must come to: nothing there, its text, or a failure.
struct Outcome {
    enum Kind { Missing, Text, Fails } kind = Missing;
    std::string text;
};

struct PlantedValue {
    fake::RegValue value;
    std::optional<uint32_t> reportedSize;
    bool failsRead = false;
};

// Sizes around the interesting edges: the limit, the data's own size, anything.
std::optional<uint32_t> ReportedSize(fuzz::FuzzInput& input, std::size_t dataSize)
{
    const auto nudge = static_cast<int64_t>(static_cast<int8_t>(input.Byte()));
    switch (input.Pick(4)) {
    case 0:
        return std::nullopt;
    case 1:
        return input.U32();
    case 2:
        return static_cast<uint32_t>(int64_t{core::kMaxValueTextBytes} + nudge);
    default:
        return static_cast<uint32_t>(std::max<int64_t>(0, static_cast<int64_t>(dataSize) + nudge));
    }
}

class Case {
public:
    explicit Case(fuzz::FuzzInput& input) : input_(input)
    {
        registry_.PlantKey(kSectionPath);
        const std::size_t count = input.Pick(5);
        for (std::size_t i = 0; i < count; ++i)
            PlantOne();
    }

    void ReadOne()
    {
        const std::string section = PickSection();
        const std::string name = PickName();
        const Outcome expected = Lower(ResolvedPath(section)) == Lower(kSectionPath) ? Predict(name) : Outcome{};
        switch (input_.Pick(4)) {
        case 0:
            CheckIntRead(section, name, expected);
            break;
        case 1:
            CheckStrRead(section, name, expected);
            break;
        case 2:
            CheckBoolRead(section, name, expected);
            break;
        default:
            CheckValueText(name, Predict(name));
            break;
        }
        Require(registry_.OpenHandles() == 1, "only the store's own key stays open");
        Require(registry_.Misuses() == 0, "no handle is closed twice or used closed");
    }

private:
    void PlantOne()
    {
        const std::string name = kNames[input_.Pick(3)];
        fake::RegValue value;
        value.type = input_.Flag() ? input_.U32() : input_.Byte() % 12;
        value.data = input_.Bytes(input_.U16() % 1024);
        PlantedValue& planted = planted_[Lower(name)];
        planted.value = value;
        registry_.PlantValue(kSectionPath, name, value);
        // Both knobs hold for the name from then on, as the fake keeps them.
        if (std::optional<uint32_t> size = ReportedSize(input_, value.data.size())) {
            planted.reportedSize = size;
            registry_.ReportSize(name, *size);
        }
        if (input_.Byte() == 0xFF) {
            planted.failsRead = true;
            registry_.FailDataRead(name);
        }
    }

    std::string PickSection()
    {
        switch (input_.Pick(4)) {
        case 0:
            return "S";
        case 1:
            return "\\" + Lower(kSectionPath);
        case 2:
            return "Missing";
        default:
            return input_.Text(24);
        }
    }

    std::string PickName()
    {
        const std::size_t choice = input_.Pick(5);
        if (choice < 3)
            return choice == 1 ? "NAME" : kNames[choice];
        return choice == 3 ? "Missing" : input_.Text(8);
    }

    // A leading backslash starts at the root, anything else below the store's key.
    static std::string ResolvedPath(const std::string& section)
    {
        if (!section.empty() && section.front() == '\\')
            return section.substr(1);
        return section.empty() ? kStorePath : kStorePath + "\\" + section;
    }

    Outcome Predict(const std::string& name) const
    {
        auto found = planted_.find(Lower(name));
        if (found == planted_.end())
            return {};
        const PlantedValue& planted = found->second;
        const std::vector<uint8_t>& data = planted.value.data;
        const uint32_t size = planted.reportedSize.value_or(static_cast<uint32_t>(data.size()));
        if (size == 0)
            return {Outcome::Text, ""};
        const uint32_t type = planted.value.type;
        if (size > core::kMaxValueTextBytes || data.size() > size || planted.failsRead ||
            (type != core::kRegSz && type != core::kRegExpandSz))
            return {Outcome::Fails, ""};
        return {Outcome::Text, std::string(data.begin(), std::find(data.begin(), data.end(), uint8_t{0}))};
    }

    template <typename Read>
    static bool Raises(Read read)
    {
        try {
            read();
        } catch (const core::ERegistryException&) {
            return true;
        }
        return false;
    }

    void CheckIntRead(const std::string& section, const std::string& name, const Outcome& expected)
    {
        const auto def = static_cast<int32_t>(input_.U32());
        int32_t got = 0;
        const bool raised = Raises([&] { got = store_.ReadIntValue(section, name, def); });
        Require(raised == (expected.kind == Outcome::Fails), "ReadIntValue raises exactly for unreadable data");
        if (!raised)
            Require(got == core::ParseIntText(expected.text).value_or(def), "ReadIntValue gives the number or default");
    }

    void CheckStrRead(const std::string& section, const std::string& name, const Outcome& expected)
    {
        const std::string def = input_.Text(8);
        std::string got;
        const bool raised = Raises([&] { got = store_.ReadStrValue(section, name, def); });
        Require(raised == (expected.kind == Outcome::Fails), "ReadStrValue raises exactly for unreadable data");
        if (!raised)
            Require(got == (expected.kind == Outcome::Text ? expected.text : def), "ReadStrValue gives the text or default");
    }

    void CheckBoolRead(const std::string& section, const std::string& name, const Outcome& expected)
    {
        const bool def = input_.Flag();
        bool got = false;
        const bool raised = Raises([&] { got = store_.ReadBoolValue(section, name, def); });
        Require(raised == (expected.kind == Outcome::Fails), "ReadBoolValue raises exactly for unreadable data");
        const std::optional<int32_t> number = core::ParseIntText(expected.text);
        if (!raised)
            Require(got == (number ? *number != 0 : def), "ReadBoolValue gives nonzero-ness or default");
    }

    void CheckValueText(const std::string& name, const Outcome& expected)
    {
        core::RegKey key = 0;
        Require(registry_.OpenKey(core::kHkeyCurrentUser, kSectionPath, key), "the section opens");
        const core::RegKeyHandle handle(registry_, key);
        std::optional<std::string> got;
        const bool raised = Raises([&] { got = core::ReadValueText(registry_, key, name); });
        Require(raised == (expected.kind == Outcome::Fails), "ReadValueText raises exactly for unreadable data");
        if (!raised)
            Require(got == (expected.kind == Outcome::Text ? std::optional(expected.text) : std::nullopt),
                    "ReadValueText gives the text, or nothing for a missing value");
    }

    fuzz::FuzzInput& input_;
    fake::Registry registry_;
    core::TRegIniFile store_{registry_, kStorePath};
    std::map<std::string, PlantedValue> planted_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    Case fuzzCase(input);
    const std::size_t reads = input.Pick(8) + 1;
    for (std::size_t i = 0; i < reads; ++i)
        fuzzCase.ReadOne();
    return 0;
}
