#pragma once

#include "zelt/text/RuntimeError.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zelt::view {

/// Widgets of one kind sharing a name, addressed by a fixed integer index. The
/// index set is exact: an index that is not in it is a subscript failure.
template <typename W>
class ControlArray {
public:
    /// One widget named `name` for each index.
    ControlArray(std::string name, std::vector<int> indexes) : name_(std::move(name))
    {
        for (int i : indexes) widgets_.emplace(i, std::make_unique<W>(name_, i));
    }
    /// The indexes first..last.
    static std::vector<int> range(int first, int last)
    {
        std::vector<int> v;
        for (int i = first; i <= last; ++i) v.push_back(i);
        return v;
    }

    /// The name the widgets share.
    const std::string& name() const noexcept { return name_; }
    /// True when the index is in the set.
    bool contains(int index) const { return widgets_.count(index) != 0; }
    /// As get().
    W& operator[](int index) { return get(index); }
    /// As get().
    const W& operator[](int index) const { return get(index); }
    /// The widget of that index; RuntimeError (subscript out of range) for an
    /// index that is not in the set.
    W& get(int index) const
    {
        auto it = widgets_.find(index);
        if (it == widgets_.end()) throw text::RuntimeError::subscriptOutOfRange();
        return *it->second;
    }
    /// The indexes, ascending.
    std::vector<int> indexes() const
    {
        std::vector<int> v;
        for (const auto& [i, w] : widgets_) v.push_back(i);
        return v;
    }
    /// The number of widgets.
    std::size_t size() const noexcept { return widgets_.size(); }

    /// Calls f(index, widget) in index order.
    template <typename F>
    void forEach(F&& f) const
    {
        for (const auto& [i, w] : widgets_) f(i, *w);
    }

private:
    std::string name_;
    std::map<int, std::unique_ptr<W>> widgets_;
};

} // namespace zelt::view
