#include "MainWindowFixture.h"

#include <stdexcept>

namespace {

class ErrorBoxTest : public MainWindowTest {
protected:
    // Raises an exception from a real event handler, reached through the
    // window's own message dispatch, and returns the box that it produced.
    testsupport::SeenBox BoxFor(const std::string& message)
    {
        form->lvMaster->OnColumnClick = [message](win32::ListView&, int) {
            throw std::runtime_error(message);
        };
        testsupport::ModalBoxWatcher watcher;
        NMLISTVIEW click{};
        click.hdr.hwndFrom = form->lvMaster->Handle();
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = 1;
        const LRESULT result =
            ::SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(result, 0);
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

} // namespace
