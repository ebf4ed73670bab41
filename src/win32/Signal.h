// Events with any number of listeners. A listener stays connected for the
// lifetime of its Connection; either side may go first.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace win32 {

class Connection {
public:
    Connection() = default;
    explicit Connection(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
    ~Connection() { Disconnect(); }
    Connection(Connection&& other) noexcept : disconnect_(std::exchange(other.disconnect_, nullptr)) {}
    Connection& operator=(Connection&& other) noexcept
    {
        if (this != &other) {
            Disconnect();
            disconnect_ = std::exchange(other.disconnect_, nullptr);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Disconnect()
    {
        if (auto disconnect = std::exchange(disconnect_, nullptr))
            disconnect();
    }

private:
    std::function<void()> disconnect_;
};

template <class Signature>
class Signal;

// Listeners run in the order they connected. One that disconnects another
// while the signal is being raised is honoured at once.
template <class R, class... Args>
class Signal<R(Args...)> {
public:
    using Slot = std::function<R(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Connection Connect(Slot slot)
    {
        const int id = state_->nextId++;
        state_->slots.emplace_back(id, std::move(slot));
        std::weak_ptr<State> weak = state_;
        return Connection([weak, id] {
            if (auto state = weak.lock())
                state->Remove(id);
        });
    }

    bool Empty() const { return state_->slots.empty(); }

    // Raises the event for every listener.
    void operator()(Args... args) const
    {
        auto state = state_;
        for (int id : state->Ids()) {
            if (Slot slot = state->Find(id))
                slot(args...);
        }
    }

    // For listeners that answer: asks each in turn until one says yes.
    bool Any(Args... args) const
        requires std::is_same_v<R, bool>
    {
        auto state = state_;
        for (int id : state->Ids()) {
            if (Slot slot = state->Find(id); slot && slot(args...))
                return true;
        }
        return false;
    }

private:
    struct State {
        int nextId = 0;
        std::vector<std::pair<int, Slot>> slots;

        std::vector<int> Ids() const
        {
            std::vector<int> ids;
            ids.reserve(slots.size());
            for (const auto& slot : slots)
                ids.push_back(slot.first);
            return ids;
        }
        Slot Find(int id) const
        {
            for (const auto& slot : slots) {
                if (slot.first == id)
                    return slot.second;
            }
            return nullptr;
        }
        void Remove(int id)
        {
            std::erase_if(slots, [id](const auto& slot) { return slot.first == id; });
        }
    };

    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace win32
