// The toolbar layout against the real registry, in a key of the tests' own:
// what the program's window writes on closing and restores on showing, and,
// on the tests' toolbar form, what damaged or hostile entries give.
#include "MainWindowFixture.h"
#include "TestSupport.h"
#include "ToolbarFormFixture.h"
#include "shared/RegistryNames.h"
#include "UserInput.h"
#include "toolbars/TTBFloatingWindowParent.h"

#include <string>
#include <vector>


namespace {

using testsupport::RegistryEntries;
using testsupport::RegistryNames;

const std::string kToolbarsPath = std::string(kTestSettingsKey) + "\\Toolbars";

// On either window, which keeps its toolbars below kToolbarsPath.
template <class Window>
class Persistence : public Window {
protected:
    static std::string Path(const std::string& bar) { return kToolbarsPath + "\\" + bar; }

    static void Put(const std::string& bar, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, Path(bar).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
    static void PutText(const std::string& bar, const char* name, const std::string& text)
    {
        Put(bar, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    // A whole entry as an earlier run writes it.
    static void PutEntry(const std::string& bar, const std::string& dockedTo, int row, int pos, int left, int top,
                         int width = 0)
    {
        PutText(bar, "Rev", "2000");
        PutText(bar, "Visible", "1");
        PutText(bar, "DockedTo", dockedTo);
        PutText(bar, "LastDock", "dkTop");
        PutText(bar, "DockRow", std::to_string(row));
        PutText(bar, "DockPos", std::to_string(pos));
        PutText(bar, "FloatLeft", std::to_string(left));
        PutText(bar, "FloatTop", std::to_string(top));
        PutText(bar, "FloatRightX", std::to_string(width));
    }

    // The stored text, if the value is REG_SZ with its NUL counted.
    static std::string StoredText(const std::string& bar, const char* name)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, Path(bar).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>";
        DWORD type = 0;
        char data[512] = {};
        DWORD size = sizeof data;
        const LONG result = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        ::RegCloseKey(key);
        if (result != ERROR_SUCCESS)
            return "<missing>";
        if (type != REG_SZ || size == 0 || data[size - 1] != '\0')
            return "<not text with its NUL>";
        return std::string(data, size - 1);
    }

    std::vector<testsupport::SeenBox> Show()
    {
        testsupport::ModalBoxWatcher watcher;
        this->form->Show();
        testsupport::PumpMessages();
        this->app.ShowPendingErrors();
        return watcher.Boxes();
    }

    void Close()
    {
        ::SendMessageA(this->form->Handle(), WM_CLOSE, 0, 0);
        userinput::TakeQuit();
    }
};

using ToolbarPersistenceTest = Persistence<MainWindowTest>;
using ToolbarFormPersistenceTest = Persistence<ToolbarFormTest>;

TEST_F(ToolbarPersistenceTest, FirstRunCreatesTheEmptyBaseKeyAndTheFirstExitNineTextValuesPerToolbar)
{
    EXPECT_TRUE(Show().empty());
    EXPECT_TRUE(RegistryNames(kToolbarsPath, RegistryEntries::Subkeys).empty());
    EXPECT_TRUE(RegistryNames(kToolbarsPath, RegistryEntries::Values).empty());
    form->tbMain->DockInto(*form->dkRight);
    Close();
    EXPECT_EQ(RegistryNames(kToolbarsPath, RegistryEntries::Subkeys), (std::vector<std::string>{"tbMain", "tbMenu"}));
    const std::vector<std::string> nine{"DockPos",  "DockRow",  "DockedTo", "FloatLeft", "FloatRightX",
                                        "FloatTop", "LastDock", "Rev",      "Visible"};
    EXPECT_EQ(RegistryNames(Path("tbMain"), RegistryEntries::Values), nine);
    EXPECT_EQ(RegistryNames(Path("tbMenu"), RegistryEntries::Values), nine);
    EXPECT_EQ(StoredText("tbMain", "Rev"), "2000");
    EXPECT_EQ(StoredText("tbMain", "Visible"), "1");
    EXPECT_EQ(StoredText("tbMain", "DockedTo"), "dkRight");
    EXPECT_EQ(StoredText("tbMain", "LastDock"), "dkRight");
    EXPECT_EQ(StoredText("tbMain", "FloatLeft"), "0");
    EXPECT_EQ(StoredText("tbMenu", "DockedTo"), "dkTop");
}

TEST_F(ToolbarPersistenceTest, StoredDockAndFloatingPlaceComeBackBeforeTheWindowShows)
{
    PutEntry("tbMain", "DKRIGHT", 0, 0, 0, 0);
    PutEntry("tbMenu", "+", 0, 0, 320, 210, 60);
    // Restored before the window is visible: the first show finds them there.
    bool placedWhenShown = false;
    form->OnShow = [this, previous = form->OnShow, &placedWhenShown] {
        previous();
        placedWhenShown = !::IsWindowVisible(form->Handle()) && form->tbMain->CurrentDock() == form->dkRight;
    };
    EXPECT_TRUE(Show().empty());
    EXPECT_TRUE(placedWhenShown);
    EXPECT_EQ(form->tbMain->CurrentDock(), form->dkRight);
    ASSERT_TRUE(form->tbMenu->Floating());
    RECT r{};
    ::GetWindowRect(form->tbMenu->FloatingParent()->Handle(), &r);
    EXPECT_EQ(r.left, 320);
    EXPECT_EQ(r.top, 210);
    EXPECT_EQ(form->tbMenu->FloatingWidth(), 60);
    EXPECT_EQ(form->tbMenu->LastDock(), form->dkTop);
    EXPECT_EQ(form->dkTop->Height(), 0);
}

TEST_F(ToolbarPersistenceTest, NumberValueForRevStopsTheLoadAndTheFirstRefresh)
{
    const DWORD rev = 2000;
    Put("tbMain", "Rev", REG_DWORD, &rev, sizeof rev);
    const auto boxes = Show();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Invalid data type for 'Rev'");
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->lvMaster->Count(), 0);
}

TEST_F(ToolbarFormPersistenceTest, ValuesAndSubkeysTheProgramDoesNotKnowSurviveASave)
{
    PutEntry("tbMain", "dkTop", 0, 0, 0, 0);
    PutText("tbMain", "Colour", "blue");
    PutText("tbOld", "Rev", "2000");
    Show();
    Close();
    EXPECT_EQ(StoredText("tbMain", "Colour"), "blue");
    EXPECT_EQ(StoredText("tbOld", "Rev"), "2000");
}

TEST_F(ToolbarFormPersistenceTest, HostileValuesLeaveAUsableLayoutAndAreNotRewritten)
{
    PutEntry("tbMain", "dkTop", -2147483647 - 1, 2147483647, 0, 0);
    PutEntry("tbMenu", "+", 0, 0, -2147483647 - 1, 2147483647, -5);
    PutText("tbMenu", "LastDock", std::string(300, 'x'));
    EXPECT_TRUE(Show().empty());
    // Docked bars stay inside their dock, whatever the numbers.
    EXPECT_EQ(form->tbMain->CurrentDock(), form->dkTop);
    EXPECT_LE(form->tbMain->BoundsRect().right, form->dkTop->Width());
    EXPECT_GE(form->tbMain->BoundsRect().left, 0);
    // The floating one is brought onto the work area, its stored place kept.
    ASSERT_TRUE(form->tbMenu->Floating());
    RECT r{};
    ::GetWindowRect(form->tbMenu->FloatingParent()->Handle(), &r);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(::IntersectRect(&r, &r, &work));
    Close();
    EXPECT_EQ(StoredText("tbMenu", "FloatLeft"), "-2147483648");
    EXPECT_EQ(StoredText("tbMenu", "FloatTop"), "2147483647");
}

} // namespace
