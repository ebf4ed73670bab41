// What the registry store's tests share: a fake registry whose handles must
// all be closed, exactly once, when a test ends.
#pragma once

#include "core/settings/ERegistryException.h"
#include "core/settings/TRegIniFile.h"

#include "settings/FakeRegistry.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using core::ERegistryException;
using core::kHkeyCurrentUser;
using core::kRegBinary;
using core::kRegDword;
using core::kRegExpandSz;
using core::kRegSz;
using core::TRegIniFile;
using fake::RegValue;
using fake::TextBytes;

// Per file: each test file initialises its own copies, in this order.
namespace {

constexpr core::RegKey kOtherRoot = 0x80000002;
const std::string kApp = "Software\\Morvane\\Vantora";
const std::string kPrefs = kApp + "\\Preferences";

} // namespace

inline std::vector<uint8_t> Bytes(const std::string& raw)
{
    return std::vector<uint8_t>(raw.begin(), raw.end());
}

// The message of the ERegistryException the call raises.
inline std::string Raised(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ERegistryException& e) {
        return e.what();
    }
    return "(nothing raised)";
}

// Every test ends with every handle the store took closed, exactly once.
class RegIniFileTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(reg.OpenHandles(), 0u);
        EXPECT_EQ(reg.Misuses(), 0u);
    }

    fake::Registry reg;
};
