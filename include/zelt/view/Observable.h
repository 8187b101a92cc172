#pragma once

#include <functional>
#include <vector>

namespace zelt::view {

/// Something a view (the Qt window, a test) can watch for changes. Observers
/// are told that the object changed, not what: they read it back.
class Observable {
public:
    using Observer = std::function<void()>;

    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    virtual ~Observable() = default;

    /// Returns an id for removeObserver.
    int addObserver(Observer observer);
    void removeObserver(int id);

protected:
    void notifyChanged();

private:
    struct Entry {
        int id;
        Observer observer;
    };
    std::vector<Entry> observers_;
    int nextId_ = 1;
};

} // namespace zelt::view
