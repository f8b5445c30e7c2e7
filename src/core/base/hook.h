#pragma once
// How the parts of the program call back into the window that composes them.
//
// A hook is a callback a part may be given. One that nobody set does nothing and
// answers the empty value of its type (false, 0, an empty text), so a part built
// before the feature behind the hook can never throw for want of it. A collaborator a
// part cannot work without is a reference or an interface it must be given instead.
#include <concepts>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace miravela {

template <class Signature>
class Hook;

template <class R, class... Args>
class Hook<R(Args...)> {
  static_assert(!std::is_reference_v<R>, "a hook cannot answer a reference: pass the collaborator itself");

 public:
  Hook() = default;
  template <class F>
  requires(!std::same_as<std::remove_cvref_t<F>, Hook> && std::is_invocable_r_v<R, F&, Args...>) Hook(F f)
      : f_(std::move(f)) {  // NOLINT(google-explicit-constructor): set like a plain callback
    // An empty callable (a null function, an empty std::function) leaves the hook unset.
    set_ = static_cast<bool>(f_);
    if (!set_) f_ = Nada;
  }

  R operator()(Args... args) const { return f_(std::forward<Args>(args)...); }
  // Whether someone set it; for the few places that fall back to behaviour of their own.
  explicit operator bool() const { return set_; }

 private:
  static R Nada(Args...) {
    if constexpr (!std::is_void_v<R>) return R{};
  }

  std::function<R(Args...)> f_ = Nada;
  bool set_ = false;
};

// Something many parts want to hear of; the composing window subscribes the listeners.
template <class... Args>
class Event {
 public:
  void Subscribe(std::function<void(Args...)> listener) { listeners_.push_back(std::move(listener)); }
  void Raise(const Args&... args) const {
    for (const auto& listener : listeners_) listener(args...);
  }

 private:
  std::vector<std::function<void(Args...)>> listeners_;
};

}  // namespace miravela
