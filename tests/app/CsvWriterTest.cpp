// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "io/CsvWriter.h"
#include "model/ShortestNumber.h"

namespace rp {
namespace {

// Far more than its buffer holds, with a text longer than the buffer in the
// middle: the stream gets every row whole and in order.
TEST(CsvWriter, RowsCrossingItsBufferArriveWholeAndInOrder) {
  std::ostringstream out, expected;
  const std::string wide(100000, 'x');
  {
    CsvWriter csv(out);
    for (int i = 0; i < 20000; ++i) {
      const double value = i / 7.0 - 1000.0;
      csv.Integer(-i).Number(value);
      expected << -i << ',' << ShortestNumber(value);
      if (i == 9000) {
        csv.Text(wide);
        expected << ',' << wide;
      }
      csv.EndRow();
      expected << '\n';
    }
    csv.Text("last");
    expected << "last";
  }  // the rest reaches the stream when the writer goes
  EXPECT_EQ(out.str(), expected.str());
}

}  // namespace
}  // namespace rp
