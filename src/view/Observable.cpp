#include "zelt/view/Observable.h"

#include <algorithm>

namespace zelt::view {

int Observable::addObserver(Observer observer)
{
    int id = nextId_++;
    observers_.push_back({id, std::move(observer)});
    return id;
}

void Observable::removeObserver(int id)
{
    std::erase_if(observers_, [id](const Entry& e) { return e.id == id; });
}

void Observable::notifyChanged()
{
    if (observers_.empty()) return;
    // Copy: an observer may add or remove observers.
    auto snapshot = observers_;
    for (auto& e : snapshot) e.observer();
}

} // namespace zelt::view
