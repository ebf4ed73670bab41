#include "core/settings/ToolbarLayout.h"

#include <exception>
#include <optional>
#include <stdexcept>
#include <vector>

namespace core {
namespace {

// Entries of other layout revisions are ignored whole.
constexpr int32_t kLayoutRev = 2000;
const std::string kFloating = "+";

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameAsciiName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

std::string SectionOf(const LayoutWindow& window)
{
    std::string name = window.LayoutName();
    if (name.empty())
        throw std::runtime_error("Cannot save dockable window's position because Name property is not set");
    return name;
}

int32_t ReadInt(const LayoutReader& reader, const std::string& section, const char* ident, int32_t def)
{
    return reader.readInt(section, ident, def, reader.context);
}

std::string ReadText(const LayoutReader& reader, const std::string& section, const char* ident)
{
    return reader.readText(section, ident, std::string(), reader.context);
}

// Resumes every dock, the last suspended first, even when one of them fails;
// the first failure is handed back.
std::exception_ptr ResumeInReverse(const std::vector<LayoutDock*>& docks) noexcept
{
    std::exception_ptr failure;
    for (auto dock = docks.rbegin(); dock != docks.rend(); ++dock) {
        try {
            (*dock)->ResumeArrange();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    return failure;
}

std::vector<LayoutDock*> SuspendDocks(std::span<const LayoutComponent> owner)
{
    std::vector<LayoutDock*> docks;
    docks.reserve(owner.size());
    try {
        for (const LayoutComponent& component : owner) {
            if (component.dock) {
                component.dock->SuspendArrange();
                docks.push_back(component.dock);
            }
        }
    } catch (...) {
        ResumeInReverse(docks);
        throw;
    }
    return docks;
}

void RelinkLastDock(std::span<const LayoutComponent> owner, LayoutWindow& window, const LayoutReader& reader,
                    const std::string& section)
{
    std::string name = ReadText(reader, section, "LastDock");
    if (name.empty())
        return;
    if (LayoutDock* dock = FindDockByName(owner, name))
        window.SetLastDock(dock);
}

void FloatWindow(std::span<const LayoutComponent> owner, LayoutWindow& window, const LayoutReader& reader,
                 const std::string& section)
{
    if (!window.Floating())
        window.Float();
    window.MoveOnScreen();
    if (window.UseLastDock())
        RelinkLastDock(owner, window, reader, section);
}

// Floats the window when dock is null, else moves it into dock.
void ApplyPosition(std::span<const LayoutComponent> owner, LayoutWindow& window, LayoutDock* dock,
                   const LayoutReader& reader, const std::string& section)
{
    window.SetDockRow(ReadInt(reader, section, "DockRow", window.DockRow()));
    window.SetDockPos(ReadInt(reader, section, "DockPos", window.DockPos()));
    Point floating;
    floating.x = ReadInt(reader, section, "FloatLeft", 0);
    floating.y = ReadInt(reader, section, "FloatTop", 0);
    window.ReadLayoutExtras(reader);
    window.SetFloatingPosition(floating);
    if (dock)
        window.DockInto(*dock);
    else
        FloatWindow(owner, window, reader, section);
    window.Arrange();
    window.LayoutExtrasRead(reader);
}

void ReadWindow(std::span<const LayoutComponent> owner, LayoutWindow& window, const LayoutReader& reader)
{
    const std::string section = SectionOf(window);
    if (ReadInt(reader, section, "Rev", 0) != kLayoutRev)
        return;
    window.SetVisible(ReadInt(reader, section, "Visible", window.Visible() ? 1 : 0) != 0);
    const std::string dockedTo = ReadText(reader, section, "DockedTo");
    if (dockedTo.empty())
        return;
    if (dockedTo == kFloating) {
        ApplyPosition(owner, window, nullptr, reader, section);
        return;
    }
    LayoutDock* dock = FindDockByName(owner, dockedTo);
    if (dock && dock->AllowDrag())
        ApplyPosition(owner, window, dock, reader, section);
}

void ReadWindows(std::span<const LayoutComponent> owner, const LayoutReader& reader)
{
    for (const LayoutComponent& component : owner)
        if (component.window)
            ReadWindow(owner, *component.window, reader);
}

// "+" when floating, the dock's name when docked in a dock that allows
// dragging, empty text in one that does not; nothing when neither.
std::optional<std::string> DockedToOf(const LayoutWindow& window)
{
    if (window.Floating())
        return kFloating;
    const LayoutDock* dock = window.CurrentDock();
    if (!dock)
        return std::nullopt;
    if (!dock->AllowDrag())
        return std::string();
    std::string name = dock->LayoutName();
    if (name.empty())
        throw std::runtime_error(
            "Cannot save dockable window's position because DockedTo's Name property not set");
    return name;
}

void WriteWindow(const LayoutWindow& window, const LayoutWriter& writer)
{
    const std::string section = SectionOf(window);
    const std::optional<std::string> dockedTo = DockedToOf(window);
    if (!dockedTo)
        return;
    const LayoutDock* lastDock = window.LastDock();
    const Point floating = window.FloatingPosition();
    void* context = writer.context;
    writer.writeInt(section, "Rev", kLayoutRev, context);
    writer.writeInt(section, "Visible", window.Visible() ? 1 : 0, context);
    writer.writeText(section, "DockedTo", *dockedTo, context);
    writer.writeText(section, "LastDock", lastDock ? lastDock->LayoutName() : std::string(), context);
    writer.writeInt(section, "DockRow", window.DockRow(), context);
    writer.writeInt(section, "DockPos", window.DockPos(), context);
    writer.writeInt(section, "FloatLeft", floating.x, context);
    writer.writeInt(section, "FloatTop", floating.y, context);
    window.WriteLayoutExtras(writer);
}

} // namespace

void ReadToolbarLayout(std::span<const LayoutComponent> owner, const LayoutReader& reader)
{
    const std::vector<LayoutDock*> docks = SuspendDocks(owner);
    try {
        ReadWindows(owner, reader);
    } catch (...) {
        // The read's own error is the one worth reporting.
        ResumeInReverse(docks);
        throw;
    }
    if (std::exception_ptr failure = ResumeInReverse(docks))
        std::rethrow_exception(failure);
}

void WriteToolbarLayout(std::span<const LayoutComponent> owner, const LayoutWriter& writer)
{
    for (const LayoutComponent& component : owner)
        if (component.window)
            WriteWindow(*component.window, writer);
}

LayoutDock* FindDockByName(std::span<const LayoutComponent> owner, const std::string& name)
{
    for (const LayoutComponent& component : owner)
        if (component.dock && SameAsciiName(component.dock->LayoutName(), name))
            return component.dock;
    return nullptr;
}

int32_t ReadFloatingWidth(const LayoutReader& reader, const std::string& section)
{
    return ReadInt(reader, section, "FloatRightX", 0);
}

void WriteFloatingWidth(const LayoutWriter& writer, const std::string& section, int32_t width)
{
    writer.writeInt(section, "FloatRightX", width, writer.context);
}

} // namespace core
