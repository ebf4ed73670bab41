// The error box: what it shows, and that it comes only once the message
// whose handler failed has been handled, so nothing runs inside it.
#include "MainWindowFixture.h"

#include <stdexcept>

namespace {

class ErrorBoxTest : public MainWindowTest {
protected:
    // Raises an exception from a real event handler, reached through the
    // window's own notification, and returns the box that it produced.
    testsupport::SeenBox BoxFor(const std::string& message)
    {
        form->lvMaster->OnColumnClick = [message](win32::ListView&, int) { throw std::runtime_error(message); };
        testsupport::ModalBoxWatcher watcher;
        NMLISTVIEW click{};
        click.hdr.hwndFrom = form->lvMaster->Handle();
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = 1;
        const LRESULT result = ::SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(result, 0);
        // Not from inside the notification: the box waits for it to return.
        EXPECT_TRUE(watcher.Boxes().empty());
        testsupport::PumpMessages();
        EXPECT_EQ(watcher.Boxes().size(), 1u);
        return watcher.Boxes().empty() ? testsupport::SeenBox{} : watcher.Boxes().front();
    }
};

TEST_F(ErrorBoxTest, ShowsTheMessageWithStopIconTitledWithTheApplication)
{
    const auto box = BoxFor("Failed to create key tbMain");
    EXPECT_EQ(box.caption, "Vantora");
    EXPECT_EQ(box.text, "Failed to create key tbMain.");
    EXPECT_TRUE(box.stopIcon);
    EXPECT_EQ(box.owner, form->Handle());
}

TEST_F(ErrorBoxTest, FullStopOnlyAfterACharacterAboveDot)
{
    EXPECT_EQ(BoxFor("Invalid data type for 'Width'").text, "Invalid data type for 'Width'");
    EXPECT_EQ(BoxFor("Cannot do that!").text, "Cannot do that!");
    EXPECT_EQ(BoxFor("Cannot do x").text, "Cannot do x.");
    EXPECT_EQ(BoxFor("Already ends.").text, "Already ends.");
}

TEST_F(ErrorBoxTest, ProgramGoesOnAfterTheBox)
{
    BoxFor("first");
    EXPECT_TRUE(::IsWindow(form->Handle()));
    form->lvMaster->OnColumnClick = nullptr;
    form->RefreshProcesses();
    EXPECT_GT(form->lvMaster->Count(), 0);
}

TEST_F(ErrorBoxTest, ErrorInTheListsOwnChangeNotificationLeavesTheListWhole)
{
    form->RefreshProcesses();
    const int rows = form->lvMaster->Count();
    ASSERT_GT(rows, 1);
    int changes = 0;
    form->lvMaster->OnChange = [&](win32::ListView&) {
        ++changes;
        throw std::runtime_error("in the notification");
    };
    testsupport::ModalBoxWatcher watcher;
    form->lvMaster->Select(0);
    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_GT(changes, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(watcher.Boxes().empty());
    EXPECT_EQ(form->lvMaster->Count(), rows);
    EXPECT_EQ(form->lvMaster->SelectedIndex(), 0);
}

} // namespace
