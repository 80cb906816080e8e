// Command tables: a static table per class that binds messages and control
// ids to member handlers. Entries are looked up in order; a message that no
// entry takes goes on to the base class's table.
#pragma once

#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "framework/win_defs.h"

class CCmdTarget;

struct Message {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

constexpr WPARAM MakeCommandParam(UINT id, UINT code) { return (static_cast<WPARAM>(code) << 16) | (id & 0xFFFF); }
constexpr UINT CommandId(WPARAM wParam) { return static_cast<UINT>(wParam & 0xFFFF); }
constexpr UINT CommandCode(WPARAM wParam) { return static_cast<UINT>((wParam >> 16) & 0xFFFF); }

// What a table entry matches, without its handler: enough to list a table.
struct MessageKey {
  UINT message;
  UINT id;    // WM_COMMAND only
  UINT code;  // WM_COMMAND only

  bool Matches(const Message& msg) const {
    if (msg.message != message) return false;
    return message != WM_COMMAND || (CommandId(msg.wParam) == id && CommandCode(msg.wParam) == code);
  }
  friend bool operator==(const MessageKey& a, const MessageKey& b) {
    return a.message == b.message && a.id == b.id && a.code == b.code;
  }
};

template <class T>
struct MessageEntry {
  using Handler = std::variant<void (T::*)(), bool (T::*)(), void (T::*)(UINT, LPARAM), HCURSOR (T::*)()>;

  MessageKey key;
  Handler handler;

  MessageEntry(MessageKey k, Handler h) : key(k), handler(h) {}

  // An entry written for a base class serves in a derived class's table: a
  // pointer to a base member converts to a pointer to the derived member, and
  // a virtual member called through it still dispatches virtually.
  template <class B, std::enable_if_t<std::is_base_of_v<B, T> && !std::is_same_v<B, T>, int> = 0>
  MessageEntry(const MessageEntry<B>& entry)  // NOLINT(google-explicit-constructor)
      : key(entry.key), handler(std::visit([](auto fn) -> Handler { return Convert(fn); }, entry.handler)) {}

  LRESULT Invoke(T& target, const Message& msg) const {
    struct Call {
      T& target;
      const Message& msg;
      LRESULT operator()(void (T::*fn)()) const { return (target.*fn)(), 0; }
      LRESULT operator()(bool (T::*fn)()) const { return (target.*fn)() ? 1 : 0; }
      LRESULT operator()(void (T::*fn)(UINT, LPARAM)) const {
        return (target.*fn)(static_cast<UINT>(msg.wParam), msg.lParam), 0;
      }
      LRESULT operator()(HCURSOR (T::*fn)()) const { return reinterpret_cast<LRESULT>((target.*fn)()); }
    };
    return std::visit(Call{target, msg}, handler);
  }

 private:
  template <class B, class R, class... A>
  static Handler Convert(R (B::*fn)(A...)) {
    return static_cast<R (T::*)(A...)>(fn);
  }
};

class MessageMapBase {
 public:
  explicit MessageMapBase(const MessageMapBase* base) : base_(base) {}
  virtual ~MessageMapBase() = default;
  MessageMapBase(const MessageMapBase&) = delete;
  MessageMapBase& operator=(const MessageMapBase&) = delete;

  // Runs the first entry of this table, then of the base tables, that takes
  // msg. False when none does.
  bool Dispatch(CCmdTarget& target, const Message& msg, LRESULT& result) const {
    for (const MessageMapBase* map = this; map != nullptr; map = map->base_) {
      if (map->DispatchOwn(target, msg, result)) return true;
    }
    return false;
  }

  virtual std::vector<MessageKey> Keys() const = 0;
  const MessageMapBase* base() const { return base_; }

 private:
  virtual bool DispatchOwn(CCmdTarget& target, const Message& msg, LRESULT& result) const = 0;

  const MessageMapBase* base_;
};

template <class T>
class MessageMap final : public MessageMapBase {
 public:
  template <class... Entries>
  explicit MessageMap(const MessageMapBase* base, Entries&&... entries)
      : MessageMapBase(base), entries_{MessageEntry<T>(std::forward<Entries>(entries))...} {}

  std::vector<MessageKey> Keys() const override {
    std::vector<MessageKey> keys;
    for (const auto& entry : entries_) keys.push_back(entry.key);
    return keys;
  }

 private:
  bool DispatchOwn(CCmdTarget& target, const Message& msg, LRESULT& result) const override {
    for (const auto& entry : entries_) {
      if (entry.key.Matches(msg)) {
        result = entry.Invoke(static_cast<T&>(target), msg);
        return true;
      }
    }
    return false;
  }

  std::vector<MessageEntry<T>> entries_;
};

// Entry makers, one per kind of message, each taking the handler's proper type.
template <class T>
MessageEntry<T> OnCommandEntry(UINT id, UINT code, void (T::*handler)()) {
  return {{WM_COMMAND, id, code}, handler};
}
template <class T>
MessageEntry<T> OnSysCommandEntry(void (T::*handler)(UINT, LPARAM)) {
  return {{WM_SYSCOMMAND, 0, 0}, handler};
}
template <class T>
MessageEntry<T> OnPaintEntry(void (T::*handler)()) {
  return {{WM_PAINT, 0, 0}, handler};
}
template <class T>
MessageEntry<T> OnQueryDragIconEntry(HCURSOR (T::*handler)()) {
  return {{WM_QUERYDRAGICON, 0, 0}, handler};
}
template <class T>
MessageEntry<T> OnInitDialogEntry(bool (T::*handler)()) {
  return {{WM_INITDIALOG, 0, 0}, handler};
}
