// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace rp {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

// Every Vienna 4x22 MIDI performance at delays 1, 3 and 50, read against the
// export's own onset and velocity0 columns: interval j of event k is onset
// (k + jd + 1) - onset (k + jd) and velocity j is velocity0 of event k + jd,
// written exactly when that later event exists and empty otherwise. So only
// the last 2d + 1 rows differ from a reading that gives every row all values.
TEST(EventsExport, ViennaPerformancesWriteEveryValueThatExistsAndNoOther) {
  const std::filesystem::path folder = RP_SHARED_DATA_DIR "/vienna4x22/midi";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no Vienna 4x22 corpus at " << folder;
  std::int32_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    ++files;
    for (const std::size_t d : {1u, 3u, 50u}) {
      std::ostringstream out, err;
      ParseCommandLine({"--export-events", "--delay", std::to_string(d), entry.path().string()}, out, err);
      std::stringstream lines(out.str());
      std::vector<std::vector<std::string>> rows;
      std::string line;
      std::getline(lines, line);  // the header
      while (std::getline(lines, line)) rows.push_back(Fields(line));
      const std::size_t count = rows.size();
      std::size_t incomplete = 0;
      for (std::size_t k = 0; k < count; ++k) {
        ASSERT_EQ(rows[k].size(), 9u) << entry.path() << " row " << k + 1;
        for (std::size_t j = 0; j < 3; ++j) {
          const std::size_t later = k + j * d;
          const std::string& interval = rows[k][2 + j];
          const std::string& velocity = rows[k][5 + j];
          if (later + 1 < count) {
            ASSERT_EQ(std::stod(interval), std::stod(rows[later + 1][1]) - std::stod(rows[later][1]))
                << entry.path() << " d " << d << " row " << k + 1;
          } else {
            ASSERT_EQ(interval, "") << entry.path() << " d " << d << " row " << k + 1;
          }
          ASSERT_EQ(velocity, later < count ? rows[later][5] : "") << entry.path() << " d " << d << " row " << k + 1;
        }
        incomplete += std::count(rows[k].begin(), rows[k].end(), "") > 0;
      }
      EXPECT_EQ(incomplete, std::min(count, 2 * d + 1)) << entry.path() << " d " << d;
    }
  }
  EXPECT_EQ(files, 112);
}

}  // namespace
}  // namespace rp
