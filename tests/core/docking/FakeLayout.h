// Docks, dockable windows and a value store for the toolbar layout's tests.
// Docks and windows note what is done to them in one shared log, so a test
// sees the order of calls across all of them.
#pragma once

#include "core/settings/ParseIntText.h"
#include "core/settings/ToolbarLayout.h"

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace fake {

using Log = std::vector<std::string>;

class Dock : public core::LayoutDock {
public:
    Dock(Log& log, std::string name, bool allowDrag = true)
        : name(std::move(name)), allowDrag(allowDrag), log_(log)
    {
    }

    std::string LayoutName() const override { return name; }
    bool AllowDrag() const override { return allowDrag; }
    void SuspendArrange() override
    {
        ++suspended;
        log_.push_back("suspend " + name);
    }
    void ResumeArrange() override
    {
        log_.push_back("resume " + name);
        if (--suspended == 0 && pending) {
            pending = false;
            ++arrangements;
        }
    }
    void RequestArrange()
    {
        if (suspended > 0)
            pending = true;
        else
            ++arrangements;
    }

    std::string name;
    bool allowDrag;
    int suspended = 0;
    bool pending = false;
    int arrangements = 0;

private:
    Log& log_;
};

class Window : public core::LayoutWindow {
public:
    Window(Log& log, std::string name, Dock* dock = nullptr) : name(std::move(name)), dock(dock), log_(log) {}

    std::string LayoutName() const override { return name; }
    bool Visible() const override { return visible; }
    void SetVisible(bool value) override
    {
        visible = value;
        Note(value ? "SetVisible 1" : "SetVisible 0");
    }
    bool Floating() const override { return floating; }
    core::LayoutDock* CurrentDock() const override { return dock; }
    int32_t DockRow() const override { return row; }
    void SetDockRow(int32_t value) override
    {
        row = value;
        Note("SetDockRow " + std::to_string(value));
        RequestDockArrange();
    }
    int32_t DockPos() const override { return pos; }
    void SetDockPos(int32_t value) override
    {
        pos = value;
        Note("SetDockPos " + std::to_string(value));
        RequestDockArrange();
    }
    core::Point FloatingPosition() const override { return floatingAt; }
    void SetFloatingPosition(core::Point value) override
    {
        floatingAt = value;
        Note("SetFloatingPosition " + std::to_string(value.x) + "," + std::to_string(value.y));
    }
    core::LayoutDock* LastDock() const override { return lastDock; }
    void SetLastDock(core::LayoutDock* value) override
    {
        lastDock = value;
        Note("SetLastDock " + value->LayoutName());
    }
    bool UseLastDock() const override { return useLastDock; }
    void DockInto(core::LayoutDock& target) override
    {
        Note("DockInto " + target.LayoutName());
        if (dock == &target)
            return;
        RequestDockArrange();
        dock = static_cast<Dock*>(&target);
        floating = false;
        RequestDockArrange();
    }
    void Float() override
    {
        Note("Float");
        RequestDockArrange();
        dock = nullptr;
        floating = true;
    }
    void MoveOnScreen() override { Note("MoveOnScreen"); }
    void Arrange() override { Note("Arrange"); }
    void LayoutExtrasRead(const core::LayoutReader&) override { Note("LayoutExtrasRead"); }
    void ReadLayoutExtras(const core::LayoutReader&) override { Note("ReadLayoutExtras"); }

    std::string name;
    bool visible = true;
    bool floating = false;
    Dock* dock;
    int32_t row = 0;
    int32_t pos = -1;
    core::Point floatingAt;
    core::LayoutDock* lastDock = nullptr;
    bool useLastDock = true;

protected:
    void Note(const std::string& what) { log_.push_back(name + " " + what); }

private:
    void RequestDockArrange()
    {
        if (dock)
            dock->RequestArrange();
    }

    Log& log_;
};

// A toolbar keeps its floating width as its extra value.
class Toolbar : public Window {
public:
    using Window::Window;
    void ReadLayoutExtras(const core::LayoutReader& reader) override
    {
        Window::ReadLayoutExtras(reader);
        floatingWidth = core::ReadFloatingWidth(reader, name);
    }
    void WriteLayoutExtras(const core::LayoutWriter& writer) const override
    {
        core::WriteFloatingWidth(writer, name, floatingWidth);
    }
    int32_t floatingWidth = 0;
};

// Values as text by "section/ident"; numbers read as the registry store reads them.
class Store {
public:
    void Set(const std::string& section, const std::string& ident, const std::string& text)
    {
        values[section + "/" + ident] = text;
    }
    core::LayoutReader Reader() { return {&ReadInt, &ReadText, this}; }
    core::LayoutWriter Writer() { return {&WriteInt, &WriteText, this}; }

    std::map<std::string, std::string> values;
    std::vector<std::string> reads;   // "section/ident"
    std::vector<std::string> writes;  // "section/ident=text"
    std::string failingRead;          // "section/ident" whose read throws

private:
    static Store& Of(void* context) { return *static_cast<Store*>(context); }
    static const std::string* Find(const std::string& section, const std::string& ident, void* context)
    {
        Store& store = Of(context);
        const std::string key = section + "/" + ident;
        store.reads.push_back(key);
        if (key == store.failingRead)
            throw std::runtime_error("read failed: " + key);
        auto found = store.values.find(key);
        return found == store.values.end() ? nullptr : &found->second;
    }
    static int32_t ReadInt(const std::string& section, const std::string& ident, int32_t def, void* context)
    {
        const std::string* text = Find(section, ident, context);
        return text ? core::ParseIntText(*text).value_or(def) : def;
    }
    static std::string ReadText(const std::string& section, const std::string& ident, const std::string& def,
                                void* context)
    {
        const std::string* text = Find(section, ident, context);
        return text ? *text : def;
    }
    static void WriteInt(const std::string& section, const std::string& ident, int32_t value, void* context)
    {
        WriteText(section, ident, std::to_string(value), context);
    }
    static void WriteText(const std::string& section, const std::string& ident, const std::string& value,
                          void* context)
    {
        Of(context).writes.push_back(section + "/" + ident + "=" + value);
        Of(context).values[section + "/" + ident] = value;
    }
};

} // namespace fake
