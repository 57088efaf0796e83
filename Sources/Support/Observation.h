#pragma once
// One observer's registration with an Observable, held by the observer. It
// ends when it is destroyed or reset, and is void once the observable is gone,
// so either side may die first.

#include <cstdint>
#include <memory>
#include <utility>

namespace velorin {

namespace detail {

// The observers of one observable; it outlives the observable only as long as
// an Observation still refers to it.
class ObserverList {
public:
    virtual ~ObserverList() = default;
    virtual void remove(std::uint64_t token) = 0;
    virtual bool contains(std::uint64_t token) const = 0;
};

}  // namespace detail

class [[nodiscard]] Observation {
public:
    Observation() = default;
    Observation(std::weak_ptr<detail::ObserverList> list, std::uint64_t token)
        : list_(std::move(list)), token_(token) {}
    Observation(Observation&& other) noexcept
        : list_(std::move(other.list_)), token_(std::exchange(other.token_, 0)) {}
    Observation& operator=(Observation&& other) noexcept {
        if (this != &other) {
            reset();
            list_ = std::move(other.list_);
            token_ = std::exchange(other.token_, 0);
        }
        return *this;
    }
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;
    ~Observation() { reset(); }

    // Stops observing; nothing happens when the observable is already gone.
    void reset() {
        if (auto list = list_.lock()) list->remove(token_);
        list_.reset();
        token_ = 0;
    }

    // Whether the callback is still registered with a living observable.
    bool isActive() const {
        auto list = list_.lock();
        return list && list->contains(token_);
    }

private:
    std::weak_ptr<detail::ObserverList> list_;
    std::uint64_t token_ = 0;
};

}  // namespace velorin
