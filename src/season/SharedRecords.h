#pragma once
// A list of records written once and never changed after, shared between copies: a copy of the
// list (the season a command keeps to see whether it changed anything) costs a pointer a record,
// not the records. Reads like a vector of const records; records are added and removed whole.

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace karven {

template <class T> class SharedRecords {
    using Items = std::vector<std::shared_ptr<const T>>;

public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        const_iterator() = default;
        explicit const_iterator(typename Items::const_iterator at) : at_(at) {}
        const T& operator*() const { return **at_; }
        const T* operator->() const { return at_->get(); }
        const T& operator[](difference_type n) const { return *at_[n]; }
        const_iterator& operator++() { return ++at_, *this; }
        const_iterator operator++(int) { return const_iterator(at_++); }
        const_iterator& operator--() { return --at_, *this; }
        const_iterator operator--(int) { return const_iterator(at_--); }
        const_iterator& operator+=(difference_type n) { return at_ += n, *this; }
        const_iterator& operator-=(difference_type n) { return at_ -= n, *this; }
        friend const_iterator operator+(const_iterator i, difference_type n) { return i += n; }
        friend const_iterator operator+(difference_type n, const_iterator i) { return i += n; }
        friend const_iterator operator-(const_iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) { return a.at_ - b.at_; }
        friend auto operator<=>(const const_iterator&, const const_iterator&) = default;

    private:
        typename Items::const_iterator at_;
    };
    using iterator = const_iterator;
    using value_type = T;
    using size_type = std::size_t;

    SharedRecords() = default;
    SharedRecords(std::vector<T> records) { // NOLINT: reads as the vector it stands for
        items_.reserve(records.size());
        for (T& r : records) push_back(std::move(r));
    }
    operator std::vector<T>() const { return std::vector<T>(begin(), end()); } // NOLINT

    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const T& operator[](std::size_t i) const { return *items_[i]; }
    const T& back() const { return *items_.back(); }

    void push_back(T record) { items_.push_back(std::make_shared<const T>(std::move(record))); }
    void clear() { items_.clear(); }
    template <class Pred> void EraseIf(Pred pred) {
        std::erase_if(items_, [&](const std::shared_ptr<const T>& r) { return pred(*r); });
    }

    // Equal records, whether shared or not.
    friend bool operator==(const SharedRecords& a, const SharedRecords& b) {
        return std::equal(a.items_.begin(), a.items_.end(), b.items_.begin(), b.items_.end(),
                          [](const auto& x, const auto& y) { return x == y || *x == *y; });
    }
    friend bool operator==(const SharedRecords& a, const std::vector<T>& b) { return std::equal(a.begin(), a.end(), b.begin(), b.end()); }

private:
    Items items_;
};

} // namespace karven
