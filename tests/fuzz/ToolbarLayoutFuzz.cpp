// Reading the toolbar layout from a store that answers anything: any numbers,
// any texts, sometimes a failure, over a few docks and windows that may fail
// to suspend or resume. Every dock suspended is resumed, last first, whatever
// raised; windows only move into docks of their owner that allow it; and the
// error that surfaces is the one that matters.
#include "core/settings/ERegistryException.h"
#include "core/settings/ToolbarLayout.h"

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "docking/FakeLayout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using fuzz::Require;

constexpr uint8_t kRaise = 0xEE;
const char* const kNamePool[] = {"dkTop", "DKTOP", "tbMain", "+", ""};

struct ReadFailure : core::ERegistryException {
    ReadFailure() : core::ERegistryException("read failed") {}
};

struct DockFailure : std::runtime_error {
    DockFailure() : std::runtime_error("dock failed") {}
};

std::string PickName(fuzz::FuzzInput& input)
{
    const std::size_t choice = input.Pick(std::size(kNamePool) + 1);
    return choice < std::size(kNamePool) ? kNamePool[choice] : input.Text(6);
}

// Notes the order of suspends and resumes by identity, since names repeat.
class TracedDock : public fake::Dock {
public:
    TracedDock(fake::Log& log, std::string name, bool allowDrag, std::vector<const TracedDock*>& trace)
        : fake::Dock(log, std::move(name), allowDrag), trace_(trace)
    {
    }

    void SuspendArrange() override
    {
        if (failSuspend)
            throw DockFailure();
        fake::Dock::SuspendArrange();
        trace_.push_back(this);
    }
    void ResumeArrange() override
    {
        fake::Dock::ResumeArrange();
        trace_.push_back(this);
        if (failResume)
            throw DockFailure();
    }

    bool failSuspend = false;
    bool failResume = false;

private:
    std::vector<const TracedDock*>& trace_;
};

// The store: each answer decoded from the input; an exhausted input answers defaults.
struct Script {
    fuzz::FuzzInput& input;
    std::size_t reads = 0;
    bool raised = false;

    uint8_t Next()
    {
        ++reads;
        const uint8_t choice = input.Byte();
        if (choice == kRaise) {
            raised = true;
            throw ReadFailure();
        }
        return choice;
    }
    static Script& Of(void* context) { return *static_cast<Script*>(context); }

    static int32_t ReadInt(const std::string&, const std::string&, int32_t def, void* context)
    {
        Script& script = Of(context);
        return script.Next() % 2 == 0 ? def : static_cast<int32_t>(script.input.U32());
    }
    static std::string ReadText(const std::string&, const std::string&, const std::string& def, void* context)
    {
        Script& script = Of(context);
        return script.Next() % 2 == 0 ? def : PickName(script.input);
    }
};

class Case {
public:
    explicit Case(fuzz::FuzzInput& input)
    {
        const std::size_t count = input.Pick(7);
        for (std::size_t i = 0; i < count; ++i)
            AddComponent(input);
    }

    void ReadAndCheck(fuzz::FuzzInput& input)
    {
        Script script{input};
        const core::LayoutReader reader{&Script::ReadInt, &Script::ReadText, &script};
        std::exception_ptr caught;
        try {
            core::ReadToolbarLayout(owner_, reader);
        } catch (const std::runtime_error&) {
            caught = std::current_exception();
        }
        CheckDocksRestored();
        CheckWindowsPlaced();
        CheckSurfacedError(script, caught);
    }

private:
    void AddComponent(fuzz::FuzzInput& input)
    {
        switch (input.Pick(3)) {
        case 0: {
            auto dock = std::make_unique<TracedDock>(log_, PickName(input), input.Flag(), trace_);
            dock->failSuspend = input.Byte() == kRaise;
            dock->failResume = input.Byte() == kRaise;
            owner_.push_back({dock.get(), nullptr});
            docks_.push_back(std::move(dock));
            break;
        }
        case 1: {
            TracedDock* home = docks_.empty() || input.Flag() ? nullptr : docks_[input.Pick(docks_.size())].get();
            auto window = std::make_unique<fake::Window>(log_, PickName(input), home);
            window->floating = !home && input.Flag();
            window->useLastDock = input.Flag();
            homes_.push_back(home);
            owner_.push_back({nullptr, window.get()});
            windows_.push_back(std::move(window));
            break;
        }
        default:
            owner_.push_back({});
            break;
        }
    }

    bool InOwner(const core::LayoutDock* dock) const
    {
        return std::any_of(docks_.begin(), docks_.end(), [&](const auto& own) { return own.get() == dock; });
    }

    std::vector<const TracedDock*> Suspends() const
    {
        std::vector<const TracedDock*> suspends;
        for (const auto& dock : docks_) {
            if (dock->failSuspend)
                break;
            suspends.push_back(dock.get());
        }
        return suspends;
    }

    void CheckDocksRestored() const
    {
        std::vector<const TracedDock*> expected = Suspends();
        expected.insert(expected.end(), expected.rbegin(), expected.rend());
        Require(trace_ == expected, "each dock is suspended once in order and resumed once in reverse");
        for (const auto& dock : docks_)
            Require(dock->suspended == 0, "no dock stays suspended");
    }

    void CheckWindowsPlaced() const
    {
        for (std::size_t i = 0; i < windows_.size(); ++i) {
            const fake::Window& window = *windows_[i];
            if (window.dock != homes_[i])
                Require(!window.dock || (InOwner(window.dock) && window.dock->allowDrag),
                        "a window moves only into its owner's draggable docks");
            Require(!window.dock || !window.floating, "a window is docked or floating, not both");
            Require(!window.lastDock || InOwner(window.lastDock), "the last dock is one of the owner's");
        }
    }

    bool AnyUnnamedWindow() const
    {
        return std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return w->name.empty(); });
    }

    template <typename Failure>
    static bool Is(const std::exception_ptr& caught)
    {
        try {
            std::rethrow_exception(caught);
        } catch (const Failure&) {
            return true;
        } catch (...) {
            return false;
        }
    }

    // A failed suspend stops everything; then the read's own failure (a store
    // error or an unnamed window) wins over a failed resume.
    void CheckSurfacedError(const Script& script, const std::exception_ptr& caught) const
    {
        const bool suspendFailed = Suspends().size() < docks_.size();
        const bool resumeFailed = std::any_of(docks_.begin(), docks_.end(), [&](const auto& dock) {
            return dock->failResume && std::find(trace_.begin(), trace_.end(), dock.get()) != trace_.end();
        });
        if (suspendFailed) {
            Require(caught && Is<DockFailure>(caught) && script.reads == 0, "a failed suspend stops the read");
        } else if (script.raised) {
            Require(caught && Is<ReadFailure>(caught), "the store's failure surfaces");
        } else if (AnyUnnamedWindow()) {
            Require(caught && !Is<ReadFailure>(caught) && !Is<DockFailure>(caught), "an unnamed window fails");
        } else {
            Require(resumeFailed ? caught && Is<DockFailure>(caught) : !caught, "a failed resume surfaces last");
        }
    }

    fake::Log log_;
    std::vector<const TracedDock*> trace_;
    std::vector<std::unique_ptr<TracedDock>> docks_;
    std::vector<std::unique_ptr<fake::Window>> windows_;
    std::vector<const TracedDock*> homes_;
    std::vector<core::LayoutComponent> owner_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    Case fuzzCase(input);
    fuzzCase.ReadAndCheck(input);
    return 0;
}
