// The window preferences against the real registry, in a key of the tests'
// own: what is written, byte for byte, and what damaged values give.
#include "MainWindowFixture.h"
#include "shared/RegistryNames.h"
#include "UserInput.h"


namespace {

using testsupport::RegistryEntries;
using testsupport::RegistryNames;

const std::string kSectionPath = std::string(kTestSettingsKey) + "\\Preferences";

struct StoredValue {
    DWORD type = 0;
    std::vector<BYTE> data;
};

class PreferencesTest : public MainWindowTest {
protected:
    static void Put(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kSectionPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
    static void PutText(const char* name, const std::string& text, DWORD type = REG_SZ)
    {
        Put(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

    static StoredValue Stored(const char* name)
    {
        StoredValue value;
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSectionPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return value;
        DWORD size = 0;
        ::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
        value.data.resize(size);
        ::RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size);
        ::RegCloseKey(key);
        return value;
    }

    static bool KeyExists(const std::string& path)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }

    // Shows the window as the program does, and the boxes it raised on the way.
    std::vector<testsupport::SeenBox> Show()
    {
        testsupport::ModalBoxWatcher watcher;
        form->Show();
        testsupport::PumpMessages();
        return watcher.Boxes();
    }

    static int MasterWidthAfterLoadOf(const std::string& text, DWORD type = REG_SZ);
};

TEST_F(PreferencesTest, FirstRunCreatesTheKeyOnlyAndOpensAtTheDesignedSize)
{
    EXPECT_TRUE(Show().empty());
    EXPECT_TRUE(KeyExists(kTestSettingsKey));
    EXPECT_FALSE(KeyExists(kSectionPath));
    EXPECT_EQ(form->ClientWidth(), 542);
    EXPECT_EQ(form->ClientHeight(), 321);
    EXPECT_EQ(form->lvMaster->Width(), 200);
    EXPECT_FALSE(form->aAutoRefresh->Checked());
    EXPECT_GT(form->lvMaster->Count(), 0);
}

TEST_F(PreferencesTest, ClosingWritesExactlySixTextValuesWithTheirNul)
{
    Show();
    const core::Rect bounds = form->WindowBounds();
    ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    userinput::TakeQuit();
    EXPECT_EQ(RegistryNames(kSectionPath, RegistryEntries::Values),
              (std::vector<std::string>{"AutoRefresh", "Height", "Left", "MasterWidth", "Top", "Width"}));
    const StoredValue master = Stored("MasterWidth");
    EXPECT_EQ(master.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(master.data, (std::vector<BYTE>{'2', '0', '0', 0}));
    EXPECT_EQ(Stored("AutoRefresh").data, (std::vector<BYTE>{'0', 0}));
    const std::string width = std::to_string(bounds.width());
    std::vector<BYTE> expected(width.begin(), width.end());
    expected.push_back(0);
    EXPECT_EQ(Stored("Width").data, expected);
    EXPECT_EQ(Stored("Width").type, static_cast<DWORD>(REG_SZ));
}

TEST_F(PreferencesTest, ClosingWhileMinimisedWritesTheBoundsItWouldComeBackTo)
{
    Show();
    form->SetWindowBounds({40, 50, 40 + 700, 50 + 480});
    ::ShowWindow(form->Handle(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(form->Handle()));
    ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    userinput::TakeQuit();
    auto text = [](const char* name) {
        const std::vector<BYTE> data = Stored(name).data;
        return std::string(data.begin(), data.end());
    };
    EXPECT_EQ(text("Left"), std::string("40", 3));
    EXPECT_EQ(text("Top"), std::string("50", 3));
    EXPECT_EQ(text("Width"), std::string("700", 4));
    EXPECT_EQ(text("Height"), std::string("480", 4));
}

TEST_F(PreferencesTest, EndingSessionSavesAndAProgramThatOutlivesItSavesAgainOnClose)
{
    Show();
    // A shutdown that was called off saves nothing.
    ::SendMessageA(form->Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(KeyExists(kSectionPath));
    ::SendMessageA(form->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(RegistryNames(kSectionPath, RegistryEntries::Values),
              (std::vector<std::string>{"AutoRefresh", "Height", "Left", "MasterWidth", "Top", "Width"}));
    EXPECT_EQ(Stored("AutoRefresh").data, (std::vector<BYTE>{'0', 0}));
    // The logoff failed and the program goes on: what changes now is saved
    // when it closes.
    form->aAutoRefresh->SetChecked(true);
    ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    userinput::TakeQuit();
    EXPECT_FALSE(::IsWindow(form->Handle()));
    EXPECT_EQ(Stored("AutoRefresh").data, (std::vector<BYTE>{'1', 0}));
}

TEST_F(PreferencesTest, StoredSizeSplitterAndAutoRefreshComeBackWithTheWindowCentred)
{
    PutText("Width", "700");
    PutText("Height", "500");
    PutText("Left", "3");
    PutText("Top", "4");
    PutText("MasterWidth", "260");
    PutText("AutoRefresh", "1");
    EXPECT_TRUE(Show().empty());
    const core::Rect bounds = form->WindowBounds();
    EXPECT_EQ(bounds.width(), 700);
    EXPECT_EQ(bounds.height(), 500);
    // Centred on the 1280x1024 test display.
    ASSERT_EQ(::GetSystemMetrics(SM_CXVIRTUALSCREEN), 1280);
    ASSERT_EQ(::GetSystemMetrics(SM_CYVIRTUALSCREEN), 1024);
    EXPECT_EQ(bounds.left, 290);
    EXPECT_EQ(bounds.top, 262);
    EXPECT_EQ(form->lvMaster->Width(), 260);
    EXPECT_TRUE(form->aAutoRefresh->Checked());
    EXPECT_TRUE(form->TheTimer->Enabled());
}

TEST_F(PreferencesTest, NumberValueForWidthStopsTheLoadButTheWindowStillOpens)
{
    const DWORD width = 800;
    Put("Width", REG_DWORD, &width, sizeof width);
    PutText("MasterWidth", "300");
    PutText("AutoRefresh", "1");
    const auto boxes = Show();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Invalid data type for 'Width'");
    EXPECT_TRUE(boxes[0].stopIcon);
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->ClientWidth(), 542);
    EXPECT_EQ(form->lvMaster->Width(), 224);
    EXPECT_FALSE(form->aAutoRefresh->Checked());
    EXPECT_EQ(form->lvMaster->Count(), 0);
    EXPECT_FALSE(form->TheTimer->Enabled());
    // Nothing stored was lost.
    EXPECT_EQ(Stored("Width").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Stored("MasterWidth").data.size(), 4u);
}

int PreferencesTest::MasterWidthAfterLoadOf(const std::string& text, DWORD type)
{
    DeleteTestSettings();
    PutText("MasterWidth", text, type);
    win32::Application app(::GetModuleHandleA(nullptr));
    TfMain form(app);
    form.SetSettingsKey(kTestSettingsKey);
    form.LoadPreferences();
    return form.lvMaster->Width();
}

TEST_F(PreferencesTest, TextValuesReadAsTheUserWouldExpect)
{
    EXPECT_EQ(MasterWidthAfterLoadOf("250", REG_EXPAND_SZ), 250);
    EXPECT_EQ(MasterWidthAfterLoadOf("$12C"), 300);
    EXPECT_EQ(MasterWidthAfterLoadOf("  300"), 300);
    EXPECT_EQ(MasterWidthAfterLoadOf("300 "), 200);
    EXPECT_EQ(MasterWidthAfterLoadOf("3e2"), 200);
    EXPECT_EQ(MasterWidthAfterLoadOf("2147483648"), 200);
    EXPECT_EQ(MasterWidthAfterLoadOf(std::string(40000, '7')), 200);

    for (const auto& [text, on] : std::vector<std::pair<std::string, bool>>{
             {"2", true}, {"-1", true}, {"yes", false}, {"", false}, {"0", false}}) {
        DeleteTestSettings();
        PutText("AutoRefresh", text);
        form->LoadPreferences();
        EXPECT_EQ(form->aAutoRefresh->Checked(), on) << text;
    }
}

TEST_F(PreferencesTest, EmptyNumberValueAndUnterminatedTextAreSafe)
{
    Put("Width", REG_DWORD, nullptr, 0);
    Put("MasterWidth", REG_SZ, "321", 3);  // no terminating NUL
    const core::Rect before = form->WindowBounds();
    EXPECT_TRUE(Show().empty());
    EXPECT_EQ(form->WindowBounds().width(), before.width());
    EXPECT_EQ(form->lvMaster->Width(), 321);
}

TEST_F(PreferencesTest, AbsurdBoundsStillGiveAWindowOnTheScreen)
{
    PutText("Width", "0");
    PutText("Height", "-5");
    PutText("Left", "-2147483648");
    PutText("Top", "2147483647");
    PutText("MasterWidth", "2147483647");
    EXPECT_TRUE(Show().empty());
    const core::Rect bounds = form->WindowBounds();
    EXPECT_GE(bounds.width(), ::GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_GE(bounds.height(), ::GetSystemMetrics(SM_CYMINTRACK));
    EXPECT_GE(bounds.left, 0);
    EXPECT_GE(bounds.top, 0);
    EXPECT_LT(bounds.left, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_LT(bounds.top, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));

    PutText("Width", "100000");
    PutText("Height", "100000");
    form->LoadPreferences();
    EXPECT_LE(form->WindowBounds().width(), ::GetSystemMetrics(SM_CXMAXTRACK));
    // What the user's system wrote stays as it was until the next save.
    EXPECT_EQ(Stored("Left").data.size(), 12u);
}

TEST_F(PreferencesTest, KeyThatCannotBeCreatedKeepsEverythingInsideIt)
{
    // A persistent key cannot be made under a volatile one.
    const std::string volatileParent = std::string(kTestSettingsKey) + "\\Volatile";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, volatileParent.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
    form->SetSettingsKey(volatileParent + "\\Vantora");
    EXPECT_TRUE(Show().empty());
    EXPECT_EQ(form->lvMaster->Width(), 200);
    EXPECT_FALSE(KeyExists("Preferences"));

    testsupport::ModalBoxWatcher watcher;
    ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    app.ShowPendingErrors();
    userinput::TakeQuit();
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, "Failed to create key Preferences.");
    EXPECT_FALSE(KeyExists("Preferences"));
    EXPECT_FALSE(KeyExists(volatileParent + "\\Preferences"));
}

} // namespace
