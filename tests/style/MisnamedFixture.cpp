// SPDX-License-Identifier: GPL-3.0-or-later
// Breaks the naming rules on purpose: the style check must refuse it.

namespace rp {

struct bad_struct {
  int BadField = 0;
};

class Widget {
 public:
  void do_something();

 private:
  int count = 0;
};

inline constexpr int maxCount = 3;

}  // namespace rp
