#pragma once

#include <functional>
#include <vector>

namespace zelt::view {

/// Something a view (the Qt window, a test) can watch for changes. Observers
/// are told that the object changed, not what: they read it back.
class Observable {
public:
    /// Told that the object changed.
    using Observer = std::function<void()>;

    /// An object without observers.
    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    /// Destroys the object; its observers are not told.
    virtual ~Observable() = default;

    /// Returns an id for removeObserver.
    int addObserver(Observer observer);
    /// Removes the observer of that id (nothing for an unknown id).
    void removeObserver(int id);

protected:
    /// Tells every observer, in the order they were added; an observer may add
    /// or remove observers meanwhile.
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
