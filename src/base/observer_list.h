#pragma once
// The observers of one object, each held by a subscription: a handle that
// takes its observer off the list when it goes, whichever of the two goes
// first. A window whose views observe data it owns can thus be torn down in
// any order.

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace vorbel::base {

template <typename Observer>
class ObserverList {
  struct State {
    std::vector<Observer*> observers;
  };

 public:
  // An observer's place on a list. Destroying or resetting it takes the
  // observer off; it may outlive the list, and then does nothing.
  class [[nodiscard]] Subscription {
   public:
    Subscription() = default;
    Subscription(Subscription&& other) noexcept
        : state_(std::move(other.state_)), observer_(std::exchange(other.observer_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
      if (this != &other) {
        Reset();
        state_ = std::move(other.state_);
        observer_ = std::exchange(other.observer_, nullptr);
      }
      return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }

    // Takes the observer off the list now.
    void Reset() {
      if (const std::shared_ptr<State> state = state_.lock()) {
        std::vector<Observer*>& observers = state->observers;
        const auto it = std::find(observers.begin(), observers.end(), observer_);
        if (it != observers.end()) observers.erase(it);
      }
      state_.reset();
      observer_ = nullptr;
    }

   private:
    friend class ObserverList;
    Subscription(std::weak_ptr<State> state, Observer* observer) : state_(std::move(state)), observer_(observer) {}

    std::weak_ptr<State> state_;
    Observer* observer_ = nullptr;
  };

  ObserverList() = default;
  ObserverList(const ObserverList&) = delete;
  ObserverList& operator=(const ObserverList&) = delete;

  // Adds `observer` after those already there, for as long as the returned
  // subscription lasts.
  Subscription Subscribe(Observer* observer) {
    state_->observers.push_back(observer);
    return Subscription(state_, observer);
  }

  // Calls notify(observer&) for every observer in the order added. One that
  // is taken off while the others are told (by itself or by another) is not
  // told any more; one added meanwhile is told from the next call on.
  template <typename Notify>
  void NotifyAll(Notify&& notify) const {
    const std::vector<Observer*> observers = state_->observers;
    for (Observer* observer : observers) {
      const std::vector<Observer*>& current = state_->observers;
      if (std::find(current.begin(), current.end(), observer) != current.end()) notify(*observer);
    }
  }

 private:
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace vorbel::base
