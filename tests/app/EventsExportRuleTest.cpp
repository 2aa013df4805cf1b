// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace rp {
namespace {

// Every Vienna 4x22 MIDI performance at delays 1, 3 and 50, read against the
// export's own onset and velocity0 columns: interval j of event k is onset
// (k + jd + 1) - onset (k + jd) and velocity j is velocity0 of event k + jd,
// written exactly when that later event exists and empty otherwise, so only
// the last 2d + 1 rows differ from a reading that gives every row all values.
TEST(EventsExport, ViennaPerformancesWriteEveryValueThatExistsAndNoOther) {
  const std::filesystem::path folder = RP_SHARED_DATA_DIR "/vienna4x22/midi";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no Vienna 4x22 corpus at " << folder;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    for (const std::size_t d : {1u, 3u, 50u}) {
      std::ostringstream out, err;
      ParseCommandLine({"--export-events", "--delay", std::to_string(d), entry.path().string()}, out, err);
      std::vector<std::vector<std::string>> rows;  // the fields of each row after the header
      std::stringstream lines(out.str());
      for (std::string line; std::getline(lines, line);) {
        std::stringstream fields(line + ",");
        rows.emplace_back();
        for (std::string field; std::getline(fields, field, ',');) rows.back().push_back(field);
      }
      rows.erase(rows.begin());
      const std::size_t count = rows.size();
      const auto onset = [&](std::size_t k) { return std::stod(rows[k][1]); };
      for (std::size_t k = 0; k < count; ++k) {
        const std::string where = entry.path().filename().string() + " d " + std::to_string(d) + " row " +
                                  std::to_string(k + 1) + " at " + std::to_string(count);
        for (std::size_t j = 0, later = k; j < 3; ++j, later += d) {
          if (later + 1 < count) {
            ASSERT_EQ(std::stod(rows[k][2 + j]), onset(later + 1) - onset(later)) << where;
          } else {
            ASSERT_EQ(rows[k][2 + j], "") << where;
          }
          ASSERT_EQ(rows[k][5 + j], later < count ? rows[later][5] : "") << where;
        }
      }
    }
  }
}

}  // namespace
}  // namespace rp
