// Command tables: lookup in order, chaining to the base table, and handlers
// written for a base class running virtually in a derived one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/message_map.h"
#include "framework/wnd.h"

namespace {

class Base : public CCmdTarget {
 public:
  const MessageMapBase& GetMessageMap() const override { return messageMap; }
  static const MessageMap<Base> messageMap;
  virtual void OnVirtual() { log.push_back("Base::OnVirtual"); }
  void OnBaseOnly() { log.push_back("Base::OnBaseOnly"); }
  std::vector<std::string> log;
};
const MessageMap<Base> Base::messageMap{
    &CCmdTarget::messageMap,
    OnCommandEntry(10, BN_CLICKED, &Base::OnVirtual),
    OnCommandEntry(11, BN_CLICKED, &Base::OnBaseOnly),
};

class Derived : public Base {
 public:
  const MessageMapBase& GetMessageMap() const override { return messageMap; }
  static const MessageMap<Derived> messageMap;
  void OnVirtual() override { log.push_back("Derived::OnVirtual"); }
  void OnFirst() { log.push_back("Derived::OnFirst"); }
  void OnSecond() { log.push_back("Derived::OnSecond"); }
  void OnSys(UINT id, LPARAM) { log.push_back("Derived::OnSys " + std::to_string(id)); }
};
const MessageMap<Derived> Derived::messageMap{
    &Base::messageMap,
    OnSysCommandEntry(&Derived::OnSys),
    OnCommandEntry(20, BN_CLICKED, &Derived::OnFirst),
    OnCommandEntry(20, BN_CLICKED, &Derived::OnSecond),  // never reached: the first entry wins
    OnCommandEntry(30, BN_CLICKED, &Base::OnVirtual),
    OnCommandEntry(11, BN_CLICKED, &Derived::OnFirst),  // takes 11 before the base table does
};

bool Send(CCmdTarget& target, UINT message, WPARAM wParam) {
  LRESULT result = 0;
  return target.GetMessageMap().Dispatch(target, Message{message, wParam, 0}, result);
}

TEST(MessageMap, LookupOrderAndChaining) {
  const struct {
    UINT message;
    WPARAM wParam;
    bool handled;
    std::vector<std::string> log;
  } cases[] = {
      {WM_COMMAND, MakeCommandParam(20, BN_CLICKED), true, {"Derived::OnFirst"}},
      {WM_COMMAND, MakeCommandParam(11, BN_CLICKED), true, {"Derived::OnFirst"}},
      {WM_COMMAND, MakeCommandParam(10, BN_CLICKED), true, {"Derived::OnVirtual"}},
      {WM_COMMAND, MakeCommandParam(30, BN_CLICKED), true, {"Derived::OnVirtual"}},
      {WM_SYSCOMMAND, 0xF060, true, {"Derived::OnSys 61536"}},
      {WM_COMMAND, MakeCommandParam(20, 1), false, {}},  // another notification
      {WM_COMMAND, MakeCommandParam(99, BN_CLICKED), false, {}},
      {WM_PAINT, 0, false, {}},
  };
  for (const auto& row : cases) {
    Derived target;
    EXPECT_EQ(Send(target, row.message, row.wParam), row.handled) << row.message << " " << row.wParam;
    EXPECT_EQ(target.log, row.log) << row.message << " " << row.wParam;
  }
}

TEST(MessageMap, KeysListTheTableInOrder) {
  const std::vector<MessageKey> keys = Derived::messageMap.Keys();
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[0], (MessageKey{WM_SYSCOMMAND, 0, 0}));
  EXPECT_EQ(keys[1], (MessageKey{WM_COMMAND, 20, BN_CLICKED}));
  EXPECT_EQ(Derived::messageMap.base(), &Base::messageMap);
}

}  // namespace
